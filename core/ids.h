#pragma once
// Allocation of new transaction ids.

#include "core/core.h"

namespace mintor {

// Highest transaction id + 1, or -1 (after its message) when the highest transaction id and
// the highest posting transaction id differ: a damaged ledger gets no new transactions.
int next_txn_id(Core& core);

}  // namespace mintor
