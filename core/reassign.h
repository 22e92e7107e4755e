#pragma once
// Reassigning one account of a payment or receipt: the "Assign" menus of the postings list
// and the search results give each chosen transaction another external account, category or
// counterparty. The one operation that does not re-post the whole transaction: only the
// posting of the reassigned slot is replaced, and the other postings keep their
// reconciliation.

#include "core/core.h"

namespace mintor {

// Puts account accid into the slot of the given account type (1 external account: accid1,
// 3 category (or 6 pot): accid4, 4 counterparty: accid2) of the transaction:
// - refused while the database is frozen ("Cannot reassign account, database is frozen");
//   a missing transaction or account is reported;
// - types other than P and R: "Skipping txn #<id>";
// - a slot that already holds the account: nothing to do;
// - an external account in another currency than the transaction's: "Account "<name>" is in
//   <ccy>, txn #<id> is in <ccy> - cannot assign";
// - the protected postings it changes are asked about (chk_freeze);
// then the old account's posting is deleted, the slot stored ("update txn set accid<n>=...,
// editts=... where id=..."), the new account's posting written as the posting rules write
// that slot's (but without channel), the contras that named the old account repointed, and
// the counterparty linked with the internal account. One undoable unit; true = reassigned.
bool reassign_acc(Core& core, int txnid, int accid, int acctype);

}  // namespace mintor
