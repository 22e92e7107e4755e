// The notepad: its save messages, autosave, search with F3, export names, the reload that
// keeps unsaved text, and the font settings file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "forms/notepad.h"
#include "forms_support.h"
#include "qwellib/inifile.h"

using namespace mintor::forms;

namespace {
QString read_file(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

void caret_to(QPlainTextEdit* memo, int pos) {
    QTextCursor c = memo->textCursor();
    c.setPosition(pos);
    memo->setTextCursor(c);
}
}  // namespace

class Notepad : public forms_testing::FormsTest {};

TEST_F(Notepad, SaveMessagesAndAutosave) {
    TFnotepad pad(folder);
    pad.show_notepad();
    EXPECT_EQ(pad.windowTitle(), QStringLiteral("mintor - Notepad"));
    pad.SaveClick();
    pad.Memo1->insertPlainText(QStringLiteral("first line"));
    ASSERT_TRUE(pad.changed());
    EXPECT_TRUE(pad.Timer1->isActive());
    EXPECT_EQ(pad.Timer1->interval(), 15000);
    pad.set_autosave_due(QDateTime::currentDateTime().addMSecs(1000));
    pad.SaveClick();
    pad.set_autosave_due(QDateTime::currentDateTime().addMSecs(15000));
    pad.SaveClick();
    pad.Timer1->start(1);  // the autosave, due now
    QTRY_VERIFY_WITH_TIMEOUT(!pad.changed(), 5000);
    EXPECT_EQ(read_file(folder + QStringLiteral("npad.txt")), QStringLiteral("first line\n"));
    pad.SaveClick();

    const QStringList expected = {
        QStringLiteral("There are no changes to save"),
        QStringLiteral("Changes will anyway be saved automatically in 1 second,\ror when the Notepad is closed."),
        QStringLiteral("Changes will anyway be saved automatically in 15 seconds,\ror when the Notepad is closed."),
        QStringLiteral("All changes have already been saved"),
    };
    EXPECT_EQ(host.messages(), expected);
    for (const auto& e : host.events()) EXPECT_EQ(e.caption, QStringLiteral(" Notepad"));
}

TEST_F(Notepad, ReopeningKeepsUnsavedTextAndClosingSaves) {
    TFnotepad pad(folder);
    pad.show_notepad();
    pad.Memo1->insertPlainText(QStringLiteral("typed just now"));
    pad.show_notepad();  // the main menu's Notepad again, within the autosave delay
    EXPECT_EQ(pad.Memo1->toPlainText(), QStringLiteral("typed just now"));
    pad.Memo1->appendPlainText(QStringLiteral("more"));
    pad.close();
    EXPECT_EQ(read_file(folder + QStringLiteral("npad.txt")), QStringLiteral("typed just now\nmore\n"));

    // clearing asks twice
    TFnotepad again(folder);
    again.show_notepad();
    EXPECT_EQ(again.Memo1->toPlainText(), QStringLiteral("typed just now\nmore"));
    host.answer_yes();
    host.answer_no();
    again.ClearClick();
    EXPECT_FALSE(again.Memo1->toPlainText().isEmpty());
    host.answer_yes(2);
    again.ClearClick();
    EXPECT_TRUE(again.Memo1->toPlainText().isEmpty());
    EXPECT_EQ(host.questions(), (QStringList{QStringLiteral("Clear the notepad - are you sure ?"),
                                             QStringLiteral("... really sure ? (last chance)"),
                                             QStringLiteral("Clear the notepad - are you sure ?"),
                                             QStringLiteral("... really sure ? (last chance)")}));
}

TEST_F(Notepad, SearchAndFindNext) {
    TFnotepad pad(folder);
    pad.show_notepad();
    pad.Memo1->setPlainText(QStringLiteral("one xabcx two"));
    caret_to(pad.Memo1, 0);
    host.answer(QStringLiteral("ABC"));
    pad.SearchClick();
    EXPECT_EQ(pad.Memo1->textCursor().position(), 8);
    EXPECT_FALSE(pad.Memo1->textCursor().hasSelection());
    QTest::keyClick(pad.Memo1, Qt::Key_F3);
    caret_to(pad.Memo1, 0);
    host.answer(QStringLiteral("zzz"));
    pad.SearchClick();
    EXPECT_EQ(host.messages(), (QStringList{QStringLiteral("\"abc\" - no more instances"),
                                            QStringLiteral("\"zzz\" - not found")}));
    EXPECT_EQ(host.events().back().caption, QStringLiteral("mintor"));
}

TEST_F(Notepad, ExportNamesClipboardAndFont) {
    TFnotepad pad(folder);
    pad.show_notepad();
    pad.Memo1->setPlainText(QStringLiteral("exported text"));
    const std::pair<QString, QString> names[] = {
        {folder + QStringLiteral("notes"), folder + QStringLiteral("notes.txt")},
        {folder + QStringLiteral("Notes.TXT"), folder + QStringLiteral("Notes.TXT")},
    };
    for (const auto& [given, written] : names) {
        ASSERT_TRUE(pad.export_to_file(given));
        EXPECT_EQ(read_file(written), QStringLiteral("exported text\n")) << given.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("Notes.TXT.txt")));
    pad.export_to_clipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("exported text"));
    EXPECT_EQ(pad.Memo1->textCursor().position(), 0);
    EXPECT_TRUE(host.flash_text.endsWith(QStringLiteral("\rExported OK")));  // the notices add up

    // the font settings file: defaults, then what close writes after a font change
    qwel::IniFile ini(folder + QStringLiteral("npad.ini"));
    ini.write_string(QStringLiteral("notepad"), QStringLiteral("FONTNAME"), QStringLiteral("DejaVu Sans Mono"));
    ini.write_int(QStringLiteral("notepad"), QStringLiteral("FONTSIZE"), 14);
    ini.write_bool(QStringLiteral("notepad"), QStringLiteral("FONTBOLD"), true);
    ASSERT_TRUE(ini.save());
    TFnotepad styled(folder);
    EXPECT_EQ(styled.Memo1->font().pointSize(), 14);
    EXPECT_TRUE(styled.Memo1->font().bold());
    EXPECT_FALSE(styled.Memo1->font().italic());
}
