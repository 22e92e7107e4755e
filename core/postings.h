#pragma once
// Reading and writing posting rows (TPstg), keyed by (txnid, objid), and an account's
// brought-forward posting (txnid 0, type A).
//
// Writes run under run_undoable (undo.h) and return false when a database error stopped
// them; nothing here commits. A write of a posting that may change the period figures sets
// RebalNeeded (set_rebalance_needed):
//   insert_pstg: when amt is not 0 and pstgdate is on or before the period end To;
//   update_pstg: unless the new and the stored pstgdate both lie after To, or amt and
//                pstgdate are both unchanged.
// rngbal and rprts are never written here.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// All 0, ccy = the base currency, no date, type blank, dppstgdate and dprngbal set.
void init_pstg(const Core& core, TPstg& rec);

// False (rec cleared) when there is no such posting. A stored type letter that is not one of
// A C D F P R Z is shown ("Posting has invalid txn type " + description) and replaced by
// the type of its transaction.
bool read_pstg(Core& core, int txnid, int objid, TPstg& rec);
// read_pstg; when false, "Posting not found " + txnid + " " + objid.
bool read_pstg_or_report(Core& core, int txnid, int objid, TPstg& rec);

// Updates every column of a stored posting; a missing one is reported and nothing is written.
bool update_pstg(Core& core, const TPstg& rec);
// Inserts the key, then writes every column.
bool insert_pstg(Core& core, const TPstg& rec);
// update_pstg when the key exists, else insert_pstg.
bool upsert_pstg(Core& core, const TPstg& rec);
// "delete from pstg where txnid=" + txnid + " and objid=" + objid.
bool delete_pstg(Core& core, int txnid, int objid);

// Adds the account's brought-forward posting (txnid 0, type A, date 0, all amounts 0, in the
// account's currency) when it has none. The postings list calls it when it opens an account.
bool ensure_bfd_posting(Core& core, const Tacc& acc);
// delete_pstg(0, id).
bool delete_bfd_posting(Core& core, int id);

}  // namespace mintor
