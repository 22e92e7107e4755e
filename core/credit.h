#pragma once
// The credit account of a counterparty: the external account that holds the money owed
// between the user and that counterparty. It is named after the counterparty with " owes"
// appended (cut to 40 characters), is held in the base currency, and its accwith is the
// counterparty; the counterparty's accwith names it. A payment or receipt entered "on credit"
// is posted to it in place of the external account the user picked.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Finds or creates the counterparty's credit account into credit:
// - the account named by the counterparty's stored accwith, when it exists and is an
//   external account, is the result (existed := true);
// - otherwise a new external account is made (base currency, open, open date not yet set,
//   accwith = the counterparty), the counterparty's accwith is set to it and stored, and
//   "External Account "<name>" created" is shown (existed := false). A stored accwith that
//   names no external account is replaced, so each counterparty gets one credit account.
// The counterparty's record takes the new accwith (its editts stays that of its read: read it
// again before saving it). One undoable unit. False when a database error stopped it, or
// when the counterparty does not exist ("Account not found " + id).
bool cpty_credit_acc(Core& core, Tacc& cpty, Tacc& credit, bool* existed = nullptr);

}  // namespace mintor
