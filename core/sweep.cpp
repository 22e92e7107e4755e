#include "core/sweep.h"

#include <limits>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/txn_value.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

// Puts acc into mine; when other already holds acc it takes what mine held (0 when nothing).
void place(int acc, int& mine, int& other) {
    const int replaced = mine;
    mine = acc;
    if (other == acc) other = replaced == acc ? 0 : replaced;
}

qint64 absolute(qint64 v) {
    if (v == std::numeric_limits<qint64>::min()) return std::numeric_limits<qint64>::max();
    return v < 0 ? -v : v;
}

}  // namespace

bool prepare_sweep(Core& core, const Tacc& acc, qint64 balance, Date date, SweepVia via, SweepSlots& sel,
                   TTxn& rec) {
    const bool negative = balance < 0;
    const bool internal = is_internal_type(acc.type2);
    init_txn(core, rec);
    if (via == SweepVia::Sale) {
        if (acc.type2 == kTypeExternal) {
            if (sel.ext_acc != acc.id) sel.ext_chnum = 0;
            sel.ext_acc = acc.id;
        } else if (acc.type2 == kTypeCounterparty) {
            sel.cpty = acc.id;
        } else if (internal) {
            sel.int_acc = acc.id;
        } else {
            return false;
        }
        rec.type = negative ? QLatin1Char('R') : QLatin1Char('P');
        rec.accid1 = sel.ext_acc;
        rec.chnum = sel.ext_chnum;
        rec.accid2 = sel.cpty;
        rec.accid4 = sel.int_acc;
    } else {
        int* from = nullptr;
        int* to = nullptr;
        if (acc.type2 == kTypeExternal) {
            from = &sel.tfr_from;
            to = &sel.tfr_to;
        } else if (internal) {
            from = &sel.int_tfr_from;
            to = &sel.int_tfr_to;
        } else {
            return false;
        }
        if (negative) place(acc.id, *to, *from);
        else place(acc.id, *from, *to);
        rec.type = QLatin1Char('C');
        rec.accid1 = *from;
        rec.accid2 = *to;
    }
    rec.amt = absolute(balance);
    rec.ccy = acc.ccy;
    rec.txndate = date;
    rec.actualtxndate = date;
    rec.ref = QStringLiteral("sweep");
    // the form values it again when it saves; a missing rate is told there too
    calc_txn_val(core, rec);
    return true;
}

int sweep_account(Core& core, int accid, qint64 balance, Date date, SweepSlots& sel, const SweepCalls& calls) {
    if (balance == 0) return -1;
    const bool negative = balance < 0;
    const QString sale = negative ? QStringLiteral("Sale/Rcpt") : QStringLiteral("Purchase/Payt");
    const int choice = ask_choice(QStringLiteral("Sweep ") + (negative ? QStringLiteral("to") : QStringLiteral("off")) +
                                      QStringLiteral(" this account : via ") + sale + QStringLiteral(" or via Transfer?"),
                                  sale, QStringLiteral("Transfer"));
    Tacc acc;
    if (!read_acc(core, accid, acc)) return -1;
    if (choice != 1 && choice != 2) return -1;
    TTxn rec;
    if (!prepare_sweep(core, acc, balance, date, choice == 1 ? SweepVia::Sale : SweepVia::Transfer, sel, rec))
        return -1;
    if (!calls.enter_new_txn || !calls.enter_new_txn(core, rec, sel)) return -1;
    if (!ask_yes(QStringLiteral("Also reconcile resulting zero balance?"))) return 0;
    return calls.reconcile ? calls.reconcile(core, accid, rec.txndate) : 0;
}

}  // namespace mintor
