#include "forms/clicklabel.h"

#include <QMouseEvent>

namespace mintor::forms {

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

}  // namespace mintor::forms
