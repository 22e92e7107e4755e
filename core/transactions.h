#pragma once
// The connection's one long transaction: started when needed, committed at the end of
// every user operation that changed data, and restarted at once.

#include "core/core.h"

namespace mintor {

void ensure_transaction(Core& core);
void commit_work(Core& core);
void commit_retaining(Core& core);
bool transaction_active(const Core& core);

}  // namespace mintor
