#include "core/txn_checks.h"

#include <QSqlQuery>

#include "core/account_close.h"
#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/not_found.h"
#include "core/postings.h"
#include "core/repeaters_store.h"
#include "core/sql.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

bool is_open(const Date& d) { return d.year >= 9999; }

// Stores the changed account and reads it back, so that a second change can be stored too
// (the optimistic lock wants the stamp of the row as it now is).
bool store_and_reread(Core& core, Tacc& acc) {
    const int id = acc.id;
    if (!save_acc(core, acc)) return false;
    return read_acc(core, id, acc);
}

}  // namespace

bool chk_bypass(Core& core, const TTxn& txn) {
    if (txn.type != QLatin1Char('P') && txn.type != QLatin1Char('R')) return true;
    // without a counterparty nothing is bypassed (accwith 0 is hard cash, held with no-one)
    if (txn.accid2 == 0) return true;
    Tacc ext;
    if (read_acc(core, txn.accid1, ext) && ext.accwith == txn.accid2) return true;
    const int own = int(query_int64(core,
                                    QStringLiteral("select id from account o ") + QStringLiteral("where (o.type2 = 1) ") +
                                        QStringLiteral("and (o.accwith = ") + n(txn.accid2) + QStringLiteral(") ") +
                                        QStringLiteral("and (o.closedate = 99999999)"),
                                    0));
    if (own <= 0 || own == txn.accid1) return true;
    if (!ask_continue(QStringLiteral("This transaction will bypass your external account with this counterparty\racc #") +
                      n(own)))
        return false;
    if (ask_yes(QStringLiteral("Close the ext acc for this cpty?\r(you can re-open it at any time)"))) {
        const int rptr = find_rptr_using(core, own, true);
        if (rptr > 0) {
            show_msg(QStringLiteral("Account is in active Repeater #") + n(rptr) + QStringLiteral(" - cannot close"));
        } else {
            Tacc acc;
            if (read_acc_or_report(core, own, acc)) close_account(core, acc, acc.ccy);
        }
    }
    return true;
}

bool chk_acc_open(Core& core, Tacc& acc, Date date) {
    const int id = acc.id;
    if (!read_acc(core, id, acc)) {
        report_not_found(QStringLiteral("Account"), id);
        return false;
    }
    if (is_null_date(date)) return true;
    const int d = date_to_int(date);
    if (d > date_to_int(acc.closedate)) {
        if (!ask_continue(acc_type_name(acc.type2, true) + dquote(acc.name) + QStringLiteral("is closed"))) return false;
        const int choice = ask_choice(QStringLiteral("Update account close date ?"), QStringLiteral("= txn date"),
                                      QStringLiteral("leave open"));
        if (choice == 1 || choice == 2) {
            acc.closedate = choice == 1 ? date : kOpenDateRec;
            if (!store_and_reread(core, acc)) return false;
        }
    }
    if (d >= date_to_int(acc.opendate) && !is_open(acc.opendate)) return true;
    if (is_open(acc.opendate)) {
        acc.opendate = date;
        return store_and_reread(core, acc);
    }
    if (!ask_yes(QStringLiteral("Transaction pre-dates opendate for account ") + dquote(acc.name) + QStringLiteral("\r") +
                 QStringLiteral("Revise opendate from ") + format_date(acc.opendate) + QStringLiteral(" to ") +
                 format_date(date) + QStringLiteral(" ? ")))
        return false;
    acc.opendate = date;
    return store_and_reread(core, acc);
}

bool chk_unreconcile(Core& core, int txnid, int accid) {
    if (accid == 0) return true;
    TPstg p;
    if (!read_pstg(core, txnid, accid, p) || p.reconcode == 0) return true;
    QSqlQuery q = open_query(core, QStringLiteral("select name from account where id=") + n(accid));
    const QString name = q.next() ? field_str(q, QStringLiteral("name")) : QStringLiteral("#") + n(accid);
    return ask_yes(QStringLiteral("Editing this txn will cause its posting to account \"") + name +
                   QStringLiteral("\" to be un-reconciled - OK?"));
}

}  // namespace mintor
