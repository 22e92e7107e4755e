#include "core/period.h"

#include "core/rebalance.h"
#include "core/runstate.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {
Date make(int y, int m, int d) { return Date{quint16(y), quint16(m), quint16(d)}; }

// The day clamped to the length of its month (29 February of a common year becomes the 28th).
Date clamp_day(Date d) {
    int len = month_length(d);
    if (len > 0 && d.day > len) d.day = quint16(len);
    return d;
}
}  // namespace

Date add_months_clamped(Date d, int months) {
    // forward, a day past the month's end carries into the next month (as repeaters step);
    // back, it stays in its month
    Date r = step_months(d, months);
    return months >= 0 ? normalise_month_end(r) : clamp_day(r);
}

Period rolling_year_to(Date t) {
    // a year back from 29 February is 28 February, so the year runs from 1 March
    return {next_day(clamp_day(prev_year(t))), t};
}

Period current_year_so_far(Date t, int fy_day, int fy_month) {
    Date start = clamp_day(make(t.year, fy_month, fy_day));
    if (compare_date(start, t) > 0) start = clamp_day(make(t.year - 1, fy_month, fy_day));
    return {start, t};
}

Period financial_year(int year, int fy_day, int fy_month) {
    Date from = clamp_day(make(year, fy_month, fy_day));
    return span_from(from, 12);
}

Period span_from(Date from, int months) { return {from, prev_day(add_months_clamped(from, months))}; }

Period span_to(Date to, int months) { return {add_months_clamped(next_day(to), -months), to}; }

Period shift_years(const Period& p, int years) {
    auto shift = [&](Date d) {
        if (date_to_int(d) == 0) return d;
        return normalise_month_end(years > 0 ? next_year(d) : prev_year(d));
    };
    return {shift(p.from), shift(p.to)};
}

bool parse_fy_start(const QString& text, int& day, int& month) {
    if (text.size() != 5) return false;
    bool ok1 = false, ok2 = false;
    int d = text.left(2).toInt(&ok1);
    int m = text.mid(3, 2).toInt(&ok2);
    if (!ok1 || !ok2 || d < 1 || d > 31 || m < 1 || m > 12) return false;
    // the day must exist in that month in some year (29 February does, in leap years)
    static const int longest[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d > longest[m - 1]) return false;
    day = d;
    month = m;
    return true;
}

QString financial_year_label(int year, int fy_day, int fy_month) {
    QString label = QString::number(year).rightJustified(4, QLatin1Char('0'));
    if (fy_day != 1 || fy_month != 1) label += QStringLiteral("/") + QString::number((year + 1) % 100).rightJustified(2, QLatin1Char('0'));
    return label;
}

bool period_for_type(const Core& core, int period_type, Period& out) {
    if (period_type == 1) {
        out = current_year_so_far(today(), core.settings.financial_year_day1, core.settings.financial_year_month1);
        return true;
    }
    if (period_type == 2) {
        out = rolling_year_to(today());
        return true;
    }
    return false;
}

void startup_period_reset(Core& core) {
    Period p;
    if (!period_for_type(core, core.settings.period_type, p)) return;
    if (p.from == core.run.from && p.to == core.run.to) return;
    flash_notice(QStringLiteral("Period end has been reset = today"));
    set_period(core, p.from, p.to);
    set_rebalance_needed(core, true);
}

bool apply_period(Core& core, const Period& p, int period_type) {
    core.settings.period_type = period_type;
    if (date_to_int(p.from) > date_to_int(p.to)) {
        show_msg(QStringLiteral("Period start ") + format_date(p.from) + QStringLiteral(" is after its end ") +
                 format_date(p.to));
        return false;
    }
    if (compare_date(p.to, today()) > 0 &&
        !ask_yes(QStringLiteral("Balance date is in the future - are you sure? (rptr insts will be gend to this date) ")))
        return false;
    set_period(core, p.from, p.to);
    set_rebalance_needed(core, true);
    ask_rebalance_now(core);
    return true;
}

}  // namespace mintor
