#pragma once
// The checks that guard adding, amending and deleting transactions, called by the save of an
// entered transaction (txn_save.h) and by the input form's validation.
//
// To be completed by the transaction maintenance work: for now chk_freeze, chk_bypass,
// chk_acc_open and chk_unreconcile only let the operation go on (true, no question asked),
// so that the operations calling them are already in their final shape. The batch check is
// in batches.h.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// The posting freeze date and reconciled balances: the net change that replacing old by new
// makes to protected postings, asked per account as a double confirmation. old is an empty
// record for a new transaction, new an empty record for a deletion. True = go on.
// For now: true.
bool chk_freeze(Core& core, const TTxn& old_rec, const TTxn& new_rec);

// A payment or receipt that bypasses the user's own open external account with its
// counterparty: warn, and offer to close that account. True = go on.
// For now: true.
bool chk_bypass(Core& core, const TTxn& txn);

// The account is open on the date (close date and open date rules, which may store a new
// close or open date). True = go on.
// For now: true.
bool chk_acc_open(Core& core, Tacc& acc, qwel::Date date);

// Editing the transaction re-posts it and so un-reconciles its posting to the account: ask
// first when that posting is reconciled. True = go on.
// For now: true.
bool chk_unreconcile(Core& core, int txnid, int accid);

}  // namespace mintor
