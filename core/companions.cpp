#include "core/companions.h"

#include "core/posting.h"
#include "core/txn_value.h"
#include "core/txn_write.h"
#include "core/txnrows.h"
#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

namespace {

// A new stand-alone copy of the main record in its batch.
TTxn companion_copy(const TTxn& main) {
    TTxn c = main;
    c.id = 0;
    c.kind = TxnKind::Plain;
    c.masterid = 0;
    c.instance = 0;
    c.gento = 0;
    c.freq = QLatin1Char(' ');
    c.startdate = Date{};
    c.enddate = Date{};
    c.rptactive = false;
    c.rptinc = 0;
    c.rptct = 0;
    c.rmdays = 0;
    c.createts = Stamp{};
    c.editts = Stamp{};
    c.createdate = 0;
    c.createtime = 0;
    c.batchnum = main.id;
    return c;
}

}  // namespace

TTxn cashback_txn(const Core& core, const TTxn& main, qint64 amount) {
    TTxn c;
    init_txn(core, c);
    c.txndate = main.txndate;
    c.date2 = main.txndate;
    c.type = QLatin1Char('R');
    c.accid1 = core.settings.cashback_acc_id;
    c.accid2 = main.accid2;
    c.accname2 = main.accname2;
    c.accid4 = main.accid4;
    c.accname4 = main.accname4;
    c.amt = amount;
    c.ccy = main.ccy;
    if (amount < 0) {
        c.amt = apply_sign(amount, SignCode::Credit);  // its absolute value
        c.type = QLatin1Char('P');
    }
    c.ref = QStringLiteral("Cashback");
    c.batchnum = main.id;
    return c;
}

TTxn split_txn(const TTxn& main, const SplitPart& split) {
    TTxn c = companion_copy(main);
    c.accid4 = split.accid4;
    c.accname4 = split.accname4;
    c.amt = split.amount;
    return c;
}

TTxn fx_commission_txn(const TTxn& main, qint64 commission) {
    TTxn c = companion_copy(main);
    c.type = QLatin1Char('P');
    c.amt = commission;
    c.ref = QStringLiteral("FX commission");
    return c;
}

TTxn fx_leg_txn(const TTxn& main, const FxPart& fx) {
    TTxn c = companion_copy(main);
    if (main.type == QLatin1Char('P')) c.type = QLatin1Char('R');
    else if (main.type == QLatin1Char('R')) c.type = QLatin1Char('P');
    else program_error(QStringLiteral("invalid FX txn type"));
    c.accid1 = fx.accid1;
    c.accname1 = fx.accname1;
    c.chnum = fx.chnum;
    c.chname = fx.chname;
    c.amt = fx.amount;
    c.ccy = fx.ccy;
    return c;
}

CompanionsWritten write_companions(Core& core, const TTxn& main, const CashbackPart& cashback,
                                   const SplitPart& split, const FxPart& fx) {
    CompanionsWritten out;
    auto write = [&](TTxn rec, const QString& name, bool usable = true) {
        // a companion with a wrong value would post a wrong internal amount: leave it out
        if (!usable || !calc_txn_val(core, rec) || !save_txn(core, rec)) {
            show_msg(name + QStringLiteral(" transaction not written"));
            out.not_written << name;
            return;
        }
        out.written.push_back(rec);
    };
    if (cashback.on) {
        const bool has_account = core.settings.cashback_acc_id > 0;
        if (!has_account) show_msg(QStringLiteral("No cashback account selected"));
        write(cashback_txn(core, main, cashback.amount), QStringLiteral("Cashback"), has_account);
    }
    if (split.on) write(split_txn(main, split), QStringLiteral("Split"));
    if (fx.on) {
        if (fx.commission != 0) write(fx_commission_txn(main, fx.commission), QStringLiteral("FX commission"));
        write(fx_leg_txn(main, fx), QStringLiteral("FX second leg"));
    }
    return out;
}

}  // namespace mintor
