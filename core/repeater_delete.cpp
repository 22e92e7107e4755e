#include "core/repeater_delete.h"

#include <QSqlQuery>
#include <vector>

#include "core/abandon.h"
#include "core/dbstatus.h"
#include "core/not_found.h"
#include "core/repeater_insts.h"
#include "core/repeaters_store.h"
#include "core/runners.h"
#include "core/sql.h"
#include "core/txn_checks.h"
#include "core/txnrows.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

// The freeze and reconciled-balance check of deleting each instance del_insts_from deletes.
bool instances_may_go(Core& core, int master_id) {
    std::vector<int> ids;
    QSqlQuery q = open_query(core, QStringLiteral("select id from txn where masterid=") + n(master_id) +
                                       QStringLiteral(" and instance >= 1 order by instance"));
    while (q.next()) ids.push_back(q.value(0).toInt());
    TTxn none;
    init_txn(core, none);
    for (const int id : ids) {
        TTxn inst;
        if (!read_txn(core, id, inst)) continue;
        if (!chk_freeze(core, inst, none)) return false;
    }
    return true;
}

}  // namespace

bool deactivate_rptr(Core& core, int master_id) {
    return run_undoable(core, [&] { exec_sql(core, QStringLiteral("update rptr set rptactive=0 where id=") + n(master_id)); });
}

bool delete_rptr_row(Core& core, int master_id) {
    return run_undoable(core, [&] { exec_sql(core, QStringLiteral("delete from rptr where id=") + n(master_id)); });
}

bool delete_rptr(Core& core, int master_id) {
    TRptr master;
    if (!read_rptr(core, master_id, master)) {
        report_not_found(QStringLiteral("Repeater master"), master_id);
        return false;
    }
    if (master.rptactive) {
        show_msg(QStringLiteral("Cannot delete - Repeater Master is still active"));
        return false;
    }
    const int k = count_rows(core, QStringLiteral("txn"), QStringLiteral("masterid=") + n(master_id));
    const QString text = QStringLiteral("Delete Repeater #") + n(master_id) + QStringLiteral(" ");
    bool delete_insts = false;
    if (k == 0) {
        if (!ask_yes(text + QStringLiteral(" Master with no instances") + QStringLiteral(" - are you sure?"))) return false;
    } else {
        const int choice = ask_choice(text + QStringLiteral(": also delete ") + n(k) + QStringLiteral(" Instance(s)?"),
                                      QStringLiteral("Retain Instances"), QStringLiteral("Delete Instances"));
        if (choice != 1 && choice != 2) return false;
        delete_insts = choice == 2;
        // deleting the instances deletes transactions
        if (delete_insts && chk_frozen(core, QStringLiteral("delete txn"))) return false;
        const QString what = delete_insts ? QStringLiteral("Master and all Instances")
                                          : QStringLiteral("Master, retaining Instances as stand-alone txns");
        if (!ask_yes(text + what + QStringLiteral(" - are you sure?"))) return false;
        if (delete_insts && !ask_yes(QStringLiteral("Delete ") + n(k) + QStringLiteral(" instances, are you really sure?")))
            return false;
    }
    const UnitResult r = run_abandonable(core, [&] {
        if (delete_insts) {
            if (!instances_may_go(core, master_id)) throw Abandon{};
            if (!del_insts_from(core, master_id, 1)) throw Abandon{};
        }
        delete_rptr_row(core, master_id);
    });
    return r == UnitResult::Done;
}

}  // namespace mintor
