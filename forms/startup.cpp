#include "forms/startup.h"

#include <QApplication>
#include <QTimer>

#include "core/connection.h"
#include "forms/about.h"
#include "forms/cal.h"
#include "forms/choice.h"
#include "forms/clpbd2.h"
#include "forms/ctrl.h"
#include "forms/fcore.h"
#include "forms/flash.h"
#include "forms/inpstr.h"
#include "forms/lock.h"
#include "forms/notepad.h"
#include "forms/pdets.h"
#include "forms/ptg.h"
#include "forms/qthost.h"
#include "forms/rebal.h"
#include "forms/selfldr2.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor::forms {

const std::vector<FormEntry>& first_forms() {
    static const std::vector<FormEntry> list = {
        {"TFAbout1", [] { return new TFAbout1; }},
        {"TFFlash", [] { return new TFFlash; }},
        {"TFinpstr", [] { return new TFinpstr; }},
        {"TFnotepad", [] { return new TFnotepad; }},
        {"TFselfldr2", [] { return new TFselfldr2; }},
        {"TFCal", [] { return new TFCal; }},
        {"TFchoice", [] { return new TFchoice; }},
        {"TFClpBd2", [] { return new TFClpBd2; }},
        {"TFPtg", [] { return new TFPtg; }},
        {"TFpdets", [] { return new TFpdets; }},
    };
    return list;
}

const std::vector<FormEntry>& after_open_forms() {
    static const std::vector<FormEntry> list = {
        {"TFRebal", [] { return new TFRebal; }},
    };
    return list;
}

Program::Program() = default;

Program::~Program() {
    // the forms go in reverse order of creation, the core just before the main form
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    delete core_;
    delete ctrl_;
    if (locked_) release_instance_lock();
    if (!saved_folder_.isEmpty()) qwel::set_program_folder(saved_folder_);
}

bool Program::start(const QString& program_folder) {
    // every file of the program folder (ini files, notepad, lock) is looked for here
    saved_folder_ = qwel::program_folder();
    qwel::set_program_folder(program_folder);
    if (instance_already_running(program_folder, qwel::app_title())) return false;
    locked_ = true;
    ctrl_ = new TFCtrl(program_folder);
    for (const FormEntry& e : first_forms()) forms_.push_back(e.create());
    QApplication::processEvents();

    core_ = new TFCore(program_folder);
    ctrl_->attach_core(&core_->core);
    QObject::connect(ctrl_, &TFCtrl::database_changed, ctrl_, [this](bool ok) {
        if (ok) create_after_open();
    });
    if (open_at_start(core_->core)) {
        create_after_open();
        QApplication::processEvents();
        ctrl_->Timer1->start();
    }
    return !core_->core.terminating;
}

void Program::create_after_open() {
    // made once, after the first ledger that opens
    if (late_created_) return;
    late_created_ = true;
    for (const FormEntry& e : after_open_forms()) forms_.push_back(e.create());
}

int run_program(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mintor"));
    qwel::set_app_title(QStringLiteral("mintor"));
    QtDialogHost host;
    int rc = 1;
    {
        Program program;
        if (program.start(qwel::program_folder()) && !host.stop_requested()) {
            program.main_form()->show();
            rc = app.exec();
        }
        if (host.stop_requested()) rc = host.exit_code();
    }
    return rc;
}

}  // namespace mintor::forms
