#pragma once
// Options shared by mintor-cli's commands, and opening a ledger through the core exactly
// as the desktop program does.

#include <QString>
#include <QStringList>
#include <memory>

#include "cli/console_host.h"
#include "core/core.h"

namespace mintor_cli {

struct Options {
    QStringList args;   // positional arguments after the command
    bool yes = false;   // answer yes to the core's questions
    QString user, password;
    QString value(const QString& name) const;  // --name value
    QStringList named;  // "--name=value" or "--name value" pairs, flattened
    bool flag(const QString& name) const;
};

Options parse_options(const QStringList& argv, QString& error);

// A core over one ledger file, opened through open_database; null (after the messages) when
// the open failed. exit_code says why.
struct Session {
    std::unique_ptr<ConsoleHost> host;
    std::unique_ptr<mintor::Core> core;
    int exit_code = 0;
};
Session open_session(const Options& opts, const QString& path);
void close_session(Session& s);

}  // namespace mintor_cli
