// A few hundred random transactions of every type, with companions, edits, cancels and
// deletes, written through the program's operations: the ledger invariants hold throughout.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "core/connection.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "support/ledger_fixture.h"
#include "support/ledger_invariants.h"
#include "support/random_ledger.h"

using namespace mintor;
using testing_support::RandomLedger;

namespace {

class RandomLedgerTest : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        set_period(core(), {2024, 1, 1}, {2024, 2, 29});
        host.clear();
    }
    // What the ledger holds, in one text: every transaction and posting.
    QString fingerprint() {
        QString out;
        QSqlQuery t = open_query(core(), "select id, \"type\", amt, val, cancelled, accid1, accid2, accid4, batchnum "
                                         "from txn order by id");
        while (t.next())
            for (int i = 0; i < 9; ++i) out += t.value(i).toString() + ",";
        QSqlQuery p = open_query(core(), "select txnid, objid, amt, val, pstgdate from pstg order by txnid, objid");
        while (p.next())
            for (int i = 0; i < 5; ++i) out += p.value(i).toString() + ",";
        return out;
    }
};

TEST_F(RandomLedgerTest, InvariantsHoldOverRandomTransactionsOfEveryType) {
    RandomLedger gen(core(), host, 20240101u);
    gen.setup();
    for (int round = 1; round <= 6; ++round) {
        gen.run(50);
        ASSERT_TRUE(testing_support::ledger_invariants_hold(core())) << "after " << round * 50 << " steps";
    }
    const testing_support::RandomLedgerStats& s = gen.stats();
    // every kind of operation really happened
    const std::pair<const char*, int> kinds[] = {
        {"payments", s.payments},   {"receipts", s.receipts},       {"transfers", s.transfers},
        {"FX deals", s.fx_deals},   {"FX gain/loss", s.fx_gain_loss}, {"diary", s.diary},
        {"reconciled", s.reconciled}, {"foreign", s.foreign},       {"posting dates", s.posting_dates},
        {"cashbacks", s.cashbacks}, {"splits", s.splits},           {"credits", s.credits},
        {"new batches", s.new_batches}, {"joined batches", s.joined_batches}, {"edits", s.edits},
        {"cancels", s.cancels},     {"uncancels", s.uncancels},     {"deletes", s.deletes}};
    for (const auto& [what, n] : kinds) EXPECT_GT(n, 0) << what;
    EXPECT_GT(s.companions, s.fx_deals);
    EXPECT_GT(sql_int("select count(*) from txn"), 150);
    EXPECT_GT(sql_int("select count(*) from txn where cancelled = 1"), 0);
    EXPECT_GT(sql_int("select count(*) from account where name like '% owes'"), 0);
}

TEST_F(RandomLedgerTest, TheSameSeedGivesTheSameLedger) {
    RandomLedger first(core(), host, 99u);
    first.setup();
    first.run(40);
    const QString one = fingerprint();
    close_database(core());
    use_template(37);
    restart_core();
    open_ledger();
    set_period(core(), {2024, 1, 1}, {2024, 2, 29});
    RandomLedger second(core(), host, 99u);
    second.setup();
    second.run(40);
    EXPECT_EQ(fingerprint(), one);
    EXPECT_FALSE(one.isEmpty());
}

}  // namespace
