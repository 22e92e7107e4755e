#include "forms/cal.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/fcore.h"
#include "forms/mainhooks.h"
#include "forms/mydbgridb.h"
#include "forms/uitext.h"
#include "qwellib/dialogs.h"

namespace mintor::forms {

using namespace qwel;

TFCal* FCal = nullptr;

namespace {
constexpr int kColWidth = 48;
const QString kCaption = QStringLiteral(" Calendar");

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
}  // namespace

TFCal::TFCal(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FCal"));
    setWindowTitle(kCaption);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    v->addWidget(PageControl1);
    build_calendar_page();
    build_options_page();
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) {
        if (i == 1) show_options();
    });
    cur_ = today();
    refresh();
    layout()->activate();
    setFixedSize(sizeHint());
    restore_form_geometry(this);
    register_closable_form(this);
    if (!FCal) FCal = this;
}

TFCal::~TFCal() {
    unregister_closable_form(this);
    save_form_geometry(this);
    if (FCal == this) FCal = nullptr;
}

void TFCal::build_calendar_page() {
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Calendar"));
    auto* v = new QVBoxLayout(TabSheet1);

    auto* yr = new QHBoxLayout;
    PrevYearBtn = button(TabSheet1, "PrevYearBtn", QStringLiteral("<"));
    YearBtn = button(TabSheet1, "YearBtn", QString());
    YearBtn->setToolTip(QStringLiteral("Click to enter a year"));
    NextYearBtn = button(TabSheet1, "NextYearBtn", QStringLiteral(">"));
    yr->addWidget(PrevYearBtn);
    yr->addWidget(YearBtn, 1);
    yr->addWidget(NextYearBtn);
    v->addLayout(yr);

    MonthPnl = new QFrame(TabSheet1);
    MonthPnl->setObjectName(QStringLiteral("MonthPnl"));
    MonthPnl->setToolTip(QStringLiteral("Right click to select month"));
    MonthPnl->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* mo = new QHBoxLayout(MonthPnl);
    mo->setContentsMargins(0, 0, 0, 0);
    PrevMonthBtn = button(MonthPnl, "PrevMonthBtn", QStringLiteral("<"));
    MonthBtn = button(MonthPnl, "MonthBtn", QString());
    MonthBtn->setToolTip(QStringLiteral("Right click to select month"));
    MonthBtn->setContextMenuPolicy(Qt::CustomContextMenu);
    NextMonthBtn = button(MonthPnl, "NextMonthBtn", QStringLiteral(">"));
    mo->addWidget(PrevMonthBtn);
    mo->addWidget(MonthBtn, 1);
    mo->addWidget(NextMonthBtn);
    v->addWidget(MonthPnl);

    MonthMenu = new QMenu(this);
    MonthMenu->setObjectName(QStringLiteral("MonthMenu"));
    for (int m = 1; m <= 12; ++m) {
        QAction* a = MonthMenu->addAction(month_name(m));
        connect(a, &QAction::triggered, this, [this, m] {
            cur_.month = quint16(m);
            refresh();
        });
    }

    StringGrid1 = new QTableWidget(7, 7, TabSheet1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int row_h = StringGrid1->fontMetrics().height() + 8;
    for (int c = 0; c < 7; ++c) StringGrid1->setColumnWidth(c, kColWidth);
    for (int r = 0; r < 7; ++r) StringGrid1->setRowHeight(r, row_h);
    StringGrid1->setFixedSize(7 * kColWidth + 2 * StringGrid1->frameWidth(),
                              7 * row_h + 2 * StringGrid1->frameWidth());
    for (int c = 0; c < 7; ++c) {
        auto* it = new QTableWidgetItem(QStringLiteral(" ") + day_abbrev(c + 1));
        it->setFlags(Qt::ItemIsEnabled);
        QFont f = it->font();
        f.setBold(true);
        it->setFont(f);
        StringGrid1->setItem(0, c, it);
    }
    v->addWidget(StringGrid1, 0, Qt::AlignHCenter);

    auto* bottom = new QHBoxLayout;
    DateEdit = new QLineEdit(TabSheet1);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->installEventFilter(this);
    TodayBtn = button(TabSheet1, "TodayBtn", QStringLiteral("Today"));
    OKBtn = button(TabSheet1, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = button(TabSheet1, "CancelBtn", QStringLiteral("Cancel"));
    bottom->addWidget(DateEdit, 1);
    bottom->addWidget(TodayBtn);
    bottom->addWidget(OKBtn);
    bottom->addWidget(CancelBtn);
    v->addLayout(bottom);

    connect(PrevYearBtn, &QPushButton::clicked, this, [this] { cur_ = prev_year(cur_); refresh(); });
    connect(NextYearBtn, &QPushButton::clicked, this, [this] { cur_ = next_year(cur_); refresh(); });
    connect(PrevMonthBtn, &QPushButton::clicked, this, [this] { cur_ = prev_month(cur_); refresh(); });
    connect(NextMonthBtn, &QPushButton::clicked, this, [this] { cur_ = next_month(cur_); refresh(); });
    connect(YearBtn, &QPushButton::clicked, this, &TFCal::YearBtnClick);
    auto month_menu = [this] { MonthMenu->popup(QCursor::pos()); };
    connect(MonthBtn, &QPushButton::clicked, this, month_menu);
    connect(MonthBtn, &QWidget::customContextMenuRequested, this, month_menu);
    connect(MonthPnl, &QWidget::customContextMenuRequested, this, month_menu);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int r, int c) { grid_click(r, c, false); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) { grid_click(r, c, true); });
    connect(TodayBtn, &QPushButton::clicked, this, &TFCal::TodayBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TFCal::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCal::build_options_page() {
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Options"));
    auto* v = new QVBoxLayout(TabSheet2);
    GroupBox1 = new QGroupBox(QStringLiteral("Transition from Julian to Gregorian calendar"), TabSheet2);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* g = new QGridLayout(GroupBox1);
    JulianEdit = new QLineEdit(QStringLiteral("yyyy-mm-dd"), GroupBox1);
    JulianEdit->setObjectName(QStringLiteral("JulianEdit"));
    JulianEdit->setToolTip(QStringLiteral("date in format yyyy-mm-dd ( see ISO 8601 )"));
    GregorianEdit = new QLineEdit(QStringLiteral("yyyy-mm-dd"), GroupBox1);
    GregorianEdit->setObjectName(QStringLiteral("GregorianEdit"));
    g->addWidget(new QLabel(QStringLiteral("last Julian day"), GroupBox1), 0, 0);
    g->addWidget(JulianEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("first Gregorian day"), GroupBox1), 1, 0);
    g->addWidget(GregorianEdit, 1, 1);
    v->addWidget(GroupBox1);

    DefaultsBtn = button(TabSheet2, "DefaultsBtn", QStringLiteral("some defaults"));
    DefaultsBtn->setToolTip(display_text(QStringLiteral("a huge variety of national transitions to Gregorian calendar since 1582") +
                                         QStringLiteral("\r") +
                                         QStringLiteral("complicated by significant changes to national boundaries since then")));
    DefaultsMenu = new QMenu(this);
    DefaultsMenu->setObjectName(QStringLiteral("DefaultsMenu"));
    struct Preset {
        const char* name;
        const char* last_julian;
        const char* first_gregorian;
    };
    static const Preset presets[] = {
        {"Spain / Portugal / Italy / Poland ", "1582-10-04", "1582-10-15"},
        {"France", "1582-12-09", "1582-12-20"},
        {"Denmark / Norway", "1700-02-18", "1700-03-01"},
        {"Great Britain and (then) colonies", "1752-09-02", "1752-09-14"},
    };
    for (const Preset& p : presets) {
        QAction* a = DefaultsMenu->addAction(QString::fromLatin1(p.name));
        connect(a, &QAction::triggered, this, [this, p] {
            JulianEdit->setText(QString::fromLatin1(p.last_julian));
            GregorianEdit->setText(QString::fromLatin1(p.first_gregorian));
        });
    }
    connect(DefaultsBtn, &QPushButton::clicked, this,
            [this] { DefaultsMenu->popup(DefaultsBtn->mapToGlobal(QPoint(0, DefaultsBtn->height()))); });

    auto* row = new QHBoxLayout;
    OptOKBtn = button(TabSheet2, "OptOKBtn", QStringLiteral("OK"));
    OptCancelBtn = button(TabSheet2, "OptCancelBtn", QStringLiteral("Cancel"));
    row->addWidget(DefaultsBtn);
    row->addStretch(1);
    row->addWidget(OptOKBtn);
    row->addWidget(OptCancelBtn);
    v->addLayout(row);
    v->addStretch(1);
    connect(OptOKBtn, &QPushButton::clicked, this, &TFCal::OptOKBtnClick);
    connect(OptCancelBtn, &QPushButton::clicked, this, [this] { PageControl1->setCurrentIndex(0); });
}

bool TFCal::one_click() const {
    Core* c = app_core();
    return c && c->settings.one_click_select;
}

void TFCal::set_current(Date d) {
    cur_ = d;
    refresh();
}

QString TFCal::cell_text(int row, int col) const {
    QTableWidgetItem* it = StringGrid1->item(row, col);
    return it ? it->text() : QString();
}

void TFCal::refresh() {
    YearBtn->setText(QString::number(cur_.year));
    MonthBtn->setText(month_name(cur_.month));
    DateEdit->setText(format_date_bracket_day(cur_));
    fill_grid();
}

void TFCal::fill_grid() {
    filling_ = true;
    StringGrid1->clearSelection();
    for (int r = 1; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            auto* it = new QTableWidgetItem;
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            StringGrid1->setItem(r, c, it);
        }
    // month lengths of the shown year, February by the rule in force at the current date
    static const int standard[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m < 12; ++m) month_days_[m] = standard[m];
    if (is_leap_year(cur_.year, cur_)) month_days_[1] = 29;
    if (cur_.month < 1 || cur_.month > 12) {
        filling_ = false;
        return;
    }
    const int len = month_days_[cur_.month - 1];
    const Date lj = last_julian_day();
    const Date fg = first_gregorian_day();
    int row = 1;
    int col = weekday(Date{cur_.year, cur_.month, 1}) - 1;
    if (col < 0) col = 0;
    int day = 1;
    while (day <= len && row < 7) {
        QTableWidgetItem* it = StringGrid1->item(row, col);
        it->setText(QStringLiteral("  ") + QStringLiteral("%1").arg(day, 2));
        it->setData(Qt::UserRole, day);
        if (day == cur_.day) StringGrid1->setCurrentCell(row, col);
        const bool is_last_julian = cur_.year == lj.year && cur_.month == lj.month && day == lj.day;
        if (is_last_julian) {
            // the month ends at the change when the first Gregorian day is in a later month
            if (fg.year != lj.year || fg.month != lj.month) break;
            day = fg.day;
        } else {
            ++day;
        }
        if (++col > 6) {
            col = 0;
            ++row;
        }
    }
    filling_ = false;
}

void TFCal::grid_click(int row, int col, bool dbl) {
    if (filling_ || row < 1) return;
    QTableWidgetItem* it = StringGrid1->item(row, col);
    if (!it || !it->data(Qt::UserRole).isValid()) return;
    cur_.day = quint16(it->data(Qt::UserRole).toInt());
    DateEdit->setText(format_date_bracket_day(cur_));
    if (dbl || one_click()) accept();
}

void TFCal::YearBtnClick() {
    int y = cur_.year;
    if (!ask_int(QStringLiteral("Enter year"), y)) return;
    if (y == 0) {
        show_msg(QStringLiteral("Year 0 does not exist, the Julian calendar jumps from 1BC to 1AD"));
        return;
    }
    if (y < 1 || y > 9999) {
        show_msg(QStringLiteral("Year ") + QString::number(y) + QStringLiteral(" is out of range (1 - 9999)"));
        return;
    }
    cur_.year = quint16(y);
    refresh();
}

void TFCal::TodayBtnClick() {
    cur_ = today();
    refresh();
    if (one_click()) accept();
}

void TFCal::OKBtnClick() {
    Date d;
    if (!parse_date(DateEdit->text().left(10), d)) d = Date{};
    cur_ = d;
    accept();
}

void TFCal::show_options() {
    JulianEdit->setText(format_date(last_julian_day()));
    GregorianEdit->setText(format_date(first_gregorian_day()));
}

void TFCal::OptOKBtnClick() {
    Date lj, fg;
    if (!parse_date(JulianEdit->text(), lj) || !parse_date(GregorianEdit->text(), fg)) return;
    auto real = [](Date d) { return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31; };
    if (!real(lj) || !real(fg)) {
        show_msg(QStringLiteral("Calendar change not made: both dates must be real dates (yyyy-mm-dd)"));
        return;
    }
    if (compare_date(fg, lj) <= 0) {
        show_msg(QStringLiteral("Calendar change not made: the first Gregorian day must come after the last Julian day"));
        return;
    }
    set_calendar_change(lj, fg);
    PageControl1->setCurrentIndex(0);
    cur_ = fg;
    refresh();
}

bool TFCal::run_calendar(Date& date) {
    const bool plausible = date.year != 0 && date.year != 9999 && date.month >= 1 && date.month <= 12 &&
                           date.day >= 1 && date.day <= 31;
    cur_ = plausible ? date : today();
    PageControl1->setCurrentIndex(0);
    refresh();
    if (exec() != QDialog::Accepted) return false;
    date = cur_;
    return true;
}

bool TFCal::ask_date(const QString& caption, Date& date) {
    setWindowTitle(caption.trimmed().isEmpty() ? kCaption : caption);
    const bool ok = run_calendar(date);
    setWindowTitle(kCaption);
    return ok;
}

bool TFCal::pick_date_into_edit(QLineEdit* edit) {
    Date d;
    if (!parse_date(edit->text(), d) || is_null_date(d)) d = today();
    if (!run_calendar(d)) return false;
    edit->setText(DateEdit->text());
    return true;
}

bool TFCal::pick_plain_date_into_edit(QLineEdit* edit) {
    Date d;
    if (!parse_date(edit->text(), d) || is_null_date(d)) d = today();
    if (!run_calendar(d)) return false;
    edit->setText(format_date(d));
    return true;
}

bool TFCal::eventFilter(QObject* o, QEvent* e) {
    if (o == DateEdit && (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::FocusIn))
        QTimer::singleShot(0, DateEdit, &QLineEdit::selectAll);
    return QDialog::eventFilter(o, e);
}

}  // namespace mintor::forms
