#include "core/undo.h"

#include <QSqlError>
#include <QSqlQuery>

#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/dialogs.h"

namespace mintor {

namespace {
void savepoint_statement(Core& core, const QString& sql) {
    QSqlQuery q(core.db());
    if (!q.exec(sql)) {
        throw DbError(sql, q.lastError().nativeErrorCode(), q.lastError().databaseText());
    }
}
}  // namespace

bool run_undoable(Core& core, const std::function<void()>& op) {
    ensure_transaction(core);
    const QString name = QStringLiteral("MINTOR_OP%1").arg(core.undo_depth + 1);
    savepoint_statement(core, QStringLiteral("SAVEPOINT ") + name);
    ++core.undo_depth;
    const int commits = core.commit_count;
    try {
        op();
    } catch (const DbError& e) {
        --core.undo_depth;
        if (core.commit_count == commits) {
            try {
                savepoint_statement(core, QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
                savepoint_statement(core, QStringLiteral("RELEASE SAVEPOINT ") + name + QStringLiteral(" ONLY"));
            } catch (const DbError&) {
                // the report below is what the user needs; a failed undo adds nothing they can act on
            }
        }
        if (core.undo_depth > 0) throw;
        qwel::show_msg(e.report());
        return false;
    } catch (...) {
        --core.undo_depth;
        if (core.commit_count == commits) {
            try {
                savepoint_statement(core, QStringLiteral("ROLLBACK TO SAVEPOINT ") + name);
            } catch (const DbError&) {
            }
        }
        throw;
    }
    --core.undo_depth;
    if (core.commit_count != commits) return true;
    savepoint_statement(core, QStringLiteral("RELEASE SAVEPOINT ") + name + QStringLiteral(" ONLY"));
    return true;
}

}  // namespace mintor
