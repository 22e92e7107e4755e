// Closing an account: already closed, used by an active repeater, a balance that is not zero
// (not asked for a category), the last posting date offered as the close date (with the
// outstanding-rebalance question) or another date, and the stored result.
#include <gtest/gtest.h>

#include "core/account_close.h"
#include "core/runstate.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;
using testing_support::Cancel;

namespace posting_testing {
namespace {

class AccountCloseTest : public MaintenanceTest {
public:
    void balance(int accid, qint64 amount) {
        sql(QStringLiteral("insert into movtg (accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs) values "
                           "(%1, 'GBP', 'A', %2, 0, 0, 0, 0)")
                .arg(accid)
                .arg(amount));
    }
    void last_posting(int accid, int yyyymmdd) {
        sql(QStringLiteral("update movte set lastpstgdate = %1 where objid = %2").arg(yyyymmdd).arg(accid));
    }
};

TEST_F(AccountCloseTest, ChoosesTheCloseDateAndStoresIt) {
    const QString choice =
        "Closing External Account \"Bank\"... \rOK to set close date to last posting date 2024-03-20 ? "
        "[use 2024-03-20/or another date]";
    const QString outstanding = "This Last Posting Date may be changed by the outstanding Rebalance, still OK to use it?";
    const QString not_zero = "Account #1 balance not zero (12.34), are you sure you want to close?";
    struct Case {
        const char* what;
        qint64 balance;
        int last;  // last posting date, 99999999 = none
        bool rebal_needed;
        std::vector<Answer> answers;
        QStringList questions;
        int closed;  // the stored close date, 99999999 = still open
    };
    const Case cases[] = {
        {"the last posting date", 0, 20240320, false, {1}, {choice}, 20240320},
        {"the last posting date while a rebalance is needed", 0, 20240320, true, {1, true}, {choice, outstanding},
         20240320},
        {"... declined", 0, 20240320, true, {1, false}, {choice, outstanding}, 99999999},
        {"another date", 0, 20240320, false, {2, Date{2024, 3, 25}}, {choice, " Close date"}, 20240325},
        {"cancelled", 0, 20240320, false, {0}, {choice}, 99999999},
        {"no postings: the date prompt", 0, 99999999, false, {Date{2024, 3, 1}}, {" Close date"}, 20240301},
        {"a balance, confirmed", 1234, 20240320, false, {true, 1}, {not_zero, choice}, 20240320},
        {"a balance, declined", 1234, 20240320, false, {false}, {not_zero}, 99999999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql("delete from movtg");
        sql("update account set closedate = 99999999, fav = 1 where id = " + QString::number(bank));
        if (c.balance != 0) balance(bank, c.balance);
        last_posting(bank, c.last);
        set_rebalance_needed(core(), c.rebal_needed);
        host.clear();
        for (const Answer& a : c.answers) host.answer(a);
        Tacc a = acc(bank);
        EXPECT_EQ(close_account(core(), a, "GBP"), c.closed != 99999999);
        EXPECT_EQ(host.questions(), c.questions);
        EXPECT_FALSE(host.answers_left());
        const Tacc stored = acc(bank);
        EXPECT_EQ(qwel::date_to_int(stored.closedate), c.closed);
        EXPECT_EQ(stored.fav, c.closed == 99999999) << "a closed account is no favourite";
    }
}

TEST_F(AccountCloseTest, Refusals) {
    // a category's balance is washed away: not asked
    balance(food, 500);
    host.answer(Date{2024, 3, 1});
    Tacc f = acc(food);
    EXPECT_TRUE(close_account(core(), f, "GBP"));
    EXPECT_EQ(host.questions(), QStringList{" Close date"});

    host.clear();
    Tacc again = acc(food);
    EXPECT_FALSE(close_account(core(), again, "GBP"));
    EXPECT_EQ(host.messages(), QStringList{"Account is already closed"});

    sql("insert into rptr (id, accid1, accid2, accid4, rptactive, freq, rptinc) values (3, " + QString::number(bank) +
        ", " + QString::number(shop) + ", 0, 1, 'M', 1)");
    host.clear();
    Tacc b = acc(bank);
    EXPECT_FALSE(close_account(core(), b, "GBP"));
    EXPECT_EQ(host.messages(), QStringList{"Cannot close - Account is in active Repeater #3"});
    EXPECT_TRUE(host.questions().isEmpty());
    EXPECT_EQ(qwel::date_to_int(acc(bank).closedate), 99999999);
}

}  // namespace
}  // namespace posting_testing
