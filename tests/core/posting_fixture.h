#pragma once
// Shared set-up of the posting-rule tests: a fresh ledger in GBP with a USD rate of 1.25 on
// 2024-03-01, the period 2024-01-01 .. 2024-03-31, and a small set of accounts.

#include <QList>
#include <QSqlQuery>

#include "core/acctypes.h"
#include "core/postings.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/txnrows.h"
#include "store_test_support.h"
#include "support/ledger_invariants.h"

namespace posting_testing {

using mintor::TPstg;
using mintor::TTxn;
using qwel::Date;

class PostingTest : public store_testing::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        sql("insert into rate (ccycode, rdate, rate) values ('USD', 20240301, 1.25)");
        mintor::set_period(core(), {2024, 1, 1}, {2024, 3, 31});
        bank = add_acc(mintor::kTypeExternal, "Bank");
        usd_bank = add_acc(mintor::kTypeExternal, "Dollar account", "USD");
        cash = add_acc(mintor::kTypeExternal, "Cash");
        shop = add_acc(mintor::kTypeCounterparty, "Shop");
        employer = add_acc(mintor::kTypeCounterparty, "Employer");
        food = add_acc(mintor::kTypeCategory, "Food");
        salary = add_acc(mintor::kTypeCategory, "Salary");
        savings = add_acc(mintor::kTypePot, "Savings");
        fees = add_acc(mintor::kTypeCategory, "Fees");
        sql("insert into channel (chnum, accid, chname, chsts, chtype) values (7, " + QString::number(bank) +
            ", 'Card', 0, 'X')");
        core().settings.cashback_acc_id = cash;
        mintor::set_rebalance_needed(core(), false);
        host.clear();
    }

public:  // the case tables build their records through the fixture
    // A new record of the type (txndate = actualtxndate = date).
    TTxn txn(QChar type, int a1, int a2, int a4, qint64 amt, Date date = {2024, 3, 1},
             const QString& ccy = QStringLiteral("GBP")) {
        TTxn t;
        mintor::init_txn(core(), t);
        t.type = type;
        t.accid1 = a1;
        t.accid2 = a2;
        t.accid4 = a4;
        t.amt = amt;
        t.ccy = ccy;
        t.txndate = date;
        t.actualtxndate = date;
        if (type == QChar('P') || type == QChar('R')) t.val = ccy == QStringLiteral("GBP") ? amt : 0;
        return t;
    }
    TPstg pstg(int txnid, int objid) {
        TPstg p;
        EXPECT_TRUE(mintor::read_pstg(core(), txnid, objid, p)) << "posting " << txnid << "/" << objid;
        return p;
    }
    QList<int> posted_accounts(int txnid) {
        QList<int> out;
        QSqlQuery q = mintor::open_query(core(), "select objid from pstg where txnid = " + QString::number(txnid) +
                                                     " order by objid");
        while (q.next()) out << q.value(0).toInt();
        return out;
    }
    qint64 txns() { return sql_int("select count(*) from txn"); }
    qint64 pstgs() { return sql_int("select count(*) from pstg"); }

    int bank = 0, usd_bank = 0, cash = 0, shop = 0, employer = 0, food = 0, salary = 0, savings = 0, fees = 0;
};

}  // namespace posting_testing
