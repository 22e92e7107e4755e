#pragma once
// Reading and writing repeater masters (rptr rows, TRptr), the date of instance n, and
// finding a repeater that uses an account. Generation of instances is the repeater engine's.
//
// Writes run under run_undoable (undo.h) and return false when a database error stopped
// them; nothing here commits.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// The date of instance n: startdate stepped n - 1 times by rptinc units of freq (D, W, M, Y;
// month and year steps keep the day number), then one normalisation of a day past the
// month's end into the next month. Another freq does not step. n < 1: the null date.
qwel::Date instance_date(const TRptr& rptr, int n);

// False (rec cleared) when there is no such master; reports nothing (callers use
// report_not_found with "Repeater master"). gento_date is the date of instance gento.
bool read_rptr(Core& core, int id, TRptr& rec);
// Full update of the row; editts := now (into the record too). A row that does not exist:
// "Repeater master not found " + id, false.
bool write_rptr(Core& core, TRptr& rec);
// Inserts the row with its createts, then write_rptr. An id below 1 is first allocated
// with next_rptr_id (ids.h). On failure the record is as before.
bool insert_rptr(Core& core, TRptr& rec);

// The lowest id of a repeater whose accid1, accid2 or accid4 is the account (only active
// ones when active_only), or 0.
int find_rptr_using(Core& core, int accid, bool active_only);

}  // namespace mintor
