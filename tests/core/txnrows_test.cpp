// Transaction rows: every column written and read back, ids, batch numbers, the
// counterparty-category link, the repeater fields of an instance and damaged rows.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/acctypes.h"
#include "core/sql.h"
#include "core/txnrows.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class TxnRowsTest : public StoreTest {
protected:
    TTxn new_txn() {
        TTxn t;
        init_txn(core(), t);
        t.txndate = {2024, 3, 1};
        t.actualtxndate = {2024, 3, 1};
        return t;
    }
    // a posting for the highest transaction, so that the next id can be allocated
    void post(int txnid) { add_pstg(txnid, 1, "C", 0); }
};

TEST_F(TxnRowsTest, EveryColumnRoundTrips) {
    const int bank = add_acc(kTypeExternal, "Bank", "USD");
    const int shop = add_acc(kTypeCounterparty, "Shop", "USD");
    const int food = add_acc(kTypeCategory, "Food");
    sql(QStringLiteral("insert into channel (chnum, accid, chname) values (4, %1, 'Debit card')").arg(bank));
    TTxn t = new_txn();
    t.ccy = "USD";
    t.instance = 0;
    t.txndate = {2024, 2, 29};
    t.date2 = {2024, 3, 2};
    t.actualtxndate = {2024, 2, 28};
    t.amt = 123456789012;
    t.val = 98765432109;
    t.rate = 1.2345678901234567;
    t.type = 'P';
    t.ref = "INV-7";
    t.narrative = "Groceries";
    t.cancelled = true;
    t.accid1 = bank;
    t.accid2 = shop;
    t.accid4 = food;
    t.dpdate = false;
    t.chnum = 4;
    t.batchnum = 33;
    ASSERT_TRUE(insert_txn_row(core(), t));
    EXPECT_EQ(t.id, 1);
    post(t.id);

    TTxn r;
    ASSERT_TRUE(read_txn(core(), t.id, r));
    EXPECT_EQ(r.ccy, "USD");
    EXPECT_EQ(r.txndate, t.txndate);
    EXPECT_EQ(r.date2, t.date2);
    EXPECT_EQ(r.actualtxndate, t.actualtxndate);
    EXPECT_EQ(r.amt, t.amt);
    EXPECT_EQ(r.val, t.val);
    EXPECT_EQ(r.rate, t.rate) << "the rate comes back as the same double";
    EXPECT_EQ(r.type, QChar('P'));
    EXPECT_EQ(r.ref, "INV-7");
    EXPECT_EQ(r.narrative, "Groceries");
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.accid1, bank);
    EXPECT_EQ(r.accname1, "Bank");
    EXPECT_EQ(r.accname2, "Shop");
    EXPECT_EQ(r.accname4, "Food");
    EXPECT_FALSE(r.dpdate);
    EXPECT_EQ(r.chnum, 4);
    EXPECT_EQ(r.chname, "Debit card");
    EXPECT_EQ(r.batchnum, 33);
    EXPECT_EQ(r.kind, TxnKind::Plain);
    EXPECT_EQ(r.createts, t.createts);
    EXPECT_EQ(r.createdate, qwel::date_to_int(t.createts.date));
    EXPECT_EQ(r.createtime, qwel::time_to_int(t.createts.time));
    EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join("|").toStdString();
}

TEST_F(TxnRowsTest, RateIsWrittenWithAPointUnderAnyLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TTxn t = new_txn();
    t.rate = 0.1;
    const bool ok = insert_txn_row(core(), t);
    QLocale::setDefault(saved);
    ASSERT_TRUE(ok);
    EXPECT_EQ(query_value(core(), "select rate from txn where id = 1").toDouble(), 0.1);
}

TEST_F(TxnRowsTest, PostingDateEqualToTheActualDateReadsAsNone) {
    TTxn t = new_txn();
    t.date2 = {2024, 3, 5};
    t.actualtxndate = {2024, 3, 5};
    ASSERT_TRUE(insert_txn_row(core(), t));
    TTxn r;
    ASSERT_TRUE(read_txn(core(), t.id, r));
    EXPECT_TRUE(qwel::is_null_date(r.date2));
    EXPECT_EQ(r.actualtxndate, (qwel::Date{2024, 3, 5}));
}

TEST_F(TxnRowsTest, BatchMinusOneTakesTheTransactionsOwnId) {
    sql("insert into txn (id) values (119)");
    post(119);
    TTxn t = new_txn();
    t.batchnum = -1;
    ASSERT_TRUE(insert_txn_row(core(), t));
    EXPECT_EQ(t.id, 120);
    EXPECT_EQ(t.batchnum, 120);
    EXPECT_EQ(sql_int("select batchnum from txn where id = 120"), 120);
    // a row written again keeps it
    ASSERT_TRUE(write_txn_row(core(), t));
    EXPECT_EQ(sql_int("select batchnum from txn where id = 120"), 120);
}

TEST_F(TxnRowsTest, IdMismatchWritesNothing) {
    sql("insert into txn (id) values (5)");
    add_pstg(4, 1, "P");
    TTxn t = new_txn();
    EXPECT_FALSE(insert_txn_row(core(), t));
    EXPECT_EQ(host.messages(), QStringList{"Txn id mismatch on last rows on TXN / PSTG tables : 5 / 4 - run DB check"});
    EXPECT_EQ(t.id, 0);
    EXPECT_EQ(sql_int("select count(*) from txn"), 1);
}

TEST_F(TxnRowsTest, PaymentsAndReceiptsLinkTheirCounterpartyOnce) {
    struct Case {
        char type;
        const char* purchsale;  // empty: no link
    };
    const Case cases[] = {{'P', "P"}, {'R', "S"}, {'C', ""}, {'F', ""}};
    int last = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        sql("delete from cptyctgy");
        for (int i = 0; i < 2; ++i) {
            TTxn t = new_txn();
            t.type = c.type;
            t.accid2 = 40;
            t.accid4 = 41;
            ASSERT_TRUE(insert_txn_row(core(), t));
            last = t.id;
            post(last);
        }
        if (*c.purchsale)
            EXPECT_EQ(count("cptyctgy", QStringLiteral("cptyid = 40 and ctgyid = 41 and purchsale = '%1'")
                                            .arg(QLatin1String(c.purchsale))),
                      1);
        else
            EXPECT_EQ(count("cptyctgy", "1 = 1"), 0);
    }
}

TEST_F(TxnRowsTest, InstanceCarriesItsMastersRepeaterFields) {
    sql("insert into rptr (id, gento, freq, startdate, enddate, rptactive, rptinc, rptct, rmdays) "
        "values (3, 4, 'M', 20240131, 20251231, 1, 2, 10, 5)");
    sql("insert into txn (id, instance, masterid, \"type\", txndate) values (1, 4, 3, 'P', 20240901)");
    sql("insert into txn (id, instance, masterid, \"type\", txndate) values (2, 1, 99, 'P', 20240901)");
    TTxn r;
    ASSERT_TRUE(read_txn(core(), 1, r));
    EXPECT_EQ(r.kind, TxnKind::Instance);
    EXPECT_EQ(r.gento, 4);
    EXPECT_EQ(r.freq, QChar('M'));
    EXPECT_EQ(r.startdate, (qwel::Date{2024, 1, 31}));
    EXPECT_EQ(r.enddate, (qwel::Date{2025, 12, 31}));
    EXPECT_TRUE(r.rptactive);
    EXPECT_EQ(r.rptinc, 2);
    EXPECT_EQ(r.rptct, 10);
    EXPECT_EQ(r.rmdays, 5);
    ASSERT_TRUE(read_txn(core(), 2, r));
    EXPECT_EQ(r.freq, QChar('X')) << "its master is gone";
}

TEST_F(TxnRowsTest, DamagedRowsAreReportedAndRead) {
    // no type letter, a channel that does not exist, createdate/time that disagree with createts
    sql("insert into txn (id, \"type\", chnum, txndate, narrative, createts, createdate, createtime) "
        "values (8, null, 9, 20240102, 'Odd', '2024-01-02 03:04:05', 20240102, 30406)");
    TTxn r;
    ASSERT_TRUE(read_txn(core(), 8, r));
    EXPECT_EQ(r.type, QChar(' '));
    EXPECT_EQ(r.chname, "invalid chnum 9");
    EXPECT_EQ(host.messages(), (QStringList{"Program error : Createdate/time mismatch for txn #8",
                                            "Invalid type for txn #8 2024-01-02 Odd"}));
}

TEST_F(TxnRowsTest, MissingTransactions) {
    TTxn r;
    EXPECT_FALSE(read_txn(core(), 0, r));
    EXPECT_FALSE(read_txn(core(), 77, r));
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_FALSE(read_txn_or_report(core(), 77, r));
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 77"});
    host.clear();
    TTxn t = new_txn();
    t.id = 78;
    t.batchnum = -1;
    EXPECT_FALSE(write_txn_row(core(), t)) << "an update of no row is not a write";
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 78"});
    EXPECT_EQ(t.batchnum, -1);
}

TEST_F(TxnRowsTest, NewRecordTakesTheCurrencyOfNewTransactions) {
    TTxn t;
    t.amt = 5;
    init_txn(core(), t);
    EXPECT_EQ(t.ccy, "GBP");
    EXPECT_EQ(t.amt, 0);
    EXPECT_EQ(t.rate, 1.0);
    EXPECT_EQ(t.type, QChar('P'));
    EXPECT_TRUE(t.dpdate);
    core().store.new_txn_ccy = "USD";
    init_txn(core(), t);
    EXPECT_EQ(t.ccy, "USD");
}

}  // namespace
