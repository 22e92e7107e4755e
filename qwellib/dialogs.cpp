#include "dialogs.h"

#include <cstdio>

#include "amounts.h"
#include "text.h"

namespace qwel {

namespace {

// With no host installed the program still says what happened and declines every question.
class FallbackHost final : public DialogHost {
public:
    void message(const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
    }
    char ask_ync(const QString& caption, const QString& text) override {
        message(caption, text);
        return 'C';
    }
    bool ask_yes(const QString& caption, const QString& text) override {
        message(caption, text);
        return false;
    }
    int ask_choice(const QString&, const QString&, const QString&) override { return 0; }
    bool ask_text(const QString&, const QString&, QString&, int, InputKind) override { return false; }
    bool ask_date(const QString&, Date&) override { return false; }
    bool pick_folder(const QString&, QString&) override { return false; }
    void flash_show(const QString&, bool) override {}
    void flash_hide() override {}
    void flash_start_timer(int) override {}
    void flash_stop_timer() override {}
    void set_busy_cursor(bool) override {}
    void stop_application(StopKind, int) override {}
};

FallbackHost fallback_host;
DialogHost* host = &fallback_host;

QString title = QStringLiteral("Mintor");
QString caption_prefix;
bool trace_flag = false;
QString folder_title = QStringLiteral("Select folder");

struct FlashState {
    FlashMode mode = FlashMode::Hidden;
    bool progress = false;
    bool showing = false;
    QString last_text;
    int interval = 1500;
    unsigned colour = 0x00FFFF;
} flash;

int busy = 0;

void flash_hide_window() {
    host->flash_stop_timer();
    if (flash.showing) host->flash_hide();
    flash.showing = false;
    flash.mode = FlashMode::Hidden;
    flash.progress = false;
}

void flash_display(const QString& text) {
    host->flash_show(text, true);
    flash.showing = true;
}

}  // namespace

DialogHost* install_dialog_host(DialogHost* h) {
    DialogHost* old = host == &fallback_host ? nullptr : host;
    host = h ? h : &fallback_host;
    return old;
}

DialogHost* dialog_host() { return host; }

void set_app_title(const QString& t) { title = t; }
QString app_title() { return title; }
void set_caption_prefix(const QString& prefix) { caption_prefix = prefix; }
QString dialog_caption() { return caption_prefix.isEmpty() ? title : QStringLiteral(" ") + caption_prefix; }
void set_trace(bool on) { trace_flag = on; }
bool trace_on() { return trace_flag; }

void show_msg(const QString& text) {
    host->message(dialog_caption(), text);
    host->process_events();
}

void program_error(const QString& text) { show_msg(QStringLiteral("Program error : ") + text); }

char ask_ync(const QString& text) {
    char c = host->ask_ync(dialog_caption(), text);
    host->process_events();
    return c;
}

bool ask_yes(const QString& text) {
    bool yes = host->ask_yes(dialog_caption(), text);
    host->process_events();
    return yes;
}

bool ask_ok(const QString& text) { return ask_yes(text + QStringLiteral(" - OK ?")); }
bool ask_sure(const QString& text) { return ask_yes(text + QStringLiteral(" - are you sure ?")); }
bool ask_really_sure(const QString& text) {
    return ask_sure(text) && ask_yes(QStringLiteral("... really really sure ?"));
}
bool ask_continue(const QString& text) {
    return ask_yes(text + QStringLiteral(" - ") + QStringLiteral("continue anyway?") + QStringLiteral(" ?"));
}

void not_supported(const QString& what) {
    if (what.isEmpty())
        show_msg(QStringLiteral("This") + QStringLiteral(" facility not currently supported"));
    else
        show_msg(what + QStringLiteral(" : this") + QStringLiteral(" facility not currently supported"));
}

void trace(const QString& text) {
    if (!trace_flag) return;
    QString saved = caption_prefix;
    caption_prefix = QStringLiteral("Trace");
    show_msg(text);
    caption_prefix = saved;
}

int ask_choice(const QString& prompt, const QString& first, const QString& second) {
    int r = host->ask_choice(prompt, first, second);
    host->process_events();
    return r;
}

bool ask_text(const QString& t, QString& value) { return ask_text2(t, QString(), value); }

bool ask_text2(const QString& t, const QString& prompt, QString& value) {
    QString v = value;
    if (!host->ask_text(t, prompt, v, 0, InputKind::Text)) return false;
    value = v;
    return true;
}

bool ask_text_max(const QString& t, QString& value, int max_length) {
    QString v = value;
    if (!host->ask_text(t, QString(), v, max_length, InputKind::Text)) return false;
    value = v;
    return true;
}

bool ask_int(const QString& prompt, int& value) {
    QString v = value > 0 ? QString::number(value) : QString();
    if (!host->ask_text(prompt, QString(), v, 0, InputKind::Integer)) return false;
    int n = 0;
    if (!parse_int(v, n)) {
        show_msg(QStringLiteral("Invalid integer ") + dquote(v));
        return false;
    }
    value = n;
    return true;
}

bool ask_amount(const QString& prompt, qint64& value) {
    QString v = format_amount(value);
    if (!host->ask_text(prompt, QString(), v, 0, InputKind::Amount)) return false;
    qint64 a = 0;
    if (!parse_amount_msg(v, a)) return false;
    value = a;
    return true;
}

bool ask_date(const QString& t, Date& date) {
    Date d = is_null_date(date) ? today() : date;
    if (!host->ask_date(QStringLiteral(" ") + t, d)) return false;
    date = d;
    return true;
}

void set_folder_title(const QString& t) { folder_title = t; }

bool pick_folder(QString& folder) {
    QString f = folder;
    bool ok = host->pick_folder(folder_title, f);
    if (ok) folder = f;
    return ok;
}

// Flash window

void flash_status(const QString& text) {
    if (text.isEmpty()) {
        flash_hide_window();
        return;
    }
    flash_display(text);
    flash.mode = FlashMode::Status;
    host->flash_start_timer(500);
    host->process_events();
    flash.last_text = text;
}

int flash_notice_ms(const QString& text) {
    if (text.size() < 21) return flash.interval;
    return int(text.size()) * (flash.interval / 20);
}

void flash_notice(const QString& text) {
    if (text.isEmpty()) {
        flash_hide_window();
        return;
    }
    host->flash_stop_timer();
    if (flash.showing)
        flash.last_text = flash.last_text + QStringLiteral("\r") + text;
    else
        flash.last_text = text;
    host->flash_start_timer(flash_notice_ms(text));
    flash.mode = FlashMode::Notice;
    flash_display(flash.last_text);
}

void flash_progress(const QString& text) {
    if (text.isEmpty()) {
        flash_hide_window();
        return;
    }
    if (!flash.progress) {
        flash_display(text);
        flash.mode = FlashMode::Status;
        host->flash_start_timer(500);
        flash.progress = true;
    } else {
        host->flash_show(text, false);
    }
    host->process_events();
}

void flash_timer_tick() {
    host->flash_stop_timer();
    if (flash.mode == FlashMode::Notice) flash_hide_window();
}

void flash_last() {
    if (flash.last_text.isEmpty())
        show_msg(QStringLiteral("No flash messages have yet been displayed"));
    else
        show_msg(QStringLiteral("Last flash message :") + QStringLiteral("\r") + dquote(flash.last_text));
}

void flash_set_interval() {
    int n = flash.interval;
    if (!ask_int(QStringLiteral("Enter flash interval in milliseconds (500-2000)"), n)) return;
    if (n < 500 || n > 2000) {
        flash_notice(QStringLiteral("Out of range"));
        return;
    }
    flash.interval = n;
    flash_notice(QStringLiteral("Flash interval updated OK"));
}

void flash_test() {
    QString saved = flash.last_text;
    flash_notice(QStringLiteral("Flash messages require no action"));
    flash_notice(QStringLiteral("Another flash message"));
    flash_notice(QStringLiteral("and another"));
    flash.last_text = saved;
}

void flash_reset() {
    flash_hide_window();
    host->flash_reset();
    show_msg(QStringLiteral("Flash reset ok"));
}

void set_flash_interval(int ms) { flash.interval = ms; }
int flash_interval() { return flash.interval; }
FlashMode flash_mode() { return flash.mode; }
QString flash_last_text() { return flash.last_text; }
void set_flash_colour(unsigned rgb) { flash.colour = rgb; }
unsigned flash_colour() { return flash.colour; }

// Busy cursor

void busy_on() {
    ++busy;
    host->set_busy_cursor(true);
}

void busy_off() {
    if (busy > 0) --busy;
    if (busy == 0) host->set_busy_cursor(false);
}

void busy_reset() {
    busy = 0;
    host->set_busy_cursor(false);
}

int busy_count() { return busy; }

void process_events() { host->process_events(); }

void stop_application(StopKind kind, int exit_code) { host->stop_application(kind, exit_code); }

}  // namespace qwel
