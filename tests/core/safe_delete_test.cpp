// The user's deletion of a transaction: the plain question, FX gain/loss entries newest
// first, reconciled balances and the account's reconciled date, and the three answers for a
// repeater instance; every refusal and a database error leave the ledger as it was.
#include <gtest/gtest.h>

#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "core/runstate.h"
#include "core/txn_delete.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

const QString kInstanceQuestion =
    "Txn is a Repeater instance; also deactivate the Repeater and delete any later instances?";
const QString kRegenerated =
    "Deleted instance will be regenerated at next Rebal (use Cancel instead to avoid this) - still ok to delete?";
const QString kNotRegenerated = "Deleted instance will not be regenerated at next Rebal - still ok to delete?";
const QString kRegenerateNow = "Regenerate deleted instance now?";

class SafeDeleteTest : public MaintenanceTest {
public:
    // A monthly payment from 2024-01-15 generated up to 2024-03-31: instances 1 to 4 (the
    // fourth, 2024-04-15, is the first beyond the horizon), each with a reminder.
    TRptr monthly() {
        TRptr m;
        m.freq = 'M';
        m.rptinc = 1;
        m.startdate = {2024, 1, 15};
        m.type = 'P';
        m.amt = 2500;
        m.ccy = "GBP";
        m.accid1 = bank;
        m.accid2 = shop;
        m.accid4 = food;
        m.rptactive = true;
        m.rmdays = 3;
        EXPECT_TRUE(insert_rptr(core(), m));
        core().run.horizon = {2024, 3, 31};
        EXPECT_GT(gen_rptr_insts(core(), m), 0);
        EXPECT_EQ(m.gento, 4);
        host.clear();
        return m;
    }
    int instance_id(int master, int n) {
        return int(sql_int(QStringLiteral("select id from txn where masterid = %1 and instance = %2").arg(master).arg(n)));
    }
    QList<int> instances(int master) {
        QList<int> out;
        QSqlQuery q = open_query(core(), "select instance from txn where masterid = " + QString::number(master) +
                                             " order by instance");
        while (q.next()) out << q.value(0).toInt();
        return out;
    }
    TRptr master_row(int id) {
        TRptr m;
        EXPECT_TRUE(read_rptr(core(), id, m));
        return m;
    }
    int reminders(int txnid) { return int(count("remdr", "txnid = " + QString::number(txnid))); }
};

TEST_F(SafeDeleteTest, DeletesAfterTheQuestionWithPostingsAndReminders) {
    const int id = stored(payment(10000, {2024, 1, 15}));
    sql("insert into remdr (id, txnid, text, rmdate, tgdate) values (1, " + QString::number(id) +
        ", '', 20240110, 20240115)");
    const QString before = snapshot();
    host.answer_no();
    EXPECT_FALSE(safe_del_txnid(core(), id));
    EXPECT_EQ(snapshot(), before);
    set_rebalance_needed(core(), false);
    host.clear();
    host.answer_yes();
    EXPECT_TRUE(safe_del_txnid(core(), id));
    EXPECT_EQ(host.questions(), QStringList{"Delete txn #1 ?"});
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(reminders(id), 0);
    EXPECT_TRUE(core().run.rebal_needed);
    host.clear();
    EXPECT_FALSE(safe_del_txnid(core(), id));
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 1"});
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(SafeDeleteTest, FxGainsAndLossesGoNewestFirst) {
    const int older = stored(txn('F', usd_bank, 0, 0, -1234, {2024, 2, 10}));
    const int newer = stored(txn('F', usd_bank, 0, 0, 500, {2024, 2, 20}));
    const int same_day = stored(txn('F', bank, 0, 0, 700, {2024, 2, 20}));
    EXPECT_FALSE(safe_del_txnid(core(), older));
    EXPECT_EQ(host.messages(), QStringList{"Cannot delete FX gain/loss - more recent found"});
    EXPECT_TRUE(host.questions().isEmpty());
    // one of the same day is not more recent
    host.clear();
    host.answer_yes();
    EXPECT_TRUE(safe_del_txnid(core(), newer));
    host.answer_yes();
    EXPECT_TRUE(safe_del_txnid(core(), same_day));
    host.answer_yes();
    EXPECT_TRUE(safe_del_txnid(core(), older));
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
}

TEST_F(SafeDeleteTest, AReconciledBalanceMovesTheReconciledDateBackOnlyWhenItIsTheNewest) {
    struct Case {
        const char* what;
        int deleted;              // index into the three balances below
        QString reconciled_after; // the account's reconciled date afterwards
    };
    const Case cases[] = {
        {"the newest: back to the one before", 2, "2024-02-29"},
        {"an older one: the date stays", 0, "2024-03-31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql("delete from pstg");
        sql("delete from txn");
        const int ids[] = {stored(txn('Z', bank, 0, 0, 5000, {2024, 1, 31})),
                           stored(txn('Z', bank, 0, 0, 6000, {2024, 2, 29})),
                           stored(txn('Z', bank, 0, 0, 7000, {2024, 3, 31}))};
        stored(txn('Z', cash, 0, 0, 100, {2024, 3, 31}));  // another account's
        reconcile(bank, "2024-03-31");
        freeze_before(20241231);  // a reconciled balance asks no freeze question
        host.clear();
        host.answer_yes();
        EXPECT_TRUE(safe_del_txnid(core(), ids[c.deleted]));
        EXPECT_EQ(host.questions(), QStringList{"Unreconcile balance?"});
        EXPECT_EQ(acc(bank).reconciled, c.reconciled_after);
        freeze_before(0);
    }
    // the last one of the account: empty
    sql("delete from txn where accid1 = " + QString::number(bank) + " and txndate < 20240331");
    sql("delete from pstg where objid = " + QString::number(bank) + " and pstgdate < 20240331");
    host.clear();
    host.answer_yes();
    EXPECT_TRUE(safe_del_txnid(core(), int(sql_int("select id from txn where accid1 = " + QString::number(bank)))));
    EXPECT_EQ(acc(bank).reconciled, "");
    // declined: the balance and the date stay
    const int z = stored(txn('Z', bank, 0, 0, 5000, {2024, 1, 31}));
    reconcile(bank, "2024-01-31");
    const QString before = snapshot();
    host.clear();
    host.answer_no();
    EXPECT_FALSE(safe_del_txnid(core(), z));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SafeDeleteTest, ARepeaterInstance) {
    struct Case {
        const char* what;
        int instance;
        std::vector<Answer> answers;
        QStringList questions;
        bool deleted;
        QList<int> instances_after;
        int gento_after;
        bool active_after;
    };
    const Case cases[] = {
        {"cancel", 2, {'C'}, {kInstanceQuestion}, false, {1, 2, 3, 4}, 4, true},
        {"the question closed counts as cancel", 2, {' '}, {kInstanceQuestion}, false, {1, 2, 3, 4}, 4, true},
        {"yes: deactivated, this and the later ones deleted", 2, {'Y'}, {kInstanceQuestion}, true, {1}, 1, false},
        {"no, an earlier instance: only it goes, for good", 2, {'N', true}, {kInstanceQuestion, kNotRegenerated}, true,
         {1, 3, 4}, 4, true},
        {"no, an earlier instance, not confirmed", 2, {'N', false}, {kInstanceQuestion, kNotRegenerated}, false,
         {1, 2, 3, 4}, 4, true},
        {"no, the latest: deleted, to come back at the next generation", 4, {'N', true, false},
         {kInstanceQuestion, kRegenerated, kRegenerateNow}, true, {1, 2, 3}, 3, true},
        {"no, the latest, regenerated now", 4, {'N', true, true}, {kInstanceQuestion, kRegenerated, kRegenerateNow},
         true, {1, 2, 3, 4}, 4, true},
        {"no, the latest, not confirmed", 4, {'N', false}, {kInstanceQuestion, kRegenerated}, false, {1, 2, 3, 4}, 4,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql("delete from pstg");
        sql("delete from remdr");
        sql("delete from txn");
        sql("delete from rptr");
        const TRptr m = monthly();
        const int id = instance_id(m.id, c.instance);
        const QString before = snapshot();
        for (const Answer& a : c.answers) host.answer(a);
        EXPECT_EQ(safe_del_txnid(core(), id), c.deleted);
        EXPECT_EQ(host.questions(), c.questions);
        EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join("|").toStdString();
        EXPECT_EQ(instances(m.id), c.instances_after);
        const TRptr after = master_row(m.id);
        EXPECT_EQ(after.gento, c.gento_after);
        EXPECT_EQ(after.rptactive, c.active_after);
        if (!c.deleted) {
            EXPECT_EQ(snapshot(), before);
        }
        EXPECT_EQ(int(count("remdr", "txnid not in (select id from txn)")), 0) << "reminders go with their instance";
        EXPECT_TRUE(ledger_invariants_hold(core()));
    }
}

TEST_F(SafeDeleteTest, DeletingLaterInstancesAsksAboutTheirProtectedPostings) {
    const TRptr m = monthly();
    reconcile(bank, "2024-03-31");  // instance 3 of 2024-03-15 is under the reconciled balance
    const int first = instance_id(m.id, 1);
    const QString before = snapshot();
    host.answer_yes(2);  // instance 1's own postings
    host.answer('Y');
    host.answer_no();  // instance 2
    EXPECT_FALSE(safe_del_txnid(core(), first));
    EXPECT_EQ(host.questions(), (QStringList{reconciled_question("Bank"), really_sure(), kInstanceQuestion,
                                             reconciled_question("Bank")}));
    EXPECT_EQ(snapshot(), before) << "the master stays active, every instance stays";
}

TEST_F(SafeDeleteTest, ADatabaseErrorLeavesTheTransactionAsItWas) {
    const int id = stored(payment(10000, {2024, 1, 15}, {2024, 1, 20}));
    sql("insert into remdr (id, txnid, text, rmdate, tgdate) values (1, " + QString::number(id) +
        ", '', 20240110, 20240115)");
    fail_when("remdr", "before delete", "old.txnid = " + QString::number(id));  // after the postings went
    const QString before = snapshot();
    host.answer_yes();
    EXPECT_FALSE(safe_del_txnid(core(), id));
    EXPECT_TRUE(reported_one_database_error());
    EXPECT_EQ(snapshot(), before);

    // the deactivation of a master goes back too
    const TRptr m = monthly();
    fail_when("pstg", "before delete", "old.txnid = " + QString::number(instance_id(m.id, 3)));
    const QString before2 = snapshot();
    host.clear();
    host.answer('Y');
    EXPECT_FALSE(safe_del_txnid(core(), instance_id(m.id, 2)));
    EXPECT_TRUE(reported_one_database_error());
    EXPECT_EQ(snapshot(), before2);
    EXPECT_TRUE(master_row(m.id).rptactive);
}

}  // namespace
}  // namespace posting_testing
