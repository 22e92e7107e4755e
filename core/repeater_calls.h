#pragma once
// What the save of an entered transaction (txn_save.h) asks of the repeater engine.
//
// To be completed by the repeater engine: for now update_master_from_txn stores the master
// through write_txn (txn_write.h), gen_master_insts generates nothing and
// apply_to_later_insts changes nothing.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Copies an edited master record into its rptr row; its existing instances are not changed.
// False when nothing was written.
bool update_master_from_txn(Core& core, TTxn& master);

// Generates the instances of a newly saved master (master.masterid names its rptr row) up to
// the generation horizon. The id of the last instance generated, or 0 when none was.
// For now: 0.
int gen_master_insts(Core& core, const TTxn& master);

// Carries the changes from old to new of an edited repeater instance to the later instances
// of its master. For now: nothing.
void apply_to_later_insts(Core& core, const TTxn& old_rec, const TTxn& new_rec);

}  // namespace mintor
