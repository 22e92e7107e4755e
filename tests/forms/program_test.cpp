// The program's start over a real ledger and its main control form: the start-of-database
// tasks, the database panel, the recent-database menu, Esc and minimise, the Debug options,
// the accounts pop-up captions and the orderly close.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "core/connection.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "forms/clicklabel.h"
#include "forms/ctrl.h"
#include "forms/fcore.h"
#include "forms/notepad.h"
#include "forms/startup.h"
#include "qwellib/inifile.h"
#include "forms_support.h"
#include "support/ledger_fixture.h"

using namespace mintor::forms;
using testing_support::LedgerTest;

namespace {
const QString kNoBase = QStringLiteral("Use main menu \"Currencies\" to enter a Base Currency");
}

class ProgramTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        qwel::IniFile ini(folder + QStringLiteral("mintor.ini"));
        ini.write_string(QStringLiteral("main"), QStringLiteral("FBUSERNAME"), QStringLiteral("SYSDBA"));
        ini.write_string(QStringLiteral("main"), QStringLiteral("FBPASSWORD"), testing_support::fb_password());
        ini.write_string(QStringLiteral("main"), QStringLiteral("DB00"), ledger_path);
        ASSERT_TRUE(ini.save());
    }
    // Starts the program and lets the start-of-database tasks run.
    void start() {
        program = std::make_unique<Program>();
        ASSERT_TRUE(program->start(folder)) << host.messages().join(QStringLiteral(" | ")).toStdString();
        ctrl = program->main_form();
        ctrl->show();
        ASSERT_TRUE(ctrl->Timer1->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!ctrl->Timer1->isActive(), 10000);
        core = &program->core_form()->core;
    }
    void TearDown() override {
        program.reset();
        LedgerTest::TearDown();
    }
    QAction* action(const char* name) { return ctrl->findChild<QAction*>(QString::fromLatin1(name)); }

    std::unique_ptr<Program> program;
    TFCtrl* ctrl = nullptr;
    mintor::Core* core = nullptr;
};

TEST_F(ProgramTest, StartShowsTheLedgerOnceAndASecondStartIsRefused) {
    start();
    EXPECT_EQ(ctrl->dbvnlbl->text(), QStringLiteral("37"));
    EXPECT_EQ(host.messages().count(kNoBase), 1) << host.messages().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(ctrl->dblbl->text(), ledger_path);
    EXPECT_EQ(ctrl->dbstartlbl1->text(), QStringLiteral("0000-00-00"));
    EXPECT_EQ(ctrl->dbendlbl2->text(), QStringLiteral("This database is current"));
    EXPECT_EQ(ctrl->ToLbl->text(), qwel::format_date(qwel::today()) + QStringLiteral(" (today)"));
    // the ledger ini had no GenTo of today: the figures are out of date
    EXPECT_EQ(ctrl->Panel3->text(), QStringLiteral(" Rebalance needed"));
    EXPECT_EQ(ctrl->Panel3->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("LOCK.TXT")));

    Program second;
    EXPECT_FALSE(second.start(folder));
    EXPECT_TRUE(host.said(QStringLiteral("Program \"mintor\" is already running")));
    EXPECT_EQ(second.main_form(), nullptr);

    // the database name
    host.answer(QStringLiteral("Household 2026"));
    ctrl->Button2->click();
    EXPECT_EQ(ctrl->dbnamebx->text(), QStringLiteral("Household 2026"));
    EXPECT_EQ(mintor::query_value(*core, QStringLiteral("select pmstr from param where pmid = 4")).toString(),
              QStringLiteral("Household 2026"));

    // closing: the ledger closed, both ini files saved
    ctrl->close();
    EXPECT_FALSE(mintor::database_open(*core));
    qwel::IniFile prog(folder + QStringLiteral("mintor.ini"));
    prog.load();
    EXPECT_EQ(prog.read_int(QStringLiteral("main"), QStringLiteral("WHICHDB"), -1), 0);
    qwel::IniFile db(folder + QStringLiteral("data/mintordb.ini"));
    db.load();
    EXPECT_EQ(db.read_int(QStringLiteral("main"), QStringLiteral("GenTo"), 0), qwel::date_to_int(qwel::today()));
}

TEST_F(ProgramTest, RecentDatabases) {
    start();
    host.clear();
    const QString gone = folder + QStringLiteral("gone/mintor.fdb");
    core->program.recent[3] = gone;
    core->program.recent[5] = gone;
    ctrl->DatabaseMenuPopup();
    EXPECT_TRUE(ctrl->dbfn[0]->isVisible());
    EXPECT_TRUE(ctrl->dbfn[0]->isChecked());
    EXPECT_EQ(ctrl->dbfn[0]->text(), ledger_path);
    EXPECT_FALSE(ctrl->dbfn[1]->isVisible());
    EXPECT_TRUE(ctrl->dbfn[3]->isVisible());
    EXPECT_FALSE(ctrl->dbfn[3]->isChecked());
    EXPECT_FALSE(ctrl->Thisdb1->isVisible());  // the open ledger is in the list

    const QString question = QStringLiteral("File not found \"") + gone + QStringLiteral("\"\rRemove database name from list?");
    host.answer_no();
    ctrl->dbfn[3]->trigger();
    EXPECT_EQ(core->program.recent[3], gone);
    host.answer_yes();
    ctrl->dbfn[5]->trigger();
    EXPECT_TRUE(core->program.recent[3].isEmpty());
    EXPECT_TRUE(core->program.recent[5].isEmpty());
    EXPECT_EQ(host.questions(), (QStringList{question, question}));

    // another ledger: the secondary forms close before the exchange, then the tasks run again
    QDir(folder).mkpath(QStringLiteral("other"));
    chmod(QFile::encodeName(folder + QStringLiteral("other")).constData(), 0777);
    const QString other = folder + QStringLiteral("other/mintor.fdb");
    testing_support::copy_template(37, other);
    core->program.recent[1] = other;
    FNotepad->show_notepad();
    bool notepad_open_at_close = true;
    core->on_database_closed = [&] { notepad_open_at_close = FNotepad->isVisible(); };
    host.set_default_answer(true);
    ctrl->dbfn[1]->trigger();
    EXPECT_FALSE(notepad_open_at_close);
    EXPECT_EQ(core->current_path, other);
    EXPECT_EQ(ctrl->dblbl->text(), other);
    EXPECT_TRUE(ctrl->Timer1->isActive());
    core->on_database_closed = nullptr;
}

TEST_F(ProgramTest, EscAsksToExitOrMinimisesClosingTheOtherForms) {
    start();
    host.clear();
    host.answer_no();
    ctrl->Cancelbtn->click();
    EXPECT_EQ(host.questions(), QStringList{QStringLiteral("Exit program \"mintor\" - OK ?")});
    EXPECT_TRUE(ctrl->isVisible());

    action("Esctominimize1")->trigger();
    EXPECT_TRUE(core->settings.esc_to_minimize);
    ctrl->ToolsMenuPopup();
    EXPECT_TRUE(action("Esctominimize1")->isChecked());
    EXPECT_FALSE(action("Esctoclose1")->isChecked());
    FNotepad->show_notepad();
    ASSERT_TRUE(FNotepad->isVisible());
    ctrl->Cancelbtn->click();
    EXPECT_TRUE(ctrl->isMinimized());
    EXPECT_FALSE(FNotepad->isVisible());
    EXPECT_EQ(host.questions().size(), 1);
}

TEST_F(ProgramTest, DebugOptionsAndFreeze) {
    start();
    host.clear();
    // the wash switch: off only after the confirmation, and the figures are flagged
    mintor::set_rebalance_needed(*core, false);
    host.answer(2);
    host.answer_yes();
    ctrl->Washmnu->trigger();
    EXPECT_FALSE(core->run.wash_ctgies);
    EXPECT_TRUE(core->run.rebal_needed);
    EXPECT_TRUE(host.flash_text.endsWith(QStringLiteral("Wash... = FALSE")));
    ctrl->ToolsMenuPopup();
    EXPECT_EQ(ctrl->Washmnu->text(), QStringLiteral("Wash Category Balances FALSE"));
    EXPECT_EQ(ctrl->Interval1->text(), QStringLiteral("Flash interval = 1500ms"));
    EXPECT_EQ(host.questions(), (QStringList{QStringLiteral("Wash Category balance? [Wash (normal)/No wash (debug)]"),
                                             QStringLiteral("No wash - are you sure ?")}));

    // trace and simclick
    const bool trace = qwel::trace_on();
    ctrl->Trace1->trigger();
    EXPECT_NE(qwel::trace_on(), trace);
    qwel::set_trace(false);
    host.answer(2);
    ctrl->Simclick1->trigger();
    EXPECT_FALSE(program->core_form()->simclick_on);
    EXPECT_FALSE(ctrl->Simclick1->isChecked());

    // unfreezing an archive asks twice; no keeps it frozen
    core->params.end_date = qwel::Date{2020, 12, 31};
    core->settings.db_frozen = true;
    ctrl->DatabaseMenuPopup();
    EXPECT_TRUE(ctrl->Freeze1->isChecked());
    host.clear();
    host.answer_yes();
    host.answer_no();
    ctrl->Freeze1->trigger();
    EXPECT_TRUE(core->settings.db_frozen);
    EXPECT_TRUE(ctrl->Freeze1->isChecked());
    EXPECT_EQ(host.questions(), (QStringList{QStringLiteral("Allow changes to this archived database - are you sure ?"),
                                             QStringLiteral("... really really sure ?")}));
    core->params.end_date = qwel::Date{};

    // facilities of other parts not there yet, and Rebalance now
    host.clear();
    action("Currencies1")->trigger();
    EXPECT_TRUE(host.said(QStringLiteral("Currencies : this facility not currently supported")));
    core->run.rebal_in_progress = true;
    ctrl->rebalbtn->click();
    EXPECT_TRUE(host.said(QStringLiteral("Rebalance already in progress")));
    core->run.rebal_in_progress = false;
    mintor::set_rebalance_needed(*core, false);
    host.answer_no();
    ctrl->rebalbtn->click();
    EXPECT_EQ(host.questions().back(), QStringLiteral("Rebalance not needed - continue anyway? ?"));
}

TEST_F(ProgramTest, AccountsPopupCaptions) {
    start();
    core->run.base_ccy = QStringLiteral("GBP");
    core->run.bals_ccy = QStringLiteral("EUR");
    struct Case {
        const char* item;  // the radio item chosen
        int type;
        const char* list;
        bool currency_enabled;
    };
    const Case cases[] = {
        {"External1", 1, "List Accounts  ( EUR selected)", true},
        {"Internal1", 6, "List Accounts  (always GBP)", false},
        {"Counterparties1", 4, "List Accounts  (all currencies)", true},
    };
    for (const Case& c : cases) {
        action(c.item)->trigger();
        EXPECT_EQ(ctrl->seltype(), c.type);
        ctrl->PopupMenu1Popup();
        EXPECT_EQ(ctrl->select1->text(), QString::fromLatin1(c.list));
        EXPECT_EQ(ctrl->currency1->isEnabled(), c.currency_enabled) << c.item;
        EXPECT_EQ(ctrl->values1->isEnabled(), c.type == 1) << c.item;
    }
    EXPECT_EQ(ctrl->balancesmovements1->text(), QStringLiteral("List Groups     (all currencies)"));
    EXPECT_EQ(ctrl->MenuItem2->text(), QStringLiteral("External  ( EUR selected)"));
    EXPECT_EQ(ctrl->MenuItem3->text(), QStringLiteral("Internal  (always GBP)"));
    EXPECT_EQ(ctrl->currency1->text(), QStringLiteral("Currency = EUR"));
    EXPECT_EQ(ctrl->values1->text(), QStringLiteral("Values ( at ") + ctrl->ToLbl->text() + QStringLiteral(" )"));
    EXPECT_EQ(ctrl->frzbefore->text(), QStringLiteral("Freeze"));

    // the account posting freeze date
    host.answer(qwel::Date{2024, 3, 31});
    ctrl->frzbefore->trigger();
    EXPECT_EQ(core->settings.freeze_before, 20240331);
    ctrl->PopupMenu1Popup();
    EXPECT_EQ(ctrl->frzbefore->text(), QStringLiteral("Freeze on/before 2024-03-31"));
    host.answer(2);
    ctrl->frzbefore->trigger();
    EXPECT_EQ(core->settings.freeze_before, 0);
}
