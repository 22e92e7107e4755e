// Each maintenance operation is one undoable unit: when the server refuses one of its
// statements half-way, the error is reported once and the transaction, its postings and
// everything else the operation had written are exactly as before.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/batches.h"
#include "core/reassign.h"
#include "core/templates.h"
#include "core/txn_cancel.h"
#include "core/txn_edit.h"
#include "core/unstraddle.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class MaintenanceUndoTest : public MaintenanceTest {};

TEST_F(MaintenanceUndoTest, ADatabaseErrorHalfWayLeavesEverythingAsItWas) {
    using F = MaintenanceUndoTest;
    struct Case {
        const char* what;
        const char* table;
        const char* event;
        QString condition;  // when the server refuses
        std::vector<Answer> answers;
        std::function<bool(F&)> run;
        QString shown_first = {};  // a message the operation shows before the failure
    };
    // the payment #1 (posted on a separate date), #2 in no batch and #3 heading its own
    const int id = stored(payment(10000, {2024, 1, 15}, {2024, 1, 20}));
    stored(payment(2500, {2024, 2, 10}));
    TTxn own = payment(700, {2024, 2, 11});
    own.batchnum = -1;
    stored(own);
    const QString employer_id = QString::number(employer);
    const Case cases[] = {
        {"cancel: the re-posting", "pstg", "before insert", "new.txnid = 1", {},
         [](F& f) { return cancel_txn(f.core(), 1, true); }},
        {"a new amount: the re-posting", "pstg", "before insert", "new.txnid = 1", {QString("250.00")},
         [](F& f) { return edit_txn_amt(f.core(), 1); }},
        {"a new posting date: the re-posting", "pstg", "before insert", "new.txnid = 1", {Date{2024, 1, 25}},
         [](F& f) { return edit_pstgdate(f.core(), f.pstg(1, f.bank)); }},
        {"a new counterparty: the contras", "pstg", "before update", "new.contra = " + employer_id, {},
         [](F& f) { return reassign_acc(f.core(), 1, f.employer, 4); }},
        {"a new category: its posting", "pstg", "before insert", "new.objid = " + QString::number(fees), {},
         [](F& f) { return reassign_acc(f.core(), 1, f.fees, 3); }},
        {"joining a batch: after the head was written", "pstg", "before update", "new.txnid = 1 and new.batchnum = 2",
         {QString("2")}, [](F& f) { return add_to_batch(f.core(), 1); }},
        {"leaving a batch: its postings", "pstg", "before update", "new.txnid = 3 and new.batchnum = 0", {},
         [](F& f) { return remove_from_batch(f.core(), 3); }},
        {"unstraddling: the transfer, after the credit account was made", "pstg", "before update",
         "new.txntype = 'C'", {}, [](F& f) { return unstraddle_txn(f.core(), 1); },
         "External Account \"Shop owes\" created"},
        {"a new description", "txn", "before update", "new.narrative = 'Boom'", {QString("Boom")},
         [](F& f) { return edit_txn_text(f.core(), 1, "", 'D'); }},
        {"a template", "ttemplate", "before insert", "1 = 1", {true, QString("Weekly")},
         [](F& f) { return make_template(f.core(), 1); }},
    };
    ASSERT_EQ(id, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fail_when(c.table, c.event, c.condition);
        const QString before = snapshot();
        set_rebalance_needed(core(), false);
        host.clear();
        for (const Answer& a : c.answers) host.answer(a);
        EXPECT_FALSE(c.run(*this));
        QStringList shown = host.messages();
        if (!c.shown_first.isEmpty() && !shown.isEmpty() && shown.first() == c.shown_first) shown.removeFirst();
        EXPECT_EQ(shown.size(), 1) << host.messages().join("|").toStdString();
        if (!shown.isEmpty()) {
            EXPECT_TRUE(shown.first().startsWith("EDatabaseError")) << shown.first().toStdString();
        }
        EXPECT_FALSE(host.answers_left());
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(ledger_invariants_hold(core()));
        sql(QStringLiteral("alter trigger mt_fail%1 inactive").arg(&c - cases + 1));
        commit_work(core());
    }
}

}  // namespace
}  // namespace posting_testing
