#pragma once
// Storing a transaction record, and storing it with its postings.
//
// Both are undoable units (undo.h): a database error undoes everything they wrote, is
// reported once by the outermost operation, and leaves the record as it was. Nothing here
// commits; the calling operation ends with commit_work.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Stores the record:
// 1. date2 equal to actualtxndate becomes 0 (the posting date is then txndate);
// 2. a master (kind Master) goes to rptr: its common fields (currency, amount, type, reference,
//    description, accounts, channel) and repeater fields; updated when its masterid names an
//    existing repeater, else inserted with a new id, which becomes the record's masterid.
//    Nothing is written to txn;
// 3. any other record: the txn row is updated when one with the record's id exists, else
//    inserted (a new id allocated when id is 0, next_txn_id); a batch number of -1 is
//    written as the record's own id;
// 4. link_cpty_ctgy (cptyctgy.h).
// The id, master id and batch number written are left in the record. False when nothing was
// written: no new id (the txn / pstg mismatch message has been shown) or a database error.
bool write_txn(Core& core, TTxn& rec);

// write_txn, then post_txn (posting.h) when it succeeded; one undoable unit. Does not delete
// postings: a caller re-posting an existing transaction calls delete_txn_pstgs first.
bool save_txn(Core& core, TTxn& rec);

// The repeater row of a master record (id = the record's masterid).
TRptr rptr_from_txn(const TTxn& rec);

}  // namespace mintor
