#include "core/connection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>

#include "core/accounts.h"
#include "core/config.h"
#include "core/dbstatus.h"
#include "core/ids.h"
#include "core/params.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "core/versions.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

constexpr unsigned kColourLightGreen = 0x80FF80;

bool database_open(const Core& core) { return core.db().isOpen(); }

bool open_at_start(Core& core) {
    set_flash_colour(kColourLightGreen);
    flash_status(QStringLiteral("Opening database ..."));
    if (core.database_path.isEmpty()) {
        flash_status(QString());
        show_msg(QStringLiteral("No database found"));
        core.terminating = true;
        stop_application(StopKind::Orderly, 1);
        return false;
    }
    if (!open_database(core)) return false;
    if (!core.initialising && date_to_int(today()) != core.settings.gen_to) set_rebalance_needed(core, true);
    return true;
}

bool get_fb_credentials(Core& core) {
    if (core.program.fb_username.isEmpty()) {
        QString user = QStringLiteral("SYSDBA");
        if (!ask_text(QStringLiteral("Firebird username"), user)) return false;
        core.program.fb_username = user;
    }
    if (core.program.fb_password.isEmpty()) {
        QString pw = QStringLiteral("vdq3hy8kp");
        if (!ask_text(QStringLiteral("Firebird password"), pw)) return false;
        core.program.fb_password = pw;
    }
    return true;
}

bool open_database(Core& core) {
    core.initialising = false;
    core.converted = false;
    flash_status(QStringLiteral("Reading ini file ..."));
    QFileInfo dbfile(core.database_path);
    QString folder = dbfile.absolutePath() + QLatin1Char('/');
    core.db_ini_path = folder + QStringLiteral("mintordb.ini");
    if (!QFileInfo::exists(core.db_ini_path) && QFileInfo::exists(folder + QStringLiteral("MINTORDB.INI")))
        core.db_ini_path = folder + QStringLiteral("MINTORDB.INI");
    read_db_ini(core);

    flash_status(QStringLiteral("Opening database ..."));
    process_events();
    QSqlDatabase d = core.db();
    if (d.isOpen()) {
        // the driver refuses a new transaction after closing with one still open
        if (core.transaction_open) d.commit();
        core.transaction_open = false;
        core.store.close_queries();
        d.close();
    }
    d.setDatabaseName(QStringLiteral("localhost:") + dbfile.absoluteFilePath());

    if (!get_fb_credentials(core)) {
        flash_status(QString());
        core.db_ini_path.clear();
        return false;
    }
    d.setUserName(core.program.fb_username);
    d.setPassword(core.program.fb_password);

    if (!d.open()) {
        QSqlError e = d.lastError();
        flash_status(QString());
        QString msg = e.databaseText().isEmpty() ? e.text() : e.databaseText();
        show_msg(QStringLiteral("EDatabaseError") + QStringLiteral("\r\n") + msg);
        show_msg(QStringLiteral("database open failed - mintor will terminate safely"));
        show_msg(QStringLiteral("Mintor requires data filename mintor.fdb to be lowercase"));
        core.terminating = true;
        stop_application(StopKind::Orderly, 1);
        core.db_ini_path.clear();
        return false;
    }

    core.current_path = core.database_path;
    int slot = find_recent(core, core.current_path);
    if (slot < 0) slot = add_recent(core, core.current_path);
    core.program.which_db = slot;
    core.view.dblbl = core.current_path;
    core.view_changed();

    try {
        if (!read_params(core)) {
            flash_status(QString());
            show_msg(QStringLiteral("dbvn not found on PARAMS table"));
            core.terminating = true;
            stop_application(StopKind::Immediate, 1);
            return false;
        }
        if (core.params.dbvn <= 32) {
            flash_status(QString());
            show_msg(QStringLiteral("dbvn ") + QString::number(core.params.dbvn) + QStringLiteral(" invalid"));
            core.terminating = true;
            stop_application(StopKind::Immediate, 1);
            return false;
        }
        if (!upgrade_database(core)) {
            flash_status(QString());
            return false;
        }
        next_txn_id(core);
        check_base_ccy(core);
        read_open_records(core);
        for (const auto& hook : core.after_open) hook(core);
    } catch (const DbError& e) {
        flash_status(QString());
        show_msg(e.report());
        return false;
    }
    calc_dormant_date(core);
    show_db_status(core);
    flash_status(QString());
    return true;
}

void close_database(Core& core) {
    save_db_ini(core);
    QSqlDatabase d = core.db();
    if (d.isOpen() && transaction_active(core)) {
        try {
            commit_retaining(core);
        } catch (const DbError& e) {
            show_msg(e.report());
        }
    }
    flash_status(QStringLiteral("Closing database"));
    core.store.close_queries();
    if (d.isOpen()) d.close();
    core.transaction_open = false;
    core.view.dblbl.clear();
    // a ledger with another base currency may be opened next
    core.run.base_ccy.clear();
    core.current_path.clear();
    if (core.on_database_closed) core.on_database_closed();
    core.view_changed();
    process_events();
    flash_status(QString());
}

bool switch_database(Core& core) {
    close_database(core);
    bool ok = open_database(core);
    if (!ok) {
        core.terminating = true;
        stop_application(StopKind::Orderly, 1);
    }
    show_rebal_state(core);
    return ok;
}

}  // namespace mintor
