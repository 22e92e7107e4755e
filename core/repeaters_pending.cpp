// Stand-in for the repeater engine's gen_rptr_insts so the rebalance links before the engine
// exists: it generates nothing. Delete this file when the engine defines gen_rptr_insts.
#include "core/repeaters.h"
namespace mintor {
int gen_rptr_insts(Core&, TRptr&) { return 0; }
}  // namespace mintor
