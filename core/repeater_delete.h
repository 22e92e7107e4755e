#pragma once
// Ending a repeater: deactivating a master, deleting its row, and deleting a master with or
// without its instances. Undoable units (undo.h); nothing here commits.

#include "core/core.h"

namespace mintor {

// "update rptr set rptactive=0 where id=" + id: the master generates no more instances.
// True unless a database error stopped it.
bool deactivate_rptr(Core& core, int master_id);

// "delete from rptr where id=" + id. Its instances stay as they are. True unless a database
// error stopped it.
bool delete_rptr_row(Core& core, int master_id);

// Deletes an inactive master ("Cannot delete - Repeater Master is still active" for an
// active one; a missing one is reported as not found). Without instances: "Delete Repeater
// #<id>  Master with no instances - are you sure?". With k instances the choice "Delete
// Repeater #<id> : also delete <k> Instance(s)?" between "Retain Instances" and "Delete
// Instances", then "... Master, retaining Instances as stand-alone txns - are you sure?" or
// "... Master and all Instances - are you sure?". Deleting the instances also asks "Delete
// <k> instances, are you really sure?", is refused while the database is frozen, asks the
// posting freeze and reconciled-balance check (chk_freeze) of every instance, and deletes
// them with del_insts_from. Retained instances keep their masterid and instance number.
// True when the master was deleted; any refusal leaves everything as it was.
bool delete_rptr(Core& core, int master_id);

}  // namespace mintor
