#pragma once
// The currency table (ccy): one base currency (base = 1) and any number of others, codes
// of three characters in upper case. Writes run under run_undoable (undo.h); the caller
// commits.

#include <QString>

#include "core/core.h"

namespace mintor {

// The currency's name; false when there is no such currency.
bool read_ccy(Core& core, const QString& code, QString& name);
// Inserts the currency (code raised to upper case; anything but three characters is refused
// with no message), then update_ccy. The first currency, entered while no base currency is
// known, becomes the base currency; with it comes the pot "Default pot" (base currency, not
// a favourite), which becomes DefaultPotId.
bool insert_ccy(Core& core, const QString& code, const QString& name);
// "update ccy set "NAME"=<name>, base=<1 for the base currency, else 0> where id=<code>".
bool update_ccy(Core& core, const QString& code, const QString& name);
// Asks "OK to delete currency <code> ?"; refuses while accounts are held in it ("Cannot
// delete currency <code> - account(s) exist for it"); deletes it, then check_base_ccy.
bool delete_ccy(Core& core, const QString& code);
// False, after "Use main menu option "Currencies" to enter base-currency (with rate =
// 1.0000)", while no base currency is known: new internal accounts and counterparties wait.
bool require_base_ccy(const Core& core);

}  // namespace mintor
