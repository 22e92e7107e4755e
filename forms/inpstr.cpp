#include "forms/inpstr.h"

#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/cal.h"
#include "forms/placement.h"
#include "forms/uitext.h"
#include "qwellib/text.h"

namespace mintor::forms {

TFinpstr* FInpstr = nullptr;

namespace {
constexpr int kEdgeWidth = 8;
constexpr int kMargin = 8;
constexpr int kDesignWidth = 360;
constexpr int kMaxTextWidth = 572;
constexpr int kNoLimit = 32767;

QFrame* panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    paint_background(p, kSkyBlue);
    return p;
}
}  // namespace

TFinpstr::TFinpstr(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FInpstr"));
    setModal(true);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    LeftPnl = panel(this, "LeftPnl");
    LeftPnl->setFixedWidth(kEdgeWidth);
    RightPnl = panel(this, "RightPnl");
    RightPnl->setFixedWidth(kEdgeWidth);
    MidPnl = panel(this, "MidPnl");
    MidPnl->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(LeftPnl);
    outer->addWidget(MidPnl, 1);
    outer->addWidget(RightPnl);

    auto* v = new QVBoxLayout(MidPnl);
    v->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    TitleLbl = new QLabel(MidPnl);
    TitleLbl->setObjectName(QStringLiteral("TitleLbl"));
    QFont f = TitleLbl->font();
    f.setPointSize(10);
    TitleLbl->setFont(f);
    PromptLbl = new QLabel(MidPnl);
    PromptLbl->setObjectName(QStringLiteral("PromptLbl"));
    f.setPointSize(12);
    PromptLbl->setFont(f);
    v->addWidget(TitleLbl);
    v->addWidget(PromptLbl);

    auto* row = new QHBoxLayout;
    CalPnl = panel(MidPnl, "CalPnl");
    auto* cl = new QHBoxLayout(CalPnl);
    cl->setContentsMargins(0, 0, 0, 0);
    CalBtn = new QPushButton(QStringLiteral("..."), CalPnl);
    CalBtn->setObjectName(QStringLiteral("CalBtn"));
    CalBtn->setToolTip(QStringLiteral("Calendar"));
    CalBtn->setAutoDefault(false);
    CalBtn->setFixedWidth(28);
    cl->addWidget(CalBtn);
    Edit1 = new QLineEdit(MidPnl);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    row->addWidget(CalPnl);
    row->addWidget(Edit1, 1);
    v->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKBtn = new QPushButton(QStringLiteral("OK"), MidPnl);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), MidPnl);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    v->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(CalBtn, &QPushButton::clicked, this, &TFinpstr::CalBtnClick);

    resize(kDesignWidth, sizeHint().height());
    design_width_ = width();
    if (!FInpstr) FInpstr = this;
}

TFinpstr::~TFinpstr() {
    if (FInpstr == this) FInpstr = nullptr;
}

void TFinpstr::prepare(const QString& title, const QString& prompt, const QString& value, int max_length) {
    TitleLbl->setText(qwel::double_ampersands(title));
    PromptLbl->setText(qwel::double_ampersands(prompt));
    PromptLbl->setVisible(!prompt.isEmpty());
    Edit1->setMaxLength(max_length > 0 ? max_length : kNoLimit);

    // as wide as the value (up to a limit), never narrower than designed
    const int text_w = QFontMetrics(Edit1->font()).horizontalAdvance(value);
    int w = std::min(text_w, kMaxTextWidth) + LeftPnl->width() + RightPnl->width() + 20;
    w = std::max(w, design_width_);
    const int label_left = kEdgeWidth + kMargin;
    for (QLabel* l : {TitleLbl, PromptLbl}) {
        if (!l->isVisibleTo(this) && l == PromptLbl) continue;
        const int need = l->sizeHint().width() + 2 * label_left + 4;
        if (need > w) w = need;
    }
    Edit1->setText(value);
    Edit1->selectAll();
    Edit1->setFocus();

    // the calendar button only for a text that starts with a date
    QString head = value.left(10);
    qwel::Date d;
    CalPnl->setVisible(value.size() >= 10 && qwel::parse_date(head, d));

    layout()->activate();
    resize(w, minimumSizeHint().height());

    const QPoint p = QCursor::pos();
    const QRect scr = screen_area();
    int top = std::min(p.y(), scr.bottom() + 1 - height());
    int left = std::min(p.x(), scr.right() + 1 - width());
    move(std::max(left, scr.left()), std::max(top, scr.top()));
}

void TFinpstr::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const int label_left = kEdgeWidth + kMargin;
    int wider = TitleLbl->sizeHint().width();
    if (PromptLbl->isVisible()) wider = std::max(wider, PromptLbl->sizeHint().width());
    if (width() < wider + label_left) resize(wider + label_left + 20, height());
}

bool TFinpstr::ask(const QString& title, const QString& prompt, QString& value, int max_length) {
    prepare(title, prompt, value, max_length);
    const bool ok = exec() == QDialog::Accepted;
    Edit1->setMaxLength(kNoLimit);
    if (ok) value = Edit1->text();
    return ok;
}

void TFinpstr::CalBtnClick() {
    if (FCal) FCal->pick_date_into_edit(Edit1);
}

}  // namespace mintor::forms
