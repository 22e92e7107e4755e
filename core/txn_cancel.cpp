#include "core/txn_cancel.h"

#include "core/abandon.h"
#include "core/dbstatus.h"
#include "core/freeze_checks.h"
#include "core/txn_delete.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"

namespace mintor {

QString cancel_txn_caption(bool cancelled) {
    return (cancelled ? QStringLiteral("Unc") : QStringLiteral("C")) + QStringLiteral("ancel transaction");
}

bool cancel_txn(Core& core, int txnid, bool cancelled) {
    if (chk_frozen(core, QStringLiteral("cancel txn"))) return false;
    TTxn old_rec;
    if (!read_txn_or_report(core, txnid, old_rec)) return false;
    if (old_rec.cancelled == cancelled) {
        qwel::show_msg(QStringLiteral("Transaction is already cancelled/uncancelled"));
        return false;
    }
    TTxn rec = old_rec;
    rec.cancelled = cancelled;
    return run_abandonable(core, [&] {
               if (!chk_freeze(core, old_rec, rec)) throw Abandon{};
               delete_txn_pstgs(core, txnid);
               if (!save_txn(core, rec)) throw Abandon{};
           }) == UnitResult::Done;
}

}  // namespace mintor
