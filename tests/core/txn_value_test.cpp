// The base-currency value of a transaction: exact division by the rate as entered, halves to
// even, for every 64-bit amount; and which records get a value at all.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/dbstatus.h"
#include "core/txn_value.h"
#include "core/txnrows.h"
#include "support/ledger_fixture.h"

using namespace mintor;

namespace {

struct ValueCase {
    const char* what;
    qint64 amount;
    double rate;
    qint64 value;
};

// Expected values worked out with exact fractions of the decimal rates.
const ValueCase kValueCases[] = {
    {"exact half rounds down to even", 5, 2.0, 2},
    {"exact half rounds up to even", 7, 2.0, 4},
    {"negative halves mirror positive ones", -7, 2.0, -4},
    {"negative half to even", -5, 2.0, -2},
    {"half at a decimal rate goes to even (up)", 6, 0.8, 8},
    {"half at a decimal rate goes to even (down)", 10, 0.8, 12},
    {"negative half at a decimal rate", -6, 0.8, -8},
    {"receipt of 50.00 at 1.25", 5000, 1.25, 4000},
    {"1.16: 116 is exactly 100", 116, 1.16, 100},
    {"1.16: 58 is exactly 50", 58, 1.16, 50},
    {"nearest below a half", 1, 3.0, 0},
    {"nearest above a half", 2, 3.0, 1},
    {"2^60 + 3 over 2: half above 2^53 to even", 1152921504606846979LL, 2.0, 576460752303423490LL},
    {"2^60 + 1 over 2: half above 2^53 to even", 1152921504606846977LL, 2.0, 576460752303423488LL},
    {"2^53 + 3 over 2", 9007199254740995LL, 2.0, 4503599627370498LL},
    {"2^53 + 5 at 0.5", 9007199254740997LL, 0.5, 18014398509481994LL},
    {"2^53 + 1 at 0.87", 9007199254740993LL, 0.87, 10353102591656314LL},
    {"2^62 + 12345 at 1.16", 4611686018427400249LL, 1.16, 3975591395196034697LL},
    {"largest amount at 1.16", std::numeric_limits<qint64>::max(), 1.16, 7951182790392048109LL},
    {"most negative amount + 1 at 1.16", -std::numeric_limits<qint64>::max(), 1.16, -7951182790392048109LL},
    {"most negative amount at 1.16", std::numeric_limits<qint64>::min(), 1.16, -7951182790392048110LL},
    {"2^62 - 1 at 1.3333", 4611686018427387903LL, 1.3333, 3458850985095168306LL},
    {"large amount at a long rate", 123456789012345678LL, 1.2345678, 100000007300000598LL},
    {"large amount at a rate above 1000", 1234567890123456789LL, 1234.5678, 1000000073000006LL},
    {"largest amount at rate 1", std::numeric_limits<qint64>::max(), 1.0, std::numeric_limits<qint64>::max()},
    {"a huge rate values to 0", 1, 3e20, 0},
    {"a huge rate values the largest amount to 0", std::numeric_limits<qint64>::max(), 1e300, 0},
    {"zero amount", 0, 1.16, 0},
};

TEST(ExactBaseValue, TableOfAmountsAndRates) {
    for (const ValueCase& c : kValueCases) {
        const std::optional<qint64> v = exact_base_value(c.amount, c.rate);
        ASSERT_TRUE(v.has_value()) << c.what;
        EXPECT_EQ(*v, c.value) << c.what;
    }
}

TEST(ExactBaseValue, FloatingPointDivisionWouldBeWrongHere) {
    // the cases above that a double or long double quotient gets wrong, so the table really
    // tests the exact division
    const qint64 big = std::numeric_limits<qint64>::max();
    EXPECT_NE(qint64(std::nearbyintl((long double)big / (long double)1.16)), 7951182790392048109LL);
    EXPECT_NE(qint64(std::nearbyint(double(1152921504606846979LL) / 2.0)), 576460752303423490LL);
    // the binary fraction nearest 0.8 lies above it: taken literally, 6 / 0.8 would be 7
    EXPECT_EQ(qint64(std::nearbyintl(6.0L / (long double)0.8)), 7);
}

TEST(ExactBaseValue, NoValueForUnusableRatesOrTooLargeResults) {
    for (double rate : {0.0, -1.25, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(exact_base_value(100, rate).has_value()) << rate;
    EXPECT_FALSE(exact_base_value(std::numeric_limits<qint64>::max(), 0.99).has_value());
    EXPECT_FALSE(exact_base_value(12345678901234567LL, 0.001).has_value());
    EXPECT_FALSE(exact_base_value(7, 1e-300).has_value());
    EXPECT_FALSE(exact_base_value(-7, std::numeric_limits<double>::denorm_min()).has_value());
    EXPECT_EQ(exact_base_value(0, 1e-300), 0) << "nothing is nothing at any rate";
    EXPECT_EQ(exact_base_value(9223372036854775, 0.001), 9223372036854775000LL) << "just fits";
}

class CalcTxnValTest : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        sql("insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)");
        sql("insert into ccy (id, \"NAME\", base) values ('USD', 'Dollar', 0)");
        sql("insert into rate (ccycode, rdate, rate) values ('USD', 20240301, 1.25)");
        check_base_ccy(core());
        host.clear();
    }
    TTxn rec(QChar type, const char* ccy, qint64 amt) {
        TTxn t;
        init_txn(core(), t);
        t.type = type;
        t.ccy = QString::fromLatin1(ccy);
        t.amt = amt;
        t.txndate = qwel::Date{2024, 3, 1};
        t.val = 777;
        t.rate = 9.5;
        return t;
    }
};

TEST_F(CalcTxnValTest, PaymentsAndReceiptsAreValued) {
    TTxn base = rec('P', "GBP", 10000);
    EXPECT_TRUE(calc_txn_val(core(), base));
    EXPECT_EQ(base.val, 10000);
    EXPECT_EQ(base.rate, 1.0);
    TTxn usd = rec('R', "USD", 5000);
    EXPECT_TRUE(calc_txn_val(core(), usd));
    EXPECT_EQ(usd.val, 4000);
    EXPECT_EQ(usd.rate, 1.25);
    EXPECT_TRUE(host.events().empty()) << "a rate on the day is used without a question";
}

TEST_F(CalcTxnValTest, OtherTypesAndMastersHaveNoValueAndKeepTheirRate) {
    for (QChar type : {QChar('C'), QChar('F'), QChar('D'), QChar('Z')}) {
        TTxn t = rec(type, "USD", 5000);
        EXPECT_TRUE(calc_txn_val(core(), t)) << type.toLatin1();
        EXPECT_EQ(t.val, 0) << type.toLatin1();
        EXPECT_EQ(t.rate, 9.5) << type.toLatin1();
    }
    TTxn master = rec('P', "USD", 5000);
    master.kind = TxnKind::Master;
    EXPECT_TRUE(calc_txn_val(core(), master));
    EXPECT_EQ(master.val, 0);
    EXPECT_TRUE(host.events().empty());
}

TEST_F(CalcTxnValTest, WithoutARateNothingChanges) {
    TTxn t = rec('P', "USD", 5000);
    t.txndate = qwel::Date{2024, 2, 1};  // before the only rate: the rate prompt comes first
    host.answer(testing_support::Cancel{});
    EXPECT_FALSE(calc_txn_val(core(), t));
    EXPECT_EQ(t.val, 777);
    EXPECT_EQ(t.rate, 9.5);
    EXPECT_TRUE(host.said("Use main menu option \"Currencies\" to specify a rate for USD on 2024-02-01"));
}

TEST_F(CalcTxnValTest, AValueBeyondTheLedgerIsRefused) {
    sql("insert into rate (ccycode, rdate, rate) values ('USD', 20240302, 0.5)");
    TTxn t = rec('P', "USD", std::numeric_limits<qint64>::max());
    t.txndate = qwel::Date{2024, 3, 2};
    EXPECT_FALSE(calc_txn_val(core(), t));
    EXPECT_EQ(t.val, 777);
    EXPECT_EQ(t.rate, 9.5);
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].endsWith(" USD at rate 0.5 is too large")) << host.messages()[0].toStdString();
}

}  // namespace
