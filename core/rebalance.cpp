#include "core/rebalance.h"

#include <QSqlQuery>

#include "core/dbstatus.h"
#include "core/hierarchy.h"
#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/straddle.h"
#include "core/transactions.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QList<QPair<QString, qint64>> timings;
QElapsedTimer step_clock;

void close_timing() {
    if (!timings.isEmpty() && step_clock.isValid()) timings.last().second = step_clock.elapsed();
}

// A sum over no rows is one row of NULL, which would make the pot's brought-forward NULL:
// the washed totals give no row when there is nothing to wash.
const QString kNoEmptySum = QStringLiteral(" having count(*) > 0");

// The statements of the figures, steps 8 to 13, with From, To, the base currency and the pot.
void build_figures(Core& core) {
    const QString from = QString::number(core.run.from_int);
    const QString to = QString::number(core.run.to_int);
    const QString base = sql_quote(core.run.base_ccy);
    const QString pot = QString::number(core.settings.default_pot_id);
    const bool wash = core.run.wash_ctgies;
    auto run = [&](const QString& s) { exec_sql(core, s); };

    rebal_step(core, QStringLiteral("Delete MOVTE/F/G"));
    run(QStringLiteral("delete from movte"));
    run(QStringLiteral("delete from movtf"));
    run(QStringLiteral("delete from movtg"));

    rebal_step(core, QStringLiteral("bfd"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , bfd ) SELECT o.id, o.ccy, 'A', o.bfdbal from account o "
                       "where (o.type2 in (1,6) ) and (o.bfdbal <> 0)"));
    if (wash)
        run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , bfd ) SELECT ") + pot + QStringLiteral(" , ") + base +
            QStringLiteral(" , 'A' , sum(o.bfdbal) from account o where (o.type2 = 3) and (o.bfdbal <> 0)") +
            kNoEmptySum);
    else
        run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , bfd ) SELECT o.id , ") + base +
            QStringLiteral(" , 'A' , o.bfdbal from account o where (o.type2 = 3) and (o.bfdbal <> 0)"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , bfd ) SELECT o.id, o.ccy, 'V', o.bfdval from account o "
                       "where (o.isgrp=0) and (o.bfdbal <> 0) and (o.ccy <> ") +
        base + QStringLiteral(")"));

    rebal_step(core, QStringLiteral("pre-period"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , prepdnet ) select p.objid, p.ccy , 'A' , sum(p.amt) as "
                       "ptot from pstg p left join account o on o.id = p.objid where (o.type2 in ( 1 , 6 ) ) and "
                       "(p.txntype in ( 'P','R','F','C') ) and (p.pstgdate < ") +
        from + QStringLiteral(") group by p.objid, p.ccy"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , prepdnet ) select p.objid, p.ccy , 'V' , sum(p.val) as "
                       "ptot from pstg p left join account o on o.id = p.objid where (o.type2 = 1 ) and (p.txntype in ( "
                       "'P','R','F','C') ) and (p.pstgdate < ") +
        from + QStringLiteral(") and ( p.ccy <> ") + base + QStringLiteral(") group by p.objid, p.ccy"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , prepdnet ) ") +
        (wash ? QStringLiteral("SELECT ") + pot + QStringLiteral(" , ") + base + QStringLiteral(" , 'A' , sum(p.amt) as ptot")
              : QStringLiteral("SELECT o.id , ") + base + QStringLiteral(" , 'A' , p.amt as ptot")) +
        QStringLiteral(" from pstg p left join account o on o.id = p.objid where (o.type2 = 3 ) and (p.txntype in ( "
                       "'P','R' , 'F','C') ) and (p.pstgdate < ") +
        from + QStringLiteral(") ") + (wash ? kNoEmptySum : QString()));

    struct Movement {
        const char* step;
        const char* column_a;
        const char* column_v;
        const char* test;
    };
    const Movement movements[] = {
        {"payments in period", "pdpayts", "pdpayts  ", "( p.txntype = 'P' )"},
        {"receipts in period", "pdrcpts", "pdrcpts  ", "( p.txntype = 'R' )"},
        {"transfers in period", "pdtfrs  ", "pdtfrs ", "( (p.txntype = 'C')  or (p.txntype = 'F') )"},
    };
    for (const Movement& m : movements) {
        rebal_step(core, QString::fromLatin1(m.step));
        const QString period = QStringLiteral("FROM pstg p where (p.pstgdate >= ") + from +
                               QStringLiteral(") and ( p.pstgdate <= ") + to + QStringLiteral(") and ") +
                               QString::fromLatin1(m.test);
        run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , ") + QString::fromLatin1(m.column_a) +
            QStringLiteral(" ) SELECT p.objid, p.ccy , 'A' , sum(p.amt) as ptot ") + period +
            QStringLiteral("group by p.objid, p.ccy"));
        run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , ") + QString::fromLatin1(m.column_v) +
            QStringLiteral(") SELECT p.objid, p.ccy , 'V' , sum(p.val) as ptot ") + period +
            QStringLiteral("and (p.ccy <> ") + base + QStringLiteral(") group by p.objid, p.ccy"));
    }

    rebal_step(core, QStringLiteral("first/last posting dates"));
    run(QStringLiteral("INSERT INTO movtf ( accid , ccy , amtval , firstpstgdate , lastpstgdate ) SELECT p.objid, p.ccy , "
                       "'A' , min(p.pstgdate) , max(p.pstgdate) FROM pstg p WHERE p.pstgdate>0group by p.objid, p.ccy"));

    rebal_step(core, QStringLiteral("movtg for accs"));
    movtg_from_movtf(core);
    rebal_step(core, QStringLiteral("accumulate for groups"));
    run(QStringLiteral("DELETE FROM movtf"));
    run(QStringLiteral("INSERT INTO movtf (accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs, firstpstgdate , "
                       "lastpstgdate ) SELECT a.grpid, g.ccy , g.amtval, g.bfd, g.prepdnet, g.pdpayts, g.pdrcpts, "
                       "g.pdtfrs , g.firstpstgdate , g.lastpstgdate FROM accingrp a INNER JOIN movtg g on "
                       "g.accid=a.accid"));
    rebal_step(core, QStringLiteral("movtg for grps"));
    movtg_from_movtf(core);
    rebal_step(core, QStringLiteral("period bfd/cfd"));
    run(QStringLiteral("update movtg set pdbfd = bfd+prepdnet, pdcfd = bfd+prepdnet+pdpayts+pdrcpts+pdtfrs"));
    rebal_step(core, QStringLiteral("first/last posting dates"));
    // an object with an opening balance but no postings: 99999999, "no postings", not a null date
    run(QStringLiteral("insert into movte (objid, firstpstgdate, lastpstgdate) select g.accid, "
                       "coalesce(min(g.firstpstgdate), 99999999) , coalesce(max(g.lastpstgdate), 99999999) "
                       "from movtg g group by g.accid"));
}

}  // namespace

const QList<QPair<QString, qint64>>& last_rebalance_timings() { return timings; }

void rebal_step(Core& core, const QString& name) {
    close_timing();
    ++core.run.rebal_steps;
    timings.append({QString::number(core.run.rebal_steps) + QStringLiteral(" : ") + name, 0});
    step_clock.start();
    show_status(core, QStringLiteral("Rebalancing ") + QString::number(core.run.rebal_steps) + QStringLiteral(" : ") + name);
}

void movtg_from_movtf(Core& core) {
    exec_sql(core, QStringLiteral("INSERT INTO movtg (accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs, "
                                  "firstpstgdate, lastpstgdate) SELECT f.accid , f.ccy, f.amtval, sum(f.bfd), "
                                  "sum(f.prepdnet), sum(f.pdpayts), sum(f.pdrcpts), sum(f.pdtfrs), min(f.firstpstgdate), "
                                  "max(f.lastpstgdate) FROM movtf f GROUP BY f.accid, f.ccy, f.amtval "));
}

void gen_repeaters_to_horizon(Core& core) {
    if (chk_frozen(core, QStringLiteral("generate repeater instances"))) return;
    Date horizon = core.run.to;
    const Date t = today();
    Date one_year = next_year(t);
    // 29 February stepped a year is no date: it becomes 1 March
    one_year = normalise_month_end(one_year);
    if (compare_date(one_year, core.run.to) < 0) {
        show_msg(QStringLiteral("g_balat = ") + format_date(core.run.to) + QStringLiteral("; one year ahead = ") +
                 format_date(one_year));
        int c = ask_choice(QStringLiteral("Balance date ") + format_date(core.run.to) +
                               QStringLiteral(" is distant! Generate repeaters to ..."),
                           QStringLiteral("Bal date anyway"), QStringLiteral("Just 1 yr ahead"));
        if (c == 1) {
            if (!ask_yes(QStringLiteral("Generate repeaters all the way to ") + format_date(core.run.to) +
                         QStringLiteral(" - are you sure?")))
                horizon = one_year;
        } else if (c == 2) {
            horizon = one_year;
        } else {
            horizon = t;
        }
    }
    const int last = core.settings.last_gen_to;
    if (last != 0) {
        qint64 gap = day_number(horizon) - day_number(int_to_date(last));
        if (gap > 60 && !ask_sure(QStringLiteral("Many instances may be generated, ") + QString::number(gap) +
                                  QStringLiteral(" days worth")))
            return;
    }
    if (date_to_int(horizon) > last) core.settings.last_gen_to = date_to_int(horizon);
    core.run.horizon = horizon;
    QList<int> masters;
    QSqlQuery q = open_query(core, QStringLiteral("select * from RPTR order by id"));
    while (q.next())
        if (field_int(q, QStringLiteral("rptactive")) == 1) masters.append(field_int(q, QStringLiteral("id")));
    q.finish();
    for (int id : masters) {
        TRptr master;
        if (read_rptr(core, id, master)) gen_rptr_insts(core, master);
    }
}

bool rebalance(Core& core) {
    timings.clear();
    step_clock.invalidate();
    core.run.rebal_steps = 0;
    if (core.run.wash_ctgies && core.settings.default_pot_id < 1) {
        program_error(QStringLiteral("no dftpot"));
        return false;
    }
    if (!check_base_ccy(core)) return false;
    core.run.rebal_in_progress = true;
    calc_dormant_date(core);
    const bool reset_paths = core.settings.reset_paths;
    bool straddled = false;
    bool ok = run_undoable(core, [&] {
        if (reset_paths) rebuild_group_paths(core);
        rebal_step(core, QStringLiteral("Generate repeater instances"));
        rebal_step(core, QString());
        gen_repeaters_to_horizon(core);
        rebal_step(core, QStringLiteral("Check straddles"));
        if (!chk_straddle(core, core.run.to, StraddleSide::Later) ||
            !chk_straddle(core, core.run.from, StraddleSide::Prior)) {
            straddled = true;
            return;
        }
        BusyCursor busy;
        build_figures(core);
    });
    close_timing();
    core.run.rebal_in_progress = false;
    if (!ok || straddled) {
        // a failed or refused rebalance leaves the figures flagged, and a pending path rebuild pending
        set_rebalance_needed(core, true);
        show_status(core, QString());
        return false;
    }
    if (reset_paths) core.settings.reset_paths = false;
    set_rebalance_needed(core, false);
    commit_work(core);
    show_status(core, QString());
    flash_notice(QStringLiteral("Rebalanced OK"));
    return true;
}

void rebalance_if_needed(Core& core) {
    if (core.run.rebal_needed) rebalance(core);
}

bool ask_rebalance_now(Core& core) {
    if (!core.run.rebal_needed) return true;
    if (!ask_yes(QStringLiteral("Rebalance now ?"))) return false;
    return rebalance(core);
}

void rebalance_now_clicked(Core& core) {
    if (core.run.rebal_in_progress) {
        show_msg(QStringLiteral("Rebalance already in progress"));
        return;
    }
    if (!core.run.rebal_needed && !ask_continue(QStringLiteral("Rebalance not needed"))) return;
    rebalance(core);
}

void rebuild_and_rebalance(Core& core) {
    if (!ask_ok(QStringLiteral("Rebuild account paths + Rebalance"))) return;
    core.settings.reset_paths = true;
    rebalance(core);
}

}  // namespace mintor
