#pragma once
// The checks that guard adding, amending and deleting transactions, called by the save of an
// entered transaction (txn_save.h), the input form's validation and the maintenance
// operations. The freeze and reconciled-balance check is in freeze_checks.h; the batch check
// in batches.h.

#include "core/core.h"
#include "core/freeze_checks.h"
#include "core/records.h"

namespace mintor {

// A payment or receipt whose external account (accid1) is not held with its counterparty
// (accid2) while the user has an open external account held with that counterparty: warn
// "This transaction will bypass your external account with this counterparty\racc #<id>"
// (continue anyway?, false on no), then offer "Close the ext acc for this cpty?\r(you can
// re-open it at any time)"; on yes an account used by an active repeater is not closed
// ("Account is in active Repeater #<id> - cannot close"), any other is closed with
// close_account (account_close.h) in its own currency. True = go on. Other types, and a
// transaction without counterparty, pass without a question.
bool chk_bypass(Core& core, const TTxn& txn);

// The account (read again from the ledger into acc) is open on the date:
// - after its close date: "<type name>"<name>"is closed" (continue anyway?, false on no),
//   then "Update account close date ?" with "= txn date" (the close date becomes the date),
//   "leave open" (the account is open again) or "Cancel" (no change); the check goes on;
// - before its open date: an open date still "not yet" silently becomes the date; otherwise
//   "Transaction pre-dates opendate for account "<name>"\rRevise opendate from <old> to
//   <date> ? ", yes stores the date, no gives false.
// Changed dates are stored at once. True = go on; a missing account is reported ("Account not
// found <id>") and gives false; a null date is not checked.
bool chk_acc_open(Core& core, Tacc& acc, qwel::Date date);

// Editing the transaction re-posts it and so un-reconciles its posting to the account: when
// that posting is reconciled, ask "Editing this txn will cause its posting to account
// "<name>" to be un-reconciled - OK?" (the name is "#" + id for an account that no longer
// exists). True = go on.
bool chk_unreconcile(Core& core, int txnid, int accid);

}  // namespace mintor
