#pragma once
// Deleting a transaction's postings (before it is posted again), deleting a transaction, and
// the user's deletion of a transaction with its checks and questions.
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

// The user's deletion of a transaction (postings list, transaction details, search results).
// Refused while the database is frozen ("Cannot delete txn, database is frozen"); a missing
// transaction is reported. Unless it is a reconciled balance (Z), its protected postings are
// asked about first (chk_freeze with an empty new record). Then:
// - a repeater instance: "Txn is a Repeater instance; also deactivate the Repeater and delete
//   any later instances?"
//   Yes: the later instances' protected postings are asked about too, an active master is
//     deactivated and this and every later instance deleted (del_insts_from);
//   No: the latest instance of an active master: "Deleted instance will be regenerated at
//     next Rebal (use Cancel instead to avoid this) - still ok to delete?", deleted with
//     del_insts_from (so gento steps back), then "Regenerate deleted instance now?" offers
//     gen_master_insts; any other instance: "Deleted instance will not be regenerated at next
//     Rebal - still ok to delete?" and delete_txn;
//   Cancel, or the question closed: nothing;
// - an FX gain/loss while another FX gain/loss posting is dated after its txndate: "Cannot
//   delete FX gain/loss - more recent found" (they are deleted newest first);
// - otherwise "Unreconcile balance?" (Z) or "Delete txn #<id> ?"; yes deletes it (delete_txn).
//   Deleting the reconciled balance dated on the account's reconciled date moves that date
//   back to the account's newest remaining reconciled balance (empty when none is left); an
//   older one leaves it alone.
// RebalNeeded is set after a deletion. One undoable unit: any refusal or database error
// leaves everything as it was. True = deleted.
bool safe_del_txnid(Core& core, int txnid);

}  // namespace mintor
