#include "core/batches.h"

#include <QSqlQuery>
#include <vector>

#include "core/postings.h"
#include "core/sql.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "core/abandon.h"
#include "core/dbstatus.h"
#include "qwellib/dialogs.h"

namespace mintor {

namespace {

void already_in_batch(int id, int batchnum) {
    qwel::show_msg(QStringLiteral("Transaction #") + QString::number(id) + QStringLiteral(" is already in a batch (#") +
                   QString::number(batchnum) + QStringLiteral(")"));
}

// Stores the record with its new batch number and makes its postings follow.
void store_batchnum(Core& core, TTxn& txn) {
    if (!write_txn(core, txn)) throw Abandon{};
    update_pstg_batchnums(core, txn);
}

}  // namespace

void update_pstg_batchnums(Core& core, const TTxn& txn) {
    if (txn.id < 1) return;  // txnid 0 holds the brought-forward postings
    // every posting of the transaction: also the diary entry's, which has no account
    std::vector<int> objids;
    QSqlQuery q = open_query(core, QStringLiteral("select objid from pstg where txnid=") + QString::number(txn.id) +
                                       QStringLiteral(" and batchnum<>") + QString::number(txn.batchnum));
    while (q.next()) objids.push_back(q.value(0).toInt());
    for (const int objid : objids) {
        TPstg p;
        if (!read_pstg(core, txn.id, objid, p)) continue;
        p.batchnum = txn.batchnum;
        update_pstg(core, p);
    }
}

bool chk_batch(Core& core, int b) {
    TTxn head;
    if (!read_txn_or_report(core, b, head)) return false;
    if (head.batchnum == b) return true;
    if (head.batchnum > 0) {
        already_in_batch(b, head.batchnum);
        return false;
    }
    head.batchnum = b;
    return run_abandonable(core, [&] {
               if (!write_txn(core, head)) throw Abandon{};
               update_pstg_batchnums(core, head);
           }) == UnitResult::Done;
}

bool add_to_batch(Core& core, int txnid) {
    if (chk_frozen(core, QStringLiteral("add txn to batch"))) return false;
    TTxn txn;
    if (!read_txn_or_report(core, txnid, txn)) return false;
    if (txn.batchnum != 0) {
        already_in_batch(txnid, txn.batchnum);
        return false;
    }
    int b = 0;
    if (!qwel::ask_int(QStringLiteral("Batch number"), b)) return false;
    return run_abandonable(core, [&] {
               if (!chk_batch(core, b)) throw Abandon{};
               // chk_batch may have stored this very transaction as the head of its batch
               if (!read_txn_or_report(core, txnid, txn)) throw Abandon{};
               if (txn.batchnum == b) return;
               txn.batchnum = b;
               store_batchnum(core, txn);
           }) == UnitResult::Done;
}

bool remove_from_batch(Core& core, int txnid) {
    if (chk_frozen(core, QStringLiteral("remove txn from batch"))) return false;
    TTxn txn;
    if (!read_txn_or_report(core, txnid, txn)) return false;
    if (txn.batchnum == 0) return true;
    txn.batchnum = 0;
    return run_abandonable(core, [&] { store_batchnum(core, txn); }) == UnitResult::Done;
}

}  // namespace mintor
