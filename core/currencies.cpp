#include "core/currencies.h"

#include <QSqlQuery>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/dbstatus.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

void update_row(Core& core, const QString& code, const QString& name) {
    exec_sql(core, QStringLiteral("update ccy set \"NAME\"=") + sql_text(name) + QStringLiteral(", base=") +
                       (code == core.run.base_ccy ? QStringLiteral("1") : QStringLiteral("0")) +
                       QStringLiteral(" where id=") + sql_text(code));
}

void insert_default_pot(Core& core) {
    Tacc pot;
    pot.type2 = kTypePot;
    init_acc(core, pot);
    pot.name = QStringLiteral("Default pot");
    pot.fav = false;
    if (insert_acc(core, pot)) core.settings.default_pot_id = pot.id;
}

}  // namespace

bool read_ccy(Core& core, const QString& code, QString& name) {
    QSqlQuery q = open_query(core, QStringLiteral("select * from ccy where ccy.id=") + sql_text(code));
    if (!q.next()) return false;
    name = field_str(q, QStringLiteral("NAME"));
    return true;
}

bool insert_ccy(Core& core, const QString& code_in, const QString& name) {
    const QString code = code_in.toUpper();
    if (code.size() != 3) return false;
    const QString base_before = core.run.base_ccy, bals_before = core.run.bals_ccy;
    const int pot_before = core.settings.default_pot_id;
    if (core.run.base_ccy.isEmpty()) {
        core.run.base_ccy = code;
        core.run.bals_ccy = code;
    }
    const bool ok = run_undoable(core, [&] {
        exec_sql(core, QStringLiteral("insert into ccy (id) values (") + sql_text(code) + QStringLiteral(")"));
        update_row(core, code, name);
        if (code == core.run.base_ccy) insert_default_pot(core);
    });
    if (!ok) {
        core.run.base_ccy = base_before;
        core.run.bals_ccy = bals_before;
        core.settings.default_pot_id = pot_before;
    }
    return ok;
}

bool update_ccy(Core& core, const QString& code_in, const QString& name) {
    const QString code = code_in.toUpper();
    return run_undoable(core, [&] { update_row(core, code, name); });
}

bool delete_ccy(Core& core, const QString& code) {
    if (!ask_yes(QStringLiteral("OK to delete currency ") + code + QStringLiteral(" ?"))) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select o.id from account o where o.ccy = ") + sql_text(code));
    if (q.next()) {
        show_msg(QStringLiteral("Cannot delete currency ") + code + QStringLiteral(" - account(s) exist for it"));
        return false;
    }
    if (!run_undoable(core, [&] {
            exec_sql(core, QStringLiteral("delete from ccy where ccy.id = ") + sql_text(code));
        }))
        return false;
    check_base_ccy(core);
    return true;
}

bool require_base_ccy(const Core& core) {
    if (!core.run.base_ccy.isEmpty()) return true;
    show_msg(QStringLiteral("Use main menu option \"Currencies\" to enter base-currency (with rate = 1.0000)"));
    return false;
}

}  // namespace mintor
