#include "bench/generator.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/chart.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/text.h"

namespace mintor_bench {

using mintor::Core;
using mintor::exec_sql;
using mintor::query_int64;

namespace {

// ---------------------------------------------------------------------------------------
// Pseudo-random numbers inside the database: a hash of the row number, the seed and a salt
// (one salt per independent choice), made of exclusive-or with a constant and
// multiplication modulo a prime, three rounds. Every intermediate value stays below 2^62.

constexpr qint64 kP[4] = {2147483647, 2147483629, 2147483587, 2147483579};
constexpr qint64 kA[3] = {1103515245, 1930840001, 2088630007};
constexpr qint64 kX[3] = {0x5bd1e995, 0x2545F491, 0x1b873593};

class Rnd {
public:
    explicit Rnd(std::uint32_t seed) : offset_((qint64(seed) * 1000003) % kP[0]) {}

    // An integer 0 .. 2^31-2 for the integer expression n (0 or more) and salt (0..63).
    QString h(const QString& n, int salt) const {
        QString x = QStringLiteral("mod(%1 * 64 + %2, %3)").arg(n).arg(offset_ + salt).arg(kP[0]);
        for (int i = 0; i < 3; ++i)
            x = QStringLiteral("mod(bin_xor(%1, %2) * %3, %4)").arg(x).arg(kX[i]).arg(kA[i]).arg(kP[i + 1]);
        return x;
    }
    // A double in [0, 1).
    QString u(const QString& n, int salt) const { return QStringLiteral("(%1 / 2147483647e0)").arg(h(n, salt)); }
    // An integer 0 .. k-1 drawn with density falling off as power e (1 = uniform).
    QString skew(const QString& n, int salt, int k, double e) const {
        return QStringLiteral("cast(floor(%1 * power(%2, %3)) as integer)").arg(k).arg(u(n, salt)).arg(e);
    }

private:
    qint64 offset_;
};

QString num(qint64 v) { return QString::number(v); }
QString q(const QString& s) { return qwel::sql_quote(s); }

// decode(sel, 0, v0, 1, v1, ..., dflt)
QString decode(const QString& sel, const QStringList& values, const QString& dflt) {
    QString s = QStringLiteral("decode(") + sel;
    for (int i = 0; i < values.size(); ++i) s += QStringLiteral(", %1, %2").arg(i).arg(values[i]);
    return s + QStringLiteral(", ") + dflt + QStringLiteral(")");
}

// yyyymmdd of a DATE expression, and a DATE from a yyyymmdd expression.
QString ymd_of(const QString& d) {
    return QStringLiteral("(extract(year from %1) * 10000 + extract(month from %1) * 100 + extract(day from %1))").arg(d);
}
QString date_of(const QString& ymd) {
    return QStringLiteral("cast(substring(cast(%1 as varchar(8)) from 1 for 4) || '-' || substring(cast(%1 as varchar(8)) "
                          "from 5 for 2) || '-' || substring(cast(%1 as varchar(8)) from 7 for 2) as date)")
        .arg(ymd);
}

// Row numbers 0 .. count-1 as column n of the table expression "g", with further columns
// computed from the row number: cols are (name, expression) pairs in which "#" stands for
// the row number. The rows come from a recursive CTE that counts up within blocks of a
// thousand (the recursion depth stays under the server's limit of 1024), and the columns of
// a recursive CTE are computed once per row, where those of a derived table would be
// computed again at every reference.
using Cols = std::vector<std::pair<QString, QString>>;

QString numbers(qint64 count, const Cols& cols = {}) {
    QString anchor = count <= 1000000
                         ? QStringLiteral("select n * 1000 as n from d where n * 1000 < %1").arg(count)
                         : QStringLiteral("select (a.n * 1000 + b.n) * 1000 as n from d a cross join d b where "
                                          "(a.n * 1000 + b.n) * 1000 < %1")
                               .arg(count);
    QStringList names{QStringLiteral("n")}, first{QStringLiteral("s.n")}, next{QStringLiteral("n + 1")};
    for (const auto& [name, expr] : cols) {
        names << name;
        first << QString(expr).replace(QLatin1Char('#'), QStringLiteral("s.n"));
        next << QString(expr).replace(QLatin1Char('#'), QStringLiteral("(n + 1)"));
    }
    return QStringLiteral("with recursive d (n) as (select 0 from rdb$database union all select n + 1 from d where n "
                          "< 999), g (%1) as (select %2 from (%3) s union all select %4 from g where mod(n + 1, 1000) "
                          "<> 0 and n + 1 < %5) ")
        .arg(names.join(QStringLiteral(", ")), first.join(QStringLiteral(", ")), anchor,
             next.join(QStringLiteral(", ")))
        .arg(count);
}

// Rounds the positive double expression x to the nearest integer, halves to even.
QString round_half_even(const QString& x) {
    return QStringLiteral("(cast(floor(%1) as bigint) + case when %1 - floor(%1) > 0.5 then 1 when %1 - floor(%1) < 0.5 "
                          "then 0 else mod(cast(floor(%1) as bigint), 2) end)")
        .arg(x);
}

// ---------------------------------------------------------------------------------------

class Generator {
public:
    Generator(Core& core, const GeneratorOptions& o) : core_(core), opts_(o), rnd_(o.seed) {}
    bool run();

private:
    void step(const char* what);
    void run_sql(const QString& s) {
        if (qEnvironmentVariableIsSet("MINTOR_BENCH_SQL")) std::fprintf(stderr, "%s;\n", qUtf8Printable(s));
        exec_sql(core_, s);
    }
    void commit() { mintor::commit_work(core_); }

    void write_currencies();
    void write_accounts();
    void write_repeaters();
    void write_plain_txns();
    void write_instances();
    void value_foreign();
    void write_postings();
    void write_extras();
    void set_secondary_indexes(bool active);
    void keep_settings();

    Core& core_;
    GeneratorOptions opts_;
    Rnd rnd_;
    Chart chart_;
    std::vector<Repeater> repeaters_;
    qint64 plain_ = 0;      // plain transactions: ids 1 .. plain_
    qint64 instances_ = 0;  // repeater instances: ids plain_ + 1 .. txns
    QStringList inactive_;  // indexes switched off while loading
    QElapsedTimer step_timer_, total_timer_;
    QString step_name_;
};

void Generator::step(const char* what) {
    if (opts_.verbose && !step_name_.isEmpty())
        std::printf("  %-34s %8.2f s\n", qUtf8Printable(step_name_), step_timer_.nsecsElapsed() / 1e9);
    std::fflush(stdout);
    step_name_ = QString::fromUtf8(what);
    step_timer_.start();
}

bool Generator::run() {
    total_timer_.start();
    if (query_int64(core_, QStringLiteral("select count(*) from account")) +
            query_int64(core_, QStringLiteral("select count(*) from txn")) +
            query_int64(core_, QStringLiteral("select count(*) from pstg")) +
            query_int64(core_, QStringLiteral("select count(*) from ccy")) >
        0) {
        std::fprintf(stderr, "mintor-bench-gen: the ledger is not empty; give it a freshly created ledger\n");
        return false;
    }
    chart_ = build_chart();
    repeaters_ = choose_repeaters(chart_, opts_.txns);
    for (const Repeater& r : repeaters_) instances_ += r.gento;
    plain_ = opts_.txns - instances_;

    step("currencies and daily rates");
    write_currencies();
    step("accounts, groups, channels");
    write_accounts();
    write_repeaters();
    commit();
    step("secondary indexes off");
    set_secondary_indexes(false);
    bool ok = false;
    try {
        step("transactions");
        write_plain_txns();
        step("repeater instances");
        write_instances();
        step("foreign values");
        value_foreign();
        step("postings");
        write_postings();
        step("journal flags, links, reminders");
        write_extras();
        step("commit");
        keep_settings();
        commit();
        ok = true;
    } catch (...) {
        // the indexes come back whatever happened, so the ledger keeps its schema
        step("secondary indexes on again");
        set_secondary_indexes(true);
        throw;
    }
    step("secondary indexes on again");
    set_secondary_indexes(true);
    step("");
    if (opts_.verbose)
        std::printf("  %-34s %8.2f s  (%lld transactions, %lld postings)\n", "generated in",
                    total_timer_.nsecsElapsed() / 1e9, static_cast<long long>(opts_.txns),
                    static_cast<long long>(query_int64(core_, QStringLiteral("select count(*) from pstg"))));
    return ok;
}

void Generator::set_secondary_indexes(bool active) {
    if (!active) {
        // Loading a million rows into indexed tables costs several times what rebuilding the
        // indexes afterwards does; the key indexes stay, as constraints need them.
        QSqlQuery iq = mintor::open_query(
            core_, QStringLiteral("select trim(i.rdb$index_name) from rdb$indices i "
                                  "where i.rdb$relation_name in ('TXN', 'PSTG') and coalesce(i.rdb$system_flag, 0) = 0 "
                                  "and coalesce(i.rdb$index_inactive, 0) = 0 and not exists (select 1 from "
                                  "rdb$relation_constraints c where c.rdb$index_name = i.rdb$index_name) "
                                  "order by 1"));
        while (iq.next()) inactive_ << iq.value(0).toString();
        iq.finish();
        for (const QString& ix : inactive_) run_sql(QStringLiteral("alter index ") + ix + QStringLiteral(" inactive"));
    } else {
        for (const QString& ix : inactive_) run_sql(QStringLiteral("alter index ") + ix + QStringLiteral(" active"));
        inactive_.clear();
    }
    commit();
}

void Generator::write_currencies() {
    run_sql(QStringLiteral("insert into ccy (id, \"NAME\", base) values (%1, 'Pound Sterling', 1)").arg(q(kBaseCcy)));
    // Daily mid rates per pound from the day before the first transaction to a year after
    // the last: a slow swing, a yearly one and a little daily noise, to four places.
    const int first = -1, days = kDays + 367;
    int salt = 40;
    for (const ForeignCcy& c : kForeignCcys) {
        run_sql(QStringLiteral("insert into ccy (id, \"NAME\", base) values (%1, %2, 0)").arg(q(c.code), q(c.name)));
        std::uint32_t s = opts_.seed * 2654435761u + std::uint32_t(salt) * 40503u;
        double phase1 = (s % 6283) / 1000.0, phase2 = ((s / 6283) % 6283) / 1000.0;
        QString day = QStringLiteral("dateadd(day, n + %1, date '2016-01-01')").arg(first);
        run_sql(QStringLiteral("insert into rate (ccycode, rdate, rate) ") + numbers(days) +
                QStringLiteral("select %1, %2, round(%3 * (1 + 0.06 * sin(n / 232.5 + %4) + 0.025 * sin(n / 58.1 + %5) "
                               "+ 0.008 * (%6 - 0.5)), 4) from g")
                    .arg(q(c.code), ymd_of(day))
                    .arg(c.level, 0, 'f', 4)
                    .arg(phase1, 0, 'f', 3)
                    .arg(phase2, 0, 'f', 3)
                    .arg(rnd_.u(QStringLiteral("n"), salt)));
        ++salt;
    }
}

void Generator::write_accounts() {
    const QString cols = QStringLiteral(
        "insert into account (id, name, ccy, desig, type2, btype, isgrp, grpid, bfdbal, bfdval, reconciled, opendate, "
        "closedate, allownegbal, allowposbal, sweepto, accwith, cptypays, cptyrcvs, payerdftpot, payeedftpot, dmtlock, "
        "note, createts, editts, fav, pottype, path) ");
    const QString stamp = QStringLiteral("timestamp '2016-01-01 09:00:00'");
    // The fixed chart, a hundred rows a statement (a statement may hold at most 255 selects).
    const auto& rows = chart_.rows;
    for (size_t i = 0; i < rows.size(); i += 100) {
        QStringList sel;
        for (size_t j = i; j < rows.size() && j < i + 100; ++j) {
            const ChartRow& a = rows[j];
            const int btype = a.type2 == 8 ? 1 : a.type2 == 9 ? 4 : a.type2 == 10 ? 6 : a.type2;
            const bool grp = a.type2 >= 8 && a.type2 <= 10;
            sel << QStringLiteral("select %1, cast(%2 as varchar(40)), cast(%3 as char(3)), cast('' as varchar(20)), %4, "
                                  "%5, %6, %7, %8, 0, cast('' as varchar(10)), %9, 99999999, %10, %11, 0, %12, %13, %14, "
                                  "0, 0, 0, cast('' as varchar(10)), %15, %15, %16, 0, cast(' ' as varchar(2)) "
                                  "from rdb$database")
                       .arg(a.id)
                       .arg(q(a.name), q(a.ccy))
                       .arg(a.type2)
                       .arg(btype)
                       .arg(grp ? 1 : 0)
                       .arg(a.grpid)
                       .arg(a.bfdbal)
                       .arg(grp ? 0 : kFirstDay)
                       .arg(a.allowneg)
                       .arg(a.allowpos)
                       .arg(a.accwith)
                       .arg(a.pays)
                       .arg(a.rcvs)
                       .arg(stamp)
                       .arg(a.fav);
        }
        run_sql(cols + sel.join(QStringLiteral(" union all ")));
    }

    // Counterparties: kCptyPerLeaf to each leaf group, named after their trade.
    const Chart& c = chart_;
    QStringList trade;
    for (const QString& s : c.cpty_sub_names) trade << q(s);
    const QString k = QStringLiteral("n");
    run_sql(cols + numbers(kCpties) +
            QStringLiteral("select %1 + n, %2 || ' ' || lpad(cast(n + 1 as varchar(5)), 4, '0'), %3, '', 4, 4, 0, "
                           "%4 + n / %5, 0, 0, '', %6, 99999999, 0, 1, 0, 0, case when n >= %7 then 1 else 0 end, "
                           "case when n < %8 then 1 else 0 end, 0, 0, 0, '', %9, %9, 0, 0, ' ' from g")
                .arg(c.cpty_base)
                .arg(decode(k + QStringLiteral(" / ") + num(kCptyPerSub), trade, QStringLiteral("'Other'")))
                .arg(q(kBaseCcy))
                .arg(c.cpty_leaf_base)
                .arg(kCptyPerLeaf)
                .arg(kFirstDay)
                .arg(kPayersFrom)
                .arg(kPayeesTo)
                .arg(stamp));

    // Opening balances in the base currency: at the rate of the day before the first day.
    run_sql(QStringLiteral("update account set bfdval = bfdbal"));
    run_sql(QStringLiteral("update account a set bfdval = %1 where a.ccy <> %2 and a.bfdbal <> 0")
                .arg(QStringLiteral("sign(a.bfdbal) * ") +
                         round_half_even(QStringLiteral("(abs(a.bfdbal) / (select r.rate from rate r where r.ccycode = "
                                                        "a.ccy and r.rdate = 20151231))")),
                     q(kBaseCcy)));
    // The default pot holds what the external accounts held, so that the internal accounts
    // add up to the external ones.
    run_sql(QStringLiteral("update account set bfdbal = (select sum(bfdval) from account where type2 = 1) where id = %1")
                .arg(c.default_pot));
    run_sql(QStringLiteral("update account set bfdval = bfdbal where id = %1").arg(c.default_pot));
    // The providers of the external accounts know the first account held with them.
    run_sql(QStringLiteral("update account p set p.accwith = (select min(e.id) from account e where e.type2 = 1 and "
                           "e.accwith = p.id) where p.type2 = 4 and exists (select 1 from account e where e.type2 = 1 "
                           "and e.accwith = p.id)"));

    // Every object starts without postings; group membership at every depth.
    run_sql(QStringLiteral("insert into movte (objid, firstpstgdate, lastpstgdate) select id, 99999999, 99999999 from "
                           "account"));
    run_sql(QStringLiteral(
        "insert into accingrp (accid, grpid) with recursive up (accid, grpid) as (select id, grpid from account where "
        "isgrp = 0 and grpid <> 0 union all select u.accid, g.grpid from up u join account g on g.id = u.grpid "
        "where g.grpid <> 0) select accid, grpid from up"));
    run_sql(QStringLiteral("update param set pmint = (select max(id) from account) where pmid = 5"));

    QStringList ch;
    for (const ChannelRow& r : c.channels)
        ch << QStringLiteral("select %1, %2, cast(%3 as varchar(20)), cast('' as varchar(10)), 0, cast(%4 as char(1)) "
                             "from rdb$database")
                  .arg(r.chnum)
                  .arg(r.accid)
                  .arg(q(r.name), q(r.type));
    run_sql(QStringLiteral("insert into channel (chnum, accid, chname, chnote, chsts, chtype) ") +
            ch.join(QStringLiteral(" union all ")));
}

void Generator::write_repeaters() {
    if (repeaters_.empty()) return;
    QStringList sel;
    for (const Repeater& r : repeaters_) {
        sel << QStringLiteral("select %1, %2, %3, cast(%4 as char(1)), %5, %6, %7, %8, %9, cast(%10 as char(3)), "
                              "cast(%11 as char(1)), cast(%12 as varchar(20)), cast(%13 as varchar(40)), %14, %15, %16, "
                              "%17, %18, timestamp '%19 08:00:00', timestamp '%19 08:00:00' from rdb$database")
                   .arg(r.id)
                   .arg(r.startdate)
                   .arg(r.enddate)
                   .arg(q(QString(QChar::fromLatin1(r.freq))))
                   .arg(r.rptinc)
                   .arg(r.rptct)
                   .arg(r.gento)
                   .arg(r.active ? 1 : 0)
                   .arg(r.amt)
                   .arg(q(r.ccy), q(QString(QChar::fromLatin1(r.type))), q(r.ref), q(r.narrative))
                   .arg(r.accid1)
                   .arg(r.accid2)
                   .arg(r.accid4)
                   .arg(r.chnum)
                   .arg(r.rmdays)
                   .arg(qwel::format_date_int(r.startdate));
    }
    run_sql(QStringLiteral("insert into rptr (id, startdate, enddate, freq, rptinc, rptct, gento, rptactive, amt, ccy, "
                           "\"type\", ref, narrative, accid1, accid2, accid4, chnum, rmdays, createts, editts) ") +
            sel.join(QStringLiteral(" union all ")));
}

// The plain transactions, one row number each, in date order: payments (65%), receipts
// (10%), transfers between external accounts (20%) and between internal accounts (5%).
// Every random choice is a column of the row source, made once per row.
void Generator::write_plain_txns() {
    if (plain_ <= 0) return;
    const Chart& c = chart_;
    const QString x = QStringLiteral("#");
    const QString base = q(kBaseCcy);

    // Type: 0 payment, 1 receipt, 2 external transfer, 3 internal transfer.
    QStringList tsel;
    for (int i = 0; i < 20; ++i) tsel << num(i < 13 ? 0 : i < 15 ? 1 : i < 19 ? 2 : 3);
    const QString t = decode(QStringLiteral("mod(%1, 20)").arg(rnd_.h(x, 1)), tsel, QStringLiteral("0"));
    // Counterparty of a payment (the shops most) and of a receipt (the income sources most).
    const QString cp_p = rnd_.skew(x, 3, kPayeesTo, 2.2);
    const QString cp_r = QStringLiteral("(%1 - %2)").arg(kCpties - 1).arg(rnd_.skew(x, 3, kCpties, 3.0));
    const QString day = QStringLiteral("dateadd(day, cast((# * %1) / %2 as integer), date '2016-01-01')").arg(kDays).arg(plain_);

    QStringList exp_of_sub, inc_of_sub;
    for (int id : c.cpty_sub_expense) exp_of_sub << num(id);
    for (int id : c.cpty_sub_income) inc_of_sub << num(id);
    // Internal account: a third of payments and receipts have none; some go to a pot; most
    // to the category usual with the counterparty's trade, the rest to any category.
    const QString pick = QStringLiteral("mod(%1, 100)").arg(rnd_.h(x, 7));
    const QString any = QStringLiteral("mod(%1 / 100, %2)").arg(rnd_.h(x, 7));
    const QString pot = QStringLiteral("%1 + %2").arg(c.pots.front()).arg(rnd_.skew(x, 8, int(c.pots.size()), 2.0));
    const QString cat_p =
        QStringLiteral("case when %1 < 33 then 0 when %1 < 40 then %2 when %1 < 88 then %3 else %4 + %5 end")
            .arg(pick, pot,
                 decode(QStringLiteral("(%1 / %2)").arg(cp_p).arg(kCptyPerSub), exp_of_sub, num(c.expenses.front())),
                 num(c.expenses.front()), any.arg(c.expenses.size()));
    const QString cat_r =
        QStringLiteral("case when %1 < 33 then 0 when %1 < 38 then %2 when %1 < 90 then %3 else %4 + %5 end")
            .arg(pick, pot,
                 decode(QStringLiteral("(%1 / %2)").arg(cp_r).arg(kCptyPerSub), inc_of_sub, num(c.incomes.front())),
                 num(c.incomes.front()), any.arg(c.incomes.size()));
    // Amounts: many small payments and a few large, receipts larger, transfers in pounds.
    const QString amt = QStringLiteral("case %1 when 0 then cast(100 + floor(150000 * power(%2, 5)) as bigint) when 1 then "
                                       "cast(1000 + floor(480000 * power(%2, 2)) as bigint) else cast(1000 * (1 + "
                                       "floor(100 * power(%2, 2))) as bigint) end")
                            .arg(t, rnd_.u(x, 6));

    const Cols cols = {
        {QStringLiteral("ymd"), ymd_of(day)},
        {QStringLiteral("dom"), QStringLiteral("extract(day from %1)").arg(day)},
        {QStringLiteral("ts"), QStringLiteral("cast(%1 as timestamp)").arg(day)},
        {QStringLiteral("t"), t},
        {QStringLiteral("ext"), rnd_.skew(x, 2, int(c.spending.size()), 4.0)},
        {QStringLiteral("cp"), QStringLiteral("case %1 when 0 then %2 else %3 end").arg(t, cp_p, cp_r)},
        {QStringLiteral("pr"), rnd_.skew(x, 4, int(c.ext_pairs.size()), 2.0)},
        {QStringLiteral("ipr"), rnd_.skew(x, 5, int(c.int_pairs.size()), 1.5)},
        {QStringLiteral("amt"), amt},
        {QStringLiteral("cat"), QStringLiteral("case %1 when 0 then %2 when 1 then %3 else 0 end").arg(t, cat_p, cat_r)},
        {QStringLiteral("x9"), rnd_.h(x, 9)},
        {QStringLiteral("x10"), rnd_.h(x, 10)},
        {QStringLiteral("secs"), QStringLiteral("32400 + mod(%1, 36000)").arg(rnd_.h(x, 11))},
    };

    QStringList ext_ids, ext_ccy, ext_card;
    for (int id : c.spending) {
        ext_ids << num(id);
        ext_ccy << q(c.ccy_of(id));
        ext_card << num(c.channel_of(id, 'P'));
    }
    QStringList pair_from, pair_to, pair_ccy, pair_narr, pair_ch, ipair_from, ipair_to;
    for (const TransferPair& p : c.ext_pairs) {
        pair_from << num(p.from);
        pair_to << num(p.to);
        pair_ccy << q(c.ccy_of(p.from));
        pair_narr << q(p.narrative);
        pair_ch << num(c.channel_of(p.from, 'X'));
    }
    for (const TransferPair& p : c.int_pairs) {
        ipair_from << num(p.from);
        ipair_to << num(p.to);
    }
    const QString narr_sel = QStringLiteral("mod(x9 / 1000, 4)");
    const QString zero = QStringLiteral("0");

    QStringList v;
    v << QStringLiteral("n + 1") << zero << QStringLiteral("ymd");
    // A card payment or a transfer clears a few days later within the month (the posting
    // date of the external account and the counterparty; the category is charged on the day).
    v << QStringLiteral("case when t < 3 and dom <= 25 and mod(x9, 100) < 20 then ymd + 1 + mod(x9 / 100, 3) else 0 end");
    v << QStringLiteral("ymd") << QStringLiteral("amt");
    v << QStringLiteral("case t when 2 then %1 when 3 then %2 else %3 end")
             .arg(decode(QStringLiteral("pr"), pair_ccy, base), base, decode(QStringLiteral("ext"), ext_ccy, base));
    v << QStringLiteral("case when t < 2 then amt else 0 end") << QStringLiteral("1e0");
    v << QStringLiteral("case t when 0 then 'P' when 1 then 'R' else 'C' end");
    v << QStringLiteral("case when t = 1 and mod(x10 / 1000, 10) < 3 then 'INV' || lpad(cast(mod(x10 / 10000, 100000) "
                        "as varchar(5)), 5, '0') else '' end");
    v << QStringLiteral("case t when 0 then %1 when 1 then %2 when 2 then %3 else 'Pot transfer' end")
             .arg(decode(narr_sel, {q(QStringLiteral("Card payment")), q(QStringLiteral("Direct debit")), q(QStringLiteral("Online purchase"))},
                         q(QStringLiteral("Contactless"))),
                  decode(narr_sel, {q(QStringLiteral("Bank credit")), q(QStringLiteral("Refund")), q(QStringLiteral("Faster payment in"))},
                         q(QStringLiteral("Cheque paid in"))),
                  decode(QStringLiteral("pr"), pair_narr, q(QStringLiteral("Transfer"))));
    v << QStringLiteral("case when mod(x10, 1000) < 3 then 1 else 0 end");
    v << QStringLiteral("case t when 2 then %1 when 3 then %2 else %3 end")
             .arg(decode(QStringLiteral("pr"), pair_from, zero), decode(QStringLiteral("ipr"), ipair_from, zero),
                  decode(QStringLiteral("ext"), ext_ids, zero));
    v << QStringLiteral("case t when 2 then %1 when 3 then %2 else %3 + cp end")
             .arg(decode(QStringLiteral("pr"), pair_to, zero), decode(QStringLiteral("ipr"), ipair_to, zero), num(c.cpty_base));
    v << QStringLiteral("cat");
    v << QStringLiteral("dateadd(second, secs, ts)") << QStringLiteral("dateadd(second, secs, ts)");
    v << zero << zero;
    // Some payments by debit card, some transfers by online banking.
    v << QStringLiteral("case when t = 0 and mod(x9 / 10, 10) < 6 then %1 when t = 2 and mod(x9 / 10, 10) < 5 then %2 "
                        "else 0 end")
             .arg(decode(QStringLiteral("ext"), ext_card, zero), decode(QStringLiteral("pr"), pair_ch, zero));
    v << zero << QStringLiteral("ymd");
    v << QStringLiteral("(secs / 3600) * 10000 + mod(secs / 60, 60) * 100 + mod(secs, 60)");

    run_sql(QStringLiteral("insert into txn (id, instance, txndate, date2, actualtxndate, amt, ccy, val, rate, \"type\", "
                           "ref, narrative, cancelled, accid1, accid2, accid4, createts, editts, masterid, dpdate, "
                           "chnum, batchnum, createdate, createtime) ") +
            numbers(plain_, cols) + QStringLiteral("select ") + v.join(QStringLiteral(", ")) + QStringLiteral(" from g"));
}

// Instances 1 .. gento of every repeater, dated by stepping from the start date, numbered
// after the plain transactions in date order.
void Generator::write_instances() {
    if (repeaters_.empty()) return;
    int most = 0;
    for (const Repeater& r : repeaters_) most = std::max(most, r.gento);
    const QString sd = QStringLiteral("r.startdate");
    const QString k = QStringLiteral("(mod(r.startdate / 100, 100) - 1 + (g.n - 1) * r.rptinc)");
    const QString month = QStringLiteral("((r.startdate / 10000 + %1 / 12) * 10000 + (mod(%1, 12) + 1) * 100 + "
                                         "mod(r.startdate, 100))")
                              .arg(k);
    const QString days = ymd_of(QStringLiteral("dateadd(day, (g.n - 1) * r.rptinc * case r.freq when 'W' then 7 else 1 "
                                               "end, %1)")
                                    .arg(date_of(sd)));
    const QString inst_date = QStringLiteral("case r.freq when 'M' then %1 when 'Y' then r.startdate + (g.n - 1) * "
                                             "r.rptinc * 10000 else %2 end")
                                  .arg(month, days);
    const QString ts = QStringLiteral("r.createts");
    run_sql(QStringLiteral("insert into txn (id, instance, txndate, date2, actualtxndate, amt, ccy, val, rate, \"type\", "
                           "ref, narrative, cancelled, accid1, accid2, accid4, createts, editts, masterid, dpdate, "
                           "chnum, batchnum, createdate, createtime) ") +
            numbers(most + 1) +
            QStringLiteral("select %1 + row_number() over (order by x.d, r.id), x.i, x.d, x.d, x.d, r.amt, r.ccy, case "
                           "when r.\"type\" in ('P', 'R') then r.amt else 0 end, 1e0, r.\"type\", r.ref, r.narrative, 0, "
                           "r.accid1, r.accid2, r.accid4, %2, r.editts, r.id, 0, r.chnum, 0, %3, %4 from (select r.id "
                           "as rid, g.n as i, %5 as d from rptr r join g on g.n between 1 and r.gento) x join rptr r on "
                           "r.id = x.rid")
                .arg(plain_)
                .arg(ts, ymd_of(ts),
                     QStringLiteral("(extract(hour from %1) * 10000 + extract(minute from %1) * 100 + "
                                    "cast(extract(second from %1) as integer))")
                         .arg(ts),
                     inst_date));
}

// Foreign payments and receipts: the rate of their day and the value at it.
void Generator::value_foreign() {
    const QString base = q(kBaseCcy);
    run_sql(QStringLiteral("update txn t set rate = (select r.rate from rate r where r.ccycode = t.ccy and r.rdate = "
                           "t.txndate) where t.ccy <> %1 and t.\"type\" in ('P', 'R')")
                .arg(base));
    run_sql(QStringLiteral("update txn set val = %1 where ccy <> %2 and \"type\" in ('P', 'R')")
                .arg(round_half_even(QStringLiteral("(amt / rate)")), base));
}

// One statement for all postings, in transaction order: the external account (or the
// transfer's from-account), the counterparty (the to-account) and, for a payment or
// receipt that has one, the internal account charged with the value in the base currency.
void Generator::write_postings() {
    const QString base = q(kBaseCcy);
    run_sql(QStringLiteral(
                "insert into pstg (txnid, objid, amt, val, recamt, contra, pstgdate, reconcode, rngbal, txntype, "
                "dppstgdate, dprngbal, chnum, ccy, batchnum, seq) "
                "select t.id, case k.k when 1 then t.accid1 when 2 then t.accid2 else t.accid4 end, "
                "case when t.cancelled = 1 then 0 else case k.k "
                "  when 1 then case t.\"type\" when 'R' then t.amt else -t.amt end "
                "  when 2 then case t.\"type\" when 'R' then -t.amt else t.amt end "
                "  else case t.\"type\" when 'R' then t.val else -t.val end end end, "
                "case when t.cancelled = 1 then 0 else case k.k "
                "  when 2 then case t.\"type\" when 'R' then -t.val else t.val end "
                "  else case t.\"type\" when 'R' then t.val else -t.val end end end, "
                "0, case k.k when 2 then t.accid1 else t.accid2 end, "
                "case when k.k < 3 and t.date2 <> 0 then t.date2 else t.txndate end, 0, 0, t.\"type\", 1, 1, "
                "case k.k when 1 then t.chnum else 0 end, case k.k when 3 then %1 else t.ccy end, t.batchnum, t.id "
                "from txn t cross join (select 1 as k from rdb$database union all select 2 from rdb$database union all "
                "select 3 from rdb$database) k "
                "where k.k < 3 or (t.\"type\" in ('P', 'R') and t.accid4 <> 0)")
                .arg(base));
}

void Generator::write_extras() {
    // The journal shows the date on the first transaction of each day.
    run_sql(QStringLiteral("merge into txn t using (select min(id) as id from txn group by txndate) m on t.id = m.id "
                           "when matched then update set dpdate = 1"));
    // Every payment and receipt links its counterparty with its internal account.
    run_sql(QStringLiteral("insert into cptyctgy (cptyid, ctgyid, purchsale, hidden) select distinct accid2, accid4, "
                           "case \"type\" when 'P' then 'P' else 'S' end, 0 from txn where \"type\" in ('P', 'R')"));
    // A reminder before every instance of a repeater that asks for one.
    if (!repeaters_.empty())
        run_sql(QStringLiteral("insert into remdr (id, txnid, text, rmdate, tgdate) select row_number() over (order by "
                               "t.id), t.id, '', %1, t.txndate from rptr r join txn t on t.masterid = r.id and "
                               "t.id > %2 where r.rmdays > 0")
                    .arg(ymd_of(QStringLiteral("dateadd(day, -r.rmdays, %1)").arg(date_of(QStringLiteral("t.txndate")))))
                    .arg(plain_));
}

void Generator::keep_settings() {
    mintor::DbSettings& s = core_.settings;
    const Chart& c = chart_;
    s.default_pot_id = c.default_pot;
    s.opening_bal_pot_id = c.default_pot;
    s.sweep_to_pot_id = c.default_pot;
    s.default_cash_id = c.id(QStringLiteral("Wallet"));
    s.cashback_acc_id = c.id(QStringLiteral("Wallet"));
    s.default_ctgy_id = c.id(QStringLiteral("Groceries"));
    s.default_cpty_id = c.cpty_base;
    // instances are written up to the end of the data; the paths are built by the next rebalance
    s.last_gen_to = kLastDay;
    s.reset_paths = true;
    core_.run.rebal_needed = true;
    core_.run.from = qwel::int_to_date(20250101);
    core_.run.to = qwel::int_to_date(kLastDay);
    core_.run.from_int = 20250101;
    core_.run.to_int = kLastDay;
}

}  // namespace

// With synchronous writes every page that leaves the server's cache during the load is
// written with a wait for the disk, which makes a million-row load several times slower;
// the ledger is switched to asynchronous writes for the load and back afterwards, each time
// while no connection of this program is attached.
bool set_forced_writes(const QString& path, const QString& user, const QString& password, bool on) {
    const QString gfix = QStandardPaths::findExecutable(QStringLiteral("gfix"));
    if (gfix.isEmpty()) {
        std::fprintf(stderr, "mintor-bench-gen: gfix not found, the write mode stays as it is\n");
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_USER"), user);
    env.insert(QStringLiteral("ISC_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.start(gfix, {QStringLiteral("-write"), on ? QStringLiteral("sync") : QStringLiteral("async"),
                   QStringLiteral("localhost:") + path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "mintor-bench-gen: gfix -write %s failed: %s\n", on ? "sync" : "async",
                     qUtf8Printable(QString::fromLocal8Bit(p.readAllStandardError()).trimmed()));
        return false;
    }
    return true;
}

bool forced_writes(Core& core) {
    return query_int64(core, QStringLiteral("select mon$forced_writes from mon$database")) == 1;
}

bool generate_ledger(Core& core, const GeneratorOptions& opts) {
    try {
        Generator g(core, opts);
        return g.run();
    } catch (const mintor::DbError& e) {
        std::fprintf(stderr, "mintor-bench-gen: %s\n%s\n", qUtf8Printable(e.message()), qUtf8Printable(e.sql().left(2000)));
        return false;
    }
}

}  // namespace mintor_bench
