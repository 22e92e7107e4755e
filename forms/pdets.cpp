#include "forms/pdets.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/core.h"
#include "core/postings.h"
#include "core/undo.h"
#include "forms/mydbgridb.h"
#include "forms/uitext.h"
#include "qwellib/amounts.h"

namespace mintor::forms {

using namespace qwel;

TFpdets* FPdets = nullptr;

namespace {
const char* const kCaptions[] = {
    "Transaction", "Account", "Channel", "Date / Seq", "Batch", "Contra account", "Amount / Currency",
    "Value ", "Running balance", "Reconciled amount", "Reconciled", "Statement view ...",
    "- date visible ?", "- running bal visible ?",
};

QString yes_no(bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); }
}  // namespace

QString txn_type_long_name(QChar letter) {
    switch (letter.unicode()) {
        case 'P': return QStringLiteral("Payment/Purchase");
        case 'R': return QStringLiteral("Receipt/Sale");
        case 'C': return QStringLiteral("Transfer");
        case 'F': return QStringLiteral("FX Gain/Loss");
        case 'D': return QStringLiteral("Diary");
        case 'Z': return QStringLiteral("Reconciled Balance");
        case 'A': return QStringLiteral("Brought-Forward (b/fd) posting");
        default: return QStringLiteral("unknown!");
    }
}

TFpdets::TFpdets(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FPdets"));
    setWindowTitle(QStringLiteral("Posting details"));
    setModal(false);
    paint_background(this, kSilver);
    auto* v = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QAction* close_item = MainMenu1->addAction(QStringLiteral("Close"));
    close_item->setObjectName(QStringLiteral("Close1"));
    connect(close_item, &QAction::triggered, this, &QWidget::close);
    v->setMenuBar(MainMenu1);
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(16);
    int r = 0;
    for (const char* c : kCaptions) {
        const QString caption = QString::fromLatin1(c);
        auto* cap = new QLabel(caption, this);
        auto* val = new QLabel(this);
        val->setObjectName(QStringLiteral("val") + QString::number(r));
        val->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (caption == QLatin1String("Statement view ...")) {
            QFont f = cap->font();
            f.setBold(true);
            cap->setFont(f);
        }
        g->addWidget(cap, r, 0);
        g->addWidget(val, r, 1);
        rows_.push_back({caption, val});
        ++r;
    }
    g->setColumnStretch(1, 1);
    v->addLayout(g);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    row->addWidget(OKBtn);
    v->addLayout(row);
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::close);
    resize(420, sizeHint().height());
    setFixedSize(size());
    restore_form_geometry(this);
    if (!FPdets) FPdets = this;
}

TFpdets::~TFpdets() {
    save_form_geometry(this);
    if (FPdets == this) FPdets = nullptr;
}

QString TFpdets::value_of(const QString& caption) const {
    for (const Row& r : rows_)
        if (r.caption == caption) return r.value->text();
    return QString();
}

void TFpdets::show_posting(const TPstg& p) {
    auto set = [this](const char* caption, const QString& value) {
        for (Row& r : rows_)
            if (r.caption == QLatin1String(caption)) r.value->setText(value);
    };
    set("Transaction", QStringLiteral("#") + QString::number(p.txnid) + QStringLiteral(" (type ") + p.txntype +
                           QStringLiteral("=") + txn_type_long_name(p.txntype) + QStringLiteral(")"));
    set("Account", QStringLiteral("#") + QString::number(p.objid));
    set("Channel", QStringLiteral("#") + QString::number(p.chnum));
    set("Date / Seq", format_date(p.pstgdate) + QStringLiteral("  /  ") + QString::number(p.seq));
    set("Batch", QStringLiteral("#") + QString::number(p.batchnum));
    set("Contra account", QStringLiteral("#") + QString::number(p.contra));
    set("Amount / Currency", p.txntype == QLatin1Char('A')
                                 ? QStringLiteral("calculated dynamically")
                                 : format_amount_signed(p.amt) + QStringLiteral("  ") + p.ccy);
    set("Value ", format_amount_signed(p.val));
    set("Running balance", format_amount_signed(p.rngbal));
    set("Reconciled amount", format_amount_signed(p.recamt));
    QString rec = QStringLiteral("invalid ") + QString::number(p.reconcode);
    if (p.reconcode == 0) rec = QStringLiteral("no");
    if (p.reconcode == 1) rec = QStringLiteral("yes");
    set("Reconciled", rec);
    set("- date visible ?", yes_no(p.dppstgdate));
    set("- running bal visible ?", yes_no(p.dprngbal));
    if (isMinimized()) showNormal();
    show();
    raise();
}

void show_posting_details(Core& core, int txnid, int objid) {
    TPstg p;
    bool found = false;
    run_undoable(core, [&] { found = read_pstg(core, txnid, objid, p); });
    if (!found) return;
    if (!FPdets) new TFpdets;
    FPdets->show_posting(p);
}

}  // namespace mintor::forms
