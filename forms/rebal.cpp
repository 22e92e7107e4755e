#include "forms/rebal.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/rebalance.h"
#include "core/runstate.h"
#include "forms/fcore.h"
#include "forms/mainhooks.h"
#include "forms/mydbgridb.h"
#include "forms/placement.h"
#include "qwellib/dialogs.h"

namespace mintor::forms {

using namespace qwel;

TFRebal* FRebal = nullptr;

namespace {

QString day_text(Date d) {
    if (date_to_int(d) == 0) return QStringLiteral("0000-00-00");
    return format_date(d) + QStringLiteral("  ") + day_name(weekday(d));
}

QString two(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

}  // namespace

TFRebal::TFRebal(QWidget* parent) : QDialog(parent) {
    FRebal = this;
    setObjectName(QStringLiteral("FRebal"));
    setWindowTitle(QStringLiteral("Period "));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(166, 202, 240));  // sky blue
    setPalette(pal);

    auto label = [this](const char* name, const QString& text = QString()) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    FromLbl = label("FromLbl");
    ToLbl = label("ToLbl");
    Label1 = label("Label1");
    FinYrLbl = label("FinYrLbl");
    YrStartBtn = button("YrStartBtn", QString());
    YrStartBtn->setToolTip(QStringLiteral("First day of the financial year"));
    Button4 = button("Button4", QStringLiteral("Change From/To dates"));
    okbtn = button("okbtn", QStringLiteral("OK"));
    CancelBtn = button("CancelBtn", QStringLiteral("Close"));
    CancelBtn->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("From"), this), 0, 0);
    grid->addWidget(FromLbl, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To"), this), 1, 0);
    grid->addWidget(ToLbl, 1, 1);
    grid->addWidget(Label1, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Financial year starts"), this), 3, 0);
    auto* fy = new QHBoxLayout;
    fy->addWidget(YrStartBtn);
    fy->addWidget(FinYrLbl);
    fy->addStretch();
    grid->addLayout(fy, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button4);
    buttons->addStretch();
    buttons->addWidget(okbtn);
    buttons->addWidget(CancelBtn);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char* name, const QString& text) {
        QAction* a = PopupMenu1->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    RollingYear1 = item("RollingYear1", QStringLiteral("Rolling year to today"));
    YearSoFar1 = item("YearSoFar1", QStringLiteral("Current year so far"));
    AutoRefresh1 = item("AutoRefresh1", QStringLiteral("Auto-refresh at startup"));
    AutoRefresh1->setCheckable(true);
    PopupMenu1->addSeparator();
    From1 = item("From1", QStringLiteral("From"));
    To1 = item("To1", QStringLiteral("To"));
    PopupMenu1->addSeparator();
    MonthFrom1 = item("MonthFrom1", QStringLiteral("Month from"));
    MonthTo1 = item("MonthTo1", QStringLiteral("Month to"));
    QuarterFrom1 = item("QuarterFrom1", QStringLiteral("Quarter from"));
    QuarterTo1 = item("QuarterTo1", QStringLiteral("Quarter to"));
    YearFrom1 = item("YearFrom1", QStringLiteral("Year from"));
    YearTo1 = item("YearTo1", QStringLiteral("Year to"));
    FinYear1 = item("FinYear1", QStringLiteral("Financial year"));
    PopupMenu1->addSeparator();
    IncYear1 = item("IncYear1", QStringLiteral("Increment year"));
    DecYear1 = item("DecYear1", QStringLiteral("Decrement year"));
    All1 = item("All1", QStringLiteral("All"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (isVisible()) PopupMenu1->popup(Button4->mapToGlobal(QPoint(0, Button4->height())));
    });
    connect(Button4, &QPushButton::clicked, this,
            [this] { PopupMenu1->popup(Button4->mapToGlobal(QPoint(0, Button4->height()))); });
    connect(okbtn, &QPushButton::clicked, this, &TFRebal::okbtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(YrStartBtn, &QPushButton::clicked, this, &TFRebal::YrStartBtnClick);

    connect(RollingYear1, &QAction::triggered, this, [this] { set_copies(rolling_year_to(today())); });
    connect(YearSoFar1, &QAction::triggered, this, [this] {
        Core* c = core();
        if (!c) return;
        set_copies(current_year_so_far(today(), c->settings.financial_year_day1, c->settings.financial_year_month1));
    });
    connect(AutoRefresh1, &QAction::triggered, this, &TFRebal::auto_refresh_toggled);
    connect(From1, &QAction::triggered, this, [this] {
        Date d = period_.from;
        if (ask_date(QStringLiteral("From date"), d)) set_copies({d, period_.to});
    });
    connect(To1, &QAction::triggered, this, [this] {
        Date d = period_.to;
        if (ask_date(QStringLiteral("To date"), d)) set_copies({period_.from, d});
    });
    connect(MonthFrom1, &QAction::triggered, this, [this] { span(true, 1); });
    connect(MonthTo1, &QAction::triggered, this, [this] { span(false, 1); });
    connect(QuarterFrom1, &QAction::triggered, this, [this] { span(true, 3); });
    connect(QuarterTo1, &QAction::triggered, this, [this] { span(false, 3); });
    connect(YearFrom1, &QAction::triggered, this, [this] { span(true, 12); });
    connect(YearTo1, &QAction::triggered, this, [this] { span(false, 12); });
    connect(FinYear1, &QAction::triggered, this, &TFRebal::financial_year_click);
    connect(IncYear1, &QAction::triggered, this, [this] { set_copies(shift_years(period_, 1)); });
    connect(DecYear1, &QAction::triggered, this, [this] { set_copies(shift_years(period_, -1)); });
    connect(All1, &QAction::triggered, this, [this] {
        Core* c = core();
        Date to = today();
        if (c && date_to_int(c->params.end_date) > 0) to = c->params.end_date;
        set_copies({Date{}, to});
    });

    MainHooks& h = main_hooks();
    h.period_form = [] {
        if (!FRebal) return;
        FRebal->take_copies();
        show_modal_near_pointer(FRebal);
    };
    h.rebalance = [] {
        if (Core* c = app_core()) rebalance(*c);
    };
    h.period_reset = [] {
        if (Core* c = app_core()) startup_period_reset(*c);
    };
    restore_form_geometry(this);
    take_copies();
}

TFRebal::~TFRebal() {
    save_form_geometry(this);
    MainHooks& h = main_hooks();
    h.period_form = nullptr;
    h.rebalance = nullptr;
    h.period_reset = nullptr;
    if (FRebal == this) FRebal = nullptr;
}

Core* TFRebal::core() const { return core_ ? core_ : app_core(); }

void TFRebal::take_copies() {
    if (Core* c = core()) {
        period_ = {c->run.from, c->run.to};
        period_type_ = c->settings.period_type;
    }
    FinYrLbl->clear();
    refresh();
}

void TFRebal::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    take_copies();
    Timer1->start();
}

void TFRebal::set_copies(const Period& p) {
    period_ = p;
    FinYrLbl->clear();
    refresh();
}

void TFRebal::refresh() {
    Core* c = core();
    const Date t = today();
    FromLbl->setText(day_text(period_.from));
    ToLbl->setText(day_text(period_.to) + (period_.to == t ? QStringLiteral(" = today !") : QString()));
    Label1->setText(QStringLiteral("Today = ") + day_text(t));
    Label1->setVisible(!(period_.to == t));
    if (c)
        YrStartBtn->setText(two(c->settings.financial_year_day1) + QStringLiteral("/") +
                            two(c->settings.financial_year_month1));
    From1->setText(QStringLiteral("From ") + format_date(period_.from));
    To1->setText(QStringLiteral("To ") + format_date(period_.to));
    AutoRefresh1->setChecked(period_type_ > 0);
    const bool changed = c && (!(period_.from == c->run.from) || !(period_.to == c->run.to) ||
                               period_type_ != c->settings.period_type);
    okbtn->setEnabled(changed);
    CancelBtn->setText(changed ? QStringLiteral("Cancel") : QStringLiteral("Close"));
}

void TFRebal::span(bool from_end, int months) {
    Date d = from_end ? period_.from : period_.to;
    if (!ask_date(from_end ? QStringLiteral("From date") : QStringLiteral("To date"), d)) return;
    set_copies(from_end ? span_from(d, months) : span_to(d, months));
}

void TFRebal::auto_refresh_toggled(bool checked) {
    if (!checked) {
        period_type_ = 0;
        set_copies(period_);
        return;
    }
    int c = ask_choice(QStringLiteral("At startup reset from/to dates to Part Year So Far or to Rolling 12 Months To Date ?"),
                       QStringLiteral("So far"), QStringLiteral("Rolling"));
    if (c == 1) {
        period_type_ = 1;
        YearSoFar1->trigger();
    } else if (c == 2) {
        period_type_ = 2;
        RollingYear1->trigger();
    } else {
        refresh();
    }
}

void TFRebal::financial_year_click() {
    Core* c = core();
    if (!c) return;
    int year = period_.from.year ? period_.from.year : today().year;
    if (!ask_int(QStringLiteral("Enter financial year (eg \"2016\")"), year)) return;
    if (year < 1 || year > 9998) {
        show_msg(QStringLiteral("Invalid year ") + QString::number(year));
        return;
    }
    const int d = c->settings.financial_year_day1, m = c->settings.financial_year_month1;
    period_ = financial_year(year, d, m);
    refresh();
    FinYrLbl->setText(financial_year_label(year, d, m));
}

void TFRebal::YrStartBtnClick() {
    Core* c = core();
    if (!c) return;
    QString text = two(c->settings.financial_year_day1) + QStringLiteral("/") + two(c->settings.financial_year_month1);
    if (!ask_text(QStringLiteral("Enter first day of financial year (format \"dd/mm\")"), text)) return;
    int d = 0, m = 0;
    if (!parse_fy_start(text, d, m)) return;
    c->settings.financial_year_day1 = d;
    c->settings.financial_year_month1 = m;
    refresh();
}

void TFRebal::okbtnClick() {
    Core* c = core();
    if (!c) return;
    if (apply_period(*c, period_, period_type_)) accept();
}

}  // namespace mintor::forms
