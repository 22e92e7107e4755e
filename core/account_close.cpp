#include "core/account_close.h"

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/repeaters_store.h"
#include "qwellib/amounts.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {
bool open_date(const Date& d) { return d.year >= 9999; }
}  // namespace

bool close_account_date(Core& core, const Tacc& acc, const QString& ccy, Date& date) {
    const int rptr = find_rptr_using(core, acc.id, true);
    if (rptr > 0) {
        show_msg(QStringLiteral("Cannot close - Account is in active Repeater #") + QString::number(rptr));
        return false;
    }
    if (acc.type2 != kTypeCategory) {
        Tmovt m;
        read_movt(core, acc.id, ccy, m);
        const qint64 balance = m.bfd + m.prepdnet + m.pdpayts + m.pdrcpts + m.pdtfrs;
        if (balance != 0 &&
            !ask_yes(QStringLiteral("Account #") + QString::number(acc.id) + QStringLiteral(" balance not zero (") +
                     format_amount(balance) + QStringLiteral("), are you sure you want to close?")))
            return false;
    }
    Date d = acc.lastpstgdate;
    if (open_date(d)) return ask_date(QStringLiteral("Close date"), date);
    const QString shown = format_date(d);
    switch (ask_choice(QStringLiteral("Closing ") + acc_type_name(acc.type2, true) + QStringLiteral(" ") +
                           dquote(acc.name) + QStringLiteral("... ") + QStringLiteral("\r") +
                           QStringLiteral("OK to set close date to last posting date ") + shown + QStringLiteral(" ?"),
                       QStringLiteral("use ") + shown, QStringLiteral("or another date"))) {
    case 1:
        if (core.run.rebal_needed &&
            !ask_yes(QStringLiteral("This Last Posting Date may be changed by the outstanding Rebalance, still OK to "
                                    "use it?")))
            return false;
        date = d;
        return true;
    case 2:
        date = d;
        return ask_date(QStringLiteral("Close date"), date);
    default: return false;
    }
}

bool close_account(Core& core, Tacc& acc, const QString& ccy) {
    if (!open_date(acc.closedate)) {
        show_msg(QStringLiteral("Account is already closed"));
        return false;
    }
    Date d;
    if (!close_account_date(core, acc, ccy, d)) return false;
    Tacc closed = acc;
    closed.closedate = d;
    closed.fav = false;
    if (!save_acc(core, closed)) return false;
    acc = closed;
    return true;
}

}  // namespace mintor
