// Exchange rates: the lookup and its questions, the rate prompt, storing a typed rate
// safely (only plain decimal numbers reach the SQL), one rate per date, and base values.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/rates.h"
#include "core/sql.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;
using testing_support::Cancel;

namespace {

class RatesTest : public StoreTest {
protected:
    void add(int rdate, const char* rate) {
        sql(QStringLiteral("insert into rate (ccycode, rdate, rate) values ('USD', %1, %2)").arg(rdate).arg(QLatin1String(rate)));
    }
    qint64 rates() { return sql_int("select count(*) from rate"); }
    double stored(int rdate) {
        return query_value(core(), QStringLiteral("select rate from rate where ccycode = 'USD' and rdate = %1").arg(rdate))
            .toDouble();
    }
    const qwel::Date day{2024, 3, 5};
    const QString prompt = QStringLiteral("Enter mid-market exchange rate (per 1 GBP)\nfor USD on 2024-03-05");
    const QString closest = QStringLiteral("No USD rate found for 2024-03-05, closest is 2024-03-01 [Enter new/Use closest]");
};

TEST_F(RatesTest, BaseCurrencyIsOneWithoutLookingAtRates) {
    sql("drop table rate");
    EXPECT_EQ(get_rate(core(), "GBP", day), 1.0);
    double r = 0;
    EXPECT_TRUE(rate_for(core(), "GBP", day, r));
    EXPECT_EQ(r, 1.0);
    EXPECT_TRUE(host.events().empty());
}

TEST_F(RatesTest, RateOnTheDayIsUsedSilently) {
    add(20240301, "1.10");
    add(20240305, "1.25");
    add(20240306, "9.99");
    EXPECT_EQ(get_rate(core(), "USD", day), 1.25);
    EXPECT_TRUE(host.events().empty());
}

TEST_F(RatesTest, EarlierRateAsksClosestOrNew) {
    add(20240201, "1.05");
    add(20240301, "1.10");
    add(20240310, "9.99");  // after the date: never a candidate

    host.answer(2);  // Use closest
    EXPECT_EQ(get_rate(core(), "USD", day), 1.10);
    EXPECT_EQ(host.questions(), QStringList{closest});

    host.clear();
    host.answer(0);  // Cancel
    EXPECT_EQ(get_rate(core(), "USD", day), 0.0);

    host.clear();
    host.answer(1);  // Enter new
    host.answer(QStringLiteral("1.2"));
    EXPECT_EQ(get_rate(core(), "USD", day), 1.2);
    EXPECT_EQ(host.questions(), (QStringList{closest, prompt}));
    EXPECT_EQ(stored(20240305), 1.2);
}

TEST_F(RatesTest, NoRateAsksForOne) {
    host.answer(QStringLiteral("1.3"));
    EXPECT_EQ(get_rate(core(), "USD", day), 1.3);
    EXPECT_EQ(host.questions(), QStringList{prompt});
    EXPECT_EQ(stored(20240305), 1.3);

    for (const testing_support::Answer& a : {testing_support::Answer(Cancel{}), testing_support::Answer(QString("abc"))}) {
        host.clear();
        host.answer(a);
        EXPECT_EQ(get_rate(core(), "JPY", day), 0.0);
    }
    EXPECT_EQ(sql_int("select count(*) from rate where ccycode = 'JPY'"), 0);
}

TEST_F(RatesTest, NoUsableRateRefusesWithItsWords) {
    host.answer(Cancel{});
    double r = 7;
    EXPECT_FALSE(rate_for(core(), "USD", day, r));
    EXPECT_EQ(r, 7.0);
    EXPECT_EQ(host.messages(), QStringList{"Use main menu option \"Currencies\" to specify a rate for USD on 2024-03-05"});
    host.clear();
    host.answer(QStringLiteral("0.8"));
    EXPECT_TRUE(rate_for(core(), "USD", day, r));
    EXPECT_EQ(r, 0.8);
}

TEST_F(RatesTest, OnlyPlainPositiveNumbersAreStored) {
    sql("insert into txn (id) values (1)");
    struct Case {
        const char* text;
        const char* message;  // shown; empty = none
        bool stored;
        double value;
    };
    const Case cases[] = {
        {"1); delete from txn; --", "", false, 0},
        {"1.5'); delete from txn; --", "", false, 0},
        {"1e400", "", false, 0},
        {"1e2", "", false, 0},
        {"1,5", "", false, 0},
        {"0x10", "", false, 0},
        {"abc", "", false, 0},
        {"", "", false, 0},
        {"1.", "", false, 0},
        {"nan", "", false, 0},
        {"inf", "", false, 0},
        {"0", "Rate must be > 0", false, 0},
        {"0.000", "Rate must be > 0", false, 0},
        {"-1.5", "Rate must be > 0", false, 0},
        {" 1.5 ", "", true, 1.5},
        {".75", "", true, 0.75},
        {"+2", "", true, 2.0},
        {"0.12345678901234567", "", true, 0.12345678901234567},
        {"123456789012345678901234567890.5", "", true, 123456789012345678901234567890.5},
    };
    int rdate = 20240101;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        host.clear();
        const qint64 before = rates();
        const bool ok = add_rate(core(), "USD", qwel::int_to_date(++rdate), c.text);
        EXPECT_EQ(ok, c.stored);
        if (*c.message) EXPECT_EQ(host.messages(), QStringList{c.message});
        else EXPECT_TRUE(host.messages().isEmpty());
        EXPECT_EQ(rates(), before + (c.stored ? 1 : 0));
        if (c.stored) {
            EXPECT_EQ(stored(rdate), c.value);
        }
    }
    EXPECT_EQ(sql_int("select count(*) from txn"), 1);
}

TEST_F(RatesTest, RateIsWrittenWithAPointUnderACommaLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const bool ok = add_rate(core(), "USD", day, "1.0625");
    QLocale::setDefault(saved);
    ASSERT_TRUE(ok);
    EXPECT_EQ(stored(20240305), 1.0625);
}

TEST_F(RatesTest, SecondRateForTheSameDateReplacesTheFirst) {
    ASSERT_TRUE(add_rate(core(), "USD", day, "1.1"));
    ASSERT_TRUE(add_rate(core(), "USD", day, "1.2"));
    ASSERT_TRUE(add_rate(core(), "EUR", day, "1.3"));
    EXPECT_EQ(sql_int("select count(*) from rate where ccycode = 'USD'"), 1);
    EXPECT_EQ(stored(20240305), 1.2);
    EXPECT_EQ(rates(), 2);
}

TEST_F(RatesTest, BaseValueRoundsHalvesToEven) {
    struct Case {
        qint64 amount;
        double rate;
        qint64 value;
    };
    const Case cases[] = {{100, 0.8, 125}, {5, 2, 2},   {15, 2, 8},    {-5, 2, -2},
                          {-15, 2, -8},    {1, 3, 0},   {2, 3, 1},     {12345, 1.0, 12345},
                          {100, 0, 0},     {100, -1, 0}};
    for (const Case& c : cases) EXPECT_EQ(base_value(c.amount, c.rate), c.value) << c.amount << " / " << c.rate;
}

}  // namespace
