// Deleting an account: each refusal in its order with its words, nothing changed by a
// refused delete, and what the delete removes and clears.
#include <gtest/gtest.h>

#include <functional>

#include "core/account_delete.h"
#include "core/acctypes.h"
#include "core/params.h"
#include "core/postings.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class AccountDeleteTest : public StoreTest {
public:  // for the set-up steps of the case table
    using StoreTest::add_acc;
    using StoreTest::add_pstg;
    using StoreTest::core;
    using StoreTest::sql;
};

struct RefusalCase {
    const char* name;
    std::function<int(AccountDeleteTest&)> setup;  // returns the id to delete
    std::vector<bool> answers;                      // yes/no answers to the questions asked
    const char* words;                              // the refusal shown; empty: none
};

TEST_F(AccountDeleteTest, EachRefusalWithItsWords) {
    const std::vector<RefusalCase> cases = {
        {"default pot",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypePot, "Default pot");
             t.core().settings.default_pot_id = id;
             return id;
         },
         {},
         "Cannot delete  default Pot"},
        {"postings",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypeExternal, "Bank");
             t.add_pstg(1, id, "P");
             t.add_pstg(2, id, "R");
             t.add_pstg(3, id, "D");  // diary and b/fd postings do not count
             t.add_pstg(0, id, "A", 0);
             return id;
         },
         {},
         "Cannot delete account - 2 posting(s) found"},
        {"group not emptied",
         [](AccountDeleteTest& t) {
             const int g = t.add_acc(kTypeExternalGroup, "Banks");
             const int m = t.add_acc(kTypeExternal, "Member");
             t.sql(QStringLiteral("update account set grpid = %1 where id = %2").arg(g).arg(m));
             return g;
         },
         {false},
         ""},
        {"opening balance",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypeCategory, "Food");
             t.sql(QStringLiteral("update account set bfdbal = 5 where id = %1").arg(id));
             return id;
         },
         {},
         "Cannot delete account - opening balance is not zero"},
        {"provider of two accounts",
         [](AccountDeleteTest& t) {
             const int c = t.add_acc(kTypeCounterparty, "Bank plc");
             for (const char* n : {"Current", "Savings"}) {
                 const int e = t.add_acc(kTypeExternal, n);
                 t.sql(QStringLiteral("update account set accwith = %1 where id = %2").arg(c).arg(e));
             }
             return c;
         },
         {},
         "Cannot delete counterparty - it has 2 external account(s)"},
        {"repeater",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypeExternal, "Card");
             t.sql(QStringLiteral("insert into rptr (id, accid4, rptactive) values (5, %1, 0)").arg(id));
             t.sql(QStringLiteral("insert into rptr (id, accid2, rptactive) values (3, %1, 0)").arg(id));
             return id;
         },
         {},
         "Cannot delete - Account is referenced by Repeater #3"},
        {"contra",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypeCounterparty, "Payee");
             t.add_pstg(7, 12, "P", 100, id);
             return id;
         },
         {},
         "Cannot delete  - referenced as contra in posting 7 12"},
        {"archived, kept",
         [](AccountDeleteTest& t) {
             const int id = t.add_acc(kTypeExternal, "Old");
             t.sql(QStringLiteral("update account set createts = '2019-05-05 10:00:00' where id = %1").arg(id));
             t.core().params.start_date = {2020, 1, 1};
             return id;
         },
         {false},
         ""},
        {"not confirmed",
         [](AccountDeleteTest& t) { return t.add_acc(kTypeExternal, "Cash"); },
         {false},
         ""},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        sql("delete from account");
        sql("delete from pstg");
        sql("delete from rptr");
        core().settings.default_pot_id = -1;
        core().params.start_date = {};
        const int id = c.setup(*this);
        const qint64 accounts = sql_int("select count(*) from account");
        const qint64 grouped = sql_int("select count(*) from account where grpid <> 0");
        host.clear();
        for (bool a : c.answers) host.answer(a);
        EXPECT_FALSE(delete_acc(core(), id));
        EXPECT_FALSE(host.answers_left());
        if (*c.words) EXPECT_EQ(host.messages(), QStringList{c.words});
        else EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join("|").toStdString();
        EXPECT_EQ(sql_int("select count(*) from account"), accounts);
        EXPECT_EQ(sql_int("select count(*) from account where grpid <> 0"), grouped);
    }
}

TEST_F(AccountDeleteTest, GroupIsEmptiedOnlyWhenTheDeleteHappens) {
    const int g = add_acc(kTypeInternalGroup, "Spending");
    const int m1 = add_acc(kTypeCategory, "Food"), m2 = add_acc(kTypePot, "Holiday");
    sql(QStringLiteral("update account set grpid = %1 where id in (%2, %3)").arg(g).arg(m1).arg(m2));
    core().settings.reset_paths = false;

    // agreed to empty the group, then a later refusal: the members stay in the group
    sql(QStringLiteral("insert into rptr (id, accid1) values (9, %1)").arg(g));
    host.answer_yes();
    EXPECT_FALSE(delete_acc(core(), g));
    EXPECT_EQ(host.questions(), QStringList{"Cannot delete group - it contains 2 account(s) / subgroup(s) - empty the Group?"});
    EXPECT_EQ(count("account", QStringLiteral("grpid = %1").arg(g)), 2);
    EXPECT_FALSE(core().settings.reset_paths);

    // agreed, then the final question declined: still in the group
    sql("delete from rptr");
    host.clear();
    host.answer_yes();
    host.answer_no();
    EXPECT_FALSE(delete_acc(core(), g));
    EXPECT_EQ(count("account", QStringLiteral("grpid = %1").arg(g)), 2);

    host.clear();
    host.answer_yes(2);
    EXPECT_TRUE(delete_acc(core(), g));
    EXPECT_EQ(host.questions().last(), "Delete internal account group\"Spending\"?");
    EXPECT_EQ(count("account", QStringLiteral("id = %1").arg(g)), 0);
    EXPECT_EQ(count("account", QStringLiteral("id in (%1, %2) and grpid = 0").arg(m1).arg(m2)), 2);
    EXPECT_TRUE(core().settings.reset_paths);
    EXPECT_TRUE(core().run.rebal_needed);
}

TEST_F(AccountDeleteTest, DeleteRemovesTheAccountsRowsAndClearsItsProvider) {
    const int cpty = add_acc(kTypeCounterparty, "Bank plc");
    const int other = add_acc(kTypeCounterparty, "Lender");
    const int card = add_acc(kTypeExternal, "Card");
    const int ctgy = add_acc(kTypeCategory, "Fees");
    sql(QStringLiteral("update account set accwith = %1 where id in (%2, %3)").arg(card).arg(cpty).arg(other));
    sql(QStringLiteral("update account set accwith = %1 where id = %2").arg(cpty).arg(card));
    ASSERT_TRUE(ensure_bfd_posting(core(), acc(card)));
    sql(QStringLiteral("insert into cptyctgy (cptyid, ctgyid, purchsale) values (%1, %2, 'P')").arg(card).arg(ctgy));
    sql(QStringLiteral("insert into cptyctgy (cptyid, ctgyid, purchsale) values (%1, %2, 'P')").arg(cpty).arg(card));
    sql(QStringLiteral("insert into cptyctgy (cptyid, ctgyid, purchsale) values (%1, %2, 'P')").arg(cpty).arg(ctgy));

    host.answer_yes();
    EXPECT_TRUE(delete_acc(core(), card));
    EXPECT_EQ(host.questions(), QStringList{"Delete external account\"Card\"?"});
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_EQ(count("account", QStringLiteral("id = %1").arg(card)), 0);
    EXPECT_EQ(count("pstg", QStringLiteral("objid = %1").arg(card)), 0) << "its b/fd posting";
    EXPECT_EQ(count("movte", QStringLiteral("objid = %1").arg(card)), 0);
    EXPECT_EQ(count("cptyctgy", QStringLiteral("cptyid = %1 or ctgyid = %1").arg(card)), 0);
    EXPECT_EQ(count("cptyctgy", "1 = 1"), 1) << "other links stay";
    EXPECT_EQ(count("account", QStringLiteral("id in (%1, %2) and accwith = 0").arg(cpty).arg(other)), 2)
        << "every counterparty that named the account as its own";
}

TEST_F(AccountDeleteTest, NothingToDelete) {
    EXPECT_FALSE(delete_acc(core(), 0));
    EXPECT_FALSE(delete_acc(core(), -3));
    EXPECT_FALSE(delete_acc(core(), 4711));
    EXPECT_TRUE(host.events().empty());
}

TEST_F(AccountDeleteTest, ArchivedAccountAsksFirst) {
    const int id = add_acc(kTypeCounterparty, "Old shop");
    sql(QStringLiteral("update account set createts = '2019-05-05 10:00:00', bfdbal = 10 where id = %1").arg(id));
    core().params.start_date = {2020, 1, 1};
    host.answer_yes(2);
    EXPECT_TRUE(delete_acc(core(), id)) << "a counterparty's opening balance does not stop it";
    EXPECT_EQ(host.questions(), (QStringList{"Account has been archived, are you sure you want to delete here?",
                                             "Delete counterparty\"Old shop\"?"}));
}

}  // namespace
