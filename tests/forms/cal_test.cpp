// The calendar: month grids across the calendar change and leap years, the year and month
// steps, "Enter year", and the Options page presets and refusals.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "forms/cal.h"
#include "forms_support.h"

using namespace mintor::forms;
using qwel::Date;

namespace {
// The days the grid shows, in order, and the column of the first.
struct Grid {
    std::vector<int> days;
    int first_col = -1;
};

Grid grid(const TFCal& cal) {
    Grid g;
    for (int r = 1; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            const QString t = cal.cell_text(r, c);
            if (t.trimmed().isEmpty()) continue;
            if (g.first_col < 0) g.first_col = c;
            g.days.push_back(t.trimmed().toInt());
        }
    return g;
}

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int d = from; d <= to; ++d) v.push_back(d);
    return v;
}

std::vector<int> concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void choose_preset(TFCal& cal, const QString& name) {
    for (QAction* a : cal.DefaultsMenu->actions())
        if (a->text() == name) a->trigger();
}
}  // namespace

class CalendarForm : public forms_testing::FormsTest {
protected:
    void TearDown() override {
        qwel::reset_calendar_change();
        FormsTest::TearDown();
    }
};

TEST_F(CalendarForm, MonthGrids) {
    struct Case {
        Date date;
        int first_col;  // Monday = 0
        std::vector<int> days;
    };
    const Case cases[] = {
        {{1752, 9, 2}, 1, concat(range(1, 2), range(14, 30))},
        {{2024, 1, 5}, 0, range(1, 31)},
        {{2024, 2, 10}, 3, range(1, 29)},
        {{1900, 2, 10}, 3, range(1, 28)},
    };
    TFCal cal;
    for (const Case& c : cases) {
        cal.set_current(c.date);
        const Grid g = grid(cal);
        EXPECT_EQ(g.days, c.days) << qwel::format_date(c.date).toStdString();
        EXPECT_EQ(g.first_col, c.first_col) << qwel::format_date(c.date).toStdString();
    }
    // September 1752: the 2nd is a Wednesday, the 14th the Thursday after it
    cal.set_current({1752, 9, 2});
    EXPECT_EQ(cal.cell_text(1, 2).trimmed(), QStringLiteral("2"));
    EXPECT_EQ(cal.cell_text(1, 3).trimmed(), QStringLiteral("14"));
    EXPECT_EQ(cal.cell_text(1, 3), QStringLiteral("  14"));
    EXPECT_EQ(cal.cell_text(1, 2), QStringLiteral("   2"));
    EXPECT_EQ(cal.cell_text(0, 0), QStringLiteral(" Mon"));
    EXPECT_EQ(cal.StringGrid1->currentRow(), 1);
    EXPECT_EQ(cal.StringGrid1->currentColumn(), 2);
    EXPECT_EQ(cal.DateEdit->text(), QStringLiteral("1752-09-02 (Wed)"));
}

TEST_F(CalendarForm, StepsKeepTheDayAndWrapTheYear) {
    TFCal cal;
    cal.set_current({2024, 1, 31});
    cal.PrevMonthBtn->click();
    EXPECT_EQ(cal.current(), (Date{2023, 12, 31}));
    EXPECT_EQ(cal.MonthBtn->text(), QStringLiteral("December"));
    EXPECT_EQ(cal.YearBtn->text(), QStringLiteral("2023"));
    cal.set_current({9999, 6, 1});
    cal.NextYearBtn->click();
    EXPECT_EQ(cal.current().year, 0);
    EXPECT_EQ(cal.YearBtn->text(), QStringLiteral("0"));
    cal.PrevYearBtn->click();
    EXPECT_EQ(cal.current().year, 9999);
}

TEST_F(CalendarForm, EnterYearRefusesZeroAndYearsOutsideTheRange) {
    TFCal cal;
    cal.set_current({2024, 3, 1});
    for (const char* answer : {"0", "10000", "-5", "65536"}) {
        host.answer(QString::fromLatin1(answer));
        cal.YearBtn->click();
        EXPECT_EQ(cal.current().year, 2024) << answer;
    }
    EXPECT_TRUE(host.said(QStringLiteral("Year 0 does not exist, the Julian calendar jumps from 1BC to 1AD")));
    EXPECT_EQ(host.messages().size(), 4);
    host.answer(QStringLiteral("1999"));
    cal.YearBtn->click();
    EXPECT_EQ(cal.current(), (Date{1999, 3, 1}));
}

TEST_F(CalendarForm, OptionsPresetMovesTheChangeAndRefusesBadDates) {
    TFCal cal;
    cal.PageControl1->setCurrentIndex(1);
    EXPECT_EQ(cal.JulianEdit->text(), QStringLiteral("1752-09-02"));
    EXPECT_EQ(cal.GregorianEdit->text(), QStringLiteral("1752-09-14"));

    // refused: an empty date, a first Gregorian day not after the last Julian day
    const std::pair<const char*, const char*> bad[] = {{"", "1582-10-15"}, {"1582-10-15", "1582-10-04"},
                                                        {"1582-10-15", "1582-10-15"}};
    for (auto [lj, fg] : bad) {
        cal.JulianEdit->setText(QString::fromLatin1(lj));
        cal.GregorianEdit->setText(QString::fromLatin1(fg));
        cal.OptOKBtn->click();
        EXPECT_EQ(qwel::last_julian_day(), (Date{1752, 9, 2})) << lj << " " << fg;
    }
    EXPECT_EQ(host.messages().size(), 3);
    // an unparseable date changes nothing, silently
    cal.JulianEdit->setText(QStringLiteral("abcd-10-04"));
    cal.OptOKBtn->click();
    EXPECT_EQ(host.messages().size(), 3);

    choose_preset(cal, QStringLiteral("Spain / Portugal / Italy / Poland "));
    cal.OptOKBtn->click();
    EXPECT_EQ(cal.PageControl1->currentIndex(), 0);
    EXPECT_EQ(cal.current(), (Date{1582, 10, 15}));
    EXPECT_EQ(grid(cal).days, concat(range(1, 4), range(15, 31)));
    EXPECT_EQ(cal.DateEdit->text(), QStringLiteral("1582-10-15 (Fri)"));

    // a change that jumps into the next month ends the shown month at the last Julian day
    cal.PageControl1->setCurrentIndex(1);
    choose_preset(cal, QStringLiteral("Denmark / Norway"));
    cal.OptOKBtn->click();
    EXPECT_EQ(cal.current(), (Date{1700, 3, 1}));
    EXPECT_EQ(grid(cal).days, range(1, 31));
    cal.PrevMonthBtn->click();
    EXPECT_EQ(grid(cal).days, range(1, 18));
}

TEST_F(CalendarForm, DialogReturnsTheClickedDayOrNothingOnCancel) {
    TFCal cal;
    Date d{2024, 1, 5};
    forms_testing::on_next_modal([&cal](QWidget*) {
        // 2024-01-17 is the Wednesday of the third week
        cal.StringGrid1->setCurrentCell(3, 2);
        emit cal.StringGrid1->cellDoubleClicked(3, 2);
    });
    ASSERT_TRUE(cal.ask_date(QStringLiteral(" Pick a day"), d));
    EXPECT_EQ(d, (Date{2024, 1, 17}));
    EXPECT_EQ(cal.windowTitle(), QStringLiteral(" Calendar"));

    forms_testing::on_next_modal([](QWidget* w) { forms_testing::click(w, "CancelBtn"); });
    EXPECT_FALSE(cal.run_calendar(d));
    EXPECT_EQ(d, (Date{2024, 1, 17}));

    // a typed date that does not parse comes back as the null date
    forms_testing::on_next_modal([&cal](QWidget*) {
        cal.DateEdit->setText(QStringLiteral("no date"));
        cal.OKBtn->click();
    });
    EXPECT_TRUE(cal.run_calendar(d));
    EXPECT_TRUE(qwel::is_null_date(d));

    QLineEdit edit(QStringLiteral("2023-07-09"));
    forms_testing::on_next_modal([&cal](QWidget*) { cal.OKBtn->click(); });
    EXPECT_TRUE(cal.pick_date_into_edit(&edit));
    EXPECT_EQ(edit.text(), QStringLiteral("2023-07-09 (Sun)"));
}
