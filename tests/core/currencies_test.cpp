// Currencies: the first one becomes the base currency and brings the default pot; updates,
// reads, deletes and the refusals.
#include <gtest/gtest.h>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/currencies.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

// A ledger with no currency yet.
class CurrenciesTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        host.clear();
    }
};

TEST_F(CurrenciesTest, FirstCurrencyBecomesTheBaseWithTheDefaultPot) {
    EXPECT_FALSE(require_base_ccy(core()));
    EXPECT_EQ(host.messages(),
              QStringList{"Use main menu option \"Currencies\" to enter base-currency (with rate = 1.0000)"});
    host.clear();

    ASSERT_TRUE(insert_ccy(core(), "gbp", "Pound sterling"));
    EXPECT_EQ(core().run.base_ccy, "GBP");
    EXPECT_EQ(sql_int("select base from ccy where id = 'GBP'"), 1);
    const int pot = core().settings.default_pot_id;
    ASSERT_GT(pot, 0);
    Tacc p;
    ASSERT_TRUE(read_acc(core(), pot, p));
    EXPECT_EQ(p.name, "Default pot");
    EXPECT_EQ(p.type2, kTypePot);
    EXPECT_EQ(p.ccy, "GBP");
    EXPECT_FALSE(p.fav);
    EXPECT_TRUE(require_base_ccy(core()));

    ASSERT_TRUE(insert_ccy(core(), "EUR", "Euro"));
    EXPECT_EQ(sql_int("select base from ccy where id = 'EUR'"), 0);
    EXPECT_EQ(core().run.base_ccy, "GBP");
    EXPECT_EQ(sql_int("select count(*) from account"), 1) << "no second pot";
    EXPECT_EQ(core().settings.default_pot_id, pot);
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(CurrenciesTest, CodesOtherThanThreeCharactersAreRefused) {
    for (const char* code : {"", "GB", "GBPX"}) {
        EXPECT_FALSE(insert_ccy(core(), code, "x")) << code;
    }
    EXPECT_EQ(sql_int("select count(*) from ccy"), 0);
    EXPECT_TRUE(core().run.base_ccy.isEmpty());
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(CurrenciesTest, DuplicateCodeIsUndoneAndReported) {
    ASSERT_TRUE(insert_ccy(core(), "GBP", "Pound"));
    const int accounts = int(sql_int("select count(*) from account"));
    EXPECT_FALSE(insert_ccy(core(), "GBP", "Again"));
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError\r\n"));
    EXPECT_EQ(sql_int("select count(*) from account"), accounts) << "no second default pot";
    QString name;
    ASSERT_TRUE(read_ccy(core(), "GBP", name));
    EXPECT_EQ(name, "Pound");
}

TEST_F(CurrenciesTest, UpdateAndRead) {
    ASSERT_TRUE(insert_ccy(core(), "GBP", "Pound"));
    ASSERT_TRUE(insert_ccy(core(), "USD", "Dollar"));
    ASSERT_TRUE(update_ccy(core(), "USD", "US dollar's"));
    ASSERT_TRUE(update_ccy(core(), "GBP", "Sterling"));
    QString name;
    ASSERT_TRUE(read_ccy(core(), "USD", name));
    EXPECT_EQ(name, "US dollar's");
    EXPECT_EQ(sql_int("select base from ccy where id = 'GBP'"), 1) << "the base currency stays the base";
    EXPECT_EQ(sql_int("select base from ccy where id = 'USD'"), 0);
    EXPECT_FALSE(read_ccy(core(), "JPY", name));
}

TEST_F(CurrenciesTest, DeleteAsksAndRefusesWhileAccountsUseIt) {
    ASSERT_TRUE(insert_ccy(core(), "GBP", "Pound"));
    ASSERT_TRUE(insert_ccy(core(), "USD", "Dollar"));
    sql("insert into account (id, name, ccy, type2) values (50, 'Dollar account', 'USD', 1)");

    host.answer_no();
    EXPECT_FALSE(delete_ccy(core(), "USD"));
    EXPECT_EQ(host.questions(), QStringList{"OK to delete currency USD ?"});

    host.clear();
    host.answer_yes();
    EXPECT_FALSE(delete_ccy(core(), "USD"));
    EXPECT_EQ(host.messages(), QStringList{"Cannot delete currency USD - account(s) exist for it"});
    EXPECT_EQ(sql_int("select count(*) from ccy where id = 'USD'"), 1);

    sql("delete from account where id = 50");
    host.clear();
    host.answer_yes();
    EXPECT_TRUE(delete_ccy(core(), "USD"));
    EXPECT_EQ(sql_int("select count(*) from ccy where id = 'USD'"), 0);
    EXPECT_TRUE(host.messages().isEmpty()) << "the base currency is still there";
}

}  // namespace
