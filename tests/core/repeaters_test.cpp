// Generating repeater instances: dates, the horizon with one instance beyond it, end date
// and count limits, masters that do not repeat, instances posted like any transaction with
// their reminders, failures that skip an instance, more instances on demand, and a database
// error that leaves nothing of the generation behind.
#include <gtest/gtest.h>

#include "core/repeater_delete.h"
#include "core/runstate.h"
#include "core/transactions.h"
#include "repeater_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

namespace {

class RepeaterGenTest : public RepeaterTest {};

TEST_F(RepeaterGenTest, GeneratesUpToTheHorizonAndOneInstanceBeyond) {
    struct Case {
        const char* what;
        char freq;
        int rptinc;
        Date start;
        Date horizon;
        int rptct;
        Date enddate;
        QList<int> dates;
        bool active_after;
    };
    const Case cases[] = {
        {"monthly to the horizon", 'M', 1, {2024, 1, 15}, {2024, 6, 30}, 0, {},
         {20240115, 20240215, 20240315, 20240415, 20240515, 20240615, 20240715}, true},
        {"monthly from a month end", 'M', 1, {2023, 1, 31}, {2023, 12, 31}, 0, {},
         {20230131, 20230303, 20230331, 20230501, 20230531, 20230701, 20230731, 20230831, 20231001, 20231031,
          20231201, 20231231, 20240131},
         true},
        {"monthly from 31 January of a leap year", 'M', 1, {2024, 1, 31}, {2024, 2, 1}, 0, {}, {20240131, 20240302},
         true},
        {"every two weeks over the year end", 'W', 2, {2024, 12, 25}, {2025, 1, 8}, 0, {},
         {20241225, 20250108, 20250122}, true},
        {"yearly from 29 February", 'Y', 1, {2024, 2, 29}, {2028, 2, 29}, 0, {},
         {20240229, 20250301, 20260301, 20270301, 20280229, 20290301}, true},
        {"every three days over 29 February", 'D', 3, {2024, 2, 27}, {2024, 3, 5}, 0, {},
         {20240227, 20240301, 20240304, 20240307}, true},
        {"a count of three", 'M', 1, {2024, 1, 10}, {2024, 12, 31}, 3, {}, {20240110, 20240210, 20240310}, false},
        {"an end date", 'M', 1, {2024, 1, 31}, {2024, 12, 31}, 0, {2024, 3, 31}, {20240131, 20240302, 20240331}, false},
        {"an end date beyond the horizon", 'M', 1, {2024, 1, 31}, {2024, 2, 15}, 0, {2024, 3, 31},
         {20240131, 20240302}, true},
        {"an increment of 0", 'M', 0, {2024, 1, 10}, {2024, 12, 31}, 0, {}, {}, true},
        {"no repetition", ' ', 1, {2024, 1, 10}, {2024, 12, 31}, 0, {}, {}, true},
        {"an unknown step unit", 'Q', 1, {2024, 1, 10}, {2024, 12, 31}, 0, {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRptr m = master(c.freq, c.rptinc, c.start);
        m.rptct = c.rptct;
        m.enddate = c.enddate;
        ASSERT_TRUE(write_rptr(core(), m));
        core().run.horizon = c.horizon;
        const int last = gen_rptr_insts(core(), m);
        EXPECT_EQ(dates(m.id), c.dates);
        QList<int> expected_numbers;
        for (int i = 1; i <= c.dates.size(); ++i) expected_numbers << i;
        EXPECT_EQ(numbers(m.id), expected_numbers);
        const TRptr stored = reread(m.id);
        EXPECT_EQ(stored.gento, int(c.dates.size()));
        EXPECT_EQ(stored.rptactive, c.active_after);
        EXPECT_EQ(m.gento, stored.gento) << "the caller's record follows the row";
        EXPECT_EQ(m.rptactive, stored.rptactive);
        EXPECT_EQ(last, c.dates.isEmpty() ? 0 : ids(m.id).last()) << "the last instance written";
        // a second run with the same horizon writes nothing more
        const qint64 before = txns();
        EXPECT_EQ(generate(m.id, c.horizon), 0);
        EXPECT_EQ(txns(), before);
    }
    EXPECT_TRUE(host.questions().isEmpty()) << "generation asks nothing here";
    for (const QString& m : host.messages())  // a master without instances is told of at the next new id
        EXPECT_TRUE(m.startsWith("Repeater #") && m.endsWith(" has no instances")) << m.toStdString();
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterGenTest, AnUnsetHorizonBecomesThePeriodEndAndALaterOneAddsOnlyTheMissing) {
    const TRptr m = master('M', 1, {2024, 2, 10});
    ASSERT_TRUE(qwel::is_null_date(core().run.horizon));
    TRptr rec = reread(m.id);
    gen_rptr_insts(core(), rec);
    EXPECT_EQ(core().run.horizon, (Date{2024, 3, 31}));
    EXPECT_EQ(dates(m.id), (QList<int>{20240210, 20240310, 20240410}));
    const QList<int> first_ids = ids(m.id);
    // the horizon moves past the instance beyond it: only the missing ones are added
    generate(m.id, {2024, 4, 30});
    EXPECT_EQ(dates(m.id), (QList<int>{20240210, 20240310, 20240410, 20240510}));
    EXPECT_EQ(ids(m.id).mid(0, 3), first_ids) << "the instances already there stay as they are";
}

TEST_F(RepeaterGenTest, InstancesArePostedAsTransactionsWithTheMastersValues) {
    TRptr m = master('M', 1, {2024, 2, 29}, 'P', 4200);
    m.chnum = 7;
    ASSERT_TRUE(write_rptr(core(), m));
    const TRptr tfr = master('M', 1, {2024, 3, 5}, 'C', 1000);
    generate(m.id, {2024, 3, 31});
    generate(tfr.id, {2024, 3, 31});
    EXPECT_EQ(dates(m.id), (QList<int>{20240229, 20240329, 20240429}));
    for (const int id : ids(m.id)) {
        SCOPED_TRACE(id);
        const QString w = " where id = " + QString::number(id);
        EXPECT_EQ(sql_int("select count(*) from txn" + w + " and date2 = txndate and actualtxndate = txndate"), 1)
            << "stored with all three dates equal";
        TTxn t;
        ASSERT_TRUE(read_txn(core(), id, t));
        EXPECT_EQ(t.kind, TxnKind::Instance);
        EXPECT_TRUE(qwel::is_null_date(t.date2)) << "read back without a posting date";
        EXPECT_EQ(t.amt, 4200);
        EXPECT_EQ(t.val, 4200);
        EXPECT_EQ(t.type, QChar('P'));
        EXPECT_EQ(t.ref, "SO");
        EXPECT_EQ(t.narrative, "Rent");
        EXPECT_EQ(t.chnum, 7);
        EXPECT_EQ(t.batchnum, 0);
        EXPECT_EQ(t.masterid, m.id);
        EXPECT_EQ(t.freq, QChar('M')) << "with its master's repeater fields";
        EXPECT_EQ(posted_accounts(id), (QList<int>{bank, shop, food}));
        EXPECT_EQ(pstg(id, bank).amt, -4200);
        EXPECT_EQ(pstg(id, bank).chnum, 7);
        EXPECT_EQ(pstg(id, shop).amt, 4200);
        EXPECT_EQ(pstg(id, food).amt, -4200);
    }
    EXPECT_EQ(posted_accounts(ids(tfr.id).first()), (QList<int>{bank, cash}));
    EXPECT_EQ(sql_int("select count(*) from cptyctgy where cptyid = " + QString::number(shop) + " and ctgyid = " +
                      QString::number(food) + " and purchsale = 'P'"),
              1);
    EXPECT_TRUE(core().run.rebal_needed) << "postings inside the period";
    EXPECT_EQ(sql_int("select count(*) from remdr"), 0) << "no reminder days, no reminders";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterGenTest, EachInstanceGetsItsReminder) {
    sql("insert into remdr (id, txnid, text, rmdate, tgdate) values (10, 0, 'free', 20240101, 20240101)");
    struct Case {
        int rmdays;
        QList<int> rmdates;
    };
    const Case cases[] = {
        {3, {20240129, 20240227, 20240329}},  // 29 February counts as a day
        {0, {}},
        {-2, {20240201, 20240301, 20240401}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rmdays);
        TRptr m = master('M', 1, {2024, 2, 1});
        m.rmdays = c.rmdays;
        ASSERT_TRUE(write_rptr(core(), m));
        generate(m.id, {2024, 3, 31});
        const QString mine = " from remdr r join txn t on t.id = r.txnid where t.masterid = " + QString::number(m.id);
        EXPECT_EQ(ints("select r.rmdate" + mine + " order by r.tgdate"), c.rmdates);
        if (!c.rmdates.isEmpty()) {
            EXPECT_EQ(ints("select r.tgdate" + mine + " order by r.tgdate"), dates(m.id));
            EXPECT_EQ(sql_int("select count(*)" + mine + " and r.text = ''"), c.rmdates.size());
        }
    }
    EXPECT_EQ(ints("select id from remdr order by id"), (QList<int>{10, 11, 12, 13, 14, 15, 16}))
        << "ids follow the highest";
}

TEST_F(RepeaterGenTest, ShowsItsProgressOnTheStatusLineAndPutsTheLineBack) {
    QStringList shown;
    core().on_view_changed = [&] { shown << core().view.panel3_caption; };
    show_status(core(), "Rebalancing 2 : ");
    shown.clear();
    const TRptr m = master('M', 1, {2024, 6, 1});  // outside the period: RebalNeeded stays as it was
    generate(m.id, {2024, 7, 15});
    EXPECT_TRUE(shown.contains(" Rebalancing 2 :  Generating repeater instance #" + QString::number(m.id) +
                               "-2 ... "))
        << shown.join("|").toStdString();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.last(), " Rebalancing 2 :  ");
    EXPECT_EQ(core().view.panel3_caption, " Rebalancing 2 :  ");
    core().on_view_changed = nullptr;
}

TEST_F(RepeaterGenTest, AMissingAccountOrRateSkipsTheInstanceAndEndsThatRun) {
    // accid2 and accid4 both missing: the last one is named
    const TRptr lost = master('M', 1, {2024, 1, 10}, 'P', 100, bank, 901, 902);
    generate(lost.id, {2024, 3, 31});
    EXPECT_EQ(host.messages(), QStringList{"Account #902 not found, cannot generate Repeater #" +
                                           QString::number(lost.id) + " instance"});
    EXPECT_TRUE(dates(lost.id).isEmpty());
    EXPECT_EQ(reread(lost.id).gento, 1) << "the instance that was not written is skipped";
    EXPECT_TRUE(reread(lost.id).rptactive);
    // a transfer has no internal account to miss
    const TRptr tfr = master('M', 1, {2024, 1, 10}, 'C', 100, bank, cash, 903);
    generate(tfr.id, {2024, 1, 31});
    EXPECT_EQ(dates(tfr.id), (QList<int>{20240110, 20240210}));

    // no USD rate for the first instance: the user cancels the rate prompt
    host.clear();
    TRptr usd = master('M', 1, {2024, 2, 1}, 'P', 500, usd_bank, shop, food);
    usd.ccy = "USD";
    ASSERT_TRUE(write_rptr(core(), usd));
    host.answer(testing_support::Cancel{});
    generate(usd.id, {2024, 3, 31});
    EXPECT_EQ(host.messages(),
              QStringList{"Use main menu option \"Currencies\" to specify a rate for USD on 2024-02-01"});
    EXPECT_TRUE(dates(usd.id).isEmpty());
    EXPECT_EQ(reread(usd.id).gento, 1);
    // the next run goes on after the skipped instance: 1 March has its rate, 1 April takes it
    host.clear();
    host.answer(2);  // "Use closest"
    generate(usd.id, {2024, 3, 31});
    EXPECT_EQ(host.questions().join("|").toStdString(), "No USD rate found for 2024-04-01, closest is 2024-03-01 [Enter new/Use closest]");
    EXPECT_EQ(numbers(usd.id).value(0), 2);
    TTxn second;
    ASSERT_TRUE(read_txn(core(), ids(usd.id).first(), second));
    EXPECT_EQ(second.val, 400) << "5.00 USD at 1.25";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(RepeaterGenTest, InstancesBeforeTheDatabaseStartAreSkippedSilently) {
    core().params.start_date = {2024, 2, 1};
    const TRptr m = master('M', 1, {2024, 1, 15});
    generate(m.id, {2024, 3, 31});
    EXPECT_TRUE(dates(m.id).isEmpty());
    EXPECT_EQ(reread(m.id).gento, 1);
    generate(m.id, {2024, 3, 31});
    EXPECT_EQ(dates(m.id), (QList<int>{20240215, 20240315, 20240415}));
    EXPECT_TRUE(host.events().empty());
}

TEST_F(RepeaterGenTest, AFrozenLedgerOrAnInstanceAboveGentoWritesNothing) {
    const TRptr m = master('M', 1, {2024, 1, 15});
    core().settings.db_frozen = true;
    EXPECT_EQ(generate(m.id, {2024, 3, 31}), 0);
    EXPECT_EQ(host.messages(), QStringList{"Cannot generate repeater instances, database is frozen"});
    EXPECT_EQ(reread(m.id).gento, 0);
    core().settings.db_frozen = false;

    host.clear();
    TRptr rec = reread(m.id);
    EXPECT_EQ(gen_inst(core(), 1, rec), 0);
    EXPECT_EQ(host.messages(), QStringList{"Program error : gen_inst1 > 0"});
    EXPECT_EQ(txns(), 0);
}

TEST_F(RepeaterGenTest, AProtectedInstanceIsWrittenOnlyWithConsent) {
    core().settings.freeze_before = 20240131;
    const TRptr m = master('M', 1, {2024, 1, 15});
    host.answer_no();
    generate(m.id, {2024, 3, 31});
    ASSERT_FALSE(host.questions().isEmpty());
    EXPECT_TRUE(host.questions().first().startsWith("Posting is on/before account posting freeze date"))
        << host.questions().first().toStdString();
    EXPECT_TRUE(dates(m.id).isEmpty()) << "refused: the run ends";
    EXPECT_EQ(reread(m.id).gento, 1);
    generate(m.id, {2024, 3, 31});
    EXPECT_EQ(dates(m.id), (QList<int>{20240215, 20240315, 20240415}));
}

TEST_F(RepeaterGenTest, MoreInstancesOnDemand) {
    TRptr m = master('M', 1, {2024, 1, 15});
    generate(m.id, {2024, 3, 31});
    ASSERT_TRUE(deactivate_rptr(core(), m.id));
    const qint64 before = txns();
    // more than 12, cancelled, or none: nothing
    for (const testing_support::Answer& a :
         {testing_support::Answer(QString("13")), testing_support::Answer(testing_support::Cancel{}),
          testing_support::Answer(QString("0"))}) {
        host.answer(a);
        EXPECT_FALSE(gen_more_insts(core(), m.id));
    }
    core().settings.db_frozen = true;
    EXPECT_FALSE(gen_more_insts(core(), m.id));
    EXPECT_EQ(host.messages().last(), "Cannot generate repeater instances, database is frozen") << "asked first";
    core().settings.db_frozen = false;
    EXPECT_EQ(txns(), before);
    EXPECT_EQ(reread(m.id).gento, 4);
    host.clear();
    // two more on an inactive master, past the horizon
    host.answer(QString("2"));
    EXPECT_TRUE(gen_more_insts(core(), m.id));
    EXPECT_EQ(host.questions(), QStringList{"How many additional instances to generate (max 12) ?"});
    EXPECT_EQ(host.messages(), QStringList{"Additional instances generated ok"});
    EXPECT_EQ(dates(m.id), (QList<int>{20240115, 20240215, 20240315, 20240415, 20240515, 20240615}));
    EXPECT_EQ(reread(m.id).gento, 6);
    EXPECT_FALSE(reread(m.id).rptactive);
    EXPECT_TRUE(ledger_invariants_hold(core()));

    host.clear();
    EXPECT_EQ(gen_master_insts(core(), 0), 0);
    EXPECT_EQ(host.messages(), QStringList{"Program error : Trying to gen insts for zero master"});
}

TEST_F(RepeaterGenTest, ADatabaseErrorLeavesNothingOfTheGeneration) {
    // the third reminder cannot be stored
    sql("alter table remdr add constraint remdr_probe check (tgdate < 20240315)");
    commit_work(core());
    TRptr m = master('M', 1, {2024, 1, 15});
    m.rmdays = 1;
    ASSERT_TRUE(write_rptr(core(), m));
    EXPECT_EQ(generate(m.id, {2024, 6, 30}), 0);
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError")) << host.messages()[0].toStdString();
    EXPECT_EQ(txns(), 0) << "the instances written before the error are undone";
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(sql_int("select count(*) from remdr"), 0);
    EXPECT_EQ(reread(m.id).gento, 0) << "and so is gento";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace

}  // namespace posting_testing
