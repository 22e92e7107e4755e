// Storing transaction records (write_txn, save_txn): insert with a new id or update, the
// posting-date normalisation, batch -1, masters to rptr, the id-mismatch refusal, the
// counterparty-category link; deleting postings and transactions.
#include <gtest/gtest.h>

#include "core/repeaters_store.h"
#include "core/txn_delete.h"
#include "core/txn_write.h"
#include "posting_fixture.h"

using namespace mintor;

namespace posting_testing {

class TxnWriteTest : public PostingTest {};

TEST_F(TxnWriteTest, NewRecordGetsTheNextIdItsStampsAndHeadsItsOwnBatch) {
    // an earlier transaction 119 with its posting: the next id is 120
    sql("insert into txn (id, \"type\", txndate, batchnum) values (119, 'C', 20240301, 0)");
    sql("insert into pstg (txnid, objid, txntype, amt) values (119, " + QString::number(bank) + ", 'C', 0)");
    TTxn t = txn('P', bank, shop, food, 10000);
    t.batchnum = -1;
    ASSERT_TRUE(write_txn(core(), t));
    EXPECT_EQ(t.id, 120);
    EXPECT_EQ(t.batchnum, 120);
    EXPECT_EQ(sql_int("select batchnum from txn where id = 120"), 120);
    EXPECT_NE(t.createdate, 0);
    EXPECT_EQ(sql_int("select createdate from txn where id = 120"), t.createdate);
    EXPECT_EQ(sql_int("select count(*) from txn where id = 120 and createts is not null"), 1);
    EXPECT_EQ(pstgs(), 1) << "write_txn does not post";
}

TEST_F(TxnWriteTest, PostingDateEqualToTheActualDateIsStoredAsNone) {
    struct D {
        Date actual, date2;
        int stored;
    };
    for (const D& d : std::vector<D>{{{2024, 3, 1}, {2024, 3, 1}, 0},
                                     {{2024, 3, 1}, {2024, 3, 4}, 20240304},
                                     {{}, {2024, 3, 4}, 20240304},
                                     {{2024, 3, 1}, {}, 0}}) {
        TTxn t = txn('P', bank, shop, food, 100);
        t.actualtxndate = d.actual;
        t.date2 = d.date2;
        if (!is_null_date(d.date2)) t.txndate = is_null_date(d.actual) ? d.date2 : d.actual;
        ASSERT_TRUE(save_txn(core(), t));
        EXPECT_EQ(sql_int("select date2 from txn where id = " + QString::number(t.id)), d.stored) << d.stored;
        EXPECT_EQ(date_to_int(t.date2), d.stored);
        EXPECT_EQ(date_to_int(pstg(t.id, bank).pstgdate), d.stored ? d.stored : date_to_int(t.txndate));
    }
    EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
}

TEST_F(TxnWriteTest, AnExistingRowIsUpdatedInPlace) {
    TTxn t = txn('P', bank, shop, food, 100);
    ASSERT_TRUE(save_txn(core(), t));
    const qint64 created = sql_int("select createtime from txn where id = " + QString::number(t.id));
    t.amt = t.val = 250;
    t.narrative = "changed";
    ASSERT_TRUE(delete_txn_pstgs(core(), t.id));
    ASSERT_TRUE(save_txn(core(), t));
    EXPECT_EQ(txns(), 1);
    EXPECT_EQ(sql_int("select amt from txn where id = " + QString::number(t.id)), 250);
    EXPECT_EQ(sql_int("select createtime from txn where id = " + QString::number(t.id)), created);
    EXPECT_EQ(pstg(t.id, bank).amt, -250);
    EXPECT_EQ(pstgs(), 3);
    EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
}

TEST_F(TxnWriteTest, ADamagedLedgerGetsNoNewTransaction) {
    // transaction 5 without postings: the highest ids differ
    sql("insert into txn (id, \"type\", txndate) values (5, 'P', 20240301)");
    TTxn t = txn('P', bank, shop, food, 100);
    EXPECT_FALSE(save_txn(core(), t));
    EXPECT_EQ(t.id, 0);
    EXPECT_EQ(txns(), 1);
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(sql_int("select count(*) from cptyctgy"), 0);
    EXPECT_EQ(host.messages(), QStringList{"Txn id mismatch on last rows on TXN / PSTG tables : 5 / 0 - run DB check"});
}

TEST_F(TxnWriteTest, AMasterGoesToItsRepeaterRowOnly) {
    TTxn m = txn('P', bank, shop, food, 4200);
    m.kind = TxnKind::Master;
    m.freq = 'M';
    m.startdate = {2024, 3, 1};
    m.enddate = {2024, 12, 1};
    m.rptactive = true;
    m.rptinc = 1;
    m.rptct = 10;
    m.rmdays = 3;
    m.ref = "rent";
    m.chnum = 7;
    ASSERT_TRUE(save_txn(core(), m));
    ASSERT_GT(m.masterid, 0);
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
    TRptr r;
    ASSERT_TRUE(read_rptr(core(), m.masterid, r));
    EXPECT_EQ(r.amt, 4200);
    EXPECT_EQ(r.type, 'P');
    EXPECT_EQ(r.freq, 'M');
    EXPECT_EQ(r.rptct, 10);
    EXPECT_EQ(r.rmdays, 3);
    EXPECT_EQ(r.accid4, food);
    EXPECT_EQ(r.chnum, 7);
    EXPECT_EQ(r.ref, "rent");
    EXPECT_EQ(sql_int("select count(*) from cptyctgy where purchsale = 'P'"), 1);

    const int id = m.masterid;
    m.amt = 5000;
    ASSERT_TRUE(write_txn(core(), m));
    EXPECT_EQ(m.masterid, id);
    EXPECT_EQ(sql_int("select count(*) from rptr"), 1);
    EXPECT_EQ(sql_int("select amt from rptr where id = " + QString::number(id)), 5000);
}

TEST_F(TxnWriteTest, PaymentsAndReceiptsLinkTheirCounterpartyAndInternalAccountOnce) {
    TTxn p = txn('P', bank, shop, food, 100);
    ASSERT_TRUE(save_txn(core(), p));
    TTxn p2 = txn('P', bank, shop, food, 200);
    ASSERT_TRUE(save_txn(core(), p2));
    TTxn r = txn('R', bank, employer, salary, 300);
    ASSERT_TRUE(save_txn(core(), r));
    TTxn c = txn('C', bank, cash, 0, 300);
    ASSERT_TRUE(save_txn(core(), c));
    // an update that changes the internal account links the new one too
    p.accid4 = savings;
    ASSERT_TRUE(delete_txn_pstgs(core(), p.id));
    ASSERT_TRUE(save_txn(core(), p));
    EXPECT_EQ(sql_int("select count(*) from cptyctgy"), 3);
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from cptyctgy where cptyid=%1 and ctgyid=%2 and purchsale='P'")
                          .arg(shop)
                          .arg(food)),
              1);
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from cptyctgy where cptyid=%1 and ctgyid=%2 and purchsale='P'")
                          .arg(shop)
                          .arg(savings)),
              1);
    EXPECT_EQ(sql_int(QStringLiteral("select count(*) from cptyctgy where cptyid=%1 and ctgyid=%2 and purchsale='S'")
                          .arg(employer)
                          .arg(salary)),
              1);
}

TEST_F(TxnWriteTest, APostingThatFailsTakesTheWholeSaveWithIt) {
    // the internal account equal to the external one: the third posting's key is taken
    TTxn t = txn('P', bank, shop, bank, 100);
    EXPECT_FALSE(save_txn(core(), t));
    EXPECT_EQ(t.id, 0) << "the record is as it was";
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(sql_int("select count(*) from cptyctgy"), 0);
    ASSERT_EQ(host.messages().size(), 1) << "reported once";
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError"));
}

TEST_F(TxnWriteTest, DeletingPostingsAndTransactions) {
    TTxn a = txn('P', bank, shop, food, 100);
    TTxn b = txn('P', bank, shop, food, 200);
    ASSERT_TRUE(save_txn(core(), a));
    ASSERT_TRUE(save_txn(core(), b));
    sql("insert into pstg (txnid, objid, txntype, amt) values (0, " + QString::number(bank) + ", 'A', 0)");
    sql("insert into remdr (id, txnid, text, rmdate, tgdate) values (1, " + QString::number(a.id) +
        ", '', 20240301, 20240301)");
    sql("insert into remdr (id, txnid, text, rmdate, tgdate) values (2, 0, 'free reminder', 20240301, 20240301)");

    set_rebalance_needed(core(), false);
    ASSERT_TRUE(delete_txn_pstgs(core(), b.id));
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_TRUE(posted_accounts(b.id).isEmpty());
    EXPECT_EQ(posted_accounts(a.id).size(), 3);

    ASSERT_TRUE(delete_txn(core(), a.id));
    EXPECT_EQ(sql_int("select count(*) from txn where id = " + QString::number(a.id)), 0);
    EXPECT_TRUE(posted_accounts(a.id).isEmpty());
    EXPECT_EQ(sql_int("select count(*) from remdr"), 1);

    // id 0 is no transaction: the brought-forward postings and free reminders stay
    ASSERT_TRUE(delete_txn_pstgs(core(), 0));
    ASSERT_TRUE(delete_txn(core(), 0));
    EXPECT_EQ(posted_accounts(0), QList<int>{bank});
    EXPECT_EQ(sql_int("select count(*) from remdr where txnid = 0"), 1);
}

}  // namespace posting_testing
