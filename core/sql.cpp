#include "core/sql.h"

#include <QSqlError>
#include <QSqlRecord>

#include "core/transactions.h"

namespace mintor {

DbError::DbError(QString sql, QString native_code, QString message)
    : std::runtime_error(message.toStdString()),
      sql_(std::move(sql)),
      code_(std::move(native_code)),
      message_(std::move(message)) {}

QString DbError::report() const { return QStringLiteral("EDatabaseError") + QStringLiteral("\r\n") + message_; }

void throw_db_error(const QString& sql, const QSqlError& e) {
    QString msg = e.databaseText();
    if (msg.isEmpty()) msg = e.driverText();
    else if (!e.driverText().isEmpty() && !msg.contains(e.driverText()))
        msg = e.driverText() + QStringLiteral("\n") + msg;
    throw DbError(sql, e.nativeErrorCode(), msg);
}

namespace {

[[noreturn]] void raise(const QString& sql, const QSqlError& e) { throw_db_error(sql, e); }

QSqlQuery prepare_on(Core& core) {
    ensure_transaction(core);
    QSqlQuery q(core.db());
    q.setForwardOnly(true);
    return q;
}

}  // namespace

int exec_sql(Core& core, const QString& sql) {
    QSqlQuery q = prepare_on(core);
    if (!q.exec(sql)) raise(sql, q.lastError());
    // the driver has no row count for schema statements (and warns when asked)
    const QString head = sql.trimmed().left(6).toLower();
    if (head.startsWith(QLatin1String("alter")) || head.startsWith(QLatin1String("create")) ||
        head.startsWith(QLatin1String("drop")))
        return 0;
    return q.numRowsAffected();
}

QSqlQuery open_query(Core& core, const QString& sql) {
    QSqlQuery q = prepare_on(core);
    if (!q.exec(sql)) raise(sql, q.lastError());
    return q;
}

QVariant query_value(Core& core, const QString& sql, const QVariant& dflt) {
    QSqlQuery q = open_query(core, sql);
    if (!q.next()) return dflt;
    return q.value(0);
}

qint64 query_int64(Core& core, const QString& sql, qint64 dflt) {
    QVariant v = query_value(core, sql, dflt);
    return v.isNull() ? dflt : v.toLongLong();
}

int field_int(const QSqlQuery& q, const QString& name) {
    QVariant v = q.value(name);
    return v.isNull() ? 0 : v.toInt();
}

qint64 field_int64(const QSqlQuery& q, const QString& name) {
    QVariant v = q.value(name);
    return v.isNull() ? 0 : v.toLongLong();
}

QString field_str(const QSqlQuery& q, const QString& name) {
    QVariant v = q.value(name);
    return v.isNull() ? QString() : v.toString();
}

double field_float(const QSqlQuery& q, const QString& name) {
    QVariant v = q.value(name);
    return v.isNull() ? 0.0 : v.toDouble();
}

bool field_is_null(const QSqlQuery& q, const QString& name) { return q.value(name).isNull(); }

}  // namespace mintor
