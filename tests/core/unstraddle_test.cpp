// Unstraddling a payment or receipt whose posting date lies across a period boundary from its
// txndate: a transaction on credit at txndate and a transfer at the old posting date, in one
// batch, every account's money where it was; and the refusals, checked before anything goes.
#include <gtest/gtest.h>

#include "core/unstraddle.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class UnstraddleTest : public MaintenanceTest {
public:
    // The money of each account on each date, over every posting but brought-forward ones.
    QString money(int except = 0) {
        QString out;
        QSqlQuery q = open_query(core(), "select objid, pstgdate, sum(amt), sum(val) from pstg where txnid > 0 "
                                         "and objid <> " + QString::number(except) +
                                         " group by objid, pstgdate having sum(amt) <> 0 or sum(val) <> 0 "
                                         "order by objid, pstgdate");
        while (q.next())
            out += QStringLiteral("%1@%2:%3/%4 ")
                       .arg(q.value(0).toInt())
                       .arg(q.value(1).toInt())
                       .arg(q.value(2).toLongLong())
                       .arg(q.value(3).toLongLong());
        return out;
    }
    int credit_of(int cpty) { return int(sql_int("select accwith from account where id = " + QString::number(cpty))); }
};

TEST_F(UnstraddleTest, SplitsIntoATransactionOnCreditAndATransferInOneBatch) {
    struct Case {
        const char* what;
        const char* party;
        QChar type;
        bool credit_exists;
    };
    const Case cases[] = {
        {"a payment, making the credit account", "Grocer", 'P', false},
        {"a receipt, making the credit account", "Client", 'R', false},
        {"a payment through an existing credit account", "Garage", 'P', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int cpty = add_acc(4, c.party);
        int credit = 0;
        if (c.credit_exists) {
            credit = add_acc(1, "Party owes");
            sql(QStringLiteral("update account set accwith = %1 where id = %2").arg(credit).arg(cpty));
            sql(QStringLiteral("update account set accwith = %1 where id = %2").arg(cpty).arg(credit));
        }
        TTxn t = txn(c.type, bank, cpty, food, 10000, {2024, 3, 31});
        t.date2 = {2024, 4, 1};
        t.chnum = 7;
        t.ref = "CHQ1";
        t.narrative = "Straddling";
        const int id = stored(t);
        const QString money_before = money();
        host.clear();
        EXPECT_TRUE(unstraddle_txn(core(), id));
        if (!c.credit_exists) {
            credit = credit_of(cpty);
            EXPECT_EQ(host.messages(),
                      QStringList{"External Account \"" + QString(c.party) + " owes\" created"});
            EXPECT_EQ(acc(credit).closedate, (Date{2024, 4, 1})) << "closed at the later date";
        } else {
            EXPECT_TRUE(host.messages().isEmpty());
            EXPECT_EQ(qwel::date_to_int(acc(credit).closedate), 99999999) << "an existing one stays open";
        }
        const TTxn after = read(id);
        EXPECT_EQ(after.accid1, credit);
        EXPECT_EQ(after.accid2, cpty);
        EXPECT_EQ(after.accid4, food);
        EXPECT_EQ(after.date2, Date{});
        EXPECT_EQ(after.actualtxndate, Date{});
        EXPECT_EQ(after.chnum, 0);
        EXPECT_EQ(after.ref, "");
        EXPECT_EQ(after.narrative, "Straddling");
        EXPECT_EQ(after.batchnum, id);
        const int u = int(sql_int("select max(id) from txn"));
        const TTxn tfr = read(u);
        EXPECT_EQ(tfr.type, QChar('C'));
        EXPECT_EQ(tfr.txndate, (Date{2024, 4, 1}));
        EXPECT_EQ(tfr.ref, "unstraddle");
        EXPECT_EQ(tfr.batchnum, id);
        EXPECT_EQ(tfr.amt, 10000);
        EXPECT_EQ(tfr.accid1, c.type == QChar('P') ? bank : credit);
        EXPECT_EQ(tfr.accid2, c.type == QChar('P') ? credit : bank);
        // nothing straddles any more, every account has its money on the same dates but the
        // counterparty (now on txndate), and the credit account nets to nothing
        EXPECT_EQ(sql_int("select count(*) from txn where date2 > 0 and date2 <> txndate"), 0);
        EXPECT_EQ(pstg(id, cpty).pstgdate, (Date{2024, 3, 31}));
        QString expected = money_before;
        expected.replace(QStringLiteral("%1@20240401:").arg(cpty), QStringLiteral("%1@20240331:").arg(cpty));
        EXPECT_EQ(money(credit), expected);
        EXPECT_EQ(sql_int("select sum(amt) from pstg where objid = " + QString::number(credit)), 0);
        EXPECT_EQ(sql_int("select sum(val) from pstg where objid = " + QString::number(credit)), 0);
        EXPECT_TRUE(ledger_invariants_hold(core()));
        sql("delete from pstg");
        sql("delete from txn");
    }
}

TEST_F(UnstraddleTest, ACancelledTransactionOnlyLosesItsPostingDate) {
    TTxn t = payment(10000, {2024, 3, 31}, {2024, 4, 1});
    t.cancelled = true;
    const int id = stored(t);
    const qint64 accounts = sql_int("select count(*) from account");
    EXPECT_TRUE(unstraddle_txn(core(), id));
    EXPECT_EQ(read(id).date2, Date{});
    EXPECT_EQ(read(id).accid1, bank);
    EXPECT_EQ(txns(), 1);
    EXPECT_EQ(sql_int("select count(*) from account"), accounts);
    EXPECT_EQ(pstg(id, bank).pstgdate, (Date{2024, 3, 31}));
    EXPECT_TRUE(host.events().empty());
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(UnstraddleTest, RefusedBeforeAnythingChanges) {
    const int tfr = stored(txn('C', bank, cash, 0, 500, {2024, 3, 31}));
    sql("update txn set date2 = 20240401 where id = " + QString::number(tfr));
    const int lost = stored(payment(10000, {2024, 3, 31}, {2024, 4, 1}));
    sql("update txn set accid2 = 901 where id = " + QString::number(lost));
    const int no_date = stored(payment(10000, {2024, 3, 31}));
    const int foreign = stored(txn('P', usd_bank, shop, food, 5000, {2024, 3, 1}, "USD"));
    sql("update txn set date2 = 20240402, val = 4000 where id = " + QString::number(foreign));
    const QString before = snapshot();
    struct Case {
        const char* what;
        int id;
        QString message;
    };
    const Case cases[] = {
        {"a transfer", tfr, "Only payments and receipts can be unstraddled"},
        {"a missing counterparty", lost, "Account not found 901"},
        {"no posting date", no_date, "Txn #3 has no posting date"},
        {"a foreign payment and a credit account in the base currency", foreign,
         "Cannot unstraddle txn #4 : it is in USD, the credit account of \"Shop\" is in GBP"},
        {"a missing transaction", 99, "Txn not found 99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.clear();
        EXPECT_FALSE(unstraddle_txn(core(), c.id));
        EXPECT_EQ(host.messages(), QStringList{c.message});
        EXPECT_EQ(snapshot(), before);
    }
}

}  // namespace
}  // namespace posting_testing
