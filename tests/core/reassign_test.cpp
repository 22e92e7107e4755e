// Reassigning one account of a payment or receipt: only the posting of that slot is replaced
// (made as the posting rules make it, without channel), the contras that named the old
// account follow, the other postings keep their reconciliation, and the refusals.
#include <gtest/gtest.h>

#include "core/reassign.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class ReassignTest : public MaintenanceTest {};

TEST_F(ReassignTest, ReplacesTheOnePostingOfTheSlot) {
    struct Case {
        const char* what;
        QChar type;
        int acctype;
        int new_acc;
        QList<int> accounts_after;  // bank/shop/food with the slot replaced
        qint64 new_amt;             // the new account's posting
        int new_contra;
    };
    const Case cases[] = {
        {"the category of a payment", 'P', 3, 0, {}, -4000, 0},
        {"a pot as the internal account of a receipt", 'R', 6, 0, {}, 4000, 0},
        {"the external account of a payment", 'P', 1, 0, {}, -5000, 0},
        {"the counterparty of a payment", 'P', 4, 0, {}, 5000, 0},
        {"the counterparty of a receipt", 'R', 4, 0, {}, -5000, 0},
    };
    for (const Case& c0 : cases) {
        SCOPED_TRACE(c0.what);
        Case c = c0;
        const int cpty = c.type == QChar('P') ? shop : employer;
        const int ctgy = c.type == QChar('P') ? food : salary;
        // a foreign transaction, posted on a separate date, with a channel
        TTxn t = txn(c.type, usd_bank, cpty, ctgy, 5000, {2024, 3, 1}, "USD");
        t.val = 4000;
        t.rate = 1.25;
        t.date2 = {2024, 3, 4};
        t.chnum = 7;
        t.batchnum = -1;
        const int id = stored(t);
        sql("update pstg set reconcode = 1 where txnid = " + QString::number(id));
        int slot_old = 0;
        switch (c.acctype) {
        case 1: c.new_acc = add_acc(1, "Dollar card", "USD"), slot_old = usd_bank; break;
        case 3: c.new_acc = fees, slot_old = ctgy; break;
        case 6: c.new_acc = savings, slot_old = ctgy; break;
        case 4: c.new_acc = c.type == QChar('P') ? employer : shop, slot_old = cpty; break;
        }
        host.clear();
        EXPECT_TRUE(reassign_acc(core(), id, c.new_acc, c.acctype));
        EXPECT_TRUE(host.events().empty());
        const TTxn after = read(id);
        const int a1 = c.acctype == 1 ? c.new_acc : usd_bank;
        const int a2 = c.acctype == 4 ? c.new_acc : cpty;
        const int a4 = c.acctype == 3 || c.acctype == 6 ? c.new_acc : ctgy;
        EXPECT_EQ(after.accid1, a1);
        EXPECT_EQ(after.accid2, a2);
        EXPECT_EQ(after.accid4, a4);
        QList<int> expected{a1, a2, a4};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(posted_accounts(id), expected);
        const TPstg made = pstg(id, c.new_acc);
        EXPECT_EQ(made.amt, c.new_amt);
        EXPECT_EQ(made.reconcode, 0);
        EXPECT_EQ(made.chnum, 0) << "the new posting carries no channel";
        EXPECT_EQ(made.batchnum, id);
        EXPECT_EQ(made.seq, id);
        EXPECT_EQ(made.txntype, c.type);
        const bool internal = c.acctype == 3 || c.acctype == 6;
        EXPECT_EQ(made.ccy, internal ? "GBP" : "USD");
        EXPECT_EQ(made.pstgdate, internal ? (Date{2024, 3, 1}) : (Date{2024, 3, 4}));
        EXPECT_EQ(made.contra, c.acctype == 1 || internal ? a2 : a1);
        // the others keep their reconciliation and name the new account where they named the old one
        for (int other : {a1, a2, a4}) {
            if (other == c.new_acc) continue;
            const TPstg p = pstg(id, other);
            EXPECT_EQ(p.reconcode, 1) << other;
            EXPECT_NE(p.contra, slot_old) << other;
        }
        EXPECT_EQ(pstg(id, a4).contra, a2);
        EXPECT_EQ(pstg(id, a2).contra, a1);
        EXPECT_EQ(pstg(id, a1).contra, a2);
        EXPECT_EQ(count("cptyctgy", QStringLiteral("cptyid = %1 and ctgyid = %2").arg(a2).arg(a4)), 1);
        EXPECT_TRUE(ledger_invariants_hold(core()));
    }
}

TEST_F(ReassignTest, ACancelledTransactionGetsAZeroPosting) {
    TTxn t = payment(10000, {2024, 1, 15});
    t.cancelled = true;
    const int id = stored(t);
    EXPECT_TRUE(reassign_acc(core(), id, fees, 3));
    EXPECT_EQ(posted_accounts(id), (QList<int>{bank, shop, fees}));
    EXPECT_EQ(pstg(id, fees).amt, 0);
    EXPECT_EQ(pstg(id, fees).val, 0);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(ReassignTest, AnEmptySlotGetsItsFirstPosting) {
    const int id = stored(txn('P', bank, shop, 0, 10000));
    EXPECT_TRUE(reassign_acc(core(), id, food, 3));
    EXPECT_EQ(posted_accounts(id), (QList<int>{bank, shop, food}));
    EXPECT_EQ(pstg(id, food).amt, -10000);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(ReassignTest, Refusals) {
    const int pay = stored(payment(10000, {2024, 1, 15}));
    const int tfr = stored(txn('C', bank, cash, 0, 2000));
    const QString before = snapshot();
    struct Case {
        const char* what;
        int txnid, accid, acctype;
        QStringList messages;
    };
    const Case cases[] = {
        {"a transfer is skipped", tfr, usd_bank, 1, {"Skipping txn #2"}},
        {"the account it already has", pay, food, 3, {}},
        {"an external account in another currency", pay, usd_bank, 1,
         {"Account \"Dollar account\" is in USD, txn #1 is in GBP - cannot assign"}},
        {"an account that does not exist", pay, 999, 3, {"Account not found 999"}},
        {"a transaction that does not exist", 55, food, 3, {"Txn not found 55"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.clear();
        EXPECT_FALSE(reassign_acc(core(), c.txnid, c.accid, c.acctype));
        EXPECT_EQ(host.messages(), c.messages);
        EXPECT_EQ(snapshot(), before);
    }
}

}  // namespace
}  // namespace posting_testing
