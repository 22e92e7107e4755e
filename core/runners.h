#pragma once
// The SQL runners over the core's named queries (core.store.q1, core.store.cursor, ...).
// exec_sql (sql.h) runs one statement that returns no rows. A statement the server refuses
// throws DbError (sql.h); run writes under run_undoable (undo.h).
//
// The record store's own reads and writes run on queries of their own, so a caller walking
// q1 or the cursor query is never disturbed by a record read or write in its loop.

#include <QString>
#include <QStringList>

#include "core/core.h"

namespace mintor {

// Closes the query, clears its SQL and adds the text.
void set_sql(CoreQuery& query, const QString& text);
// set_sql; a text beginning with "select" (any letter case) opens the query on its first
// row, any other text is executed (and the query is left closed).
void run_sql(Core& core, CoreQuery& query, const QString& text);
void run_q1(Core& core, const QString& text);
void run_cursor(Core& core, const QString& text);
// Lines of a statement built one line at a time, sent as one text.
QString sql_lines(const QStringList& lines);
// "select count(*) as ct from " + table, and "where " + condition on a second line when the
// condition is not empty; the count.
int count_rows(Core& core, const QString& table, const QString& condition);

}  // namespace mintor
