#include "forms/clpbd2.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include "forms/pagelayout.h"
#include "forms/ptg.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor::forms {

using namespace qwel;

TFClpBd2* FClpBd2 = nullptr;

TFClpBd2::TFClpBd2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FClpBd2"));
    setWindowTitle(QStringLiteral("Clipboard"));
    resize(620, 440);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    v->setMenuBar(MainMenu1);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = Memo1->palette();
    p.setColor(QPalette::Base, Qt::white);
    Memo1->setPalette(p);
    Memo1->installEventFilter(this);
    v->addWidget(Memo1, 1);
    StatusPnl = new QLabel(this);
    StatusPnl->setObjectName(QStringLiteral("StatusPnl"));
    StatusPnl->setFrameShape(QFrame::StyledPanel);
    v->addWidget(StatusPnl);
    CancelBtn = new QPushButton(QStringLiteral("Close"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setFixedSize(0, 0);  // hidden: it takes the focus so that Esc closes
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    connect(CancelBtn, &QPushButton::clicked, this, &QWidget::close);

    QAction* close_item = MainMenu1->addAction(QStringLiteral("Close"));
    close_item->setObjectName(QStringLiteral("Close1"));
    connect(close_item, &QAction::triggered, this, &QWidget::close);
    QAction* save = MainMenu1->addAction(QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("Save1"));
    connect(save, &QAction::triggered, this, [this] {
        QFileDialog dlg(this, QStringLiteral("Save"), QString(), QStringLiteral("Text files (*.txt *.TXT)"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(QStringLiteral("TXT"));
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);  // asked below, in the program's words
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) save_to(dlg.selectedFiles().first());
    });
    QAction* print = MainMenu1->addAction(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("Print1"));
    connect(print, &QAction::triggered, this, &TFClpBd2::PrintClick);
    QAction* font = MainMenu1->addAction(QStringLiteral("Font"));
    font->setObjectName(QStringLiteral("Font1"));
    connect(font, &QAction::triggered, this, [this] {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, Memo1->font(), this);
        if (ok) Memo1->setFont(f);
    });
    QMenu* wrap = MainMenu1->addMenu(QStringLiteral("Wordwrap"));
    wrap->setObjectName(QStringLiteral("Wordwrap1"));
    Wrap1 = wrap->addAction(QStringLiteral("Wrap"));
    Wrap1->setObjectName(QStringLiteral("Wrap1"));
    Wrap1->setCheckable(true);
    Fix1 = wrap->addAction(QStringLiteral("Fix"));
    Fix1->setObjectName(QStringLiteral("Fix1"));
    connect(wrap, &QMenu::aboutToShow, this, [this] {
        Wrap1->setChecked(Memo1->lineWrapMode() != QPlainTextEdit::NoWrap);
        Fix1->setEnabled(Wrap1->isChecked());
    });
    connect(Wrap1, &QAction::triggered, this, [this](bool on) {
        Memo1->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        flash_notice(Wrap1->text() + QStringLiteral(" = ") + bool_text(on));
    });
    connect(Fix1, &QAction::triggered, this, [this] {
        if (ask_yes(QStringLiteral("Fix this layout?"))) fix_layout();
    });
    if (!FClpBd2) FClpBd2 = this;
}

TFClpBd2::~TFClpBd2() {
    if (FClpBd2 == this) FClpBd2 = nullptr;
}

void TFClpBd2::set_status(qint64 chars) {
    StatusPnl->setText(QStringLiteral(" ") + QString::number(chars) + QStringLiteral(" characters"));
}

void TFClpBd2::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    const QString text = QApplication::clipboard()->text();
    Memo1->setPlainText(text);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    set_status(text.size());
}

bool TFClpBd2::eventFilter(QObject* o, QEvent* e) {
    if (o == Memo1 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

QStringList TFClpBd2::lines() const {
    QStringList out;
    for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

void TFClpBd2::clip_start() {
    QApplication::clipboard()->clear();
    process_events();
    if (isVisible()) {
        raise();
    } else {
        show();
    }
    Memo1->clear();
    chars_ = 0;
    exporting_ = true;
}

void TFClpBd2::clip_add_line(const QString& text) {
    Memo1->appendPlainText(text);
    chars_ += text.size();
}

void TFClpBd2::clip_finish() {
    QApplication::clipboard()->setText(Memo1->toPlainText());
    set_status(chars_);
    CancelBtn->setFocus();
    exporting_ = false;
}

QStringList TFClpBd2::fix_line(const QString& line, int limit, const std::function<int(const QString&)>& width_of) {
    QStringList out;
    QString rest = line;
    do {
        QString head = rest;
        rest.clear();
        while (width_of(head) >= limit) {
            const qsizetype cut = head.lastIndexOf(QLatin1Char(' '));
            // a piece with no blank from the third character on stays whole
            if (cut < 2) break;
            // the word goes to the front of the rest; a blank only between words, so that
            // no piece ends in (or is made of) blanks the cutting added
            const QString word = head.mid(cut + 1);
            if (!word.isEmpty()) rest = rest.isEmpty() ? word : word + QStringLiteral(" ") + rest;
            head = head.left(cut);
        }
        out << head;
    } while (!rest.isEmpty());
    return out;
}

void TFClpBd2::fix_layout() {
    const QFontMetrics fm(Memo1->font());
    const int limit = Memo1->viewport()->width() - 5;
    auto width_of = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    QStringList out;
    for (const QString& line : lines()) out << fix_line(line, limit, width_of);
    const QString text = out.join(QLatin1Char('\n'));
    Memo1->setPlainText(text);
    QApplication::clipboard()->setText(text);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool TFClpBd2::save_to(const QString& path) {
    if (QFile::exists(path) && !ask_yes(QStringLiteral("File already exists - overwrite?"))) return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        show_msg(QStringLiteral("Cannot write ") + dquote(path));
        return false;
    }
    QByteArray bytes = lines().join(QLatin1Char('\n')).toUtf8();
    bytes += '\n';
    f.write(bytes);
    return true;
}

void TFClpBd2::PrintClick() {
    if (Memo1->lineWrapMode() != QPlainTextEdit::NoWrap) fix_layout();
    const QStringList all = lines();
    if (all.isEmpty() || (all.size() == 1 && all.first().isEmpty())) return;
    if (!FPtg) new TFPtg;
    if (FPtg->exec() != QDialog::Accepted) return;
    BusyCursor busy;
    PrinterTarget target(FPtg->printer());
    PageLayout layout;
    if (!layout.print_begin(target, FPtg->settings())) return;
    layout.print_set_font(Memo1->font());
    for (const QString& line : all) layout.print_line(line);
    layout.print_end();
}

}  // namespace mintor::forms
