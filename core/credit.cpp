#include "core/credit.h"

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/abandon.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

bool cpty_credit_acc(Core& core, Tacc& cpty, Tacc& credit, bool* existed) {
    if (existed) *existed = false;
    // the counterparty as stored now: its accwith decides, and its editts guards the write
    Tacc stored;
    if (!read_acc_or_report(core, cpty.id, stored)) return false;
    Tacc found;
    if (stored.accwith > 0 && read_acc(core, stored.accwith, found) && found.type2 == kTypeExternal) {
        credit = found;
        cpty.accwith = stored.accwith;
        if (existed) *existed = true;
        return true;
    }
    Tacc acc;
    acc.type2 = kTypeExternal;
    init_acc(core, acc);
    acc.ccy = core.run.base_ccy;
    acc.name = (stored.name + QStringLiteral(" owes")).left(40);
    acc.accwith = stored.id;
    acc.opendate = kOpenDateRec;   // set by the first transaction posted to it
    acc.closedate = kOpenDateRec;  // open
    // both writes or neither: an account nobody names would be made again next time
    const UnitResult r = run_abandonable(core, [&] {
        if (!insert_acc(core, acc)) throw Abandon{};  // refused by validation (message shown)
        stored.accwith = acc.id;
        if (!update_acc_guarded(core, stored)) throw Abandon{};
    });
    if (r != UnitResult::Done) return false;
    cpty.accwith = acc.id;
    credit = acc;
    show_msg(QStringLiteral("External Account \"") + acc.name + QStringLiteral("\" created"));
    return true;
}

}  // namespace mintor
