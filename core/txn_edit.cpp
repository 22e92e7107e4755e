#include "core/txn_edit.h"

#include "core/abandon.h"
#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/dbstatus.h"
#include "core/freeze_checks.h"
#include "core/not_found.h"
#include "core/postings.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/txn_delete.h"
#include "core/txn_value.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/amounts.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

// The old postings go, the changed record is stored and posted again.
bool repost(Core& core, const TTxn& old_rec, TTxn& rec, bool ask_freeze) {
    return run_abandonable(core, [&] {
               if (ask_freeze && !chk_freeze(core, old_rec, rec)) throw Abandon{};
               delete_txn_pstgs(core, old_rec.id);
               if (!save_txn(core, rec)) throw Abandon{};
           }) == UnitResult::Done;
}

bool signed_type(QChar type) { return type == QLatin1Char('F') || type == QLatin1Char('Z'); }

// A moving posting with an amount, now or at the new date on or before its account's
// reconciled date.
bool upsets_reconciled_balance(Core& core, int txnid, int accid, Date new_date) {
    if (accid == 0) return false;
    TPstg p;
    if (!read_pstg(core, txnid, accid, p) || p.amt == 0) return false;
    Tacc acc;
    if (!read_acc(core, accid, acc)) return false;
    const int reconciled = date_to_int(acc.reconciled_date);
    if (reconciled <= 0) return false;
    return date_to_int(p.pstgdate) <= reconciled || date_to_int(new_date) <= reconciled;
}

}  // namespace

bool edit_txn_amt(Core& core, int txnid) {
    if (chk_frozen(core, QStringLiteral("edit txn amount"))) return false;
    QString text;
    if (!ask_text(QStringLiteral("Enter amount unsigned"), text)) return false;
    qint64 amount = 0;
    if (!parse_amount_msg(text.trimmed(), amount)) return false;
    if (amount < 0) {
        show_msg(QStringLiteral("Amount must be >= 0"));
        return false;
    }
    TTxn old_rec;
    if (!read_txn_or_report(core, txnid, old_rec)) return false;
    TTxn rec = old_rec;
    rec.amt = signed_type(rec.type) && old_rec.amt < 0 ? -amount : amount;
    if (rec.type == QLatin1Char('F')) rec.val = rec.amt;  // a gain or loss is its own value
    else if (!calc_txn_val(core, rec)) return false;
    return repost(core, old_rec, rec, true);
}

bool pstgdate_editable(Core& core, const TTxn& txn, int accid) {
    if (accid == 0 || txn.kind == TxnKind::Master) return false;
    if (accid != txn.accid1 && accid != txn.accid2) return false;
    if (txn.type == QLatin1Char('P') || txn.type == QLatin1Char('R')) return true;
    if (txn.type != QLatin1Char('C')) return false;
    Tacc from;
    return read_acc(core, txn.accid1, from) && from.type2 == kTypeExternal;
}

bool edit_pstgdate(Core& core, const TPstg& posting) {
    if (chk_frozen(core, QStringLiteral("edit posting date"))) return false;
    TTxn old_rec;
    if (!read_txn_or_report(core, posting.txnid, old_rec)) return false;
    if (!pstgdate_editable(core, old_rec, posting.objid)) {
        show_msg(QStringLiteral("Cannot redate : only the external account and counterparty postings of a payment, "
                                "receipt or external transfer have a posting date"));
        return false;
    }
    TPstg shown;
    const Date start = read_pstg(core, posting.txnid, posting.objid, shown) ? shown.pstgdate : posting.pstgdate;
    Date d = start;
    if (!ask_date(QStringLiteral("Posting date"), d)) return false;
    for (const int accid : {old_rec.accid1, old_rec.accid2}) {
        if (upsets_reconciled_balance(core, old_rec.id, accid, d)) {
            show_msg(QStringLiteral("Cannot redate : will upset reconciled balance"));
            return false;
        }
    }
    TTxn rec = old_rec;
    rec.date2 = d;
    if (!calc_txn_val(core, rec)) return false;
    return repost(core, old_rec, rec, false);
}

bool edit_txn_text(Core& core, int txnid, const QString& text, QChar which) {
    const bool description = which == QLatin1Char('D');
    if (!description && which != QLatin1Char('R')) {
        program_error(QStringLiteral("edit_txn_text ") + QString(which));
        return false;
    }
    if (chk_frozen(core, QStringLiteral("edit txn"))) return false;
    const int max_length = description ? 40 : 20;
    QString value = text;
    if (!ask_text_max(QStringLiteral("Edit transaction ") +
                          (description ? QStringLiteral("description") : QStringLiteral("reference")),
                      value, max_length))
        return false;
    value = value.left(max_length);
    bool found = true;
    const UnitResult r = run_abandonable(core, [&] {
        found = exec_sql(core, QStringLiteral("update txn set ") +
                                   (description ? QStringLiteral("narrative") : QStringLiteral("ref")) +
                                   QStringLiteral("=") + sql_text(value) + QStringLiteral(" where id = ") + n(txnid)) > 0;
    });
    if (r != UnitResult::Done) return false;
    if (!found) report_not_found(QStringLiteral("Txn"), txnid);
    return found;
}

}  // namespace mintor
