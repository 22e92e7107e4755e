// Placeholder until the repeater engine lands; this file is removed when it does.
#include "core/repeaters.h"
namespace mintor {
void gen_rptr_insts(Core&, int, qwel::Date) {}
}  // namespace mintor
