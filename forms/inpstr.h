#pragma once
// TFinpstr: the text input dialog behind ask_text, ask_text2, ask_text_max, ask_int and
// ask_amount. Borderless and sky blue: a title, an optional prompt, the edit box with a
// calendar button at its left (shown when the text starts with a date), OK and Cancel.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

namespace mintor::forms {

class TFinpstr : public QDialog {
    Q_OBJECT
public:
    explicit TFinpstr(QWidget* parent = nullptr);
    ~TFinpstr() override;

    // Shows the dialog modally; true and the edited text on OK. max_length 0 = no limit.
    bool ask(const QString& title, const QString& prompt, QString& value, int max_length = 0);
    // Lays the dialog out for the call without running it (ask does this first).
    void prepare(const QString& title, const QString& prompt, const QString& value, int max_length);

    int design_width() const { return design_width_; }

    QFrame* LeftPnl;
    QFrame* RightPnl;
    QFrame* MidPnl;
    QLabel* TitleLbl;
    QLabel* PromptLbl;
    QFrame* CalPnl;
    QPushButton* CalBtn;
    QLineEdit* Edit1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CalBtnClick();
    int design_width_ = 0;
};

extern TFinpstr* FInpstr;

}  // namespace mintor::forms
