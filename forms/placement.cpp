#include "forms/placement.h"

#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace mintor::forms {

QRect screen_area() {
    QScreen* s = QGuiApplication::screenAt(QCursor::pos());
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint keep_on_screen(QPoint want, QSize frame, const QRect& screen) {
    int x = want.x(), y = want.y();
    if (x + frame.width() > screen.right() + 1) x = screen.right() + 1 - frame.width();
    if (y + frame.height() > screen.bottom() + 1) y = screen.bottom() + 1 - frame.height();
    if (x < screen.left()) x = screen.left();
    if (y < screen.top()) y = screen.top();
    return {x, y};
}

QSize frame_size(QWidget* w) {
    if (w->isVisible()) return w->frameGeometry().size();
    w->ensurePolished();
    if (w->layout()) w->layout()->activate();
    return w->size();
}

void place_near_pointer(QWidget* w) {
    QPoint p = QCursor::pos() + QPoint(1, 1);
    w->move(keep_on_screen(p, frame_size(w), screen_area()));
}

void show_near_pointer(QWidget* w) {
    place_near_pointer(w);
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
}

int show_modal_near_pointer(QDialog* d) {
    place_near_pointer(d);
    return d->exec();
}

}  // namespace mintor::forms
