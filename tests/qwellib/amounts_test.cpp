// Amounts, integers and floats as typed and shown.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "qwellib/amounts.h"
#include "support/scripted_host.h"

namespace {

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

struct FormatCase {
    qint64 amount;
    const char* text;
};

TEST(FormatAmount, DecimalPointAndSeparators) {
    const FormatCase cases[] = {
        {0, "0.00"},
        {1, "0.01"},
        {5, "0.05"},
        {-5, "-0.05"},
        {10, "0.10"},
        {-99, "-0.99"},
        {100, "1.00"},
        {1000, "10.00"},
        {99999, "999.99"},
        {100000, "1,000.00"},
        {123456, "1,234.56"},
        {-123456, "-1,234.56"},
        {99999999, "999,999.99"},
        {-100000000, "-1,000,000.00"},
        {123456789012, "1,234,567,890.12"},
        {99999999999999, "999,999,999,999.99"},
        // Only three separators are ever inserted.
        {100000000000000, "1000,000,000,000.00"},
        {1000000000000000, "10000,000,000,000.00"},
        {kMax, "92233720,368,547,758.07"},
        {kMin, "-92233720,368,547,758.08"},
    };
    for (const auto& c : cases) EXPECT_EQ(qwel::format_amount(c.amount), c.text) << c.amount;
}

TEST(FormatAmount, PlusSign) {
    EXPECT_EQ(qwel::format_amount_signed(5), "+0.05");
    EXPECT_EQ(qwel::format_amount_signed(123456), "+1,234.56");
    EXPECT_EQ(qwel::format_amount_signed(0), "0.00");
    EXPECT_EQ(qwel::format_amount_signed(-5), "-0.05");
    // The signed form sets the flag for its one call only.
    EXPECT_EQ(qwel::format_amount(5), "0.05");

    qwel::set_plus_sign(true);
    EXPECT_EQ(qwel::format_amount(5), "+0.05");
    EXPECT_EQ(qwel::format_amount_signed(5), "+0.05");
    EXPECT_EQ(qwel::format_amount(5), "+0.05");
    qwel::set_plus_sign(false);
    EXPECT_EQ(qwel::format_amount(5), "0.05");
}

struct ParseCase {
    const char* text;
    bool ok;
    qint64 amount;
};

TEST(ParseAmount, ValidAndInvalidTexts) {
    const ParseCase cases[] = {
        {"12", true, 1200},
        {"12.50", true, 1250},
        {"1,234.50", true, 123450},
        {"1,2,3,4", true, 123400},
        {"-3.00", true, -300},
        {"+3.00", true, 300},
        {"0.05", true, 5},
        {".05", true, 5},
        {"-.05", true, -5},
        {"0", true, 0},
        {"-", true, 0},  // "-" + "00" converts
        {"92233720368547758.07", true, kMax},
        {"-92,233,720,368,547,758.08", true, kMin},
        {"", false, 0},
        {",", false, 0},
        {",,", false, 0},
        {"12.5", false, 0},
        {"1.5", false, 0},
        {"1.234,5", false, 0},
        {"1.234", false, 0},
        {"12.", false, 0},
        {".", false, 0},
        {"1.2.3", false, 0},
        {"1.00.", false, 0},
        {"12 00", false, 0},
        {" 12", false, 0},
        {"12 ", false, 0},
        {"12a", false, 0},
        {"abc", false, 0},
        {"+-1", false, 0},
        {"--1", false, 0},
        {"1-", false, 0},
        {"1e5", false, 0},
        {"92233720368547758.08", false, 0},
        {"-92233720368547758.09", false, 0},
        {"99999999999999999999", false, 0},
        {"\xef\xbc\x91" "2", false, 0},  // a full-width digit
    };
    for (const auto& c : cases) {
        qint64 a = 777;
        EXPECT_EQ(qwel::parse_amount(QString::fromUtf8(c.text), a), c.ok) << c.text;
        EXPECT_EQ(a, c.ok ? c.amount : 777) << c.text;
    }
}

TEST(ParseAmount, ReadsBackEveryFormattedAmount) {
    const qint64 values[] = {0, 1, -1, 99, 100, 123456, -100000000, 1000000000000000, kMax, kMin};
    for (qint64 v : values) {
        qint64 back = 0;
        ASSERT_TRUE(qwel::parse_amount(qwel::format_amount(v), back)) << v;
        EXPECT_EQ(back, v);
        ASSERT_TRUE(qwel::parse_amount(qwel::format_amount_signed(v), back)) << v;
        EXPECT_EQ(back, v);
    }
}

TEST(ParseAmount, MessageNamesTheText) {
    testing_support::ScriptedHost host;
    qint64 a = 0;
    EXPECT_FALSE(qwel::parse_amount_msg("12.5", a));
    EXPECT_FALSE(qwel::parse_amount_msg("", a));
    EXPECT_TRUE(qwel::parse_amount_msg("1,234.50", a));
    EXPECT_EQ(a, 123450);
    EXPECT_EQ(host.messages(), (QStringList{"Invalid amount \"12.5\"", "Invalid amount \"\""}));
}

TEST(ParseInt, ValidAndInvalidTexts) {
    const struct {
        const char* text;
        bool ok;
        int n;
    } cases[] = {
        {"", true, 0},
        {"0", true, 0},
        {"42", true, 42},
        {"-42", true, -42},
        {"+42", true, 42},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, std::numeric_limits<int>::min()},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"12.0", false, 0},
        {"1,000", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"0x10", false, 0},
        {"-", false, 0},
        {"abc", false, 0},
    };
    for (const auto& c : cases) {
        int n = 99;
        EXPECT_EQ(qwel::parse_int(c.text, n), c.ok) << c.text;
        EXPECT_EQ(n, c.ok ? c.n : 99) << c.text;
    }

    qint64 big = 0;
    EXPECT_TRUE(qwel::parse_int64("9223372036854775807", big));
    EXPECT_EQ(big, kMax);
    EXPECT_TRUE(qwel::parse_int64("-9223372036854775808", big));
    EXPECT_EQ(big, kMin);
    EXPECT_FALSE(qwel::parse_int64("9223372036854775808", big));
    EXPECT_TRUE(qwel::parse_int64("", big));
    EXPECT_EQ(big, 0);
}

TEST(ParseInt, MessageOnlyForNonConvertibleText) {
    testing_support::ScriptedHost host;
    int n = 5;
    EXPECT_FALSE(qwel::parse_int_msg("", n));
    EXPECT_FALSE(qwel::parse_int_msg("12x", n));
    EXPECT_TRUE(qwel::parse_int_msg("-12", n));
    EXPECT_EQ(n, -12);
    int quiet = 0;
    EXPECT_FALSE(qwel::parse_int("12x", quiet));
    EXPECT_EQ(host.messages(), QStringList{"Invalid integer \"12x\""});
}

TEST(ParseFloat, ValidAndInvalidTexts) {
    const struct {
        const char* text;
        bool ok;
        double f;
    } cases[] = {
        {"", true, 0.0},       {"1.5", true, 1.5},  {"-2.25", true, -2.25}, {"3", true, 3.0},
        {"1e3", true, 1000.0}, {"abc", false, 0.0}, {"1,5", false, 0.0},     {"inf", false, 0.0},
        {"nan", false, 0.0},   {"1e400", false, 0.0}, {" 1.5", false, 0.0},
    };
    for (const auto& c : cases) {
        double f = 9.0;
        EXPECT_EQ(qwel::parse_float(c.text, f), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(f, c.ok ? c.f : 9.0) << c.text;
    }
}

TEST(ParsePlainDecimal, OnlySignDigitsAndOnePoint) {
    const struct {
        const char* text;
        bool ok;
        double f;
    } cases[] = {
        {"1.2345", true, 1.2345},
        {"-0.5", true, -0.5},
        {"+2", true, 2.0},
        {".75", true, 0.75},
        {"100", true, 100.0},
        {"000123.4500", true, 123.45},
        {"", false, 0},
        {"-", false, 0},
        {".", false, 0},
        {"5.", false, 0},
        {"1.2.3", false, 0},
        {"1e5", false, 0},
        {"1e400", false, 0},
        {"1E5", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"1,5", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"--1", false, 0},
        {"0x1A", false, 0},
        {"1); delete from txn; --", false, 0},
    };
    for (const auto& c : cases) {
        double f = 9.0;
        EXPECT_EQ(qwel::parse_plain_decimal(c.text, f), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(f, c.ok ? c.f : 9.0) << c.text;
    }
    // A very long run of digits that overflows a double is refused.
    double f = 0;
    EXPECT_FALSE(qwel::parse_plain_decimal(QString(400, u'9'), f));
    EXPECT_TRUE(qwel::parse_plain_decimal(QString(300, u'9'), f));
    EXPECT_TRUE(std::isfinite(f));
}

}  // namespace
