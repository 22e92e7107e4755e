#include "core/repeater_insts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <vector>

#include "core/abandon.h"
#include "core/repeaters_store.h"
#include "core/runners.h"
#include "core/sql.h"
#include "core/txn_delete.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

struct InstRow {
    int id = 0;
    int instance = 0;
};

// The instance query: the master's instances numbered from_inst upward, in instance order.
std::vector<InstRow> instances_from(Core& core, int master_id, int from_inst) {
    const QString sql = sql_lines({QStringLiteral("select *"), QStringLiteral("from txn"),
                                   QStringLiteral("where (masterid = :masterid) and (instance >= :frominst)"),
                                   QStringLiteral("order by instance")});
    QSqlQuery q(core.db());
    if (!q.prepare(sql)) throw_db_error(sql, q.lastError());
    q.bindValue(QStringLiteral(":masterid"), master_id);
    q.bindValue(QStringLiteral(":frominst"), from_inst);
    if (!q.exec()) throw_db_error(sql, q.lastError());
    std::vector<InstRow> rows;
    while (q.next()) rows.push_back({field_int(q, QStringLiteral("id")), field_int(q, QStringLiteral("instance"))});
    return rows;
}

// The names of the fields of the instance that regeneration would not write as they are.
QStringList differences(const TRptr& m, const TTxn& t) {
    QStringList d;
    if (t.txndate != instance_date(m, t.instance)) d << QStringLiteral("txndate");
    if (!is_null_date(t.date2) && t.date2 != t.actualtxndate) d << QStringLiteral("pstgdate");
    if (t.ccy.trimmed() != m.ccy.trimmed()) d << QStringLiteral("ccy");
    if (t.amt != m.amt) d << QStringLiteral("amt");
    if (t.accid1 != m.accid1) d << QStringLiteral("accid1");
    if (t.accid2 != m.accid2) d << QStringLiteral("accid2");
    if (t.accid4 != m.accid4) d << QStringLiteral("accid4");
    if (t.type != m.type) d << QStringLiteral("txntype");
    if (t.chnum != m.chnum) d << QStringLiteral("channel");
    return d;
}

}  // namespace

bool chk_insts(Core& core, int master_id, int from_inst) {
    TRptr master;
    if (!read_rptr(core, master_id, master)) {
        show_msg(QStringLiteral("Master not found"));
        return true;
    }
    for (const InstRow& row : instances_from(core, master_id, from_inst)) {
        TTxn t;
        if (!read_txn(core, row.id, t)) {
            program_error(QStringLiteral("chk_insts ") + QStringLiteral("Instance #") + n(row.instance) +
                          QStringLiteral("missing "));
            return false;
        }
        const QStringList d = differences(master, t);
        if (!d.isEmpty()) {
            show_msg(QStringLiteral("Instance #") + n(row.instance) + QStringLiteral(" already differs from Master : ") +
                     d.join(QStringLiteral(", ")) + QStringLiteral("\r") +
                     QStringLiteral("Regeneration of this instance would lose this detail"));
            return false;
        }
    }
    return true;
}

bool del_insts_from(Core& core, int master_id, int from_inst) {
    TRptr master;
    const bool has_master = read_rptr(core, master_id, master);
    if (!chk_insts(core, master_id, from_inst)) {
        if (has_master && master.rptactive) {
            show_msg(QStringLiteral("You must deactivate the repeater to delete these instances"));
            return false;
        }
        if (!ask_yes(QStringLiteral("Repeater is already inactive, do you want to delete these instances ?")))
            return false;
    }
    const UnitResult r = run_abandonable(core, [&] {
        for (const InstRow& row : instances_from(core, master_id, from_inst)) {
            flash_progress(QStringLiteral("deleting instance #") + n(master_id) + QStringLiteral("-") + n(row.instance) +
                           QStringLiteral(" ..."));
            delete_txn(core, row.id);
        }
        flash_progress(QString());
        if (has_master && master.gento > from_inst - 1) {
            master.gento = from_inst - 1;
            if (!write_rptr(core, master)) throw Abandon{};
        }
    });
    if (r != UnitResult::Done) flash_progress(QString());
    return r == UnitResult::Done;
}

}  // namespace mintor
