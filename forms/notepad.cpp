#include "forms/notepad.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextStream>
#include <QTimer>

#include "forms/mainhooks.h"
#include "forms/uitext.h"
#include "qwellib/dialogs.h"
#include "qwellib/inifile.h"
#include "qwellib/text.h"

namespace mintor::forms {

using namespace qwel;

TFnotepad* FNotepad = nullptr;

namespace {
const QString kSection = QStringLiteral("notepad");
constexpr int kAutosaveMs = 15000;

QFrame* edge(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    paint_background(f, kNotepadColour);
    return f;
}

bool write_lines(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty() && !bytes.endsWith('\n')) bytes += '\n';
    return f.write(bytes) == bytes.size();
}
}  // namespace

TFnotepad::TFnotepad(const QString& program_folder, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FNotepad"));
    const QString folder = program_folder.isEmpty() ? qwel::program_folder() : program_folder;
    text_path_ = folder + QStringLiteral("npad.txt");
    font_path_ = folder + QStringLiteral("npad.ini");
    resize(560, 420);

    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(0);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    g->setMenuBar(MainMenu1);
    TopPnl = edge(this, "TopPnl");
    TopPnl->setFixedHeight(8);
    BottomPnl = edge(this, "BottomPnl");
    BottomPnl->setFixedHeight(8);
    LeftPnl = edge(this, "LeftPnl");
    LeftPnl->setFixedWidth(8);
    RightPnl = edge(this, "RightPnl");
    RightPnl->setFixedWidth(8);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = Memo1->palette();
    p.setColor(QPalette::Base, rgb_colour(kNotepadColour));
    Memo1->setPalette(p);
    Memo1->installEventFilter(this);
    g->addWidget(TopPnl, 0, 0, 1, 3);
    g->addWidget(LeftPnl, 1, 0);
    g->addWidget(Memo1, 1, 1);
    g->addWidget(RightPnl, 1, 2);
    g->addWidget(BottomPnl, 2, 0, 1, 3);

    auto add = [this](QMenu* m, const QString& caption, void (TFnotepad::*slot)()) {
        QAction* a = m ? m->addAction(caption) : MainMenu1->addAction(caption);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QAction* close_item = MainMenu1->addAction(QStringLiteral("Close"));
    close_item->setObjectName(QStringLiteral("Close1"));
    connect(close_item, &QAction::triggered, this, &QWidget::close);
    add(nullptr, QStringLiteral("Save"), &TFnotepad::SaveClick)->setObjectName(QStringLiteral("Save1"));
    add(nullptr, QStringLiteral("Now!"), &TFnotepad::NowClick)->setObjectName(QStringLiteral("Now1"));
    QMenu* exp = MainMenu1->addMenu(QStringLiteral("Export"));
    exp->setObjectName(QStringLiteral("Export1"));
    add(exp, QStringLiteral("to Clipboard"), &TFnotepad::export_to_clipboard);
    QAction* to_file = exp->addAction(QStringLiteral("to File"));
    connect(to_file, &QAction::triggered, this, [this] {
        QFileDialog dlg(this, QStringLiteral("Export"), QString(), QStringLiteral("Text files (*.txt)"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
        export_to_file(dlg.selectedFiles().first());
    });
    add(nullptr, QStringLiteral("Font"), &TFnotepad::FontClick)->setObjectName(QStringLiteral("Font1"));
    add(nullptr, QStringLiteral("Scroll-to-cursor"), &TFnotepad::ScrollClick);
    add(nullptr, QStringLiteral("Clear"), &TFnotepad::ClearClick)->setObjectName(QStringLiteral("Clear1"));
    add(nullptr, QStringLiteral("Search"), &TFnotepad::SearchClick)->setObjectName(QStringLiteral("Search1"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1->stop();
        notepad_save_if_changed();
    });
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TFnotepad::Memo1Change);

    read_font();
    load();
    setWindowTitle(app_title() + QStringLiteral(" - Notepad"));
    changed_ = false;
    register_closable_form(this);
    if (!FNotepad) FNotepad = this;
}

TFnotepad::~TFnotepad() {
    unregister_closable_form(this);
    if (FNotepad == this) FNotepad = nullptr;
}

void TFnotepad::read_font() {
    IniFile ini(font_path_);
    ini.load();
    QFont f(ini.read_string(kSection, QStringLiteral("FONTNAME"), QStringLiteral("Arial")));
    f.setPointSize(ini.read_int(kSection, QStringLiteral("FONTSIZE"), 10));
    f.setBold(ini.read_bool(kSection, QStringLiteral("FONTBOLD"), false));
    f.setItalic(ini.read_bool(kSection, QStringLiteral("FONTITALIC"), false));
    f.setUnderline(ini.read_bool(kSection, QStringLiteral("FONTUNDERLINE"), false));
    f.setStrikeOut(ini.read_bool(kSection, QStringLiteral("FONTSTRIKEOUT"), false));
    Memo1->setFont(f);
}

void TFnotepad::write_font() {
    IniFile ini(font_path_);
    ini.load();
    const QFont f = Memo1->font();
    ini.write_string(kSection, QStringLiteral("FONTNAME"), f.family());
    ini.write_int(kSection, QStringLiteral("FONTSIZE"), f.pointSize());
    ini.write_bool(kSection, QStringLiteral("FONTBOLD"), f.bold());
    ini.write_bool(kSection, QStringLiteral("FONTITALIC"), f.italic());
    ini.write_bool(kSection, QStringLiteral("FONTUNDERLINE"), f.underline());
    ini.write_bool(kSection, QStringLiteral("FONTSTRIKEOUT"), f.strikeOut());
    ini.save();
}

void TFnotepad::load() {
    QFile f(text_path_);
    if (f.exists() && f.open(QIODevice::ReadOnly)) {
        QString text = QString::fromUtf8(f.readAll());
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
        loading_ = true;
        Memo1->setPlainText(text);
        loading_ = false;
    }
    saved_ = false;
}

void TFnotepad::show_notepad() {
    // unsaved text would be lost by the reload
    notepad_save_if_changed();
    load();
    shown_ = true;
    QTextCursor c = Memo1->textCursor();
    c.setPosition(std::min(32000, int(Memo1->document()->characterCount()) - 1));
    Memo1->setTextCursor(c);
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TFnotepad::Memo1Change() {
    if (loading_ || !shown_) return;
    changed_ = true;
    if (!Timer1->isActive()) Timer1->start(kAutosaveMs);
    due_ = QDateTime::currentDateTime().addMSecs(kAutosaveMs);
}

void TFnotepad::notepad_save_if_changed() {
    if (font_changed_) {
        write_font();
        font_changed_ = false;
    }
    if (!changed_) return;
    changed_ = false;
    saved_ = true;
    if (!write_lines(text_path_, Memo1->toPlainText()))
        show_msg(QStringLiteral("Cannot save the notepad to ") + dquote(text_path_));
}

void TFnotepad::closeEvent(QCloseEvent* e) {
    if (shown_) notepad_save_if_changed();
    if (font_changed_) {
        write_font();
        font_changed_ = false;
    }
    Timer1->stop();
    e->accept();
}

void TFnotepad::notepad_msg(const QString& text) {
    set_caption_prefix(QStringLiteral("Notepad"));
    show_msg(text);
    set_caption_prefix(QString());
}

bool TFnotepad::ask_notepad(const QString& text) {
    set_caption_prefix(QStringLiteral("Notepad"));
    const bool yes = ask_yes(text);
    set_caption_prefix(QString());
    return yes;
}

void TFnotepad::SaveClick() {
    if (changed_) {
        const qint64 ms = QDateTime::currentDateTime().msecsTo(due_);
        const qint64 n = ms <= 0 ? 0 : (ms + 999) / 1000;
        notepad_msg(QStringLiteral("Changes will anyway be saved automatically in ") + QString::number(n) +
                    QStringLiteral(" second") + (n == 1 ? QString() : QStringLiteral("s")) + QStringLiteral(",") +
                    QStringLiteral("\r") + QStringLiteral("or when the Notepad is closed."));
    } else if (saved_) {
        notepad_msg(QStringLiteral("All changes have already been saved"));
    } else {
        notepad_msg(QStringLiteral("There are no changes to save"));
    }
}

void TFnotepad::NowClick() { Memo1->insertPlainText(format_stamp(now_stamp(), 2)); }

void TFnotepad::export_to_clipboard() {
    Memo1->selectAll();
    QApplication::clipboard()->setText(Memo1->toPlainText());
    QTextCursor c = Memo1->textCursor();
    c.setPosition(0);
    Memo1->setTextCursor(c);
    flash_notice(QStringLiteral("Exported OK"));
}

bool TFnotepad::export_to_file(const QString& name) {
    QString path = name;
    if (last_chars(path, 4).toLower() != QLatin1String(".txt")) path += QStringLiteral(".txt");
    if (!write_lines(path, Memo1->toPlainText())) {
        show_msg(QStringLiteral("Cannot write ") + dquote(path));
        return false;
    }
    flash_notice(QStringLiteral("Exported OK"));
    QDir::setCurrent(qwel::program_folder());
    return true;
}

void TFnotepad::FontClick() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, Memo1->font(), this);
    if (!ok) return;
    Memo1->setFont(f);
    font_changed_ = true;
}

void TFnotepad::ScrollClick() { Memo1->ensureCursorVisible(); }

void TFnotepad::ClearClick() {
    if (!ask_notepad(QStringLiteral("Clear the notepad - are you sure ?"))) return;
    if (!ask_notepad(QStringLiteral("... really sure ? (last chance)"))) return;
    Memo1->clear();
    changed_ = true;
    if (!Timer1->isActive()) Timer1->start(kAutosaveMs);
    due_ = QDateTime::currentDateTime().addMSecs(kAutosaveMs);
}

void TFnotepad::SearchClick() {
    QString s = search_;
    if (!ask_text2(QStringLiteral("Search for"), QStringLiteral("(afterwards use F3 for Find Next)"), s)) return;
    if (s.isEmpty()) return;
    search_ = s.toLower();
    find_next();
}

void TFnotepad::find_next() {
    if (search_.isEmpty()) return;
    const QString text = Memo1->toPlainText().toLower();
    QTextCursor c = Memo1->textCursor();
    const int from = c.position();
    const int at = int(text.indexOf(search_, from));
    if (at >= 0) {
        c.setPosition(at + int(search_.size()));
        Memo1->setTextCursor(c);
        Memo1->ensureCursorVisible();
        return;
    }
    show_msg(dquote(search_) + QStringLiteral(" - ") +
             (from > 0 ? QStringLiteral("no more instances") : QStringLiteral("not found")));
}

bool TFnotepad::eventFilter(QObject* o, QEvent* e) {
    if (o == Memo1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F3) {
            find_next();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace mintor::forms
