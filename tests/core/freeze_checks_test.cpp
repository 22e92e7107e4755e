// The freeze and reconciled-balance check: which replacements of one record by another touch
// protected postings, how each protected account is asked about (freeze-date or
// reconciled-balance warning, as a double confirmation), and the eight warning slots.
#include <gtest/gtest.h>

#include <functional>

#include "core/freeze_checks.h"
#include "core/txn_save.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class FreezeCheckTest : public MaintenanceTest {
public:
    TTxn none() {
        TTxn t;
        init_txn(core(), t);
        return t;
    }
    TTxn usd_payment(qint64 amt, int a4, Date d = {2024, 3, 1}) {
        TTxn t = txn('P', usd_bank, shop, a4, amt, d, "USD");
        t.val = amt * 4 / 5;  // at 1.25
        t.rate = 1.25;
        return t;
    }
    TTxn internal_transfer(int from, int to, qint64 amt, Date d = {2024, 3, 1}) { return txn('C', from, to, 0, amt, d); }
};

TEST_F(FreezeCheckTest, AsksOncePerProtectedAccountWhoseNetChanges) {
    const QString freeze2 = freeze_question();
    struct Case {
        const char* what;
        std::function<void(FreezeCheckTest&)> protect;
        std::function<TTxn(FreezeCheckTest&)> old_rec, new_rec;
        QStringList questions;  // every one answered yes
    };
    auto frozen_jan = [](FreezeCheckTest& f) { f.freeze_before(20240131); };
    const QString bank_rec = reconciled_question("Bank");
    const Case cases[] = {
        {"an amendment that changes nothing", frozen_jan,
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); }, {}},
        {"a new amount: the external and the internal account, never the counterparty", frozen_jan,
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); },
         [](FreezeCheckTest& f) { return f.payment(12000, {2024, 1, 15}); },
         {freeze2, really_sure(), freeze2, really_sure()}},
        {"moved out of the frozen month", frozen_jan,
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 2, 15}); },
         {freeze2, really_sure(), freeze2, really_sure()}},
        {"a new payment after the freeze date", frozen_jan, [](FreezeCheckTest& f) { return f.none(); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 2, 15}); }, {}},
        {"a posting date after the freeze date leaves only the internal account frozen", frozen_jan,
         [](FreezeCheckTest& f) { return f.none(); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 25}, {2024, 2, 5}); }, {freeze2, really_sure()}},
        {"a deletion under a reconciled balance names the account",
         [](FreezeCheckTest& f) { f.reconcile(f.bank, "2024-01-31"); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); }, [](FreezeCheckTest& f) { return f.none(); },
         {bank_rec, really_sure()}},
        {"the freeze date wins over a reconciled date",
         [](FreezeCheckTest& f) {
             f.freeze_before(20240131);
             f.reconcile(f.bank, "2024-02-28");
         },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); }, [](FreezeCheckTest& f) { return f.none(); },
         {freeze2, really_sure(), freeze2, really_sure()}},
        {"between the freeze date and the reconciled date only the reconciled account",
         [](FreezeCheckTest& f) {
             f.freeze_before(20240131);
             f.reconcile(f.bank, "2024-02-28");
         },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 2, 10}); }, [](FreezeCheckTest& f) { return f.none(); },
         {bank_rec, really_sure()}},
        {"an account keeps its first slot: moving within the protected dates nets to zero",
         [](FreezeCheckTest& f) {
             f.freeze_before(20240131);
             f.reconcile(f.bank, "2024-02-28");
         },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 2, 10}); }, {freeze2, really_sure()}},
        // the internal account counts as its posting does: down by the value for a payment
        {"a foreign payment out of a pot becomes a transfer of its value out of it",
         [](FreezeCheckTest& f) { f.reconcile(f.savings, "2024-03-31"); },
         [](FreezeCheckTest& f) { return f.usd_payment(5000, f.savings); },
         [](FreezeCheckTest& f) { return f.internal_transfer(f.savings, f.food, 4000); }, {}},
        {"a payment out of a pot becomes a transfer into it",
         [](FreezeCheckTest& f) { f.reconcile(f.savings, "2024-03-31"); },
         [](FreezeCheckTest& f) { return f.txn('P', f.bank, f.shop, f.savings, 4000); },
         [](FreezeCheckTest& f) { return f.internal_transfer(f.food, f.savings, 4000); },
         {reconciled_question("Savings"), really_sure()}},
        {"a receipt into a pot and a payment out of it",
         [](FreezeCheckTest& f) { f.reconcile(f.savings, "2024-03-31"); },
         [](FreezeCheckTest& f) { return f.txn('R', f.bank, f.shop, f.savings, 4000); },
         [](FreezeCheckTest& f) { return f.txn('P', f.bank, f.shop, f.savings, 4000); },
         {reconciled_question("Savings"), really_sure()}},
        {"a counterparty is never protected", [](FreezeCheckTest& f) { f.reconcile(f.shop, "2024-03-31"); },
         [](FreezeCheckTest& f) { return f.payment(10000, {2024, 1, 15}); }, [](FreezeCheckTest& f) { return f.none(); },
         {}},
        {"cancelled records, masters and the other types move no protected money", frozen_jan,
         [](FreezeCheckTest& f) {
             TTxn t = f.payment(10000, {2024, 1, 15});
             t.cancelled = true;
             return t;
         },
         [](FreezeCheckTest& f) {
             TTxn t = f.payment(10000, {2024, 1, 15});
             t.kind = TxnKind::Master;
             return t;
         },
         {}},
        {"an FX gain/loss, a diary entry and a reconciled balance", frozen_jan,
         [](FreezeCheckTest& f) { return f.txn('F', f.bank, 0, 0, -1234, {2024, 1, 15}); },
         [](FreezeCheckTest& f) { return f.txn('Z', f.bank, 0, 0, 5000, {2024, 1, 15}); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freeze_before(0);
        sql("update account set reconciled = ''");
        c.protect(*this);
        host.clear();
        host.set_default_answer(true);
        EXPECT_TRUE(chk_freeze(core(), c.old_rec(*this), c.new_rec(*this)));
        EXPECT_EQ(host.questions(), c.questions);
        EXPECT_TRUE(host.messages().isEmpty());
    }
}

TEST_F(FreezeCheckTest, TheFirstRefusalStopsTheCheck) {
    freeze_before(20240131);
    const TTxn old_rec = payment(10000, {2024, 1, 15});
    const TTxn new_rec = payment(9000, {2024, 1, 15});
    host.answer_no();
    EXPECT_FALSE(chk_freeze(core(), old_rec, new_rec));
    EXPECT_EQ(host.questions(), QStringList{freeze_question()});
    host.clear();
    host.answer_yes();
    host.answer_no();  // the second confirmation
    EXPECT_FALSE(chk_freeze(core(), old_rec, new_rec));
    EXPECT_EQ(host.questions(), (QStringList{freeze_question(), really_sure()}));
    host.clear();
    host.answer_yes(3);
    host.answer_no();  // the second account's second confirmation
    EXPECT_FALSE(chk_freeze(core(), old_rec, new_rec));
    EXPECT_EQ(host.questions().size(), 4);
}

TEST_F(FreezeCheckTest, SlotsKeepTheirFirstKindAndRunOutAfterEight) {
    FreezeSlots table{};
    for (int id = 1; id <= kFreezeSlots; ++id)
        EXPECT_EQ(find_aix(table, id * 10, QString::number(id), id % 2 ? FreezeKind::Freeze : FreezeKind::Reconciled),
                  id - 1);
    EXPECT_EQ(find_aix(table, 30, "other", FreezeKind::Reconciled), 2);
    EXPECT_EQ(table[2].kind, FreezeKind::Freeze) << "an account keeps the kind it got first";
    EXPECT_EQ(table[2].name, "3");
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_EQ(find_aix(table, 90, "ninth", FreezeKind::Freeze), -1);
    EXPECT_EQ(host.messages(), QStringList{"Program error : find_aix"});
}

TEST_F(FreezeCheckTest, TheSaveOfAnEnteredTransactionAsksAndADeclineKeepsTheOldPostings) {
    const int id = stored(payment(10000, {2024, 1, 15}));
    freeze_before(20240131);
    const QString before = snapshot();
    TxnEntry e;
    e.edit_mode = true;
    e.old_rec = read(id);
    e.rec = e.old_rec;
    e.rec.amt = e.rec.val = 15000;
    host.answer_yes();
    host.answer_no();
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Declined);
    EXPECT_EQ(host.questions(), (QStringList{freeze_question(), really_sure()}));
    EXPECT_EQ(snapshot(), before);

    host.clear();
    host.answer_yes(4);  // bank and food, twice each
    host.answer_yes();   // "Update existing transaction - OK ?"
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_EQ(pstg(id, bank).amt, -15000);
    EXPECT_EQ(pstg(id, food).amt, -15000);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace
}  // namespace posting_testing
