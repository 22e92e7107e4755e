// FORMS.INI: a form's bounds and maximised state round trip; a fixed-border form keeps its
// designed size; restoring without FORMS.INI open is a program error.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "forms/mydbgridb.h"
#include "forms_support.h"
#include "qwellib/inifile.h"

using namespace mintor::forms;
using forms_testing::FormsTest;

namespace {
QString ini_value(const QString& path, const QString& key) {
    qwel::IniFile ini(path);
    ini.load();
    return ini.read_string(QStringLiteral("forms"), key, QStringLiteral("?"));
}
}  // namespace

class Geometry : public FormsTest {};

TEST_F(Geometry, NormalAndMaximisedBoundsRoundTrip) {
    const QString ini = folder + QStringLiteral("FORMS.INI");
    {
        QWidget w;
        w.setObjectName(QStringLiteral("FTest"));
        w.setGeometry(60, 50, 300, 200);
        w.show();
        QApplication::processEvents();
        w.move(70, 80);
        save_form_geometry(&w);
    }
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-T")), QStringLiteral("80"));
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-L")), QStringLiteral("70"));
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-H")), QStringLiteral("200"));
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-W")), QStringLiteral("300"));
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-Maximized")), QStringLiteral("0"));

    {
        QWidget w;
        w.setObjectName(QStringLiteral("FTest"));
        w.resize(10, 10);
        restore_form_geometry(&w);
        EXPECT_EQ(w.pos(), QPoint(70, 80));
        EXPECT_EQ(w.size(), QSize(300, 200));
        EXPECT_FALSE(w.isMaximized());
        w.show();
        w.showMaximized();
        QApplication::processEvents();
        ASSERT_TRUE(w.isMaximized());
        save_form_geometry(&w);
    }
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-Maximized")), QStringLiteral("1"));
    EXPECT_EQ(ini_value(ini, QStringLiteral("FTest-W")), QStringLiteral("300"));

    // it opens maximised, and going back to normal gives the bounds from before
    QWidget w;
    w.setObjectName(QStringLiteral("FTest"));
    restore_form_geometry(&w);
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.isMaximized());
    w.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(300, 200));
    EXPECT_EQ(w.pos(), QPoint(70, 80));
}

TEST_F(Geometry, FixedBorderKeepsDesignedSizeAndUnnamedFormsAreNotSaved) {
    close_forms_ini();
    qwel::IniFile seed(folder + QStringLiteral("FORMS.INI"));
    seed.write_int(QStringLiteral("forms"), QStringLiteral("FFixed-T"), 40);
    seed.write_int(QStringLiteral("forms"), QStringLiteral("FFixed-L"), -1);
    seed.write_int(QStringLiteral("forms"), QStringLiteral("FFixed-H"), 500);
    seed.write_int(QStringLiteral("forms"), QStringLiteral("FFixed-W"), 700);
    ASSERT_TRUE(seed.save());
    open_forms_ini(folder + QStringLiteral("FORMS.INI"));

    QWidget w;
    w.setObjectName(QStringLiteral("FFixed"));
    w.move(15, 25);
    w.setFixedSize(220, 120);
    restore_form_geometry(&w);
    EXPECT_EQ(w.size(), QSize(220, 120));
    EXPECT_EQ(w.pos(), QPoint(15, 40));  // a negative key leaves that coordinate alone

    QWidget unnamed;
    save_form_geometry(&unnamed);
    EXPECT_EQ(ini_value(folder + QStringLiteral("FORMS.INI"), QStringLiteral("-T")), QStringLiteral("?"));
}

TEST_F(Geometry, RestoreWithoutFormsIniIsAProgramError) {
    close_forms_ini();
    QWidget w;
    w.setObjectName(QStringLiteral("FTest"));
    w.setGeometry(5, 6, 70, 80);
    restore_form_geometry(&w);
    EXPECT_TRUE(host.said(QStringLiteral("Program error : get_formini")));
    EXPECT_EQ(w.geometry(), QRect(5, 6, 70, 80));
}
