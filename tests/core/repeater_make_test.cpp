// Making a repeater from an existing transaction: the new master, the transaction as its
// instance 1, instance 2 at once, and the refusals.
#include <gtest/gtest.h>

#include "core/repeater_make.h"
#include "core/txn_write.h"
#include "repeater_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

namespace {

class RepeaterMakeTest : public RepeaterTest {
protected:
    TTxn stored(QChar type, int a1, int a2, int a4, qint64 amt) {
        TTxn t = txn(type, a1, a2, a4, amt);
        t.ref = "INV";
        t.narrative = "Insurance";
        t.chnum = type == QChar('P') ? 7 : 0;
        EXPECT_TRUE(save_txn(core(), t));
        EXPECT_TRUE(read_txn(core(), t.id, t));
        host.clear();
        set_rebalance_needed(core(), false);
        return t;
    }
    qint64 rptrs() { return sql_int("select count(*) from rptr"); }
};

TEST_F(RepeaterMakeTest, AYearlyPaymentBecomesInstanceOneAndInstanceTwoFollows) {
    TTxn t = stored('P', bank, shop, food, 10000);
    host.answer(QString("150.00"));
    ASSERT_TRUE(make_rptr_from_txn(core(), t, 'Y'));
    EXPECT_EQ(host.questions(), QStringList{"Repeater amount (for future instances)"});
    ASSERT_GT(t.masterid, 0);
    const TRptr m = reread(t.masterid);
    EXPECT_EQ(m.freq, QChar('Y'));
    EXPECT_EQ(m.rptinc, 1);
    EXPECT_EQ(m.startdate, (Date{2024, 3, 1}));
    EXPECT_TRUE(qwel::is_null_date(m.enddate));
    EXPECT_EQ(m.rptct, 0);
    EXPECT_TRUE(m.rptactive);
    EXPECT_EQ(m.gento, 2);
    EXPECT_EQ(m.rmdays, 31);
    EXPECT_EQ(m.amt, 15000);
    EXPECT_EQ(m.type, QChar('P'));
    EXPECT_EQ(m.ref, "INV");
    EXPECT_EQ(m.narrative, "Insurance");
    EXPECT_EQ(m.chnum, 7);
    EXPECT_EQ((QList<int>{m.accid1, m.accid2, m.accid4}), (QList<int>{bank, shop, food}));
    EXPECT_EQ(ids(m.id).first(), t.id) << "the transaction is instance 1";
    EXPECT_EQ(numbers(m.id), (QList<int>{1, 2}));
    EXPECT_EQ(dates(m.id), (QList<int>{20240301, 20250301}));
    EXPECT_EQ(ints("select amt from txn" + where(m.id) + " order by instance"), (QList<int>{10000, 15000}));
    EXPECT_EQ(t.instance, 1);
    EXPECT_EQ(t.kind, TxnKind::Instance);
    EXPECT_EQ(t.gento, 2);
    EXPECT_EQ(ints("select rmdate from remdr"), QList<int>{20250129}) << "instance 2's reminder, 31 days before";
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_EQ(posted_accounts(t.id), (QList<int>{bank, shop, food})) << "instance 1 keeps its postings";
    EXPECT_TRUE(ledger_invariants_hold(core()));
    // the next generation goes on from instance 3
    generate(m.id, {2025, 12, 31});
    EXPECT_EQ(dates(m.id), (QList<int>{20240301, 20250301, 20260301}));
}

TEST_F(RepeaterMakeTest, AMonthlyReceiptHasNoReminderAndAnInstanceStartsANewMaster) {
    TTxn r = stored('R', bank, employer, salary, 5000);
    host.answer(QString("50.00"));
    ASSERT_TRUE(make_rptr_from_txn(core(), r, 'M'));
    const int first = r.masterid;
    EXPECT_EQ(reread(first).rmdays, 0);
    EXPECT_EQ(dates(first), (QList<int>{20240301, 20240401}));
    EXPECT_EQ(sql_int("select count(*) from remdr"), 0);

    // instance 2 of that repeater starts another one
    TTxn second;
    ASSERT_TRUE(read_txn(core(), ids(first).at(1), second));
    host.clear();
    host.answer_no();
    EXPECT_FALSE(make_rptr_from_txn(core(), second, 'M'));
    EXPECT_EQ(host.questions(), QStringList{"This transaction will become instance #1 of the new Repeater - OK ?"});
    EXPECT_EQ(rptrs(), 1);
    host.clear();
    host.answer_yes();
    host.answer(QString("60.00"));
    ASSERT_TRUE(make_rptr_from_txn(core(), second, 'M'));
    EXPECT_GT(second.masterid, first);
    EXPECT_EQ(numbers(first), QList<int>{1});
    EXPECT_EQ(dates(second.masterid), (QList<int>{20240401, 20240501}));
    EXPECT_EQ(ints("select amt from txn" + where(second.masterid) + " order by instance"), (QList<int>{5000, 6000}));
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterMakeTest, RefusesWhatCannotRepeat) {
    const TTxn p = stored('P', bank, shop, food, 10000);
    const TTxn tfr = stored('C', bank, cash, 0, 2000);
    TTxn negative = tfr;
    negative.amt = -2000;
    const QString only = "Only payments, receipts and transfers can repeat";
    struct Case {
        const char* what;
        TTxn rec;
        std::vector<testing_support::Answer> answers;
        QString said;
    };
    const Case cases[] = {
        {"a diary entry", txn('D', 0, 0, 0, 0), {}, only},
        {"an FX gain/loss", txn('F', bank, 0, 0, -1234), {}, only},
        {"a reconciled balance", txn('Z', bank, 0, 0, 50000), {}, only},
        {"a negative amount", negative, {}, "Amount must be >= 0"},
        {"a negative repeater amount", p, {QString("-1.00")}, "Amount must be >= 0"},
        {"the amount cancelled", p, {testing_support::Cancel{}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.clear();
        for (const auto& a : c.answers) host.answer(a);
        TTxn rec = c.rec;
        EXPECT_FALSE(make_rptr_from_txn(core(), rec, 'M'));
        EXPECT_EQ(host.messages().join("|").toStdString(), c.said.toStdString());
        EXPECT_EQ(rptrs(), 0);
        EXPECT_EQ(txns(), 2);
        EXPECT_EQ(sql_int("select count(*) from txn where masterid <> 0 or instance <> 0"), 0);
    }
    host.clear();
    core().settings.db_frozen = true;
    TTxn rec = tfr;
    EXPECT_FALSE(make_rptr_from_txn(core(), rec, 'M'));
    EXPECT_EQ(host.messages(), QStringList{"Cannot generate repeater instances, database is frozen"});
    core().settings.db_frozen = false;
    // a transfer repeats
    host.clear();
    host.answer(QString("20.00"));
    ASSERT_TRUE(make_rptr_from_txn(core(), rec, 'M'));
    EXPECT_EQ(posted_accounts(ids(rec.masterid).at(1)), (QList<int>{bank, cash}));
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace

}  // namespace posting_testing
