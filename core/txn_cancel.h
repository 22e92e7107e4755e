#pragma once
// Cancelling and uncancelling a transaction: a cancelled transaction keeps its postings, with
// zero amounts and values (posting.h), so it stays visible in every postings list.

#include "core/core.h"

namespace mintor {

// The menus ask "Cancel transaction - OK ?" or "Uncancel transaction - OK ?" first; the
// caption of their item is cancel_txn_caption of the transaction's state.
QString cancel_txn_caption(bool cancelled);

// Gives the transaction the cancelled flag: refused while the database is frozen ("Cannot
// cancel txn, database is frozen"); a missing transaction is reported; a flag that already
// has the wanted value gives "Transaction is already cancelled/uncancelled". The protected
// postings it changes are asked about (chk_freeze of the transaction against itself with the
// flag flipped); then it is re-posted (delete_txn_pstgs, write_txn, post_txn). One undoable
// unit; true = done.
bool cancel_txn(Core& core, int txnid, bool cancelled);

}  // namespace mintor
