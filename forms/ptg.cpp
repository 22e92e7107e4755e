#include "forms/ptg.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mintor::forms {

TFPtg* FPtg = nullptr;

namespace {
QDoubleSpinBox* mm_box(QWidget* parent, const char* name, double value, double max) {
    auto* b = new QDoubleSpinBox(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setDecimals(1);
    b->setRange(0, max);
    b->setValue(value);
    return b;
}
}  // namespace

TFPtg::TFPtg(QWidget* parent) : QDialog(parent), printer_(new QPrinter(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("FPtg"));
    setWindowTitle(QStringLiteral("Print "));
    auto* v = new QVBoxLayout(this);

    auto* size = new QGroupBox(QStringLiteral("Page size (mm)"), this);
    auto* gs = new QGridLayout(size);
    WidthEdit = mm_box(size, "WidthEdit", 210, 1000);
    WidthEdit->setMinimum(10);
    HeightEdit = mm_box(size, "HeightEdit", 297, 1000);
    HeightEdit->setMinimum(10);
    A4Btn = new QPushButton(QStringLiteral("A4"), size);
    A4Btn->setObjectName(QStringLiteral("A4Btn"));
    A4Btn->setAutoDefault(false);
    gs->addWidget(new QLabel(QStringLiteral("Width"), size), 0, 0);
    gs->addWidget(WidthEdit, 0, 1);
    gs->addWidget(new QLabel(QStringLiteral("Height"), size), 1, 0);
    gs->addWidget(HeightEdit, 1, 1);
    gs->addWidget(A4Btn, 0, 2, 2, 1);
    v->addWidget(size);

    auto* margins = new QGroupBox(QStringLiteral("Margins (mm)"), this);
    auto* gm = new QGridLayout(margins);
    TopEdit = mm_box(margins, "TopEdit", 10, 200);
    BottomEdit = mm_box(margins, "BottomEdit", 10, 200);
    LeftEdit = mm_box(margins, "LeftEdit", 10, 200);
    RightEdit = mm_box(margins, "RightEdit", 10, 200);
    gm->addWidget(new QLabel(QStringLiteral("Top / Bottom"), margins), 0, 0);
    gm->addWidget(TopEdit, 0, 1);
    gm->addWidget(BottomEdit, 0, 2);
    gm->addWidget(new QLabel(QStringLiteral("Left / Right"), margins), 1, 0);
    gm->addWidget(LeftEdit, 1, 1);
    gm->addWidget(RightEdit, 1, 2);
    v->addWidget(margins);

    auto* row = new QHBoxLayout;
    SetupBtn = new QPushButton(QStringLiteral("Setup"), this);
    SetupBtn->setObjectName(QStringLiteral("SetupBtn"));
    SetupBtn->setAutoDefault(false);
    PrintBtn = new QPushButton(QStringLiteral("Print"), this);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    row->addWidget(SetupBtn);
    row->addStretch(1);
    row->addWidget(PrintBtn);
    row->addWidget(CancelBtn);
    v->addLayout(row);

    connect(A4Btn, &QPushButton::clicked, this, [this] {
        WidthEdit->setValue(210);
        HeightEdit->setValue(297);
    });
    connect(SetupBtn, &QPushButton::clicked, this, [this] {
        QPrintDialog dlg(printer_, this);
        dlg.exec();
    });
    connect(PrintBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    if (!FPtg) FPtg = this;
}

TFPtg::~TFPtg() {
    if (FPtg == this) FPtg = nullptr;
    delete printer_;
}

PageSettings TFPtg::settings() const {
    PageSettings s;
    s.width_mm = WidthEdit->value();
    s.height_mm = HeightEdit->value();
    s.top_mm = TopEdit->value();
    s.bottom_mm = BottomEdit->value();
    s.left_mm = LeftEdit->value();
    s.right_mm = RightEdit->value();
    return s;
}

void TFPtg::set_settings(const PageSettings& s) {
    WidthEdit->setValue(s.width_mm);
    HeightEdit->setValue(s.height_mm);
    TopEdit->setValue(s.top_mm);
    BottomEdit->setValue(s.bottom_mm);
    LeftEdit->setValue(s.left_mm);
    RightEdit->setValue(s.right_mm);
}

}  // namespace mintor::forms
