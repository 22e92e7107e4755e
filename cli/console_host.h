#pragma once
// The dialog host of mintor-cli: messages go to standard error; questions are answered by
// --yes, or asked on the terminal when there is one, else declined.

#include "qwellib/dialogs.h"

namespace mintor_cli {

class ConsoleHost : public qwel::DialogHost {
public:
    explicit ConsoleHost(bool yes) : yes_(yes) {}

    void message(const QString& caption, const QString& text) override;
    char ask_ync(const QString& caption, const QString& text) override;
    bool ask_yes(const QString& caption, const QString& text) override;
    int ask_choice(const QString& prompt, const QString& first, const QString& second) override;
    bool ask_text(const QString& title, const QString& prompt, QString& value, int max_length,
                  qwel::InputKind kind) override;
    bool ask_date(const QString& caption, qwel::Date& date) override;
    bool pick_folder(const QString& title, QString& folder) override;
    void flash_show(const QString&, bool) override {}
    void flash_hide() override {}
    void flash_start_timer(int) override {}
    void flash_stop_timer() override {}
    void set_busy_cursor(bool) override {}
    void stop_application(qwel::StopKind kind, int exit_code) override;

    bool stopped() const { return stopped_; }
    int exit_code() const { return exit_code_; }

private:
    QString read_line(const QString& prompt, bool* ok);
    bool yes_;
    bool stopped_ = false;
    int exit_code_ = 0;
};

}  // namespace mintor_cli
