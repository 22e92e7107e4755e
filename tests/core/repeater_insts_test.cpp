// The instances of a master against what regeneration would write, and deleting an instance
// with the later ones so that the next generation writes them again.
#include <gtest/gtest.h>

#include "core/repeater_delete.h"
#include "core/repeater_insts.h"
#include "repeater_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

namespace {

class RepeaterInstsTest : public RepeaterTest {
protected:
    // A monthly payment from 2024-01-10 with a reminder, generated to instance 8 (2024-08-10).
    TRptr eight() {
        TRptr m = master('M', 1, {2024, 1, 10});
        m.rmdays = 2;
        EXPECT_TRUE(write_rptr(core(), m));
        generate(m.id, {2024, 7, 31});
        EXPECT_EQ(reread(m.id).gento, 8);
        host.clear();
        return reread(m.id);
    }
    QString inst(const TRptr& m, int n) {
        return " where masterid = " + QString::number(m.id) + " and instance = " + QString::number(n);
    }
};

TEST_F(RepeaterInstsTest, ReportsTheFirstInstanceThatRegenerationWouldChange) {
    const TRptr m = eight();
    EXPECT_TRUE(chk_insts(core(), m.id, 1));
    EXPECT_TRUE(host.events().empty());
    struct Case {
        QString change;
        QString fields;  // empty: still equal to the master
    };
    const Case cases[] = {
        {"amt = 2600", "amt"},
        {"txndate = 20240611, actualtxndate = 20240611, date2 = 20240611", "txndate"},
        {"date2 = 20240612", "pstgdate"},
        {"ccy = 'USD'", "ccy"},
        {"accid1 = " + QString::number(cash) + ", accid4 = " + QString::number(savings) + ", chnum = 7",
         "accid1, accid4, channel"},
        {"accid2 = " + QString::number(employer) + ", \"type\" = 'R'", "accid2, txntype"},
        {"ref = 'x', narrative = 'changed', cancelled = 1, val = 1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change.toStdString());
        host.clear();
        // instance 6 is changed; instances 7 and 8 are left as generated
        sql("update txn set " + c.change + inst(m, 6));
        EXPECT_EQ(chk_insts(core(), m.id, 3), c.fields.isEmpty());
        if (c.fields.isEmpty()) EXPECT_TRUE(host.messages().isEmpty());
        else
            EXPECT_EQ(host.messages().join("|").toStdString(),
                      ("Instance #6 already differs from Master : " + c.fields +
                       "\rRegeneration of this instance would lose this detail")
                          .toStdString());
        EXPECT_TRUE(chk_insts(core(), m.id, 7)) << "instances before the first one compared do not count";
        // back to what the master generates
        sql("update txn set amt = 2500, txndate = 20240610, actualtxndate = 20240610, date2 = 20240610, ccy = 'GBP', "
            "accid1 = " + QString::number(bank) + ", accid2 = " + QString::number(shop) + ", accid4 = " +
            QString::number(food) + ", chnum = 0, \"type\" = 'P'" + inst(m, 6));
    }
    host.clear();
    EXPECT_TRUE(chk_insts(core(), 999, 1));
    EXPECT_EQ(host.messages(), QStringList{"Master not found"});
}

TEST_F(RepeaterInstsTest, DeletingLaterInstancesMovesGentoBackAndTheyAreGeneratedAgain) {
    const TRptr m = eight();
    const QList<int> kept = ids(m.id).mid(0, 4);
    const QList<int> all_dates = dates(m.id);
    const QList<int> gone = ids(m.id).mid(4);
    ASSERT_TRUE(del_insts_from(core(), m.id, 5));
    EXPECT_TRUE(host.questions().isEmpty());
    EXPECT_EQ(ids(m.id), kept);
    EXPECT_EQ(reread(m.id).gento, 4);
    for (const int id : gone) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(posted_accounts(id).isEmpty());
        EXPECT_EQ(sql_int("select count(*) from remdr where txnid = " + QString::number(id)), 0);
    }
    EXPECT_EQ(sql_int("select count(*) from remdr"), 4);
    EXPECT_FALSE(host.flash_visible) << "the progress notice is hidden again";
    EXPECT_TRUE(ledger_invariants_hold(core()));

    generate(m.id, {2024, 7, 31});
    EXPECT_EQ(numbers(m.id), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(dates(m.id), all_dates);
    EXPECT_EQ(ids(m.id).mid(0, 4), kept) << "the earlier instances are untouched";
    EXPECT_EQ(reread(m.id).gento, 8);
    EXPECT_EQ(sql_int("select count(*) from remdr"), 8);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterInstsTest, AChangedInstanceBlocksTheDeleteUntilTheMasterIsInactive) {
    const TRptr m = eight();
    sql("update txn set amt = 9900" + inst(m, 7));
    const qint64 before = txns();
    EXPECT_FALSE(del_insts_from(core(), m.id, 5));
    EXPECT_EQ(host.messages().join("|").toStdString(),
              "Instance #7 already differs from Master : amt\rRegeneration of this instance would lose this detail|"
              "You must deactivate the repeater to delete these instances");
    EXPECT_EQ(txns(), before);
    EXPECT_EQ(reread(m.id).gento, 8);

    ASSERT_TRUE(deactivate_rptr(core(), m.id));
    EXPECT_FALSE(reread(m.id).rptactive);
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        host.clear();
        host.answer(yes);
        EXPECT_EQ(del_insts_from(core(), m.id, 5), yes);
        EXPECT_EQ(host.questions(), QStringList{"Repeater is already inactive, do you want to delete these instances ?"});
        EXPECT_EQ(txns(), yes ? before - 4 : before);
        EXPECT_EQ(reread(m.id).gento, yes ? 4 : 8);
    }
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterInstsTest, InstancesOfAMissingMasterAreDeletedWithoutQuestion) {
    const TRptr m = eight();
    ASSERT_TRUE(delete_rptr_row(core(), m.id));
    EXPECT_EQ(sql_int("select count(*) from rptr"), 0);
    ASSERT_TRUE(del_insts_from(core(), m.id, 3));
    EXPECT_EQ(host.messages(), QStringList{"Master not found"});
    EXPECT_EQ(numbers(m.id), (QList<int>{1, 2}));
    EXPECT_EQ(sql_int("select count(*) from rptr"), 0) << "no master is written back";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace

}  // namespace posting_testing
