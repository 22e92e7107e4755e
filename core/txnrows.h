#pragma once
// Reading and writing transaction rows (txn, TTxn). The posting rules (which postings a
// transaction makes, its value, its companions) build on these.
//
// Writes run under run_undoable (undo.h) and return false when a database error stopped
// them; nothing here commits. Reads throw DbError when the server refuses them.

#include <QSqlQuery>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// A new record: all 0 or empty, ccy = the currency of new transactions (core.store.new_txn_ccy,
// else the base currency), rate 1.0, type P, dpdate set.
void init_txn(const Core& core, TTxn& rec);

// Fills rec from the current row of any query that has the txn columns: names of the three
// accounts and of the channel ("invalid chnum " + n when it does not exist), kind Instance
// when instance > 0. date2 reads as 0 when it equals actualtxndate. A row without a type
// letter shows "Invalid type for txn " + description and gets a blank type; a createts that
// disagrees with createdate/createtime is reported ("Createdate/time mismatch for txn #" + id).
void read_txn_row(Core& core, const QSqlQuery& q, TTxn& rec);
// False when id < 1 or there is no such row. An instance gets its master's repeater fields;
// when the master is missing its freq is 'X'.
bool read_txn(Core& core, int id, TTxn& rec);
// read_txn; when false, "Txn not found " + id.
bool read_txn_or_report(Core& core, int id, TTxn& rec);

// Full update of the row. editts := now; a batchnum of -1 becomes the record's id (both
// into the record). A row that does not exist: "Txn not found " + id, false.
bool write_txn_row(Core& core, TTxn& rec);
// Inserts a new row: an id of 0 is allocated with next_txn_id (ids.h; -1 gives false with
// nothing written); createts, createdate and createtime := now; then write_txn_row and, for
// P and R, the counterparty-category link (cptyctgy.h). On failure the record is as before.
bool insert_txn_row(Core& core, TTxn& rec);

// "#" + id + " " + txndate + " " + narrative: how messages name a transaction.
QString txn_description(const TTxn& rec);

}  // namespace mintor
