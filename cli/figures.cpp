// mintor-cli rebalance and balances: the period figures from the command line.
#include <QElapsedTimer>
#include <QSqlQuery>
#include <cstdio>

#include "cli/commands.h"
#include "core/rebalance.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "qwellib/amounts.h"
#include "qwellib/text.h"

namespace mintor_cli {

using namespace mintor;

namespace {

void out(const QString& s) { std::printf("%s\n", qUtf8Printable(s)); }
void err(const QString& s) { std::fprintf(stderr, "%s\n", qUtf8Printable(s)); }

// Sets the period from --from / --to; false (after a message) when a date is not a real date.
bool period_from_options(Core& core, const Options& o) {
    qwel::Date from = core.run.from, to = core.run.to;
    const QString f = o.value(QStringLiteral("from")), t = o.value(QStringLiteral("to"));
    if (o.flag(QStringLiteral("from")) && !qwel::parse_user_date(f, from)) {
        err(QStringLiteral("--from: not a date (yyyy-mm-dd): ") + f);
        return false;
    }
    if (o.flag(QStringLiteral("to")) && !qwel::parse_user_date(t, to)) {
        err(QStringLiteral("--to: not a date (yyyy-mm-dd): ") + t);
        return false;
    }
    if (qwel::date_to_int(from) > qwel::date_to_int(to)) {
        err(QStringLiteral("the period starts after it ends"));
        return false;
    }
    if (!(from == core.run.from && to == core.run.to)) {
        set_period(core, from, to);
        set_rebalance_needed(core, true);
    }
    return true;
}

}  // namespace

int cmd_rebalance(const Options& o) {
    if (o.args.size() != 1) {
        err(QStringLiteral("usage: mintor-cli rebalance PATH [--from yyyy-mm-dd] [--to yyyy-mm-dd] [--yes]"));
        return 2;
    }
    Session s = open_session(o, o.args[0]);
    if (!s.core) return s.exit_code;
    Core& core = *s.core;
    int rc = 0;
    if (!period_from_options(core, o)) {
        rc = 2;
    } else {
        QElapsedTimer clock;
        clock.start();
        bool ok = rebalance(core);
        qint64 total = clock.elapsed();
        for (const auto& [step, ms] : last_rebalance_timings())
            out(QStringLiteral("%1 ms  %2").arg(ms, 7).arg(step));
        out(QStringLiteral("%1 ms  rebalance %2 to %3: %4")
                .arg(total, 7)
                .arg(qwel::format_date(core.run.from), qwel::format_date(core.run.to),
                     ok ? QStringLiteral("done") : QStringLiteral("not done")));
        rc = ok ? 0 : 1;
    }
    close_session(s);
    return rc;
}

int cmd_balances(const Options& o) {
    if (o.args.size() != 1) {
        err(QStringLiteral("usage: mintor-cli balances PATH [--type 1|4|6] [--values] [--csv]"));
        return 2;
    }
    QString type = o.value(QStringLiteral("type"));
    QString types;
    if (type.isEmpty()) types = QStringLiteral("1,3,4,6,8,9,10");
    else if (type == QLatin1String("1")) types = QStringLiteral("1,8");
    else if (type == QLatin1String("4")) types = QStringLiteral("4,9");
    else if (type == QLatin1String("6")) types = QStringLiteral("3,6,10");
    else {
        err(QStringLiteral("--type must be 1 (external accounts), 4 (counterparties) or 6 (internal accounts)"));
        return 2;
    }
    Session s = open_session(o, o.args[0]);
    if (!s.core) return s.exit_code;
    Core& core = *s.core;
    if (core.run.rebal_needed) err(QStringLiteral("Rebalance needed: the figures may be out of date"));
    const bool csv = o.flag(QStringLiteral("csv"));
    const QString kind = o.flag(QStringLiteral("values")) ? QStringLiteral("V") : QStringLiteral("A");
    int rc = 0;
    try {
        QSqlQuery q = open_query(
            core, QStringLiteral("select a.path, a.name, g.ccy, g.pdbfd, g.pdpayts, g.pdrcpts, g.pdtfrs, g.pdcfd "
                                 "from movtg g join account a on a.id = g.accid where g.amtval = '") +
                      kind + QStringLiteral("' and a.type2 in (") + types +
                      QStringLiteral(") order by lower(a.path || ' ' || a.name), g.ccy"));
        QList<QStringList> rows;
        rows.append({QStringLiteral("account"), QStringLiteral("ccy"), QStringLiteral("b/fd"), QStringLiteral("payments"),
                     QStringLiteral("receipts"), QStringLiteral("transfers"), QStringLiteral("c/fd")});
        while (q.next()) {
            QString name = (q.value(0).toString() + QStringLiteral(" ") + q.value(1).toString()).trimmed();
            QStringList r{name, q.value(2).toString().trimmed()};
            for (int i = 3; i <= 7; ++i) r << qwel::format_amount(q.value(i).toLongLong());
            rows.append(r);
        }
        out(QStringLiteral("period ") + qwel::format_date(core.run.from) + QStringLiteral(" to ") +
            qwel::format_date(core.run.to));
        if (csv) {
            for (const auto& r : rows) {
                QStringList cells;
                for (const auto& c : r) cells << qwel::dquote(QString(c).replace(QLatin1Char('"'), QStringLiteral("\"\"")));
                out(cells.join(QLatin1Char(',')));
            }
        } else {
            QList<int> width(7, 0);
            for (const auto& r : rows)
                for (int i = 0; i < 7; ++i) width[i] = std::max(width[i], int(r[i].size()));
            for (const auto& r : rows) {
                QString line = r[0].leftJustified(width[0]) + QStringLiteral("  ") + r[1].leftJustified(width[1]);
                for (int i = 2; i < 7; ++i) line += QStringLiteral("  ") + r[i].rightJustified(width[i]);
                out(line);
            }
        }
    } catch (const DbError& e) {
        err(e.report());
        rc = 1;
    }
    close_session(s);
    return rc;
}

}  // namespace mintor_cli
