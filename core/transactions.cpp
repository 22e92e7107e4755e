#include "core/transactions.h"

#include <QSqlError>

#include "core/sql.h"

namespace mintor {

namespace {
// The driver does not say whether a transaction is open, so the core keeps count.
bool& active_flag(const Core& core) { return const_cast<Core&>(core).transaction_open; }
}  // namespace

bool transaction_active(const Core& core) { return core.transaction_open; }

void ensure_transaction(Core& core) {
    if (active_flag(core)) return;
    QSqlDatabase d = core.db();
    if (!d.isOpen()) throw DbError(QString(), QStringLiteral("-902"), QStringLiteral("Database not open"));
    if (!d.transaction()) {
        QSqlError e = d.lastError();
        throw DbError(QStringLiteral("start transaction"), e.nativeErrorCode(), e.text());
    }
    active_flag(core) = true;
}

void commit_work(Core& core) {
    commit_retaining(core);
    ensure_transaction(core);
}

void commit_retaining(Core& core) {
    if (!active_flag(core)) return;
    QSqlDatabase d = core.db();
    active_flag(core) = false;
    ++core.commit_count;
    if (!d.commit()) {
        QSqlError e = d.lastError();
        throw DbError(QStringLiteral("commit"), e.nativeErrorCode(), e.text());
    }
}

}  // namespace mintor
