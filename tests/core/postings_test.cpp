// Posting rows: every column written and read back, upsert, the rebalance-needed rules,
// missing and damaged postings, and the brought-forward posting.
#include <gtest/gtest.h>

#include "core/acctypes.h"
#include "core/postings.h"
#include "core/runstate.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class PostingsTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        set_period(core(), {2024, 1, 1}, {2024, 1, 31});
        set_rebalance_needed(core(), false);
    }
    TPstg pstg(int txnid, int objid, qint64 amt, qwel::Date date) {
        TPstg p;
        init_pstg(core(), p);
        p.txnid = txnid;
        p.objid = objid;
        p.amt = amt;
        p.pstgdate = date;
        p.txntype = 'P';
        return p;
    }
};

TEST_F(PostingsTest, EveryColumnRoundTrips) {
    TPstg p = pstg(12, 34, -500, {2024, 1, 15});
    p.seq = 99999999;
    p.contra = 56;
    p.ccy = "USD";
    p.recamt = 777;
    p.val = -400;
    p.reconcode = 1;
    p.txntype = 'Z';
    p.dppstgdate = false;
    p.dprngbal = true;
    p.batchnum = 12;
    p.chnum = 3;
    p.rngbal = 424242;  // never written by the store
    ASSERT_TRUE(insert_pstg(core(), p));
    TPstg r;
    ASSERT_TRUE(read_pstg(core(), 12, 34, r));
    EXPECT_EQ(r.txnid, 12);
    EXPECT_EQ(r.objid, 34);
    EXPECT_EQ(r.seq, 99999999);
    EXPECT_EQ(r.contra, 56);
    EXPECT_EQ(r.ccy, "USD");
    EXPECT_EQ(r.amt, -500);
    EXPECT_EQ(r.val, -400);
    EXPECT_EQ(r.recamt, 777);
    EXPECT_EQ(r.reconcode, 1);
    EXPECT_EQ(r.pstgdate, (qwel::Date{2024, 1, 15}));
    EXPECT_EQ(r.txntype, QChar('Z'));
    EXPECT_FALSE(r.dppstgdate);
    EXPECT_TRUE(r.dprngbal);
    EXPECT_EQ(r.batchnum, 12);
    EXPECT_EQ(r.chnum, 3);
    EXPECT_EQ(r.rngbal, 0);
    EXPECT_EQ(sql_int("select count(*) from pstg where rngbal is null and rprts is null"), 1);
}

TEST_F(PostingsTest, UpsertInsertsThenUpdates) {
    TPstg p = pstg(5, 6, 100, {2024, 1, 10});
    ASSERT_TRUE(upsert_pstg(core(), p));
    EXPECT_EQ(count("pstg", "txnid = 5 and objid = 6 and amt = 100"), 1);
    p.amt = 250;
    ASSERT_TRUE(upsert_pstg(core(), p));
    EXPECT_EQ(count("pstg", "txnid = 5 and objid = 6"), 1);
    EXPECT_EQ(sql_int("select amt from pstg where txnid = 5 and objid = 6"), 250);
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(PostingsTest, InsertSetsRebalanceNeededForMoneyInThePeriod) {
    struct Case {
        qint64 amt;
        qwel::Date date;
        bool needed;
    };
    const Case cases[] = {
        {100, {2024, 1, 31}, true},   // on the period end
        {-5, {2023, 6, 1}, true},     // before the period
        {0, {2024, 1, 10}, false},    // no money
        {100, {2024, 2, 1}, false},   // after the period end
    };
    int objid = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(qwel::format_date(c.date).toStdString() + " " + std::to_string(c.amt));
        set_rebalance_needed(core(), false);
        ASSERT_TRUE(insert_pstg(core(), pstg(1, objid++, c.amt, c.date)));
        EXPECT_EQ(core().run.rebal_needed, c.needed);
    }
}

TEST_F(PostingsTest, UpdateSetsRebalanceNeededUnlessNothingThatCountsChanged) {
    struct Case {
        qwel::Date old_date;
        qint64 old_amt;
        qwel::Date new_date;
        qint64 new_amt;
        bool needed;
    };
    const qwel::Date in{2024, 1, 10}, later{2024, 2, 10}, later2{2024, 3, 1};
    const Case cases[] = {
        {in, 100, in, 200, true},          // amount changed in the period
        {in, 100, later, 100, true},       // moved out of the period
        {later, 100, in, 100, true},       // moved into the period
        {later, 100, later2, 900, false},  // both after the period end
        {in, 100, in, 100, false},         // amount and date unchanged
    };
    int objid = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(objid);
        ASSERT_TRUE(insert_pstg(core(), pstg(1, objid, c.old_amt, c.old_date)));
        set_rebalance_needed(core(), false);
        TPstg p = pstg(1, objid, c.new_amt, c.new_date);
        p.contra = 77;  // other columns do not count
        ASSERT_TRUE(update_pstg(core(), p));
        EXPECT_EQ(core().run.rebal_needed, c.needed);
        EXPECT_EQ(sql_int(QStringLiteral("select contra from pstg where txnid = 1 and objid = %1").arg(objid)), 77);
        ++objid;
    }
}

TEST_F(PostingsTest, UpdatingAMissingPostingReportsItAndWritesNothing) {
    EXPECT_FALSE(update_pstg(core(), pstg(5, 6, 100, {2024, 1, 10})));
    EXPECT_EQ(host.messages(), QStringList{"Posting not found 5 6"});
    EXPECT_EQ(sql_int("select count(*) from pstg"), 0);
    EXPECT_FALSE(core().run.rebal_needed);
    TPstg r;
    host.clear();
    EXPECT_FALSE(read_pstg_or_report(core(), 0, 6, r));
    EXPECT_EQ(host.messages(), QStringList{"Posting not found 0 6"});
}

TEST_F(PostingsTest, InvalidTypeLetterTakesTheTransactionsType) {
    sql("insert into txn (id, \"type\") values (9, 'R')");
    sql("insert into pstg (txnid, objid, txntype, amt) values (9, 3, 'Q', 10)");
    TPstg r;
    ASSERT_TRUE(read_pstg(core(), 9, 3, r));
    EXPECT_EQ(r.txntype, QChar('R'));
    EXPECT_EQ(host.messages(), QStringList{"Posting has invalid txn type txn #9 account #3"});
}

TEST_F(PostingsTest, DeleteRemovesOnlyThatKey) {
    ASSERT_TRUE(insert_pstg(core(), pstg(1, 2, 5, {2024, 1, 2})));
    ASSERT_TRUE(insert_pstg(core(), pstg(1, 3, 5, {2024, 1, 2})));
    ASSERT_TRUE(delete_pstg(core(), 1, 2));
    EXPECT_EQ(count("pstg", "txnid = 1"), 1);
    EXPECT_EQ(count("pstg", "objid = 3"), 1);
}

TEST_F(PostingsTest, BroughtForwardPostingIsAddedOnce) {
    const int bank = add_acc(kTypeExternal, "Dollars", "USD");
    Tacc a = acc(bank);
    ASSERT_TRUE(ensure_bfd_posting(core(), a));
    ASSERT_TRUE(ensure_bfd_posting(core(), a));
    EXPECT_EQ(count("pstg", QStringLiteral("objid = %1").arg(bank)), 1);
    TPstg r;
    ASSERT_TRUE(read_pstg(core(), 0, bank, r));
    EXPECT_EQ(r.txntype, QChar('A'));
    EXPECT_EQ(r.ccy, "USD");
    EXPECT_EQ(r.amt, 0);
    EXPECT_EQ(qwel::date_to_int(r.pstgdate), 0);
    EXPECT_FALSE(core().run.rebal_needed);
    ASSERT_TRUE(delete_bfd_posting(core(), bank));
    EXPECT_EQ(count("pstg", QStringLiteral("objid = %1").arg(bank)), 0);
}

}  // namespace
