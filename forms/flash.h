#pragma once
// TFFlash: the small borderless window on top of the others that shows progress texts and
// short notices. What it shows and for how long is decided in qwellib (flash_status,
// flash_notice, flash_progress); this window only paints, places and times.

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace mintor::forms {

class TFFlash : public QWidget {
    Q_OBJECT
public:
    explicit TFFlash(QWidget* parent = nullptr);
    ~TFFlash() override;

    // place: paint, size and place near the pointer; otherwise only replace the text.
    void show_text(const QString& text, bool place);
    void hide_window();
    void start_timer(int ms);
    void stop_timer();
    bool timer_running() const;

    QFrame* Panel1;
    QLabel* Label1;
    QTimer* Timer1;
};

extern TFFlash* FFlash;

}  // namespace mintor::forms
