#include "forms/uitext.h"

#include <QPalette>
#include <QWidget>

namespace mintor::forms {

QString display_text(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QColor rgb_colour(unsigned rgb) { return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)); }

void paint_background(QWidget* w, unsigned rgb) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, rgb_colour(rgb));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace mintor::forms
