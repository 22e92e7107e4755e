// Group paths, memberships and the rules of what a group may hold.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "core/hierarchy.h"
#include "core/sql.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

class HierarchyTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        host.clear();
    }
    void add(int id, const QString& name, int type2, int grpid, bool group = false) {
        sql(QStringLiteral("insert into account (id, name, type2, grpid, isgrp, ccy, path) values (%1, %2, %3, %4, %5, "
                           "'GBP', ' ')")
                .arg(id)
                .arg(qwel::sql_quote(name))
                .arg(type2)
                .arg(grpid)
                .arg(group ? 1 : 0));
    }
    QString path(int id) {
        QSqlQuery q = open_query(core(), QStringLiteral("select path from account where id = %1").arg(id));
        EXPECT_TRUE(q.next());
        return q.value(0).toString();
    }
    QList<int> groups_of(int id) {
        QList<int> out;
        QSqlQuery q = open_query(core(), QStringLiteral("select grpid from accingrp where accid = %1 order by grpid").arg(id));
        while (q.next()) out << q.value(0).toInt();
        return out;
    }
    // Bank > Current > Joint's Box (a group three levels down holds account 5); 6 at the top.
    void three_levels() {
        add(1, "Bank", 8, 0, true);
        add(2, "Current", 8, 1, true);
        add(3, "Joint's Box", 8, 2, true);
        add(4, "Joint", 1, 2);
        add(5, "Deep", 1, 3);
        add(6, "Cash", 1, 0);
    }
};

TEST_F(HierarchyTest, ThreeLevelTreeGetsPathsAndMemberships) {
    three_levels();
    rebuild_group_paths(core());
    EXPECT_EQ(path(1), " ");
    EXPECT_EQ(path(2), "  Bank :");
    EXPECT_EQ(path(4), "  Bank : Current :");
    EXPECT_EQ(path(3), "  Bank : Current :");
    EXPECT_EQ(path(5), "  Bank : Current : Joint's Box :");
    EXPECT_EQ(path(6), " ");
    EXPECT_EQ(groups_of(5), QList<int>({1, 2, 3}));
    EXPECT_EQ(groups_of(4), QList<int>({1, 2}));
    EXPECT_TRUE(groups_of(6).isEmpty()) << "top-level accounts have no rows";
    EXPECT_TRUE(groups_of(3).isEmpty()) << "groups never appear as members";
    EXPECT_EQ(group_path_caption(core(), 5), " Bank : Current : Joint's Box :");
    EXPECT_EQ(group_path_caption(core(), 6), "");
    EXPECT_EQ(qwel::flash_last_text(), "Paths rebuilt OK");
}

TEST_F(HierarchyTest, MovingAGroupMovesItsDescendantsAtTheNextRebuild) {
    three_levels();
    rebuild_group_paths(core());
    add(7, "Savings", 8, 0, true);
    sql("update account set grpid = 7 where id = 2");  // Current moves under Savings
    rebuild_group_paths(core());
    EXPECT_EQ(path(5), "  Savings : Current : Joint's Box :");
    EXPECT_EQ(groups_of(5), QList<int>({2, 3, 7}));
    EXPECT_EQ(sql_int("select count(*) from accingrp where grpid = 1"), 0);
}

TEST_F(HierarchyTest, AGroupCannotGoUnderItselfOrItsDescendants) {
    three_levels();
    EXPECT_FALSE(chk_not_self_grp(core(), 2, 2));
    EXPECT_FALSE(chk_not_self_grp(core(), 3, 1)) << "Bank under Joint's Box, which lies inside Bank";
    EXPECT_EQ(host.messages(), QStringList({"An Account Group must not contain itself",
                                            "An Account Group must not contain itself"}));
    EXPECT_TRUE(chk_not_self_grp(core(), 1, 3));
    EXPECT_TRUE(chk_not_self_grp(core(), 0, 3));
}

TEST_F(HierarchyTest, ACycleInTheDataIsReportedNotLoopedOn) {
    add(1, "A", 8, 2, true);
    add(2, "B", 8, 1, true);
    add(3, "Acc", 1, 1);
    rebuild_group_paths(core());
    EXPECT_TRUE(host.said("Group contains itself 3"));
    EXPECT_TRUE(host.said("Error : Group depth > 99"));
    EXPECT_EQ(path(3), " ");
    EXPECT_TRUE(groups_of(3).isEmpty());
    host.clear();
    group_path_caption(core(), 3);
    EXPECT_TRUE(host.said("Group contains itself 3"));
}

TEST_F(HierarchyTest, DeepChainsGetEveryMembershipAndAPathTooLongEndsTheRebuild) {
    for (int i = 1; i <= 70; ++i) add(i, QStringLiteral("G%1").arg(i), 8, i - 1, true);
    add(200, "Acc", 1, 70);
    rebuild_accingrp(core());
    EXPECT_EQ(groups_of(200).size(), 70);
    // 70 levels of names do not fit the 255-character path: the database refuses, the rebuild ends
    EXPECT_THROW(rebuild_group_paths(core()), DbError);
}

struct GroupRuleCase {
    int group_type, member_type;
    const char* group_ccy;
    const char* member_ccy;
    int member_open, member_close;
    int code;
};

TEST(GroupRules, WhatAGroupMayHold) {
    testing_support::ScriptedHost host;
    const GroupRuleCase cases[] = {
        {8, 1, "GBP", "GBP", 20200101, 99999999, 0},
        {8, 8, "GBP", "GBP", 0, 99999999, 0},
        {8, 1, "GBP", "EUR", 20200101, 99999999, 4},
        {9, 4, "GBP", "EUR", 20200101, 99999999, 0},  // counterparties: any currency
        {9, 1, "GBP", "GBP", 20200101, 99999999, 3},
        {10, 3, "GBP", "GBP", 20200101, 99999999, 0},
        {10, 6, "GBP", "GBP", 20200101, 99999999, 0},
        {8, 4, "GBP", "GBP", 20200101, 99999999, 3},
        {10, 11, "GBP", "GBP", 20200101, 99999999, 3},
        {10, 3, "GBP", "GBP", 20150101, 20300101, 1},  // opens before the group: 1, though its close is wrong too
        {10, 3, "GBP", "GBP", 20200101, 99999999, 2},  // open member in a closed group
    };
    for (const auto& c : cases) {
        GroupNode g{1, "Grp", c.group_type, c.group_ccy, 20190101, 99999999};
        if (c.code == 2) g.closedate = 20251231;
        if (c.code == 1) g.closedate = 20251231;
        GroupNode m{2, "Mem", c.member_type, c.member_ccy, c.member_open, c.member_close};
        GroupCheck r = chk_grp_open_for_acc(g, m);
        EXPECT_EQ(r.code, c.code) << c.group_type << "/" << c.member_type;
        if (c.code == 1) {
            EXPECT_EQ(r.message, " Group 1 \"Grp\" opened too late for Account / Sub-Group \"Mem\"");
        }
        if (c.code == 2) {
            EXPECT_EQ(r.message, " Group 1 \"Grp\" closed too soon for Account / Sub-Group \"Mem\"");
        }
    }
    host.clear();
    GroupNode ctgy{2, "Food", 3, "GBP", 0, 99999999};
    GroupNode ext_group{1, "Banks", 8, "GBP", 0, 99999999};
    EXPECT_EQ(chk_grp_open_for_acc(ext_group, ctgy).code, 3);
    EXPECT_TRUE(host.said("Program error : Core.chk_grp_open_for_acc"));
}

TEST_F(HierarchyTest, RegroupingPastTheFreezeDateAsks) {
    three_levels();
    EXPECT_FALSE(chk_regroup_freeze(core(), 4, 0)) << "no freeze date";
    core().settings.freeze_before = 20240101;
    EXPECT_FALSE(chk_regroup_freeze(core(), 4, 0)) << "nothing on or before it";
    sql("insert into pstg (txnid, objid, pstgdate) values (1, 4, 20231231)");
    host.answer(false);
    EXPECT_TRUE(chk_regroup_freeze(core(), 4, 0));
    EXPECT_EQ(host.questions().back(), "Regrouping will violate freeze date - are you sure ?");
    host.answer(true);
    EXPECT_FALSE(chk_regroup_freeze(core(), 6, 500)) << "an opening balance counts";
}

}  // namespace
