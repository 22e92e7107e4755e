// The period presets and the period form's OK.
#include <gtest/gtest.h>

#include "core/period.h"
#include "core/runstate.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using qwel::Date;
using testing_support::LedgerTest;

namespace {

TEST(PeriodPresets, NeverProduceImpossibleDates) {
    struct Case {
        const char* what;
        Period got;
        Period want;
    };
    const Case cases[] = {
        {"rolling year", rolling_year_to({2024, 6, 15}), {{2023, 6, 16}, {2024, 6, 15}}},
        {"rolling year to 29 Feb", rolling_year_to({2024, 2, 29}), {{2023, 3, 1}, {2024, 2, 29}}},
        {"year so far, April start", current_year_so_far({2024, 6, 15}, 6, 4), {{2024, 4, 6}, {2024, 6, 15}}},
        {"year so far before the start", current_year_so_far({2024, 2, 1}, 6, 4), {{2023, 4, 6}, {2024, 2, 1}}},
        {"year so far, 29 Feb start in a common year", current_year_so_far({2023, 6, 1}, 29, 2), {{2023, 2, 28}, {2023, 6, 1}}},
        {"financial year", financial_year(2016, 6, 4), {{2016, 4, 6}, {2017, 4, 5}}},
        {"calendar year", financial_year(2024, 1, 1), {{2024, 1, 1}, {2024, 12, 31}}},
        {"month from 31 Jan", span_from({2024, 1, 31}, 1), {{2024, 1, 31}, {2024, 3, 1}}},
        {"month to 30 Mar", span_to({2024, 3, 30}, 1), {{2024, 2, 29}, {2024, 3, 30}}},
        {"month to 30 Apr", span_to({2024, 4, 30}, 1), {{2024, 4, 1}, {2024, 4, 30}}},
        {"month to 29 Feb", span_to({2024, 2, 29}, 1), {{2024, 2, 1}, {2024, 2, 29}}},
        {"quarter to 31 Mar", span_to({2024, 3, 31}, 3), {{2024, 1, 1}, {2024, 3, 31}}},
        {"year from 29 Feb", span_from({2024, 2, 29}, 12), {{2024, 2, 29}, {2025, 2, 28}}},
        {"year to 28 Feb", span_to({2025, 2, 28}, 12), {{2024, 3, 1}, {2025, 2, 28}}},
        {"increment from 29 Feb", shift_years({{2024, 2, 29}, {2025, 2, 28}}, 1), {{2025, 3, 1}, {2026, 2, 28}}},
        {"decrement", shift_years({{2024, 1, 1}, {2024, 12, 31}}, -1), {{2023, 1, 1}, {2023, 12, 31}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got.from, c.want.from) << c.what << " from " << qwel::format_date(c.got.from).toStdString();
        EXPECT_EQ(c.got.to, c.want.to) << c.what << " to " << qwel::format_date(c.got.to).toStdString();
        EXPECT_TRUE(qwel::is_valid_date(c.got.from) && qwel::is_valid_date(c.got.to)) << c.what;
    }
}

TEST(PeriodPresets, FinancialYearStart) {
    struct Case {
        const char* text;
        bool ok;
        int day, month;
    };
    const Case cases[] = {{"06/04", true, 6, 4}, {"29/02", true, 29, 2}, {"31/02", false, 0, 0}, {"31/04", false, 0, 0},
                          {"1/4", false, 0, 0},  {"00/04", false, 0, 0}, {"06/13", false, 0, 0}, {"ab/cd", false, 0, 0}};
    for (const auto& c : cases) {
        int d = 0, m = 0;
        EXPECT_EQ(parse_fy_start(c.text, d, m), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(d, c.day);
            EXPECT_EQ(m, c.month);
        }
    }
    EXPECT_EQ(financial_year_label(2016, 6, 4), "2016/17");
    EXPECT_EQ(financial_year_label(1999, 1, 4), "1999/00");
    EXPECT_EQ(financial_year_label(2016, 1, 1), "2016");
}

class PeriodFormTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        host.clear();
    }
};

TEST_F(PeriodFormTest, FromAfterToIsRefused) {
    set_period(core(), {2024, 1, 1}, {2024, 12, 31});
    EXPECT_FALSE(apply_period(core(), {{2025, 1, 1}, {2024, 12, 31}}, 0));
    EXPECT_TRUE(host.said("Period start 2025-01-01 is after its end 2024-12-31"));
    EXPECT_EQ(core().run.from_int, 20240101);
}

TEST_F(PeriodFormTest, AFutureToAsksFirst) {
    set_period(core(), {2024, 1, 1}, {2024, 12, 31});
    Date future = qwel::next_day(qwel::today());
    host.answer(false);
    EXPECT_FALSE(apply_period(core(), {{2024, 1, 1}, future}, 0));
    EXPECT_EQ(host.questions().back(),
              "Balance date is in the future - are you sure? (rptr insts will be gend to this date) ");
    EXPECT_EQ(core().run.to_int, 20241231);

    host.answer(true);   // the future
    host.answer(false);  // "Rebalance now ?"
    EXPECT_TRUE(apply_period(core(), {{2024, 1, 1}, future}, 0));
    EXPECT_EQ(core().run.to, future);
    EXPECT_TRUE(core().run.rebal_needed);
}

TEST_F(PeriodFormTest, StartUpResetToTheRollingYear) {
    core().settings.period_type = 2;
    set_period(core(), {2020, 1, 1}, {2020, 12, 31});
    set_rebalance_needed(core(), false);
    startup_period_reset(core());
    EXPECT_EQ(core().run.to, qwel::today());
    EXPECT_EQ(core().run.from, rolling_year_to(qwel::today()).from);
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_EQ(qwel::flash_last_text(), "Period end has been reset = today");

    set_rebalance_needed(core(), false);
    startup_period_reset(core());
    EXPECT_FALSE(core().run.rebal_needed) << "no change, no flag";
    core().settings.period_type = 0;
    set_period(core(), {2020, 1, 1}, {2020, 12, 31});
    startup_period_reset(core());
    EXPECT_EQ(core().run.to_int, 20201231);
}

}  // namespace
