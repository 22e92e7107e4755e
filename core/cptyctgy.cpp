#include "core/cptyctgy.h"

#include <QSqlQuery>

#include "core/sql.h"
#include "core/sqlvalues.h"
#include "qwellib/text.h"

namespace mintor {

void link_cpty_ctgy(Core& core, const TTxn& txn) {
    QString purchsale;
    if (txn.type == QLatin1Char('P')) purchsale = QStringLiteral("P");
    else if (txn.type == QLatin1Char('R')) purchsale = QStringLiteral("S");
    else return;
    const QString cpty = QString::number(txn.accid2), ctgy = QString::number(txn.accid4);
    const QString ps = sql_text(purchsale);
    QSqlQuery q = open_query(core, QStringLiteral("select * from cptyctgy where cptyid=") + cpty +
                                       QStringLiteral(" and ctgyid=") + ctgy + QStringLiteral(" and purchsale=") + ps);
    if (q.next()) return;
    exec_sql(core, QStringLiteral("insert into cptyctgy (cptyid, ctgyid, purchsale) values (") + cpty +
                       QStringLiteral(", ") + ctgy + QStringLiteral(", ") + ps + QStringLiteral(")"));
}

}  // namespace mintor
