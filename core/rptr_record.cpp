#include "core/rptr_record.h"

#include "core/txnrows.h"

namespace mintor {

TTxn txn_from_rptr(const Core& core, const TRptr& m) {
    TTxn t;
    init_txn(core, t);
    t.kind = TxnKind::Master;
    t.type = m.type;
    t.ccy = m.ccy.trimmed();
    t.amt = m.amt;
    t.ref = m.ref;
    t.narrative = m.narrative;
    t.accid1 = m.accid1;
    t.accid2 = m.accid2;
    t.accid4 = m.accid4;
    t.accname1 = m.accname1;
    t.accname2 = m.accname2;
    t.accname4 = m.accname4;
    t.chnum = m.chnum;
    t.createts = m.createts;
    t.editts = m.editts;
    t.txndate = m.startdate;
    t.date2 = m.startdate;
    t.actualtxndate = m.startdate;
    t.masterid = m.id;
    t.gento = m.gento;
    t.freq = m.freq;
    t.startdate = m.startdate;
    t.enddate = m.enddate;
    t.rptactive = m.rptactive;
    t.rptinc = m.rptinc;
    t.rptct = m.rptct;
    t.rmdays = m.rmdays;
    return t;
}

bool is_repeating_freq(QChar freq) {
    return freq == QLatin1Char('D') || freq == QLatin1Char('W') || freq == QLatin1Char('M') ||
           freq == QLatin1Char('Y');
}

}  // namespace mintor
