#pragma once
// The repeater engine: masters generate their dated instances and reminders.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Generates the instances of one master up to core.run.horizon; the id of the last
// instance written, 0 = none.
int gen_rptr_insts(Core& core, TRptr& master);

}  // namespace mintor
