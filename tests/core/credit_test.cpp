// The credit account of a counterparty: found, or created once and only once.
#include <gtest/gtest.h>

#include "core/credit.h"
#include "posting_fixture.h"

using namespace mintor;

namespace posting_testing {

class CreditTest : public PostingTest {
protected:
    qint64 owes_accounts() { return sql_int("select count(*) from account where name like '% owes'"); }
};

TEST_F(CreditTest, CreatedOnceThenFound) {
    Tacc cpty = acc(shop);
    Tacc credit;
    bool existed = true;
    ASSERT_TRUE(cpty_credit_acc(core(), cpty, credit, &existed));
    EXPECT_FALSE(existed);
    EXPECT_GT(credit.id, 0);
    EXPECT_EQ(host.messages(), QStringList{"External Account \"Shop owes\" created"});
    const Tacc stored = acc(credit.id);
    EXPECT_EQ(stored.name, "Shop owes");
    EXPECT_EQ(stored.type2, kTypeExternal);
    EXPECT_EQ(stored.ccy, "GBP");
    EXPECT_EQ(stored.accwith, shop);
    EXPECT_EQ(date_to_int(stored.closedate), 99999999);
    EXPECT_EQ(date_to_int(stored.opendate), 99999999);
    EXPECT_EQ(acc(shop).accwith, credit.id);
    EXPECT_EQ(cpty.accwith, credit.id);

    host.clear();
    Tacc again;
    Tacc cpty2 = acc(shop);
    ASSERT_TRUE(cpty_credit_acc(core(), cpty2, again, &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(again.id, credit.id);
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_EQ(owes_accounts(), 1);
}

TEST_F(CreditTest, AStoredAccwithThatNamesNoExternalAccountIsReplaced) {
    // a deleted account and a category are no credit accounts: each counterparty still ends
    // up with exactly one, however often it is asked for
    for (int bad : {999, food}) {
        SCOPED_TRACE(bad);
        sql("update account set accwith = " + QString::number(bad) + " where id = " + QString::number(employer));
        sql("delete from account where name = 'Employer owes'");
        Tacc cpty = acc(employer);
        Tacc first, second;
        ASSERT_TRUE(cpty_credit_acc(core(), cpty, first));
        EXPECT_NE(first.id, bad);
        EXPECT_EQ(acc(employer).accwith, first.id);
        cpty = acc(employer);
        ASSERT_TRUE(cpty_credit_acc(core(), cpty, second));
        EXPECT_EQ(second.id, first.id);
        EXPECT_EQ(sql_int("select count(*) from account where name = 'Employer owes'"), 1);
    }
}

TEST_F(CreditTest, AProviderAccountNamedByTheCounterpartyIsItsCreditAccount) {
    sql("update account set accwith = " + QString::number(bank) + " where id = " + QString::number(shop));
    Tacc cpty = acc(shop), credit;
    bool existed = false;
    ASSERT_TRUE(cpty_credit_acc(core(), cpty, credit, &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(credit.id, bank);
    EXPECT_EQ(owes_accounts(), 0);
}

TEST_F(CreditTest, LongNamesAreCutAndAMissingCounterpartyIsReported) {
    const QString name = QString(38, QChar('N'));
    const int cpty_id = add_acc(kTypeCounterparty, name);
    Tacc cpty = acc(cpty_id), credit;
    ASSERT_TRUE(cpty_credit_acc(core(), cpty, credit));
    EXPECT_EQ(acc(credit.id).name, name + " o");

    host.clear();
    Tacc ghost;
    ghost.id = 9999;
    EXPECT_FALSE(cpty_credit_acc(core(), ghost, credit));
    EXPECT_EQ(host.messages(), QStringList{"Account not found 9999"});
}

}  // namespace posting_testing
