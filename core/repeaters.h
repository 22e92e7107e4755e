#pragma once
// Generating repeater instances: the instances of one master up to the generation horizon,
// one instance, more instances on demand, and the reminder written with each instance.
//
// An instance is a txn row with masterid = the master's id and instance = 1, 2, ...; its
// date is instance_date (repeaters_store.h), always computed from the start date. A master
// whose freq is not D, W, M or Y, or whose rptinc is below 1, does not repeat.
//
// Each operation is one undoable unit (undo.h): a database error undoes all it wrote and is
// reported once. Nothing here commits: the calling operation ends with commit_work.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Generates the master's instances up to core.run.horizon (which becomes the period end To
// when still unset). Refused while the database is frozen ("Cannot generate repeater
// instances, database is frozen"). From gento on: stops at once when instance gento is
// already past the horizon; otherwise, for i = gento + 1, ...: an instance past enddate or
// above rptct makes the master inactive (stored) and ends; else gento := i is stored, the
// instance is written (gen_inst), and generation ends after a failed instance or after the
// first instance dated past the horizon (so an active repeater always has its next instance
// beyond the horizon in the ledger). Progress "Generating repeater instance #<id>-<i> ..."
// goes to the status line and is cleared at the end. The master record follows what was
// stored. The id of the last instance written, 0 when none was.
int gen_rptr_insts(Core& core, TRptr& master);

// Writes instance n of the master (whose gento must be at least n: else the program error
// "gen_inst<n> > <gento>"). Nothing, silently, when its date is before the database start
// date. A missing account (accid1, accid2, and for P and R accid4) gives "Account #<id> not
// found, cannot generate Repeater #<master> instance". The value comes from calc_txn_val
// (no rate: nothing written) and chk_freeze is asked with an empty old record; then the row
// is inserted with txndate = date2 = actualtxndate = the instance date, posted, and its
// reminder written (add_reminder). The new instance's id, 0 when none was written.
int gen_inst(Core& core, int n, TRptr& master);

// Reads the master and runs gen_rptr_insts. Id 0: the program error "Trying to gen insts for
// zero master"; a missing master: "Repeater master not found <id>". The id of the last
// instance written, 0 when none was.
int gen_master_insts(Core& core, int master_id);

// Asks "How many additional instances to generate (max 12) ?"; for 1 to 12, writes that
// many instances after gento (gento stepped and stored before each one), whatever the
// master's activity, end date, count and the horizon, then "Additional instances generated
// ok". An instance that cannot be written ends it there (its message has been shown).
// Refused while the database is frozen. True when the instances were written.
bool gen_more_insts(Core& core, int master_id);

// The reminder of a newly written instance, when its rmdays is not 0: a remdr row with the
// instance id, empty text, rmdate = txndate moved back rmdays days (a negative rmdays gives
// txndate) and tgdate = txndate; id = the highest reminder id + 1. False when a database
// error stopped it.
bool add_reminder(Core& core, const TTxn& instance);

}  // namespace mintor
