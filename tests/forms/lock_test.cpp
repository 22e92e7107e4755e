// The single-instance lock: LOCK.TXT re-created with its two lines, a second copy refused
// (another process, or a second open in this one), and the lock free again once released.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "forms/lock.h"
#include "support/scripted_host.h"

using namespace mintor::forms;

namespace {
struct Probe {
    int exit_code;
    QString out;
};

// A second copy of the program trying the lock in folder.
Probe probe(const QString& folder) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--lock-probe"), folder});
    EXPECT_TRUE(p.waitForFinished(20000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
}
}  // namespace

TEST(InstanceLock, CreatesLockFileAndRefusesASecondCopyUntilReleased) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    const QString path = folder + QStringLiteral("LOCK.TXT");
    testing_support::ScriptedHost host;

    ASSERT_FALSE(QFile::exists(path));
    ASSERT_FALSE(instance_already_running(folder, QStringLiteral("mintor")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              QByteArray("This file LOCK.TXT is used to prevent multiple instances of program \"mintor\" running on "
                         "your PC.\r\nIf the file is absent it will be created automatically."));
    f.close();

    const Probe second = probe(folder);
    EXPECT_EQ(second.exit_code, 1);
    EXPECT_EQ(second.out, QStringLiteral("Program \"mintor\" is already running"));

    // a second open in this same process is refused too
    EXPECT_TRUE(instance_already_running(folder, QStringLiteral("mintor")));
    EXPECT_TRUE(host.said(QStringLiteral("Program \"mintor\" is already running")));

    release_instance_lock();
    EXPECT_EQ(probe(folder).exit_code, 0);
    EXPECT_FALSE(instance_already_running(folder, QStringLiteral("mintor")));
    release_instance_lock();
}

TEST(InstanceLock, DeletedLockFileIsMadeAgainByTheNextStart) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    QFile::remove(folder + QStringLiteral("LOCK.TXT"));
    EXPECT_EQ(probe(folder).exit_code, 0);
    QFile f(folder + QStringLiteral("LOCK.TXT"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), lock_file_text(QStringLiteral("mintor")));
}
