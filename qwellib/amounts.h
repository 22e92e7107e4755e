#pragma once
// Amounts (signed 64-bit minor units, two implied decimals), integers and floats
// as the user types and reads them.

#include <QString>
#include <cstdint>

namespace qwel {

QString format_amount(qint64 a);         // 123456 -> "1,234.56"
QString format_amount_signed(qint64 a);  // "+" before positives
void set_plus_sign(bool on);             // process-wide plus-sign flag
bool parse_amount(const QString& text, qint64& a);
bool parse_amount_msg(const QString& text, qint64& a);  // "Invalid amount " + dquote(text)
bool parse_int(const QString& text, int& n);             // empty -> 0
bool parse_int_msg(const QString& text, int& n);         // empty invalid, no message
bool parse_int64(const QString& text, qint64& n);
bool parse_float(const QString& text, double& f);        // empty -> 0.0
// A plain decimal number for a value that goes into SQL: optional sign, digits, at most one
// "." with digits; no exponent, no other characters, finite. Writes it back in "." form.
bool parse_plain_decimal(const QString& text, double& f);

}  // namespace qwel
