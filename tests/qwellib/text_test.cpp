// Small text operations.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <limits>

#include "qwellib/text.h"

namespace {

struct TextCase {
    const char* in;
    const char* out;
};

TEST(Text, SqlQuoteDoublesQuotesOnce) {
    const TextCase cases[] = {
        {"", "''"},
        {"abc", "'abc'"},
        {"O'Brien", "'O''Brien'"},
        {"O''Brien", "'O''Brien'"},
        {"'", "''''"},
        {"''", "''''"},
        {"'''", "''''''"},  // one pair reduced, then both quotes doubled
        {"a'b'c", "'a''b''c'"},
        {"x'); drop table txn; --", "'x''); drop table txn; --'"},
    };
    for (const auto& c : cases) EXPECT_EQ(qwel::sql_quote(c.in), c.out) << c.in;
}

TEST(Text, SmallConversions) {
    EXPECT_EQ(qwel::dquote("abc"), "\"abc\"");
    EXPECT_EQ(qwel::dquote(""), "\"\"");
    EXPECT_EQ(qwel::bool_text(true), "TRUE");
    EXPECT_EQ(qwel::bool_text(false), "FALSE");
    EXPECT_EQ(qwel::bool_digit(true), "1");
    EXPECT_EQ(qwel::bool_digit(false), "0");
    EXPECT_EQ(qwel::double_ampersands("Save & close && go"), "Save && close &&&& go");
    EXPECT_EQ(qwel::last_chars("abcdef", 2), "ef");
    EXPECT_EQ(qwel::last_chars("abc", 10), "abc");
    EXPECT_EQ(qwel::last_chars("abc", 0), "");
    EXPECT_EQ(qwel::last_chars("abc", -1), "");
}

TEST(Text, PadInt) {
    const struct {
        qint64 n;
        int width;
        const char* text;
    } cases[] = {
        {5, 3, "005"},
        {12345, 3, "12345"},
        {0, 2, "00"},
        {0, 0, "0"},
        {7, -1, "7"},
        {-5, 3, "-05"},
        {-5, 1, "-5"},
        {-123, 2, "-123"},
        {20240101, 8, "20240101"},
        {101, 8, "00000101"},
        {std::numeric_limits<qint64>::min(), 1, "-9223372036854775808"},
    };
    for (const auto& c : cases) EXPECT_EQ(qwel::pad_int(c.n, c.width), c.text) << c.n;
}

TEST(Text, Trimming) {
    const TextCase left[] = {
        {"  \t abc ", "abc "}, {"\r\nabc", "\r\nabc"}, {"", ""}, {" \t ", ""},
    };
    for (const auto& c : left) EXPECT_EQ(qwel::trim_left(c.in), c.out) << c.in;
    const TextCase right[] = {
        {" abc \t\r\n", " abc"}, {"abc\r\n \r\n", "abc"}, {"a b", "a b"}, {"\r\n", ""},
    };
    for (const auto& c : right) EXPECT_EQ(qwel::trim_right(c.in), c.out) << c.in;
    EXPECT_EQ(qwel::trim_both(" \t a b \r\n"), "a b");
    // Non-breaking blanks and other characters are left alone.
    EXPECT_EQ(qwel::trim_both(QStringLiteral("\u00a0x\u00a0")), QStringLiteral("\u00a0x\u00a0"));
}

TEST(Text, ContainsIgnoringCase) {
    EXPECT_TRUE(qwel::contains_ci("Electricity Bill", "BILL"));
    EXPECT_TRUE(qwel::contains_ci("Électricité", "éLECT"));
    EXPECT_TRUE(qwel::contains_ci("abc", ""));
    EXPECT_FALSE(qwel::contains_ci("abc", "abcd"));
    EXPECT_FALSE(qwel::contains_ci("", "a"));
}

TEST(Text, ProgramFolderEndsWithSlash) {
    const QString dflt = QCoreApplication::instance()
                             ? QCoreApplication::applicationDirPath() + "/"
                             : QDir::currentPath() + "/";
    EXPECT_EQ(qwel::program_folder(), dflt);
    qwel::set_program_folder("/tmp/mintor");
    EXPECT_EQ(qwel::program_folder(), "/tmp/mintor/");
    qwel::set_program_folder("/tmp/other/");
    EXPECT_EQ(qwel::program_folder(), "/tmp/other/");
    qwel::set_program_folder("");
    EXPECT_EQ(qwel::program_folder(), dflt);
}

}  // namespace
