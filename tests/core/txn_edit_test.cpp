// Quick edits of a stored transaction: a new amount (with its value, and the sign of the
// signed types), a new posting date for the postings that carry it (refused over a reconciled
// balance), and a new description or reference that touches nothing else.
#include <gtest/gtest.h>

#include "core/txn_edit.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;
using testing_support::Cancel;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class TxnEditTest : public MaintenanceTest {
public:
    TTxn usd_payment(qint64 amt, Date d = {2024, 3, 1}) {
        TTxn t = txn('P', usd_bank, shop, food, amt, d, "USD");
        t.val = amt * 4 / 5;
        t.rate = 1.25;
        return t;
    }
    TPstg at(int txnid, int objid) { return pstg(txnid, objid); }
};

TEST_F(TxnEditTest, ANewAmountIsRepostedWithItsValue) {
    struct Case {
        const char* what;
        TTxn rec;
        Answer answer;
        bool done;
        qint64 amt, val;  // stored afterwards
        QStringList messages;
    };
    const Case cases[] = {
        {"a payment", payment(10000, {2024, 1, 15}), QString("1,205.50"), true, 120550, 120550, {}},
        {"a foreign payment is valued again", usd_payment(5000), QString("75.00"), true, 7500, 6000, {}},
        {"an FX loss keeps its sign, and its value is its amount", txn('F', usd_bank, 0, 0, -1234), QString("20.00"),
         true, -2000, -2000, {}},
        {"an FX gain", txn('F', usd_bank, savings, 0, 500), QString("7"), true, 700, 700, {}},
        {"a negative reconciled balance stays negative", txn('Z', bank, 0, 0, -50000), QString("600.00"), true,
         -60000, 0, {}},
        {"a transfer has no value", txn('C', bank, cash, 0, 2000), QString("30.00"), true, 3000, 0, {}},
        {"a negative amount", payment(10000, {2024, 1, 15}), QString("-5.00"), false, 10000, 10000,
         {"Amount must be >= 0"}},
        {"not an amount", payment(10000, {2024, 1, 15}), QString("12.5"), false, 10000, 10000,
         {"Invalid amount \"12.5\""}},
        {"cancelled", payment(10000, {2024, 1, 15}), Cancel{}, false, 10000, 10000, {}},
        {"no rate on the day: nothing changes", usd_payment(5000, {2024, 2, 10}), QString("60.00"), false, 5000, 4000,
         {"Use main menu option \"Currencies\" to specify a rate for USD on 2024-02-10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int id = stored(c.rec);
        const QString before = snapshot();
        host.clear();
        host.answer(c.answer);
        if (c.rec.ccy == "USD" && c.rec.txndate == Date{2024, 2, 10}) host.answer(Cancel{});  // the rate prompt
        EXPECT_EQ(edit_txn_amt(core(), id), c.done);
        EXPECT_EQ(host.messages(), c.messages);
        EXPECT_EQ(host.questions().first(), "Enter amount unsigned");
        EXPECT_FALSE(host.answers_left());
        const TTxn t = read(id);
        EXPECT_EQ(t.amt, c.amt);
        EXPECT_EQ(t.val, c.val);
        if (!c.done) {
            EXPECT_EQ(snapshot(), before);
        }
        if (c.done && t.type == QChar('F')) {
            EXPECT_EQ(at(id, t.accid1).amt, c.amt);
            EXPECT_EQ(at(id, t.accid1).val, c.val);
        }
        if (c.done && t.type == QChar('Z')) {
            EXPECT_EQ(at(id, bank).recamt, c.amt);
        }
        if (c.done && t.type == QChar('P')) {
            EXPECT_EQ(at(id, t.accid1).amt, -c.amt);
            EXPECT_EQ(at(id, food).amt, -c.val);
        }
        EXPECT_TRUE(ledger_invariants_hold(core()));
    }
}

TEST_F(TxnEditTest, RedatingMovesTheExternalAndCounterpartyPostingsUnlessAReconciledBalanceIsUpset) {
    set_period(core(), {2024, 1, 1}, {2024, 12, 31});
    struct Case {
        const char* what;
        Date posted;     // the posting date before
        int listed;      // 0 bank, 1 shop: the posting the user redates
        Date new_date;
        bool cancelled;
        bool done;
    };
    const Case cases[] = {
        {"after the reconciled date, to after it", {2024, 4, 2}, 0, {2024, 4, 5}, false, true},
        {"after the reconciled date, to before it", {2024, 4, 2}, 0, {2024, 3, 15}, false, false},
        {"to the reconciled date itself", {2024, 4, 2}, 0, {2024, 3, 31}, false, false},
        {"from before the reconciled date", {2024, 3, 20}, 0, {2024, 4, 5}, false, false},
        {"the counterparty's posting moves the bank's too", {2024, 3, 20}, 1, {2024, 4, 5}, false, false},
        {"a cancelled one moves no money", {2024, 3, 20}, 0, {2024, 4, 5}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql("update account set reconciled = ''");
        TTxn t = payment(10000, {2024, 3, 10}, c.posted);
        t.cancelled = c.cancelled;
        const int id = stored(t);
        reconcile(bank, "2024-03-31");
        freeze_before(20241231);  // the freeze date is not consulted
        const QString before = snapshot();
        host.clear();
        host.answer(c.new_date);
        EXPECT_EQ(edit_pstgdate(core(), at(id, c.listed == 0 ? bank : shop)), c.done);
        EXPECT_EQ(host.questions(), QStringList{" Posting date"});
        if (c.done) {
            EXPECT_TRUE(host.messages().isEmpty());
            EXPECT_EQ(read(id).date2, c.new_date);
            EXPECT_EQ(at(id, bank).pstgdate, c.new_date);
            EXPECT_EQ(at(id, shop).pstgdate, c.new_date);
            EXPECT_EQ(at(id, food).pstgdate, (Date{2024, 3, 10})) << "the internal account stays on txndate";
        } else {
            EXPECT_EQ(host.messages(), QStringList{"Cannot redate : will upset reconciled balance"});
            EXPECT_EQ(snapshot(), before);
        }
        EXPECT_TRUE(ledger_invariants_hold(core()));
        freeze_before(0);
    }
}

TEST_F(TxnEditTest, OnlyThePostingsThatCarryThePostingDateAreRedated) {
    const QString refused =
        "Cannot redate : only the external account and counterparty postings of a payment, receipt or external "
        "transfer have a posting date";
    const int pay = stored(payment(10000, {2024, 3, 10}, {2024, 3, 12}));
    const int internal = stored(txn('C', food, savings, 0, 500));
    const int fx = stored(txn('F', usd_bank, 0, 0, 500));
    for (const auto& [id, objid] : {std::pair{pay, food}, std::pair{internal, food}, std::pair{fx, usd_bank}}) {
        host.clear();
        EXPECT_FALSE(edit_pstgdate(core(), at(id, objid)));
        EXPECT_EQ(host.messages(), QStringList{refused});
        EXPECT_TRUE(host.questions().isEmpty());
    }
    // an external transfer: both accounts move
    const int tfr = stored(txn('C', bank, cash, 0, 2000, {2024, 3, 10}));
    host.clear();
    host.answer(Date{2024, 3, 14});
    EXPECT_TRUE(edit_pstgdate(core(), at(tfr, cash)));
    EXPECT_EQ(at(tfr, bank).pstgdate, (Date{2024, 3, 14}));
    EXPECT_EQ(at(tfr, cash).pstgdate, (Date{2024, 3, 14}));
    // back onto the actual date: no separate posting date is stored
    host.answer(Date{2024, 3, 10});
    EXPECT_TRUE(edit_pstgdate(core(), at(pay, shop)));
    EXPECT_EQ(sql_int("select date2 from txn where id = " + QString::number(pay)), 0);
    EXPECT_EQ(at(pay, bank).pstgdate, (Date{2024, 3, 10}));
    // the calendar cancelled
    host.answer(Cancel{});
    const QString before = snapshot();
    EXPECT_FALSE(edit_pstgdate(core(), at(pay, bank)));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnEditTest, ADescriptionOrReferenceChangesOnlyItsColumn) {
    TTxn t = payment(10000, {2024, 1, 15});
    t.narrative = "Groceries";
    t.ref = "R1";
    const int id = stored(t);
    sql("update pstg set reconcode = 1 where txnid = " + QString::number(id));
    const QString pstgs_before = snapshot().section("--\n", 1, 1);
    const QString editts = QString::number(sql_int("select datediff(second from timestamp '2000-01-01 00:00:00' to "
                                                   "editts) from txn where id = " + QString::number(id)));
    struct Case {
        QChar which;
        Answer answer;
        const char* title;
        bool done;
        QString narrative, ref;
    };
    const Case cases[] = {
        {'D', QString("Weekly shop, it's \"big\" ''"), "Edit transaction description", true,
         "Weekly shop, it's \"big\" ''", "R1"},
        {'R', QString("CHQ 000123"), "Edit transaction reference", true, "Weekly shop, it's \"big\" ''", "CHQ 000123"},
        {'R', QString("A reference longer than twenty"), "Edit transaction reference", true,
         "Weekly shop, it's \"big\" ''", "A reference longer t"},
        {'D', Cancel{}, "Edit transaction description", false, "Weekly shop, it's \"big\" ''", "A reference longer t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        host.clear();
        host.answer(c.answer);
        EXPECT_EQ(edit_txn_text(core(), id, read(id).narrative, c.which), c.done);
        EXPECT_EQ(host.questions(), QStringList{c.title});
        const TTxn after = read(id);
        EXPECT_EQ(after.narrative, c.narrative);
        EXPECT_EQ(after.ref, c.ref);
        EXPECT_EQ(snapshot().section("--\n", 1, 1), pstgs_before) << "postings untouched";
        EXPECT_EQ(QString::number(sql_int("select datediff(second from timestamp '2000-01-01 00:00:00' to editts) "
                                          "from txn where id = " +
                                          QString::number(id))),
                  editts)
            << "stamps untouched";
    }
    host.clear();
    host.answer(QString("x"));
    EXPECT_FALSE(edit_txn_text(core(), 99, "", 'D'));
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 99"});
}

}  // namespace
}  // namespace posting_testing
