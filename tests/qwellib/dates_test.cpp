// Dates, times and calendar arithmetic.

#include <gtest/gtest.h>

#include <QDate>
#include <ostream>

#include "qwellib/dates.h"
#include "support/scripted_host.h"

namespace qwel {
void PrintTo(const Date& d, std::ostream* os) {
    *os << d.year << '-' << d.month << '-' << d.day;
}
}  // namespace qwel

namespace {

using qwel::Date;

// Every test starts and ends with the standard 1752 change.
class Calendar : public ::testing::Test {
protected:
    void SetUp() override { qwel::reset_calendar_change(); }
    void TearDown() override { qwel::reset_calendar_change(); }
};

// ---------------------------------------------------------------------------------------
// A slow reference calendar, independent of the code under test: walks the real days one by
// one, Julian up to the last Julian day, then jumping to the first Gregorian day.

bool ref_after(Date a, Date b) {
    if (a.year != b.year) return a.year > b.year;
    if (a.month != b.month) return a.month > b.month;
    return a.day > b.day;
}

int ref_month_length(Date d, Date last_julian) {
    static const int len[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month != 2) return len[d.month - 1];
    const int y = d.year;
    const bool leap = ref_after(d, last_julian) ? (y % 4 == 0 && y % 100 != 0) || y % 400 == 0
                                                : y % 4 == 0;
    return leap ? 29 : 28;
}

Date ref_next(Date d, Date last_julian, Date first_gregorian) {
    if (d == last_julian) return first_gregorian;
    if (d.day < ref_month_length(d, last_julian)) return Date{d.year, d.month, quint16(d.day + 1)};
    if (d.month < 12) return Date{d.year, quint16(d.month + 1), 1};
    return Date{quint16(d.year + 1), 1, 1};
}

void walk_and_compare(Date last_julian, Date first_gregorian, int last_year) {
    qwel::set_calendar_change(last_julian, first_gregorian);
    Date d{1, 1, 1};
    qint64 n = 1;
    int failures = 0;
    while (d.year <= last_year && failures < 5) {
        const Date next = ref_next(d, last_julian, first_gregorian);
        if (qwel::day_number(d) != n) {
            ADD_FAILURE() << "day_number of " << ::testing::PrintToString(d) << " is "
                          << qwel::day_number(d) << ", expected " << n;
            ++failures;
        }
        if (!qwel::is_valid_date(d)) {
            ADD_FAILURE() << ::testing::PrintToString(d) << " should be a valid date";
            ++failures;
        }
        // next_day walks into the dropped days at the change; everywhere else it is the
        // reference's next day, and prev_day walks back.
        if (d != last_julian && qwel::next_day(d) != next) {
            ADD_FAILURE() << "next_day of " << ::testing::PrintToString(d);
            ++failures;
        }
        if (next != first_gregorian && qwel::prev_day(next) != d) {
            ADD_FAILURE() << "prev_day of " << ::testing::PrintToString(next);
            ++failures;
        }
        d = next;
        ++n;
    }
}

TEST_F(Calendar, DayNumberMatchesDayByDayWalkWith1752Change) {
    walk_and_compare(Date{1752, 9, 2}, Date{1752, 9, 14}, 2100);
}

TEST_F(Calendar, DayNumberMatchesDayByDayWalkWith1582Change) {
    walk_and_compare(Date{1582, 10, 4}, Date{1582, 10, 15}, 2100);
}

TEST_F(Calendar, DayNumberMatchesDayByDayWalkWithChangeAcrossFebruary) {
    // A change inside a Julian-only leap year: February 1700 after the change has 28 days.
    walk_and_compare(Date{1700, 2, 10}, Date{1700, 2, 21}, 1702);
}

TEST_F(Calendar, StepsFromFirstGregorianDayWithNextDayCountOneEach) {
    Date d = qwel::first_gregorian_day();
    qint64 n = qwel::day_number(d);
    EXPECT_EQ(n, qwel::day_number(Date{1752, 9, 2}) + 1);
    while (d.year < 2400) {
        d = qwel::next_day(d);
        ASSERT_EQ(qwel::day_number(d), ++n) << ::testing::PrintToString(d);
    }
}

TEST_F(Calendar, GregorianDayNumbersAgreeWithJulianDayCount) {
    // After the 1752 change the count is the astronomical Julian day less a constant.
    for (int y = 1753; y <= 9999; y += 7)
        for (int m = 1; m <= 12; m += 5) {
            const QDate q(y, m, 28);
            EXPECT_EQ(qwel::day_number(Date{quint16(y), quint16(m), 28}),
                      q.toJulianDay() - 1721423);
        }
}

TEST_F(Calendar, DroppedDaysCountAsLastJulianDayAndAreNotDates) {
    const qint64 last = qwel::day_number(Date{1752, 9, 2});
    for (quint16 day = 3; day <= 13; ++day) {
        const Date d{1752, 9, day};
        EXPECT_EQ(qwel::day_number(d), last) << day;
        EXPECT_EQ(qwel::weekday(d), 3) << day;
        EXPECT_FALSE(qwel::is_valid_date(d)) << day;
    }
    // Walking through them with next_day stays on the same number, then moves on by one.
    EXPECT_EQ(qwel::next_day(Date{1752, 9, 2}), (Date{1752, 9, 3}));
    EXPECT_EQ(qwel::day_number(qwel::next_day(Date{1752, 9, 13})), last + 1);
}

struct WeekdayCase {
    Date date;
    int weekday;
};

TEST_F(Calendar, WeekdayAnchors) {
    const WeekdayCase cases[] = {
        {{2024, 1, 1}, 1},   {{1752, 9, 14}, 4}, {{1752, 9, 2}, 3},  {{1, 1, 1}, 6},
        {{2000, 2, 29}, 2},  {{1970, 1, 1}, 4},  {{1066, 10, 14}, 6}, {{9999, 12, 31}, 5},
        {{2024, 12, 29}, 7}, {{0, 0, 0}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qwel::weekday(c.date), c.weekday) << ::testing::PrintToString(c.date);
    EXPECT_EQ(qwel::day_number(Date{1, 1, 1}), 1);
}

TEST_F(Calendar, ChangeDatesCanBeMovedAndReset) {
    qwel::set_calendar_change(Date{1582, 10, 4}, Date{1582, 10, 15});
    EXPECT_EQ(qwel::weekday(Date{1582, 10, 15}), 5);  // Friday
    EXPECT_EQ(qwel::weekday(Date{1582, 10, 4}), 4);   // Thursday
    EXPECT_EQ(qwel::weekday(Date{2024, 1, 1}), 1);
    EXPECT_EQ(qwel::month_length(Date{1700, 2, 1}), 28);
    EXPECT_FALSE(qwel::is_valid_date(Date{1700, 2, 29}));
    EXPECT_TRUE(qwel::is_valid_date(Date{1752, 9, 5}));
    EXPECT_FALSE(qwel::is_valid_date(Date{1582, 10, 10}));

    qwel::reset_calendar_change();
    EXPECT_EQ(qwel::last_julian_day(), (Date{1752, 9, 2}));
    EXPECT_EQ(qwel::first_gregorian_day(), (Date{1752, 9, 14}));
    EXPECT_EQ(qwel::month_length(Date{1700, 2, 1}), 29);
    EXPECT_TRUE(qwel::is_valid_date(Date{1700, 2, 29}));
}

TEST_F(Calendar, LeapYearRuleFollowsTheDateOfContext) {
    const Date julian{1700, 1, 1}, gregorian{1800, 1, 1};
    EXPECT_TRUE(qwel::is_leap_year(1700, julian));
    EXPECT_FALSE(qwel::is_leap_year(1700, gregorian));
    EXPECT_TRUE(qwel::is_leap_year(2000, gregorian));
    EXPECT_FALSE(qwel::is_leap_year(2023, gregorian));
    EXPECT_TRUE(qwel::is_leap_year(1752, Date{1752, 9, 2}));
    EXPECT_FALSE(qwel::is_leap_year(1900, Date{1752, 9, 3}));
}

struct StepCase {
    Date from;
    Date to;
};

TEST_F(Calendar, NextAndPrevDayAtMonthAndYearEnds) {
    const StepCase next_cases[] = {
        {{2024, 2, 28}, {2024, 2, 29}}, {{2024, 2, 29}, {2024, 3, 1}},
        {{2023, 2, 28}, {2023, 3, 1}},  {{2024, 12, 31}, {2025, 1, 1}},
        {{2024, 4, 30}, {2024, 5, 1}},  {{1700, 2, 28}, {1700, 2, 29}},  // Julian era
        {{1900, 2, 28}, {1900, 3, 1}},  {{9999, 12, 31}, {0, 1, 1}},
        {{2023, 2, 30}, {2023, 3, 1}},  // a day past the month end moves on to the 1st
    };
    for (const auto& c : next_cases)
        EXPECT_EQ(qwel::next_day(c.from), c.to) << ::testing::PrintToString(c.from);

    const StepCase prev_cases[] = {
        {{2024, 3, 1}, {2024, 2, 29}}, {{2023, 3, 1}, {2023, 2, 28}},
        {{2024, 1, 1}, {2023, 12, 31}}, {{0, 1, 1}, {9999, 12, 31}},
        {{2024, 5, 10}, {2024, 5, 9}},
    };
    for (const auto& c : prev_cases)
        EXPECT_EQ(qwel::prev_day(c.from), c.to) << ::testing::PrintToString(c.from);

    EXPECT_EQ(qwel::days_before(Date{2024, 3, 1}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(qwel::days_before(Date{2024, 1, 1}, 366), (Date{2022, 12, 31}));
    EXPECT_EQ(qwel::days_before(Date{2024, 1, 1}, 0), (Date{2024, 1, 1}));
}

TEST_F(Calendar, MonthAndYearStepsKeepTheDay) {
    EXPECT_EQ(qwel::next_month(Date{2024, 1, 31}), (Date{2024, 2, 31}));
    EXPECT_EQ(qwel::next_month(Date{2024, 12, 15}), (Date{2025, 1, 15}));
    EXPECT_EQ(qwel::prev_month(Date{2024, 1, 15}), (Date{2023, 12, 15}));
    EXPECT_EQ(qwel::next_year(Date{9999, 5, 5}), (Date{0, 5, 5}));
    EXPECT_EQ(qwel::prev_year(Date{0, 5, 5}), (Date{9999, 5, 5}));
    EXPECT_EQ(qwel::next_year(Date{2024, 2, 29}), (Date{2025, 2, 29}));

    EXPECT_EQ(qwel::step_months(Date{2024, 1, 31}, 1), (Date{2024, 2, 31}));
    EXPECT_EQ(qwel::step_months(Date{2024, 1, 31}, -13), (Date{2022, 12, 31}));
    EXPECT_EQ(qwel::step_months(Date{5, 1, 1}, -72), (Date{9999, 1, 1}));
    EXPECT_EQ(qwel::step_months(Date{9999, 12, 1}, 1), (Date{0, 1, 1}));
    // The quick sum agrees with single steps.
    const int counts[] = {0, 1, 11, 12, 13, 25, -1, -12, -13, -30, 121};
    const Date starts[] = {{2024, 1, 31}, {9998, 7, 4}, {1, 3, 3}, {2024, 13, 1}, {70, 0, 2}};
    for (Date start : starts)
        for (int n : counts) {
            Date d = start;
            for (int i = 0; i < n; ++i) d = qwel::next_month(d);
            for (int i = 0; i > n; --i) d = qwel::prev_month(d);
            EXPECT_EQ(qwel::step_months(start, n), d)
                << ::testing::PrintToString(start) << " by " << n;
        }
}

TEST_F(Calendar, NormaliseMonthEndAndStepDate) {
    const StepCase norm[] = {
        {{2023, 2, 31}, {2023, 3, 3}}, {{2024, 2, 31}, {2024, 3, 2}},
        {{2024, 4, 31}, {2024, 5, 1}}, {{2024, 1, 31}, {2024, 1, 31}},
        {{2024, 12, 32}, {2025, 1, 1}}, {{2023, 2, 28}, {2023, 2, 28}},
    };
    for (const auto& c : norm)
        EXPECT_EQ(qwel::normalise_month_end(c.from), c.to) << ::testing::PrintToString(c.from);

    struct Case {
        Date from;
        int count;
        char unit;
        Date to;
    };
    const Case steps[] = {
        {{2024, 1, 31}, 1, 'M', {2024, 2, 31}}, {{2024, 1, 31}, 3, 'D', {2024, 2, 3}},
        {{2024, 12, 30}, 1, 'W', {2025, 1, 6}}, {{2024, 2, 29}, 1, 'Y', {2025, 2, 29}},
        {{2024, 1, 31}, 2, 'W', {2024, 2, 14}}, {{2024, 1, 31}, 5, 'X', {2024, 1, 31}},
        {{2024, 1, 31}, 0, 'D', {2024, 1, 31}}, {{2024, 1, 31}, -3, 'D', {2024, 1, 31}},
        {{2024, 1, 31}, 2, 'd', {2024, 1, 31}},
    };
    for (const auto& c : steps)
        EXPECT_EQ(qwel::step_date(c.from, c.count, QChar(c.unit)), c.to)
            << ::testing::PrintToString(c.from) << " " << c.count << c.unit;
    // A monthly repeater from 31 January lands on 2 March in a leap year.
    EXPECT_EQ(qwel::normalise_month_end(qwel::step_date(Date{2024, 1, 31}, 1, u'M')),
              (Date{2024, 3, 2}));
}

TEST_F(Calendar, OddFieldValuesAreSafe) {
    EXPECT_EQ(qwel::month_length(Date{2024, 0, 1}), 0);
    EXPECT_EQ(qwel::month_length(Date{2024, 13, 1}), 0);
    EXPECT_EQ(qwel::next_day(Date{2024, 13, 5}), (Date{2025, 1, 1}));
    EXPECT_EQ(qwel::next_day(Date{2024, 0, 5}), (Date{2024, 1, 1}));
    EXPECT_EQ(qwel::next_month(Date{2024, 99, 1}), (Date{2025, 1, 1}));
    EXPECT_EQ(qwel::prev_month(Date{2024, 0, 1}), (Date{2023, 12, 1}));
    EXPECT_EQ(qwel::next_year(Date{65535, 1, 1}), (Date{0, 1, 1}));
    EXPECT_EQ(qwel::normalise_month_end(Date{2024, 13, 5}), (Date{2025, 1, 5}));

    const quint16 years[] = {0, 1, 1752, 9999, 65535};
    const quint16 months[] = {0, 1, 2, 12, 13, 99, 65535};
    const quint16 days[] = {0, 1, 28, 31, 99, 65535};
    for (quint16 y : years)
        for (quint16 m : months)
            for (quint16 dd : days) {
                const Date d{y, m, dd};
                // Each of these must return without faults (the sanitizer build checks).
                (void)qwel::next_day(d);
                (void)qwel::prev_day(d);
                (void)qwel::days_before(d, 40);
                (void)qwel::step_months(d, -25);
                (void)qwel::step_months(d, 25);
                (void)qwel::step_date(d, 3, u'W');
                (void)qwel::format_date_bracket_dayname(d);
                const Date n = qwel::normalise_month_end(d);
                if (n.month >= 1 && n.month <= 12) {
                    EXPECT_LE(n.day, qwel::month_length(n));
                }
                const int w = qwel::weekday(d);
                EXPECT_TRUE(w >= 0 && w <= 7);
                EXPECT_EQ(qwel::is_valid_date(d), y >= 1 && y <= 9999 && m >= 1 && m <= 12 &&
                                                      dd >= 1 && dd <= qwel::month_length(d));
            }
}

// ---------------------------------------------------------------------------------------
// Integer and text forms

TEST_F(Calendar, IntegerFormRoundTripsWithoutRangeTest) {
    const int values[] = {0, 99999999, 20240315, 17520903, 20241399, 101};
    for (int n : values) EXPECT_EQ(qwel::date_to_int(qwel::int_to_date(n)), n) << n;
    EXPECT_EQ(qwel::int_to_date(99999999), (Date{9999, 99, 99}));
    EXPECT_EQ(qwel::int_to_date(20240315), (Date{2024, 3, 15}));
    EXPECT_EQ(qwel::int_to_date(-5), Date{});
    EXPECT_EQ(qwel::date_to_int(Date{2024, 3, 15}), 20240315);
    EXPECT_EQ(qwel::format_date_int(20240315), "2024-03-15");
    EXPECT_EQ(qwel::format_date_int(0), "");
}

TEST_F(Calendar, FormatDate) {
    const struct {
        Date d;
        const char* text;
    } cases[] = {
        {{2024, 3, 5}, "2024-03-05"}, {{2024, 0, 0}, "2024"},    {{2024, 3, 0}, "2024-03"},
        {{0, 3, 5}, ""},              {{12, 1, 1}, "0012-01-01"}, {{9999, 99, 99}, "9999-99-99"},
    };
    for (const auto& c : cases) EXPECT_EQ(qwel::format_date(c.d), c.text);
    EXPECT_EQ(qwel::format_date_or_blank(Date{}), "");
    EXPECT_EQ(qwel::format_date_or_blank(Date{2024, 1, 2}), "2024-01-02");
    EXPECT_TRUE(qwel::is_null_date(Date{}));
    EXPECT_FALSE(qwel::is_null_date(Date{0, 1, 1}));
}

TEST_F(Calendar, LooseParseDate) {
    const struct {
        const char* text;
        bool ok;
        Date d;
    } cases[] = {
        {"", true, {}},
        {"20", true, {}},
        {"2024", true, {2024, 0, 0}},
        {"2024-0", true, {2024, 0, 0}},
        {"2024-03", true, {2024, 3, 0}},
        {"2024-03-1", true, {2024, 3, 0}},
        {"2024-03-15", true, {2024, 3, 15}},
        {"2024/03/15", true, {2024, 3, 15}},
        {"2024x03y15", true, {2024, 3, 15}},   // separators are not looked at
        {"2024-13-45", true, {2024, 13, 45}},  // nor is the range
        {"2024-03-15 12:00", true, {2024, 3, 15}},
        {"20x4-01-01", false, {}},
        {"2024-0x-01", false, {}},
        {"2024-01--1", false, {}},
        {"-024-01-01", false, {}},
        {"+024", false, {}},
        {" 2024", false, {}},
    };
    for (const auto& c : cases) {
        Date d{1, 2, 3};
        EXPECT_EQ(qwel::parse_date(QString::fromLatin1(c.text), d), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(d, c.d) << c.text;
        }
    }
    EXPECT_EQ(qwel::parse_date_int("2024-03-15"), 20240315);
    EXPECT_EQ(qwel::parse_date_int("abcd-01-01"), -1);
    EXPECT_EQ(qwel::parse_date_int("x"), 0);
    Date d;
    ASSERT_TRUE(qwel::parse_date("2024", d));
    EXPECT_EQ(qwel::format_date(d), "2024");
}

TEST_F(Calendar, UserDateIsValidated) {
    const struct {
        const char* text;
        bool allow_null;
        bool ok;
        Date d;
    } cases[] = {
        {"2024-02-29", false, true, {2024, 2, 29}},
        {"2024/02/29", false, true, {2024, 2, 29}},
        {" 2024-01-05 ", false, true, {2024, 1, 5}},
        {"1752-09-02", false, true, {1752, 9, 2}},
        {"1752-09-14", false, true, {1752, 9, 14}},
        {"1700-02-29", false, true, {1700, 2, 29}},
        {"0001-01-01", false, true, {1, 1, 1}},
        {"9999-12-31", false, true, {9999, 12, 31}},
        {"2024-02-30", false, false, {}},
        {"2023-02-29", false, false, {}},
        {"1900-02-29", false, false, {}},
        {"2024-13-01", false, false, {}},
        {"2024-00-10", false, false, {}},
        {"2024-01-00", false, false, {}},
        {"2024-04-31", false, false, {}},
        {"1752-09-05", false, false, {}},
        {"0000-01-01", false, false, {}},
        {"2024-1-5", false, false, {}},
        {"2024.01.05", false, false, {}},
        {"2024-01-05x", false, false, {}},
        {"2024-+1-05", false, false, {}},
        {"", false, false, {}},
        {"", true, true, {}},
        {"   ", true, true, {}},
        {"2024", true, false, {}},
    };
    for (const auto& c : cases) {
        Date d{7, 7, 7};
        EXPECT_EQ(qwel::parse_user_date(QString::fromLatin1(c.text), d, c.allow_null), c.ok)
            << c.text;
        EXPECT_EQ(d, (c.ok ? c.d : Date{7, 7, 7})) << c.text;
    }
}

TEST_F(Calendar, DateMessagesNameTheText) {
    testing_support::ScriptedHost host;
    Date d;
    EXPECT_FALSE(qwel::parse_user_date_msg("2024-02-30", d));
    EXPECT_FALSE(qwel::parse_date_msg("20x4", d));
    EXPECT_TRUE(qwel::parse_user_date_msg("2024-02-29", d));
    EXPECT_TRUE(qwel::parse_date_msg("2024-02", d));
    EXPECT_EQ(host.messages(),
              (QStringList{"Invalid date \"2024-02-30\"", "Invalid date \"20x4\""}));
}

// ---------------------------------------------------------------------------------------
// Names and decorated dates

TEST_F(Calendar, NamesOfDaysAndMonths) {
    EXPECT_EQ(qwel::day_name(1), "Monday");
    EXPECT_EQ(qwel::day_name(7), "Sunday");
    EXPECT_EQ(qwel::day_abbrev(3), "Wed");
    EXPECT_EQ(qwel::month_name(1), "January");
    EXPECT_EQ(qwel::month_name(12), "December");
    const int outside[] = {0, 8, -1, 13, 100};
    for (int n : outside) {
        EXPECT_EQ(qwel::day_name(n), "") << n;
        EXPECT_EQ(qwel::day_abbrev(n), "") << n;
    }
    EXPECT_EQ(qwel::month_name(0), "");
    EXPECT_EQ(qwel::month_name(13), "");
}

TEST_F(Calendar, DecoratedDates) {
    const Date d{2024, 1, 1};
    EXPECT_EQ(qwel::format_date_dayname(d), "2024-01-01  Mon");
    EXPECT_EQ(qwel::format_date_bracket_day(d), "2024-01-01 (Mon)");
    EXPECT_EQ(qwel::format_date_bracket_dayname(d), "2024-01-01 (Monday)");
    const Date t = qwel::today();
    EXPECT_EQ(qwel::with_today_mark(t), qwel::format_date(t) + " (today)");
    EXPECT_EQ(qwel::with_today_mark(qwel::next_day(t)), qwel::format_date(qwel::next_day(t)));
    const QDate q = QDate::currentDate();
    EXPECT_EQ(t, (Date{quint16(q.year()), quint16(q.month()), quint16(q.day())}));
}

// ---------------------------------------------------------------------------------------
// Times and stamps

TEST_F(Calendar, TimesAndMinutesSeconds) {
    EXPECT_EQ(qwel::time_to_int(qwel::Time{13, 5, 9}), 130509);
    EXPECT_EQ(qwel::format_time_hm(qwel::Time{9, 5, 7}), "09:05");
    EXPECT_EQ(qwel::format_time_hms(qwel::Time{9, 5, 7}), "09:05:07");
    const struct {
        int seconds;
        const char* text;
    } cases[] = {{0, "00:00"},    {59, "00:59"},     {61, "01:01"},
                 {3599, "59:59"}, {6000, "100:00"}, {-1, "error"}};
    for (const auto& c : cases) EXPECT_EQ(qwel::format_mmss(c.seconds), c.text) << c.seconds;
}

TEST_F(Calendar, FormatStampStylesAndRounding) {
    const qwel::Stamp s{{2024, 1, 1}, {10, 30, 5}, 0};
    const struct {
        int style;
        const char* text;
    } cases[] = {
        {0, "20240101103005"},
        {1, "2024-01-01 10:30:05"},
        {2, "2024-01-01 10:30 "},
        {3, "2024-01-01 (Mon) 10:30"},
        {4, "2024-01-01 (Monday) 10:30"},
        {5, "?"},
        {-1, "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(qwel::format_stamp(s, c.style), c.text) << c.style;

    const qwel::Stamp early{{2024, 1, 1}, {0, 0, 7}, 0};
    EXPECT_EQ(qwel::format_stamp(early, 0), "20240101000007");

    // Half a second rounds up, carrying as far as the next year.
    EXPECT_EQ(qwel::format_stamp({{2024, 12, 31}, {23, 59, 59}, 500}, 1), "2025-01-01 00:00:00");
    EXPECT_EQ(qwel::format_stamp({{2024, 12, 31}, {23, 59, 59}, 499}, 1), "2024-12-31 23:59:59");
    EXPECT_EQ(qwel::format_stamp({{2024, 2, 28}, {23, 59, 59}, 999}, 3), "2024-02-29 (Thu) 00:00");
    EXPECT_EQ(qwel::format_stamp({{2024, 1, 1}, {10, 29, 59}, 700}, 2), "2024-01-01 10:30 ");
}

TEST_F(Calendar, StampTextAndConversions) {
    const qwel::Stamp s{{2024, 3, 9}, {7, 8, 9}, 0};
    EXPECT_EQ(qwel::stamp_text(s), "2024-03-09 07:08:09");
    EXPECT_EQ(qwel::stamp_sql(s), "'2024-03-09 07:08:09'");

    const QDateTime dt(QDate(2024, 3, 9), QTime(7, 8, 9, 250));
    const qwel::Stamp from = qwel::stamp_from_qt(dt);
    EXPECT_EQ(from, (qwel::Stamp{{2024, 3, 9}, {7, 8, 9}, 250}));
    EXPECT_EQ(qwel::stamp_to_qt(from), dt);
    EXPECT_EQ(qwel::stamp_from_qt(QDateTime()), qwel::Stamp{});

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const qwel::Stamp now = qwel::now_stamp();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    EXPECT_EQ(now.msec, 0);
    EXPECT_LE(before, qwel::stamp_to_qt(now));
    EXPECT_LE(qwel::stamp_to_qt(now), after);
}

}  // namespace
