// mintor-cli: the ledger core from the command line.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "cli/commands.h"
#include "cli/session.h"
#include "core/ledgerfile.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/inifile.h"
#include "qwellib/text.h"

using namespace mintor_cli;

namespace {

const char* kUsage =
    "usage: mintor-cli COMMAND ...\n"
    "  create-db PATH [NAME]   create an empty ledger (initialised when first opened)\n"
    "  info PATH [--yes]       open the ledger as the program does and show its state\n"
    "  upgrade PATH --yes      bring the ledger to the current version\n"
    "  rebalance PATH [--from yyyy-mm-dd] [--to yyyy-mm-dd] [--yes]\n"
    "                          rebuild the period figures and show the time of each step\n"
    "  balances PATH [--type 1|4|6] [--values] [--csv]\n"
    "                          the period figures: b/fd, payments, receipts, transfers, c/fd\n"
    "options: --user NAME --password PW (else MINTOR_FB_USER / MINTOR_FB_PASSWORD, else mintor.ini)\n";

void out(const QString& s) { std::printf("%s\n", qUtf8Printable(s)); }

int create_db(const Options& o) {
    if (o.args.isEmpty() || o.args.size() > 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString path = QFileInfo(o.args[0]).absoluteFilePath();
    QString error;
    QString schema = QCoreApplication::applicationDirPath() + QStringLiteral("/schema");
    if (!mintor::create_ledger_file(schema, path, o.password, error)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
        return 1;
    }
    if (o.args.size() == 2) {
        // the name is taken into the ledger when it is first opened
        qwel::IniFile ini(QFileInfo(path).absolutePath() + QStringLiteral("/mintordb.ini"));
        ini.load();
        ini.write_string(QStringLiteral("main"), QStringLiteral("DatabaseName"), o.args[1]);
        if (!ini.save()) {
            std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(ini.path()));
            return 1;
        }
    }
    out(QStringLiteral("created ") + path);
    return 0;
}

int info(const Options& o, bool upgrade_only) {
    if (o.args.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Session s = open_session(o, o.args[0]);
    if (!s.core) return s.exit_code;
    mintor::Core& core = *s.core;
    int rc = 0;
    try {
        mintor::commit_work(core);
        out(QStringLiteral("version: ") + QString::number(core.params.dbvn));
        if (!upgrade_only) {
            auto count = [&](const char* table) {
                return QString::number(
                    mintor::query_int64(core, QStringLiteral("select count(*) from ") + QString::fromLatin1(table)));
            };
            out(QStringLiteral("name: ") + core.params.name);
            out(QStringLiteral("start date: ") + core.view.dbstartlbl1);
            out(QStringLiteral("end date: ") + core.view.dbendlbl1);
            out(QStringLiteral("base currency: ") + core.run.base_ccy);
            out(QStringLiteral("accounts: ") + count("account"));
            out(QStringLiteral("transactions: ") + count("txn"));
            out(QStringLiteral("postings: ") + count("pstg"));
        }
    } catch (const mintor::DbError& e) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.report()));
        rc = 1;
    }
    close_session(s);
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList argv_list = app.arguments().mid(1);
    if (argv_list.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString cmd = argv_list.takeFirst();
    QString error;
    Options o = parse_options(argv_list, error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
        return 2;
    }
    if (cmd == QLatin1String("create-db")) return create_db(o);
    if (cmd == QLatin1String("info")) return info(o, false);
    if (cmd == QLatin1String("rebalance")) return cmd_rebalance(o);
    if (cmd == QLatin1String("balances")) return cmd_balances(o);
    if (cmd == QLatin1String("upgrade")) {
        if (!o.yes) {
            std::fputs("upgrade needs --yes (the conversion asks before it changes the ledger)\n", stderr);
            return 2;
        }
        return info(o, true);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
