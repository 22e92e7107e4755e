// Every maintenance operation against each protection of a ledger: a frozen database, the
// posting freeze date, a reconciled balance and a closed account. Each case gives the
// questions and messages the operation shows and whether it changed the ledger (a refused
// one changes nothing at all), and the ledger invariants hold after every case.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/batches.h"
#include "core/postings.h"
#include "core/reassign.h"
#include "core/templates.h"
#include "core/txn_cancel.h"
#include "core/txn_delete.h"
#include "core/txn_edit.h"
#include "core/unstraddle.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

enum class Guard { Frozen, FreezeDate, Reconciled, Closed };

const char* guard_name(Guard g) {
    switch (g) {
    case Guard::Frozen: return "Frozen";
    case Guard::FreezeDate: return "FreezeDate";
    case Guard::Reconciled: return "Reconciled";
    case Guard::Closed: return "Closed";
    }
    return "";
}

// What the guard makes of the operation.
enum class Outcome {
    Proceeds,          // not concerned: asks only its own questions and changes the ledger
    AsksAndIsRefused,  // asks the protection's double confirmation; "no" leaves all as it was
    Refused,           // refuses with a message of its own, without asking the protection
};

struct Ids {
    int txn = 0;    // the payment operated on: 100.00 on 2024-01-15, posted on 2024-01-20
    int other = 0;  // a payment of 2024-02-10, outside every protection
};

class GuardedOperationTest;
using F = GuardedOperationTest;

struct Op {
    const char* name = "";
    QString action = {};  // its text in "Cannot <action>, database is frozen"
    std::function<bool(F&, const Ids&)> run = {};
    // its own prompts before any check, and their questions
    std::vector<Answer> prompts = {};
    QStringList prompt_questions = {};
    // its own questions when it goes ahead (after the checks), with their answers, and messages
    std::vector<Answer> answers = {};
    QStringList questions = {};
    QStringList messages = {};
    // whether it asks the freeze-date or the reconciled-balance confirmation about the
    // payment's protected postings, or refuses a reconciled posting with its own message
    bool asks_freeze = false;
    bool asks_reconciled = false;
    bool refuses_reconciled = false;  // refuses with its own message instead
};

struct Case {
    int op = 0;
    Guard guard = Guard::Frozen;
};

std::vector<Op> ops();

class GuardedOperationTest : public MaintenanceTest, public ::testing::WithParamInterface<Case> {
public:
    TPstg posting_of(int txnid, int objid) { return pstg(txnid, objid); }
    Ids ids;

protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        ids.txn = stored(payment(10000, {2024, 1, 15}, {2024, 1, 20}));
        ids.other = stored(payment(2500, {2024, 2, 10}));
        host.clear();
    }
};

std::vector<Op> ops() {
    using R = const Ids&;
    return {
        {.name = "Delete",
         .action = "delete txn",
         .run = [](F& f, R i) { return safe_del_txnid(f.core(), i.txn); },
         .answers = {true},
         .questions = {"Delete txn #1 ?"},
         .asks_freeze = true,
         .asks_reconciled = true},
        {.name = "Cancel",
         .action = "cancel txn",
         .run = [](F& f, R i) { return cancel_txn(f.core(), i.txn, true); },
         .asks_freeze = true,
         .asks_reconciled = true},
        {.name = "Amount",
         .action = "edit txn amount",
         .run = [](F& f, R i) { return edit_txn_amt(f.core(), i.txn); },
         .prompts = {QStringLiteral("200.00")},
         .prompt_questions = {"Enter amount unsigned"},
         .asks_freeze = true,
         .asks_reconciled = true},
        {.name = "Redate",
         .action = "edit posting date",
         .run = [](F& f, R i) { return edit_pstgdate(f.core(), f.posting_of(i.txn, f.bank)); },
         .prompts = {Date{2024, 1, 22}},
         .prompt_questions = {" Posting date"},
         .refuses_reconciled = true},
        {.name = "Description",
         .action = "edit txn",
         .run = [](F& f, R i) { return edit_txn_text(f.core(), i.txn, "", 'D'); },
         .prompts = {QStringLiteral("Groceries")},
         .prompt_questions = {"Edit transaction description"}},
        {.name = "AssignCategory",
         .action = "reassign account",
         .run = [](F& f, R i) { return reassign_acc(f.core(), i.txn, f.fees, 3); },
         .asks_freeze = true},
        {.name = "AssignExternal",
         .action = "reassign account",
         .run = [](F& f, R i) { return reassign_acc(f.core(), i.txn, f.cash, 1); },
         .asks_freeze = true,
         .asks_reconciled = true},
        {.name = "AddToBatch",
         .action = "add txn to batch",
         .run = [](F& f, R i) { return add_to_batch(f.core(), i.txn); },
         .prompts = {QStringLiteral("2")},
         .prompt_questions = {"Batch number"}},
        // the test first puts the payment into the batch headed by the other one
        {.name = "RemoveFromBatch",
         .action = "remove txn from batch",
         .run = [](F& f, R i) { return remove_from_batch(f.core(), i.txn); }},
        {.name = "Unstraddle",
         .action = "unstraddle txn",
         .run = [](F& f, R i) { return unstraddle_txn(f.core(), i.txn); },
         .messages = {"External Account \"Shop owes\" created"}},
        {.name = "Template",
         .action = "make template",
         .run = [](F& f, R i) { return make_template(f.core(), i.txn); },
         .answers = {true, QStringLiteral("  Weekly shop ")},
         .questions = {"Make template from transaction #1 ?", "Template name"}},
    };
}

Outcome outcome_of(const Op& op, Guard g) {
    switch (g) {
    case Guard::Frozen: return Outcome::Refused;
    case Guard::FreezeDate: return op.asks_freeze ? Outcome::AsksAndIsRefused : Outcome::Proceeds;
    case Guard::Reconciled:
        if (op.refuses_reconciled) return Outcome::Refused;
        return op.asks_reconciled ? Outcome::AsksAndIsRefused : Outcome::Proceeds;
    case Guard::Closed: return Outcome::Proceeds;
    }
    return Outcome::Proceeds;
}

TEST_P(GuardedOperationTest, AsksOrRefusesAndChangesNothingWhenRefused) {
    const Op op = ops()[size_t(GetParam().op)];
    const Guard g = GetParam().guard;
    ASSERT_EQ(ids.txn, 1);
    ASSERT_EQ(ids.other, 2);
    if (QLatin1String(op.name) == QLatin1String("RemoveFromBatch")) {
        sql("update txn set batchnum = 2 where id in (1, 2)");
        sql("update pstg set batchnum = 2 where txnid in (1, 2)");
    }
    switch (g) {
    case Guard::Frozen: core().settings.db_frozen = true; break;
    case Guard::FreezeDate: freeze_before(20240131); break;
    case Guard::Reconciled: reconcile(bank, "2024-01-31"); break;
    case Guard::Closed: close_acc(bank, 20240125); break;
    }
    const QString before = snapshot();
    const Outcome outcome = outcome_of(op, g);

    QStringList questions, messages;
    if (g == Guard::Frozen) {
        messages << QStringLiteral("Cannot ") + op.action + QStringLiteral(", database is frozen");
    } else {
        for (const Answer& a : op.prompts) host.answer(a);
        questions << op.prompt_questions;
        if (outcome == Outcome::AsksAndIsRefused) {
            host.answer_no();
            questions << (g == Guard::FreezeDate ? freeze_question() : reconciled_question("Bank"));
        } else if (outcome == Outcome::Refused) {
            messages << QStringLiteral("Cannot redate : will upset reconciled balance");
        } else {
            for (const Answer& a : op.answers) host.answer(a);
            questions << op.questions;
            messages << op.messages;
        }
    }

    const bool done = op.run(*this, ids);
    EXPECT_EQ(done, outcome == Outcome::Proceeds);
    EXPECT_EQ(host.questions(), questions);
    EXPECT_EQ(host.messages(), messages);
    EXPECT_FALSE(host.answers_left());
    if (outcome == Outcome::Proceeds)
        EXPECT_NE(snapshot(), before) << "the operation wrote nothing";
    else
        EXPECT_EQ(snapshot(), before) << "a refused operation changed the ledger";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

std::vector<Case> all_cases() {
    std::vector<Case> v;
    const int n = int(ops().size());
    for (Guard g : {Guard::Frozen, Guard::FreezeDate, Guard::Reconciled, Guard::Closed})
        for (int i = 0; i < n; ++i) v.push_back({i, g});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Maintenance, GuardedOperationTest, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(ops()[size_t(info.param.op)].name) + "_" + guard_name(info.param.guard);
                         });

}  // namespace
}  // namespace posting_testing
