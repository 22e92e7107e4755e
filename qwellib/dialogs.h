#pragma once
// The program's way of talking to the user: messages, questions, prompts, the flash
// window and the busy cursor. Every call forwards to the installed DialogHost: the
// desktop program installs a Qt host, the tests a scripted host, mintor-cli a console host.

#include <QString>
#include "dates.h"

namespace qwel {

enum class InputKind { Text, Integer, Amount };

// What the program asks of the host when it must stop.
enum class StopKind {
    Orderly,    // the application's terminate request: close forms, save, exit
    Immediate,  // end the process at once
};

class DialogHost {
public:
    virtual ~DialogHost() = default;

    // Information dialog with one OK button.
    virtual void message(const QString& caption, const QString& text) = 0;
    // Yes / No / Cancel: 'Y', 'N', 'C', or ' ' when the dialog was closed otherwise.
    virtual char ask_ync(const QString& caption, const QString& text) = 0;
    // Yes / No: true only for Yes.
    virtual bool ask_yes(const QString& caption, const QString& text) = 0;
    // Two buttons and "Cancel": 1, 2 or 0.
    virtual int ask_choice(const QString& prompt, const QString& first, const QString& second) = 0;
    // Text input pre-filled with value; max_length 0 = no limit. True and the new value on OK.
    virtual bool ask_text(const QString& title, const QString& prompt, QString& value,
                          int max_length, InputKind kind) = 0;
    // Calendar: starts at date; true and the chosen date on OK.
    virtual bool ask_date(const QString& caption, Date& date) = 0;
    // Folder picker; true and the chosen folder on OK.
    virtual bool pick_folder(const QString& title, QString& folder) = 0;

    // Flash window. place: position and size the window (first show); otherwise only the text changes.
    virtual void flash_show(const QString& text, bool place) = 0;
    virtual void flash_hide() = 0;
    // One-shot display timer; the host calls qwel::flash_timer_tick() when it fires.
    virtual void flash_start_timer(int ms) = 0;
    virtual void flash_stop_timer() = 0;
    virtual void flash_reset() {}

    virtual void set_busy_cursor(bool busy) = 0;
    // Let pending window events run.
    virtual void process_events() {}
    // The program must stop (see StopKind); exit_code for the process.
    virtual void stop_application(StopKind kind, int exit_code) = 0;
};

// Installs the host (not owned); returns the previous one. With no host installed,
// messages go to standard error and every question is answered no / cancel.
DialogHost* install_dialog_host(DialogHost* host);
DialogHost* dialog_host();

void set_app_title(const QString& title);
QString app_title();
// Caption of the next dialogs: " " + prefix when set, else the application title.
void set_caption_prefix(const QString& prefix);
QString dialog_caption();

void set_trace(bool on);
bool trace_on();

// Messages and questions
void show_msg(const QString& text);
void program_error(const QString& text);
char ask_ync(const QString& text);
bool ask_yes(const QString& text);
bool ask_ok(const QString& text);
bool ask_sure(const QString& text);
bool ask_really_sure(const QString& text);
bool ask_continue(const QString& text);
void not_supported(const QString& what);
void trace(const QString& text);
int ask_choice(const QString& prompt, const QString& first, const QString& second);
bool ask_text(const QString& title, QString& value);
bool ask_text2(const QString& title, const QString& prompt, QString& value);
bool ask_text_max(const QString& title, QString& value, int max_length);
bool ask_int(const QString& prompt, int& value);
bool ask_amount(const QString& prompt, qint64& value);
bool ask_date(const QString& title, Date& date);
void set_folder_title(const QString& title);
bool pick_folder(QString& folder);

// Flash window
enum class FlashMode { Hidden = 0, Status = 1, Notice = 2 };
void flash_status(const QString& text);
void flash_notice(const QString& text);
void flash_progress(const QString& text);
void flash_last();
void flash_set_interval();
void flash_test();
void flash_reset();
void flash_timer_tick();
void set_flash_interval(int ms);
int flash_interval();
// Display time of a notice text under the current interval.
int flash_notice_ms(const QString& text);
FlashMode flash_mode();
QString flash_last_text();
// Flash colour as 0xRRGGBB; aqua until the core turns it light green at start.
void set_flash_colour(unsigned rgb);
unsigned flash_colour();

// Busy cursor
void busy_on();
void busy_off();
void busy_reset();
int busy_count();

// Pending window events
void process_events();

// Stop requests (recorded, then forwarded to the host)
void stop_application(StopKind kind, int exit_code);

// Scoped busy cursor
struct BusyCursor {
    BusyCursor() { busy_on(); }
    ~BusyCursor() { busy_off(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace qwel
