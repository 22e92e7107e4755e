// Cancelling and uncancelling: the postings stay with zero amounts (a reconciled balance keeps
// its statement balance), come back on uncancelling, and a flag already set is refused.
#include <gtest/gtest.h>

#include "core/txn_cancel.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class TxnCancelTest : public MaintenanceTest {};

TEST_F(TxnCancelTest, CancelKeepsThePostingsWithZeroAmountsAndUncancelRestoresThem) {
    struct Case {
        const char* what;
        TTxn rec;
        QList<int> accounts;
    };
    const Case cases[] = {
        {"a foreign payment", txn('P', usd_bank, shop, food, 5000, {2024, 3, 1}, "USD"), {usd_bank, shop, food}},
        {"a transfer", txn('C', bank, cash, 0, 2000), {bank, cash}},
        {"an FX gain/loss", txn('F', bank, savings, 0, -1234), {bank, savings}},
        {"a reconciled balance", txn('Z', bank, 0, 0, 99900), {bank}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTxn t = c.rec;
        if (t.ccy == "USD") {
            t.val = 4000;
            t.rate = 1.25;
        }
        const int id = stored(t);
        QList<TPstg> posted;
        for (int a : c.accounts) posted << pstg(id, a);
        sql("update pstg set reconcode = 1 where txnid = " + QString::number(id));

        EXPECT_TRUE(cancel_txn(core(), id, true));
        EXPECT_TRUE(read(id).cancelled);
        EXPECT_EQ(posted_accounts(id), c.accounts);
        for (int a : c.accounts) {
            const TPstg p = pstg(id, a);
            EXPECT_EQ(p.amt, 0);
            EXPECT_EQ(p.val, 0);
            EXPECT_EQ(p.reconcode, 0) << "re-posted";
            if (t.type == QChar('Z')) {
                EXPECT_EQ(p.recamt, 99900);
            }
        }
        EXPECT_TRUE(ledger_invariants_hold(core()));

        EXPECT_TRUE(cancel_txn(core(), id, false));
        EXPECT_FALSE(read(id).cancelled);
        for (const TPstg& before : posted) {
            const TPstg p = pstg(id, before.objid);
            EXPECT_EQ(p.amt, before.amt);
            EXPECT_EQ(p.val, before.val);
            EXPECT_EQ(p.pstgdate, before.pstgdate);
            EXPECT_EQ(p.chnum, before.chnum);
        }
        EXPECT_TRUE(host.events().empty());
        EXPECT_TRUE(ledger_invariants_hold(core()));
    }
}

TEST_F(TxnCancelTest, AFlagAlreadySetIsRefusedAndAMissingTransactionReported) {
    const int id = stored(payment(10000, {2024, 1, 15}));
    const QString before = snapshot();
    EXPECT_FALSE(cancel_txn(core(), id, false));
    EXPECT_TRUE(cancel_txn(core(), id, true));
    const QString cancelled = snapshot();
    EXPECT_FALSE(cancel_txn(core(), id, true));
    EXPECT_EQ(snapshot(), cancelled);
    EXPECT_FALSE(cancel_txn(core(), 77, true));
    EXPECT_EQ(host.messages(), (QStringList{"Transaction is already cancelled/uncancelled",
                                            "Transaction is already cancelled/uncancelled", "Txn not found 77"}));
    EXPECT_NE(before, cancelled);
    EXPECT_EQ(cancel_txn_caption(false), "Cancel transaction");
    EXPECT_EQ(cancel_txn_caption(true), "Uncancel transaction");
}

}  // namespace
}  // namespace posting_testing
