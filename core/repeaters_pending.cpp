// Placeholder until the repeater engine lands; this file is removed when it does.
#include "core/repeaters.h"
namespace mintor {
int gen_rptr_insts(Core&, TRptr&) { return 0; }
}  // namespace mintor
