// The Qt dialogs: the choice keys and its remembered place, the text input's width and
// calendar-button rules, and the message boxes' remembered place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "forms/choice.h"
#include "forms/inpstr.h"
#include "forms/qthost.h"
#include "forms_support.h"

using namespace mintor::forms;

TEST(Choice, FirstLetterKeysLastMatchWins) {
    struct Case {
        const char* first;
        const char* second;
        char key;
        int result;  // -1: ignored, the dialog stays open
    };
    const Case cases[] = {
        {"Change", "Clear", 'c', 2}, {"Change", "Clear", 'C', 2}, {"Change", "Clear", 'x', -1},
        {"Wash (normal)", "No wash (debug)", 'w', 1}, {"Wash (normal)", "No wash (debug)", 'n', 2},
        {"simclick ON", "simclick OFF", 's', 2}, {"Yes", "No", 'c', 0},
    };
    TFchoice dlg;
    for (const Case& c : cases) {
        dlg.prepare(QStringLiteral("Pick"), QString::fromLatin1(c.first), QString::fromLatin1(c.second));
        dlg.show();
        QTest::keyClick(&dlg, c.key);
        if (c.result < 0) {
            EXPECT_TRUE(dlg.isVisible()) << c.first << " " << c.key;
            QTest::keyClick(&dlg, Qt::Key_Escape);
            EXPECT_EQ(dlg.choice(), 0);
        } else {
            EXPECT_FALSE(dlg.isVisible()) << c.first << " " << c.key;
            EXPECT_EQ(dlg.choice(), c.result) << c.first << " " << c.key;
        }
        dlg.hide();
    }
}

TEST(Choice, ButtonsAndTheRememberedPlace) {
    TFchoice dlg;
    QCursor::setPos(200, 150);
    QPoint first_at;
    forms_testing::on_next_modal([&](QWidget* w) {
        first_at = w->pos();
        w->move(first_at + QPoint(40, 30));  // the user drags it
        forms_testing::click(w, "Button2");
    });
    EXPECT_EQ(dlg.ask(QStringLiteral("Wash & rinse?"), QStringLiteral("One"), QStringLiteral("Two")), 2);
    EXPECT_EQ(dlg.Label1->text(), QStringLiteral("Wash && rinse?"));
    EXPECT_EQ(first_at, QPoint(200, 150));
    // the pointer has not moved: it opens where the last one opened
    QPoint second_at;
    forms_testing::on_next_modal([&](QWidget* w) {
        second_at = w->pos();
        forms_testing::click(w, "Button1");
    });
    EXPECT_EQ(dlg.ask(QStringLiteral("Again"), QStringLiteral("One"), QStringLiteral("Two")), 1);
    EXPECT_EQ(second_at, first_at);
    QCursor::setPos(300, 250);
    forms_testing::on_next_modal([&](QWidget* w) {
        second_at = w->pos();
        forms_testing::click(w, "Button3");
    });
    EXPECT_EQ(dlg.ask(QStringLiteral("Moved"), QStringLiteral("One"), QStringLiteral("Two")), 0);
    EXPECT_EQ(second_at, QPoint(300, 250));
}

TEST(TextInput, WidthFollowsTheValueWithinLimits) {
    TFinpstr dlg;
    const int edges = dlg.LeftPnl->width() + dlg.RightPnl->width();
    dlg.prepare(QStringLiteral("Title"), QString(), QString(1000, QLatin1Char('w')), 0);
    EXPECT_LE(dlg.width(), std::max(572 + edges + 20, dlg.design_width()));
    EXPECT_GT(dlg.width(), dlg.design_width());
    dlg.prepare(QStringLiteral("Title"), QString(), QStringLiteral("ab"), 0);
    EXPECT_EQ(dlg.width(), dlg.design_width());
    // a long title widens it
    dlg.prepare(QString(120, QLatin1Char('T')), QString(), QStringLiteral("ab"), 0);
    EXPECT_GE(dlg.width(), dlg.TitleLbl->sizeHint().width() + 2 * 16);
}

TEST(TextInput, CalendarButtonOnlyForADateAndTheEditResult) {
    TFinpstr dlg;
    struct Case {
        const char* value;
        bool button;
    };
    for (const Case& c : {Case{"2024-01-05 (Fri)", true}, Case{"2024-01-05", true}, Case{"abc", false},
                          Case{"2024-01", false}, Case{"abcdefghijkl", false}}) {
        dlg.prepare(QStringLiteral("T"), QString(), QString::fromLatin1(c.value), 0);
        EXPECT_EQ(dlg.CalPnl->isVisibleTo(&dlg), c.button) << c.value;
    }
    dlg.prepare(QStringLiteral("T"), QStringLiteral("the prompt"), QStringLiteral("x"), 0);
    EXPECT_TRUE(dlg.PromptLbl->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.Edit1->selectedText(), QStringLiteral("x"));

    QString value = QStringLiteral("old");
    forms_testing::on_next_modal([&dlg](QWidget*) {
        EXPECT_EQ(dlg.Edit1->maxLength(), 5);
        dlg.Edit1->setText(QStringLiteral("new"));
        QTest::keyClick(dlg.Edit1, Qt::Key_Escape);
    });
    EXPECT_FALSE(dlg.ask(QStringLiteral("T"), QString(), value, 5));
    EXPECT_EQ(value, QStringLiteral("old"));
    EXPECT_EQ(dlg.Edit1->maxLength(), 32767);
    forms_testing::on_next_modal([&dlg](QWidget*) {
        dlg.Edit1->setText(QStringLiteral("new"));
        QTest::keyClick(dlg.Edit1, Qt::Key_Return);
    });
    EXPECT_TRUE(dlg.ask(QStringLiteral("T"), QString(), value));
    EXPECT_EQ(value, QStringLiteral("new"));
}

TEST(QtHost, RunOfQuestionsStaysWhereTheFirstWasLeft) {
    QtDialogHost host;
    QCursor::setPos(120, 100);
    QPoint moved_to;
    forms_testing::on_next_modal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("mintor"));
        EXPECT_EQ(box->text(), QStringLiteral("Delete this - are you sure ?"));
        moved_to = w->pos() + QPoint(60, 20);
        w->move(moved_to);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(qwel::ask_sure(QStringLiteral("Delete this")));
    QPoint second;
    forms_testing::on_next_modal([&](QWidget* w) {
        second = w->pos();
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(qwel::ask_sure(QStringLiteral("Delete that")));
    EXPECT_EQ(second, moved_to);

    forms_testing::on_next_modal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_EQ(box->text(), QStringLiteral("line one\nline two"));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(qwel::ask_ync(QStringLiteral("line one\rline two")), 'C');
}
