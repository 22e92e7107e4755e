#include "forms/fcore.h"

#include <QTimer>
#include <QWidget>

#include "core/config.h"
#include "forms/simclick.h"

namespace mintor::forms {

TFCore* FCore = nullptr;

Core* app_core() { return FCore ? &FCore->core : nullptr; }

TFCore::TFCore(const QString& program_folder, bool read_ini, QObject* parent)
    : QObject(parent), core(program_folder) {
    setObjectName(QStringLiteral("FCore"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TFCore::Timer1Timer);
    if (!FCore) FCore = this;
    if (read_ini) read_program_ini(core);
}

TFCore::~TFCore() {
    if (FCore == this) FCore = nullptr;
}

void TFCore::simclick_after_show(QWidget* form) {
    if (!simclick_on || !form) return;
    simclick_form_ = form;
    Timer1->start();
}

void TFCore::Timer1Timer() {
    Timer1->stop();
    QWidget* f = simclick_form_.data();
    if (!f || !f->isVisible()) return;
    const QRect g = f->frameGeometry();
    simclick_at(QPoint(g.left() + g.width() - 2, g.top() + g.height() + 22));
}

}  // namespace mintor::forms
