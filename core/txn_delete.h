#pragma once
// Deleting a transaction's postings (before it is posted again) and deleting a transaction.
// Undoable units (undo.h); nothing here commits.

#include "core/core.h"

namespace mintor {

// "delete from pstg where txnid=" + id, then RebalNeeded is set. False when a database error
// stopped it. An id below 1 names no transaction (txnid 0 is every account's brought-forward
// posting): nothing is deleted.
bool delete_txn_pstgs(Core& core, int txnid);

// Deletes the postings (delete_txn_pstgs), the reminders ("delete from remdr where txnid=" +
// id) and the row ("delete from txn where id=" + id). True unless a database error stopped
// it, in which case none of it stays. An id below 1 deletes nothing (reminders with txnid 0
// are the free reminders).
bool delete_txn(Core& core, int txnid);

}  // namespace mintor
