// A user operation stopped by a database error leaves nothing of itself behind.
#include <gtest/gtest.h>

#include "core/sql.h"
#include "core/transactions.h"
#include "core/undo.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

class UndoTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        host.clear();
    }
    qint64 count(const char* where) { return sql_int(QStringLiteral("select count(*) from ccy where ") + where); }
};

TEST_F(UndoTest, ErrorUndoesTheOperationsEarlierStatements) {
    sql("insert into ccy (id, \"NAME\", base) values ('EUR', 'Euro', 0)");  // earlier, outside the operation
    bool ok = run_undoable(core(), [&] {
        exec_sql(core(), "insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)");
        exec_sql(core(), "insert into no_such_table values (1)");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(count("id = 'GBP'"), 0);
    EXPECT_EQ(count("id = 'EUR'"), 1);
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError\r\n"));
    // the next commit does not bring the undone statement back
    commit_work(core());
    EXPECT_EQ(count("id = 'GBP'"), 0);
}

TEST_F(UndoTest, SuccessKeepsEverything) {
    EXPECT_TRUE(run_undoable(core(), [&] { exec_sql(core(), "insert into ccy (id, base) values ('USD', 0)"); }));
    commit_work(core());
    EXPECT_EQ(count("id = 'USD'"), 1);
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(UndoTest, NestedOperationFailsTheWholeOperationOnce) {
    bool ok = run_undoable(core(), [&] {
        exec_sql(core(), "insert into ccy (id, base) values ('AAA', 0)");
        run_undoable(core(), [&] {
            exec_sql(core(), "insert into ccy (id, base) values ('BBB', 0)");
            exec_sql(core(), "insert into ccy (id, base) values ('BBB', 0)");  // duplicate key
        });
        exec_sql(core(), "insert into ccy (id, base) values ('CCC', 0)");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(count("id in ('AAA', 'BBB', 'CCC')"), 0);
    EXPECT_EQ(host.messages().size(), 1) << "reported once, by the outermost operation";
    EXPECT_EQ(core().undo_depth, 0);
    // the connection is still usable
    EXPECT_TRUE(run_undoable(core(), [&] { exec_sql(core(), "insert into ccy (id, base) values ('DDD', 0)"); }));
    EXPECT_EQ(count("id = 'DDD'"), 1);
}

TEST_F(UndoTest, OperationThatCommitsKeepsItsCommittedWork) {
    bool ok = run_undoable(core(), [&] {
        exec_sql(core(), "insert into ccy (id, base) values ('EEE', 0)");
        commit_work(core());
        exec_sql(core(), "insert into no_such_table values (1)");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(count("id = 'EEE'"), 1);
}

}  // namespace
