#pragma once
// Allocation of new ids: transactions, repeater masters and accounts.

#include "core/core.h"

namespace mintor {

// Highest transaction id + 1, or -1 (after its message) when the highest transaction id and
// the highest posting transaction id differ: a damaged ledger gets no new transactions.
int next_txn_id(Core& core);
// max(highest rptr.id, highest txn.masterid) + 1, so an id once used by instances is never
// reused; when the highest rptr.id is the larger, "Repeater #<id> has no instances" first.
int next_rptr_id(Core& core);
// A new account id: highest account.id + 1, but above the lastaccid parameter, which then
// takes the new id (in core.params and in param row 5). Ids of deleted accounts never return.
int allocate_acc_id(Core& core);

}  // namespace mintor
