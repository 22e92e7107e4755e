#pragma once
// The program's start: the single-instance lock, the forms created in their fixed order with
// the core in the middle, the ledger opened, the start-of-database tasks started; and the
// end, where the forms go in reverse order and the main form last.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

namespace mintor::forms {

class TFCtrl;
class TFCore;

// One entry of the start-up lists: the form's class name and how to make it.
struct FormEntry {
    const char* name;
    std::function<QObject*()> create;
};

// Created after the main form and before the core, in this order.
const std::vector<FormEntry>& first_forms();
// Created once a ledger has opened, in this order.
const std::vector<FormEntry>& after_open_forms();

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up in program_folder; false when the program must end at once (another
    // copy runs, or the open stopped the program).
    bool start(const QString& program_folder);
    TFCtrl* main_form() const { return ctrl_; }
    TFCore* core_form() const { return core_; }
    bool after_open_created() const { return late_created_; }

private:
    void create_after_open();
    TFCtrl* ctrl_ = nullptr;
    TFCore* core_ = nullptr;
    std::vector<QObject*> forms_;
    bool late_created_ = false;
    bool locked_ = false;
    QString saved_folder_;
};

// The desktop program's main body; returns the exit code.
int run_program(int argc, char** argv);

}  // namespace mintor::forms
