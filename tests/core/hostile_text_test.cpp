// Text the user types reaches the ledger exactly: quotes, comment and statement marks,
// letters beyond ASCII and the longest notes round-trip, and a text too long for its column
// is refused by the server with nothing half-written.
#include <gtest/gtest.h>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/notes.h"
#include "core/repeaters_store.h"
#include "core/txnrows.h"
#include "store_test_support.h"

using namespace mintor;
using store_testing::StoreTest;

namespace {

class HostileTextTest : public StoreTest {};

// Each fits the 20- and 40-byte columns.
const QStringList kTexts = {
    "O'Brien",
    "''paired'' quotes",
    "'",
    "x'); delete from txn; --",
    "a -- b /* c */ ; d",
    "Zoë, Ærø & Łódź",
    "\\ back\\slash %_",
    "tab\there",
};

TEST_F(HostileTextTest, AccountTextsRoundTrip) {
    for (const QString& text : kTexts) {
        SCOPED_TRACE(text.toStdString());
        Tacc a;
        a.type2 = kTypeExternal;
        init_acc(core(), a);
        a.name = text;
        a.desig = text.left(10);
        a.path = text;
        set_write_note(core(), text + "\n" + text);
        ASSERT_TRUE(insert_acc(core(), a));
        Tacc b = acc(a.id);
        EXPECT_EQ(b.name, text);
        EXPECT_EQ(b.desig, text.left(10));
        EXPECT_EQ(b.path, text);
        EXPECT_EQ(read_note(core()), text + "\n" + text);
    }
    EXPECT_EQ(sql_int("select count(*) from account"), kTexts.size());
}

TEST_F(HostileTextTest, TransactionAndRepeaterTextsRoundTrip) {
    int id = 0;
    for (const QString& text : kTexts) {
        SCOPED_TRACE(text.toStdString());
        TTxn t;
        init_txn(core(), t);
        t.type = 'C';
        t.ref = text.left(10);
        t.narrative = text;
        ASSERT_TRUE(insert_txn_row(core(), t));
        add_pstg(t.id, 1, "C", 0);
        TTxn r;
        ASSERT_TRUE(read_txn(core(), t.id, r));
        EXPECT_EQ(r.ref, text.left(10));
        EXPECT_EQ(r.narrative, text);

        TRptr m;
        m.id = ++id;
        m.ref = text.left(10);
        m.narrative = text;
        ASSERT_TRUE(insert_rptr(core(), m));
        TRptr rm;
        ASSERT_TRUE(read_rptr(core(), m.id, rm));
        EXPECT_EQ(rm.narrative, text);
    }
}

TEST_F(HostileTextTest, LongestNotesRoundTrip) {
    const QString plain(32000, QLatin1Char('n'));
    QString quoted;
    while (quoted.size() < 32000) quoted += QStringLiteral("it's -- ; ");
    quoted.truncate(32000);
    for (const QString& note : {plain, quoted}) {
        const int id = add_acc(kTypeExternal, "Long");
        Tacc a = acc(id);
        set_write_note(core(), note);
        ASSERT_TRUE(save_acc(core(), a)) << host.messages().join("|").toStdString();
        acc(id);
        EXPECT_EQ(read_note(core()).size(), 32000);
        EXPECT_EQ(read_note(core()), note);
    }
}

TEST_F(HostileTextTest, TextTooLongForItsColumnWritesNothing) {
    const int lastaccid = core().params.lastaccid;
    Tacc a;
    a.type2 = kTypeExternal;
    init_acc(core(), a);
    a.name = QString(21, QChar(0x00E9));  // 21 letters, 42 bytes: over the 40 the column holds
    EXPECT_FALSE(insert_acc(core(), a));
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError\r\n"));
    EXPECT_EQ(a.id, 0) << "the record is as before";
    EXPECT_EQ(sql_int("select count(*) from account"), 0) << "no row left by the key-only insert";
    EXPECT_EQ(sql_int("select count(*) from movte"), 0);
    EXPECT_EQ(sql_int("select pmint from param where pmid = 5"), lastaccid);
    EXPECT_EQ(core().params.lastaccid, lastaccid);

    // a note over 32000 bytes on an existing account: the row keeps its old note
    const int id = add_acc(kTypeExternal, "Bank");
    Tacc b = acc(id);
    set_write_note(core(), "old");
    ASSERT_TRUE(save_acc(core(), b));
    b = acc(id);
    b.name = "Renamed";
    set_write_note(core(), QString(32001, QLatin1Char('x')));
    host.clear();
    EXPECT_FALSE(save_acc(core(), b));
    EXPECT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(core().store.note_changed) << "the note still waits to be written";
    Tacc c = acc(id);
    EXPECT_EQ(c.name, "Bank");
    EXPECT_EQ(read_note(core()), "old");
}

}  // namespace
