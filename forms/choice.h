#pragma once
// TFchoice: the two-button choice with "Cancel" behind ask_choice. Borderless, silver; a key
// that is the first letter of a button's caption chooses it (the last match wins).

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;
class QFrame;

namespace mintor::forms {

class TFchoice : public QDialog {
    Q_OBJECT
public:
    explicit TFchoice(QWidget* parent = nullptr);
    ~TFchoice() override;

    // 1 or 2 for the choices, 0 for Cancel (and for a window closed otherwise).
    int ask(const QString& prompt, const QString& first, const QString& second);
    // Sets the texts and places the dialog as ask does, without running it.
    void prepare(const QString& prompt, const QString& first, const QString& second);
    // The result a typed key gives: -1 when no caption starts with it.
    int result_for_key(QChar key) const;
    int choice() const { return result_; }

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void choose(int r);
    int result_ = 0;
    bool have_memory_ = false;
    QPoint closed_pointer_;  // the pointer when the last choice closed
    QPoint opened_at_;       // where the last choice opened
};

extern TFchoice* FChoice;

}  // namespace mintor::forms
