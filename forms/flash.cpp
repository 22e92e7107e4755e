#include "forms/flash.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "forms/placement.h"
#include "forms/uitext.h"
#include "qwellib/dialogs.h"

namespace mintor::forms {

TFFlash* FFlash = nullptr;

namespace {
constexpr int kLabelLeft = 10;
constexpr int kLabelTop = 3;
}  // namespace

TFFlash::TFFlash(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("FFlash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(120, 20);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setAutoFillBackground(true);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(kLabelLeft, kLabelTop);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [] { qwel::flash_timer_tick(); });
    if (!FFlash) FFlash = this;
}

TFFlash::~TFFlash() {
    if (FFlash == this) FFlash = nullptr;
}

void TFFlash::show_text(const QString& text, bool place) {
    Label1->setText(display_text(text));
    Label1->adjustSize();
    if (!place) return;
    paint_background(Panel1, qwel::flash_colour());
    if (!isVisible()) resize(120, height());
    show_near_pointer(this);
    int w = width();
    if (w < Label1->x() + Label1->width() + 20) w = Label1->x() + Label1->width() + 20;
    int h = std::max(20, 2 * Label1->y() + Label1->height());
    resize(w, h);
    Panel1->setGeometry(0, 0, w, h);
    // grown to the right or down: keep it on the screen
    move(keep_on_screen(pos(), size(), screen_area()));
}

void TFFlash::hide_window() {
    Timer1->stop();
    hide();
}

void TFFlash::start_timer(int ms) { Timer1->start(ms); }
void TFFlash::stop_timer() { Timer1->stop(); }
bool TFFlash::timer_running() const { return Timer1->isActive(); }

}  // namespace mintor::forms
