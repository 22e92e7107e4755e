#include "core/posting.h"

#include <limits>

#include "core/postings.h"
#include "core/undo.h"

namespace mintor {

using namespace qwel;

namespace {

// The one place a posting row is written: insert_pstg (key, then every column; it sets
// RebalNeeded for a non-zero amount on or before To). Always called inside an undoable unit
// of this file, so a database error comes back as DbError and the unit undoes its writes.
void insert_posting(Core& core, const TPstg& p) { insert_pstg(core, p); }

// post_one without an undo unit of its own, for post_txn's unit.
void write_one(Core& core, const TPstg& tpl, int accid, int contra, SignCode code) {
    if (accid == 0) return;
    TPstg p = tpl;
    p.objid = accid;
    p.contra = contra;
    p.amt = apply_sign(tpl.amt, code);
    p.val = apply_sign(tpl.val, code);
    insert_posting(core, p);
}

}  // namespace

qint64 apply_sign(qint64 figure, SignCode code) {
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    switch (code) {
    case SignCode::Debit: return figure < 0 ? figure : -figure;
    case SignCode::Credit:
        if (figure == lowest) return std::numeric_limits<qint64>::max();  // no 64-bit opposite
        return figure < 0 ? -figure : figure;
    case SignCode::AsIs: break;
    }
    return figure;
}

Date posting_date(const TTxn& txn) { return is_null_date(txn.date2) ? txn.txndate : txn.date2; }

TPstg posting_template(const TTxn& txn) {
    TPstg t;
    t.txnid = txn.id;
    t.seq = txn.type == QLatin1Char('Z') ? kReconSeq : txn.id;
    t.ccy = txn.ccy;
    t.txntype = txn.type;
    t.chnum = txn.chnum;
    t.batchnum = txn.batchnum;
    t.dppstgdate = true;
    t.dprngbal = true;
    t.reconcode = 0;
    t.recamt = 0;
    t.contra = 0;
    t.objid = 0;
    t.amt = txn.cancelled ? 0 : txn.amt;
    t.val = txn.cancelled ? 0 : txn.val;
    t.pstgdate = txn.txndate;
    return t;
}

bool post_one(Core& core, const TPstg& tpl, int accid, int contra, SignCode code) {
    if (accid == 0) return true;
    return run_undoable(core, [&] { write_one(core, tpl, accid, contra, code); });
}

bool post_txn(Core& core, const TTxn& txn) {
    if (txn.kind == TxnKind::Master) return true;
    const QChar type = txn.type;
    return run_undoable(core, [&] {
        TPstg t = posting_template(txn);
        const Date pdate = posting_date(txn);
        // each line is post_one inside this unit: a failure throws on to here
        auto one = [&](int accid, int contra, SignCode code) { write_one(core, t, accid, contra, code); };
        if (type == QLatin1Char('P') || type == QLatin1Char('R')) {
            const bool pay = type == QLatin1Char('P');
            t.pstgdate = pdate;
            one(txn.accid1, txn.accid2, pay ? SignCode::Debit : SignCode::Credit);
            t.chnum = 0;
            one(txn.accid2, txn.accid1, pay ? SignCode::Credit : SignCode::Debit);
            t.amt = txn.cancelled ? 0 : txn.val;
            t.ccy = core.run.base_ccy;
            t.pstgdate = txn.txndate;
            one(txn.accid4, txn.accid2, pay ? SignCode::Debit : SignCode::Credit);
        } else if (type == QLatin1Char('C')) {
            t.pstgdate = pdate;
            one(txn.accid1, txn.accid2, SignCode::Debit);
            t.chnum = 0;
            one(txn.accid2, txn.accid1, SignCode::Credit);
        } else if (type == QLatin1Char('F')) {
            one(txn.accid1, txn.accid2, SignCode::AsIs);
            one(txn.accid2, txn.accid1, SignCode::AsIs);
        } else if (type == QLatin1Char('D')) {
            // the diary entry's single posting has no account: post_one would skip it
            t.dprngbal = false;
            t.dppstgdate = true;
            insert_posting(core, t);
        } else if (type == QLatin1Char('Z')) {
            t.amt = 0;
            t.val = 0;
            t.recamt = txn.amt;
            one(txn.accid1, 0, SignCode::AsIs);
        }
    });
}

}  // namespace mintor
