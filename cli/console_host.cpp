#include "cli/console_host.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace mintor_cli {

namespace {
QString one_line(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
bool interactive() { return isatty(STDIN_FILENO) != 0; }
}  // namespace

void ConsoleHost::message(const QString&, const QString& text) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(one_line(text)));
}

QString ConsoleHost::read_line(const QString& prompt, bool* ok) {
    std::fprintf(stderr, "%s ", qUtf8Printable(one_line(prompt)));
    std::fflush(stderr);
    std::string line;
    *ok = static_cast<bool>(std::getline(std::cin, line));
    return QString::fromStdString(line).trimmed();
}

char ConsoleHost::ask_ync(const QString& caption, const QString& text) {
    if (yes_) {
        message(caption, text + QStringLiteral(" [yes]"));
        return 'Y';
    }
    if (!interactive()) {
        message(caption, text + QStringLiteral(" [cancelled: use --yes]"));
        return 'C';
    }
    bool ok = false;
    QString a = read_line(text + QStringLiteral(" [y/n/c]"), &ok).toLower();
    if (!ok) return ' ';
    return a.startsWith(QLatin1Char('y')) ? 'Y' : a.startsWith(QLatin1Char('n')) ? 'N' : 'C';
}

bool ConsoleHost::ask_yes(const QString& caption, const QString& text) {
    if (yes_) {
        message(caption, text + QStringLiteral(" [yes]"));
        return true;
    }
    if (!interactive()) {
        message(caption, text + QStringLiteral(" [no: use --yes]"));
        return false;
    }
    bool ok = false;
    QString a = read_line(text + QStringLiteral(" [y/n]"), &ok).toLower();
    return ok && a.startsWith(QLatin1Char('y'));
}

int ConsoleHost::ask_choice(const QString& prompt, const QString& first, const QString& second) {
    if (!interactive()) return 0;
    bool ok = false;
    QString a = read_line(prompt + QStringLiteral(" [1 ") + first + QStringLiteral(" / 2 ") + second +
                              QStringLiteral(" / 0 Cancel]"),
                          &ok);
    if (!ok) return 0;
    int n = a.toInt();
    return n == 1 || n == 2 ? n : 0;
}

bool ConsoleHost::ask_text(const QString& title, const QString& prompt, QString& value, int,
                           qwel::InputKind) {
    if (!interactive()) return false;
    bool ok = false;
    QString shown = prompt.isEmpty() ? title : title + QStringLiteral(": ") + prompt;
    QString a = read_line(shown + QStringLiteral(" [") + value + QStringLiteral("]"), &ok);
    if (!ok) return false;
    if (!a.isEmpty()) value = a;
    return true;
}

bool ConsoleHost::ask_date(const QString& caption, qwel::Date& date) {
    if (!interactive()) return false;
    bool ok = false;
    QString a = read_line(caption + QStringLiteral(" (yyyy-mm-dd) [") + qwel::format_date(date) + QStringLiteral("]"), &ok);
    if (!ok) return false;
    if (a.isEmpty()) return true;
    return qwel::parse_user_date_msg(a, date);
}

bool ConsoleHost::pick_folder(const QString& title, QString& folder) {
    QString v = folder;
    if (!ask_text(title, QString(), v, 0, qwel::InputKind::Text)) return false;
    folder = v;
    return true;
}

void ConsoleHost::stop_application(qwel::StopKind, int exit_code) {
    stopped_ = true;
    if (exit_code_ == 0) exit_code_ = exit_code == 0 ? 1 : exit_code;
}

}  // namespace mintor_cli
