#pragma once
// A label that can be clicked (the main form's database dates).

#include <QLabel>

namespace mintor::forms {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace mintor::forms
