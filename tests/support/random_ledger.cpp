#include "support/random_ledger.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <algorithm>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/credit.h"
#include "core/dbstatus.h"
#include "core/diary.h"
#include "core/posting.h"
#include "core/sql.h"
#include "core/txn_delete.h"
#include "core/txn_save.h"
#include "core/txn_value.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/dates.h"

namespace testing_support {

using namespace mintor;
using qwel::Date;

RandomLedger::RandomLedger(Core& core, ScriptedHost& host, unsigned seed)
    : core_(core), host_(host), seed_(seed), rng_(seed) {}

int RandomLedger::pick(const QList<int>& from) {
    if (from.isEmpty()) return 0;
    return from[int(std::uniform_int_distribution<int>(0, int(from.size()) - 1)(rng_))];
}

bool RandomLedger::chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

qint64 RandomLedger::amount() {
    // mostly everyday sums, sometimes large ones
    if (chance(0.05)) return std::uniform_int_distribution<qint64>(1, 4'000'000'000'000'000LL)(rng_);
    return std::uniform_int_distribution<qint64>(1, 2'000'000)(rng_);
}

Date RandomLedger::date() {
    const int day = std::uniform_int_distribution<int>(0, kDays - 1)(rng_);
    Date d = qwel::int_to_date(kFirstDay);
    for (int i = 0; i < day; ++i) d = qwel::next_day(d);
    return d;
}

void RandomLedger::fail(const QString& what) {
    ADD_FAILURE() << "random ledger (seed " << seed_ << ", step " << step_ << "): " << what.toStdString() << "\n  "
                  << host_.messages().join(QStringLiteral(" | ")).toStdString();
}

int RandomLedger::add_account(int type2, const QString& name, const QString& ccy) {
    Tacc a;
    a.type2 = type2;
    init_acc(core_, a);
    a.name = name;
    a.ccy = ccy;
    if (!insert_acc(core_, a)) fail(QStringLiteral("account ") + name + QStringLiteral(" not stored"));
    return a.id;
}

void RandomLedger::setup() {
    if (core_.run.base_ccy.isEmpty()) {
        exec_sql(core_, QStringLiteral("insert into ccy (id, \"NAME\", base) values ('GBP', 'Pound', 1)"));
        check_base_ccy(core_);
    }
    const QString base = core_.run.base_ccy;
    for (const char* code : {"USD", "EUR"}) {
        exec_sql(core_, QStringLiteral("insert into ccy (id, \"NAME\", base) values ('%1', '%1', 0)").arg(QLatin1String(code)));
        Date d = qwel::int_to_date(kFirstDay);
        for (int i = 0; i < kDays; ++i, d = qwel::next_day(d)) {
            // rates with many digits, so the values need real rounding
            const double rate = std::uniform_real_distribution<double>(0.4, 2.5)(rng_);
            exec_sql(core_, QStringLiteral("insert into rate (ccycode, rdate, rate) values ('%1', %2, %3)")
                                .arg(QLatin1String(code))
                                .arg(qwel::date_to_int(d))
                                .arg(QString::number(rate, 'g', 17)));
        }
    }
    for (int i = 0; i < 4; ++i) base_ext_ << add_account(kTypeExternal, QStringLiteral("Bank %1").arg(i), base);
    for (int i = 0; i < 2; ++i) usd_ext_ << add_account(kTypeExternal, QStringLiteral("Dollar %1").arg(i), QStringLiteral("USD"));
    for (int i = 0; i < 2; ++i) eur_ext_ << add_account(kTypeExternal, QStringLiteral("Euro %1").arg(i), QStringLiteral("EUR"));
    for (int i = 0; i < 6; ++i) cptys_ << add_account(kTypeCounterparty, QStringLiteral("Party %1").arg(i), base);
    // counterparties dealt with on credit only: a cash payment to one of them would bypass its
    // credit account, which the bypass check questions
    for (int i = 0; i < 2; ++i)
        credit_cptys_ << add_account(kTypeCounterparty, QStringLiteral("Lender %1").arg(i), base);
    for (int i = 0; i < 5; ++i) internals_ << add_account(kTypeCategory, QStringLiteral("Category %1").arg(i), base);
    for (int i = 0; i < 2; ++i) internals_ << add_account(kTypePot, QStringLiteral("Pot %1").arg(i), base);
    cash_ = add_account(kTypeExternal, QStringLiteral("Cash"), base);
    core_.settings.cashback_acc_id = cash_;
}

void RandomLedger::saved(const TTxn& rec) {
    if (rec.id > 0 && std::find(ids_.begin(), ids_.end(), rec.id) == ids_.end()) ids_.push_back(rec.id);
}

void RandomLedger::run(int n) {
    for (int i = 0; i < n; ++i) {
        ++step_;
        const int r = std::uniform_int_distribution<int>(0, 99)(rng_);
        if (r < 34) payment_or_receipt();
        else if (r < 46) transfer();
        else if (r < 54) fx_deal();
        else if (r < 58) fx_gain_loss();
        else if (r < 62) diary_entry();
        else if (r < 66) reconciled_balance();
        else if (r < 80) edit();
        else if (r < 91) cancel();
        else remove();
        if (host_.answers_left()) fail(QStringLiteral("a question the generator expected was not asked"));
    }
}

void RandomLedger::payment_or_receipt() {
    TxnEntry e;
    TTxn& t = e.rec;
    init_txn(core_, t);
    t.type = chance(0.6) ? QLatin1Char('P') : QLatin1Char('R');
    const bool foreign = chance(0.25);
    QList<int> exts = base_ext_;
    if (foreign) {
        const bool usd = chance(0.5);
        exts = usd ? usd_ext_ : eur_ext_;
        t.ccy = usd ? QStringLiteral("USD") : QStringLiteral("EUR");
        ++stats_.foreign;
    } else {
        t.ccy = core_.run.base_ccy;
    }
    t.accid1 = pick(exts);
    t.accid2 = pick(cptys_);
    t.accid4 = pick(internals_);
    t.amt = amount();
    t.actualtxndate = date();
    t.txndate = t.actualtxndate;
    if (chance(0.25)) {
        t.date2 = date();
        ++stats_.posting_dates;
    }
    t.narrative = QStringLiteral("random %1").arg(step_);
    t.cancelled = chance(0.05);
    bool on_credit = false;
    if (!foreign && chance(0.1)) {
        on_credit = true;
        t.accid2 = pick(credit_cptys_);
        Tacc cpty, credit;
        read_acc(core_, t.accid2, cpty);
        if (!cpty_credit_acc(core_, cpty, credit)) return fail(QStringLiteral("no credit account"));
        t.accid1 = credit.id;
        ++stats_.credits;
    }
    // (not on credit: the cash part through a lender would bypass its credit account)
    if (!foreign && !on_credit && t.type == QLatin1Char('P') && chance(0.15)) {
        e.cashback.on = true;
        e.cashback.amount = std::uniform_int_distribution<qint64>(-5000, 5000)(rng_);
        t.batchnum = -1;
        ++stats_.cashbacks;
    }
    if (chance(0.15)) {
        e.split.on = true;
        do {
            e.split.accid4 = pick(internals_);
        } while (e.split.accid4 == t.accid4);
        e.split.amount = amount();
        t.batchnum = -1;
        ++stats_.splits;
    }
    if (t.batchnum == 0) {
        if (chance(0.08)) {
            e.batch_choice = BatchChoice::New;
            t.batchnum = -1;
            ++stats_.new_batches;
        } else if (!heads_.isEmpty() && chance(0.1)) {
            e.batch_choice = BatchChoice::AddToExisting;
            t.batchnum = pick(heads_);
            e.batch_number = t.batchnum;
            ++stats_.joined_batches;
        }
    }
    if (!calc_txn_val(core_, t)) return fail(QStringLiteral("no value"));
    if (save_entered_txn(core_, e) != EntrySave::Saved) return fail(QStringLiteral("payment or receipt not saved"));
    saved(e.rec);
    for (const TTxn& c : e.companions) saved(c);
    stats_.companions += int(e.companions.size());
    if (e.rec.batchnum == e.rec.id) heads_ << e.rec.id;
    if (t.type == QLatin1Char('P')) ++stats_.payments;
    else ++stats_.receipts;
}

void RandomLedger::transfer() {
    TxnEntry e;
    TTxn& t = e.rec;
    init_txn(core_, t);
    t.type = QLatin1Char('C');
    QList<int> from_set;
    const int kind = std::uniform_int_distribution<int>(0, 2)(rng_);
    if (kind == 0) {
        from_set = base_ext_ + QList<int>{cash_};
        t.ccy = core_.run.base_ccy;
    } else if (kind == 1) {
        from_set = usd_ext_;
        t.ccy = QStringLiteral("USD");
    } else {
        from_set = internals_;
        t.ccy = core_.run.base_ccy;
    }
    t.accid1 = pick(from_set);
    do {
        t.accid2 = pick(from_set);
    } while (t.accid2 == t.accid1);
    t.amt = amount();
    t.actualtxndate = date();
    t.txndate = t.actualtxndate;
    if (kind != 2 && chance(0.2)) t.date2 = date();
    t.cancelled = chance(0.05);
    calc_txn_val(core_, t);
    if (save_entered_txn(core_, e) != EntrySave::Saved) return fail(QStringLiteral("transfer not saved"));
    saved(e.rec);
    ++stats_.transfers;
}

void RandomLedger::fx_deal() {
    TxnEntry e;
    TTxn& t = e.rec;
    init_txn(core_, t);
    t.type = chance(0.5) ? QLatin1Char('P') : QLatin1Char('R');  // buy or sell foreign currency
    t.ccy = core_.run.base_ccy;
    t.accid1 = pick(base_ext_);
    t.accid2 = pick(cptys_);
    t.accid4 = pick(internals_);
    t.amt = amount();
    t.actualtxndate = date();
    t.txndate = t.actualtxndate;
    t.ref = QStringLiteral("FX");
    t.batchnum = -1;
    e.fx.on = true;
    const bool usd = chance(0.5);
    e.fx.ccy = usd ? QStringLiteral("USD") : QStringLiteral("EUR");
    e.fx.accid1 = pick(usd ? usd_ext_ : eur_ext_);
    e.fx.amount = amount();
    e.fx.commission = chance(0.5) ? std::uniform_int_distribution<qint64>(1, 2000)(rng_) : 0;
    calc_txn_val(core_, t);
    if (save_entered_txn(core_, e) != EntrySave::Saved) return fail(QStringLiteral("FX deal not saved"));
    if (e.companions.size() != (e.fx.commission != 0 ? 2u : 1u)) fail(QStringLiteral("FX companions missing"));
    saved(e.rec);
    for (const TTxn& c : e.companions) saved(c);
    stats_.companions += int(e.companions.size());
    heads_ << e.rec.id;
    ++stats_.fx_deals;
}

void RandomLedger::fx_gain_loss() {
    TTxn t;
    init_txn(core_, t);
    t.type = QLatin1Char('F');
    t.ccy = core_.run.base_ccy;
    t.accid1 = pick(internals_);
    t.accid2 = chance(0.5) ? pick(usd_ext_ + eur_ext_) : 0;
    t.amt = std::uniform_int_distribution<qint64>(-100000, 100000)(rng_);
    t.txndate = date();
    t.actualtxndate = t.txndate;
    if (!save_txn(core_, t)) return fail(QStringLiteral("FX gain/loss not saved"));
    saved(t);
    ++stats_.fx_gain_loss;
}

void RandomLedger::diary_entry() {
    TTxn t;
    if (!write_diary_entry(core_, date(), QStringLiteral("note %1").arg(step_), &t))
        return fail(QStringLiteral("diary entry not saved"));
    saved(t);
    ++stats_.diary;
}

void RandomLedger::reconciled_balance() {
    TTxn t;
    init_txn(core_, t);
    t.type = QLatin1Char('Z');
    t.accid1 = pick(base_ext_);
    t.amt = std::uniform_int_distribution<qint64>(-1'000'000, 1'000'000)(rng_);
    t.txndate = date();
    t.actualtxndate = t.txndate;
    if (!save_txn(core_, t)) return fail(QStringLiteral("reconciled balance not saved"));
    saved(t);
    ++stats_.reconciled;
}

int RandomLedger::existing_txn(bool only_editable) {
    std::vector<int> ids;
    for (int id : ids_) ids.push_back(id);
    std::shuffle(ids.begin(), ids.end(), rng_);
    for (int id : ids) {
        if (!only_editable) return id;
        TTxn t;
        if (read_txn(core_, id, t) && QStringLiteral("PRC").contains(t.type)) return id;
    }
    return 0;
}

void RandomLedger::edit() {
    const int id = existing_txn(true);
    if (id == 0) return;
    TxnEntry e;
    e.edit_mode = true;
    if (!read_txn(core_, id, e.old_rec)) return fail(QStringLiteral("txn to edit not read"));
    e.rec = e.old_rec;
    TTxn& t = e.rec;
    t.amt = amount();
    if (chance(0.4)) {
        t.actualtxndate = date();
        t.txndate = t.actualtxndate;
    }
    if (chance(0.3)) t.date2 = chance(0.5) ? date() : Date{};
    if (!calc_txn_val(core_, t)) return fail(QStringLiteral("no value for the edit"));
    host_.answer_yes();  // "Update existing transaction - OK ?"
    if (save_entered_txn(core_, e) != EntrySave::Saved) return fail(QStringLiteral("edit not saved"));
    ++stats_.edits;
}

void RandomLedger::cancel() {
    const int id = existing_txn(false);
    if (id == 0) return;
    TTxn t;
    if (!read_txn(core_, id, t)) return fail(QStringLiteral("txn to cancel not read"));
    // the maintenance pattern: drop the postings, change the record, store and post it again
    t.cancelled = !t.cancelled;
    if (!delete_txn_pstgs(core_, id) || !save_txn(core_, t)) return fail(QStringLiteral("cancel not saved"));
    if (t.cancelled) ++stats_.cancels;
    else ++stats_.uncancels;
}

void RandomLedger::remove() {
    const int id = existing_txn(false);
    if (id == 0) return;
    if (!delete_txn(core_, id)) return fail(QStringLiteral("txn not deleted"));
    ids_.erase(std::find(ids_.begin(), ids_.end(), id));
    heads_.removeAll(id);
    ++stats_.deletes;
}

}  // namespace testing_support
