#pragma once
// Running SQL on the core's connection. Statements are built as text by the callers
// (values through qwel::sql_quote and decimal literals). A failing statement throws
// DbError, which the undo wrapper (undo.h) turns into a report and an undone operation.

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <stdexcept>

#include "core/core.h"

class QSqlError;

namespace mintor {

class DbError : public std::runtime_error {
public:
    DbError(QString sql, QString native_code, QString message);
    const QString& sql() const { return sql_; }
    const QString& native_code() const { return code_; }  // the SQLCODE as text
    const QString& message() const { return message_; }
    // The report shown to the user: class name, CR LF, message.
    QString report() const;

private:
    QString sql_, code_, message_;
};

// Throws the DbError for a statement the driver refused.
[[noreturn]] void throw_db_error(const QString& sql, const QSqlError& e);

// Runs one statement that returns no rows; returns the rows affected.
int exec_sql(Core& core, const QString& sql);
// Opens a query over the statement, positioned before the first row.
QSqlQuery open_query(Core& core, const QString& sql);
// Runs a statement expected to give one value (first column of the first row);
// an empty result gives dflt.
QVariant query_value(Core& core, const QString& sql, const QVariant& dflt = QVariant());
qint64 query_int64(Core& core, const QString& sql, qint64 dflt = 0);

// Field access by name; a null field gives 0 or empty text.
int field_int(const QSqlQuery& q, const QString& name);
qint64 field_int64(const QSqlQuery& q, const QString& name);
QString field_str(const QSqlQuery& q, const QString& name);
double field_float(const QSqlQuery& q, const QString& name);
bool field_is_null(const QSqlQuery& q, const QString& name);

}  // namespace mintor
