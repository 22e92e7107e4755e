// Opening ledgers of every schema version: initialising, converting, refusing.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "core/connection.h"
#include "core/params.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "core/versions.h"
#include "support/ledger_fixture.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

struct Latin1Case {
    QByteArray in;
    QByteArray out;
    bool changed;
};

TEST(Latin1ToUtf8, ConvertsEveryHighByte) {
    const Latin1Case cases[] = {
        {"plain ascii", "plain ascii", false},
        {"caf\xE9", "caf\xC3\xA9", true},                  // e acute
        {"\xA3" "5", "\xC2\xA3" "5", true},                // pound sign
        {"\xC0\xFF", "\xC3\x80\xC3\xBF", true},
        {"\x80\x9F", "\xC2\x80\xC2\x9F", true},            // C1 controls: made valid UTF-8 too
        {"", "", false},
    };
    for (const auto& c : cases) {
        QByteArray t = c.in;
        EXPECT_EQ(latin1_to_utf8(t), c.changed) << c.in.toHex().toStdString();
        EXPECT_EQ(t, c.out) << c.in.toHex().toStdString();
        if (c.changed) {
            EXPECT_TRUE(QString::fromUtf8(t).toUtf8() == t) << "not valid UTF-8";
        }
    }
}

TEST(CutUtf8, NeverSplitsACharacter) {
    QByteArray s = QString::fromUtf8("abcdé").toUtf8();  // é is 2 bytes at 4..5
    EXPECT_EQ(cut_utf8(s, 6), s);
    EXPECT_EQ(cut_utf8(s, 5), QByteArray("abcd"));
    EXPECT_EQ(cut_utf8(s, 4), QByteArray("abcd"));
    QByteArray euro = QString::fromUtf8("€€").toUtf8();  // 3 bytes each
    EXPECT_EQ(cut_utf8(euro, 5), QString::fromUtf8("€").toUtf8());
    EXPECT_EQ(cut_utf8(euro, 2), QByteArray());
}

class VersionsTest : public LedgerTest {
protected:
    // Makes the template look like an old ledger of version n (its param row 4 absent).
    void make_version(int n) {
        use_template(34);
        restart_core();
        core().db().setDatabaseName(QStringLiteral("localhost:") + ledger_path);
        core().db().setUserName(QStringLiteral("SYSDBA"));
        core().db().setPassword(testing_support::fb_password());
        ASSERT_TRUE(core().db().open());
        sql(QStringLiteral("update param set pmint = %1 where pmid = 1").arg(n));
    }
    void finish_setup() {
        commit_retaining(core());
        core().db().close();
        core().transaction_open = false;
    }
    QByteArray bytes_of(const QString& query) {
        QSqlQuery q = open_query(core(), query);
        EXPECT_TRUE(q.next()) << query.toStdString();
        return q.value(0).toByteArray();
    }
    bool column_exists(const QString& table, const QString& column) {
        return sql_int(QStringLiteral("select count(*) from rdb$relation_fields where rdb$relation_name = '%1' "
                                      "and rdb$field_name = '%2'")
                           .arg(table.toUpper(), column)) > 0;
    }
};

TEST_F(VersionsTest, CurrentLedgerOpensWithoutQuestions) {
    open_ledger();
    EXPECT_EQ(core().params.dbvn, 37);
    EXPECT_TRUE(host.questions().isEmpty());
    EXPECT_FALSE(host.said("Database converted OK"));
}

TEST_F(VersionsTest, EmptyLedgerIsInitialisedSilently) {
    use_template(34);
    restart_core();
    open_ledger();
    EXPECT_EQ(core().params.dbvn, 37);
    EXPECT_TRUE(host.questions().isEmpty());
    EXPECT_FALSE(host.said("Database converted OK"));
    EXPECT_EQ(sql_int("select pmint from param where pmid = 1"), 37);
    EXPECT_EQ(sql_int("select count(*) from param where pmid = 4"), 1);
    // the dropped columns are gone once the work is committed
    commit_work(core());
    EXPECT_FALSE(column_exists("account", "_bfd"));
    EXPECT_FALSE(column_exists("account", "_balto"));
    EXPECT_FALSE(column_exists("txn", "ACCID3"));
    EXPECT_FALSE(column_exists("rptr", "ACCID3"));
}

TEST_F(VersionsTest, Version33AsksThreeTimesAndConvertsBytes) {
    make_version(33);
    // a Latin-1 note, a plain one, and a 40-character Latin-1 narrative that grows past 40 bytes
    sql("insert into account (id, name, note) values (1, 'a', x'436166E9')");
    sql("insert into account (id, name, note) values (2, 'b', 'plain')");
    QByteArray narrative = QByteArray(38, 'n') + QByteArray("\xE9\xE9");  // 40 bytes in Latin-1
    sql(QStringLiteral("insert into txn (id, narrative) values (1, x'%1')").arg(QString::fromLatin1(narrative.toHex())));
    sql("insert into pstg (txnid, objid) values (1, 1)");
    finish_setup();

    host.answer_yes(3);
    open_ledger();
    const QStringList q = host.questions();
    ASSERT_EQ(q.size(), 3);
    EXPECT_EQ(q[0], QStringLiteral("Database conversion to version 35\r(transition to Linux: ASCII to UTF-8 ch "
                                   "encoding)\rPrior backup advisable - OK to continue ?"));
    EXPECT_EQ(q[1], QStringLiteral("Database conversion to version 36\r(move db name from INI file to PARAM "
                                   "table)\rPrior backup advisable - OK to continue ?"));
    EXPECT_EQ(q[2], QStringLiteral("Database conversion to version 37\r(remove columns \"_bfd\" and \"_balto\" "
                                   "from ACCOUNT, and \"accid3\" from TXN/RPTR)\rPrior backup advisable - OK to continue ?"));
    EXPECT_TRUE(host.said("Database converted OK"));
    EXPECT_EQ(core().params.dbvn, 37);

    EXPECT_EQ(bytes_of("select cast(note as blob sub_type 0) from account where id = 1"),
              QByteArray("Caf\xC3\xA9"));
    EXPECT_EQ(bytes_of("select cast(note as blob sub_type 0) from account where id = 2"),
              QByteArray("plain"));
    // 38 + 2x2 bytes = 42: cut to 40 bytes at a whole character (38 + one é)
    EXPECT_EQ(bytes_of("select cast(narrative as blob sub_type 0) from txn where id = 1"),
              QByteArray(38, 'n') + QByteArray("\xC3\xA9"));
    // the conversion was committed
    restart_core();
    open_ledger();
    EXPECT_EQ(host.questions().size(), 3);
}

TEST_F(VersionsTest, DecliningAConversionStopsTheProgram) {
    make_version(33);
    finish_setup();
    host.answer_no();
    EXPECT_FALSE(open_database(core()));
    EXPECT_EQ(host.stop_requests, 1);
    EXPECT_EQ(host.last_stop, qwel::StopKind::Orderly);
    EXPECT_TRUE(core().terminating);
    EXPECT_EQ(sql_int("select pmint from param where pmid = 1"), 33);
}

TEST_F(VersionsTest, OldDatabaseNameFromTheIniGoesIntoParam) {
    make_version(35);
    finish_setup();
    QFile ini(folder + "data/mintordb.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[main]\nDatabaseName=Family's books\n");
    ini.close();
    host.answer_yes(2);
    open_ledger();
    EXPECT_EQ(core().params.name, QStringLiteral("Family's books"));
    QSqlQuery q = open_query(core(), "select pmstr from param where pmid = 4");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Family's books"));
}

struct RefusedVersion {
    int dbvn;
    const char* message;
    bool process_ends;
};

class RefusedVersionTest : public VersionsTest, public ::testing::WithParamInterface<RefusedVersion> {};

TEST_P(RefusedVersionTest, IsRefusedWithItsMessage) {
    const auto& c = GetParam();
    make_version(c.dbvn);
    finish_setup();
    EXPECT_FALSE(open_database(core()));
    EXPECT_TRUE(host.said(QString::fromUtf8(c.message))) << host.messages().join(" | ").toStdString();
    if (c.process_ends) {
        EXPECT_EQ(host.last_stop, qwel::StopKind::Immediate);
        EXPECT_NE(host.last_exit_code, 0);
    } else {
        EXPECT_EQ(host.stop_requests, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, RefusedVersionTest,
                         ::testing::Values(RefusedVersion{38, "DB vn = 38; this old version of Mintor expects max 37", false},
                                           RefusedVersion{32, "dbvn 32 invalid", true},
                                           RefusedVersion{0, "dbvn not found on PARAMS table", true}));

TEST_F(VersionsTest, MissingVersionRowEndsTheProcess) {
    make_version(37);
    sql("delete from param where pmid = 1");
    finish_setup();
    EXPECT_FALSE(open_database(core()));
    EXPECT_TRUE(host.said("dbvn not found on PARAMS table"));
    EXPECT_EQ(host.last_stop, qwel::StopKind::Immediate);
    EXPECT_NE(host.last_exit_code, 0);
}

TEST_F(VersionsTest, FailedConversionLeavesNothingHalfDone) {
    make_version(33);
    sql("insert into account (id, name, note) values (1, 'a', x'436166E9')");
    // a name row already there makes the step to 36 fail after the step to 35 has run
    sql("insert into param (pmid, pmstr, pmint) values (4, 'x', 0)");
    finish_setup();
    host.answer_yes(2);
    EXPECT_FALSE(open_database(core()));
    EXPECT_TRUE(host.said_containing("EDatabaseError"));
    commit_work(core());
    EXPECT_EQ(sql_int("select pmint from param where pmid = 1"), 33);
    EXPECT_EQ(bytes_of("select cast(note as blob sub_type 0) from account where id = 1"),
              QByteArray("Caf\xE9"));
}

}  // namespace
