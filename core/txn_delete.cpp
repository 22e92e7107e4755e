#include "core/txn_delete.h"

#include "core/runstate.h"
#include "core/sql.h"
#include "core/undo.h"

namespace mintor {

bool delete_txn_pstgs(Core& core, int txnid) {
    if (txnid < 1) return true;  // txnid 0 holds the brought-forward postings of every account
    return run_undoable(core, [&] {
        exec_sql(core, QStringLiteral("delete from pstg where txnid=") + QString::number(txnid));
        set_rebalance_needed(core, true);
    });
}

bool delete_txn(Core& core, int txnid) {
    if (txnid < 1) return true;  // reminders with txnid 0 are free reminders, not a transaction's
    return run_undoable(core, [&] {
        const QString id = QString::number(txnid);
        delete_txn_pstgs(core, txnid);
        exec_sql(core, QStringLiteral("delete from remdr where txnid=") + id);
        exec_sql(core, QStringLiteral("delete from txn where id=") + id);
    });
}

}  // namespace mintor
