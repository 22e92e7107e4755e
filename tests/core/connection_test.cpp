// Opening and closing a ledger: credentials, connect failures, the run state, freezing and
// the base currency.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>

#include "core/config.h"
#include "core/connection.h"
#include "core/dbstatus.h"
#include "core/params.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/dialogs.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::Cancel;
using testing_support::LedgerTest;

namespace {

class ConnectionTest : public LedgerTest {
protected:
    void write_db_ini(const QByteArray& text) {
        QFile f(folder + "data/mintordb.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

TEST_F(ConnectionTest, OpenShowsTheLedgerOnTheMainForm) {
    open_ledger();
    EXPECT_EQ(core().current_path, ledger_path);
    EXPECT_EQ(core().view.dblbl, ledger_path);
    EXPECT_EQ(core().program.which_db, 0);
    EXPECT_EQ(core().program.recent[0], ledger_path);
    EXPECT_EQ(core().view.dbstartlbl1, "0000-00-00");
    EXPECT_EQ(core().view.dbstartlbl2, "No earlier archives");
    EXPECT_EQ(core().view.dbendlbl2, "This database is current");
    EXPECT_TRUE(host.said("Use main menu \"Currencies\" to enter a Base Currency"));
    EXPECT_TRUE(transaction_active(core()));
}

TEST_F(ConnectionTest, MissingCredentialsAreAskedWithTheirDefaults) {
    core().program.fb_username.clear();
    core().program.fb_password.clear();
    host.answer(QString("SYSDBA"));
    host.answer(testing_support::fb_password());
    open_ledger();
    ASSERT_GE(host.events().size(), 2u);
    EXPECT_EQ(host.questions().mid(0, 2), QStringList({"Firebird username", "Firebird password"}));
    EXPECT_EQ(core().program.fb_password, testing_support::fb_password());
}

TEST_F(ConnectionTest, CancelledPasswordPromptFailsQuietly) {
    core().program.fb_password.clear();
    host.answer(Cancel{});
    EXPECT_FALSE(open_database(core()));
    EXPECT_TRUE(host.messages().filter("open failed").isEmpty());
    EXPECT_EQ(host.stop_requests, 0);
    EXPECT_FALSE(database_open(core()));
}

TEST_F(ConnectionTest, ConnectFailureGivesThreeMessagesAndStops) {
    core().program.fb_password = "wrong-password";
    EXPECT_FALSE(open_database(core()));
    const QStringList m = host.messages();
    ASSERT_EQ(m.size(), 3) << m.join(" | ").toStdString();
    EXPECT_TRUE(m[0].startsWith("EDatabaseError\r\n"));
    EXPECT_EQ(m[1], "database open failed - mintor will terminate safely");
    EXPECT_EQ(m[2], "Mintor requires data filename mintor.fdb to be lowercase");
    EXPECT_EQ(host.stop_requests, 1);
    EXPECT_TRUE(core().db_ini_path.isEmpty());
}

TEST_F(ConnectionTest, OpenAtStartWithoutADatabase) {
    core().database_path.clear();
    EXPECT_FALSE(open_at_start(core()));
    EXPECT_TRUE(host.said("No database found"));
    EXPECT_EQ(host.stop_requests, 1);
}

TEST_F(ConnectionTest, OpenAtStartOnANewDayNeedsARebalance) {
    write_db_ini("[main]\nGenTo=20000101\nRebalNeeded=0\n");
    EXPECT_TRUE(open_at_start(core()));
    EXPECT_TRUE(core().run.rebal_needed);
    EXPECT_EQ(core().view.panel3_caption, " Rebalance needed");
    EXPECT_EQ(core().view.panel3_colour, kColourYellow);
}

TEST_F(ConnectionTest, IniDatesOverrideTheParamRowsAndAreWrittenBack) {
    write_db_ini("[main]\nDBStartDate=20200101\nDBEndDate=-1\n");
    open_ledger();
    EXPECT_EQ(qwel::date_to_int(core().params.start_date), 20200101);
    EXPECT_EQ(sql_int("select pmint from param where pmid = 2"), 20200101);
    EXPECT_EQ(core().view.dbstartlbl1, "2020-01-01");
    EXPECT_EQ(core().view.dbstartlbl2,
              "Earlier records (ie to 2019-12-31) have been archived\r(or are outside Mintor)");
}

TEST_F(ConnectionTest, ArchiveOpensFrozenAndUnfreezingAsksTwice) {
    write_db_ini("[main]\nDBEndDate=20231231\n");
    open_ledger();
    EXPECT_TRUE(host.said("This database is an archive, you must not make changes to it"));
    EXPECT_TRUE(host.said("freezing"));
    EXPECT_TRUE(core().settings.db_frozen);
    EXPECT_TRUE(chk_frozen(core(), "delete txn"));
    EXPECT_TRUE(host.said("Cannot delete txn, database is frozen"));

    host.answer(true);
    host.answer(false);  // not really really sure
    EXPECT_TRUE(set_db_frozen(core(), false));
    EXPECT_EQ(host.questions().mid(host.questions().size() - 2),
              QStringList({"Allow changes to this archived database - are you sure ?", "... really really sure ?"}));
    host.answer_yes(2);
    EXPECT_FALSE(set_db_frozen(core(), false));
    EXPECT_FALSE(chk_frozen(core(), "delete txn"));
}

TEST_F(ConnectionTest, BaseCurrencyChecks) {
    open_ledger();
    sql("insert into ccy (id, \"NAME\", base) values ('EUR', 'Euro', 0)");
    host.clear();
    EXPECT_FALSE(check_base_ccy(core()));
    EXPECT_TRUE(host.said("Program error : Currency list does not include a Base Currency"));

    sql("update ccy set base = 1 where id = 'EUR'");
    EXPECT_TRUE(check_base_ccy(core()));
    EXPECT_EQ(core().run.base_ccy, "EUR");

    sql("insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)");
    host.clear();
    EXPECT_FALSE(check_base_ccy(core()));
    EXPECT_TRUE(host.said("Program error : >1 base ccy"));
}

TEST_F(ConnectionTest, SwitchingLedgersForgetsTheOldBaseCurrency) {
    open_ledger();
    sql("insert into ccy (id, \"NAME\", base) values ('EUR', 'Euro', 1)");
    commit_work(core());
    ASSERT_TRUE(check_base_ccy(core()));

    QString other = folder + "data/other.fdb";
    testing_support::copy_template(37, other);
    core().database_path = other;
    ASSERT_TRUE(switch_database(core()));
    sql("insert into ccy (id, \"NAME\", base) values ('USD', 'Dollar', 1)");
    host.clear();
    EXPECT_TRUE(check_base_ccy(core()));
    EXPECT_EQ(core().run.base_ccy, "USD");
    EXPECT_EQ(core().program.recent[1], other);
    EXPECT_EQ(core().program.which_db, 1);
}

TEST_F(ConnectionTest, CloseSavesTheLedgerIniAndCommits) {
    open_ledger();
    sql("insert into ccy (id, \"NAME\", base) values ('EUR', 'Euro', 1)");
    set_period(core(), {2024, 1, 1}, {2024, 12, 31});
    close_database(core());
    EXPECT_FALSE(database_open(core()));
    EXPECT_TRUE(core().view.dblbl.isEmpty());
    restart_core();
    open_ledger();
    EXPECT_EQ(core().run.base_ccy, "EUR");
    EXPECT_EQ(core().run.from_int, 20240101);
    EXPECT_EQ(core().run.to_int, 20241231);
}

TEST_F(ConnectionTest, DatabaseNameEditIsStoredAndCommitted) {
    open_ledger();
    write_db_name(core(), "O'Neill & Sons -- books; 2024 é");
    restart_core();
    open_ledger();
    EXPECT_EQ(core().params.name, "O'Neill & Sons -- books; 2024 é");
    EXPECT_EQ(core().view.dbnamebx, core().params.name);
}

TEST_F(ConnectionTest, StartAndEndDateLabelsAskAndStore) {
    open_ledger();
    host.answer(qwel::Date{2021, 4, 6});
    EXPECT_TRUE(edit_db_start_date(core()));
    EXPECT_EQ(host.events().back().caption, " Enter database start date ...");
    EXPECT_EQ(sql_int("select pmint from param where pmid = 2"), 20210406);
    EXPECT_EQ(core().view.dbstartlbl1, "2021-04-06");
    host.answer(Cancel{});
    EXPECT_FALSE(edit_db_end_date(core()));
    EXPECT_EQ(sql_int("select pmint from param where pmid = 3"), 0);
}

TEST_F(ConnectionTest, RunStateTexts) {
    open_ledger();
    qwel::Date t = qwel::today();
    set_period(core(), {2024, 2, 1}, t);
    set_rebalance_needed(core(), false);
    EXPECT_EQ(core().view.from_lbl, "2024-02-01");
    EXPECT_EQ(core().view.to_lbl, qwel::format_date(t) + " (today)");
    EXPECT_EQ(core().view.panel3_caption, "");
    EXPECT_EQ(core().view.panel3_colour, kColourSilver);

    core().run.rebal_in_progress = true;
    set_rebalance_needed(core(), true);
    EXPECT_FALSE(core().run.rebal_needed) << "ignored while a rebalance runs";
    core().run.rebal_in_progress = false;
    set_reset_paths(core());
    EXPECT_TRUE(core().settings.reset_paths);
    EXPECT_TRUE(core().run.rebal_needed);

    show_status(core(), "Working");
    EXPECT_EQ(core().view.panel3_caption, " Working ");
    EXPECT_EQ(core().view.panel3_colour, kColourPaleCyan);
    show_status_more(core(), "12");
    EXPECT_EQ(core().view.panel3_caption, " Working 12 ");
    show_status(core(), "");
    EXPECT_EQ(core().view.panel3_caption, " ");
    EXPECT_EQ(core().view.panel3_colour, kColourSilver);

    core().settings.dormant_after = 10;
    calc_dormant_date(core());
    EXPECT_EQ(core().run.dormant_date, qwel::date_to_int(qwel::days_before(t, 10)));
}

}  // namespace
