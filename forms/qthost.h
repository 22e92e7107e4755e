#pragma once
// The desktop program's dialog host: the program's messages and questions as Qt message
// boxes placed near the pointer (a run of questions asked without moving the mouse stays
// where the first was left), and the program's own dialog forms for text, choices, dates,
// folders and the flash window.

#include <QPoint>

#include "qwellib/dialogs.h"

namespace mintor::forms {

class QtDialogHost : public qwel::DialogHost {
public:
    QtDialogHost();
    ~QtDialogHost() override;

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
    void flash_reset() override;
    void set_busy_cursor(bool busy) override;
    void process_events() override;
    void stop_application(qwel::StopKind kind, int exit_code) override;

    // A stop was asked for (the program ends with exit_code once its event loop returns).
    bool stop_requested() const { return stop_requested_; }
    int exit_code() const { return exit_code_; }

    // Where the last message box was left, and the pointer then.
    QPoint last_box_pos() const { return box_pos_; }

private:
    int run_box(int icon, const QString& caption, const QString& text, int buttons, int escape);
    bool have_memory_ = false;
    QPoint box_pointer_, box_pos_;
    bool busy_shown_ = false;
    bool stop_requested_ = false;
    int exit_code_ = 0;
    qwel::DialogHost* previous_ = nullptr;
};

}  // namespace mintor::forms
