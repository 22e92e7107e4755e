// Account rows: ids that never return, every column written and read back, the refusals,
// derived group fields, the optimistic lock, movements and group members.
#include <gtest/gtest.h>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/connection.h"
#include "core/notes.h"
#include "core/params.h"
#include "core/sql.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class AccountsTest : public StoreTest {};

struct IdCase {
    int lastaccid;
    int highest;  // highest account id present (0 = none)
    int expected;
};

TEST_F(AccountsTest, NewIdsLieAboveHighestRowAndLastaccid) {
    const IdCase cases[] = {{57, 40, 58}, {0, 40, 41}, {40, 40, 41}, {39, 40, 41}, {0, 0, 1}, {12, 0, 13}};
    for (const IdCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "lastaccid " << c.lastaccid << " highest " << c.highest);
        sql("delete from account");
        sql("delete from movte");
        if (c.highest > 0) sql(QStringLiteral("insert into account (id, name) values (%1, 'old')").arg(c.highest));
        sql(QStringLiteral("update param set pmint = %1 where pmid = 5").arg(c.lastaccid));
        ASSERT_TRUE(read_params(core()));
        EXPECT_EQ(add_acc(kTypeExternal, "New"), c.expected);
        EXPECT_EQ(sql_int("select pmint from param where pmid = 5"), c.expected);
        EXPECT_EQ(core().params.lastaccid, c.expected);
    }
}

TEST_F(AccountsTest, DeletedIdIsNeverGivenAgain) {
    const int a = add_acc(kTypeExternal, "A");
    const int b = add_acc(kTypeExternal, "B");
    sql(QStringLiteral("delete from account where id = %1").arg(b));
    EXPECT_EQ(add_acc(kTypeExternal, "C"), b + 1);
    EXPECT_EQ(b, a + 1);
}

TEST_F(AccountsTest, EveryColumnRoundTrips) {
    const int pot = add_acc(kTypePot, "Pot");
    Tacc a;
    a.type2 = kTypeCounterparty;
    init_acc(core(), a);
    a.ccy = "USD";
    a.name = "Acme";
    a.desig = "main";
    a.bfdbal = -12345;
    a.bfdval = 67890;
    a.grpid = 0;
    a.reconciled = "2024-02-29";
    a.opendate = {2020, 1, 2};
    a.closedate = {2030, 12, 31};
    a.rprts = qwel::Stamp{{2023, 5, 6}, {7, 8, 9}, 0};
    a.allownegbal = false;
    a.allowposbal = true;
    a.accwith = 77;
    a.sweepto = true;
    a.cptypays = true;
    a.cptyrcvs = false;
    a.payerdftpot = pot;
    a.payeedftpot = pot + 100;
    a.fav = true;
    a.path = " Top : Sub :";
    set_write_note(core(), "first line\nsecond line");
    ASSERT_TRUE(insert_acc(core(), a));
    EXPECT_FALSE(core().store.note_changed) << "the write clears the note-changed flag";
    EXPECT_EQ(a.name_as_read, "Acme");

    Tacc b;
    ASSERT_TRUE(read_acc(core(), a.id, b));
    EXPECT_EQ(b.id, a.id);
    EXPECT_EQ(b.ccy, "USD");
    EXPECT_EQ(b.type2, kTypeCounterparty);
    EXPECT_EQ(b.btype, kTypeCounterparty);
    EXPECT_FALSE(b.isgrp);
    EXPECT_EQ(b.name, "Acme");
    EXPECT_EQ(b.name_as_read, "Acme");
    EXPECT_EQ(b.desig, "main");
    EXPECT_EQ(b.bfdbal, -12345);
    EXPECT_EQ(b.bfdval, 67890);
    EXPECT_EQ(b.reconciled, "2024-02-29");
    EXPECT_EQ(b.reconciled_date, (qwel::Date{2024, 2, 29}));
    EXPECT_EQ(b.opendate, (qwel::Date{2020, 1, 2}));
    EXPECT_EQ(b.closedate, (qwel::Date{2030, 12, 31}));
    EXPECT_EQ(b.firstpstgdate, kOpenDateRec) << "from the movte row added with the account";
    EXPECT_EQ(b.lastpstgdate, kOpenDateRec);
    EXPECT_EQ(b.rprts, a.rprts);
    EXPECT_FALSE(b.allownegbal);
    EXPECT_TRUE(b.allowposbal);
    EXPECT_EQ(b.accwith, 77);
    EXPECT_TRUE(b.sweepto);
    EXPECT_EQ(sql_int(QStringLiteral("select sweepto from account where id = %1").arg(a.id)), 999);
    EXPECT_TRUE(b.cptypays);
    EXPECT_FALSE(b.cptyrcvs);
    EXPECT_EQ(b.payerdftpot, pot);
    EXPECT_EQ(b.payeedftpot, pot + 100);
    EXPECT_TRUE(b.fav);
    EXPECT_EQ(b.path, " Top : Sub :");
    EXPECT_EQ(b.createts, a.createts);
    EXPECT_FALSE(qwel::is_null_date(b.editts.date));
    EXPECT_EQ(read_note(core()), "first line\nsecond line");
    EXPECT_EQ(count("movte", QStringLiteral("objid = %1 and firstpstgdate = 99999999 and lastpstgdate = 99999999").arg(a.id)), 1);
}

TEST_F(AccountsTest, NoteIsWrittenOnlyWhenChanged) {
    const int id = add_acc(kTypeExternal, "Bank");
    Tacc a = acc(id);
    set_write_note(core(), "kept");
    ASSERT_TRUE(save_acc(core(), a));
    a = acc(id);
    core().store.write_note = "not meant to be stored";  // buffer filled, flag not set
    ASSERT_TRUE(write_acc(core(), a));
    acc(id);
    EXPECT_EQ(read_note(core()), "kept");
}

struct RefusalCase {
    int type2;
    const char* ccy;
    const char* message;  // empty: written
};

TEST_F(AccountsTest, CurrencyRefusalsWriteNothing) {
    const RefusalCase cases[] = {
        {kTypeCategory, "USD", "Program error : Writing Pot/Ctgy 0 with ccy USD not base-ccy"},
        {kTypePot, "USD", "Program error : Writing Pot/Ctgy 0 with ccy USD not base-ccy"},
        {kTypeExternal, "USD", ""},
        {kTypeCounterparty, "USD", ""},
        {kTypeCategory, "GBP", ""},
        {kTypeExternal, "GB", "Program error : Writing account 0 with invalid ccy code GB"},
        {kTypeExternal, "GBPX", "Program error : Writing account 0 with invalid ccy code GBPX"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type2 << " " << c.ccy);
        host.clear();
        const qint64 accounts = sql_int("select count(*) from account");
        const qint64 movte = sql_int("select count(*) from movte");
        const int lastaccid = core().params.lastaccid;
        Tacc a;
        a.type2 = c.type2;
        init_acc(core(), a);
        a.ccy = c.ccy;
        a.name = "X";
        const bool ok = insert_acc(core(), a);
        if (*c.message) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(host.messages(), QStringList{c.message});
            EXPECT_EQ(a.id, 0);
            EXPECT_EQ(sql_int("select count(*) from account"), accounts) << "no blank row left behind";
            EXPECT_EQ(sql_int("select count(*) from movte"), movte);
            EXPECT_EQ(core().params.lastaccid, lastaccid);
        } else {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(host.messages().isEmpty());
        }
    }
    // an existing category changed to a foreign currency is refused too
    Tacc cat = acc(add_acc(kTypeCategory, "Food"));
    host.clear();
    cat.ccy = "USD";
    EXPECT_FALSE(save_acc(core(), cat));
    EXPECT_TRUE(host.said(QStringLiteral("Program error : Writing Pot/Ctgy %1 with ccy USD not base-ccy").arg(cat.id)));
    EXPECT_EQ(acc(cat.id).ccy, "GBP");
}

TEST_F(AccountsTest, GroupFieldsAreDerivedFromTheTypeCode) {
    struct Case {
        int type2, btype;
        bool isgrp;
    };
    const Case cases[] = {{8, 1, true}, {9, 4, true}, {10, 6, true}, {1, 1, false},
                          {3, 3, false}, {11, 11, false}, {5, 5, false}, {7, 7, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type2);
        Tacc a;
        a.type2 = c.type2;
        init_acc(core(), a);
        a.name = "G";
        a.btype = 99;  // whatever the caller put there
        a.isgrp = !c.isgrp;
        ASSERT_TRUE(insert_acc(core(), a));
        EXPECT_EQ(sql_int(QStringLiteral("select btype from account where id = %1").arg(a.id)), c.btype);
        EXPECT_EQ(sql_int(QStringLiteral("select isgrp from account where id = %1").arg(a.id)), c.isgrp ? 1 : 0);
        EXPECT_EQ(sql_int(QStringLiteral("select type2 from account where id = %1").arg(a.id)), c.type2)
            << "unknown codes are written back unchanged";
        EXPECT_EQ(a.btype, c.btype);
    }
}

TEST_F(AccountsTest, SecondSaveFromTheSameRecordIsRefused) {
    const int id = add_acc(kTypeExternal, "Bank");
    Tacc a = acc(id);
    a.name = "Bank 1";
    ASSERT_TRUE(save_acc(core(), a));
    a.name = "Bank 2";
    EXPECT_FALSE(save_acc(core(), a));
    EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Program error : Downdating account #%1 \"Bank 2\"").arg(id)});
    EXPECT_EQ(acc(id).name, "Bank 1");
    // a record read afresh saves again, however soon
    Tacc b = acc(id);
    b.name = "Bank 3";
    EXPECT_TRUE(save_acc(core(), b));
    Tacc c = acc(id);
    c.name = "Bank 4";
    EXPECT_TRUE(save_acc(core(), c));
    EXPECT_EQ(acc(id).name, "Bank 4");
}

TEST_F(AccountsTest, RecordReadBeforeAnotherWriteIsRefused) {
    const int id = add_acc(kTypeCounterparty, "Shop");
    Tacc first = acc(id), second = acc(id);
    first.desig = "one";
    ASSERT_TRUE(save_acc(core(), first));
    second.desig = "two";
    EXPECT_FALSE(save_acc(core(), second));
    EXPECT_EQ(acc(id).desig, "one");
}

TEST_F(AccountsTest, SavingAGoneAccountReportsIt) {
    const int id = add_acc(kTypeExternal, "Gone");
    Tacc a = acc(id);
    sql(QStringLiteral("delete from account where id = %1").arg(id));
    EXPECT_FALSE(save_acc(core(), a));
    EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Account not found %1").arg(id)});
    host.clear();
    EXPECT_FALSE(write_acc(core(), a)) << "not reported as written";
    EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Account not found %1").arg(id)});
    EXPECT_EQ(sql_int("select count(*) from account"), 0);
}

TEST_F(AccountsTest, MillisecondsAreReportedAndDropped) {
    const int id = add_acc(kTypeExternal, "Bank");
    Tacc a = acc(id);
    a.rprts = qwel::Stamp{{2024, 1, 2}, {3, 4, 5}, 678};
    ASSERT_TRUE(save_acc(core(), a));
    EXPECT_EQ(host.messages(), QStringList{"Program error : Non-zero milliseconds will not be written to the db grrr"});
    EXPECT_EQ(acc(id).rprts, (qwel::Stamp{{2024, 1, 2}, {3, 4, 5}, 0}));
}

TEST_F(AccountsTest, ReadingAMissingAccount) {
    Tacc a;
    a.name = "left over";
    EXPECT_FALSE(read_acc(core(), 999, a));
    EXPECT_TRUE(a.name.isEmpty()) << "the record is cleared";
    EXPECT_EQ(a.ccy, "GBP");
    EXPECT_FALSE(read_acc(core(), 0, a));
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_FALSE(read_acc_or_report(core(), 999, a));
    EXPECT_EQ(host.messages(), QStringList{"Account not found 999"});
}

TEST_F(AccountsTest, StoredQuirksAreReadAsTheyMean) {
    sql("insert into account (id, name, ccy, type2, sweepto, opendate, path) values (5, 'Raw', '', 1, 1, null, null)");
    Tacc a = acc(5);
    EXPECT_EQ(a.ccy, "XXX") << "an empty currency";
    EXPECT_TRUE(a.sweepto) << "any value above 0";
    EXPECT_EQ(qwel::date_to_int(a.opendate), 0);
    EXPECT_EQ(qwel::date_to_int(a.firstpstgdate), 0) << "no movte row";
    EXPECT_TRUE(qwel::is_null_date(a.createts.date));
}

TEST_F(AccountsTest, MovementReadsTheAmountsRow) {
    const int bank = add_acc(kTypeExternal, "Dollars", "USD");
    const int cpty = add_acc(kTypeCounterparty, "Shop", "USD");
    // a foreign account has an amounts row and a values row in the same currency
    sql(QStringLiteral("insert into movtg (accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs) values "
                       "(%1, 'USD', 'V', 9000, 9000, 9000, 9000, 9000)")
            .arg(bank));
    sql(QStringLiteral("insert into movtg (accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs) values "
                       "(%1, 'USD', 'A', 1, 20, -300, 4000, 50000)")
            .arg(bank));
    sql(QStringLiteral("insert into movtg (accid, ccy, amtval, bfd, prepdnet, pdpayts) values (%1, 'USD', 'A', 5, 5, 5)")
            .arg(cpty));
    Tmovt m;
    ASSERT_TRUE(read_movt(core(), bank, "USD", m));
    EXPECT_EQ(m.id, bank);
    EXPECT_EQ(m.bfd, 1);
    EXPECT_EQ(m.pdtfrs, 50000);
    EXPECT_EQ(m.balance, 1 + 20 - 300 + 4000 + 50000);
    EXPECT_EQ(m.ccy, "USD");
    ASSERT_TRUE(read_movt(core(), cpty, "USD", m));
    EXPECT_EQ(m.balance, 0) << "counterparties carry no balance here";
    ASSERT_TRUE(read_movt(core(), bank, "GBP", m));
    EXPECT_EQ(m.bfd, 0) << "no row in that currency";
    EXPECT_FALSE(read_movt(core(), 0, "USD", m));
    EXPECT_FALSE(read_movt(core(), 4242, "USD", m));
}

TEST_F(AccountsTest, GroupMembersInIdOrder) {
    const int grp = add_acc(kTypeExternalGroup, "Banks");
    const int a = add_acc(kTypeExternal, "A"), b = add_acc(kTypeExternal, "B");
    add_acc(kTypeExternal, "Outside");
    sql(QStringLiteral("update account set grpid = %1 where id in (%2, %3)").arg(grp).arg(b).arg(a));
    CoreQuery& q = open_group_members(core(), grp);
    QList<int> ids;
    for (; !q.at_end(); q.next()) ids << field_int(q.rows, "id");
    EXPECT_EQ(ids, (QList<int>{a, b}));
    CoreQuery& top = open_group_members(core(), 0);
    EXPECT_TRUE(host.said("Program error : open_q2grp"));
    EXPECT_TRUE(top.open) << "still opened";
}

TEST_F(AccountsTest, SweepAndOpeningBalancePotsAreReadAtOpen) {
    const int sweep = add_acc(kTypePot, "Sweep pot");
    const int opening = add_acc(kTypePot, "Opening balances");
    commit_work(core());
    core().settings.sweep_to_pot_id = sweep;
    core().settings.opening_bal_pot_id = opening;
    close_database(core());  // saves the ledger ini
    restart_core();
    open_ledger();
    EXPECT_EQ(core().store.sweep_pot.id, sweep);
    EXPECT_EQ(core().store.sweep_pot.name, "Sweep pot");
    EXPECT_EQ(core().store.opening_bal_pot.name, "Opening balances");

    core().settings.opening_bal_pot_id = 0;
    close_database(core());
    restart_core();
    open_ledger();
    EXPECT_EQ(core().store.opening_bal_pot.id, 0) << "an id of 0 leaves an empty record";
    EXPECT_TRUE(core().store.opening_bal_pot.name.isEmpty());
}

}  // namespace
