#include "support/ledger_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include "core/connection.h"
#include "core/ledgerfile.h"
#include "core/sql.h"
#include "core/transactions.h"

#include <sys/stat.h>

namespace testing_support {

QString fb_password() {
    QString pw = QProcessEnvironment::systemEnvironment().value(QStringLiteral("MINTOR_FB_PASSWORD"));
    if (pw.isEmpty()) ADD_FAILURE() << "MINTOR_FB_PASSWORD is not set (run the tests through scripts/test)";
    return pw;
}

void copy_template(int version, const QString& dest) {
    QString src = QStringLiteral(MINTOR_TEST_WORK_DIR) + QStringLiteral("/template%1.fdb").arg(version);
    ASSERT_TRUE(QFile::exists(src)) << "template ledger missing: " << src.toStdString();
    QFile::remove(dest);
    ASSERT_TRUE(QFile::copy(src, dest)) << dest.toStdString();
    ASSERT_TRUE(mintor::make_server_accessible(dest));
}

void LedgerTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    folder = dir_.path() + QStringLiteral("/");
    // the database server runs as its own user: it must reach the folder
    chmod(QFile::encodeName(dir_.path()).constData(), 0777);
    QDir(folder).mkpath(QStringLiteral("data"));
    chmod(QFile::encodeName(folder + QStringLiteral("data")).constData(), 0777);
    ledger_path = folder + QStringLiteral("data/mintor.fdb");
    // an empty ledger ini, so that tests see only the messages of what they do
    QFile ini(folder + QStringLiteral("data/mintordb.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[main]\n");
    ini.close();
    use_template(37);
    restart_core();
}

void LedgerTest::TearDown() {
    if (core_ && mintor::database_open(*core_)) {
        core_->db_ini_path.clear();  // tests that want the ini saved close the ledger themselves
        mintor::close_database(*core_);
    }
    core_.reset();
}

void LedgerTest::use_template(int version) { copy_template(version, ledger_path); }

void LedgerTest::restart_core() {
    core_.reset();
    core_ = std::make_unique<mintor::Core>(folder);
    core_->program.fb_username = QStringLiteral("SYSDBA");
    core_->program.fb_password = fb_password();
    core_->database_path = ledger_path;
}

void LedgerTest::open_ledger() {
    ASSERT_TRUE(mintor::open_database(*core_)) << host.messages().join(QStringLiteral(" | ")).toStdString();
}

void LedgerTest::sql(const QString& statement) {
    try {
        mintor::exec_sql(*core_, statement);
    } catch (const mintor::DbError& e) {
        FAIL() << statement.toStdString() << ": " << e.message().toStdString();
    }
}

qint64 LedgerTest::sql_int(const QString& query) {
    try {
        return mintor::query_int64(*core_, query);
    } catch (const mintor::DbError& e) {
        ADD_FAILURE() << query.toStdString() << ": " << e.message().toStdString();
        return -1;
    }
}

}  // namespace testing_support
