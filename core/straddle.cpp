#include "core/straddle.h"

#include "core/sql.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

int find_straddle(Core& core, Date date, StraddleSide side) {
    const QString x = QString::number(date_to_int(date));
    QString sql = QStringLiteral("select t.id from txn t\n");
    if (side == StraddleSide::Prior)
        sql += QStringLiteral("where ( (t.txndate <") + x + QStringLiteral(" and t.date2 >= ") + x +
               QStringLiteral(")") + QStringLiteral("or      (t.txndate >= ") + x + QStringLiteral(" and t.date2 < ") +
               x + QStringLiteral(" and t.date2>0 ) )\n");
    else
        sql += QStringLiteral("where ( (t.txndate <=") + x + QStringLiteral(" and t.date2 > ") + x +
               QStringLiteral(")") + QStringLiteral("or      (t.txndate > ") + x + QStringLiteral(" and t.date2 <= ") +
               x + QStringLiteral(" and t.date2>0 ) )\n");
    sql += QStringLiteral("and (t.cancelled=0)");
    return int(query_int64(core, sql, 0));
}

bool chk_straddle(Core& core, Date date, StraddleSide side) {
    int id = find_straddle(core, date, side);
    if (id == 0) return true;
    if (core.show_txn_details) core.show_txn_details(core, id);
    show_msg(QStringLiteral("Transaction #") + QString::number(id) + QStringLiteral(" (displayed) straddles ") +
             format_date(date) + QStringLiteral(" and a ") +
             (side == StraddleSide::Prior ? QStringLiteral("prior") : QStringLiteral("later")) +
             QStringLiteral(" date") + QStringLiteral("\r") + QStringLiteral("(use Edit|Unstraddle to resolve this)"));
    return false;
}

}  // namespace mintor
