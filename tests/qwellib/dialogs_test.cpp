// The dialog contract: fixed wordings, answers, the flash window's timing and the busy cursor.
#include <gtest/gtest.h>

#include "qwellib/dialogs.h"
#include "support/scripted_host.h"

using namespace qwel;
using testing_support::Cancel;
using testing_support::ScriptedHost;

namespace {

struct QuestionCase {
    bool (*ask)(const QString&);
    const char* asked;
};

TEST(Dialogs, QuestionsCarryTheirFixedEndings) {
    const QuestionCase cases[] = {
        {ask_yes, "Delete it"},
        {ask_ok, "Delete it - OK ?"},
        {ask_sure, "Delete it - are you sure ?"},
        {ask_continue, "Delete it - continue anyway? ?"},
    };
    for (const auto& c : cases) {
        ScriptedHost host;
        host.answer(true);
        EXPECT_TRUE(c.ask("Delete it"));
        ASSERT_EQ(host.questions().size(), 1);
        EXPECT_EQ(host.questions()[0], QString::fromUtf8(c.asked));
    }
}

TEST(Dialogs, ReallySureAsksTwiceAndStopsAtTheFirstNo) {
    {
        ScriptedHost host;
        host.answer(true);
        host.answer(true);
        EXPECT_TRUE(ask_really_sure("Clear"));
        EXPECT_EQ(host.questions(), QStringList({"Clear - are you sure ?", "... really really sure ?"}));
    }
    {
        ScriptedHost host;
        host.answer(false);
        EXPECT_FALSE(ask_really_sure("Clear"));
        EXPECT_EQ(host.questions().size(), 1);
    }
}

TEST(Dialogs, MessagesAndCaptions) {
    ScriptedHost host;
    set_app_title("Mintor");
    program_error("bad state");
    not_supported("Export");
    not_supported("");
    set_trace(false);
    trace("hidden");
    set_trace(true);
    trace("shown");
    set_trace(false);
    show_msg("after");
    const auto& e = host.events();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].text, "Program error : bad state");
    EXPECT_EQ(e[0].caption, "Mintor");
    EXPECT_EQ(e[1].text, "Export : this facility not currently supported");
    EXPECT_EQ(e[2].text, "This facility not currently supported");
    EXPECT_EQ(e[3].text, "shown");
    EXPECT_EQ(e[3].caption, " Trace");
    EXPECT_EQ(e[4].caption, "Mintor") << "the trace caption lasts one dialog";
}

TEST(Dialogs, YesNoCancelAnswers) {
    ScriptedHost host;
    host.answer('Y');
    host.answer('N');
    host.answer(Cancel{});
    EXPECT_EQ(ask_ync("Save?"), 'Y');
    EXPECT_EQ(ask_ync("Save?"), 'N');
    EXPECT_EQ(ask_ync("Save?"), 'C');
}

TEST(Dialogs, IntegerAndAmountPrompts) {
    ScriptedHost host;
    int n = 5;
    host.answer(QString("42"));
    EXPECT_TRUE(ask_int("How many", n));
    EXPECT_EQ(n, 42);
    host.answer(QString(""));
    EXPECT_TRUE(ask_int("How many", n));
    EXPECT_EQ(n, 0) << "an empty answer is 0";
    host.answer(QString("4x"));
    EXPECT_FALSE(ask_int("How many", n));
    EXPECT_TRUE(host.said("Invalid integer \"4x\""));
    host.answer(Cancel{});
    EXPECT_FALSE(ask_int("How many", n));

    qint64 a = 0;
    host.answer(QString("1,234.50"));
    EXPECT_TRUE(ask_amount("Amount", a));
    EXPECT_EQ(a, 123450);
    host.answer(QString("12.5"));
    EXPECT_FALSE(ask_amount("Amount", a));
    EXPECT_EQ(a, 123450);
    EXPECT_TRUE(host.said("Invalid amount \"12.5\""));
}

TEST(Flash, NoticeTimeGrowsWithLongTexts) {
    ScriptedHost host;
    set_flash_interval(1500);
    EXPECT_EQ(flash_notice_ms(QString(20, 'x')), 1500);
    EXPECT_EQ(flash_notice_ms(QString(40, 'x')), 3000);  // 40 x (1500 div 20)
    flash_notice(QString(40, 'x'));
    ASSERT_FALSE(host.timer_starts.empty());
    EXPECT_EQ(host.timer_starts.back(), 3000);
    EXPECT_EQ(flash_mode(), FlashMode::Notice);
    flash_timer_tick();
    EXPECT_EQ(flash_mode(), FlashMode::Hidden);
    EXPECT_FALSE(host.flash_visible);
}

TEST(Flash, NoticesAccumulateWhileShowingAndStatusStays) {
    ScriptedHost host;
    flash_status("");
    flash_notice("one");
    flash_notice("two");
    EXPECT_EQ(flash_last_text(), "one\rtwo");
    EXPECT_EQ(host.flash_text, "one\rtwo");
    flash_notice("");
    flash_status("Working ...");
    EXPECT_EQ(flash_mode(), FlashMode::Status);
    flash_timer_tick();
    EXPECT_EQ(flash_mode(), FlashMode::Status) << "a status stays until cleared";
    EXPECT_TRUE(host.flash_visible);
    flash_progress("10");
    flash_progress("9");
    EXPECT_EQ(host.flash_text, "9");
    EXPECT_EQ(flash_last_text(), "Working ...") << "progress does not change the last text";
    flash_progress("");
    EXPECT_FALSE(host.flash_visible);
}

TEST(Flash, LastIntervalAndTest) {
    ScriptedHost host;
    flash_status("Saved");
    flash_status("");
    flash_last();
    EXPECT_TRUE(host.said("Last flash message :\r\"Saved\""));

    host.answer(QString("3000"));
    flash_set_interval();
    EXPECT_EQ(flash_last_text(), "Out of range");
    host.answer(QString("800"));
    flash_notice("");
    flash_set_interval();
    EXPECT_EQ(flash_interval(), 800);
    EXPECT_EQ(flash_last_text(), "Flash interval updated OK");
    flash_notice("");

    flash_test();
    EXPECT_EQ(flash_last_text(), "Flash interval updated OK");
    flash_notice("");
    set_flash_interval(1500);
}

TEST(Busy, CounterNeverGoesNegative) {
    ScriptedHost host;
    busy_reset();
    busy_on();
    busy_on();
    busy_off();
    EXPECT_TRUE(host.busy);
    busy_off();
    EXPECT_FALSE(host.busy);
    busy_off();
    EXPECT_EQ(busy_count(), 0);
    {
        BusyCursor b;
        EXPECT_TRUE(host.busy);
    }
    EXPECT_FALSE(host.busy);
}

}  // namespace
