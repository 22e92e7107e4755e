#pragma once
// How a transaction becomes its postings (pstg rows): which accounts are posted, with which
// sign, date, currency, amount, value, contra account, seq, channel and display flags.
//
// Per type, in this order (posting date = date2 when set, else txndate):
//   P  accid1  contra accid2  posting date  debit   (carries the channel)
//      accid2  contra accid1  posting date  credit
//      accid4  contra accid2  txndate       debit   amt := the value, ccy := base currency
//   R  as P with credit / debit / credit
//   C  accid1  contra accid2  posting date  debit   (carries the channel)
//      accid2  contra accid1  posting date  credit
//   F  accid1  contra accid2  txndate  as is;  accid2  contra accid1  txndate  as is
//   D  one posting to no account (objid 0), txndate, as is, dprngbal 0
//   Z  accid1  contra 0  txndate  amt 0, val 0, recamt := the transaction's amt, seq 99999999
// A posting to account id 0 is not written (so a payment without internal account has two
// postings); the diary posting is the one exception. A cancelled transaction keeps its
// postings with zero amounts and values (a Z keeps its recamt). A master posts nothing, and
// any other type letter posts nothing. seq is the transaction id (99999999 for Z); every
// posting starts unreconciled with dppstgdate and dprngbal set unless said otherwise.
//
// post_txn never deletes: to re-post, delete_txn_pstgs (txn_delete.h) first. Each posting
// insert sets RebalNeeded when its amt is not 0 and it is dated on or before the period end.

#include <QtGlobal>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// How a rule signs a figure (the code applies to amt and val alike).
enum class SignCode {
    Debit,   // minus the absolute value
    Credit,  // plus the absolute value
    AsIs,    // the figure with its own sign
};

constexpr int kReconSeq = 99999999;  // seq of a reconciled-balance posting: last of its day

qint64 apply_sign(qint64 figure, SignCode code);

// The date the external account and the counterparty of a payment or receipt (and both
// accounts of a transfer) are posted on: date2 when set, else txndate.
qwel::Date posting_date(const TTxn& txn);

// The posting template of a transaction before its first posting: txnid, seq, ccy, txntype,
// chnum, batchnum, the figures (0 when cancelled), flags set, reconcode and recamt 0, no
// account or contra, dated on txndate.
TPstg posting_template(const TTxn& txn);

// Writes one posting from the template with objid := accid, contra := contra and the code
// applied to amt and val. Does nothing (true) when accid is 0. False when a database error
// stopped it (reported once at the outermost operation; nested, it goes on to the caller).
bool post_one(Core& core, const TPstg& tpl, int accid, int contra, SignCode code);

// Creates all postings of the transaction by the rules above; one undoable unit (none stays
// when one fails). True when all were written, or there were none to write.
bool post_txn(Core& core, const TTxn& txn);

}  // namespace mintor
