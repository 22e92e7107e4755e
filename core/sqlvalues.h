#pragma once
// How record values are written into the SQL text the record store builds: integers and
// dates as decimal literals, flags as 1/0, text through qwel::sql_quote, timestamps as quoted
// "yyyy-mm-dd hh:nn:ss", floating-point numbers in a form the server reads back exactly.

#include <QString>

#include "core/core.h"
#include "qwellib/dates.h"

namespace mintor {

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
