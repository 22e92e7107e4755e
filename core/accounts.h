#pragma once
// Reading and writing account rows (Tacc), their movte row and period movements.
//
// Writes run under run_undoable (undo.h): a database error undoes the whole write, is
// reported once, and the function returns false (inside an enclosing operation the error
// goes on to that operation instead). Nothing here commits: the caller ends its operation
// with commit_work. Reads throw DbError when the server refuses them.
//
// The optimistic lock: a record's editts is the stored editts when it was read. Every write
// stamps the row with a new editts (strictly later than the one it replaces) and leaves the
// record's editts as it was, so a record is saved through save_acc once; read the account
// again before saving it a second time.

#include <QString>

#include "core/core.h"
#include "core/records.h"
#include "core/store_state.h"

namespace mintor {

// Clears the record for a new account (see records.h): ccy = the base currency, dates open,
// path " ". The type code is left as the caller set it.
void init_acc(const Core& core, Tacc& rec);

// Reads the account (with its movte dates) into rec and its note into the read-note buffer
// (notes.h). False, with rec cleared, when id <= 0 or there is no such row.
bool read_acc(Core& core, int id, Tacc& rec);
// read_acc; when false, "Account not found " + id.
bool read_acc_or_report(Core& core, int id, Tacc& rec);
// The name of an account, or empty when there is none (does not touch the note buffers).
QString acc_name(Core& core, int id);

// Full update of the row. Refused (program error, nothing written, false) when the ccy is not
// three characters, or for a category or pot not in the base currency. Derives btype and
// isgrp from type2 (into the record too). Writes the note only when the note-changed flag is
// set, then clears it. Stamps with milliseconds are reported and written without them.
// A row that no longer exists: "Account not found " + id, false.
bool write_acc(Core& core, Tacc& rec);
// Validates as write_acc, then allocates an id when id < 1 (allocate_acc_id, ids.h), inserts
// the row with its createts, writes every column and adds the movte row (both dates
// 99999999). rec takes the id and createts; an empty name as read takes the name. On failure
// the record and lastaccid are as before.
bool insert_acc(Core& core, Tacc& rec);
// Writes only when the stored editts still equals the record's; otherwise
// "Program error : Downdating account #" + id + " " + "name" and nothing is written.
// A row that no longer exists: "Account not found " + id.
bool update_acc_guarded(Core& core, Tacc& rec);
// insert_acc when id is 0, else update_acc_guarded.
bool save_acc(Core& core, Tacc& rec);

// The account's movtg amounts ('A' row) in ccy. False when id < 1 or there is no account;
// an account without a movtg row gives zero figures.
bool read_movt(Core& core, int id, const QString& ccy, Tmovt& rec);

// Opens core.store.group on the group's members ("Select * from account where grpid =
// :grpid order by account.id"), on its first row. A group id below 1 is reported as the
// program error "open_q2grp" (and the query is still opened).
CoreQuery& open_group_members(Core& core, int grpid);

// At open: the account records of the sweep pot (SweepToPotId) and of the opening-balance
// pot (OpeningBalPotId) into core.store; an id of 0 leaves an empty record.
void read_open_records(Core& core);

}  // namespace mintor
