#pragma once
// Small text operations shared by the whole program.

#include <QString>

namespace qwel {

QString sql_quote(const QString& text);  // '' first reduced to ', then every ' doubled, wrapped
QString dquote(const QString& text);     // "text"
QString pad_int(qint64 n, int width);    // left-filled with '0'
QString bool_text(bool b);               // "TRUE" / "FALSE"
QString bool_digit(bool b);              // "1" / "0"
QString trim_left(const QString& s);     // blanks and tabs
QString trim_right(const QString& s);    // blanks, tabs, CR, LF
QString trim_both(const QString& s);
QString last_chars(const QString& s, int n);
QString double_ampersands(const QString& s);
bool contains_ci(const QString& haystack, const QString& needle);
// Program folder: the executable's folder ending with "/", unless set.
QString program_folder();
void set_program_folder(const QString& folder);

}  // namespace qwel
