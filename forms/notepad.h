#pragma once
// TFnotepad: a free-text scratch pad kept in npad.txt beside the program, with its font in
// npad.ini. Saved 15 seconds after the first unsaved change and when it closes.

#include <QDateTime>
#include <QWidget>

class QFrame;
class QMenuBar;
class QPlainTextEdit;
class QTimer;

namespace mintor::forms {

class TFnotepad : public QWidget {
    Q_OBJECT
public:
    explicit TFnotepad(const QString& program_folder = QString(), QWidget* parent = nullptr);
    ~TFnotepad() override;

    // The main menu's "Notepad": saves unsaved text, loads the file again, shows the pad.
    void show_notepad();
    void notepad_save_if_changed();
    // Menu items
    void SaveClick();
    void NowClick();
    void export_to_clipboard();
    // Writes the text to name (".txt" added unless it ends so) and says so.
    bool export_to_file(const QString& name);
    void FontClick();
    void ScrollClick();
    void ClearClick();
    void SearchClick();
    void find_next();

    bool changed() const { return changed_; }
    bool saved() const { return saved_; }
    QDateTime autosave_due() const { return due_; }
    void set_autosave_due(const QDateTime& due) { due_ = due; }
    QString text_path() const { return text_path_; }
    QString font_path() const { return font_path_; }

    QPlainTextEdit* Memo1;
    QFrame* TopPnl;
    QFrame* BottomPnl;
    QFrame* LeftPnl;
    QFrame* RightPnl;
    QMenuBar* MainMenu1;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void load();
    void read_font();
    void write_font();
    void Memo1Change();
    void notepad_msg(const QString& text);
    bool ask_notepad(const QString& text);

    QString text_path_, font_path_;
    bool changed_ = false;
    bool saved_ = false;
    bool font_changed_ = false;
    bool shown_ = false;
    bool loading_ = false;
    QDateTime due_;
    QString search_;
};

extern TFnotepad* FNotepad;

}  // namespace mintor::forms
