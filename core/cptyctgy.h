#pragma once
// The links between a counterparty and the internal accounts it was used with (cptyctgy),
// which the input form uses to propose a category.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// For a payment (P) or receipt (R): adds the row (accid2, accid4, 'P' or 'S') when absent.
// Other types add nothing. Part of the calling write: no undo wrapper of its own.
void link_cpty_ctgy(Core& core, const TTxn& txn);

}  // namespace mintor
