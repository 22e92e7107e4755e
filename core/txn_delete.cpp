#include "core/txn_delete.h"

#include <QSqlQuery>
#include <vector>

#include "core/abandon.h"
#include "core/accounts.h"
#include "core/dbstatus.h"
#include "core/freeze_checks.h"
#include "core/repeater_delete.h"
#include "core/repeater_insts.h"
#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/txnrows.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

TTxn empty_record(const Core& core) {
    TTxn t;
    init_txn(core, t);
    return t;
}

// The freeze and reconciled-balance check of deleting the master's instances after this one.
bool later_instances_may_go(Core& core, const TTxn& inst) {
    std::vector<int> ids;
    QSqlQuery q = open_query(core, QStringLiteral("select id from txn where masterid=") + n(inst.masterid) +
                                       QStringLiteral(" and instance > ") + n(inst.instance) +
                                       QStringLiteral(" order by instance"));
    while (q.next()) ids.push_back(q.value(0).toInt());
    const TTxn none = empty_record(core);
    for (const int id : ids) {
        TTxn later;
        if (read_txn(core, id, later) && !chk_freeze(core, later, none)) return false;
    }
    return true;
}

// Step 2 of the deletion: a repeater instance. Throws Abandon on a refusal.
void delete_instance(Core& core, const TTxn& t) {
    TRptr master;
    const bool has_master = read_rptr(core, t.masterid, master);
    const char answer = ask_ync(QStringLiteral(
        "Txn is a Repeater instance; also deactivate the Repeater and delete any later instances?"));
    switch (answer) {
    case 'Y':
        if (!later_instances_may_go(core, t)) throw Abandon{};
        if (has_master && master.rptactive) deactivate_rptr(core, t.masterid);
        if (!del_insts_from(core, t.masterid, t.instance)) throw Abandon{};
        return;
    case 'N':
        if (has_master && master.rptactive && t.instance == master.gento) {
            if (!ask_yes(QStringLiteral("Deleted instance will be regenerated at next Rebal (use Cancel instead to avoid "
                                        "this)") +
                         QStringLiteral(" - still ok to delete?")))
                throw Abandon{};
            if (!del_insts_from(core, t.masterid, t.instance)) throw Abandon{};
            if (ask_yes(QStringLiteral("Regenerate deleted instance now?"))) gen_master_insts(core, t.masterid);
        } else {
            if (!ask_yes(QStringLiteral("Deleted instance will not be regenerated at next Rebal") +
                         QStringLiteral(" - still ok to delete?")))
                throw Abandon{};
            delete_txn(core, t.id);
        }
        return;
    case 'C':
    case ' ':  // the question was closed: as Cancel
        throw Abandon{};
    default:
        show_msg(QStringLiteral("safe_del_txnid invalid yesnocancel \"") + QChar::fromLatin1(answer) + QStringLiteral("\""));
        throw Abandon{};
    }
}

bool later_fx_gain_loss(Core& core, const TTxn& t) {
    QSqlQuery q = open_query(core, QStringLiteral("select p.txnid, p.objid, p.pstgdate from pstg p where (p.txntype='F') "
                                                  "and (p.pstgdate >= ") +
                                       n(date_to_int(t.txndate) + 1) + QStringLiteral(")"));
    return q.next();
}

// The account's reconciled date after its reconciled balance t is deleted: the newest other
// reconciled balance of the account that is not cancelled, when t was the one the date names.
void reconciled_date_after_delete(Core& core, const TTxn& t) {
    Tacc acc;
    if (!read_acc(core, t.accid1, acc)) return;
    if (acc.reconciled_date != t.txndate) return;  // an older reconciled balance: the date stays
    const int newest = int(query_int64(core,
                                       QStringLiteral("select max(txndate) from txn where (\"type\"='Z') and (accid1=") +
                                           n(t.accid1) + QStringLiteral(") and (id<>") + n(t.id) +
                                           QStringLiteral(") and (cancelled=0)"),
                                       0));
    acc.reconciled = newest > 0 ? format_date(int_to_date(newest)) : QString();
    acc.reconciled_date = newest > 0 ? int_to_date(newest) : Date{};
    if (!save_acc(core, acc)) throw Abandon{};
}

}  // namespace

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

bool safe_del_txnid(Core& core, int txnid) {
    if (chk_frozen(core, QStringLiteral("delete txn"))) return false;
    TTxn t;
    if (!read_txn_or_report(core, txnid, t)) return false;
    const bool z = t.type == QLatin1Char('Z');
    const UnitResult r = run_abandonable(core, [&] {
        if (!z && !chk_freeze(core, t, empty_record(core))) throw Abandon{};
        if (t.instance > 0) {
            delete_instance(core, t);
        } else {
            if (t.type == QLatin1Char('F') && later_fx_gain_loss(core, t)) {
                show_msg(QStringLiteral("Cannot delete FX gain/loss - more recent found"));
                throw Abandon{};
            }
            if (!ask_yes(z ? QStringLiteral("Unreconcile balance?")
                           : QStringLiteral("Delete txn #") + n(txnid) + QStringLiteral(" ?")))
                throw Abandon{};
            if (z) reconciled_date_after_delete(core, t);
            delete_txn(core, txnid);
        }
        set_rebalance_needed(core, true);
    });
    return r == UnitResult::Done;
}

}  // namespace mintor
