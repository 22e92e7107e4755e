#include "core/runners.h"

#include <QSqlError>

#include "core/sql.h"
#include "core/transactions.h"

namespace mintor {

void set_sql(CoreQuery& query, const QString& text) {
    query.close();
    query.sql.clear();
    query.sql << text;
}

void run_sql(Core& core, CoreQuery& query, const QString& text) {
    set_sql(query, text);
    ensure_transaction(core);
    const QString statement = query.sql.join(QLatin1Char('\n'));
    QSqlQuery q(core.db());
    const bool is_select = statement.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
    q.setForwardOnly(!is_select);
    if (!q.exec(statement)) throw_db_error(statement, q.lastError());
    if (!is_select) return;
    query.rows = std::move(q);
    query.open = true;
    query.eof = !query.rows.first();
}

void run_q1(Core& core, const QString& text) { run_sql(core, core.store.q1, text); }

void run_cursor(Core& core, const QString& text) { run_sql(core, core.store.cursor, text); }

QString sql_lines(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }

int count_rows(Core& core, const QString& table, const QString& condition) {
    QStringList lines{QStringLiteral("select count(*) as ct from ") + table};
    if (!condition.isEmpty()) lines << QStringLiteral("where ") + condition;
    return int(query_int64(core, sql_lines(lines)));
}

}  // namespace mintor
