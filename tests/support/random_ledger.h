#pragma once
// A seeded random ledger for tests: random accounts in three currencies with a rate for every
// day, and random transactions of every type written through the program's own operations —
// payments and receipts (foreign, with a separate posting date, on credit, with cashback or a
// split, in batches), transfers (external and internal), FX deals with commission, FX
// gain/loss entries, diary entries and reconciled balances — then edited, cancelled,
// uncancelled and deleted at random. The same seed gives the same ledger.
//
// Works on an open ledger; when no base currency is known yet GBP becomes it. The scripted
// host must have no other answers queued: the generator answers the questions it causes, and
// keeps clear of the checks' questions (no freeze date or reconciled account is set; the
// counterparties dealt with on credit are never paid in cash).

#include <QList>
#include <QString>
#include <random>
#include <vector>

#include "core/core.h"
#include "core/records.h"
#include "support/scripted_host.h"

namespace testing_support {

struct RandomLedgerStats {
    int payments = 0, receipts = 0, transfers = 0, fx_deals = 0, fx_gain_loss = 0, diary = 0, reconciled = 0;
    int foreign = 0, posting_dates = 0, cashbacks = 0, splits = 0, credits = 0, new_batches = 0, joined_batches = 0;
    int edits = 0, cancels = 0, uncancels = 0, deletes = 0;
    int companions = 0;  // companion transactions written
};

class RandomLedger {
public:
    RandomLedger(mintor::Core& core, ScriptedHost& host, unsigned seed);

    // Currencies, a rate for every day of the dates used, and the accounts.
    void setup();
    // n random operations (each one saves, edits, cancels or deletes a transaction).
    void run(int n);

    const RandomLedgerStats& stats() const { return stats_; }
    // The transactions that exist (as far as the generator made them).
    const std::vector<int>& txn_ids() const { return ids_; }

    // Dates used: every day from first to last.
    static constexpr int kFirstDay = 20240101;
    static constexpr int kDays = 120;

private:
    int pick(const QList<int>& from);
    bool chance(double p);
    qint64 amount();
    qwel::Date date();
    int add_account(int type2, const QString& name, const QString& ccy);

    void payment_or_receipt();
    void transfer();
    void fx_deal();
    void fx_gain_loss();
    void diary_entry();
    void reconciled_balance();
    void edit();
    void cancel();
    void remove();
    int existing_txn(bool only_editable);
    void saved(const mintor::TTxn& rec);
    void fail(const QString& what);

    mintor::Core& core_;
    ScriptedHost& host_;
    unsigned seed_;
    std::mt19937_64 rng_;
    int step_ = 0;
    RandomLedgerStats stats_;
    std::vector<int> ids_;
    QList<int> heads_;  // batch heads
    QList<int> base_ext_, usd_ext_, eur_ext_, cptys_, credit_cptys_, internals_;
    int cash_ = 0;
};

}  // namespace testing_support
