#pragma once
// Each database test works on its own fresh ledger: a copy of a template file made once per
// run, in a folder of its own that also serves as the program folder.

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "core/core.h"
#include "support/scripted_host.h"

namespace testing_support {

QString fb_password();
// Copies the version-34 (empty, uninitialised) or version-37 template to dest.
void copy_template(int version, const QString& dest);

class LedgerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The core over ledger_path (not yet opened), credentials set as from the program ini.
    mintor::Core& core() { return *core_; }
    // Opens core() on ledger_path through open_database; asserts success.
    void open_ledger();
    // Copies the template of the given version to ledger_path (done by SetUp for version 37).
    void use_template(int version);
    // A new core over the same folder (after close): the program started again.
    void restart_core();
    // Runs SQL directly (test set-up and checks).
    void sql(const QString& statement);
    qint64 sql_int(const QString& query);

    QString folder;       // program folder, ends with "/"
    QString ledger_path;  // folder + "data/mintor.fdb"
    ScriptedHost host;

private:
    QTemporaryDir dir_;
    std::unique_ptr<mintor::Core> core_;
};

}  // namespace testing_support
