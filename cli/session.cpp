#include "cli/session.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcessEnvironment>

#include "core/connection.h"
#include "qwellib/inifile.h"
#include "qwellib/text.h"

#include <cstdio>
#include <unistd.h>

namespace mintor_cli {

QString Options::value(const QString& name) const {
    for (int i = 0; i + 1 < named.size(); i += 2)
        if (named[i] == name) return named[i + 1];
    return QString();
}

bool Options::flag(const QString& name) const {
    for (int i = 0; i < named.size(); i += 2)
        if (named[i] == name) return true;
    return false;
}

Options parse_options(const QStringList& argv, QString& error) {
    static const QStringList with_value = {QStringLiteral("user"), QStringLiteral("password"), QStringLiteral("from"),
                                           QStringLiteral("to"), QStringLiteral("type")};
    Options o;
    for (int i = 0; i < argv.size(); ++i) {
        const QString& a = argv[i];
        if (!a.startsWith(QLatin1String("--"))) {
            o.args << a;
            continue;
        }
        QString name = a.mid(2), val;
        int eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            val = name.mid(eq + 1);
            name = name.left(eq);
        } else if (with_value.contains(name)) {
            if (i + 1 >= argv.size()) {
                error = QStringLiteral("--") + name + QStringLiteral(" needs a value");
                return o;
            }
            val = argv[++i];
        }
        o.named << name << val;
    }
    o.yes = o.flag(QStringLiteral("yes"));
    o.user = o.value(QStringLiteral("user"));
    o.password = o.value(QStringLiteral("password"));
    return o;
}

Session open_session(const Options& opts, const QString& path) {
    Session s;
    s.host = std::make_unique<ConsoleHost>(opts.yes);
    qwel::install_dialog_host(s.host.get());
    s.core = std::make_unique<mintor::Core>();
    mintor::Core& core = *s.core;

    // Credentials: options, then the environment, then the program ini; else the core asks.
    auto env = QProcessEnvironment::systemEnvironment();
    qwel::IniFile ini(core.program_folder + QStringLiteral("mintor.ini"));
    ini.load();
    auto pick = [&](const QString& opt, const char* var, const char* key) {
        if (!opt.isEmpty()) return opt;
        QString v = env.value(QString::fromLatin1(var));
        if (!v.isEmpty()) return v;
        return ini.read_string(QStringLiteral("main"), QString::fromLatin1(key), QString());
    };
    core.program.fb_username = pick(opts.user, "MINTOR_FB_USER", "FBUSERNAME");
    if (core.program.fb_username.isEmpty()) core.program.fb_username = QStringLiteral("SYSDBA");
    core.program.fb_password = pick(opts.password, "MINTOR_FB_PASSWORD", "FBPASSWORD");

    if (core.program.fb_password.isEmpty() && !isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "no Firebird password: use --password, MINTOR_FB_PASSWORD or FBPASSWORD in %s\n",
                     qUtf8Printable(ini.path()));
        s.exit_code = 2;
        s.core.reset();
        return s;
    }
    QFileInfo fi(path);
    if (!fi.exists()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qwel::dquote(fi.absoluteFilePath()) + QStringLiteral(" not found")));
        s.exit_code = 2;
        s.core.reset();
        return s;
    }
    core.database_path = fi.absoluteFilePath();
    if (!mintor::open_database(core)) {
        s.exit_code = s.host->exit_code() ? s.host->exit_code() : 1;
        if (mintor::database_open(core)) mintor::close_database(core);
        s.core.reset();
        return s;
    }
    if (s.host->stopped()) {
        s.exit_code = s.host->exit_code();
        mintor::close_database(core);
        s.core.reset();
    }
    return s;
}

void close_session(Session& s) {
    if (s.core) {
        mintor::close_database(*s.core);
        s.core.reset();
    }
    qwel::install_dialog_host(nullptr);
}

}  // namespace mintor_cli
