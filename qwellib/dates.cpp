// Dates, times and calendar arithmetic.
//
// The calendar is Julian up to the last Julian day and Gregorian from the first Gregorian
// day; the days in between do not exist (day_number treats them as the last Julian day).
// Every operation here accepts arbitrary 16-bit field values (month 0 or 99, day 0 or 99,
// year 0 or 65535) without indexing out of bounds or looping without end.

#include "dates.h"

#include "dialogs.h"
#include "text.h"

#include <QDate>
#include <QTime>

namespace qwel {

namespace {

constexpr Date kDefaultLastJulian{1752, 9, 2};
constexpr Date kDefaultFirstGregorian{1752, 9, 14};

Date g_last_julian = kDefaultLastJulian;
Date g_first_gregorian = kDefaultFirstGregorian;

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// Days in the months before month m (index m - 1) of a common year.
constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

qint64 floor_div(qint64 a, qint64 b) {
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

qint64 floor_mod(qint64 a, qint64 b) { return a - floor_div(a, b) * b; }

bool julian_leap(qint64 y) { return floor_mod(y, 4) == 0; }

bool gregorian_leap(qint64 y) {
    return (floor_mod(y, 4) == 0 && floor_mod(y, 100) != 0) || floor_mod(y, 400) == 0;
}

// A date with its month brought into 1..12 by carrying whole years (month 0 is December of
// the year before, month 13 January of the next); the day is kept as it is.
struct Ymd {
    qint64 y;
    int m;
    qint64 d;
};

Ymd carry_months(Date d) {
    const qint64 m0 = qint64(d.month) - 1;
    return Ymd{qint64(d.year) + floor_div(m0, 12), int(floor_mod(m0, 12)) + 1, qint64(d.day)};
}

int compare_ymd(const Ymd& a, const Ymd& b) {
    if (a.y != b.y) return a.y < b.y ? -1 : 1;
    if (a.m != b.m) return a.m < b.m ? -1 : 1;
    if (a.d != b.d) return a.d < b.d ? -1 : 1;
    return 0;
}

// Day count of a date in the proleptic Julian calendar, 1 January of year 1 = 1.
qint64 julian_count(const Ymd& x) {
    const qint64 py = x.y - 1;
    qint64 n = 365 * py + floor_div(py, 4) + kDaysBefore[x.m - 1] + x.d;
    if (x.m > 2 && julian_leap(x.y)) ++n;
    return n;
}

// Day count of a date in the proleptic Gregorian calendar, 1 January of year 1 = 1.
qint64 gregorian_count(const Ymd& x) {
    const qint64 py = x.y - 1;
    qint64 n = 365 * py + floor_div(py, 4) - floor_div(py, 100) + floor_div(py, 400) +
               kDaysBefore[x.m - 1] + x.d;
    if (x.m > 2 && gregorian_leap(x.y)) ++n;
    return n;
}

QString pad(qint64 n, int width) { return pad_int(n, width); }

bool all_digits(QStringView s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// Field of digits only (no sign, no blanks) as a number.
bool digits_value(QStringView s, int& v) {
    if (!all_digits(s)) return false;
    v = 0;
    for (QChar c : s) v = v * 10 + (c.unicode() - u'0');
    return true;
}

const char* const kDayNames[7] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                  "Friday", "Saturday", "Sunday"};
const char* const kMonthNames[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};

// Rounds a stamp to whole seconds, half a second up, carrying into the date.
Stamp round_stamp(const Stamp& s) {
    Stamp r = s;
    r.msec = 0;
    if (s.msec < 500) return r;
    if (++r.time.second < 60) return r;
    r.time.second = 0;
    if (++r.time.minute < 60) return r;
    r.time.minute = 0;
    if (++r.time.hour < 24) return r;
    r.time.hour = 0;
    r.date = next_day(r.date);
    return r;
}

}  // namespace

int date_to_int(Date d) { return int(d.year) * 10000 + int(d.month) * 100 + int(d.day); }

Date int_to_date(int n) {
    QString s = QString::number(n);
    if (s.size() < 8) s = QString(8 - s.size(), u'0') + s;
    s.insert(4, u'-');
    s.insert(7, u'-');
    Date d;
    if (!parse_date(s, d)) return Date{};
    return d;
}

QString format_date(Date d) {
    if (d.year == 0) return QString();
    QString s = pad(d.year, 4);
    if (d.month != 0) s += u'-' + pad(d.month, 2);
    if (d.day != 0) s += u'-' + pad(d.day, 2);
    return s;
}

QString format_date_or_blank(Date d) { return is_null_date(d) ? QString() : format_date(d); }

QString format_date_int(int n) { return format_date(int_to_date(n)); }

bool parse_date(const QString& text, Date& d) {
    if (text.size() < 4) {
        d = Date{};
        return true;
    }
    int y = 0, m = 0, dd = 0;
    if (!digits_value(QStringView(text).mid(0, 4), y)) return false;
    if (text.size() >= 7 && !digits_value(QStringView(text).mid(5, 2), m)) return false;
    if (text.size() >= 10 && !digits_value(QStringView(text).mid(8, 2), dd)) return false;
    d = Date{quint16(y), quint16(m), quint16(dd)};
    return true;
}

bool parse_date_msg(const QString& text, Date& d) {
    if (parse_date(text, d)) return true;
    show_msg(QStringLiteral("Invalid date ") + dquote(text));
    return false;
}

int parse_date_int(const QString& text) {
    Date d;
    return parse_date(text, d) ? date_to_int(d) : -1;
}

bool parse_user_date(const QString& text, Date& d, bool allow_null) {
    const QString t = trim_both(text);
    if (t.isEmpty()) {
        if (!allow_null) return false;
        d = Date{};
        return true;
    }
    if (t.size() != 10) return false;
    const auto is_sep = [](QChar c) { return c == u'-' || c == u'/'; };
    if (!is_sep(t[4]) || !is_sep(t[7])) return false;
    int y = 0, m = 0, dd = 0;
    if (!digits_value(QStringView(t).mid(0, 4), y) || !digits_value(QStringView(t).mid(5, 2), m) ||
        !digits_value(QStringView(t).mid(8, 2), dd))
        return false;
    const Date r{quint16(y), quint16(m), quint16(dd)};
    if (!is_valid_date(r)) return false;
    d = r;
    return true;
}

bool parse_user_date_msg(const QString& text, Date& d, bool allow_null) {
    if (parse_user_date(text, d, allow_null)) return true;
    show_msg(QStringLiteral("Invalid date ") + dquote(text));
    return false;
}

bool is_valid_date(Date d) {
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
    if (d.day > month_length(d)) return false;
    // The days dropped at the calendar change do not exist.
    return !(compare_date(d, g_last_julian) > 0 && compare_date(d, g_first_gregorian) < 0);
}

bool is_null_date(Date d) { return date_to_int(d) == 0; }

int compare_date(Date a, Date b) {
    if (a.year != b.year) return a.year < b.year ? -1 : 1;
    if (a.month != b.month) return a.month < b.month ? -1 : 1;
    if (a.day != b.day) return a.day < b.day ? -1 : 1;
    return 0;
}

Date today() {
    const QDate q = QDate::currentDate();
    return Date{quint16(q.year()), quint16(q.month()), quint16(q.day())};
}

Stamp now_stamp() {
    Stamp s = stamp_from_qt(QDateTime::currentDateTime());
    s.msec = 0;
    return s;
}

Stamp stamp_from_qt(const QDateTime& dt) {
    Stamp s;
    if (!dt.isValid()) return s;
    const QDateTime local = dt.toLocalTime();
    const QDate qd = local.date();
    const QTime qt = local.time();
    s.date = Date{quint16(qd.year()), quint16(qd.month()), quint16(qd.day())};
    s.time = Time{quint16(qt.hour()), quint16(qt.minute()), quint16(qt.second())};
    s.msec = qt.msec();
    return s;
}

QDateTime stamp_to_qt(const Stamp& s) {
    return QDateTime(QDate(s.date.year, s.date.month, s.date.day),
                     QTime(s.time.hour, s.time.minute, s.time.second, s.msec));
}

QString stamp_text(const Stamp& s) {
    return pad(s.date.year, 4) + u'-' + pad(s.date.month, 2) + u'-' + pad(s.date.day, 2) + u' ' +
           format_time_hms(s.time);
}

QString stamp_sql(const Stamp& s) { return sql_quote(stamp_text(s)); }

QString format_stamp(const Stamp& s, int style) {
    const Stamp r = round_stamp(s);
    switch (style) {
    case 0:
        return pad(date_to_int(r.date), 8) + pad(time_to_int(r.time), 6);
    case 1:
        return format_date(r.date) + u' ' + format_time_hms(r.time);
    case 2:
        return format_date(r.date) + u' ' + format_time_hm(r.time) + u' ';
    case 3:
        return format_date_bracket_day(r.date) + u' ' + format_time_hm(r.time);
    case 4:
        return format_date_bracket_dayname(r.date) + u' ' + format_time_hm(r.time);
    default:
        return QStringLiteral("?");
    }
}

void set_calendar_change(Date last_julian, Date first_gregorian) {
    g_last_julian = last_julian;
    g_first_gregorian = first_gregorian;
}

Date last_julian_day() { return g_last_julian; }
Date first_gregorian_day() { return g_first_gregorian; }

void reset_calendar_change() {
    g_last_julian = kDefaultLastJulian;
    g_first_gregorian = kDefaultFirstGregorian;
}

bool is_leap_year(int year, Date context) {
    if (compare_date(context, g_last_julian) <= 0) return julian_leap(year);
    return gregorian_leap(year);
}

int month_length(Date d) {
    if (d.month < 1 || d.month > 12) return 0;
    if (d.month == 2 && is_leap_year(d.year, d)) return 29;
    return kMonthDays[d.month - 1];
}

Date next_day(Date d) {
    // The second condition lets 28 February of a Gregorian leap year step to the 29th even in
    // the Julian era; such a year is a Julian leap year too, so it agrees with month_length.
    if (d.day < month_length(d) || (d.month == 2 && d.day == 28 && gregorian_leap(d.year))) {
        ++d.day;
        return d;
    }
    d.day = 1;
    return next_month(d);
}

Date prev_day(Date d) {
    if (d.day > 1) {
        --d.day;
        return d;
    }
    d = prev_month(d);
    // The leap rule is the one in force on the 29th, the day whose existence is in question
    // (it matters when the calendar change falls in February).
    d.day = 29;
    d.day = quint16(month_length(d));
    return d;
}

Date days_before(Date d, int n) {
    for (int i = 0; i < n; ++i) d = prev_day(d);
    return d;
}

Date next_month(Date d) {
    if (d.month >= 12) {
        d.month = 1;
        return next_year(d);
    }
    ++d.month;
    return d;
}

Date prev_month(Date d) {
    if (d.month <= 1) {
        d.month = 12;
        return prev_year(d);
    }
    --d.month;
    return d;
}

Date next_year(Date d) {
    d.year = d.year >= 9999 ? 0 : quint16(d.year + 1);
    return d;
}

Date prev_year(Date d) {
    d.year = d.year == 0 ? 9999 : quint16(d.year - 1);
    return d;
}

Date step_months(Date d, int n) {
    // Years run 0..9999 in a cycle, so for an ordinary date the n steps are one sum of months.
    if (d.year <= 9999 && d.month >= 1 && d.month <= 12) {
        const qint64 months = qint64(d.year) * 12 + (d.month - 1) + n;
        const qint64 m = floor_mod(months, 120000);
        d.year = quint16(m / 12);
        d.month = quint16(m % 12 + 1);
        return d;
    }
    for (int i = 0; i < n; ++i) d = next_month(d);
    for (int i = 0; i > n; --i) d = prev_month(d);
    return d;
}

Date normalise_month_end(Date d) {
    // A month outside 1..12 has length 0 and steps to January; after that each step takes
    // at least 28 days off, so this ends.
    for (int len = month_length(d); d.day > len; len = month_length(d)) {
        d.day = quint16(d.day - len);
        d = next_month(d);
    }
    return d;
}

Date step_date(Date d, int count, QChar unit) {
    for (int i = 0; i < count; ++i) {
        if (unit == u'D') {
            d = next_day(d);
        } else if (unit == u'W') {
            for (int k = 0; k < 7; ++k) d = next_day(d);
        } else if (unit == u'M') {
            d = next_month(d);
        } else if (unit == u'Y') {
            d = next_year(d);
        } else {
            break;
        }
    }
    return d;
}

qint64 day_number(Date d) {
    const Ymd x = carry_months(d);
    const Ymd lj = carry_months(g_last_julian);
    const Ymd fg = carry_months(g_first_gregorian);
    if (compare_ymd(x, lj) <= 0) return julian_count(x);
    const qint64 last = julian_count(lj);
    if (compare_ymd(fg, lj) <= 0)  // change dates given in the wrong order: no gap at all
        return last + gregorian_count(x) - gregorian_count(lj);
    if (compare_ymd(x, fg) < 0) return last;  // dropped days count as the last Julian day
    return last + 1 + gregorian_count(x) - gregorian_count(fg);
}

int weekday(Date d) {
    if (is_null_date(d)) return 0;
    return int(floor_mod(day_number(d) + 4, 7)) + 1;
}

QString day_name(int n) {
    if (n < 1 || n > 7) return QString();
    return QString::fromLatin1(kDayNames[n - 1]);
}

QString day_abbrev(int n) { return day_name(n).left(3); }

QString month_name(int n) {
    if (n < 1 || n > 12) return QString();
    return QString::fromLatin1(kMonthNames[n - 1]);
}

QString with_today_mark(Date d) {
    QString s = format_date(d);
    if (d == today()) s += QStringLiteral(" (today)");
    return s;
}

QString format_date_dayname(Date d) {
    return format_date(d) + QStringLiteral("  ") + day_abbrev(weekday(d));
}

QString format_date_bracket_day(Date d) {
    return format_date(d) + QStringLiteral(" (") + day_abbrev(weekday(d)) + u')';
}

QString format_date_bracket_dayname(Date d) {
    return format_date(d) + QStringLiteral(" (") + day_name(weekday(d)) + u')';
}

int time_to_int(Time t) { return int(t.hour) * 10000 + int(t.minute) * 100 + int(t.second); }

QString format_time_hm(Time t) { return pad(t.hour, 2) + u':' + pad(t.minute, 2); }

QString format_time_hms(Time t) { return format_time_hm(t) + u':' + pad(t.second, 2); }

QString format_mmss(int seconds) {
    if (seconds < 0) return QStringLiteral("error");
    return pad(seconds / 60, 2) + u':' + pad(seconds % 60, 2);
}

}  // namespace qwel
