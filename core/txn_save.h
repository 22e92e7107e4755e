#pragma once
// Saving an entered transaction: what the input form's Add / Update button does once the form
// has built and validated its record. One undoable operation: when it stops on a refusal or
// a failure, nothing it wrote stays (a database error is reported once).
//
// The sequence:
//  1. chk_freeze(old, new) and 2. chk_bypass(new) (txn_checks.h); stop when declined.
//  3. Edit mode: the new record takes the old record's id, kind, instance, master id and
//     gento. An old id of 0 for a record that is not a master is the program error
//     "old txn id = 0". Ask "Update  Repeater Master - OK ?" (a master) or
//     "Update existing transaction - OK ?"; stop on no.
//  4. Edit mode, master: update_master_from_txn (repeater_calls.h) and done; its instances
//     are not changed. Otherwise delete_txn_pstgs(old id); then, when the old record was in
//     no batch and the new batch number names another transaction, chk_batch (batches.h).
//  5. New mode: chk_batch when the batch number names a transaction.
//     A refused chk_batch stops the save (the form stays open).
//  6. save_txn(new); stop when it fails.
//  7. The new id becomes the last new transaction (new mode) or the last edited one (edit
//     mode) of the run state.
//  8. A new master: gen_master_insts; the record's id becomes the last instance's id.
//  9. link_cpty_ctgy(new). 10. A description that is not empty becomes the last used one.
// 11. apply_to_later_insts(old, new).
// 13. The companions (companions.h), in the main transaction's batch.
// 14. The batch choice New becomes Add to existing with the main transaction's id.
// Batch number -1 (New, and always with cashback, split or FX) makes the main transaction the
// head of its own batch; chk_batch is only asked about batch numbers above 0.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/companions.h"
#include "core/core.h"
#include "core/records.h"

namespace mintor {

enum class BatchChoice {
    None,           // "This transaction is not in a Batch"
    New,            // "Start a new Batch with this transaction" (batch number -1)
    AddToExisting,  // "Batch this transaction with an existing transaction ..."
};

// What the input form hands over to be saved, and what it gets back.
struct TxnEntry {
    bool edit_mode = false;
    TTxn old_rec;  // edit mode: the record being edited (an empty record in new mode)
    TTxn rec;      // the record the form built; after a save, the saved record

    CashbackPart cashback;  // "Cashback" page (the cash account is CashbackAccId)
    SplitPart split;        // "Split" page
    FxPart fx;              // FX deal

    BatchChoice batch_choice = BatchChoice::None;
    int batch_number = 0;  // the batch number box: after a save with New, the main id

    QString last_description;  // recalled by the "+" button; a save with a description sets it

    // Out: the companions written, and the names of those that were not.
    std::vector<TTxn> companions;
    QStringList companions_not_written;
};

enum class EntrySave {
    Saved,     // written; the form closes
    Declined,  // a check or a question said no: nothing written, the form stays open
    Failed,    // a write failed (reported): nothing written, the form stays open
};

EntrySave save_entered_txn(Core& core, TxnEntry& entry);

}  // namespace mintor
