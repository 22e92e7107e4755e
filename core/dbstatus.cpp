#include "core/dbstatus.h"

#include <QSqlQuery>

#include "core/params.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

void show_db_status(Core& core) {
    const Date start = core.params.start_date;
    const Date end = core.params.end_date;
    if (date_to_int(start) == 0) {
        core.view.dbstartlbl1 = QStringLiteral("0000-00-00");
        core.view.dbstartlbl2 = QStringLiteral("No earlier archives");
    } else {
        core.view.dbstartlbl1 = format_date(start);
        core.view.dbstartlbl2 = QStringLiteral("Earlier records (ie to ") + format_date(prev_day(start)) +
                                QStringLiteral(") have been archived") + QStringLiteral("\r") +
                                QStringLiteral("(or are outside Mintor)");
    }
    if (date_to_int(end) == 0) {
        core.view.dbendlbl1 = QStringLiteral("0000-00-00");
        core.view.dbendlbl2 = QStringLiteral("This database is current");
        core.view_changed();
    } else {
        core.view.dbendlbl1 = format_date(end);
        core.view.dbendlbl2 = QStringLiteral("This database is an archive");
        core.view_changed();
        show_msg(QStringLiteral("This database is an archive") + QStringLiteral(", you must not make changes to it"));
        if (!core.settings.db_frozen) {
            show_msg(QStringLiteral("freezing"));
            core.settings.db_frozen = true;
        }
    }
}

bool chk_frozen(Core& core, const QString& action) {
    if (!core.settings.db_frozen) return false;
    show_msg(QStringLiteral("Cannot ") + action + QStringLiteral(", database is frozen"));
    return true;
}

bool set_db_frozen(Core& core, bool checked) {
    if (!checked && core.settings.db_frozen && date_to_int(core.params.end_date) > 0) {
        if (!ask_really_sure(QStringLiteral("Allow changes to this archived database"))) return core.settings.db_frozen;
    }
    core.settings.db_frozen = checked;
    return checked;
}

namespace {
bool edit_db_date(Core& core, const QString& title, Date& date) {
    Date d = date;
    if (!ask_date(title, d)) return false;
    Date old_start = core.params.start_date, old_end = core.params.end_date;
    date = d;
    bool ok = run_undoable(core, [&] { write_db_dates(core); });
    if (!ok) {
        core.params.start_date = old_start;
        core.params.end_date = old_end;
        return false;
    }
    commit_work(core);
    show_db_status(core);
    return true;
}
}  // namespace

bool edit_db_start_date(Core& core) {
    return edit_db_date(core, QStringLiteral("Enter database start date ..."), core.params.start_date);
}

bool edit_db_end_date(Core& core) {
    return edit_db_date(core, QStringLiteral("Enter database end date ..."), core.params.end_date);
}

bool check_base_ccy(Core& core) {
    QSqlQuery q = open_query(core, QStringLiteral("select c.id, c.base  from ccy c"));
    bool any = false;
    while (q.next()) {
        any = true;
        if (q.value(1).toInt() != 1) continue;
        QString id = q.value(0).toString().left(3);
        if (core.run.base_ccy.isEmpty()) {
            core.run.base_ccy = id;
            core.run.bals_ccy = id;
        } else if (core.run.base_ccy != id) {
            program_error(QStringLiteral(">1 base ccy"));
            return false;
        }
    }
    if (!any) {
        show_msg(QStringLiteral("Use main menu \"Currencies\" to enter a Base Currency"));
        return false;
    }
    if (core.run.base_ccy.isEmpty()) {
        program_error(QStringLiteral("Currency list does not include a Base Currency"));
        return false;
    }
    return true;
}

}  // namespace mintor
