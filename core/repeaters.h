#pragma once
// The repeater engine: masters generate their dated instances and reminders.

#include "core/core.h"

namespace mintor {

// Generates the instances of one active repeater master up to the horizon.
void gen_rptr_insts(Core& core, int rptr_id, qwel::Date horizon);

}  // namespace mintor
