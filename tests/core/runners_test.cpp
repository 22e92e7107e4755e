// The SQL runners over the core's named queries, and keeping a list's row across a refresh.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <memory>
#include <vector>

#include "core/positions.h"
#include "core/runners.h"
#include "core/sql.h"
#include "qwellib/dialogs.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class RunnersTest : public StoreTest {
protected:
    void add_rows(std::initializer_list<int> ids) {
        for (int id : ids) sql(QStringLiteral("insert into account (id, name) values (%1, 'a%1')").arg(id));
    }
    // a scrollable query over the account ids, as a list form holds it
    QSqlQuery list() {
        QSqlQuery q(core().db());
        EXPECT_TRUE(q.exec("select id from account order by id"));
        return q;
    }
};

TEST_F(RunnersTest, SelectOpensOnTheFirstRowOtherStatementsRun) {
    add_rows({3, 1, 2});
    run_q1(core(), "  SELECT id from account order by id");
    CoreQuery& q1 = core().store.q1;
    ASSERT_TRUE(q1.open);
    QList<int> ids;
    for (; !q1.at_end(); q1.next()) ids << field_int(q1.rows, "id");
    EXPECT_EQ(ids, (QList<int>{1, 2, 3}));

    run_cursor(core(), "delete from account where id = 2");
    EXPECT_FALSE(core().store.cursor.open);
    EXPECT_EQ(core().store.cursor.sql, QStringList{"delete from account where id = 2"});
    EXPECT_EQ(sql_int("select count(*) from account"), 2);

    run_q1(core(), "select id from account where id > 100");
    EXPECT_TRUE(core().store.q1.open);
    EXPECT_TRUE(core().store.q1.at_end()) << "no rows";

    set_sql(core().store.q1, "select 1 from rdb$database");
    EXPECT_FALSE(core().store.q1.open) << "set_sql closes";
    EXPECT_THROW(run_q1(core(), "select nothing from nowhere"), DbError);
}

TEST_F(RunnersTest, CountRows) {
    add_rows({1, 2, 3, 4});
    EXPECT_EQ(count_rows(core(), "account", ""), 4);
    EXPECT_EQ(count_rows(core(), "account", "id > 2"), 2);
    EXPECT_EQ(count_rows(core(), "pstg", ""), 0);
}

TEST_F(RunnersTest, RowIsFoundAgainAfterARefresh) {
    add_rows({1, 2, 3, 4, 5});
    QSqlQuery q = list();
    QueryRows rows(q, "TFAccs", "AccTbl");
    ASSERT_TRUE(q.seek(2));  // id 3
    remember_position(core(), &rows, "id");
    add_rows({0});
    q = list();  // the refresh
    EXPECT_TRUE(restore_position(core(), &rows, "id"));
    EXPECT_EQ(q.value(0).toInt(), 3);
    EXPECT_TRUE(host.events().empty());
    EXPECT_FALSE(restore_position(core(), &rows, "id")) << "the note was used up";
}

TEST_F(RunnersTest, RowGoneMovesToTheOneThatFollowedIt) {
    add_rows({10, 20, 30});
    QSqlQuery q = list();
    QueryRows rows(q, "TFAccs", "AccTbl");
    ASSERT_TRUE(q.seek(1));  // id 20
    remember_position(core(), &rows, "id");
    sql("delete from account where id = 20");
    q = list();
    EXPECT_TRUE(restore_position(core(), &rows, "id"));
    EXPECT_EQ(q.value(0).toInt(), 30);
    EXPECT_EQ(host.flash_text, "positioning at next");

    // the last row gone: no row follows it, the list ends on its last row
    ASSERT_TRUE(q.seek(1));  // id 30
    remember_position(core(), &rows, "id");
    sql("delete from account where id = 30");
    q = list();
    EXPECT_FALSE(restore_position(core(), &rows, "id"));
    EXPECT_EQ(q.value(0).toInt(), 10);
}

TEST_F(RunnersTest, TenListsAtMost) {
    add_rows({1, 2});
    std::vector<QSqlQuery> queries;
    std::vector<std::unique_ptr<QueryRows>> lists;
    queries.reserve(11);
    for (int i = 0; i < 11; ++i) {
        queries.push_back(list());
        queries.back().first();
        lists.push_back(std::make_unique<QueryRows>(queries.back(), "F", QStringLiteral("q%1").arg(i)));
    }
    for (int i = 0; i < 10; ++i) remember_position(core(), lists[i].get(), "id");
    remember_position(core(), lists[3].get(), "id");  // the same list again takes its own entry
    EXPECT_TRUE(host.messages().isEmpty());
    remember_position(core(), lists[10].get(), "id");
    EXPECT_EQ(host.messages(), QStringList{"Program error : core.posna_push array is full"});
    host.clear();
    EXPECT_FALSE(restore_position(core(), nullptr, "id"));
    EXPECT_EQ(host.messages(), QStringList{"Program error : core.b_popposn nil dataset"});
}

TEST_F(RunnersTest, TracesNameTheEntriesAndAnUnpushedList) {
    add_rows({1});
    QSqlQuery q = list();
    q.first();
    QueryRows rows(q, "TFRptrs", "RptrTbl");
    qwel::set_trace(true);
    remember_position(core(), &rows, "id");
    remember_position(core(), &rows, "id");
    restore_position(core(), &rows, "id");
    restore_position(core(), &rows, "id");
    qwel::set_trace(false);
    EXPECT_EQ(host.messages(), (QStringList{"adding new array entry 0", "updating array entry 0",
                                            "core.posna_pop popping unpushed posn TFRptrs.RptrTbl"}));
}

}  // namespace
