// Amounts, integers and floats as the user types and reads them.

#include "amounts.h"

#include "dialogs.h"
#include "text.h"

#include <cmath>
#include <limits>

namespace qwel {

namespace {

bool g_plus_sign = false;

// Optional "+" or "-", then one or more ASCII digits and nothing else; the value must lie
// in lo..hi. No blanks, no other characters.
bool strict_integer(QStringView s, qint64 lo, qint64 hi, qint64& out) {
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i >= s.size()) return false;
    // Accumulate the magnitude unsigned; the limit for a negative value is one more.
    const quint64 limit = negative ? quint64(-(lo + 1)) + 1 : quint64(hi);
    quint64 mag = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c < u'0' || c > u'9') return false;
        const quint64 digit = quint64(c.unicode() - u'0');
        if (mag > (limit - digit) / 10) return false;
        mag = mag * 10 + digit;
    }
    if (negative) {
        out = mag == 0 ? 0 : qint64(0) - qint64(mag - 1) - 1;
    } else {
        out = qint64(mag);
    }
    return true;
}

}  // namespace

void set_plus_sign(bool on) { g_plus_sign = on; }

QString format_amount(qint64 a) {
    const bool negative = a < 0;
    // The magnitude of the most negative amount does not fit a signed number.
    const quint64 mag = negative ? quint64(0) - quint64(a) : quint64(a);
    QString prefix;
    if (negative)
        prefix = QStringLiteral("-");
    else if (a > 0 && g_plus_sign)
        prefix = QStringLiteral("+");

    QString s = QString::number(mag);
    if (s.size() == 1)
        s.prepend(QStringLiteral("0.0"));
    else if (s.size() == 2)
        s.prepend(QStringLiteral("0."));
    else
        s.insert(s.size() - 2, u'.');

    // Thousands separators: at most three, each placed before position length - 5, - 9, - 13
    // (counted from 1) of the text as it is at that moment.
    if (s.size() > 6) s.insert(s.size() - 6, u',');
    if (s.size() > 10) s.insert(s.size() - 10, u',');
    if (s.size() > 14) s.insert(s.size() - 14, u',');
    return prefix + s;
}

QString format_amount_signed(qint64 a) {
    const bool was = g_plus_sign;
    g_plus_sign = true;
    QString s = format_amount(a);
    g_plus_sign = was;
    return s;
}

bool parse_amount(const QString& text, qint64& a) {
    QString s = text;
    s.remove(u',');
    if (s.isEmpty()) return false;
    const qsizetype dot = s.indexOf(u'.');
    if (dot >= 0) {
        if (s.size() - dot - 1 != 2) return false;
        s.remove(dot, 1);
    } else {
        s += QStringLiteral("00");
    }
    qint64 v = 0;
    if (!strict_integer(s, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                        v))
        return false;
    a = v;
    return true;
}

bool parse_amount_msg(const QString& text, qint64& a) {
    if (parse_amount(text, a)) return true;
    show_msg(QStringLiteral("Invalid amount ") + dquote(text));
    return false;
}

bool parse_int(const QString& text, int& n) {
    if (text.isEmpty()) {
        n = 0;
        return true;
    }
    qint64 v = 0;
    if (!strict_integer(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
        return false;
    n = int(v);
    return true;
}

bool parse_int_msg(const QString& text, int& n) {
    if (text.isEmpty()) return false;
    if (parse_int(text, n)) return true;
    show_msg(QStringLiteral("Invalid integer ") + dquote(text));
    return false;
}

bool parse_int64(const QString& text, qint64& n) {
    if (text.isEmpty()) {
        n = 0;
        return true;
    }
    qint64 v = 0;
    if (!strict_integer(text, std::numeric_limits<qint64>::min(),
                        std::numeric_limits<qint64>::max(), v))
        return false;
    n = v;
    return true;
}

bool parse_float(const QString& text, double& f) {
    if (text.isEmpty()) {
        f = 0.0;
        return true;
    }
    if (text.trimmed() != text) return false;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    f = v;
    return true;
}

bool parse_plain_decimal(const QString& text, double& f) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype int_digits = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        ++i;
        ++int_digits;
    }
    qsizetype frac_digits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ++i;
            ++frac_digits;
        }
        if (frac_digits == 0) return false;
    }
    if (i != text.size() || int_digits + frac_digits == 0) return false;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    f = v;
    return true;
}

}  // namespace qwel
