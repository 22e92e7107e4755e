#include "forms/qthost.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "forms/cal.h"
#include "forms/choice.h"
#include "forms/flash.h"
#include "forms/inpstr.h"
#include "forms/placement.h"
#include "forms/selfldr2.h"
#include "forms/uitext.h"

namespace mintor::forms {

namespace {

// A message box that places itself once Qt has sized it.
class PlacedBox : public QMessageBox {
public:
    QPoint want;
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        move(keep_on_screen(want, frameGeometry().size(), screen_area()));
    }
};

template <class T>
T* form(T*& global) {
    if (!global) new T;  // the form registers itself
    return global;
}

}  // namespace

QtDialogHost::QtDialogHost() { previous_ = qwel::install_dialog_host(this); }

QtDialogHost::~QtDialogHost() {
    if (qwel::dialog_host() == this) qwel::install_dialog_host(previous_);
}

int QtDialogHost::run_box(int icon, const QString& caption, const QString& text, int buttons, int escape) {
    PlacedBox box(static_cast<QMessageBox::Icon>(icon), caption, display_text(text),
                  static_cast<QMessageBox::StandardButtons>(buttons));
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (escape) box.setEscapeButton(static_cast<QMessageBox::StandardButton>(escape));
    const QPoint pointer = QCursor::pos();
    box.want = have_memory_ && pointer == box_pointer_ ? box_pos_ : pointer;
    if (busy_shown_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    if (busy_shown_) QApplication::restoreOverrideCursor();
    box_pos_ = box.pos();
    box_pointer_ = QCursor::pos();
    have_memory_ = true;
    return r;
}

void QtDialogHost::message(const QString& caption, const QString& text) {
    run_box(QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

char QtDialogHost::ask_ync(const QString& caption, const QString& text) {
    const int r = run_box(QMessageBox::Question, caption, text,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    switch (r) {
        case QMessageBox::Yes: return 'Y';
        case QMessageBox::No: return 'N';
        case QMessageBox::Cancel: return 'C';
        default: return ' ';
    }
}

bool QtDialogHost::ask_yes(const QString& caption, const QString& text) {
    return run_box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

int QtDialogHost::ask_choice(const QString& prompt, const QString& first, const QString& second) {
    return form(FChoice)->ask(prompt, first, second);
}

bool QtDialogHost::ask_text(const QString& title, const QString& prompt, QString& value, int max_length,
                            qwel::InputKind) {
    return form(FInpstr)->ask(title, prompt, value, max_length);
}

bool QtDialogHost::ask_date(const QString& caption, qwel::Date& date) { return form(FCal)->ask_date(caption, date); }

bool QtDialogHost::pick_folder(const QString& title, QString& folder) {
    return form(FSelfldr2)->pick(title, folder);
}

void QtDialogHost::flash_show(const QString& text, bool place) { form(FFlash)->show_text(text, place); }

void QtDialogHost::flash_hide() {
    if (FFlash) FFlash->hide_window();
}

void QtDialogHost::flash_start_timer(int ms) { form(FFlash)->start_timer(ms); }

void QtDialogHost::flash_stop_timer() {
    if (FFlash) FFlash->stop_timer();
}

void QtDialogHost::flash_reset() {
    delete FFlash;
    form(FFlash);
}

void QtDialogHost::set_busy_cursor(bool busy) {
    if (busy == busy_shown_) return;
    busy_shown_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void QtDialogHost::process_events() { QApplication::processEvents(); }

void QtDialogHost::stop_application(qwel::StopKind kind, int exit_code) {
    exit_code_ = exit_code;
    if (kind == qwel::StopKind::Immediate) {
        std::fflush(nullptr);
        ::_exit(exit_code);
    }
    if (stop_requested_) return;
    stop_requested_ = true;
    // The main form closes (closing the ledger and saving the settings) once the handler
    // that asked has returned; the event loop then ends with the exit code.
    QTimer::singleShot(0, qApp, [code = exit_code] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FCtrl") && w->isVisible()) w->close();
        QCoreApplication::exit(code);
    });
}

}  // namespace mintor::forms
