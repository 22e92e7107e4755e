#pragma once
// Batches: transactions with the same batchnum, numbered by the transaction that heads the
// batch (whose own batchnum is its id). A record saved with batch number -1 heads a batch of
// its own (write_txn). Every posting carries its transaction's batch number.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Whether transaction b can take new members: false after "Txn not found <b>" when there is
// no such transaction, and after "Transaction #<b> is already in a batch (#<n>)" when it is a
// member of another batch; true when it heads batch b, or when it is in no batch, in which
// case it becomes the head (batchnum := b, stored with write_txn, its postings' batch
// numbers updated). One undoable unit: false also when a database error stopped it.
bool chk_batch(Core& core, int b);

// Rewrites the transaction's postings that carry another batch number than the
// transaction's: those of its accounts and the diary entry's, which has none. Part of the
// calling operation (no undo unit of its own).
void update_pstg_batchnums(Core& core, const TTxn& txn);

// Puts the transaction into the batch whose number is asked ("Batch number"): chk_batch of
// that number (which makes a transaction in no batch its head), then the transaction takes
// the batch number, is stored and its postings follow. Refused while the database is frozen
// ("Cannot add txn to batch, database is frozen"), for a missing transaction (reported), and
// for one already in a batch ("Transaction #<id> is already in a batch (#<n>)"). One
// undoable unit; true = done.
bool add_to_batch(Core& core, int txnid);

// Takes the transaction out of its batch (batch number 0, stored, its postings follow); the
// other members of the batch stay as they are, also when it heads it. Refused while the
// database is frozen ("Cannot remove txn from batch, database is frozen"); a missing
// transaction is reported. True = done (also when it was in no batch: nothing to write).
bool remove_from_batch(Core& core, int txnid);

}  // namespace mintor
