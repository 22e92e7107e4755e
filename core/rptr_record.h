#pragma once
// A repeater master as a transaction record (kind Master), the form in which the input form
// edits a master and from which every new instance starts.

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// A record of kind Master: type, currency, amount, reference, description, the three
// accounts (with their names), channel and stamps from the master; txndate, date2 and
// actualtxndate = startdate; masterid = the master's id; its repeater fields (gento, freq,
// startdate, enddate, rptactive, rptinc, rptct, rmdays) copied. id 0, no batch, not
// cancelled, journal flag set. The inverse of rptr_from_txn (txn_write.h).
TTxn txn_from_rptr(const Core& core, const TRptr& master);

// True for the step units that move an instance's date: D, W, M and Y. Any other letter
// (blank for no repetition, or a damaged row) does not repeat.
bool is_repeating_freq(QChar freq);

}  // namespace mintor
