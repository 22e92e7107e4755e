// The input form's checks: an account's open and close dates (with the dates they store), a
// payment that bypasses the user's own account with its counterparty (with the offer to close
// it), and the question before an edit un-reconciles a posting.
#include <gtest/gtest.h>

#include "core/txn_checks.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Answer;

namespace posting_testing {
namespace {

class TxnChecksTest : public MaintenanceTest {
public:
    void dates(int accid, int open, int close) {
        sql(QStringLiteral("update account set opendate = %1, closedate = %2 where id = %3").arg(open).arg(close).arg(accid));
    }
    std::pair<int, int> stored_dates(int accid) {
        const Tacc a = acc(accid);
        return {qwel::date_to_int(a.opendate), qwel::date_to_int(a.closedate)};
    }
};

TEST_F(TxnChecksTest, AccountOpenAndCloseDates) {
    const QString closed = "External Account\"Bank\"is closed - continue anyway? ?";
    const QString update_close = "Update account close date ? [= txn date/leave open]";
    const QString revise =
        "Transaction pre-dates opendate for account \"Bank\"\rRevise opendate from 2024-02-01 to 2024-01-15 ? ";
    struct Case {
        const char* what;
        int open, close;
        Date date;
        std::vector<Answer> answers;
        bool result;
        QStringList questions;
        int open_after, close_after;
    };
    const Case cases[] = {
        {"open on the date", 20240101, 99999999, {2024, 1, 15}, {}, true, {}, 20240101, 99999999},
        {"on the open date itself", 20240115, 99999999, {2024, 1, 15}, {}, true, {}, 20240115, 99999999},
        {"an open date not yet set becomes the date", 99999999, 99999999, {2024, 1, 15}, {}, true, {}, 20240115,
         99999999},
        {"before the open date: revised", 20240201, 99999999, {2024, 1, 15}, {true}, true, {revise}, 20240115,
         99999999},
        {"before the open date: kept", 20240201, 99999999, {2024, 1, 15}, {false}, false, {revise}, 20240201, 99999999},
        {"after the close date: declined", 20240101, 20240110, {2024, 1, 15}, {false}, false, {closed}, 20240101,
         20240110},
        {"after the close date: closed on the date", 20240101, 20240110, {2024, 1, 15}, {true, 1}, true,
         {closed, update_close}, 20240101, 20240115},
        {"after the close date: open again", 20240101, 20240110, {2024, 1, 15}, {true, 2}, true,
         {closed, update_close}, 20240101, 99999999},
        {"after the close date: left closed", 20240101, 20240110, {2024, 1, 15}, {true, 0}, true,
         {closed, update_close}, 20240101, 20240110},
        {"closed and never opened: both dates stored", 99999999, 20240110, {2024, 1, 15}, {true, 1}, true,
         {closed, update_close}, 20240115, 20240115},
        {"on the close date itself", 20240101, 20240115, {2024, 1, 15}, {}, true, {}, 20240101, 20240115},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dates(bank, c.open, c.close);
        host.clear();
        for (const Answer& a : c.answers) host.answer(a);
        Tacc a;
        a.id = bank;
        EXPECT_EQ(chk_acc_open(core(), a, c.date), c.result);
        EXPECT_EQ(host.questions(), c.questions);
        EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join("|").toStdString();
        EXPECT_EQ(stored_dates(bank), std::make_pair(c.open_after, c.close_after));
        EXPECT_EQ(qwel::date_to_int(a.opendate), c.open_after) << "the record follows what was stored";
    }
    Tacc missing;
    missing.id = 999;
    host.clear();
    EXPECT_FALSE(chk_acc_open(core(), missing, {2024, 1, 15}));
    EXPECT_EQ(host.messages(), QStringList{"Account not found 999"});
}

TEST_F(TxnChecksTest, BypassingTheAccountHeldWithTheCounterparty) {
    const int card = add_acc(1, "Shop card");
    sql("update account set accwith = " + QString::number(shop) + " where id = " + QString::number(card));
    const QString warn = "This transaction will bypass your external account with this counterparty\racc #" +
                         QString::number(card) + " - continue anyway? ?";
    const QString offer = "Close the ext acc for this cpty?\r(you can re-open it at any time)";
    const TTxn by_bank = txn('P', bank, shop, food, 100);

    // through the card itself, and transactions the check does not concern
    host.clear();
    EXPECT_TRUE(chk_bypass(core(), txn('P', card, shop, food, 100)));
    EXPECT_TRUE(chk_bypass(core(), txn('C', bank, cash, 0, 100)));
    EXPECT_TRUE(chk_bypass(core(), txn('P', bank, 0, food, 100))) << "hard cash is held with no-one";
    EXPECT_TRUE(chk_bypass(core(), txn('R', bank, employer, salary, 100)));
    EXPECT_TRUE(host.events().empty());

    host.answer_no();
    EXPECT_FALSE(chk_bypass(core(), by_bank));
    EXPECT_EQ(host.questions(), QStringList{warn});

    host.clear();
    host.answer_yes();
    host.answer_no();
    EXPECT_TRUE(chk_bypass(core(), by_bank));
    EXPECT_EQ(host.questions(), (QStringList{warn, offer}));
    EXPECT_EQ(qwel::date_to_int(acc(card).closedate), 99999999);

    // an active repeater keeps it open
    sql("insert into rptr (id, accid1, accid2, accid4, rptactive, freq, rptinc) values (7, " + QString::number(card) +
        ", " + QString::number(shop) + ", 0, 1, 'M', 1)");
    host.clear();
    host.answer_yes(2);
    EXPECT_TRUE(chk_bypass(core(), by_bank));
    EXPECT_EQ(host.messages(), QStringList{"Account is in active Repeater #7 - cannot close"});
    EXPECT_EQ(qwel::date_to_int(acc(card).closedate), 99999999);

    // closed: the account has no postings, so the close date is asked
    sql("update rptr set rptactive = 0");
    sql("update account set fav = 1 where id = " + QString::number(card));
    host.clear();
    host.answer_yes(2);
    host.answer(Date{2024, 2, 29});
    EXPECT_TRUE(chk_bypass(core(), by_bank));
    EXPECT_EQ(host.questions(), (QStringList{warn, offer, " Close date"}));
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_EQ(qwel::date_to_int(acc(card).closedate), 20240229);
    EXPECT_FALSE(acc(card).fav);

    // a closed account is no longer bypassed
    host.clear();
    EXPECT_TRUE(chk_bypass(core(), by_bank));
    EXPECT_TRUE(host.events().empty());
}

TEST_F(TxnChecksTest, AnEditAsksBeforeUnreconcilingAPosting) {
    const int id = stored(payment(10000, {2024, 1, 15}));
    sql("update pstg set reconcode = 1 where objid in (" + QString::number(bank) + ", " + QString::number(food) + ")");
    host.clear();
    EXPECT_TRUE(chk_unreconcile(core(), id, shop)) << "not reconciled";
    EXPECT_TRUE(chk_unreconcile(core(), id, 0));
    EXPECT_TRUE(host.events().empty());
    host.answer_yes();
    EXPECT_TRUE(chk_unreconcile(core(), id, bank));
    host.answer_no();
    EXPECT_FALSE(chk_unreconcile(core(), id, food));
    sql("delete from account where id = " + QString::number(food));
    host.answer_yes();
    EXPECT_TRUE(chk_unreconcile(core(), id, food));
    const QString q = "Editing this txn will cause its posting to account \"%1\" to be un-reconciled - OK?";
    EXPECT_EQ(host.questions(), (QStringList{q.arg("Bank"), q.arg("Food"), q.arg("#" + QString::number(food))}));
}

}  // namespace
}  // namespace posting_testing
