#include "core/repeater_calls.h"

#include <QStringList>

#include "core/abandon.h"
#include "core/not_found.h"
#include "core/repeater_insts.h"
#include "core/repeaters.h"
#include "core/repeaters_store.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

// The fields an instance's edit carries to its master and later instances.
QStringList carried_changes(const TTxn& a, const TTxn& b) {
    QStringList d;
    if (a.ccy.trimmed() != b.ccy.trimmed()) d << QStringLiteral("ccy");
    if (a.amt != b.amt) d << QStringLiteral("amt");
    if (a.type != b.type) d << QStringLiteral("type");
    if (a.ref != b.ref) d << QStringLiteral("ref");
    if (a.narrative != b.narrative) d << QStringLiteral("description");
    if (a.accid1 != b.accid1) d << QStringLiteral("accid1");
    if (a.accid2 != b.accid2) d << QStringLiteral("accid2");
    if (a.accid4 != b.accid4) d << QStringLiteral("accid4");
    if (a.chnum != b.chnum) d << QStringLiteral("channel");
    return d;
}

QStringList date_changes(const TTxn& a, const TTxn& b) {
    QStringList d;
    if (a.actualtxndate != b.actualtxndate) d << QStringLiteral("txndate");
    if (a.date2 != b.date2) d << QStringLiteral("pstgdate");
    return d;
}

}  // namespace

bool update_master_from_txn(Core& core, const TTxn& rec) {
    if (rec.masterid == 0) return false;
    TRptr m;
    if (!read_rptr(core, rec.masterid, m)) {
        report_not_found(QStringLiteral("Repeater master"), rec.masterid);
        return false;
    }
    m.ccy = rec.ccy;
    m.amt = rec.amt;
    m.type = rec.type;
    m.ref = rec.ref;
    m.narrative = rec.narrative;
    m.accid1 = rec.accid1;
    m.accid2 = rec.accid2;
    m.accid4 = rec.accid4;
    m.chnum = rec.chnum;
    if (rec.kind == TxnKind::Master) {
        m.gento = rec.gento;
        m.freq = rec.freq;
        m.startdate = rec.startdate;
        m.enddate = rec.enddate;
        m.rptactive = rec.rptactive;
        m.rptinc = rec.rptinc;
        m.rptct = rec.rptct;
        m.rmdays = rec.rmdays;
    }
    return write_rptr(core, m);
}

int gen_master_insts(Core& core, const TTxn& master) { return gen_master_insts(core, master.masterid); }

bool apply_to_later_insts(Core& core, const TTxn& old_rec, const TTxn& new_rec) {
    if (new_rec.kind != TxnKind::Instance || core.run.healthcheck_repairing) return false;
    // 1-3. what changed
    const QStringList carried = carried_changes(old_rec, new_rec);
    const QStringList dates = date_changes(old_rec, new_rec);
    if (!dates.isEmpty())
        show_msg(QStringLiteral("These changes cannot be carried forward to later instances\rField(s) : ") +
                 dates.join(QStringLiteral(", ")));
    if (carried.isEmpty()) return false;
    // 4. only an active master carries them
    TRptr master;
    if (!read_rptr(core, new_rec.masterid, master)) {
        program_error(QStringLiteral("Rptr not found"));
        return false;
    }
    if (!master.rptactive) {
        show_msg(QStringLiteral("Cannot apply to later instances since repeater is inactive"));
        return false;
    }
    // 5-6. the user's consent
    const QString fields = carried.join(QStringLiteral(", "));
    if (!ask_yes(QStringLiteral("Also apply these changes to later instances?\rField(s) : ") + fields)) return false;
    const int inst = new_rec.instance;
    if (inst < master.gento) {
        const int k = master.gento - inst;
        QString text = QStringLiteral("Update will impact ") + n(k) + QStringLiteral(" existing later instance") +
                       (k > 1 ? QStringLiteral("s") : QString()) + QStringLiteral(" #") + n(inst + 1);
        if (k > 1) text += QStringLiteral(" to #") + n(master.gento);
        text += QStringLiteral("\r") + QStringLiteral("as well as future instances");
        if (!ask_ok(text)) return false;
    }
    // 7-9. the later instances again, from the changed master
    const UnitResult r = run_abandonable(core, [&] {
        if (!del_insts_from(core, master.id, inst + 1)) throw Abandon{};
        TTxn changed = new_rec;
        changed.gento = inst;
        if (!update_master_from_txn(core, changed)) throw Abandon{};
        gen_master_insts(core, master.id);
    });
    return r == UnitResult::Done;
}

}  // namespace mintor
