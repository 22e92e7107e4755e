#include "core/repeater_make.h"

#include "core/abandon.h"
#include "core/dbstatus.h"
#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "core/runstate.h"
#include "core/txn_write.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

bool repeatable_type(QChar type) {
    return type == QLatin1Char('P') || type == QLatin1Char('R') || type == QLatin1Char('C');
}

}  // namespace

bool make_rptr_from_txn(Core& core, TTxn& rec, QChar freq) {
    if (!repeatable_type(rec.type)) {
        show_msg(QStringLiteral("Only payments, receipts and transfers can repeat"));
        return false;
    }
    if (rec.amt < 0) {
        show_msg(QStringLiteral("Amount must be >= 0"));
        return false;
    }
    if (chk_frozen(core, QStringLiteral("generate repeater instances"))) return false;
    TTxn t = rec;
    // 1. an instance of another master starts the new one
    if (t.kind == TxnKind::Instance || t.masterid > 0) {
        if (!ask_ok(QStringLiteral("This transaction will become instance #1 of the new Repeater"))) return false;
        t.kind = TxnKind::Plain;
        t.masterid = 0;
    }
    // 2. the new master
    TRptr m;
    m.ccy = t.ccy;
    m.amt = t.amt;
    m.type = t.type;
    m.ref = t.ref;
    m.narrative = t.narrative;
    m.accid1 = t.accid1;
    m.accid2 = t.accid2;
    m.accid4 = t.accid4;
    m.accname1 = t.accname1;
    m.accname2 = t.accname2;
    m.accname4 = t.accname4;
    m.chnum = t.chnum;
    m.freq = freq;
    m.rptinc = 1;
    m.startdate = t.txndate;
    m.rptct = 0;
    m.rptactive = true;
    m.gento = 2;
    m.rmdays = freq == QLatin1Char('Y') && t.type == QLatin1Char('P') ? 31 : 0;
    // 3. the amount of future instances
    qint64 amt = t.amt;
    if (!ask_amount(QStringLiteral("Repeater amount (for future instances)"), amt)) return false;
    if (amt < 0) {
        show_msg(QStringLiteral("Amount must be >= 0"));
        return false;
    }
    m.amt = amt;

    const UnitResult r = run_abandonable(core, [&] {
        // 4. the master, and the transaction as its instance 1
        if (!insert_rptr(core, m)) throw Abandon{};
        t.masterid = m.id;
        t.instance = 1;
        t.kind = TxnKind::Instance;
        if (!write_txn(core, t)) throw Abandon{};
        // 5. instance 2 at once; the next generation writes the further ones
        gen_inst(core, 2, m);
        set_rebalance_needed(core, true);
    });
    if (r != UnitResult::Done) return false;
    t.gento = m.gento;
    t.freq = m.freq;
    t.startdate = m.startdate;
    t.enddate = m.enddate;
    t.rptactive = m.rptactive;
    t.rptinc = m.rptinc;
    t.rptct = m.rptct;
    t.rmdays = m.rmdays;
    rec = t;
    return true;
}

}  // namespace mintor
