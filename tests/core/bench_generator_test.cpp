// The benchmark's synthetic ledger (mintor-bench-gen) on a small ledger: the postings follow
// the posting rules, foreign values are the day's rate, repeaters and their instances agree,
// the journal holds the same postings, and the same seed gives the same ledger.
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

#include <cmath>

#include "core/connection.h"
#include "core/sql.h"
#include "support/ledger_fixture.h"

using testing_support::LedgerTest;

namespace {

const QString kGenerator = QStringLiteral(MINTOR_TEST_BIN_DIR "/mintor-bench-gen");

class BenchGeneratorTest : public LedgerTest {
protected:
    // Runs the generator on the (closed) ledger; its exit code, standard error in err.
    int generate(qint64 txns, int seed, const QString& journal = QString()) {
        if (!QFile::exists(kGenerator)) {
            ADD_FAILURE() << "build mintor-bench-gen first: " << kGenerator.toStdString();
            return -1;
        }
        QStringList args{ledger_path, QStringLiteral("--txns"), QString::number(txns), QStringLiteral("--seed"),
                         QString::number(seed), QStringLiteral("--quiet")};
        if (!journal.isEmpty()) args << QStringLiteral("--journal") << journal;
        QProcess p;
        p.start(kGenerator, args);
        if (!p.waitForFinished(300000)) {
            p.kill();
            ADD_FAILURE() << "mintor-bench-gen did not finish";
            return -1;
        }
        err = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    void close_ledger() {
        if (mintor::database_open(core())) mintor::close_database(core());
    }
    // Rows of a query as text, for comparisons.
    QStringList rows(const QString& query) {
        QStringList out;
        QSqlQuery q = mintor::open_query(core(), query);
        while (q.next()) {
            QStringList cols;
            for (int i = 0; i < q.record().count(); ++i) cols << q.value(i).toString().trimmed();
            out << cols.join(QLatin1Char('|'));
        }
        return out;
    }
    QString err;
};

// Date of instance n of a repeater, by the calendar (the generator's start days are all
// 28 or earlier and none is 29 February, so nothing carries into the next month).
int instance_date(int start, char freq, int inc, int n) {
    QDate d(start / 10000, start / 100 % 100, start % 100);
    switch (freq) {
    case 'M': d = d.addMonths((n - 1) * inc); break;
    case 'Y': d = d.addYears((n - 1) * inc); break;
    case 'W': d = d.addDays(qint64(n - 1) * inc * 7); break;
    default: d = d.addDays(qint64(n - 1) * inc); break;
    }
    return d.year() * 10000 + d.month() * 100 + d.day();
}

TEST_F(BenchGeneratorTest, SmallLedgerKeepsThePostingRules) {
    const QString journal = folder + QStringLiteral("ledger.journal");
    ASSERT_EQ(generate(5000, 7, journal), 0) << err.toStdString();
    open_ledger();

    // Transactions and postings belong together.
    EXPECT_EQ(sql_int("select count(*) from txn"), 5000);
    EXPECT_EQ(sql_int("select min(id) from txn"), 1);
    EXPECT_EQ(sql_int("select max(id) from txn"), 5000);
    EXPECT_EQ(sql_int("select max(txnid) from pstg"), 5000);
    EXPECT_EQ(sql_int("select count(*) from pstg p where not exists (select 1 from txn t where t.id = p.txnid)"), 0);
    EXPECT_EQ(sql_int("select count(*) from txn t where (select count(*) from pstg p where p.txnid = t.id) <> "
                      "case when t.\"type\" in ('P', 'R') and t.accid4 <> 0 then 3 else 2 end"),
              0);
    const double per_txn = double(sql_int("select count(*) from pstg")) / 5000.0;
    EXPECT_GT(per_txn, 2.4);
    EXPECT_LT(per_txn, 2.6);
    for (const char* type : {"P", "R", "C"})
        EXPECT_GT(sql_int(QStringLiteral("select count(*) from txn where \"type\" = '%1'").arg(QLatin1String(type))), 250)
            << type;
    EXPECT_GT(sql_int("select count(*) from txn where cancelled = 1"), 0);
    EXPECT_GT(sql_int("select count(*) from txn where date2 <> 0 and masterid = 0"), 0);

    // Payments and receipts: external account and counterparty equal and opposite in the
    // transaction's currency on the posting date, the internal account charged the value in
    // the base currency on the transaction date; only the first posting carries the channel.
    const QString pd = QStringLiteral("case when t.date2 <> 0 then t.date2 else t.txndate end");
    const QString live = QStringLiteral("t.\"type\" in ('P', 'R') and t.cancelled = 0");
    const QString sgn = QStringLiteral("case t.\"type\" when 'R' then 1 else -1 end");
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from txn t where %1 and not exists (select 1 from pstg p where "
                                     "p.txnid = t.id and p.objid = t.accid1 and p.contra = t.accid2 and p.amt = %2 * "
                                     "t.amt and p.val = %2 * t.val and p.ccy = t.ccy and p.pstgdate = %3 and p.chnum = "
                                     "t.chnum and p.txntype = t.\"type\" and p.seq = t.id)")
                          .arg(live, sgn, pd)),
              0);
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from txn t where %1 and not exists (select 1 from pstg p where "
                                     "p.txnid = t.id and p.objid = t.accid2 and p.contra = t.accid1 and p.amt = -%2 * "
                                     "t.amt and p.val = -%2 * t.val and p.ccy = t.ccy and p.pstgdate = %3 and p.chnum = 0)")
                          .arg(live, sgn, pd)),
              0);
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from txn t where %1 and t.accid4 <> 0 and not exists (select 1 "
                                     "from pstg p where p.txnid = t.id and p.objid = t.accid4 and p.contra = t.accid2 and "
                                     "p.amt = %2 * t.val and p.val = p.amt and p.ccy = 'GBP' and p.pstgdate = t.txndate "
                                     "and p.chnum = 0)")
                          .arg(live, sgn)),
              0);
    // Transfers: from-account down, to-account up, no value.
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from txn t where t.\"type\" = 'C' and t.cancelled = 0 and not "
                                     "(exists (select 1 from pstg p where p.txnid = t.id and p.objid = t.accid1 and p.amt "
                                     "= -t.amt and p.val = 0 and p.pstgdate = %1) and exists (select 1 from pstg p where "
                                     "p.txnid = t.id and p.objid = t.accid2 and p.amt = t.amt and p.val = 0 and "
                                     "p.pstgdate = %1))")
                          .arg(pd)),
              0);
    EXPECT_EQ(sql_int("select count(*) from pstg p join txn t on t.id = p.txnid where t.cancelled = 1 and "
                      "(p.amt <> 0 or p.val <> 0)"),
              0);
    EXPECT_EQ(sql_int("select count(*) from pstg where recamt <> 0 or reconcode <> 0 or dppstgdate <> 1 or dprngbal <> 1"),
              0);

    // Each slot holds an account of the right kind, in the right currency.
    EXPECT_EQ(sql_int("select count(*) from txn t join account a on a.id = t.accid1 join account b on b.id = t.accid2 "
                      "left join account c on c.id = t.accid4 where t.\"type\" in ('P', 'R') and not (a.type2 = 1 and "
                      "a.ccy = t.ccy and b.type2 = 4 and (t.accid4 = 0 or c.type2 in (3, 6)))"),
              0);
    EXPECT_EQ(sql_int("select count(*) from txn t join account a on a.id = t.accid1 join account b on b.id = t.accid2 "
                      "where t.\"type\" = 'C' and not ((a.type2 = 1 and b.type2 = 1 and a.ccy = t.ccy and b.ccy = t.ccy) "
                      "or (a.type2 in (3, 6) and b.type2 in (3, 6) and t.ccy = 'GBP'))"),
              0);
    EXPECT_EQ(sql_int("select count(*) from txn t where not exists (select 1 from account a where a.id = t.accid1) or "
                      "not exists (select 1 from account a where a.id = t.accid2)"),
              0);
    EXPECT_EQ(sql_int("select count(*) from txn where \"type\" in ('P', 'R') and accid4 <> 0 and not exists (select 1 "
                      "from cptyctgy c where c.cptyid = accid2 and c.ctgyid = accid4 and c.purchsale = case \"type\" "
                      "when 'P' then 'P' else 'S' end)"),
              0);

    // Accounts: groups of the members' kind, several levels deep; internal accounts in the
    // base currency; the highest id kept; a movte row each; names unique (the journal's key).
    EXPECT_EQ(sql_int("select count(*) from account a join account g on g.id = a.grpid where g.isgrp <> 1 or not "
                      "(g.btype = a.btype or (g.btype = 6 and a.btype = 3))"),
              0);
    EXPECT_EQ(sql_int("select count(*) from account where grpid <> 0 and grpid not in (select id from account)"), 0);
    for (const char* btypes : {"1", "4", "3, 6"})
        EXPECT_GE(sql_int(QStringLiteral("select max(c) from (select count(*) as c from accingrp i join account a on "
                                         "a.id = i.accid where a.btype in (%1) group by i.accid)")
                              .arg(QLatin1String(btypes))),
                  3)
            << btypes;
    EXPECT_EQ(sql_int("select count(*) from account where type2 in (3, 6) and ccy <> 'GBP'"), 0);
    EXPECT_EQ(sql_int("select pmint from param where pmid = 5"), sql_int("select max(id) from account"));
    EXPECT_EQ(sql_int("select count(*) from account a where (select count(*) from movte m where m.objid = a.id) <> 1"), 0);
    EXPECT_EQ(sql_int("select count(*) from account where isgrp = 0"),
              sql_int("select count(distinct name) from account where isgrp = 0"));
    EXPECT_EQ(sql_int("select count(*) from account where path <> ' '"), 0);
    EXPECT_EQ(sql_int("select count(*) from ccy where base = 1"), 1);

    // Foreign payments and receipts: the rate of the day, the value rounded halves to even.
    const qint64 first = sql_int("select min(txndate) from txn"), last = sql_int("select max(txndate) from txn");
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from rate where rdate between %1 and %2").arg(first).arg(last)),
              3 * (QDate(int(last / 10000), int(last / 100 % 100), int(last % 100)).toJulianDay() -
                   QDate(int(first / 10000), int(first / 100 % 100), int(first % 100)).toJulianDay() + 1));
    int foreign = 0;
    QSqlQuery fq = mintor::open_query(core(), QStringLiteral("select t.id, t.amt, t.val, t.rate, r.rate from txn t left "
                                                             "join rate r on r.ccycode = t.ccy and r.rdate = t.txndate "
                                                             "where t.\"type\" in ('P', 'R') and t.ccy <> 'GBP'"));
    while (fq.next()) {
        ++foreign;
        const qint64 amt = fq.value(1).toLongLong();
        const double rate = fq.value(3).toDouble();
        ASSERT_FALSE(fq.value(4).isNull()) << "no rate for txn " << fq.value(0).toInt();
        EXPECT_EQ(rate, fq.value(4).toDouble()) << fq.value(0).toInt();
        EXPECT_EQ(fq.value(2).toLongLong(), qint64(std::nearbyint(double(amt) / rate))) << fq.value(0).toInt();
    }
    EXPECT_GT(foreign, 100);
    EXPECT_EQ(sql_int("select count(*) from txn where \"type\" in ('P', 'R') and ccy = 'GBP' and (val <> amt or rate "
                      "<> 1)"),
              0);
    EXPECT_EQ(sql_int("select count(*) from txn where \"type\" = 'C' and val <> 0"), 0);

    // Repeaters: instances 1 .. gento dated from the start date, carrying the master's
    // figures; an active repeater's last instance lies past the end of the data.
    QSqlQuery rq = mintor::open_query(core(), QStringLiteral("select id, startdate, enddate, freq, rptinc, rptct, gento, "
                                                             "rptactive, amt, ccy, accid1, accid2, accid4, rmdays from rptr"));
    int masters = 0, inactive = 0;
    while (rq.next()) {
        ++masters;
        const int id = rq.value(0).toInt(), start = rq.value(1).toInt(), end = rq.value(2).toInt();
        const char freq = rq.value(3).toString().at(0).toLatin1();
        const int inc = rq.value(4).toInt(), count = rq.value(5).toInt(), gento = rq.value(6).toInt();
        const QStringList got = rows(QStringLiteral("select instance, txndate, date2, actualtxndate, amt, ccy, accid1, "
                                                    "accid2, accid4 from txn where masterid = %1 order by instance")
                                         .arg(id));
        ASSERT_EQ(got.size(), gento) << "repeater " << id;
        int last_date = 0;
        for (int n = 1; n <= gento; ++n) {
            const int d = instance_date(start, freq, inc, n);
            const QString want = QStringList{QString::number(n), QString::number(d), QString::number(d), QString::number(d),
                                             rq.value(8).toString(), rq.value(9).toString().trimmed(),
                                             rq.value(10).toString(), rq.value(11).toString(), rq.value(12).toString()}
                                     .join(QLatin1Char('|'));
            EXPECT_EQ(got[n - 1], want) << "repeater " << id;
            last_date = d;
        }
        if (rq.value(7).toInt() == 1) {
            EXPECT_GT(last_date, 20251231) << "repeater " << id;
        } else {
            ++inactive;
            EXPECT_TRUE((end != 0 && last_date <= end && instance_date(start, freq, inc, gento + 1) > end) ||
                        (count > 0 && gento == count))
                << "repeater " << id;
        }
        if (rq.value(13).toInt() > 0) {
            EXPECT_EQ(sql_int(QStringLiteral("select count(*) from remdr r join txn t on t.id = r.txnid where t.masterid = %1")
                                  .arg(id)),
                      gento);
        }
    }
    EXPECT_GE(masters, 5);
    EXPECT_GE(inactive, 1);

    // The journal shows the date on the first transaction of each day.
    EXPECT_EQ(sql_int("select count(*) from txn where dpdate = 1"), sql_int("select count(distinct txndate) from txn"));
    EXPECT_EQ(sql_int("select count(*) from txn t where t.dpdate = 1 and exists (select 1 from txn u where u.txndate = "
                      "t.txndate and u.id < t.id)"),
              0);

    // The journal: the same postings, by account, currency and date, and the opening balances.
    QMap<QString, qint64> want, have;
    QSqlQuery pq = mintor::open_query(core(), QStringLiteral("select a.name, trim(p.ccy), p.pstgdate, sum(p.amt) from pstg "
                                                             "p join account a on a.id = p.objid group by 1, 2, 3"));
    while (pq.next())
        want[pq.value(0).toString() + QLatin1Char('|') + pq.value(1).toString() + QLatin1Char('|') +
             pq.value(2).toString()] += pq.value(3).toLongLong();
    QSqlQuery bq = mintor::open_query(core(), QStringLiteral("select name, trim(ccy), bfdbal from account where bfdbal <> 0"));
    while (bq.next())
        want[bq.value(0).toString() + QLatin1Char('|') + bq.value(1).toString() + QStringLiteral("|20151231")] +=
            bq.value(2).toLongLong();
    QFile jf(journal);
    ASSERT_TRUE(jf.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&jf);
    int entries = 0, date = 0;
    qint64 lines = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty() && line[0].isDigit()) {
            date = line.left(10).remove(QLatin1Char('-')).toInt();
            if (line.contains(QLatin1String(" ("))) ++entries;
            continue;
        }
        if (!line.startsWith(QLatin1String("    "))) continue;
        QString body = line.mid(4), tag;
        const int semi = body.indexOf(QLatin1String("  ; ["));
        if (semi >= 0) {
            tag = body.mid(semi + 5, 10).remove(QLatin1Char('-'));
            body = body.left(semi);
        }
        const int gap = body.indexOf(QLatin1String("  "));
        if (gap < 0) continue;  // the balancing line of the opening balances
        QString name = body.left(gap);
        if (name.startsWith(QLatin1Char('('))) name = name.mid(1, name.size() - 2);
        name = name.section(QLatin1Char(':'), -1);
        const QStringList amount = body.mid(gap + 2).split(QLatin1Char(' '));
        ASSERT_EQ(amount.size(), 2) << line.toStdString();
        const qint64 minor = qint64(std::llround(amount[0].toDouble() * 100));
        have[name + QLatin1Char('|') + amount[1] + QLatin1Char('|') + (tag.isEmpty() ? QString::number(date) : tag)] += minor;
        if (date != 20151231) ++lines;
    }
    EXPECT_EQ(entries, 5000);
    EXPECT_EQ(lines, sql_int("select count(*) from pstg"));
    for (auto it = have.begin(); it != have.end();)
        if (it.value() == 0) it = have.erase(it);
        else ++it;
    for (auto it = want.begin(); it != want.end();)
        if (it.value() == 0) it = want.erase(it);
        else ++it;
    EXPECT_EQ(have.size(), want.size());
    int shown = 0;
    for (auto it = want.cbegin(); it != want.cend() && shown < 5; ++it)
        if (have.value(it.key()) != it.value()) {
            ADD_FAILURE() << it.key().toStdString() << ": journal " << have.value(it.key()) << ", ledger " << it.value();
            ++shown;
        }
}

TEST_F(BenchGeneratorTest, SameSeedSameLedgerAndOnlyIntoAnEmptyOne) {
    const QString sums = QStringLiteral(
        "select (select count(*) || ':' || sum(mod(id * 7 + amt * 13 + val * 3 + accid1 * 17 + accid2 * 19 + accid4 * 23 "
        "+ txndate + date2 * 29 + cancelled * 31 + chnum * 37, 1000000007)) from txn) || '/' || (select count(*) || ':' || "
        "sum(mod(txnid * 7 + objid * 11 + amt * 13 + val * 17 + pstgdate + contra * 19, 1000000007)) from pstg) || '/' || "
        "(select sum(mod(rdate * cast(rate * 10000 as bigint), 1000000007)) from rate) from rdb$database");
    // each run on a ledger file of its own: a file replaced under the same name may still be
    // held open by the server
    int runs = 0;
    auto run = [&](int seed, const QString& journal) {
        close_ledger();
        ledger_path = folder + QStringLiteral("data/run%1.fdb").arg(++runs);
        testing_support::copy_template(37, ledger_path);
        EXPECT_EQ(generate(2000, seed, journal), 0) << err.toStdString();
        restart_core();
        open_ledger();
        return mintor::query_value(core(), sums).toString();
    };
    const QString a = run(11, folder + QStringLiteral("a.journal"));
    EXPECT_EQ(run(11, folder + QStringLiteral("b.journal")), a);
    QFile ja(folder + QStringLiteral("a.journal")), jb(folder + QStringLiteral("b.journal"));
    ASSERT_TRUE(ja.open(QIODevice::ReadOnly));
    ASSERT_TRUE(jb.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ja.readAll() == jb.readAll());
    EXPECT_NE(run(12, QString()), a);

    // a second run on a filled ledger refuses and leaves it as it was
    const QString c = mintor::query_value(core(), sums).toString();
    close_ledger();
    EXPECT_NE(generate(2000, 11), 0);
    EXPECT_TRUE(err.contains(QLatin1String("not empty"))) << err.toStdString();
    restart_core();
    open_ledger();
    EXPECT_EQ(mintor::query_value(core(), sums).toString(), c);
}

}  // namespace
