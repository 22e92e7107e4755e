#include "forms/about.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "core/core.h"
#include "forms/mainhooks.h"
#include "forms/mydbgridb.h"
#include "forms/placement.h"
#include "forms/uitext.h"
#include "qwellib/dates.h"

#ifndef MINTOR_VERSION
#define MINTOR_VERSION "0"
#endif

namespace mintor::forms {

TFAbout1* FAbout1 = nullptr;

namespace {
// The program's picture: a ledger page with a green M.
QPixmap picture() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(250, 250, 240));
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawRoundedRect(QRectF(4, 2, 40, 44), 4, 4);
    p.setPen(QPen(QColor(170, 190, 220), 1));
    for (int y = 12; y < 44; y += 6) p.drawLine(8, y, 40, y);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.setPen(QColor(20, 120, 60));
    p.drawText(QRectF(4, 2, 40, 44), Qt::AlignCenter, QStringLiteral("M"));
    return pm;
}
}  // namespace

QString TFAbout1::about_text() {
    const QStringList lines = {
        QStringLiteral("Mintor double-entry bookkeeping, version ") + QStringLiteral(MINTOR_VERSION) +
            QStringLiteral(" (ledger version ") + QString::number(kCurrentDbVersion) + QStringLiteral(")"),
        QString(),
        QStringLiteral("Built with the Qt toolkit, version ") + QString::fromLatin1(qVersion()),
        QStringLiteral("(The Qt Company and the Qt Project, qt.io)"),
        QString(),
        QStringLiteral("Ledger data kept by the Firebird database engine"),
        QStringLiteral("(The Firebird Project, firebirdsql.org)"),
    };
    return lines.join(QLatin1Char('\n'));
}

TFAbout1::TFAbout1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FAbout1"));
    setWindowTitle(QStringLiteral("About"));
    setModal(false);
    auto* v = new QVBoxLayout(this);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(Panel1);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(picture());
    Label1 = new QLabel(QStringLiteral("MINTOR3 - for Linux"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    Label1->setFont(f);
    const QString exe = QCoreApplication::applicationFilePath();
    PathLbl = new QLabel(exe.toLower(), Panel1);
    PathLbl->setObjectName(QStringLiteral("PathLbl"));
    const QDateTime built = QFileInfo(exe).lastModified();
    DateLbl = new QLabel(qwel::format_stamp(qwel::stamp_from_qt(built), 1), Panel1);
    DateLbl->setObjectName(QStringLiteral("DateLbl"));
    g->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    g->addWidget(Label1, 0, 1);
    g->addWidget(PathLbl, 1, 1);
    g->addWidget(DateLbl, 2, 1);
    g->setColumnStretch(1, 1);
    v->addWidget(Panel1);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setPlainText(about_text());
    // centred lines
    QTextCursor c(Memo1->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(Qt::AlignHCenter);
    c.mergeBlockFormat(bf);
    Memo1->setMinimumHeight(Memo1->fontMetrics().height() * 9);
    Memo1->installEventFilter(this);
    v->addWidget(Memo1, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    row->addWidget(OKBtn);
    row->addStretch(1);
    v->addLayout(row);
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::close);
    resize(460, sizeHint().height());
    restore_form_geometry(this);
    register_closable_form(this);
    if (!FAbout1) FAbout1 = this;
}

TFAbout1::~TFAbout1() {
    unregister_closable_form(this);
    save_form_geometry(this);
    if (FAbout1 == this) FAbout1 = nullptr;
}

void TFAbout1::show_about() {
    layout()->activate();
    const int left = PathLbl->mapTo(this, QPoint(0, 0)).x();
    const int need = 2 * left + PathLbl->sizeHint().width();
    if (width() < need) resize(need, height());
    show_near_pointer(this);
}

bool TFAbout1::eventFilter(QObject* o, QEvent* e) {
    if (o == Memo1 && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace mintor::forms
