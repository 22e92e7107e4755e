#include "core/ids.h"

#include "core/params.h"
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

int next_rptr_id(Core& core) {
    const qint64 c = query_int64(core, QStringLiteral("select max(r.id) as maxid from rptr r"));
    const qint64 d = query_int64(core, QStringLiteral("select max(t.masterid) as maxid from txn t"));
    if (d < c) {
        qwel::show_msg(QStringLiteral("Repeater #") + QString::number(c) + QStringLiteral(" has no instances"));
        return int(c + 1);
    }
    return int(d + 1);
}

int allocate_acc_id(Core& core) {
    int id = int(query_int64(core, QStringLiteral("select max(o.id) as maxid from account o")) + 1);
    if (core.params.lastaccid >= id) id = core.params.lastaccid + 1;
    if (core.params.lastaccid < id) {
        write_param(core, kParamLastAccId, QStringLiteral("lastaccid"), id);
        core.params.lastaccid = id;
    }
    return id;
}

}  // namespace mintor
