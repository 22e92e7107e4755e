#pragma once
// Unstraddling: a payment or receipt whose posting date (date2) lies on the other side of a
// period boundary than its txndate keeps the rebalance from running (the straddle check).
// Unstraddling splits it in two, one for each date, in one batch headed by it:
// - the transaction itself becomes a payment or receipt on credit at txndate: its external
//   account is replaced by the counterparty's credit account (credit.h), without channel,
//   reference, posting date or actual date;
// - a new transfer ("unstraddle") at the old posting date moves the money between the old
//   external account and the credit account (from the external account for a payment, to
//   it for a receipt).
// A cancelled transaction simply loses its posting date.

#include "core/core.h"

namespace mintor {

// Refused while the database is frozen ("Cannot unstraddle txn, database is frozen"), for a
// missing transaction (reported), for anything but a payment or receipt ("Only payments and
// receipts can be unstraddled"), for a transaction without a posting date ("Txn #<id> has no
// posting date"), and, unless it is cancelled, when its counterparty is missing (reported) or
// its credit account would be in another currency than the transaction. All of that is
// checked before anything changes. A credit account made here is closed at the later of the
// two dates. One undoable unit; true = done.
bool unstraddle_txn(Core& core, int txnid);

}  // namespace mintor
