#pragma once
// The base-currency value of a transaction: amount / rate, rounded to the nearest minor unit,
// halves to even, for payments and receipts.
//
// The rate is taken as the decimal number it was entered as: the shortest decimal that reads
// back as the stored double (rates are typed as decimal text, and a rate typed as 0.8 is
// 8/10, not the nearest binary fraction 0.8000000000000000444, so 6.00 at 0.8 is the exact
// half 7.50 and goes to 7.50 -> 8, where the binary fraction would give 7). That decimal is
// D / 10^k with an integer D below 10^17, so amount / rate = amount * 10^k / D is a rational
// number: its quotient and remainder are found by integer long division in 128 bits, and the
// remainder decides the rounding (twice the remainder against the divisor: below rounds
// down, above rounds up, equal is a half and goes to the even neighbour). No floating-point
// step touches the amount, so every 64-bit amount is valued exactly, above 2^53 too (where a
// double, or even a long double, quotient loses the last units).

#include <QtGlobal>
#include <optional>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// amount / rate, rounded half to even; the sign follows the amount. Nothing when the rate is
// not a finite number above 0, or when the value would not fit in 64 bits.
std::optional<qint64> exact_base_value(qint64 amount, double rate);

// Sets the value (and the rate) of the record:
// - not a payment or receipt, or a repeater master: val := 0 (rate unchanged), true;
// - in the base currency: rate := 1.0, val := amt, true;
// - otherwise the rate on txndate (rate_for, rates.h; it may ask the user): rate := it,
//   val := amt / rate (exact_base_value), true. Without a usable rate, "Use main menu option
//   "Currencies" to specify a rate for <ccy> on <date>" and false; a value too large for the
//   ledger, "Value of <amount> <ccy> at rate <rate> is too large" and false. On false val and
//   rate are as they were.
bool calc_txn_val(Core& core, TTxn& txn);

}  // namespace mintor
