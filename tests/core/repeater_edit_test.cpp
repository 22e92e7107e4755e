// Editing a repeater through the save of an entered transaction: an instance's changes carried
// to the later instances (and not to the earlier ones) with every question and refusal, and
// an edited master written back so that only instances still to come follow it.
#include <gtest/gtest.h>

#include "core/repeater_calls.h"
#include "core/repeater_delete.h"
#include "core/rptr_record.h"
#include "core/txn_save.h"
#include "repeater_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

namespace {

class RepeaterEditTest : public RepeaterTest {
protected:
    // A monthly payment of 25.00 from 2024-01-10 with instances 1 to 7 (the 7th beyond the horizon).
    void SetUp() override {
        RepeaterTest::SetUp();
        m = master('M', 1, {2024, 1, 10});
        generate(m.id, {2024, 6, 30});
        ASSERT_EQ(reread(m.id).gento, 7);
        host.clear();
    }
    // The edit entry of instance n.
    TxnEntry edit_of(int n) {
        TxnEntry e;
        e.edit_mode = true;
        EXPECT_TRUE(read_txn(core(), ids(m.id).at(n - 1), e.old_rec));
        e.rec = e.old_rec;
        return e;
    }
    QList<int> amounts() { return ints("select amt from txn" + where(m.id) + " order by instance"); }
    TRptr m;
};

TEST_F(RepeaterEditTest, AnInstanceEditIsCarriedToTheLaterInstancesOnly) {
    const QList<int> before = ids(m.id);
    TxnEntry e = edit_of(3);
    e.rec.amt = e.rec.val = 3000;
    e.rec.narrative = "Rent 2024";
    host.answer_yes(3);
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_EQ(host.questions().join("|").toStdString(),
              "Update existing transaction - OK ?|"
              "Also apply these changes to later instances?\rField(s) : amt, description|"
              "Update will impact 4 existing later instances #4 to #7\ras well as future instances - OK ?");
    EXPECT_EQ(amounts(), (QList<int>{2500, 2500, 3000, 3000, 3000, 3000, 3000}));
    EXPECT_EQ(dates(m.id), (QList<int>{20240110, 20240210, 20240310, 20240410, 20240510, 20240610, 20240710}));
    EXPECT_EQ(ids(m.id).mid(0, 3), before.mid(0, 3)) << "instances up to the edited one stay";
    EXPECT_EQ(sql_int("select count(*) from txn" + where(m.id) + " and narrative = 'Rent 2024'"), 5);
    const TRptr after = reread(m.id);
    EXPECT_EQ(after.amt, 3000);
    EXPECT_EQ(after.narrative, "Rent 2024");
    EXPECT_EQ(after.gento, 7);
    EXPECT_TRUE(after.rptactive);
    EXPECT_EQ(pstg(ids(m.id).at(5), bank).amt, -3000) << "the regenerated instances are posted";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterEditTest, TheQuestionsAndRefusalsOfCarryingAnEditForward) {
    struct Case {
        const char* what;
        int inst;
        std::function<void(TTxn&)> change;
        std::vector<bool> answers;  // after "Update existing transaction - OK ?"
        QStringList said;           // messages
        QStringList asked;          // questions after the first
        bool master_changed;
    };
    const QString apply = "Also apply these changes to later instances?\rField(s) : ";
    const Case cases[] = {
        {"declined", 3, [](TTxn& t) { t.amt = t.val = 4000; }, {false}, {}, {apply + "amt"}, false},
        {"impact declined", 3, [](TTxn& t) { t.amt = t.val = 4500; }, {true, false}, {},
         {apply + "amt", "Update will impact 4 existing later instances #4 to #7\ras well as future instances - OK ?"},
         false},
        {"one later instance", 6, [this](TTxn& t) { t.accid4 = savings; }, {true, true}, {},
         {apply + "accid4", "Update will impact 1 existing later instance #7\ras well as future instances - OK ?"},
         true},
        {"dates are not carried", 3,
         [](TTxn& t) {
             t.actualtxndate = {2024, 3, 11};
             t.txndate = {2024, 3, 11};
             t.date2 = {2024, 3, 12};
         },
         {}, {"These changes cannot be carried forward to later instances\rField(s) : txndate, pstgdate"}, {}, false},
        {"the last instance: nothing later to impact", 7, [](TTxn& t) { t.ref = "DD"; }, {true}, {}, {apply + "ref"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.clear();
        const TRptr master_before = reread(m.id);
        const QList<int> others_before = ids(m.id);
        TxnEntry e = edit_of(c.inst);
        c.change(e.rec);
        host.answer_yes();
        for (const bool a : c.answers) host.answer(a);
        ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved) << "the edit itself is saved in every case";
        EXPECT_EQ(host.messages().join("|").toStdString(), c.said.join("|").toStdString());
        EXPECT_EQ(host.questions().mid(1).join("|").toStdString(), c.asked.join("|").toStdString());
        const TRptr master_after = reread(m.id);
        const bool changed = master_after.amt != master_before.amt || master_after.accid4 != master_before.accid4 ||
                             master_after.ref != master_before.ref;
        EXPECT_EQ(changed, c.master_changed);
        if (!c.master_changed) EXPECT_EQ(ids(m.id), others_before) << "no instance deleted or written";
        else EXPECT_EQ(ids(m.id).mid(0, c.inst), others_before.mid(0, c.inst)) << "only later instances are new";
        EXPECT_FALSE(host.answers_left());
        EXPECT_TRUE(ledger_invariants_hold(core()));
    }
    EXPECT_EQ(reread(m.id).accid4, savings);
    EXPECT_EQ(reread(m.id).ref, "DD");
    EXPECT_EQ(ints("select accid4 from txn" + where(m.id) + " and instance >= 6 order by instance"),
              (QList<int>{savings, savings}));
}

TEST_F(RepeaterEditTest, AnInactiveMasterOrAChangedLaterInstanceKeepsTheLaterInstances) {
    // a later instance that already differs from the master blocks the delete
    sql("update txn set amt = 9900" + where(m.id) + " and instance = 5");
    TxnEntry e = edit_of(3);
    e.rec.amt = e.rec.val = 4000;
    host.answer_yes(3);
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_TRUE(host.said("You must deactivate the repeater to delete these instances"));
    EXPECT_EQ(amounts(), (QList<int>{2500, 2500, 4000, 2500, 9900, 2500, 2500}));
    EXPECT_EQ(reread(m.id).amt, 2500);
    EXPECT_EQ(reread(m.id).gento, 7);

    host.clear();
    ASSERT_TRUE(deactivate_rptr(core(), m.id));
    TxnEntry e2 = edit_of(2);
    e2.rec.amt = e2.rec.val = 100;
    host.answer_yes();
    ASSERT_EQ(save_entered_txn(core(), e2), EntrySave::Saved);
    EXPECT_EQ(host.messages(), QStringList{"Cannot apply to later instances since repeater is inactive"});
    EXPECT_EQ(amounts(), (QList<int>{2500, 100, 4000, 2500, 9900, 2500, 2500}));

    // the healthcheck's repairs and records that are not instances carry nothing
    host.clear();
    TTxn old_rec, new_rec;
    ASSERT_TRUE(read_txn(core(), ids(m.id).at(3), old_rec));
    new_rec = old_rec;
    new_rec.amt = 1;
    core().run.healthcheck_repairing = true;
    EXPECT_FALSE(apply_to_later_insts(core(), old_rec, new_rec));
    core().run.healthcheck_repairing = false;
    new_rec.kind = TxnKind::Plain;
    EXPECT_FALSE(apply_to_later_insts(core(), old_rec, new_rec));
    EXPECT_TRUE(host.events().empty());
    // a master that has gone
    ASSERT_TRUE(delete_rptr_row(core(), m.id));
    new_rec.kind = TxnKind::Instance;
    EXPECT_FALSE(apply_to_later_insts(core(), old_rec, new_rec));
    EXPECT_EQ(host.messages(), QStringList{"Program error : Rptr not found"});
}

TEST_F(RepeaterEditTest, AnEditedMasterChangesOnlyTheInstancesStillToCome) {
    TxnEntry e;
    e.edit_mode = true;
    e.old_rec = txn_from_rptr(core(), reread(m.id));
    e.rec = e.old_rec;
    e.rec.amt = 5000;
    e.rec.accid4 = savings;
    e.rec.rptinc = 2;  // every other month, counted from the start date
    e.rec.rmdays = 1;
    host.answer_yes();
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    const TRptr after = reread(m.id);
    EXPECT_EQ(after.amt, 5000);
    EXPECT_EQ(after.accid4, savings);
    EXPECT_EQ(after.rptinc, 2);
    EXPECT_EQ(after.rmdays, 1);
    EXPECT_EQ(after.gento, 7);
    EXPECT_EQ(after.startdate, (Date{2024, 1, 10}));
    EXPECT_EQ(amounts(), (QList<int>{2500, 2500, 2500, 2500, 2500, 2500, 2500})) << "existing instances unchanged";
    // instance 7 would now fall on 2025-01-10, past the end of 2024: nothing to write up to then
    generate(m.id, {2024, 12, 31});
    EXPECT_EQ(numbers(m.id).size(), 7);
    // once the horizon passes it, instance 8 follows the new step and amount
    generate(m.id, {2025, 2, 1});
    EXPECT_EQ(ints("select txndate from txn" + where(m.id) + " and instance = 8"), QList<int>{20250310});
    EXPECT_EQ(ints("select amt from txn" + where(m.id) + " and instance = 8"), QList<int>{5000});
    EXPECT_EQ(sql_int("select count(*) from remdr r join txn t on t.id = r.txnid where t.instance = 8 and "
                      "r.rmdate = 20250309"),
              1);
    EXPECT_TRUE(ledger_invariants_hold(core()));

    // a record that names no master writes nothing
    host.clear();
    TTxn lost = e.rec;
    lost.masterid = 99;
    EXPECT_FALSE(update_master_from_txn(core(), lost));
    EXPECT_EQ(host.messages(), QStringList{"Repeater master not found 99"});
}

}  // namespace

}  // namespace posting_testing
