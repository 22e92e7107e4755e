// mintor-bench-gen: fills a freshly created ledger with the benchmark's synthetic ledger.
//   mintor-bench-gen LEDGER_PATH --txns N [--seed S] [--journal FILE] [--quiet]
// The ledger is opened through the core as the program opens it (user MINTOR_FB_USER or
// SYSDBA, password MINTOR_FB_PASSWORD). MINTOR_BENCH_SQL=1 prints every statement it runs on
// standard error.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStringList>

#include <cstdio>

#include "bench/generator.h"
#include "core/connection.h"
#include "core/core.h"
#include "core/sql.h"
#include "qwellib/dialogs.h"

namespace {

const char* kUsage = "usage: mintor-bench-gen LEDGER_PATH --txns N [--seed S] [--journal FILE] [--quiet]\n";

// Keeps the core's messages until it is known whether the open failed; answers every
// question no.
class QuietHost : public qwel::DialogHost {
public:
    QStringList messages;
    void message(const QString&, const QString& text) override { messages << text; }
    char ask_ync(const QString&, const QString& text) override {
        messages << text;
        return 'N';
    }
    bool ask_yes(const QString&, const QString& text) override {
        messages << text;
        return false;
    }
    int ask_choice(const QString& prompt, const QString&, const QString&) override {
        messages << prompt;
        return 0;
    }
    bool ask_text(const QString&, const QString&, QString&, int, qwel::InputKind) override { return false; }
    bool ask_date(const QString&, qwel::Date&) override { return false; }
    bool pick_folder(const QString&, QString&) override { return false; }
    void flash_show(const QString&, bool) override {}
    void flash_hide() override {}
    void flash_start_timer(int) override {}
    void flash_stop_timer() override {}
    void set_busy_cursor(bool) override {}
    void stop_application(qwel::StopKind, int) override {}
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString path;
    mintor_bench::GeneratorOptions opts;
    bool ok_args = true;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) {
                ok_args = false;
                return QString();
            }
            return args[++i];
        };
        bool ok = true;
        if (a == QLatin1String("--txns")) opts.txns = value().toLongLong(&ok);
        else if (a == QLatin1String("--seed")) opts.seed = value().toUInt(&ok);
        else if (a == QLatin1String("--journal")) opts.journal_path = value();
        else if (a == QLatin1String("--quiet")) opts.verbose = false;
        else if (!a.startsWith(QLatin1String("--")) && path.isEmpty()) path = a;
        else ok = false;
        if (!ok) ok_args = false;
    }
    if (!ok_args || path.isEmpty() || opts.txns < 1 || opts.txns > 100000000) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QFileInfo fi(path);
    if (!fi.exists()) {
        std::fprintf(stderr, "mintor-bench-gen: %s not found (create it with mintor-cli create-db)\n", qUtf8Printable(path));
        return 2;
    }
    const auto env = QProcessEnvironment::systemEnvironment();
    QuietHost host;
    qwel::install_dialog_host(&host);
    mintor::Core core;
    core.program.fb_username = env.value(QStringLiteral("MINTOR_FB_USER"), QStringLiteral("SYSDBA"));
    core.program.fb_password = env.value(QStringLiteral("MINTOR_FB_PASSWORD"));
    if (core.program.fb_password.isEmpty()) {
        std::fputs("mintor-bench-gen: set MINTOR_FB_PASSWORD\n", stderr);
        return 2;
    }
    core.database_path = fi.absoluteFilePath();
    auto open = [&]() {
        if (mintor::open_database(core)) return true;
        for (const QString& m : host.messages) std::fprintf(stderr, "%s\n", qUtf8Printable(m));
        if (mintor::database_open(core)) mintor::close_database(core);
        return false;
    };
    if (!open()) return 1;
    bool sync = false;
    try {
        sync = mintor_bench::forced_writes(core);
    } catch (const mintor::DbError& e) {
        std::fprintf(stderr, "mintor-bench-gen: %s\n", qUtf8Printable(e.message()));
        return 1;
    }
    if (sync) {
        // loaded with asynchronous writes; the ledger gets its synchronous writes back at the end
        mintor::close_database(core);
        sync = mintor_bench::set_forced_writes(core.database_path, core.program.fb_username, core.program.fb_password,
                                               false);
        if (!open()) return 1;
    }
    host.messages.clear();
    if (opts.verbose)
        std::printf("generating %lld transactions (seed %u) into %s\n", static_cast<long long>(opts.txns), opts.seed,
                    qUtf8Printable(core.database_path));
    bool ok = mintor_bench::generate_ledger(core, opts);
    if (ok && !opts.journal_path.isEmpty()) ok = mintor_bench::write_journal(core, opts.journal_path, opts);
    mintor::close_database(core);
    for (const QString& m : host.messages) std::fprintf(stderr, "%s\n", qUtf8Printable(m));
    qwel::install_dialog_host(nullptr);
    if (sync && !mintor_bench::set_forced_writes(core.database_path, core.program.fb_username, core.program.fb_password, true))
        ok = false;
    return ok ? 0 : 1;
}
