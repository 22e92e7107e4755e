#include "core/batches.h"

#include "core/postings.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "core/abandon.h"
#include "qwellib/dialogs.h"

namespace mintor {

void update_pstg_batchnums(Core& core, const TTxn& txn) {
    for (int accid : {txn.accid1, txn.accid2, txn.accid4}) {
        if (accid == 0) continue;
        TPstg p;
        if (!read_pstg(core, txn.id, accid, p) || p.batchnum == txn.batchnum) continue;
        p.batchnum = txn.batchnum;
        update_pstg(core, p);
    }
}

bool chk_batch(Core& core, int b) {
    TTxn head;
    if (!read_txn_or_report(core, b, head)) return false;
    if (head.batchnum == b) return true;
    if (head.batchnum > 0) {
        qwel::show_msg(QStringLiteral("Transaction #") + QString::number(b) + QStringLiteral(" is already in a batch (#") +
                       QString::number(head.batchnum) + QStringLiteral(")"));
        return false;
    }
    head.batchnum = b;
    return run_abandonable(core, [&] {
               if (!write_txn(core, head)) throw Abandon{};
               update_pstg_batchnums(core, head);
           }) == UnitResult::Done;
}

}  // namespace mintor
