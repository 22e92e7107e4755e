// The posting rules: for every type the accounts posted, their contras, dates, signs,
// currencies, amounts, values, seq, channel and display flags; cancelled transactions,
// masters, the diary posting and the rebalance-needed rule.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/posting.h"
#include "core/txn_write.h"
#include "posting_fixture.h"

using namespace mintor;

namespace posting_testing {


// One expected posting: account slot (1, 2, 4 or 0 for none), contra slot, currency, amount,
// value, date, channel, recamt, dprngbal.
struct Row {
    int slot;
    int contra_slot;
    const char* ccy;
    qint64 amt;
    qint64 val;
    Date date;
    int chnum;
    qint64 recamt = 0;
    bool dprngbal = true;
};

struct Case {
    const char* what;
    std::function<TTxn(PostingTest&)> make;
    std::vector<Row> rows;
};

class PostingRulesTest : public PostingTest {
protected:
    int slot_account(const TTxn& t, int slot) {
        switch (slot) {
        case 1: return t.accid1;
        case 2: return t.accid2;
        case 4: return t.accid4;
        default: return 0;
        }
    }
    void check(const Case& c) {
        SCOPED_TRACE(c.what);
        TTxn t = c.make(*this);
        ASSERT_TRUE(save_txn(core(), t));
        ASSERT_GT(t.id, 0);
        QList<int> objids;
        for (const Row& r : c.rows) objids << slot_account(t, r.slot);
        std::sort(objids.begin(), objids.end());
        EXPECT_EQ(posted_accounts(t.id), objids);
        for (const Row& r : c.rows) {
            const int objid = slot_account(t, r.slot);
            SCOPED_TRACE(objid);
            const TPstg p = pstg(t.id, objid);
            EXPECT_EQ(p.contra, slot_account(t, r.contra_slot));
            EXPECT_EQ(p.ccy, QString::fromLatin1(r.ccy));
            EXPECT_EQ(p.amt, r.amt);
            EXPECT_EQ(p.val, r.val);
            EXPECT_EQ(p.pstgdate, r.date);
            EXPECT_EQ(p.chnum, r.chnum);
            EXPECT_EQ(p.recamt, r.recamt);
            EXPECT_EQ(p.dprngbal, r.dprngbal);
            EXPECT_TRUE(p.dppstgdate);
            EXPECT_EQ(p.reconcode, 0);
            EXPECT_EQ(p.txntype, t.type);
            EXPECT_EQ(p.batchnum, t.batchnum);
            EXPECT_EQ(p.seq, t.type == QChar('Z') ? 99999999 : t.id);
        }
        EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
    }
};

TEST_F(PostingRulesTest, EachTypePostsItsAccountsWithTheirSignsDatesAndCurrencies) {
    const Date d{2024, 3, 1}, later{2024, 3, 4};
    const std::vector<Case> cases = {
        {"base-currency payment of 100.00, one date; the channel only on the external posting",
         [](PostingTest& f) {
             TTxn t = f.txn('P', f.bank, f.shop, f.food, 10000);
             t.chnum = 7;
             return t;
         },
         {{1, 2, "GBP", -10000, -10000, d, 7}, {2, 1, "GBP", 10000, 10000, d, 0}, {4, 2, "GBP", -10000, -10000, d, 0}}},
        {"payment with a separate posting date: external and counterparty on it, internal on the actual date",
         [](PostingTest& f) {
             TTxn t = f.txn('P', f.bank, f.shop, f.food, 10000);
             t.date2 = {2024, 3, 4};
             return t;
         },
         {{1, 2, "GBP", -10000, -10000, later, 0},
          {2, 1, "GBP", 10000, 10000, later, 0},
          {4, 2, "GBP", -10000, -10000, d, 0}}},
        {"foreign receipt of 50.00 at 1.25: the internal posting in base currency at the value",
         [](PostingTest& f) {
             TTxn t = f.txn('R', f.usd_bank, f.employer, f.salary, 5000, {2024, 3, 1}, "USD");
             t.val = 4000;
             return t;
         },
         {{1, 2, "USD", 5000, 4000, d, 0}, {2, 1, "USD", -5000, -4000, d, 0}, {4, 2, "GBP", 4000, 4000, d, 0}}},
        {"payment without internal account: two postings",
         [](PostingTest& f) { return f.txn('P', f.bank, f.shop, 0, 2500); },
         {{1, 2, "GBP", -2500, -2500, d, 0}, {2, 1, "GBP", 2500, 2500, d, 0}}},
        {"cancelled payment keeps three postings with nothing on them",
         [](PostingTest& f) {
             TTxn t = f.txn('P', f.bank, f.shop, f.food, 10000);
             t.cancelled = true;
             return t;
         },
         {{1, 2, "GBP", 0, 0, d, 0}, {2, 1, "GBP", 0, 0, d, 0}, {4, 2, "GBP", 0, 0, d, 0}}},
        {"transfer: -amt from, +amt to, no value; the channel only on the first",
         [](PostingTest& f) {
             TTxn t = f.txn('C', f.bank, f.cash, 0, 3000);
             t.chnum = 7;
             t.date2 = {2024, 3, 4};
             return t;
         },
         {{1, 2, "GBP", -3000, 0, later, 7}, {2, 1, "GBP", 3000, 0, later, 0}}},
        {"internal transfer",
         [](PostingTest& f) { return f.txn('C', f.savings, f.food, 0, 1500); },
         {{1, 2, "GBP", -1500, 0, d, 0}, {2, 1, "GBP", 1500, 0, d, 0}}},
        {"FX gain/loss of -12.34 as is to both accounts, on txndate",
         [](PostingTest& f) {
             TTxn t = f.txn('F', f.fees, f.usd_bank, 0, -1234);
             t.date2 = {2024, 3, 4};
             return t;
         },
         {{1, 2, "GBP", -1234, 0, d, 0}, {2, 1, "GBP", -1234, 0, d, 0}}},
        {"FX gain without second account",
         [](PostingTest& f) { return f.txn('F', f.fees, 0, 0, 500); },
         {{1, 0, "GBP", 500, 0, d, 0}}},
        {"reconciled balance: nothing posted, the balance in recamt, last of its day",
         [](PostingTest& f) { return f.txn('Z', f.bank, 0, 0, -45678); },
         {{1, 0, "GBP", 0, 0, d, 0, -45678}}},
        {"cancelled reconciled balance keeps its recamt",
         [](PostingTest& f) {
             TTxn t = f.txn('Z', f.bank, 0, 0, 45678);
             t.cancelled = true;
             return t;
         },
         {{1, 0, "GBP", 0, 0, d, 0, 45678}}},
        {"diary entry: one posting to no account, no running balance shown",
         [](PostingTest& f) { return f.txn('D', 0, 0, 0, 0); },
         {{0, 0, "GBP", 0, 0, d, 0, 0, false}}},
    };
    for (const Case& c : cases) check(c);
}

TEST_F(PostingRulesTest, SignsNeverDependOnTheSignOfTheStoredAmount) {
    TTxn p = txn('P', bank, shop, food, -10000);
    p.val = -10000;
    ASSERT_TRUE(save_txn(core(), p));
    EXPECT_EQ(pstg(p.id, bank).amt, -10000);
    EXPECT_EQ(pstg(p.id, shop).amt, 10000);
    EXPECT_EQ(pstg(p.id, food).amt, -10000);
    TTxn c = txn('C', bank, cash, 0, -700);
    ASSERT_TRUE(save_txn(core(), c));
    EXPECT_EQ(pstg(c.id, bank).amt, -700);
    EXPECT_EQ(pstg(c.id, cash).amt, 700);
}

TEST_F(PostingRulesTest, MastersAndUnknownTypesPostNothing) {
    TTxn master = txn('P', bank, shop, food, 10000);
    master.kind = TxnKind::Master;
    EXPECT_TRUE(post_txn(core(), master));
    TTxn odd = txn('X', bank, shop, food, 10000);
    odd.id = 41;
    EXPECT_TRUE(post_txn(core(), odd));
    EXPECT_EQ(pstgs(), 0);
}

TEST_F(PostingRulesTest, PostOneSkipsAccountZeroAndAppliesTheCode) {
    TTxn t = txn('F', fees, 0, 0, -300);
    t.id = 5;
    t.val = 120;
    const TPstg tpl = posting_template(t);
    EXPECT_TRUE(post_one(core(), tpl, 0, fees, SignCode::Credit));
    EXPECT_EQ(pstgs(), 0);
    EXPECT_TRUE(post_one(core(), tpl, fees, bank, SignCode::Credit));
    EXPECT_TRUE(post_one(core(), tpl, bank, fees, SignCode::Debit));
    EXPECT_TRUE(post_one(core(), tpl, cash, fees, SignCode::AsIs));
    EXPECT_EQ(pstg(5, fees).amt, 300);
    EXPECT_EQ(pstg(5, fees).val, 120);
    EXPECT_EQ(pstg(5, bank).amt, -300);
    EXPECT_EQ(pstg(5, bank).val, -120);
    EXPECT_EQ(pstg(5, cash).amt, -300);
    EXPECT_EQ(pstg(5, cash).val, 120);
    EXPECT_EQ(pstg(5, bank).contra, fees);
}

TEST_F(PostingRulesTest, SignCodesTable) {
    const qint64 lo = std::numeric_limits<qint64>::min(), hi = std::numeric_limits<qint64>::max();
    struct S {
        qint64 figure;
        SignCode code;
        qint64 result;
    };
    for (const S& s : std::vector<S>{{5, SignCode::Debit, -5},
                                     {-5, SignCode::Debit, -5},
                                     {5, SignCode::Credit, 5},
                                     {-5, SignCode::Credit, 5},
                                     {-5, SignCode::AsIs, -5},
                                     {0, SignCode::Debit, 0},
                                     {lo, SignCode::Debit, lo},
                                     {lo, SignCode::Credit, hi},
                                     {hi, SignCode::Debit, -hi}})
        EXPECT_EQ(apply_sign(s.figure, s.code), s.result) << s.figure << " " << int(s.code);
}

TEST_F(PostingRulesTest, RebalanceNeededOnlyForNonZeroPostingsOnOrBeforeTheEnd) {
    struct R {
        const char* what;
        Date date;
        qint64 amt;
        bool needed;
    };
    for (const R& r : std::vector<R>{{"after the period end", {2024, 4, 1}, 1000, false},
                                     {"on the period end", {2024, 3, 31}, 1000, true},
                                     {"inside the period", {2024, 2, 10}, 1000, true},
                                     {"before the period", {2023, 12, 31}, 1000, true},
                                     {"zero amount inside the period", {2024, 2, 10}, 0, false}}) {
        set_rebalance_needed(core(), false);
        TTxn t = txn('P', bank, shop, food, r.amt, r.date);
        ASSERT_TRUE(save_txn(core(), t)) << r.what;
        EXPECT_EQ(core().run.rebal_needed, r.needed) << r.what;
    }
    // a diary entry or a reconciled balance carries no amount
    set_rebalance_needed(core(), false);
    TTxn z = txn('Z', bank, 0, 0, 5000, {2024, 2, 10});
    ASSERT_TRUE(save_txn(core(), z));
    EXPECT_FALSE(core().run.rebal_needed);
}

TEST_F(PostingRulesTest, ADuplicateAccountLeavesNoPostingOfTheTransaction) {
    // a transfer to the account it comes from cannot have two postings with one key
    TTxn t = txn('C', bank, bank, 0, 100);
    t.id = 9;
    EXPECT_FALSE(post_txn(core(), t));
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError"));
    EXPECT_EQ(pstgs(), 0) << "the first posting is undone with the failing second";
}

}  // namespace posting_testing
