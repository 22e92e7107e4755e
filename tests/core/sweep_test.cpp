// The sweep: the question, the record prepared for each choice and account type, the slot
// rules, and what follows the input form.
#include <gtest/gtest.h>

#include "core/sweep.h"
#include "core/txn_save.h"
#include "posting_fixture.h"

using namespace mintor;

namespace posting_testing {

class SweepTest : public PostingTest {
protected:
    SweepSlots form() {
        SweepSlots s;
        s.ext_acc = bank;
        s.ext_chnum = 7;
        s.cpty = shop;
        s.int_acc = food;
        s.tfr_from = bank;
        s.tfr_to = cash;
        s.int_tfr_from = savings;
        s.int_tfr_to = food;
        return s;
    }
    // An input form that saves what it is given (recording it) or is cancelled.
    SweepCalls calls(bool save) {
        SweepCalls c;
        c.enter_new_txn = [this, save](Core& core, TTxn& rec, SweepSlots&) {
            opened = rec;
            if (!save) return false;
            TxnEntry e;
            e.rec = rec;
            if (save_entered_txn(core, e) != EntrySave::Saved) return false;
            rec = e.rec;
            return true;
        };
        c.reconcile = [this](Core&, int accid, Date date) {
            reconciled_acc = accid;
            reconciled_date = date;
            return 42;
        };
        return c;
    }
    TTxn opened;
    int reconciled_acc = 0;
    Date reconciled_date;
};

TEST_F(SweepTest, TheQuestionAndItsWayOut) {
    SweepSlots s = form();
    EXPECT_EQ(sweep_account(core(), bank, 0, {2024, 3, 10}, s, calls(true)), -1);
    EXPECT_TRUE(host.events().empty()) << "a zero balance asks nothing";

    host.answer(0);  // Cancel
    EXPECT_EQ(sweep_account(core(), bank, 5000, {2024, 3, 10}, s, calls(true)), -1);
    host.answer(0);
    EXPECT_EQ(sweep_account(core(), bank, -5000, {2024, 3, 10}, s, calls(true)), -1);
    host.answer(1);  // the account does not exist
    EXPECT_EQ(sweep_account(core(), 9999, 5000, {2024, 3, 10}, s, calls(true)), -1);
    EXPECT_EQ(host.questions(),
              (QStringList{"Sweep off this account : via Purchase/Payt or via Transfer? [Purchase/Payt/Transfer]",
                           "Sweep to this account : via Sale/Rcpt or via Transfer? [Sale/Rcpt/Transfer]",
                           "Sweep off this account : via Purchase/Payt or via Transfer? [Purchase/Payt/Transfer]"}));
    EXPECT_EQ(txns(), 0);
}

TEST_F(SweepTest, ViaSaleTheAccountTakesTheSlotOfItsType) {
    struct S {
        const char* what;
        int account;
        qint64 balance;
        QChar type;
        int accid1, accid2, accid4, chnum;
    };
    const std::vector<S> cases = {
        {"external account in credit: a payment", cash, 12345, 'P', cash, shop, food, 0},
        {"external account overdrawn: a receipt", cash, -12345, 'R', cash, shop, food, 0},
        {"the form's own external account keeps its channel", bank, 500, 'P', bank, shop, food, 7},
        {"category", salary, 800, 'P', bank, shop, salary, 7},
        {"pot", savings, -800, 'R', bank, shop, savings, 7},
        {"counterparty", employer, 300, 'P', bank, employer, food, 7},
    };
    for (const S& c : cases) {
        SCOPED_TRACE(c.what);
        SweepSlots s = form();
        TTxn rec;
        ASSERT_TRUE(prepare_sweep(core(), acc(c.account), c.balance, {2024, 3, 10}, SweepVia::Sale, s, rec));
        EXPECT_EQ(rec.type, c.type);
        EXPECT_EQ(rec.accid1, c.accid1);
        EXPECT_EQ(rec.accid2, c.accid2);
        EXPECT_EQ(rec.accid4, c.accid4);
        EXPECT_EQ(rec.chnum, c.chnum);
        EXPECT_EQ(rec.amt, c.balance < 0 ? -c.balance : c.balance);
        EXPECT_EQ(rec.val, rec.amt);
        EXPECT_EQ(rec.ccy, "GBP");
        EXPECT_EQ(rec.txndate, (Date{2024, 3, 10}));
        EXPECT_EQ(rec.actualtxndate, (Date{2024, 3, 10}));
        EXPECT_EQ(rec.ref, "sweep");
        EXPECT_EQ(rec.id, 0);
    }
}

TEST_F(SweepTest, ViaTransferTheOtherSlotGivesWayWhenItHoldsTheAccount) {
    struct S {
        const char* what;
        int account;
        qint64 balance;
        int from, to;
    };
    // the form holds bank -> cash (external) and savings -> food (internal)
    const std::vector<S> cases = {
        {"external in credit becomes the from account", usd_bank, 100, usd_bank, cash},
        {"external overdrawn becomes the to account", usd_bank, -100, bank, usd_bank},
        {"the to account in credit: from and to change places", cash, 100, cash, bank},
        {"the from account overdrawn: from and to change places", bank, -100, cash, bank},
        {"the from account in credit stays where it is", bank, 100, bank, cash},
        {"internal in credit", salary, 100, salary, food},
        {"internal overdrawn, already the to account", food, -100, savings, food},
        {"internal: the to account in credit", food, 100, food, savings},
    };
    for (const S& c : cases) {
        SCOPED_TRACE(c.what);
        SweepSlots s = form();
        TTxn rec;
        const Tacc a = acc(c.account);
        ASSERT_TRUE(prepare_sweep(core(), a, c.balance, {2024, 3, 1}, SweepVia::Transfer, s, rec));
        EXPECT_EQ(rec.type, 'C');
        EXPECT_EQ(rec.accid1, c.from);
        EXPECT_EQ(rec.accid2, c.to);
        EXPECT_EQ(rec.ccy, a.ccy);
        EXPECT_EQ(rec.val, 0);
    }
    // a slot that held nothing leaves the other one cleared
    SweepSlots s;
    s.tfr_to = cash;
    TTxn rec;
    ASSERT_TRUE(prepare_sweep(core(), acc(cash), 100, {2024, 3, 1}, SweepVia::Transfer, s, rec));
    EXPECT_EQ(rec.accid1, cash);
    EXPECT_EQ(rec.accid2, 0);
    // a counterparty cannot be swept by transfer
    EXPECT_FALSE(prepare_sweep(core(), acc(shop), 100, {2024, 3, 1}, SweepVia::Transfer, s, rec));
}

TEST_F(SweepTest, AForeignAccountIsSweptInItsCurrencyAtItsValue) {
    SweepSlots s = form();
    s.ext_acc = usd_bank;
    s.ext_chnum = 0;
    TTxn rec;
    ASSERT_TRUE(prepare_sweep(core(), acc(usd_bank), -5000, {2024, 3, 1}, SweepVia::Sale, s, rec));
    EXPECT_EQ(rec.ccy, "USD");
    EXPECT_EQ(rec.type, 'R');
    EXPECT_EQ(rec.val, 4000);
    EXPECT_EQ(rec.rate, 1.25);
}

TEST_F(SweepTest, AfterTheFormTheZeroBalanceMayBeReconciled) {
    SweepSlots s = form();
    host.answer(1);  // Purchase/Payt
    EXPECT_EQ(sweep_account(core(), cash, 2500, {2024, 3, 10}, s, calls(false)), -1) << "form cancelled";
    EXPECT_EQ(opened.accid1, cash);
    EXPECT_EQ(txns(), 0);

    host.answer(1);
    host.answer_no();
    EXPECT_EQ(sweep_account(core(), cash, 2500, {2024, 3, 10}, s, calls(true)), 0);
    EXPECT_EQ(reconciled_acc, 0);
    EXPECT_EQ(sql_int("select sum(amt) from pstg where objid = " + QString::number(cash)), -2500);

    host.answer(2);  // Transfer
    host.answer_yes();
    EXPECT_EQ(sweep_account(core(), salary, -700, {2024, 3, 12}, s, calls(true)), 42);
    EXPECT_EQ(reconciled_acc, salary);
    EXPECT_EQ(reconciled_date, (Date{2024, 3, 12}));
    EXPECT_EQ(host.questions().last(), "Also reconcile resulting zero balance?");
    EXPECT_EQ(sql_int("select sum(amt) from pstg where objid = " + QString::number(salary)), 700);
    EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
}

}  // namespace posting_testing
