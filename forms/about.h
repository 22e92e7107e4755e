#pragma once
// TFAbout1: the About box: the program's name, the running executable and its date, its
// version, and the platform and database engine it is built on.

#include <QDialog>

class QLabel;
class QTextEdit;
class QPushButton;
class QFrame;

namespace mintor::forms {

class TFAbout1 : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout1(QWidget* parent = nullptr);
    ~TFAbout1() override;

    // Shown near the pointer, not modally, widened so that the path line fits.
    void show_about();
    static QString about_text();

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* PathLbl;
    QLabel* DateLbl;
    QTextEdit* Memo1;
    QPushButton* OKBtn;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

extern TFAbout1* FAbout1;

}  // namespace mintor::forms
