// mintor-cli as a user runs it: create a ledger, open it, refuse what it cannot open.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "support/ledger_fixture.h"

namespace {

struct CliRun {
    int code;
    QString out, err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.setProgram(QStringLiteral(MINTOR_TEST_BIN_DIR) + "/mintor-cli");
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start();
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        chmod(QFile::encodeName(dir.path()).constData(), 0777);
        path = dir.path() + "/books/mintor.fdb";
        QDir().mkpath(dir.path() + "/books");
        chmod(QFile::encodeName(dir.path() + "/books").constData(), 0777);
        testing_support::fb_password();  // fails the test early when the password is missing
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(CliTest, CreateThenInfoReportsTheInitialisedLedger) {
    CliRun c = cli({"create-db", path, "Household"});
    ASSERT_EQ(c.code, 0) << c.err.toStdString();
    CliRun i = cli({"info", path});
    ASSERT_EQ(i.code, 0) << i.err.toStdString();
    EXPECT_TRUE(i.out.contains("version: 37\n")) << i.out.toStdString();
    EXPECT_TRUE(i.out.contains("name: Household\n")) << i.out.toStdString();
    EXPECT_TRUE(i.out.contains("accounts: 0\n"));
    EXPECT_TRUE(i.out.contains("postings: 0\n"));
    EXPECT_TRUE(i.err.contains("Use main menu \"Currencies\" to enter a Base Currency"));
    // a second create on the same path is refused
    EXPECT_NE(cli({"create-db", path}).code, 0);
}

TEST_F(CliTest, FailuresExitNonZeroWithTheCoresMessage) {
    CliRun missing = cli({"info", dir.path() + "/nothing.fdb"});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains("not found"));

    ASSERT_EQ(cli({"create-db", path}).code, 0);
    CliRun wrong = cli({"info", path, "--password", "not-the-password"});
    EXPECT_NE(wrong.code, 0);
    EXPECT_TRUE(wrong.err.contains("database open failed - mintor will terminate safely"));

    ASSERT_EQ(cli({"upgrade", path, "--yes"}).code, 0);
    {
        // a ledger from a newer program
        QProcess isql;
        isql.start("isql-fb", {"-q", "-user", "SYSDBA", "-password", testing_support::fb_password(),
                               "localhost:" + path});
        isql.write("update param set pmint = 38 where pmid = 1; commit;\n");
        isql.closeWriteChannel();
        ASSERT_TRUE(isql.waitForFinished(30000));
    }
    CliRun newer = cli({"info", path});
    EXPECT_NE(newer.code, 0);
    EXPECT_TRUE(newer.err.contains("DB vn = 38; this old version of Mintor expects max 37")) << newer.err.toStdString();
}

TEST_F(CliTest, OldLedgerNeedsYesToConvert) {
    ASSERT_EQ(cli({"create-db", path}).code, 0);
    QProcess isql;
    isql.start("isql-fb", {"-q", "-user", "SYSDBA", "-password", testing_support::fb_password(), "localhost:" + path});
    isql.write("update param set pmint = 33 where pmid = 1; commit;\n");
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(30000));

    CliRun declined = cli({"info", path});
    EXPECT_NE(declined.code, 0);
    CliRun upgraded = cli({"upgrade", path, "--yes"});
    EXPECT_EQ(upgraded.code, 0) << upgraded.err.toStdString();
    EXPECT_TRUE(upgraded.err.contains("Database converted OK"));
    EXPECT_TRUE(upgraded.out.contains("version: 37"));
}

}  // namespace
