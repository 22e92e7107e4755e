#include "core/reassign.h"

#include "core/abandon.h"
#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/cptyctgy.h"
#include "core/dbstatus.h"
#include "core/freeze_checks.h"
#include "core/posting.h"
#include "core/postings.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

int* slot_of(TTxn& t, int acctype) {
    switch (acctype) {
    case kTypeExternal: return &t.accid1;
    case kTypeCategory:
    case kTypePot: return &t.accid4;
    case kTypeCounterparty: return &t.accid2;
    default: return nullptr;
    }
}

int slot_number(int acctype) { return acctype == kTypeExternal ? 1 : acctype == kTypeCounterparty ? 2 : 4; }

// The posting of the slot as post_txn writes it, without channel.
void post_slot(Core& core, const TTxn& t, int acctype) {
    const bool pay = t.type == QLatin1Char('P');
    TPstg tpl = posting_template(t);
    tpl.chnum = 0;
    switch (acctype) {
    case kTypeExternal:
        tpl.pstgdate = posting_date(t);
        post_one(core, tpl, t.accid1, t.accid2, pay ? SignCode::Debit : SignCode::Credit);
        break;
    case kTypeCounterparty:
        tpl.pstgdate = posting_date(t);
        post_one(core, tpl, t.accid2, t.accid1, pay ? SignCode::Credit : SignCode::Debit);
        break;
    default:
        tpl.amt = t.cancelled ? 0 : t.val;
        tpl.ccy = core.run.base_ccy;
        tpl.pstgdate = t.txndate;
        post_one(core, tpl, t.accid4, t.accid2, pay ? SignCode::Debit : SignCode::Credit);
        break;
    }
}

void repoint_contra(Core& core, int txnid, int of_account, int contra) {
    if (of_account == 0) return;
    exec_sql(core, QStringLiteral("update pstg set contra=") + n(contra) + QStringLiteral(" where txnid=") + n(txnid) +
                       QStringLiteral(" and objid=") + n(of_account));
}

}  // namespace

bool reassign_acc(Core& core, int txnid, int accid, int acctype) {
    if (chk_frozen(core, QStringLiteral("reassign account"))) return false;
    TTxn old_rec;
    if (!read_txn_or_report(core, txnid, old_rec)) return false;
    if (old_rec.type != QLatin1Char('P') && old_rec.type != QLatin1Char('R')) {
        show_msg(QStringLiteral("Skipping txn #") + n(txnid));
        return false;
    }
    TTxn rec = old_rec;
    int* slot = slot_of(rec, acctype);
    if (slot == nullptr) {
        program_error(QStringLiteral("reassign_acc type ") + n(acctype));
        return false;
    }
    if (*slot == accid) return false;
    Tacc acc;
    if (!read_acc_or_report(core, accid, acc)) return false;
    if (acctype == kTypeExternal && acc.ccy != rec.ccy) {
        show_msg(QStringLiteral("Account ") + dquote(acc.name) + QStringLiteral(" is in ") + acc.ccy +
                 QStringLiteral(", txn #") + n(txnid) + QStringLiteral(" is in ") + rec.ccy +
                 QStringLiteral(" - cannot assign"));
        return false;
    }
    const int old_acc = *slot;
    *slot = accid;
    return run_abandonable(core, [&] {
               if (!chk_freeze(core, old_rec, rec)) throw Abandon{};
               TPstg p;
               if (old_acc != 0 && read_pstg(core, txnid, old_acc, p)) delete_pstg(core, txnid, old_acc);
               exec_sql(core, QStringLiteral("update txn set accid") + n(slot_number(acctype)) + QStringLiteral("=") +
                                  n(accid) + QStringLiteral(", editts=") + sql_stamp(now_stamp()) +
                                  QStringLiteral(" where id=") + n(txnid));
               post_slot(core, rec, acctype);
               if (acctype == kTypeExternal) {
                   repoint_contra(core, txnid, rec.accid2, accid);
               } else if (acctype == kTypeCounterparty) {
                   repoint_contra(core, txnid, rec.accid1, accid);
                   repoint_contra(core, txnid, rec.accid4, accid);
               }
               link_cpty_ctgy(core, rec);
               set_rebalance_needed(core, true);
           }) == UnitResult::Done;
}

}  // namespace mintor
