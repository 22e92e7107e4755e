#pragma once
// The repeater engine's part in saving an entered transaction (txn_save.h): writing an edited
// master back, generating a new master's instances, and carrying an edited instance's
// changes to the later instances of its master.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// When the record's masterid names an existing master: the master takes the record's
// currency, amount, type, reference, description, accid1, accid2, accid4 and channel, and,
// when the record is a master, also its gento, freq, startdate, enddate, rptactive, rptinc,
// rptct and rmdays; the master is stored. Existing instances are not changed; instances
// still to come follow the new values. A masterid that names no master: "Repeater master
// not found <id>". False when nothing was written.
bool update_master_from_txn(Core& core, const TTxn& rec);

// gen_master_insts (repeaters.h) of the record's master (masterid): the instances of a newly
// saved master up to the horizon. The id of the last instance written, 0 when none was.
int gen_master_insts(Core& core, const TTxn& master);

// After an instance was edited and stored (only for a new record of kind Instance, and not
// while the healthcheck is making repairs). Changed dates (txndate as actualtxndate,
// pstgdate as date2) are not carried: "These changes cannot be carried forward to later
// instances\rField(s) : <list>". When any of ccy, amt, type, ref, description, accid1,
// accid2, accid4, channel changed and the master is active (missing: the program error
// "Rptr not found"; inactive: "Cannot apply to later instances since repeater is inactive"),
// asks "Also apply these changes to later instances?\rField(s) : <list>", and with k later
// instances "Update will impact <k> existing later instance[s] #<i+1>[ to #<gento>]\ras well
// as future instances - OK ?"; then deletes the later instances (del_insts_from), writes the
// changes into the master (update_master_from_txn) and generates them again from it
// (gen_master_insts). One undoable unit; true when carried forward.
bool apply_to_later_insts(Core& core, const TTxn& old_rec, const TTxn& new_rec);

}  // namespace mintor
