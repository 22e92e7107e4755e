#pragma once
// The posting freeze date and reconciled balances: postings dated on or before the account
// posting freeze date (FreezeBefore of the ledger's settings), or on or before an account's
// reconciled date, are protected. Adding, amending, cancelling or deleting a transaction that
// changes the net of an account's protected postings needs the user's explicit consent.
//
// The change is measured per account in up to eight warning slots: the old record contributes
// the reversal of its postings, the new record its postings, exactly as the posting rules
// (posting.h) make them: accid1 and accid2 with the amount on the posting date, accid4 with
// the value on txndate (so a payment takes its internal account down, as its posting does).
// Only records that are not cancelled, not masters and of type P, R or C contribute;
// counterparties, account id 0 and accounts that do not exist are never protected.

#include <QString>
#include <array>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

enum class FreezeKind {
    None,
    Reconciled,  // on or before the account's reconciled date
    Freeze,      // on or before the account posting freeze date
};

struct FreezeSlot {
    int accid = 0;  // 0 = empty slot
    QString name;
    FreezeKind kind = FreezeKind::None;
    qint64 net = 0;
    bool overflow = false;  // the net went past 64 bits: certainly not zero

    bool changed() const { return accid != 0 && (net != 0 || overflow); }
};

constexpr int kFreezeSlots = 8;
using FreezeSlots = std::array<FreezeSlot, kFreezeSlots>;

// The slot of the account: the first one holding it (which keeps the kind it got first), else
// the first empty one, which takes the account, its name and the kind. All eight taken: the
// program error "find_aix" and -1.
int find_aix(FreezeSlots& table, int accid, const QString& name, FreezeKind kind);

// The protected net changes that replacing old_rec by new_rec makes, slot by slot in order of
// first use. old_rec is an empty record for a new transaction, new_rec an empty record for a
// deletion. Reads accounts only; asks nothing.
FreezeSlots freeze_slots(Core& core, const TTxn& old_rec, const TTxn& new_rec);

// Asks, for every slot with a non-zero net in slot order, the double confirmation
// "Reconciled balance for account "<name>"will be altered!" (kind Reconciled) or "Posting is
// on/before account posting freeze date" (kind Freeze), followed by "\rContinue to
// add/amend/delete transaction". True = go on; the first refusal gives false.
bool chk_freeze(Core& core, const TTxn& old_rec, const TTxn& new_rec);

}  // namespace mintor
