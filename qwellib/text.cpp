// Small text operations shared by the whole program.

#include "text.h"

#include <QCoreApplication>
#include <QDir>

namespace qwel {

namespace {

QString g_program_folder;  // empty: not set, use the executable's folder

QString with_slash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

}  // namespace

QString sql_quote(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("''"), QStringLiteral("'"));
    s.replace(QStringLiteral("'"), QStringLiteral("''"));
    return u'\'' + s + u'\'';
}

QString dquote(const QString& text) { return u'"' + text + u'"'; }

QString pad_int(qint64 n, int width) {
    const bool negative = n < 0;
    const quint64 mag = negative ? quint64(0) - quint64(n) : quint64(n);
    QString digits = QString::number(mag);
    // A negative number keeps its sign in front; the digits fill the rest of the width.
    const int room = negative ? width - 1 : width;
    if (digits.size() < room) digits.prepend(QString(room - digits.size(), u'0'));
    return negative ? u'-' + digits : digits;
}

QString bool_text(bool b) { return b ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

QString bool_digit(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

QString trim_left(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
    return s.mid(i);
}

QString trim_right(const QString& s) {
    qsizetype n = s.size();
    while (n > 0) {
        const QChar c = s[n - 1];
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') break;
        --n;
    }
    return s.left(n);
}

QString trim_both(const QString& s) { return trim_left(trim_right(s)); }

QString last_chars(const QString& s, int n) {
    if (n <= 0) return QString();
    return s.right(n);
}

QString double_ampersands(const QString& s) {
    QString r = s;
    r.replace(QStringLiteral("&"), QStringLiteral("&&"));
    return r;
}

bool contains_ci(const QString& haystack, const QString& needle) {
    return haystack.contains(needle, Qt::CaseInsensitive);
}

QString program_folder() {
    if (!g_program_folder.isEmpty()) return g_program_folder;
    if (QCoreApplication::instance()) return with_slash(QCoreApplication::applicationDirPath());
    return with_slash(QDir::currentPath());
}

void set_program_folder(const QString& folder) {
    g_program_folder = folder.isEmpty() ? QString() : with_slash(folder);
}

}  // namespace qwel
