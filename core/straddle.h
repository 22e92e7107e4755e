#pragma once
// Transactions whose journal date and posting date lie on either side of a boundary.

#include "core/core.h"

namespace mintor {

enum class StraddleSide {
    Prior,  // "B": the boundary is the start of the day (the period start)
    Later,  // "F": the boundary is the end of the day (the period end)
};

// The first straddling transaction's id, 0 when none.
int find_straddle(Core& core, qwel::Date date, StraddleSide side);
// True when nothing straddles; otherwise shows the transaction, says so and gives false.
bool chk_straddle(Core& core, qwel::Date date, StraddleSide side);

}  // namespace mintor
