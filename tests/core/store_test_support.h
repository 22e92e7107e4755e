#pragma once
// Shared set-up of the record-store tests: a fresh ledger, opened, with the base currency
// GBP known, and small helpers that add rows directly.

#include <QString>

#include "core/accounts.h"
#include "core/dbstatus.h"
#include "core/records.h"
#include "core/transactions.h"
#include "support/ledger_fixture.h"

namespace store_testing {

class StoreTest : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        sql("insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)");
        sql("insert into ccy (id, \"NAME\", base) values ('USD', 'Dollar', 0)");
        mintor::check_base_ccy(core());
        host.clear();
    }

    // Inserts an account through the record store; asserts success.
    int add_acc(int type2, const QString& name, const QString& ccy = QStringLiteral("GBP")) {
        mintor::Tacc a;
        a.type2 = type2;
        mintor::init_acc(core(), a);
        a.name = name;
        a.ccy = ccy;
        EXPECT_TRUE(mintor::insert_acc(core(), a)) << name.toStdString();
        return a.id;
    }
    mintor::Tacc acc(int id) {
        mintor::Tacc a;
        EXPECT_TRUE(mintor::read_acc(core(), id, a)) << id;
        return a;
    }
    // A posting row with only the columns the checks look at.
    void add_pstg(int txnid, int objid, const char* type, qint64 amt = 100, int contra = 0) {
        sql(QStringLiteral("insert into pstg (txnid, objid, txntype, amt, contra, pstgdate) values (%1, %2, '%3', %4, %5, "
                           "20240105)")
                .arg(txnid)
                .arg(objid)
                .arg(QLatin1String(type))
                .arg(amt)
                .arg(contra));
    }
    qint64 count(const QString& table, const QString& where) {
        return sql_int(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where ") + where);
    }
};

}  // namespace store_testing
