#include "support/scripted_host.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedHost::ScriptedHost() { previous_ = qwel::install_dialog_host(this); }

ScriptedHost::~ScriptedHost() {
    qwel::install_dialog_host(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answers were not used";
}

QStringList ScriptedHost::messages() const {
    QStringList out;
    for (const auto& e : events_)
        if (e.kind == QLatin1String("message")) out << e.text;
    return out;
}

QStringList ScriptedHost::questions() const {
    QStringList out;
    for (const auto& e : events_)
        if (e.kind != QLatin1String("message")) out << e.text;
    return out;
}

bool ScriptedHost::said(const QString& text) const { return messages().contains(text); }

bool ScriptedHost::said_containing(const QString& part) const {
    for (const auto& m : messages())
        if (m.contains(part)) return true;
    return false;
}

Answer ScriptedHost::next(const QString& kind, const QString& text) {
    if (answers_.empty()) {
        if (!has_default_)
            ADD_FAILURE() << "unexpected " << kind.toStdString() << " question: " << text.toStdString();
        return default_;
    }
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

void ScriptedHost::message(const QString& caption, const QString& text) {
    events_.push_back({QStringLiteral("message"), caption, text});
}

char ScriptedHost::ask_ync(const QString& caption, const QString& text) {
    events_.push_back({QStringLiteral("ync"), caption, text});
    Answer a = next(QStringLiteral("ync"), text);
    if (auto c = std::get_if<char>(&a)) return *c;
    if (auto b = std::get_if<bool>(&a)) return *b ? 'Y' : 'N';
    return 'C';
}

bool ScriptedHost::ask_yes(const QString& caption, const QString& text) {
    events_.push_back({QStringLiteral("yes"), caption, text});
    Answer a = next(QStringLiteral("yes"), text);
    if (auto b = std::get_if<bool>(&a)) return *b;
    if (auto c = std::get_if<char>(&a)) return *c == 'Y';
    return false;
}

int ScriptedHost::ask_choice(const QString& prompt, const QString& first, const QString& second) {
    events_.push_back({QStringLiteral("choice"), QString(), prompt + QStringLiteral(" [") + first +
                                                               QStringLiteral("/") + second + QStringLiteral("]")});
    Answer a = next(QStringLiteral("choice"), prompt);
    if (auto n = std::get_if<int>(&a)) return *n;
    return 0;
}

bool ScriptedHost::ask_text(const QString& title, const QString& prompt, QString& value, int,
                            qwel::InputKind) {
    events_.push_back({QStringLiteral("text"), title, prompt.isEmpty() ? title : prompt});
    Answer a = next(QStringLiteral("text"), title);
    if (auto s = std::get_if<QString>(&a)) {
        value = *s;
        return true;
    }
    return false;
}

bool ScriptedHost::ask_date(const QString& caption, qwel::Date& date) {
    events_.push_back({QStringLiteral("date"), caption, caption});
    Answer a = next(QStringLiteral("date"), caption);
    if (auto d = std::get_if<qwel::Date>(&a)) {
        date = *d;
        return true;
    }
    return false;
}

bool ScriptedHost::pick_folder(const QString& title, QString& folder) {
    events_.push_back({QStringLiteral("folder"), title, title});
    Answer a = next(QStringLiteral("folder"), title);
    if (auto s = std::get_if<QString>(&a)) {
        folder = *s;
        return true;
    }
    return false;
}

void ScriptedHost::flash_show(const QString& text, bool) {
    flash_text = text;
    flash_visible = true;
}

void ScriptedHost::flash_hide() { flash_visible = false; }
void ScriptedHost::flash_start_timer(int ms) { timer_starts.push_back(ms); }
void ScriptedHost::flash_stop_timer() {}
void ScriptedHost::set_busy_cursor(bool on) { busy = on; }

void ScriptedHost::stop_application(qwel::StopKind kind, int exit_code) {
    ++stop_requests;
    last_stop = kind;
    last_exit_code = exit_code;
}

}  // namespace testing_support
