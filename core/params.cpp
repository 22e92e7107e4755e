#include "core/params.h"

#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

bool read_params(Core& core) {
    try {
        QSqlQuery q = open_query(core, QStringLiteral("select pmid, pmint, pmstr from param"));
        while (q.next()) {
            int pmint = field_int(q, QStringLiteral("pmint"));
            switch (field_int(q, QStringLiteral("pmid"))) {
            case kParamDbvn: core.params.dbvn = pmint; break;
            case kParamStartDate: core.params.start_date = int_to_date(pmint); break;
            case kParamEndDate: core.params.end_date = int_to_date(pmint); break;
            case kParamName:
                core.params.name = field_str(q, QStringLiteral("pmstr"));
                core.view.dbnamebx = core.params.name;
                break;
            case kParamLastAccId: core.params.lastaccid = pmint; break;
            default: break;
            }
        }
    } catch (const DbError&) {
        return false;
    }
    bool ini_won = false;
    if (core.settings.db_start_date_ini >= 0) {
        core.params.start_date = int_to_date(core.settings.db_start_date_ini);
        ini_won = true;
    }
    if (core.settings.db_end_date_ini >= 0) {
        core.params.end_date = int_to_date(core.settings.db_end_date_ini);
        ini_won = true;
    }
    if (ini_won) write_db_dates(core);
    core.view_changed();
    return core.params.dbvn > 0;
}

void write_param(Core& core, int pmid, const QString& name, int value) {
    exec_sql(core, QStringLiteral("update or insert into param (pmid, pmstr, pmint) values (") +
                       QString::number(pmid) + QStringLiteral(", ") + sql_quote(name) + QStringLiteral(", ") +
                       QString::number(value) + QStringLiteral(") matching (pmid)"));
}

void write_db_dates(Core& core) {
    write_param(core, kParamStartDate, QStringLiteral("dbstartdate"), date_to_int(core.params.start_date));
    write_param(core, kParamEndDate, QStringLiteral("dbenddate"), date_to_int(core.params.end_date));
}

void write_dbvn(Core& core, int n) {
    core.params.dbvn = n;
    write_param(core, kParamDbvn, QStringLiteral("dbvn"), n);
}

void write_db_name(Core& core, const QString& name) {
    core.params.name = name;
    core.view.dbnamebx = name;
    core.view_changed();
    exec_sql(core, QStringLiteral("update param set pmstr=") + sql_quote(name) + QStringLiteral(" where pmid = 4"));
    commit_work(core);
}

}  // namespace mintor
