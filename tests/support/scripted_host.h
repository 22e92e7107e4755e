#pragma once
// A dialog host for tests: records every message and question with its caption, answers
// questions from a queue, and fails the test on a question nobody scripted.

#include <QString>
#include <QStringList>
#include <deque>
#include <variant>
#include <vector>

#include "qwellib/dialogs.h"

namespace testing_support {

struct DialogEvent {
    QString kind;     // "message", "ync", "yes", "choice", "text", "date", "folder"
    QString caption;
    QString text;
};

// An answer for the next question: a char for ync, bool for yes, int for choice,
// QString for text or folder (std::nullopt-like Cancel through Cancel{}), Date for date.
struct Cancel {};
using Answer = std::variant<char, bool, int, QString, qwel::Date, Cancel>;

class ScriptedHost : public qwel::DialogHost {
public:
    ScriptedHost();
    ~ScriptedHost() override;

    void answer(Answer a) { answers_.push_back(std::move(a)); }
    void answer_yes(int times = 1) { for (int i = 0; i < times; ++i) answer(true); }
    void answer_no() { answer(false); }
    // Questions with no scripted answer fail the test unless this is set.
    void set_default_answer(Answer a) { default_ = std::move(a); has_default_ = true; }
    bool answers_left() const { return !answers_.empty(); }
    void clear_answers() { answers_.clear(); }

    const std::vector<DialogEvent>& events() const { return events_; }
    QStringList messages() const;         // texts of message dialogs
    QStringList questions() const;        // texts of every question asked
    bool said(const QString& text) const; // a message with exactly this text
    bool said_containing(const QString& part) const;
    void clear() { events_.clear(); }

    // Flash window and busy cursor as the program drove them.
    QString flash_text;
    bool flash_visible = false;
    std::vector<int> timer_starts;
    bool busy = false;

    // Stop requests.
    int stop_requests = 0;
    qwel::StopKind last_stop = qwel::StopKind::Orderly;
    int last_exit_code = 0;

    void message(const QString& caption, const QString& text) override;
    char ask_ync(const QString& caption, const QString& text) override;
    bool ask_yes(const QString& caption, const QString& text) override;
    int ask_choice(const QString& prompt, const QString& first, const QString& second) override;
    bool ask_text(const QString& title, const QString& prompt, QString& value, int max_length,
                  qwel::InputKind kind) override;
    bool ask_date(const QString& caption, qwel::Date& date) override;
    bool pick_folder(const QString& title, QString& folder) override;
    void flash_show(const QString& text, bool place) override;
    void flash_hide() override;
    void flash_start_timer(int ms) override;
    void flash_stop_timer() override;
    void set_busy_cursor(bool on) override;
    void stop_application(qwel::StopKind kind, int exit_code) override;

private:
    Answer next(const QString& kind, const QString& text);
    std::deque<Answer> answers_;
    std::vector<DialogEvent> events_;
    Answer default_ = Cancel{};
    bool has_default_ = false;
    qwel::DialogHost* previous_ = nullptr;
};

}  // namespace testing_support
