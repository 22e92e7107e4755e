#pragma once
// Companion transactions: the further transactions that saving one entered transaction
// writes in the main transaction's batch (batch number = the main transaction's id).
//   Cashback      a receipt (R) of the cash taken, from the internal account into the cash
//                 account (CashbackAccId), through the main counterparty, on the main
//                 txndate; a negative cashback amount makes it a payment (P) of its absolute
//                 value. Reference "Cashback".
//   Split         the second part of a payment or receipt split between two internal
//                 accounts: the main record with the second internal account and amount.
//   FX commission a payment (P) of the commission of a foreign-exchange deal, otherwise as
//                 the main record. Reference "FX commission".
//   FX second leg the foreign-currency side of the deal: the opposite type (R for a main P,
//                 P for a main R) in the foreign currency, on the foreign-currency account
//                 and its channel, valued at that currency's rate on txndate.
// A companion is always a stand-alone transaction (not a repeater master or instance), new
// (id 0) and valued with calc_txn_val when written.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

struct CashbackPart {
    bool on = false;
    qint64 amount = 0;  // > 0 cash received (cashback), < 0 cash paid
};

struct SplitPart {
    bool on = false;
    int accid4 = 0;  // the second internal account
    QString accname4;
    qint64 amount = 0;  // the second amount (the main record carries the first)
};

struct FxPart {
    bool on = false;
    int accid1 = 0;  // the foreign-currency external account
    QString accname1;
    int chnum = 0;  // its channel
    QString chname;
    QString ccy;          // the foreign currency
    qint64 amount = 0;    // the foreign-currency amount
    qint64 commission = 0;  // 0 = none
};

// The companion records of a main transaction (not yet valued or written).
TTxn cashback_txn(const Core& core, const TTxn& main, qint64 amount);
TTxn split_txn(const TTxn& main, const SplitPart& split);
TTxn fx_commission_txn(const TTxn& main, qint64 commission);
// An FX main that is neither P nor R shows the program error "invalid FX txn type" and the
// leg keeps the main type.
TTxn fx_leg_txn(const TTxn& main, const FxPart& fx);

// What writing the companions did.
struct CompanionsWritten {
    std::vector<TTxn> written;  // in the order written
    QStringList not_written;    // "Cashback", "Split", "FX commission", "FX second leg"
};

// Values and writes (save_txn) the chosen companions of the saved main transaction, in the
// order cashback, split, FX commission, FX second leg. A companion that cannot be valued
// (no usable rate) or written (no new id), or a cashback without cash account, is not
// written: "<name> transaction not written" tells the user which. A database error throws
// on to the enclosing operation (call it inside one).
CompanionsWritten write_companions(Core& core, const TTxn& main, const CashbackPart& cashback,
                                   const SplitPart& split, const FxPart& fx);

}  // namespace mintor
