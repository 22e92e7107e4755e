#pragma once
// Shared set-up of the repeater engine tests: the posting-rule ledger (GBP, period
// 2024-01-01 .. 2024-03-31, bank, shop, food, ...) with helpers that store masters and read
// their instances back.

#include <QList>
#include <QSqlQuery>

#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "posting_fixture.h"

namespace posting_testing {

class RepeaterTest : public PostingTest {
protected:
    // Stores a new master (id allocated); asserts success.
    mintor::TRptr master(QChar freq, int rptinc, Date start, QChar type = QChar('P'), qint64 amt = 2500,
                         int a1 = -1, int a2 = -1, int a4 = -1) {
        mintor::TRptr m;
        m.freq = freq;
        m.rptinc = rptinc;
        m.startdate = start;
        m.type = type;
        m.amt = amt;
        m.ccy = "GBP";
        m.ref = "SO";
        m.narrative = "Rent";
        m.accid1 = a1 < 0 ? bank : a1;
        m.accid2 = a2 < 0 ? (type == QChar('C') ? cash : shop) : a2;
        m.accid4 = a4 < 0 ? (type == QChar('C') ? 0 : food) : a4;
        m.rptactive = true;
        EXPECT_TRUE(mintor::insert_rptr(core(), m));
        return m;
    }
    mintor::TRptr reread(int id) {
        mintor::TRptr m;
        EXPECT_TRUE(mintor::read_rptr(core(), id, m)) << id;
        return m;
    }
    // Generates up to the horizon the way the rebalance does.
    int generate(int id, Date horizon) {
        core().run.horizon = horizon;
        mintor::TRptr m = reread(id);
        return mintor::gen_rptr_insts(core(), m);
    }
    QString where(int master_id) { return " where masterid = " + QString::number(master_id); }
    // txndate of every instance, in instance order.
    QList<int> dates(int master_id) { return ints("select txndate from txn" + where(master_id) + " order by instance"); }
    QList<int> numbers(int master_id) { return ints("select instance from txn" + where(master_id) + " order by instance"); }
    QList<int> ids(int master_id) { return ints("select id from txn" + where(master_id) + " order by instance"); }
    QList<int> ints(const QString& query) {
        QList<int> out;
        QSqlQuery q = mintor::open_query(core(), query);
        while (q.next()) out << q.value(0).toInt();
        return out;
    }
};

}  // namespace posting_testing
