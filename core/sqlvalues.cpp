#include "core/sqlvalues.h"

#include <QLocale>
#include <cmath>

#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

QString sql_text(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString sql_note(const QString& text) { return QStringLiteral("_NONE ") + sql_text(text); }

QString sql_date(qwel::Date d) { return QString::number(qwel::date_to_int(d)); }

QString sql_flag(bool b) { return qwel::bool_digit(b); }

QString sql_stamp(const qwel::Stamp& s) {
    if (qwel::is_null_date(s.date)) return QStringLiteral("null");
    return qwel::stamp_sql(s);
}

QString sql_float(double v) {
    if (!std::isfinite(v)) return QStringLiteral("null");
    // QString::number ignores the locale; the exponent makes the server read it as a double
    // (a plain decimal literal of many digits is an exact numeric it may refuse or round)
    return QString::number(v, 'e', QLocale::FloatingPointShortest);
}

void warn_msec(Core& core, const qwel::Stamp& s) {
    if (s.msec != 0 && core.store.msec_warning)
        qwel::program_error(QStringLiteral("Non-zero milliseconds will not be written to the db grrr"));
}

}  // namespace mintor
