#pragma once
// The instances of a master compared with what the master would generate now, and deleting
// an instance with all later ones (so that the next generation writes them again).

#include "core/core.h"

namespace mintor {

// Compares the master's instances numbered from_inst upward (in instance order) with what
// regeneration would write: txndate (against instance_date), pstgdate (a separate posting
// date), ccy, amt, accid1, accid2, accid4, txntype and channel; reference, description,
// cancelled flag and value are not compared. At the first instance that differs:
// "Instance #<n> already differs from Master : <fields>\rRegeneration of this instance would
// lose this detail" and false. A missing master: "Master not found" and true.
bool chk_insts(Core& core, int master_id, int from_inst);

// Deletes instance from_inst and every later instance of the master (with their postings
// and reminders, delete_txn), then sets the master's gento back to from_inst - 1 (never
// up), so the next generation writes them again while the master is active. When chk_insts
// finds an instance that differs: for an active master "You must deactivate the repeater to
// delete these instances" and false; otherwise (inactive or missing master) the question
// "Repeater is already inactive, do you want to delete these instances ?", false on no.
// One undoable unit: false, with nothing deleted, after a refusal or a database error.
bool del_insts_from(Core& core, int master_id, int from_inst);

}  // namespace mintor
