#pragma once
// Quick edits of a stored transaction from the postings list, the transaction details window
// and the search results: its amount, the posting date of its external account and
// counterparty postings, and its description or reference.

#include <QChar>
#include <QString>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Asks "Enter amount unsigned" (an amount; cancel or an invalid amount: false; a negative one:
// "Amount must be >= 0"), then re-posts the transaction with it. Its value is computed again
// (calc_txn_val; without a usable rate nothing changes). The signed types keep the sign they
// have: an FX gain/loss (whose value is its amount) and a reconciled balance. The protected
// postings the new amount changes are asked about (chk_freeze). Refused while the database is
// frozen ("Cannot edit txn amount, database is frozen"). One undoable unit; true = done.
bool edit_txn_amt(Core& core, int txnid);

// Whether the posting of the account can be redated: only the accid1 and accid2 postings of a
// payment, a receipt or a transfer between external accounts carry the posting date.
bool pstgdate_editable(Core& core, const TTxn& txn, int accid);

// Redates the posting (its transaction and account; the amount and date are read from the
// ledger): the new date is picked in the calendar, starting at the posting's date, and
// becomes the transaction's posting date (date2), so the external account and the
// counterparty postings (both accounts of a transfer) move together. Refused while the
// database is frozen ("Cannot edit posting date, database is frozen"), for a posting that
// carries no posting date (pstgdate_editable), and when a moving posting with an amount lies,
// now or at the new date, on or before its account's reconciled date ("Cannot redate : will
// upset reconciled balance"). Re-posts with the value computed again (calc_txn_val). One
// undoable unit; true = done.
bool edit_pstgdate(Core& core, const TPstg& posting);

// Asks the new description (which 'D', at most 40 characters) or reference ('R', at most 20)
// in the input box "Edit transaction description" / "Edit transaction reference", starting at
// text, and stores it in the txn row only: postings, checks and stamps are untouched. Refused
// while the database is frozen ("Cannot edit txn, database is frozen"); a missing transaction
// is reported. True = done.
bool edit_txn_text(Core& core, int txnid, const QString& text, QChar which);

}  // namespace mintor
