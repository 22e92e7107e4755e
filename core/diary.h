#pragma once
// Diary entries: transactions of type D with no accounts, whose single posting (to no
// account) places the entry in the journal. Balances, the rebalance and the postings lists
// ignore them.

#include <QString>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Writes a diary entry on the date: txndate = actualtxndate = date, description = the text
// (cut to 40 characters), base currency, amount 0, through write_txn and post_txn as one
// undoable unit. The stored record goes to out when given. False when nothing was written.
bool write_diary_entry(Core& core, qwel::Date date, const QString& text, TTxn* out = nullptr);

}  // namespace mintor
