#include "core/templates.h"

#include <QSqlQuery>

#include "core/dbstatus.h"
#include "core/records.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/txnrows.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

bool make_template(Core& core, int txnid) {
    if (chk_frozen(core, QStringLiteral("make template"))) return false;
    TTxn t;
    if (!read_txn_or_report(core, txnid, t)) return false;
    const QString id = QString::number(txnid);
    QSqlQuery q = open_query(core, QStringLiteral("select ttname from ttemplate where txnid=") + id);
    if (q.next()) {
        show_msg(QStringLiteral("This transaction is already in a template : ") + dquote(field_str(q, QStringLiteral("ttname"))));
        return false;
    }
    q = QSqlQuery();
    if (!ask_yes(QStringLiteral("Make template from transaction #") + id + QStringLiteral(" ?"))) return false;
    QString name;
    if (!ask_text(QStringLiteral("Template name"), name)) return false;
    name = name.trimmed();
    if (!run_undoable(core, [&] {
            exec_sql(core, QStringLiteral("insert into ttemplate (txnid, ttname) values (") + id + QStringLiteral(", ") +
                               sql_text(name) + QStringLiteral(")"));
        }))
        return false;
    flash_notice(QStringLiteral("Template created ok"));
    return true;
}

}  // namespace mintor
