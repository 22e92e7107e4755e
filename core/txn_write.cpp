#include "core/txn_write.h"

#include "core/cptyctgy.h"
#include "core/posting.h"
#include "core/record_write.h"
#include "core/repeaters_store.h"
#include "core/sql.h"
#include "core/txnrows.h"

namespace mintor {

using namespace qwel;

namespace {

bool txn_row_exists(Core& core, int id) {
    if (id < 1) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select id from txn where id=") + QString::number(id));
    return q.next();
}

bool rptr_row_exists(Core& core, int id) {
    if (id < 1) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select id from rptr where id=") + QString::number(id));
    return q.next();
}

}  // namespace

TRptr rptr_from_txn(const TTxn& rec) {
    TRptr r;
    r.id = rec.masterid;
    r.ccy = rec.ccy;
    r.amt = rec.amt;
    r.type = rec.type;
    r.ref = rec.ref;
    r.narrative = rec.narrative;
    r.accid1 = rec.accid1;
    r.accid2 = rec.accid2;
    r.accid4 = rec.accid4;
    r.accname1 = rec.accname1;
    r.accname2 = rec.accname2;
    r.accname4 = rec.accname4;
    r.chnum = rec.chnum;
    r.gento = rec.gento;
    r.freq = rec.freq;
    r.startdate = rec.startdate;
    r.enddate = rec.enddate;
    r.rptactive = rec.rptactive;
    r.rptinc = rec.rptinc;
    r.rptct = rec.rptct;
    r.rmdays = rec.rmdays;
    return r;
}

bool write_txn(Core& core, TTxn& rec) {
    bool written = false;
    const bool ok = run_record_write(core, rec, [&] {
        if (!is_null_date(rec.date2) && rec.date2 == rec.actualtxndate) rec.date2 = Date{};
        if (rec.kind == TxnKind::Master) {
            TRptr r = rptr_from_txn(rec);
            // nested: a database error throws on to this unit
            if (rptr_row_exists(core, r.id)) write_rptr(core, r);
            else insert_rptr(core, r);
            rec.masterid = r.id;
            written = true;
        } else if (txn_row_exists(core, rec.id)) {
            write_txn_row(core, rec);
            written = true;
        } else {
            // false only for want of a new id (nothing written, its message shown)
            written = insert_txn_row(core, rec);
        }
        if (written) link_cpty_ctgy(core, rec);
    });
    return ok && written;
}

bool save_txn(Core& core, TTxn& rec) {
    bool saved = false;
    const bool ok = run_record_write(core, rec, [&] {
        if (!write_txn(core, rec)) return;
        post_txn(core, rec);
        saved = true;
    });
    return ok && saved;
}

}  // namespace mintor
