#include "core/txn_save.h"

#include "core/abandon.h"
#include "core/batches.h"
#include "core/cptyctgy.h"
#include "core/repeater_calls.h"
#include "core/txn_checks.h"
#include "core/txn_delete.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

EntrySave save_entered_txn(Core& core, TxnEntry& entry) {
    TTxn old_rec;
    if (entry.edit_mode) old_rec = entry.old_rec;
    else init_txn(core, old_rec);
    TTxn rec = entry.rec;
    CompanionsWritten companions;
    bool failed = false;   // a write failed or a program error: stopped, not declined
    bool master_edit = false;
    int saved_id = 0;  // the id save_txn gave the record (before a master's instances)

    const UnitResult result = run_abandonable(core, [&] {
        // 1-2. the protected-postings and bypass checks
        if (!chk_freeze(core, old_rec, rec)) throw Abandon{};
        if (!chk_bypass(core, rec)) throw Abandon{};

        // 3. edit mode: the record keeps its identity
        if (entry.edit_mode) {
            rec.id = old_rec.id;
            rec.kind = old_rec.kind;
            rec.instance = old_rec.instance;
            rec.masterid = old_rec.masterid;
            rec.gento = old_rec.gento;
            const bool master = rec.kind == TxnKind::Master;
            if (old_rec.id == 0 && !master) {
                program_error(QStringLiteral("old txn id = 0"));
                failed = true;
                throw Abandon{};
            }
            if (!ask_ok(QStringLiteral("Update ") +
                        (master ? QStringLiteral(" Repeater Master") : QStringLiteral("existing transaction"))))
                throw Abandon{};
            // 4. a master changes only its repeater row
            if (master) {
                if (!update_master_from_txn(core, rec)) {
                    failed = true;
                    throw Abandon{};
                }
                master_edit = true;
                return;
            }
            delete_txn_pstgs(core, old_rec.id);
            if (old_rec.batchnum <= 0 && rec.batchnum > 0 && rec.batchnum != old_rec.id &&
                !chk_batch(core, rec.batchnum))
                throw Abandon{};
        } else if (rec.batchnum > 0 && !chk_batch(core, rec.batchnum)) {
            // 5. joining a batch that cannot take it
            throw Abandon{};
        }

        // 6. the transaction itself with its postings
        if (!save_txn(core, rec)) {
            failed = true;
            throw Abandon{};
        }
        saved_id = rec.id;

        // 8. a new master's instances
        if (!entry.edit_mode && rec.kind == TxnKind::Master) {
            const int last = gen_master_insts(core, rec);
            if (last > 0) rec.id = last;
        }
        // 9. (the link is already there; kept for records written without it)
        link_cpty_ctgy(core, rec);
        // 11. later instances of an edited instance
        apply_to_later_insts(core, old_rec, rec);
        // 13. the companion transactions, in the main transaction's batch
        companions = write_companions(core, rec, entry.cashback, entry.split, entry.fx);
    });

    if (result != UnitResult::Done)
        return result == UnitResult::Abandoned && !failed ? EntrySave::Declined : EntrySave::Failed;

    entry.rec = rec;
    if (master_edit) return EntrySave::Saved;
    // 7. remembered only once the save has stayed
    if (entry.edit_mode) core.run.last_edited_txn_id = saved_id;
    else core.run.last_new_txn_id = saved_id;
    // 10.
    if (!rec.narrative.isEmpty()) entry.last_description = rec.narrative;
    entry.companions = companions.written;
    entry.companions_not_written = companions.not_written;
    // 14. the next input joins the batch
    if (entry.batch_choice == BatchChoice::New) {
        entry.batch_choice = BatchChoice::AddToExisting;
        entry.batch_number = rec.id;
    }
    return EntrySave::Saved;
}

}  // namespace mintor
