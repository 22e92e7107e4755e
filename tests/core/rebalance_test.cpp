// The rebalance's figures against postings written straight into a fresh ledger.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "core/rebalance.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/dialogs.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

struct Figures {
    qint64 bfd = 0, prepdnet = 0, pays = 0, rcpts = 0, tfrs = 0, pdbfd = 0, pdcfd = 0;
    int first = 0, last = 0;
    bool found = false;
};

class RebalanceTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        sql("insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)");
        sql("insert into ccy (id, \"NAME\", base) values ('EUR', 'Euro', 0)");
        acc(90, "Default pot", 6, "GBP");
        core().settings.default_pot_id = 90;
        set_period(core(), {2024, 1, 1}, {2024, 12, 31});
        core().settings.last_gen_to = 20241231;
        host.clear();
    }
    void acc(int id, const QString& name, int type2, const QString& ccy, int grpid = 0, qint64 bfdbal = 0,
             qint64 bfdval = 0) {
        int isgrp = (type2 >= 8 && type2 <= 10) ? 1 : 0;
        sql(QStringLiteral("insert into account (id, name, type2, isgrp, ccy, grpid, bfdbal, bfdval, path) values "
                           "(%1, '%2', %3, %4, '%5', %6, %7, %8, ' ')")
                .arg(id)
                .arg(name)
                .arg(type2)
                .arg(isgrp)
                .arg(ccy)
                .arg(grpid)
                .arg(bfdbal)
                .arg(bfdval));
    }
    void post(int txnid, int objid, qint64 amt, int date, const char* type, const QString& ccy = "GBP", qint64 val = 0) {
        sql(QStringLiteral("insert into pstg (txnid, objid, amt, val, pstgdate, txntype, ccy, seq) values "
                           "(%1, %2, %3, %4, %5, '%6', '%7', %1)")
                .arg(txnid)
                .arg(objid)
                .arg(amt)
                .arg(val == 0 ? amt : val)
                .arg(date)
                .arg(QString::fromLatin1(type))
                .arg(ccy));
    }
    Figures fig(int accid, const QString& ccy = "GBP", const QString& amtval = "A") {
        Figures f;
        QSqlQuery q = open_query(core(), QStringLiteral("select bfd, prepdnet, pdpayts, pdrcpts, pdtfrs, pdbfd, pdcfd, "
                                                        "firstpstgdate, lastpstgdate from movtg where accid = %1 and "
                                                        "ccy = '%2' and amtval = '%3'")
                                             .arg(accid)
                                             .arg(ccy, amtval));
        if (!q.next()) return f;
        f = {q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong(),
             q.value(4).toLongLong(), q.value(5).toLongLong(), q.value(6).toLongLong(), q.value(7).toInt(),
             q.value(8).toInt(), true};
        EXPECT_FALSE(q.next()) << "one row per account, currency and kind";
        return f;
    }
    int rows(int accid) { return int(sql_int(QStringLiteral("select count(*) from movtg where accid = %1").arg(accid))); }
    QPair<int, int> movte(int objid) {
        QSqlQuery q = open_query(core(), QStringLiteral("select firstpstgdate, lastpstgdate from movte where objid = %1").arg(objid));
        if (!q.next()) return {-1, -1};
        return {q.value(0).toInt(), q.value(1).toInt()};
    }
};

TEST_F(RebalanceTest, NoPostingsGivesRowsOnlyForOpeningBalances) {
    acc(1, "Bank", 1, "GBP", 0, 100000);
    acc(2, "Wallet", 1, "GBP");
    acc(3, "Food", 3, "GBP", 0, 2500);
    ASSERT_TRUE(rebalance(core()));
    Figures bank = fig(1);
    ASSERT_TRUE(bank.found);
    EXPECT_EQ(bank.bfd, 100000);
    EXPECT_EQ(bank.pdbfd, 100000);
    EXPECT_EQ(bank.pdcfd, 100000);
    EXPECT_EQ(rows(2), 0);
    // washing on: the category's opening balance sits in the default pot
    EXPECT_EQ(rows(3), 0);
    EXPECT_EQ(fig(90).pdcfd, 2500);
    EXPECT_EQ(movte(1), qMakePair(99999999, 99999999)) << "an opening balance alone is no posting";
    EXPECT_EQ(movte(2), qMakePair(-1, -1));
    EXPECT_FALSE(core().run.rebal_needed);
    EXPECT_EQ(qwel::flash_last_text(), "Rebalanced OK");
}

TEST_F(RebalanceTest, PeriodBoundariesAndDates) {
    acc(1, "Bank", 1, "GBP");
    post(1, 1, -100, 20231231, "P");  // the day before From: brought forward
    post(2, 1, -200, 20240101, "P");  // From: in the period
    post(3, 1, 300, 20241231, "R");   // To: in the period
    post(4, 1, -400, 20250101, "C");  // after To: nowhere, but the last date
    post(5, 1, 0, 0, "A");            // dated 0: no date
    ASSERT_TRUE(rebalance(core()));
    Figures f = fig(1);
    EXPECT_EQ(f.prepdnet, -100);
    EXPECT_EQ(f.pays, -200);
    EXPECT_EQ(f.rcpts, 300);
    EXPECT_EQ(f.tfrs, 0);
    EXPECT_EQ(f.pdbfd, -100);
    EXPECT_EQ(f.pdcfd, 0);
    EXPECT_EQ(f.first, 20231231);
    EXPECT_EQ(f.last, 20250101);
    EXPECT_EQ(movte(1), qMakePair(20231231, 20250101));
}

TEST_F(RebalanceTest, TypesADAndZAddNothingButTheirDates) {
    acc(1, "Bank", 1, "GBP", 0, 1000);
    post(1, 1, 5000, 20240301, "Z");
    post(2, 1, 7000, 20240302, "D");
    post(3, 1, 9000, 20200101, "A");
    post(4, 1, 50, 20240303, "F");
    ASSERT_TRUE(rebalance(core()));
    Figures f = fig(1);
    EXPECT_EQ(f.pdcfd, 1050);
    EXPECT_EQ(f.tfrs, 50) << "FX gains count as transfers";
    EXPECT_EQ(f.first, 20200101);
    EXPECT_EQ(f.last, 20240303);
}

TEST_F(RebalanceTest, ForeignAccountsGetAmountAndValueRowsAndGroupsSumEachCurrency) {
    acc(20, "Banks", 8, "GBP");
    acc(1, "Bank", 1, "GBP", 20, 1000);
    acc(2, "Euro bank", 1, "EUR", 20, 500, 450);
    post(1, 2, -100, 20230601, "P", "EUR", -90);
    post(2, 2, 200, 20240601, "R", "EUR", 170);
    post(3, 1, -10, 20240601, "P");
    core().settings.reset_paths = true;
    ASSERT_TRUE(rebalance(core()));
    EXPECT_EQ(rows(1), 1) << "a base-currency account has only its 'A' row";
    EXPECT_EQ(rows(2), 2);
    Figures a = fig(2, "EUR", "A"), v = fig(2, "EUR", "V");
    EXPECT_EQ(a.pdbfd, 400);
    EXPECT_EQ(a.pdcfd, 600);
    EXPECT_EQ(v.bfd, 450);
    EXPECT_EQ(v.pdbfd, 360);
    EXPECT_EQ(v.pdcfd, 530);
    EXPECT_EQ(v.first, 0) << "dates are kept on 'A' rows";
    // the group: one 'A' row per currency and a 'V' row for the euro
    EXPECT_EQ(rows(20), 3);
    EXPECT_EQ(fig(20, "GBP", "A").pdcfd, 990);
    EXPECT_EQ(fig(20, "EUR", "A").pdcfd, 600);
    EXPECT_EQ(fig(20, "EUR", "V").pdcfd, 530);
}

TEST_F(RebalanceTest, AGroupThreeLevelsUpReceivesTheAccountOnce) {
    acc(30, "Top", 10, "GBP");
    acc(31, "Mid", 10, "GBP", 30);
    acc(32, "Low", 10, "GBP", 31);
    acc(3, "Food", 3, "GBP", 32);
    post(1, 3, -700, 20240505, "P");
    core().settings.reset_paths = true;
    ASSERT_TRUE(rebalance(core()));
    EXPECT_FALSE(core().settings.reset_paths);
    for (int g : {30, 31, 32}) EXPECT_EQ(fig(g).pays, -700) << g;
    EXPECT_EQ(movte(30), qMakePair(20240505, 20240505));
}

TEST_F(RebalanceTest, WashingOnAndOff) {
    acc(3, "Food", 3, "GBP", 0, 1000);
    acc(4, "Fuel", 3, "GBP", 0, 500);
    post(1, 3, -300, 20230505, "P");
    post(2, 4, -200, 20230506, "P");
    post(3, 3, -50, 20240505, "P");
    ASSERT_TRUE(rebalance(core()));
    EXPECT_EQ(fig(90).pdbfd, 1000);  // 1000 + 500 - 300 - 200, all in the pot
    EXPECT_EQ(fig(3).pdbfd, 0);
    EXPECT_EQ(fig(3).pays, -50);

    core().run.wash_ctgies = false;
    ASSERT_TRUE(rebalance(core()));
    EXPECT_FALSE(fig(90).found);
    EXPECT_EQ(fig(3).pdbfd, 700);
    EXPECT_EQ(fig(4).pdbfd, 300);
}

TEST_F(RebalanceTest, RefusalsLeaveTheFlagSet) {
    core().settings.default_pot_id = 0;
    set_rebalance_needed(core(), true);
    EXPECT_FALSE(rebalance(core()));
    EXPECT_TRUE(host.said("Program error : no dftpot"));
    core().settings.default_pot_id = 90;

    // a transaction posted either side of To
    sql("insert into txn (id, txndate, date2, cancelled) values (7, 20241231, 20250102, 0)");
    host.clear();
    EXPECT_FALSE(rebalance(core()));
    EXPECT_TRUE(host.said("Transaction #7 (displayed) straddles 2024-12-31 and a later date\r"
                          "(use Edit|Unstraddle to resolve this)"));
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_FALSE(core().run.rebal_in_progress);

    sql("update txn set cancelled = 1 where id = 7");
    EXPECT_TRUE(rebalance(core())) << "a cancelled transaction straddles nothing";
}

TEST_F(RebalanceTest, ADatabaseErrorKeepsTheOldFigures) {
    acc(1, "Bank", 1, "GBP", 0, 1000);
    ASSERT_TRUE(rebalance(core()));
    post(1, 1, -100, 20240301, "P");
    sql("alter table movte drop lastpstgdate");  // the last statement will fail
    commit_work(core());
    core().settings.reset_paths = true;
    set_rebalance_needed(core(), true);
    host.clear();
    EXPECT_FALSE(rebalance(core()));
    EXPECT_TRUE(host.said_containing("EDatabaseError"));
    EXPECT_FALSE(core().run.rebal_in_progress);
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_TRUE(core().settings.reset_paths) << "a failed rebalance leaves the path rebuild pending";
    EXPECT_EQ(fig(1).pdcfd, 1000) << "the figures are those of the last good rebalance";
}

TEST_F(RebalanceTest, RebalanceNowButton) {
    core().run.rebal_in_progress = true;
    rebalance_now_clicked(core());
    EXPECT_TRUE(host.said("Rebalance already in progress"));
    core().run.rebal_in_progress = false;
    set_rebalance_needed(core(), false);
    host.answer(false);
    rebalance_now_clicked(core());
    EXPECT_EQ(host.questions().back(), "Rebalance not needed - continue anyway? ?");
    EXPECT_NE(qwel::flash_last_text(), "Rebalanced OK");
    host.answer(true);
    EXPECT_TRUE(ask_rebalance_now(core())) << "nothing needed: no question";
    set_rebalance_needed(core(), true);
    EXPECT_TRUE(ask_rebalance_now(core()));
    EXPECT_EQ(host.questions().back(), "Rebalance now ?");
}

TEST_F(RebalanceTest, DistantToAsksAboutTheHorizon) {
    qwel::Date far = qwel::next_year(qwel::next_year(qwel::today()));
    set_period(core(), {2024, 1, 1}, far);
    core().settings.last_gen_to = qwel::date_to_int(qwel::today());
    host.answer(0);  // Cancel: only up to today
    ASSERT_TRUE(rebalance(core()));
    EXPECT_TRUE(host.said_containing("g_balat = " + qwel::format_date(far) + "; one year ahead = "));
    EXPECT_EQ(core().settings.last_gen_to, qwel::date_to_int(qwel::today()));

    host.answer(2);  // just a year ahead
    host.answer(false);  // many instances: no
    ASSERT_TRUE(rebalance(core()));
    EXPECT_EQ(host.questions().back().left(31), "Many instances may be generated");
    EXPECT_EQ(core().settings.last_gen_to, qwel::date_to_int(qwel::today()));
}

}  // namespace
