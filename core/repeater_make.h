#pragma once
// Making a repeater out of an existing transaction: the transaction becomes instance 1 of a
// new master, and instance 2 is written at once.

#include <QChar>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// Only payments, receipts and transfers repeat: any other type gives "Only payments,
// receipts and transfers can repeat", and a negative amount "Amount must be >= 0" (the
// transaction's, or the one answered below). Refused while the database is frozen.
// An instance of another master first asks "This transaction will become instance #1 of
// the new Repeater - OK ?". The new master: the transaction's currency, amount, type,
// reference, description, accounts and channel; freq = the given letter ("M" or "Y"),
// rptinc 1, startdate = txndate, no end date or count, active, gento 2, rmdays 31 for a
// yearly payment and 0 otherwise; its amount is asked with "Repeater amount (for future
// instances)", starting at the transaction's. The master is stored with a new id, the
// transaction stored as its instance 1, instance 2 generated (gen_inst) and RebalNeeded set.
// One undoable unit; true when made, and rec then is the stored instance 1 (with the
// master's repeater fields).
bool make_rptr_from_txn(Core& core, TTxn& rec, QChar freq);

}  // namespace mintor
