#pragma once
// Choosing the period: the presets of the period form and the start-up reset.

#include <QString>

#include "core/core.h"

namespace mintor {

struct Period {
    qwel::Date from, to;
    friend bool operator==(const Period&, const Period&) = default;
};

// To = today; From = a year back plus one day.
Period rolling_year_to(qwel::Date today);
// To = today; From = the financial-year start on or before today.
Period current_year_so_far(qwel::Date today, int fy_day, int fy_month);
// The financial year that starts in year: From its start, To a year later less one day.
Period financial_year(int year, int fy_day, int fy_month);
// "Month/Quarter/Year from": To = From + months less one day; "... to": From = To + one day less months.
Period span_from(qwel::Date from, int months);
Period span_to(qwel::Date to, int months);
// Both ends moved a year (years = 1 or -1).
Period shift_years(const Period& p, int years);
// A date stepped a number of months, always a real date: forward, a day past the month's end
// carries into the next month (31 January + 1 month = 2 March in 2024); back, it stays in the
// month (31 March - 1 month = 29 February in 2024).
qwel::Date add_months_clamped(qwel::Date d, int months);
// "dd/mm": a real day of that month (29/02 allowed); false otherwise.
bool parse_fy_start(const QString& text, int& day, int& month);
// The financial-year label: "2016", or "2016/17" when the year does not start on 1 January.
QString financial_year_label(int year, int fy_day, int fy_month);

// The period of PeriodType 1 or 2 for today; false for type 0.
bool period_for_type(const Core& core, int period_type, Period& out);
// At start: when PeriodType asks for it and the period differs, reset it and flag a rebalance.
void startup_period_reset(Core& core);
// OK on the period form: refuses From after To; asks about a To in the future; then sets the
// period, flags a rebalance and offers it. False when nothing was changed.
bool apply_period(Core& core, const Period& p, int period_type);

}  // namespace mintor
