#pragma once
// Exchange rates (table rate): the amount of a currency that equals one unit of the base
// currency on a date. The rate for a date is the latest one dated on or before it; the base
// currency's rate is always 1 and is never looked up. One rate per currency and date.

#include <QString>

#include "core/core.h"
#include "qwellib/dates.h"

namespace mintor {

// 1 for the base currency. Otherwise the latest rate on or before the date: one dated on the
// day is used at once; an earlier one leads to the choice "No <ccy> rate found for <date>,
// closest is <date>" ("Enter new" asks for a rate, "Use closest" takes it); none at all asks
// for a rate straight away. 0 = no rate (cancelled, or nothing valid entered).
double get_rate(Core& core, const QString& ccy, qwel::Date date);
// get_rate; a rate not above 0 shows "Use main menu option "Currencies" to specify a rate
// for <ccy> on <date>" and gives false.
bool rate_for(Core& core, const QString& ccy, qwel::Date date, double& rate);
// Asks for the mid-market rate of the currency on the date and stores it with add_rate;
// the stored rate, or 0.
double ask_rate(Core& core, const QString& ccy, qwel::Date date);
// Stores the rate typed as text, replacing a rate of the same currency and date. The text
// must be a plain decimal number (qwel::parse_plain_decimal after trimming blanks): anything
// else gives false with no message and no statement run. A value not above 0: "Rate must be
// > 0". The parsed number is written (with "."), never the typed text. The caller commits.
bool add_rate(Core& core, const QString& ccy, qwel::Date date, const QString& text, double* stored = nullptr);
// The base-currency value of a foreign amount: amount / rate, rounded to the nearest minor
// unit, halves to even. 0 when the rate is not above 0.
qint64 base_value(qint64 amount, double rate);

}  // namespace mintor
