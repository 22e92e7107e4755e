// The period form: its presets change only the copies until OK hands them to the core.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "core/runstate.h"
#include "forms/mydbgridb.h"
#include "forms/rebal.h"
#include "forms_support.h"
#include "support/ledger_fixture.h"

using namespace mintor::forms;

class PeriodForm : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_forms_ini(folder + QStringLiteral("FORMS.INI"));
        open_ledger();
        mintor::set_period(core(), {2024, 1, 1}, {2024, 12, 31});
        core().settings.financial_year_day1 = 6;
        core().settings.financial_year_month1 = 4;
        form = new TFRebal;
        form->attach_core(&core());
        form->take_copies();
        host.clear();
    }
    void TearDown() override {
        delete form;
        close_forms_ini();
        LedgerTest::TearDown();
    }
    TFRebal* form = nullptr;
};

TEST_F(PeriodForm, PresetsChangeTheCopiesOnly) {
    EXPECT_EQ(form->windowTitle(), "Period ");
    EXPECT_FALSE(form->okbtn->isEnabled());
    EXPECT_EQ(form->CancelBtn->text(), "Close");
    EXPECT_EQ(form->YrStartBtn->text(), "06/04");
    EXPECT_EQ(form->FromLbl->text(), "2024-01-01  Monday");

    host.answer(QString("2016"));
    form->FinYear1->trigger();
    EXPECT_EQ(form->FinYrLbl->text(), "2016/17");
    EXPECT_EQ(form->period().from, (qwel::Date{2016, 4, 6}));
    EXPECT_EQ(form->period().to, (qwel::Date{2017, 4, 5}));
    EXPECT_TRUE(form->okbtn->isEnabled());
    EXPECT_EQ(form->CancelBtn->text(), "Cancel");
    EXPECT_EQ(core().run.from_int, 20240101) << "nothing reaches the core before OK";

    form->IncYear1->trigger();
    EXPECT_EQ(form->period().from, (qwel::Date{2017, 4, 6}));
    EXPECT_TRUE(form->FinYrLbl->text().isEmpty());

    form->RollingYear1->trigger();
    EXPECT_EQ(form->period().to, qwel::today());
    EXPECT_TRUE(form->ToLbl->text().endsWith(" = today !"));
    EXPECT_TRUE(form->Label1->isHidden());

    host.answer(false);  // "Rebalance now ?"
    form->okbtnClick();
    EXPECT_EQ(core().run.to, qwel::today());
    EXPECT_TRUE(core().run.rebal_needed);
}

TEST_F(PeriodForm, FinancialYearStartMustBeARealDay) {
    host.answer(QString("31/02"));
    form->YrStartBtnClick();
    EXPECT_EQ(core().settings.financial_year_day1, 6);
    host.answer(QString("01/01"));
    form->YrStartBtnClick();
    EXPECT_EQ(form->YrStartBtn->text(), "01/01");
    EXPECT_EQ(core().settings.financial_year_month1, 1);
}

TEST_F(PeriodForm, OkRefusesAPeriodThatEndsBeforeItStarts) {
    host.answer(qwel::Date{2025, 6, 1});
    form->From1->trigger();
    form->okbtnClick();
    EXPECT_TRUE(host.said("Period start 2025-06-01 is after its end 2024-12-31"));
    EXPECT_EQ(core().run.from_int, 20240101);
}
