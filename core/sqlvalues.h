#pragma once
// How record values are written into the SQL text the record store builds: integers and
// dates as decimal literals, flags as 1/0, text quoted (sql_text), timestamps as quoted
// "yyyy-mm-dd hh:nn:ss", floating-point numbers in a form the server reads back exactly.

#include <QString>

#include "core/core.h"
#include "qwellib/dates.h"

namespace mintor {

// A text value between single quotes with every quote doubled, so that it is stored exactly
// as given: unlike qwel::sql_quote, a pair of quotes in the text stays a pair.
QString sql_text(const QString& text);
// sql_text for the long note columns (VARCHAR(32000)): marked as the ledger's character set
// NONE, in which the server takes the whole 32000 bytes; a plain quoted text in the
// connection's UTF-8 is limited to 16383 characters. The bytes stored are the same, and a
// note over 32000 bytes is still refused by the server.
QString sql_note(const QString& text);
// A date as its yyyymmdd integer (0 for the null date).
QString sql_date(qwel::Date d);
// "1" or "0".
QString sql_flag(bool b);
// A timestamp: stamp_sql of its whole seconds; a zero stamp (no time) is written as null.
QString sql_stamp(const qwel::Stamp& s);
// A double in shortest round-trip form with an exponent ("1.2345e+00"): always ".", never
// the locale's separator, and read by the server as the same double. Not finite: null.
QString sql_float(double v);
// Reports a stamp that carries milliseconds (they are not written), while the core's
// millisecond warning is on.
void warn_msec(Core& core, const qwel::Stamp& s);

}  // namespace mintor
