#include "core/ledgerfile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mintor {

bool create_ledger_file(const QString& schema_folder, const QString& path, const QString& password,
                        QString& error) {
    QString script = schema_folder;
    if (!script.endsWith(QLatin1Char('/'))) script += QLatin1Char('/');
    script += QStringLiteral("create-ledger");
    if (!QFileInfo::exists(script)) {
        error = QStringLiteral("Empty-ledger script not found: ") + script;
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!password.isEmpty()) env.insert(QStringLiteral("MINTOR_FB_PASSWORD"), password);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {script, QFileInfo(path).absoluteFilePath()});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        if (error.isEmpty()) error = QStringLiteral("create-ledger failed");
        return false;
    }
    return true;
}

bool make_server_accessible(const QString& path) {
    QByteArray p = QFile::encodeName(path);
    if (geteuid() == 0) {
        if (const passwd* pw = getpwnam("firebird")) {
            if (chown(p.constData(), pw->pw_uid, pw->pw_gid) != 0) return false;
            return chmod(p.constData(), 0660) == 0;
        }
    }
    return chmod(p.constData(), 0666) == 0;
}

}  // namespace mintor
