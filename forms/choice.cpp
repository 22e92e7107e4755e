#include "forms/choice.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "forms/placement.h"
#include "forms/uitext.h"
#include "qwellib/text.h"

namespace mintor::forms {

TFchoice* FChoice = nullptr;

TFchoice::TFchoice(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FChoice"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    paint_background(Panel1, kSilver);
    outer->addWidget(Panel1);

    auto* v = new QVBoxLayout(Panel1);
    v->setContentsMargins(12, 12, 12, 12);
    auto* top = new QHBoxLayout;
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(false);
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(Label1, 1);
    v->addLayout(top);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    Button1 = new QPushButton(Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("Cancel"), Panel1);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton* b : {Button1, Button2, Button3}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    v->addLayout(row);

    connect(Button1, &QPushButton::clicked, this, [this] { choose(1); });
    connect(Button2, &QPushButton::clicked, this, [this] { choose(2); });
    connect(Button3, &QPushButton::clicked, this, [this] { choose(0); });
    if (!FChoice) FChoice = this;
}

TFchoice::~TFchoice() {
    if (FChoice == this) FChoice = nullptr;
}

void TFchoice::choose(int r) {
    result_ = r;
    done(r == 0 ? QDialog::Rejected : QDialog::Accepted);
}

int TFchoice::result_for_key(QChar key) const {
    const QChar k = key.toUpper();
    int r = -1;
    // Cancel first, then the first choice, then the second: the last match wins
    const QPushButton* order[] = {Button3, Button1, Button2};
    const int results[] = {0, 1, 2};
    for (int i = 0; i < 3; ++i) {
        const QString cap = order[i]->text().remove(QLatin1Char('&'));
        if (!cap.isEmpty() && cap.at(0).toUpper() == k) r = results[i];
    }
    return r;
}

void TFchoice::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        choose(0);
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).isPrint() && !t.at(0).isSpace()) {
        const int r = result_for_key(t.at(0));
        if (r >= 0) choose(r);
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFchoice::prepare(const QString& prompt, const QString& first, const QString& second) {
    Label1->setText(display_text(qwel::double_ampersands(prompt)));
    Button1->setText(first);
    Button2->setText(second);
    Button3->setText(QStringLiteral("Cancel"));
    result_ = 0;
    layout()->activate();
    adjustSize();

    const QPoint pointer = QCursor::pos();
    QPoint at = pointer;
    if (have_memory_ && pointer == closed_pointer_) at = opened_at_;
    at = keep_on_screen(at, frame_size(this), screen_area());
    opened_at_ = at;
    move(at);
}

int TFchoice::ask(const QString& prompt, const QString& first, const QString& second) {
    prepare(prompt, first, second);
    exec();
    closed_pointer_ = QCursor::pos();
    have_memory_ = true;
    return result_;
}

}  // namespace mintor::forms
