#include "core/unstraddle.h"

#include "core/abandon.h"
#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/credit.h"
#include "core/dbstatus.h"
#include "core/txn_delete.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

// The currency of the counterparty's credit account: that of the external account its accwith
// names, else the base currency in which a new one is made.
QString credit_ccy(Core& core, const Tacc& cpty) {
    Tacc held;
    if (cpty.accwith > 0 && read_acc(core, cpty.accwith, held) && held.type2 == kTypeExternal) return held.ccy;
    return core.run.base_ccy;
}

Date later_of(Date a, Date b) { return date_to_int(a) >= date_to_int(b) ? a : b; }

}  // namespace

bool unstraddle_txn(Core& core, int txnid) {
    TTxn t;
    if (!read_txn_or_report(core, txnid, t)) return false;
    if (chk_frozen(core, QStringLiteral("unstraddle txn"))) return false;
    const bool receipt = t.type == QLatin1Char('R');
    if (t.type != QLatin1Char('P') && !receipt) {
        show_msg(QStringLiteral("Only payments and receipts can be unstraddled"));
        return false;
    }
    if (is_null_date(t.date2)) {
        show_msg(QStringLiteral("Txn #") + n(txnid) + QStringLiteral(" has no posting date"));
        return false;
    }
    Tacc cpty;
    if (!t.cancelled) {
        if (!read_acc_or_report(core, t.accid2, cpty)) return false;
        const QString ccy = credit_ccy(core, cpty);
        if (ccy != t.ccy) {
            show_msg(QStringLiteral("Cannot unstraddle txn #") + n(txnid) + QStringLiteral(" : it is in ") + t.ccy +
                     QStringLiteral(", the credit account of ") + dquote(cpty.name) + QStringLiteral(" is in ") + ccy);
            return false;
        }
    }

    // the transfer at the old posting date
    TTxn u;
    init_txn(core, u);
    u.ccy = t.ccy;
    u.txndate = t.date2;
    u.amt = t.amt;
    u.val = t.val;
    u.type = QLatin1Char('C');
    u.batchnum = t.id;
    u.ref = QStringLiteral("unstraddle");

    return run_abandonable(core, [&] {
               delete_txn_pstgs(core, t.id);
               t.date2 = Date{};
               if (t.cancelled) {
                   if (!save_txn(core, t)) throw Abandon{};
                   return;
               }
               t.actualtxndate = Date{};
               t.batchnum = t.id;
               Tacc credit;
               bool existed = true;
               if (!cpty_credit_acc(core, cpty, credit, &existed)) throw Abandon{};
               const int external = t.accid1;
               t.accid1 = credit.id;
               t.chnum = 0;
               t.ref.clear();
               if (!save_txn(core, t)) throw Abandon{};
               u.accid1 = receipt ? credit.id : external;
               u.accid2 = receipt ? external : credit.id;
               if (!save_txn(core, u)) throw Abandon{};
               if (!existed) {
                   Tacc made;
                   if (!read_acc_or_report(core, credit.id, made)) throw Abandon{};
                   made.closedate = later_of(t.txndate, u.txndate);
                   if (!save_acc(core, made)) throw Abandon{};
               }
           }) == UnitResult::Done;
}

}  // namespace mintor
