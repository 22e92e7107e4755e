#pragma once
// Dates, times and calendar arithmetic, with the 1752 change from the Julian to the
// Gregorian calendar (the change dates can be moved for the rest of the run).
// Integer form of a date: yyyymmdd; 0 = no date; 99999999 = open / not yet.

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace qwel {

struct Date {
    quint16 year = 0;
    quint16 month = 0;
    quint16 day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

struct Time {
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    friend bool operator==(const Time&, const Time&) = default;
};

// A timestamp with whole seconds (what the ledger stores).
struct Stamp {
    Date date;
    Time time;
    int msec = 0;  // kept so that writers can refuse non-zero milliseconds
    friend bool operator==(const Stamp&, const Stamp&) = default;
};

constexpr int kNoDate = 0;
constexpr int kOpenDate = 99999999;

int date_to_int(Date d);
// Loose conversion: no range check, so 0 and 99999999 round-trip.
Date int_to_date(int n);
QString format_date(Date d);          // "yyyy-mm-dd"; empty for year 0
QString format_date_or_blank(Date d); // empty for the null date
QString format_date_int(int n);       // format_date(int_to_date(n))
// Loose parse: shorter than 4 characters = null date (valid); no range test.
bool parse_date(const QString& text, Date& d);
bool parse_date_msg(const QString& text, Date& d);  // "Invalid date " + dquote(text)
int parse_date_int(const QString& text);            // integer form or -1
// Validating parse for dates a user types: yyyy-mm-dd with month 1..12 and the day within
// the month (by the calendar rules); the null date is refused unless allow_null.
bool parse_user_date(const QString& text, Date& d, bool allow_null = false);
bool parse_user_date_msg(const QString& text, Date& d, bool allow_null = false);
// A real calendar date: year 1..9999, month 1..12, day 1..month length.
bool is_valid_date(Date d);
bool is_null_date(Date d);
int compare_date(Date a, Date b);  // <0, 0, >0

Date today();
Stamp now_stamp();                      // milliseconds dropped
Stamp stamp_from_qt(const QDateTime& dt);
QDateTime stamp_to_qt(const Stamp& s);
QString stamp_text(const Stamp& s);     // "yyyy-mm-dd hh:nn:ss"
QString stamp_sql(const Stamp& s);      // stamp_text quoted with sql_quote
QString format_stamp(const Stamp& s, int style);

// Calendar change: last Julian day and first Gregorian day.
void set_calendar_change(Date last_julian, Date first_gregorian);
Date last_julian_day();
Date first_gregorian_day();
void reset_calendar_change();  // back to 1752-09-02 / 1752-09-14

bool is_leap_year(int year, Date context);  // by the rule in force at context's date
int month_length(Date d);                   // 0 for a month outside 1..12

Date next_day(Date d);
Date prev_day(Date d);
Date days_before(Date d, int n);
Date next_month(Date d);
Date prev_month(Date d);
Date next_year(Date d);   // 9999 -> 0
Date prev_year(Date d);   // 0 -> 9999
Date step_months(Date d, int n);
Date normalise_month_end(Date d);
Date step_date(Date d, int count, QChar unit);  // 'D', 'W', 'M', 'Y'; others change nothing
// Days from 1 January of year 1 (Julian) with the calendar change closed up; a closed formula.
qint64 day_number(Date d);
int weekday(Date d);  // 1 = Monday ... 7 = Sunday; 0 for the null date

QString day_name(int n);    // 1..7 -> Monday..Sunday
QString day_abbrev(int n);  // Mon..Sun
QString month_name(int n);  // 1..12 -> January..December
QString with_today_mark(Date d);
QString format_date_dayname(Date d);        // date + "  " + Mon
QString format_date_bracket_day(Date d);    // date + " (Mon)"
QString format_date_bracket_dayname(Date d);// date + " (Monday)"

int time_to_int(Time t);
QString format_time_hm(Time t);
QString format_time_hms(Time t);
QString format_mmss(int seconds);  // "mm:ss"; "error" for negative input

}  // namespace qwel
