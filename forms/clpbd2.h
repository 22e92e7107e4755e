#pragma once
// TFClpBd2: the clipboard window. It shows the system clipboard's text, saves and prints it,
// and every export builds its text here line by line (clip_start, clip_add_line, clip_finish).

#include <QStringList>
#include <functional>
#include <QWidget>

class QAction;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace mintor::forms {

class TFClpBd2 : public QWidget {
    Q_OBJECT
public:
    explicit TFClpBd2(QWidget* parent = nullptr);
    ~TFClpBd2() override;

    // Exports: clear the clipboard and show the empty window; add lines; put the text on the
    // clipboard.
    void clip_start();
    void clip_add_line(const QString& text);
    void clip_finish();
    // Cuts the memo's lines into pieces narrower than the memo (at blanks), puts the result
    // on the clipboard and switches word wrap off.
    void fix_layout();
    // The pieces one line makes under a width limit, measured by width_of.
    static QStringList fix_line(const QString& line, int limit, const std::function<int(const QString&)>& width_of);
    // Writes the memo's lines to path (asking before it overwrites).
    bool save_to(const QString& path);
    void PrintClick();
    QStringList lines() const;

    QPlainTextEdit* Memo1;
    QLabel* StatusPnl;
    QPushButton* CancelBtn;
    QMenuBar* MainMenu1;
    QAction* Wrap1;
    QAction* Fix1;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void set_status(qint64 chars);
    bool exporting_ = false;
    qint64 chars_ = 0;
};

extern TFClpBd2* FClpBd2;

}  // namespace mintor::forms
