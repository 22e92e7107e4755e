#include "core/repeaters.h"

#include "core/dbstatus.h"
#include "core/not_found.h"
#include "core/posting.h"
#include "core/record_write.h"
#include "core/repeaters_store.h"
#include "core/rptr_record.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/txn_checks.h"
#include "core/txn_value.h"
#include "core/txnrows.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

bool acc_exists(Core& core, int id) {
    QSqlQuery q = open_query(core, QStringLiteral("select id from account where id=") + n(id));
    return q.next();
}

// The last of accid1, accid2 and (for P and R) accid4 that names no account, or 0.
int missing_account(Core& core, const TRptr& m) {
    int missing = 0;
    if (m.accid1 > 0 && !acc_exists(core, m.accid1)) missing = m.accid1;
    if (m.accid2 > 0 && !acc_exists(core, m.accid2)) missing = m.accid2;
    const bool pr = m.type == QLatin1Char('P') || m.type == QLatin1Char('R');
    if (pr && m.accid4 > 0 && !acc_exists(core, m.accid4)) missing = m.accid4;
    return missing;
}

bool after(Date a, Date b) { return compare_date(a, b) > 0; }

}  // namespace

bool add_reminder(Core& core, const TTxn& inst) {
    if (inst.rmdays == 0) return true;
    return run_undoable(core, [&] {
        const Date tgdate = inst.txndate;
        const Date rmdate = inst.rmdays > 0 ? days_before(tgdate, inst.rmdays) : tgdate;
        const qint64 id = query_int64(core, QStringLiteral("select max(id) as mx from remdr")) + 1;
        exec_sql(core, QStringLiteral("insert into remdr (id, txnid, text, rmdate, tgdate) values (") + n(id) +
                           QStringLiteral(", ") + n(inst.id) + QStringLiteral(", ") + sql_quote(QString()) +
                           QStringLiteral(", ") + n(date_to_int(rmdate)) + QStringLiteral(", ") +
                           n(date_to_int(tgdate)) + QStringLiteral(")"));
    });
}

int gen_inst(Core& core, int inst_no, TRptr& master) {
    const Date d = instance_date(master, inst_no);
    if (!is_null_date(core.params.start_date) && compare_date(d, core.params.start_date) < 0) return 0;
    if (master.gento < inst_no) {
        program_error(QStringLiteral("gen_inst") + n(inst_no) + QStringLiteral(" > ") + n(master.gento));
        return 0;
    }
    int new_id = 0;
    run_undoable(core, [&] {
        TTxn inst = txn_from_rptr(core, master);
        if (const int missing = missing_account(core, master)) {
            show_msg(QStringLiteral("Account #") + n(missing) + QStringLiteral(" not found, cannot generate Repeater #") +
                     n(master.id) + QStringLiteral(" instance"));
            return;
        }
        inst.id = 0;
        inst.kind = TxnKind::Instance;
        inst.instance = inst_no;
        inst.txndate = d;
        if (!calc_txn_val(core, inst)) return;
        inst.actualtxndate = d;
        inst.date2 = d;  // stored with all three dates equal: read back without a posting date
        TTxn empty;
        init_txn(core, empty);
        if (!chk_freeze(core, empty, inst)) return;
        if (!insert_txn_row(core, inst)) return;
        post_txn(core, inst);
        add_reminder(core, inst);
        new_id = inst.id;
    });
    return new_id;
}

int gen_rptr_insts(Core& core, TRptr& master) {
    if (!is_repeating_freq(master.freq) || master.rptinc < 1) return 0;
    if (chk_frozen(core, QStringLiteral("generate repeater instances"))) return 0;
    if (is_null_date(core.run.horizon)) core.run.horizon = core.run.to;
    const Date horizon = core.run.horizon;
    int i = master.gento;
    if (i > 0 && after(instance_date(master, i), horizon)) return 0;

    // the status line as it was, shown again once the progress text is done with
    const QString caption = core.view.panel3_caption;
    const unsigned colour = core.view.panel3_colour;
    const bool rebal_needed = core.run.rebal_needed;
    int last = 0;
    const bool ok = run_record_write(core, master, [&] {
        for (;;) {
            ++i;
            const Date d = instance_date(master, i);
            if ((!is_null_date(master.enddate) && after(d, master.enddate)) || (master.rptct > 0 && i > master.rptct)) {
                master.rptactive = false;
                write_rptr(core, master);
                break;
            }
            show_status_more(core, QStringLiteral("Generating repeater instance #") + n(master.id) + QStringLiteral("-") +
                                       n(i) + QStringLiteral(" ..."));
            master.gento = i;
            if (!write_rptr(core, master)) break;  // the row has gone: its message has been shown
            const int id = gen_inst(core, i, master);
            if (id > 0) last = id;
            if (id == 0 || after(d, horizon)) break;
        }
    });
    master.gento_date = instance_date(master, master.gento);
    core.view.panel3_caption = caption;
    core.view.panel3_colour = colour;
    if (core.run.rebal_needed != rebal_needed) show_rebal_state(core);
    else core.view_changed();
    return ok ? last : 0;
}

int gen_master_insts(Core& core, int master_id) {
    if (master_id == 0) {
        program_error(QStringLiteral("Trying to gen insts for zero master"));
        return 0;
    }
    TRptr master;
    if (!read_rptr(core, master_id, master)) {
        report_not_found(QStringLiteral("Repeater master"), master_id);
        return 0;
    }
    return gen_rptr_insts(core, master);
}

bool gen_more_insts(Core& core, int master_id) {
    TRptr master;
    if (!read_rptr(core, master_id, master)) {
        report_not_found(QStringLiteral("Repeater master"), master_id);
        return false;
    }
    if (chk_frozen(core, QStringLiteral("generate repeater instances"))) return false;
    int count = 0;
    if (!ask_int(QStringLiteral("How many additional instances to generate (max 12) ?"), count)) return false;
    if (count < 1 || count > 12) return false;
    bool all = true;
    const bool ok = run_record_write(core, master, [&] {
        for (int k = 0; k < count && all; ++k) {
            ++master.gento;
            all = write_rptr(core, master) && gen_inst(core, master.gento, master) > 0;
        }
    });
    if (!ok || !all) return false;
    show_msg(QStringLiteral("Additional instances generated ok"));
    return true;
}

}  // namespace mintor
