// Repeater masters: id allocation, every column written and read back, the date of an
// instance, and finding the repeaters that use an account.
#include <gtest/gtest.h>

#include "core/acctypes.h"
#include "core/ids.h"
#include "core/repeaters_store.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class RepeatersStoreTest : public StoreTest {};

TEST_F(RepeatersStoreTest, NewIdsNeverReuseAnIdOfInstances) {
    struct Case {
        int max_rptr, max_masterid, expected;
        bool message;
    };
    const Case cases[] = {{0, 0, 1, false}, {3, 7, 8, false}, {7, 7, 8, false}, {5, 3, 6, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.max_rptr << " / " << c.max_masterid);
        sql("delete from rptr");
        sql("delete from txn");
        host.clear();
        if (c.max_rptr) sql(QStringLiteral("insert into rptr (id) values (%1)").arg(c.max_rptr));
        if (c.max_masterid) sql(QStringLiteral("insert into txn (id, masterid) values (1, %1)").arg(c.max_masterid));
        EXPECT_EQ(next_rptr_id(core()), c.expected);
        if (c.message) EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Repeater #%1 has no instances").arg(c.max_rptr)});
        else EXPECT_TRUE(host.messages().isEmpty());
    }
}

TEST_F(RepeatersStoreTest, EveryColumnRoundTrips) {
    const int bank = add_acc(kTypeExternal, "Bank");
    const int shop = add_acc(kTypeCounterparty, "Landlord");
    const int rent = add_acc(kTypeCategory, "Rent");
    TRptr m;
    m.ccy = "GBP";
    m.gento = 2;
    m.freq = 'M';
    m.startdate = {2023, 1, 31};
    m.enddate = {2025, 1, 31};
    m.rptactive = true;
    m.rptinc = 1;
    m.rptct = 24;
    m.rmdays = 3;
    m.amt = 95000;
    m.type = 'P';
    m.ref = "SO";
    m.narrative = "Rent";
    m.accid1 = bank;
    m.accid2 = shop;
    m.accid4 = rent;
    m.chnum = 2;
    ASSERT_TRUE(insert_rptr(core(), m));
    EXPECT_EQ(m.id, 1) << "allocated";
    EXPECT_FALSE(qwel::is_null_date(m.createts.date));

    TRptr r;
    ASSERT_TRUE(read_rptr(core(), m.id, r));
    EXPECT_EQ(r.ccy, "GBP");
    EXPECT_EQ(r.gento, 2);
    EXPECT_EQ(r.gento_date, (qwel::Date{2023, 3, 3})) << "31 February 2023 is 3 March";
    EXPECT_EQ(r.freq, QChar('M'));
    EXPECT_EQ(r.startdate, m.startdate);
    EXPECT_EQ(r.enddate, m.enddate);
    EXPECT_TRUE(r.rptactive);
    EXPECT_EQ(r.rptinc, 1);
    EXPECT_EQ(r.rptct, 24);
    EXPECT_EQ(r.rmdays, 3);
    EXPECT_EQ(r.amt, 95000);
    EXPECT_EQ(r.type, QChar('P'));
    EXPECT_EQ(r.ref, "SO");
    EXPECT_EQ(r.narrative, "Rent");
    EXPECT_EQ(r.accname1, "Bank");
    EXPECT_EQ(r.accname2, "Landlord");
    EXPECT_EQ(r.accname4, "Rent");
    EXPECT_EQ(r.chnum, 2);
    EXPECT_EQ(r.createts, m.createts);
    EXPECT_EQ(r.editts, m.editts);
    EXPECT_FALSE(read_rptr(core(), 42, r));
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(RepeatersStoreTest, InstanceDates) {
    struct Case {
        char freq;
        int rptinc;
        qwel::Date start;
        int n;
        qwel::Date expected;
    };
    const Case cases[] = {
        {'M', 1, {2023, 1, 31}, 1, {2023, 1, 31}},
        {'M', 1, {2023, 1, 31}, 2, {2023, 3, 3}},
        {'M', 1, {2023, 1, 31}, 4, {2023, 5, 1}},
        {'M', 1, {2023, 1, 31}, 12, {2023, 12, 31}},  // no drift from the month ends on the way
        {'M', 1, {2024, 1, 31}, 2, {2024, 3, 2}},
        {'M', 2, {2024, 1, 15}, 3, {2024, 5, 15}},
        {'Y', 1, {2024, 2, 29}, 2, {2025, 3, 1}},
        {'Y', 1, {2024, 2, 29}, 5, {2028, 2, 29}},
        {'W', 2, {2023, 12, 25}, 2, {2024, 1, 8}},
        {'D', 3, {2024, 2, 27}, 2, {2024, 3, 1}},
        {' ', 1, {2024, 2, 27}, 5, {2024, 2, 27}},
        {'M', 1, {2024, 2, 27}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.freq << c.rptinc << " " << qwel::format_date(c.start).toStdString()
                                        << " #" << c.n);
        TRptr m;
        m.freq = c.freq;
        m.rptinc = c.rptinc;
        m.startdate = c.start;
        EXPECT_EQ(instance_date(m, c.n), c.expected);
    }
}

TEST_F(RepeatersStoreTest, FindsTheFirstRepeaterUsingAnAccount) {
    sql("insert into rptr (id, accid1, accid2, accid4, rptactive) values (4, 10, 11, 0, 0)");
    sql("insert into rptr (id, accid1, accid2, accid4, rptactive) values (6, 12, 11, 13, 1)");
    sql("insert into rptr (id, accid1, accid2, accid4, rptactive) values (2, 14, 15, 13, 0)");
    EXPECT_EQ(find_rptr_using(core(), 11, false), 4);
    EXPECT_EQ(find_rptr_using(core(), 11, true), 6);
    EXPECT_EQ(find_rptr_using(core(), 13, false), 2);
    EXPECT_EQ(find_rptr_using(core(), 13, true), 6);
    EXPECT_EQ(find_rptr_using(core(), 10, true), 0);
    EXPECT_EQ(find_rptr_using(core(), 99, false), 0);
}

TEST_F(RepeatersStoreTest, WriteStampsTheRow) {
    TRptr m;
    m.id = 7;
    m.freq = 'W';
    m.rptinc = 1;
    ASSERT_TRUE(insert_rptr(core(), m));
    EXPECT_EQ(m.id, 7) << "a given id is kept";
    m.rptactive = false;
    m.gento = 9;
    ASSERT_TRUE(write_rptr(core(), m));
    EXPECT_EQ(sql_int("select gento from rptr where id = 7"), 9);
    EXPECT_EQ(sql_int("select count(*) from rptr where editts is not null and rprts is null"), 1);
    TRptr gone;
    gone.id = 9;
    EXPECT_FALSE(write_rptr(core(), gone));
    EXPECT_EQ(host.messages(), QStringList{"Repeater master not found 9"});
    EXPECT_EQ(sql_int("select count(*) from rptr"), 1);
}

}  // namespace
