#pragma once
// Helpers for the form tests: acting on the modal dialog a form opens, and a program folder
// of the test's own with FORMS.INI open in it.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <ostream>
#include <QTemporaryDir>
#include <functional>

#include "support/scripted_host.h"

class QWidget;

// Failures show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l) *os << " \"" << s.toStdString() << '"';
    *os << " }";
}

namespace forms_testing {

// Runs act on the next modal dialog as soon as it shows (within a few seconds).
void on_next_modal(std::function<void(QWidget*)> act);
// Clicks the button with this object name in the widget (fails the test when absent).
void click(QWidget* w, const char* name);

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString folder;  // ends with "/"
    testing_support::ScriptedHost host;

private:
    QTemporaryDir dir_;
};

}  // namespace forms_testing
