#pragma once
// The sweep: a transaction that brings an account to a zero balance, prepared here and
// finished by the user in the input form. Called from the postings list (the running balance
// at a posting, and its date) and from the balances view (the balance at the period end).

#include <functional>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// The input form's account selections the sweep starts from and fills in.
struct SweepSlots {
    int ext_acc = 0;  // "External account " (payments and receipts)
    int ext_chnum = 0;
    int cpty = 0;     // "Counterparty "
    int int_acc = 0;  // "Internal account "
    int tfr_from = 0, tfr_to = 0;          // external transfer "From account " / "To account "
    int int_tfr_from = 0, int_tfr_to = 0;  // internal transfer
};

enum class SweepVia { Sale, Transfer };  // "Sale/Rcpt" or "Purchase/Payt", or "Transfer"

// What the sweep needs from the forms.
struct SweepCalls {
    // Opens the input form in new mode on the record (reference "sweep") with the slots as
    // its selections; true when the user saved it, the record then holding the saved one.
    std::function<bool(Core&, TTxn&, SweepSlots&)> enter_new_txn;
    // Reconciles the account at the date (the reconciliation); its result.
    std::function<int(Core&, int accid, qwel::Date date)> reconcile;
};

// The record of a sweep of the account (steps 3 to 5): the account goes into the slot of its
// type, the other slots keep what they hold; type R for a negative balance and P otherwise
// (via Sale), or C (via Transfer: a positive balance makes the account the "from" account, a
// negative one the "to" account; when the other slot holds the same account it takes the one
// replaced, or is cleared). amt = |balance|, ccy = the account's, txndate = actualtxndate =
// the date, valued with calc_txn_val, reference "sweep". False when the account's type has no
// slot for the choice (payments and receipts: external accounts, counterparties, categories
// and pots; transfers: external accounts, categories and pots).
bool prepare_sweep(Core& core, const Tacc& acc, qint64 balance, qwel::Date date, SweepVia via, SweepSlots& sel,
                   TTxn& rec);

// A balance of 0: -1. Asks "Sweep to|off this account : via Sale/Rcpt|Purchase/Payt or via
// Transfer?" (buttons: that choice, "Transfer", "Cancel"); Cancel, a missing account or an
// account that cannot be swept that way: -1. Opens the input form on the prepared record;
// cancelled: -1. Saved: "Also reconcile resulting zero balance?" — yes gives the result of
// reconciling the account at the saved txndate, no gives 0.
int sweep_account(Core& core, int accid, qint64 balance, qwel::Date date, SweepSlots& sel,
                  const SweepCalls& calls);

}  // namespace mintor
