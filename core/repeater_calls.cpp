#include "core/repeater_calls.h"

#include "core/txn_write.h"

namespace mintor {

bool update_master_from_txn(Core& core, TTxn& master) {
    if (master.kind != TxnKind::Master) return false;
    return write_txn(core, master);
}

// Call points of the repeater engine; they do nothing until the engine is written.

int gen_master_insts(Core&, const TTxn&) { return 0; }

void apply_to_later_insts(Core&, const TTxn&, const TTxn&) {}

}  // namespace mintor
