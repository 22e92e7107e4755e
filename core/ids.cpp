#include "core/ids.h"

#include "core/sql.h"
#include "qwellib/dialogs.h"

namespace mintor {

int next_txn_id(Core& core) {
    qint64 maxid1 = query_int64(core, QStringLiteral("select max(t.id) as maxid1 from txn t"));
    qint64 maxid2 = query_int64(core, QStringLiteral("select max(p.txnid) as maxid2 from pstg p"));
    if (maxid1 != maxid2) {
        qwel::show_msg(QStringLiteral("Txn id mismatch on last rows on TXN / PSTG tables : ") + QString::number(maxid1) +
                       QStringLiteral(" / ") + QString::number(maxid2) + QStringLiteral(" - run DB check"));
        return -1;
    }
    return int(maxid1 + 1);
}

}  // namespace mintor
