#include "forms/ctrl.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config.h"
#include "core/connection.h"
#include "core/core.h"
#include "core/dbstatus.h"
#include "core/params.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "core/undo.h"
#include "forms/about.h"
#include "forms/clicklabel.h"
#include "forms/fcore.h"
#include "forms/flash.h"
#include "forms/mainhooks.h"
#include "forms/mydbgridb.h"
#include "forms/notepad.h"
#include "forms/uitext.h"
#include "qwellib/amounts.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor::forms {

using namespace qwel;

TFCtrl* FCtrl = nullptr;

namespace {
const QString kCR = QStringLiteral("\r");

QLabel* caption_label(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QFrame* panel(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

// Runs a hook of another part, or says that the facility is not there.
template <class F, class... Args>
void run_hook(const F& f, const QString& what, Args... args) {
    if (f)
        f(args...);
    else
        not_supported(what);
}
}  // namespace

TFCtrl::TFCtrl(const QString& program_folder, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FCtrl"));
    setWindowTitle(app_title());
    if (!FCtrl) FCtrl = this;
    build_panels();
    build_menus();
    build_popup();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TFCtrl::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &TFCtrl::Timer2Timer);
    Timer2->start();

    resize(sizeHint().expandedTo(QSize(560, 0)));
    open_forms_ini(program_folder + QStringLiteral("FORMS.INI"));
    restore_form_geometry(this);
}

TFCtrl::~TFCtrl() {
    if (core_) core_->on_view_changed = nullptr;
    save_form_geometry(this);
    close_forms_ini();
    if (FCtrl == this) FCtrl = nullptr;
}

void TFCtrl::build_panels() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(6, 6, 6, 6);

    Panel1 = panel(central, "Panel1");
    auto* g = new QGridLayout(Panel1);
    g->addWidget(caption_label(Panel1, QStringLiteral("Database")), 0, 0);
    dbnamebx = new QLineEdit(Panel1);
    dbnamebx->setObjectName(QStringLiteral("dbnamebx"));
    dbnamebx->setReadOnly(true);
    g->addWidget(dbnamebx, 0, 1, 1, 2);
    Button2 = new QPushButton(QStringLiteral("Edit"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setToolTip(QStringLiteral("Change database name"));
    g->addWidget(Button2, 0, 3);
    g->addWidget(caption_label(Panel1, QStringLiteral("Location")), 1, 0);
    dblbl = new QLabel(Panel1);
    dblbl->setObjectName(QStringLiteral("dblbl"));
    dblbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(dblbl, 1, 1, 1, 3);
    g->addWidget(caption_label(Panel1, QStringLiteral("Version")), 2, 0);
    dbvnlbl = new QLabel(Panel1);
    dbvnlbl->setObjectName(QStringLiteral("dbvnlbl"));
    g->addWidget(dbvnlbl, 2, 1, 1, 3);
    g->addWidget(caption_label(Panel1, QStringLiteral("Start")), 3, 0);
    dbstartlbl1 = new ClickLabel(Panel1);
    dbstartlbl1->setObjectName(QStringLiteral("dbstartlbl1"));
    dbstartlbl1->setToolTip(QStringLiteral("Click to change the database start date"));
    dbstartlbl1->setCursor(Qt::PointingHandCursor);
    g->addWidget(dbstartlbl1, 3, 1, Qt::AlignTop);
    dbstartlbl2 = new QLabel(Panel1);
    dbstartlbl2->setObjectName(QStringLiteral("dbstartlbl2"));
    g->addWidget(dbstartlbl2, 3, 2, 1, 2);
    g->addWidget(caption_label(Panel1, QStringLiteral("End")), 4, 0);
    dbendlbl1 = new ClickLabel(Panel1);
    dbendlbl1->setObjectName(QStringLiteral("dbendlbl1"));
    dbendlbl1->setToolTip(QStringLiteral("Click to change the database end date"));
    dbendlbl1->setCursor(Qt::PointingHandCursor);
    g->addWidget(dbendlbl1, 4, 1, Qt::AlignTop);
    dbendlbl2 = new QLabel(Panel1);
    dbendlbl2->setObjectName(QStringLiteral("dbendlbl2"));
    g->addWidget(dbendlbl2, 4, 2, 1, 2);
    g->setColumnStretch(2, 1);
    for (QLabel* l : {static_cast<QLabel*>(dbstartlbl1), static_cast<QLabel*>(dbendlbl1)}) {
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
    }
    v->addWidget(Panel1);

    Panel2 = panel(central, "Panel2");
    auto* p = new QHBoxLayout(Panel2);
    p->addWidget(new QLabel(QStringLiteral("Period  from"), Panel2));
    FromLbl = new QLabel(Panel2);
    FromLbl->setObjectName(QStringLiteral("FromLbl"));
    p->addWidget(FromLbl);
    p->addSpacing(12);
    p->addWidget(new QLabel(QStringLiteral("to"), Panel2));
    ToLbl = new QLabel(Panel2);
    ToLbl->setObjectName(QStringLiteral("ToLbl"));
    p->addWidget(ToLbl);
    p->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Change"), Panel2);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Change the period"));
    p->addWidget(Button1);
    v->addWidget(Panel2);

    auto* status = new QHBoxLayout;
    Panel3 = new QLabel(central);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameShape(QFrame::StyledPanel);
    Panel3->setFrameShadow(QFrame::Sunken);
    Panel3->setMinimumHeight(28);
    paint_background(Panel3, kSilver);
    status->addWidget(Panel3, 1);
    rebalbtn = new QPushButton(QStringLiteral("Rebalance now"), central);
    rebalbtn->setObjectName(QStringLiteral("rebalbtn"));
    status->addWidget(rebalbtn);
    v->addLayout(status);
    v->addStretch(1);

    Cancelbtn = new QPushButton(QStringLiteral("Cancel"), central);
    Cancelbtn->setObjectName(QStringLiteral("Cancelbtn"));
    Cancelbtn->hide();
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, Cancelbtn, &QPushButton::click);

    connect(Cancelbtn, &QPushButton::clicked, this, &TFCtrl::CancelbtnClick);
    connect(Button1, &QPushButton::clicked, this, &TFCtrl::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFCtrl::Button2Click);
    connect(rebalbtn, &QPushButton::clicked, this, &TFCtrl::rebalbtnClick);
    connect(dbstartlbl1, &ClickLabel::clicked, this, [this] {
        if (core_ && database_open(*core_)) edit_db_start_date(*core_);
    });
    connect(dbendlbl1, &ClickLabel::clicked, this, [this] {
        if (core_ && database_open(*core_)) edit_db_end_date(*core_);
    });
}

QAction* TFCtrl::item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void TFCtrl::hook(QAction* a, const QString& what, std::function<void()> run) {
    connect(a, &QAction::triggered, this, [what, run = std::move(run)] { run_hook(run, what); });
}

void TFCtrl::build_menus() {
    MainHooks& h = main_hooks();
    QMenuBar* bar = menuBar();

    Close1 = bar->addMenu(QStringLiteral("&Close"));
    Close1->setObjectName(QStringLiteral("Close1"));
    connect(item(Close1, "Minimize1", QStringLiteral("Minimize")), &QAction::triggered, this, &QWidget::showMinimized);
    connect(item(Close1, "Exitprogram1", QStringLiteral("Exit program")), &QAction::triggered, this, &QWidget::close);

    QAction* currencies = bar->addAction(QStringLiteral("&Currencies"));
    currencies->setObjectName(QStringLiteral("Currencies1"));
    connect(currencies, &QAction::triggered, this, [&h] { run_hook(h.currencies, QStringLiteral("Currencies")); });

    QAction* accounts = bar->addAction(QStringLiteral("&Accounts"));
    accounts->setObjectName(QStringLiteral("Accounts1"));
    accounts->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    addAction(accounts);
    connect(accounts, &QAction::triggered, this, [this] {
        popup_anchor_ = QCursor::pos();
        PopupMenu1->popup(popup_anchor_);
    });

    Transactions1 = bar->addMenu(QStringLiteral("&Transactions"));
    Transactions1->setObjectName(QStringLiteral("Transactions1"));
    connect(item(Transactions1, "New1", QStringLiteral("New")), &QAction::triggered, this, &TFCtrl::NewTxnClick);
    connect(item(Transactions1, "Templates1", QStringLiteral("Templates")), &QAction::triggered, this,
            [&h] { run_hook(h.templates, QStringLiteral("Templates")); });
    connect(item(Transactions1, "Lastinput1", QStringLiteral("Last input")), &QAction::triggered, this,
            &TFCtrl::LastinputClick);
    connect(item(Transactions1, "Lastedited1", QStringLiteral("Last edited")), &QAction::triggered, this,
            [&h] { run_hook(h.show_txn_details, QStringLiteral("Last edited"), h.last_txn_id); });
    connect(item(Transactions1, "Search1", QStringLiteral("&Search")), &QAction::triggered, this,
            [&h] { run_hook(h.txn_search, QStringLiteral("Search")); });
    connect(item(Transactions1, "Dayswheninput1", QStringLiteral("Days when input")), &QAction::triggered, this,
            [&h] { run_hook(h.input_days, QStringLiteral("Days when input")); });
    connect(item(Transactions1, "Journal1", QStringLiteral("&Journal")), &QAction::triggered, this,
            [&h] { run_hook(h.journal, QStringLiteral("Journal")); });
    connect(item(Transactions1, "Repeaters1", QStringLiteral("&Repeaters")), &QAction::triggered, this,
            [&h] { run_hook(h.repeaters, QStringLiteral("Repeaters")); });
    connect(item(Transactions1, "Reminders1", QStringLiteral("Reminders")), &QAction::triggered, this,
            [&h] { run_hook(h.reminders, QStringLiteral("Reminders")); });
    connect(item(Transactions1, "Diaryentry1", QStringLiteral("Diary entry")), &QAction::triggered, this,
            [&h] { run_hook(h.diary_entry, QStringLiteral("Diary entry")); });

    QAction* analysis = bar->addAction(QStringLiteral("A&nalysis"));
    analysis->setObjectName(QStringLiteral("Analysis1"));
    connect(analysis, &QAction::triggered, this, [&h] { run_hook(h.analysis, QStringLiteral("Analysis")); });

    Database1 = bar->addMenu(QStringLiteral("&Database"));
    Database1->setObjectName(QStringLiteral("Database1"));
    for (int i = 0; i < 10; ++i) {
        const QByteArray name = "dbfn" + QByteArray::number(i);
        dbfn[size_t(i)] = item(Database1, name.constData(), QString());
        dbfn[size_t(i)]->setCheckable(true);
        dbfn[size_t(i)]->setVisible(false);
        connect(dbfn[size_t(i)], &QAction::triggered, this, [this, i] { dbfnClick(i); });
    }
    Browse1 = item(Database1, "Browse1", QStringLiteral("Browse"));
    connect(Browse1, &QAction::triggered, this, &TFCtrl::BrowseClick);
    Database1->addSeparator();
    Thisdb1 = item(Database1, "Thisdb1", QStringLiteral("This db"));
    connect(item(Database1, "Statistics1", QStringLiteral("Statistics")), &QAction::triggered, this,
            [&h] { run_hook(h.statistics, QStringLiteral("Statistics")); });
    connect(item(Database1, "Healthcheck1", QStringLiteral("&Healthcheck")), &QAction::triggered, this,
            [&h] { run_hook(h.healthcheck, QStringLiteral("Healthcheck")); });
    connect(item(Database1, "Archive1", QStringLiteral("&Archive")), &QAction::triggered, this, [&h] {
        if (!h.archive) {
            not_supported(QStringLiteral("Archive"));
            return;
        }
        if (h.archive() && h.repair) h.repair();
    });
    Freeze1 = item(Database1, "Freeze1", QStringLiteral("Freeze"));
    Freeze1->setCheckable(true);
    connect(Freeze1, &QAction::triggered, this, &TFCtrl::FreezeClick);
    connect(Database1, &QMenu::aboutToShow, this, &TFCtrl::DatabaseMenuPopup);

    Tools1 = bar->addMenu(QStringLiteral("T&ools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    connect(item(Tools1, "Notepad1", QStringLiteral("&Notepad")), &QAction::triggered, this, [] {
        if (FNotepad) FNotepad->show_notepad();
    });
    connect(item(Tools1, "Calendar1", QStringLiteral("&Calendar")), &QAction::triggered, this, [] {
        Date d = today();
        ask_date(QString(), d);
    });
    FlashMenu = Tools1->addMenu(QStringLiteral("Flash messages"));
    FlashMenu->setObjectName(QStringLiteral("Flashmessages1"));
    Lastmessage1 = item(FlashMenu, "Lastmessage1", QStringLiteral("Last message"));
    connect(Lastmessage1, &QAction::triggered, this, [] { flash_last(); });
    Interval1 = item(FlashMenu, "Interval1", QStringLiteral("Interval"));
    connect(Interval1, &QAction::triggered, this, [] { flash_set_interval(); });
    connect(item(FlashMenu, "Test1", QStringLiteral("Test")), &QAction::triggered, this, [] { flash_test(); });

    Debug1 = Tools1->addMenu(QStringLiteral("&Debug"));
    Debug1->setObjectName(QStringLiteral("Debug1"));
    connect(item(Debug1, "Rebalrebuild1", QStringLiteral("&Rebalance + rebuild hierarchy")), &QAction::triggered,
            this, [this, &h] {
                if (!core_ || !ask_ok(QStringLiteral("Rebuild account paths + Rebalance"))) return;
                set_reset_paths(*core_);
                run_hook(h.rebalance, QStringLiteral("Rebalance"));
            });
    connect(item(Debug1, "Reopentables1", QStringLiteral("Re-&open tables")), &QAction::triggered, this,
            [] { ask_ok(QStringLiteral("Re-open tables")); });
    connect(item(Debug1, "Hourglassoff1", QStringLiteral("Hourglass off")), &QAction::triggered, this,
            [] { busy_reset(); });
    connect(item(Debug1, "Commit1", QStringLiteral("Commit database transaction")), &QAction::triggered, this,
            [this] {
                if (!core_ || !database_open(*core_)) return;
                if (ask_ok(QStringLiteral("Force commit of any database updates")))
                    run_undoable(*core_, [this] { commit_work(*core_); });
            });
    connect(item(Debug1, "Resetflash1", QStringLiteral("Reset flash messaging")), &QAction::triggered, this,
            [] { flash_reset(); });
    connect(item(Debug1, "Testmessage1", QStringLiteral("Test message")), &QAction::triggered, this,
            [] { show_msg(QStringLiteral("Msg window is modal which kills Minimize button grr")); });
    Simclick1 = item(Debug1, "Simclick1", QStringLiteral("Simclick ?"));
    Simclick1->setCheckable(true);
    Simclick1->setChecked(true);
    connect(Simclick1, &QAction::triggered, this, &TFCtrl::SimclickClick);
    Washmnu = item(Debug1, "Washmnu", QStringLiteral("Wash Category Balances ?"));
    Washmnu->setCheckable(true);
    connect(Washmnu, &QAction::triggered, this, &TFCtrl::WashClick);
    Trace1 = item(Debug1, "Trace1", QStringLiteral("Trace messages ?"));
    Trace1->setCheckable(true);
    connect(Trace1, &QAction::triggered, this, &TFCtrl::TraceClick);

    Options1 = Tools1->addMenu(QStringLiteral("Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    Esctominimize1 = item(Options1, "Esctominimize1", QStringLiteral("ESC to minimize"));
    Esctoclose1 = item(Options1, "Esctoclose1", QStringLiteral("ESC to close program"));
    for (QAction* a : {Esctominimize1, Esctoclose1}) a->setCheckable(true);
    connect(Esctominimize1, &QAction::triggered, this, [this] {
        if (core_) core_->settings.esc_to_minimize = true;
        ToolsMenuPopup();
    });
    connect(Esctoclose1, &QAction::triggered, this, [this] {
        if (core_) core_->settings.esc_to_minimize = false;
        ToolsMenuPopup();
    });
    connect(Tools1, &QMenu::aboutToShow, this, &TFCtrl::ToolsMenuPopup);

    QAction* about = bar->addAction(QStringLiteral("A&bout"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [] {
        if (FAbout1) FAbout1->show_about();
    });
}

void TFCtrl::build_popup() {
    MainHooks& h = main_hooks();
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto* types = new QActionGroup(this);
    External1 = item(PopupMenu1, "External1", QStringLiteral("External (owed by/to me)"));
    Internal1 = item(PopupMenu1, "Internal1", QStringLiteral("Internal"));
    Counterparties1 = item(PopupMenu1, "Counterparties1", QStringLiteral("Counterparties"));
    const std::pair<QAction*, int> type_items[] = {{External1, 1}, {Internal1, 6}, {Counterparties1, 4}};
    for (auto [a, type] : type_items) {
        a->setCheckable(true);
        types->addAction(a);
        connect(a, &QAction::triggered, this, [this, type] {
            seltype_ = type;
            popup_again();
        });
    }
    External1->setChecked(true);
    currency1 = item(PopupMenu1, "currency1", QStringLiteral("Currency = "));
    connect(currency1, &QAction::triggered, this, &TFCtrl::CurrencyClick);
    PopupMenu1->addSeparator();
    select1 = item(PopupMenu1, "select1", QStringLiteral("List Accounts  "));
    connect(select1, &QAction::triggered, this, [this, &h] { run_hook(h.list_accounts, QStringLiteral("List accounts"), seltype_); });
    balancesmovements1 = item(PopupMenu1, "balancesmovements1", QStringLiteral("List Groups     "));
    connect(balancesmovements1, &QAction::triggered, this,
            [this, &h] { run_hook(h.balances_view, QStringLiteral("List groups"), seltype_); });
    QMenu* hierarchy = PopupMenu1->addMenu(QStringLiteral("Hierarchy"));
    hierarchy->setObjectName(QStringLiteral("Hierarchy1"));
    MenuItem2 = item(hierarchy, "MenuItem2", QStringLiteral("External  "));
    MenuItem3 = item(hierarchy, "MenuItem3", QStringLiteral("Internal  "));
    connect(MenuItem2, &QAction::triggered, this, [this] { HierarchyClick(1); });
    connect(MenuItem3, &QAction::triggered, this, [this] { HierarchyClick(6); });
    connect(item(PopupMenu1, "Search2", QStringLiteral("Search")), &QAction::triggered, this,
            [this, &h] { run_hook(h.acc_search, QStringLiteral("Search"), seltype_); });
    values1 = item(PopupMenu1, "values1", QStringLiteral("Values"));
    connect(values1, &QAction::triggered, this, [&h] { run_hook(h.acc_values, QStringLiteral("Values")); });
    QMenu* add = PopupMenu1->addMenu(QStringLiteral("New"));
    add->setObjectName(QStringLiteral("New2"));
    connect(item(add, "Newaccount1", QStringLiteral("New account")), &QAction::triggered, this,
            [this, &h] { run_hook(h.new_account, QStringLiteral("New account"), seltype_); });
    connect(item(add, "Newgroup1", QStringLiteral("New group")), &QAction::triggered, this,
            [&h] { run_hook(h.new_group, QStringLiteral("New group")); });
    connect(item(PopupMenu1, "Diary1", QStringLiteral("Diary")), &QAction::triggered, this,
            [&h] { run_hook(h.diary_postings, QStringLiteral("Diary")); });
    connect(item(PopupMenu1, "Seekaccount1", QStringLiteral("Seek account by id")), &QAction::triggered, this,
            &TFCtrl::SeekAccountClick);
    frzbefore = item(PopupMenu1, "frzbefore", QStringLiteral("Freeze"));
    connect(frzbefore, &QAction::triggered, this, &TFCtrl::frzbeforeClick);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TFCtrl::PopupMenu1Popup);
}


// ---- the core's state on the form

void TFCtrl::attach_core(Core* core) {
    if (core_) core_->on_view_changed = nullptr;
    core_ = core;
    if (core_) core_->on_view_changed = [this] { refresh_view(); };
    refresh_view();
}

void TFCtrl::refresh_view() {
    if (!core_) return;
    const MainFormView& v = core_->view;
    FromLbl->setText(v.from_lbl);
    ToLbl->setText(v.to_lbl);
    Panel3->setText(v.panel3_caption);
    paint_background(Panel3, v.panel3_colour);
    dblbl->setText(v.dblbl);
    dbnamebx->setText(v.dbnamebx);
    dbstartlbl1->setText(v.dbstartlbl1);
    dbstartlbl2->setText(display_text(v.dbstartlbl2));
    dbendlbl1->setText(v.dbendlbl1);
    dbendlbl2->setText(display_text(v.dbendlbl2));
}

// ---- start-of-database tasks and the day change

void TFCtrl::Timer1Timer() {
    Timer1->stop();
    MainHooks& h = main_hooks();
    if (h.reminder_check) h.reminder_check();
    bring_reminders_front();
    if (!core_ || !database_open(*core_)) return;
    show_rebal_state(*core_);
    // The base currency was checked (and a missing one reported) by the open just before.
    if (core_->settings.period_type > 0 && h.period_reset) h.period_reset();
    dbvnlbl->setText(QString::number(core_->params.dbvn));
}

void TFCtrl::Timer2Timer() {
    if (core_ && database_open(*core_) && day_changed(*core_)) show_rebal_state(*core_);
}

void TFCtrl::bring_reminders_front() {
    MainHooks& h = main_hooks();
    QWidget* r = h.reminders_form ? h.reminders_form() : nullptr;
    if (r && r->isVisible()) {
        r->raise();
        r->activateWindow();
    }
}

void TFCtrl::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (core_ && !core_->terminating) bring_reminders_front();
}

// ---- closing, Esc and minimise

void TFCtrl::closeEvent(QCloseEvent* e) {
    if (!closed_) {
        closed_ = true;
        if (FNotepad) FNotepad->close();
        if (core_) {
            close_database(*core_);
            save_program_ini(*core_);
        }
    }
    e->accept();
    QCoreApplication::quit();
}

void TFCtrl::CancelbtnClick() {
    if (core_ && core_->settings.esc_to_minimize) {
        showMinimized();
        return;
    }
    if (ask_yes(QStringLiteral("Exit program ") + dquote(app_title()) + QStringLiteral(" - OK ?"))) close();
}

void TFCtrl::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !isMinimized() || minimising_) return;
    minimising_ = true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || w == FFlash || !w->isVisible() || qobject_cast<QMenu*>(w)) continue;
        w->close();
    }
    minimising_ = false;
}

void TFCtrl::close_other_forms() {
    for (QWidget* w : closable_forms()) {
        if (!w->isVisible()) continue;
        if (w->isMinimized()) w->showNormal();
        w->close();
    }
}

// ---- panels and buttons

void TFCtrl::Button1Click() {
    if (!core_) return;
    run_hook(main_hooks().period_form, QStringLiteral("Period"));
    show_rebal_state(*core_);
}

void TFCtrl::Button2Click() {
    if (!core_ || !database_open(*core_)) return;
    QString name = core_->params.name;
    if (!ask_text(QStringLiteral("Edit database name"), name)) return;
    run_undoable(*core_, [&] { write_db_name(*core_, name); });
}

void TFCtrl::rebalbtnClick() {
    if (!core_) return;
    if (core_->run.rebal_in_progress) {
        show_msg(QStringLiteral("Rebalance already in progress"));
        return;
    }
    if (core_->run.rebal_needed || ask_continue(QStringLiteral("Rebalance not needed")))
        run_hook(main_hooks().rebalance, QStringLiteral("Rebalance"));
}

// ---- main menu

void TFCtrl::NewTxnClick() {
    MainHooks& h = main_hooks();
    if (!h.new_txn) {
        not_supported(QStringLiteral("New transaction"));
        return;
    }
    int id = 0;
    if (!h.new_txn(id) || !core_) return;
    if (!run_undoable(*core_, [this] { commit_work(*core_); })) return;
    h.last_txn_id = id;
    run_hook(h.show_txn_details, QStringLiteral("Transaction details"), id);
}

void TFCtrl::LastinputClick() {
    MainHooks& h = main_hooks();
    if (h.last_txn_id == 0 && core_ && database_open(*core_))
        run_undoable(*core_, [&] {
            h.last_txn_id = int(query_int64(*core_, QStringLiteral("select max(id) as maxid from txn")));
        });
    run_hook(h.show_txn_details, QStringLiteral("Last input"), h.last_txn_id);
}

void TFCtrl::DatabaseMenuPopup() {
    if (!core_) {
        for (QAction* a : dbfn) a->setVisible(false);
        Thisdb1->setVisible(false);
        return;
    }
    Freeze1->setChecked(core_->settings.db_frozen);
    Thisdb1->setText(double_ampersands(QStringLiteral("This database = ") + core_->db().databaseName()));
    Thisdb1->setVisible(true);
    for (int i = 0; i < 10; ++i) {
        const QString& path = core_->program.recent[size_t(i)];
        QAction* a = dbfn[size_t(i)];
        a->setVisible(!path.isEmpty());
        a->setText(double_ampersands(path));
        const bool current = !path.isEmpty() && path == core_->current_path;
        a->setChecked(current);
        if (current) Thisdb1->setVisible(false);
    }
}

void TFCtrl::change_database(const QString& path) {
    if (!core_) return;
    core_->database_path = path;
    close_other_forms();
    const bool ok = switch_database(*core_);
    refresh_view();
    emit database_changed(ok);
    if (ok) Timer1->start();
}

void TFCtrl::dbfnClick(int slot) {
    if (!core_) return;
    const QString path = core_->program.recent[size_t(slot)];
    if (path.isEmpty()) return;
    if (QFile::exists(path)) {
        change_database(path);
        return;
    }
    if (ask_yes(QStringLiteral("File not found ") + dquote(path) + kCR + QStringLiteral("Remove database name from list?")))
        drop_recent(*core_, path);
}

void TFCtrl::BrowseClick() {
    if (!core_) return;
    set_folder_title(QStringLiteral("Select folder containing mintor.fdb"));
    QString folder = core_->current_path.isEmpty() ? core_->program_folder : core_->current_path.section(QLatin1Char('/'), 0, -2);
    if (!pick_folder(folder)) return;
    const QString path = folder + QStringLiteral("mintor.fdb");
    if (!QFile::exists(path)) {
        show_msg(QStringLiteral("File not found") + kCR + path);
        return;
    }
    change_database(path);
}

void TFCtrl::FreezeClick() {
    if (!core_) {
        Freeze1->setChecked(false);
        return;
    }
    Freeze1->setChecked(set_db_frozen(*core_, Freeze1->isChecked()));
}

void TFCtrl::ToolsMenuPopup() {
    Trace1->setChecked(trace_on());
    Interval1->setText(QStringLiteral("Flash interval = ") + QString::number(flash_interval()) + QStringLiteral("ms"));
    const bool esc_min = core_ && core_->settings.esc_to_minimize;
    Esctominimize1->setChecked(esc_min);
    Esctoclose1->setChecked(!esc_min);
    const bool wash = !core_ || core_->run.wash_ctgies;
    Washmnu->setText(QStringLiteral("Wash Category Balances ") + bool_text(wash));
    Washmnu->setChecked(wash);
    Lastmessage1->setEnabled(!flash_last_text().isEmpty());
}

void TFCtrl::SimclickClick() {
    const int c = ask_choice(QStringLiteral("simclick : simulates a mouse click on a form's background") + kCR +
                                 QStringLiteral(" when opening the form"),
                             QStringLiteral("simclick ON"), QStringLiteral("simclick OFF"));
    bool on = FCore ? FCore->simclick_on : Simclick1->isChecked();
    if (c == 1) on = true;
    if (c == 2) on = false;
    if (FCore) FCore->simclick_on = on;
    Simclick1->setChecked(on);
    if (c != 0) flash_notice(QStringLiteral("Simclick ?") + QStringLiteral(" = ") + bool_text(on));
}

void TFCtrl::WashClick() {
    if (!core_) return;
    show_msg(QStringLiteral("Prior to the current period, Category balances are normally washed to the default Pot.") +
             kCR + QStringLiteral("Switch this off for debugging, so that Categories retain their balances at all times"));
    const bool before = core_->run.wash_ctgies;
    const int c = ask_choice(QStringLiteral("Wash Category balance?"), QStringLiteral("Wash (normal)"),
                             QStringLiteral("No wash (debug)"));
    if (c == 1) core_->run.wash_ctgies = true;
    if (c == 2 && ask_sure(QStringLiteral("No wash"))) core_->run.wash_ctgies = false;
    // the figures no longer match the switch
    if (core_->run.wash_ctgies != before) set_rebalance_needed(*core_, true);
    flash_notice(QStringLiteral("Wash... = ") + bool_text(core_->run.wash_ctgies));
    ToolsMenuPopup();
}

void TFCtrl::TraceClick() {
    set_trace(!trace_on());
    Trace1->setChecked(trace_on());
    flash_notice(QStringLiteral("Trace messages = ") + bool_text(trace_on()));
}

// ---- accounts pop-up

void TFCtrl::popup_again() {
    QTimer::singleShot(0, this, [this] { PopupMenu1->popup(popup_anchor_); });
}

void TFCtrl::PopupMenu1Popup() {
    const QString ccy = core_ ? core_->run.bals_ccy : QString();
    const QString base = core_ ? core_->run.base_ccy : QString();
    const QString selected = QStringLiteral("( ") + ccy + QStringLiteral(" selected)");
    const QString always = QStringLiteral("(always ") + base + QStringLiteral(")");
    QString suffix = selected;
    if (seltype_ == 4) suffix = QStringLiteral("(all currencies)");
    if (seltype_ == 6) suffix = always;
    External1->setChecked(seltype_ == 1);
    Internal1->setChecked(seltype_ == 6);
    Counterparties1->setChecked(seltype_ == 4);
    values1->setText(QStringLiteral("Values ( at ") + ToLbl->text() + QStringLiteral(" )"));
    values1->setEnabled(seltype_ == 1);
    const int frz = core_ ? core_->settings.freeze_before : 0;
    frzbefore->setText(frz == 0 ? QStringLiteral("Freeze")
                                : QStringLiteral("Freeze") + QStringLiteral(" on/before ") + format_date_int(frz));
    select1->setText(QStringLiteral("List Accounts  ") + suffix);
    balancesmovements1->setText(QStringLiteral("List Groups     ") + suffix);
    MenuItem2->setText(QStringLiteral("External  ") + selected);
    MenuItem3->setText(QStringLiteral("Internal  ") + always);
    currency1->setText(QStringLiteral("Currency = ") + ccy);
    currency1->setEnabled(seltype_ == 1 || seltype_ == 4);
}

void TFCtrl::CurrencyClick() {
    MainHooks& h = main_hooks();
    if (!h.pick_currency) {
        not_supported(QStringLiteral("Currency"));
        return;
    }
    QString ccy = core_ ? core_->run.bals_ccy : QString();
    if (h.pick_currency(ccy) && core_) core_->run.bals_ccy = ccy;
    popup_again();
}

bool TFCtrl::warn_rebalance_outstanding() {
    if (!core_ || !core_->run.rebal_needed) return true;
    return ask_continue(QStringLiteral("Some accounts may not be visible because a Rebalance is outstanding"));
}

void TFCtrl::HierarchyClick(int type) {
    MainHooks& h = main_hooks();
    if (!warn_rebalance_outstanding()) return;
    if (!h.balances_view) {
        not_supported(QStringLiteral("Hierarchy"));
        return;
    }
    if (type == 6 && core_) {
        // internal accounts are always in the base currency
        const QString saved = core_->run.bals_ccy;
        core_->run.bals_ccy = core_->run.base_ccy;
        h.balances_view(type);
        core_->run.bals_ccy = saved;
        return;
    }
    h.balances_view(type);
}

void TFCtrl::SeekAccountClick() {
    QString text;
    if (!ask_text2(QStringLiteral("Account id search"), QStringLiteral("Enter account id"), text)) return;
    int id = 0;
    if (!parse_int_msg(text, id)) return;
    run_hook(main_hooks().acc_details, QStringLiteral("Account details"), id);
}

void TFCtrl::frzbeforeClick() {
    if (!core_) return;
    int& frz = core_->settings.freeze_before;
    if (frz != 0) {
        const int c = ask_choice(QStringLiteral("Freeze account postings on/before ") + format_date_int(frz),
                                 QStringLiteral("Change"), QStringLiteral("Clear"));
        if (c == 0) return;
        if (c == 2) {
            frz = 0;
            return;
        }
    }
    Date d = frz != 0 ? int_to_date(frz) : today();
    if (!ask_date(QStringLiteral("Freeze account postings on/before "), d) || is_null_date(d)) return;
    frz = date_to_int(d);
    flash_notice(QStringLiteral("Account postings frozen on/before ") + format_date(d));
}

}  // namespace mintor::forms
