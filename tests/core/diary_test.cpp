// Diary entries: a type D transaction with one posting to no account.
#include <gtest/gtest.h>

#include "core/diary.h"
#include "posting_fixture.h"

using namespace mintor;

namespace posting_testing {

class DiaryTest : public PostingTest {};

TEST_F(DiaryTest, AnEntryIsOneTransactionWithOnePostingToNoAccount) {
    TTxn t;
    const QString text = QString(45, QChar('d'));
    ASSERT_TRUE(write_diary_entry(core(), {2024, 3, 5}, text, &t));
    const TTxn stored = [&] {
        TTxn r;
        EXPECT_TRUE(read_txn(core(), t.id, r));
        return r;
    }();
    EXPECT_EQ(stored.type, 'D');
    EXPECT_EQ(stored.narrative, text.left(40));
    EXPECT_EQ(stored.txndate, (Date{2024, 3, 5}));
    EXPECT_EQ(stored.actualtxndate, (Date{2024, 3, 5}));
    EXPECT_EQ(stored.ccy, "GBP");
    EXPECT_EQ(stored.accid1 + stored.accid2 + stored.accid4, 0);
    EXPECT_EQ(posted_accounts(t.id), QList<int>{0});
    const TPstg p = pstg(t.id, 0);
    EXPECT_EQ(p.txntype, 'D');
    EXPECT_EQ(p.amt, 0);
    EXPECT_FALSE(p.dprngbal);
    EXPECT_TRUE(p.dppstgdate);
    EXPECT_FALSE(core().run.rebal_needed) << "a diary entry changes no balance";

    // a second entry on the same day is a transaction of its own
    TTxn t2;
    ASSERT_TRUE(write_diary_entry(core(), {2024, 3, 5}, "again", &t2));
    EXPECT_EQ(t2.id, t.id + 1);
    EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
}

}  // namespace posting_testing
