// Deactivating and deleting repeater masters: with no instances, retaining them, and deleting
// them after the freeze and reconciled-balance check of each one.
#include <gtest/gtest.h>

#include "core/repeater_delete.h"
#include "repeater_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

namespace {

class RepeaterDeleteTest : public RepeaterTest {
protected:
    // An inactive monthly payment from 2024-01-15 with instances 1 to 3 and their reminders.
    TRptr three() {
        TRptr m = master('M', 1, {2024, 1, 15});
        m.rmdays = 5;
        m.rptct = 3;
        EXPECT_TRUE(write_rptr(core(), m));
        generate(m.id, {2024, 12, 31});
        m = reread(m.id);
        EXPECT_FALSE(m.rptactive);
        EXPECT_EQ(numbers(m.id).size(), 3);
        host.clear();
        return m;
    }
    QString choice(const TRptr& m) {
        return "Delete Repeater #" + QString::number(m.id) + " : also delete 3 Instance(s)? [Retain Instances/Delete Instances]";
    }
    qint64 rptrs() { return sql_int("select count(*) from rptr"); }
};

TEST_F(RepeaterDeleteTest, OnlyAnInactiveMasterIsDeleted) {
    EXPECT_FALSE(delete_rptr(core(), 42));
    EXPECT_EQ(host.messages(), QStringList{"Repeater master not found 42"});
    host.clear();
    const TRptr m = master('M', 1, {2024, 1, 15});
    EXPECT_FALSE(delete_rptr(core(), m.id));
    EXPECT_EQ(host.messages(), QStringList{"Cannot delete - Repeater Master is still active"});
    ASSERT_TRUE(deactivate_rptr(core(), m.id));
    EXPECT_FALSE(reread(m.id).rptactive);
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        host.clear();
        host.answer(yes);
        EXPECT_EQ(delete_rptr(core(), m.id), yes);
        EXPECT_EQ(host.questions(), QStringList{"Delete Repeater #" + QString::number(m.id) +
                                                "  Master with no instances - are you sure?"});
        EXPECT_EQ(rptrs(), yes ? 0 : 1);
    }
}

TEST_F(RepeaterDeleteTest, RetainedInstancesStayAsStandAloneTransactions) {
    const TRptr m = three();
    const QList<int> before = ids(m.id);
    // Cancel, then Retain declined at the confirmation
    host.answer(0);
    EXPECT_FALSE(delete_rptr(core(), m.id));
    host.answer(1);
    host.answer_no();
    EXPECT_FALSE(delete_rptr(core(), m.id));
    EXPECT_EQ(rptrs(), 1);
    host.clear();
    host.answer(1);
    host.answer_yes();
    EXPECT_TRUE(delete_rptr(core(), m.id));
    EXPECT_EQ(host.questions().join("|").toStdString(),
              (choice(m) + "|Delete Repeater #" + QString::number(m.id) +
               " Master, retaining Instances as stand-alone txns - are you sure?")
                  .toStdString());
    EXPECT_EQ(rptrs(), 0);
    EXPECT_EQ(ids(m.id), before) << "they keep their master id";
    EXPECT_EQ(numbers(m.id), (QList<int>{1, 2, 3}));
    EXPECT_EQ(sql_int("select count(*) from remdr"), 3);
    TTxn t;
    ASSERT_TRUE(read_txn(core(), before.first(), t));
    EXPECT_EQ(t.freq, QChar('X')) << "read without a master";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterDeleteTest, DeletedInstancesGoWithTheirPostingsAndReminders) {
    const TRptr m = three();
    struct Case {
        const char* what;
        std::vector<bool> answers;  // after the choice "Delete Instances"
        bool deleted;
    };
    const Case cases[] = {
        {"not sure", {false}, false},
        {"not really sure", {true, false}, false},
        {"sure", {true, true}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.clear();
        host.answer(2);
        for (const bool a : c.answers) host.answer(a);
        EXPECT_EQ(delete_rptr(core(), m.id), c.deleted);
        QStringList asked{choice(m), "Delete Repeater #" + QString::number(m.id) + " Master and all Instances - are you sure?",
                          "Delete 3 instances, are you really sure?"};
        EXPECT_EQ(host.questions().join("|").toStdString(), asked.mid(0, int(c.answers.size()) + 1).join("|").toStdString());
        EXPECT_EQ(rptrs(), c.deleted ? 0 : 1);
        EXPECT_EQ(numbers(m.id).size(), c.deleted ? 0 : 3);
    }
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(sql_int("select count(*) from remdr"), 0);
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterDeleteTest, ReconciledInstancesAreDeletedOnlyWithConsent) {
    const TRptr m = three();
    sql("update account set reconciled = '2024-02-20' where id = " + QString::number(bank));
    const QString warning = "Reconciled balance for account \"Bank\"will be altered!\rContinue to add/amend/delete "
                            "transaction - are you sure ?";
    // refused at the first reconciled instance: nothing at all is deleted
    host.answer(2);
    host.answer_yes(2);
    host.answer_no();
    EXPECT_FALSE(delete_rptr(core(), m.id));
    ASSERT_EQ(host.questions().size(), 4);
    EXPECT_EQ(host.questions()[3].toStdString(), warning.toStdString());
    EXPECT_EQ(rptrs(), 1);
    EXPECT_EQ(numbers(m.id).size(), 3);
    EXPECT_EQ(reread(m.id).gento, 3);

    // consent for both reconciled instances (1 and 2; the third is after the reconciled date)
    host.clear();
    host.answer(2);
    host.answer_yes(2 + 4);
    EXPECT_TRUE(delete_rptr(core(), m.id));
    EXPECT_EQ(host.questions().filter("Reconciled balance").size(), 2);
    EXPECT_EQ(host.questions().filter("really really sure").size(), 2);
    EXPECT_EQ(rptrs(), 0);
    EXPECT_EQ(txns(), 0);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterDeleteTest, AFrozenLedgerKeepsTheInstances) {
    const TRptr m = three();
    core().settings.db_frozen = true;
    host.answer(2);
    EXPECT_FALSE(delete_rptr(core(), m.id));
    EXPECT_EQ(host.messages(), QStringList{"Cannot delete txn, database is frozen"});
    EXPECT_EQ(rptrs(), 1);
    EXPECT_EQ(numbers(m.id).size(), 3);
}

}  // namespace

}  // namespace posting_testing
