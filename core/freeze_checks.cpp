#include "core/freeze_checks.h"

#include <QSqlQuery>

#include "core/acctypes.h"
#include "core/posting.h"
#include "core/sql.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

struct ProtectedAccount {
    bool exists = false;
    QString name;
    int type2 = 0;
    int reconciled = 0;  // yyyymmdd, 0 = never reconciled
};

ProtectedAccount protected_account(Core& core, int accid) {
    ProtectedAccount a;
    QSqlQuery q = open_query(core, QStringLiteral("select name, type2, reconciled from account where id=") +
                                       QString::number(accid));
    if (!q.next()) return a;
    a.exists = true;
    a.name = field_str(q, QStringLiteral("name"));
    a.type2 = field_int(q, QStringLiteral("type2"));
    Date d;
    if (parse_date(field_str(q, QStringLiteral("reconciled")).trimmed(), d)) a.reconciled = date_to_int(d);
    return a;
}

class FreezeMeasure {
public:
    explicit FreezeMeasure(Core& core) : core_(core), freeze_(core.settings.freeze_before) {}

    // The postings of the record as the posting rules make them, each multiplied by sign
    // (-1 for the old record: its postings are taken away).
    void add_record(const TTxn& r, int sign) {
        if (r.cancelled || r.kind == TxnKind::Master) return;
        const QChar t = r.type;
        const bool pay = t == QLatin1Char('P'), rcpt = t == QLatin1Char('R'), tfr = t == QLatin1Char('C');
        if (!pay && !rcpt && !tfr) return;
        const SignCode out = rcpt ? SignCode::Credit : SignCode::Debit;  // accid1 (and accid4)
        const SignCode in = rcpt ? SignCode::Debit : SignCode::Credit;   // accid2
        const Date pdate = posting_date(r);
        add(r.accid1, pdate, apply_sign(r.amt, out), sign);
        add(r.accid2, pdate, apply_sign(r.amt, in), sign);
        if (!tfr) add(r.accid4, r.txndate, apply_sign(r.val, out), sign);
    }

    FreezeSlots table;

private:
    void add(int accid, Date date, qint64 amount, int sign) {
        if (accid == 0) return;
        const ProtectedAccount a = protected_account(core_, accid);
        if (!a.exists || a.type2 == kTypeCounterparty) return;
        const int d = date_to_int(date);
        const bool frozen = freeze_ > 0 && d <= freeze_;
        const bool reconciled = a.reconciled > 0 && d <= a.reconciled;
        if (!frozen && !reconciled) return;
        const int i = find_aix(table, accid, a.name, frozen ? FreezeKind::Freeze : FreezeKind::Reconciled);
        if (i < 0) return;
        FreezeSlot& s = table[size_t(i)];
        qint64 sum = 0;
        // a net past 64 bits cannot be zero: remember that instead of wrapping round
        const bool ok = sign > 0 ? !__builtin_add_overflow(s.net, amount, &sum)
                                 : !__builtin_sub_overflow(s.net, amount, &sum);
        if (ok) s.net = sum;
        else s.overflow = true;
    }

    Core& core_;
    int freeze_;
};

}  // namespace

int find_aix(FreezeSlots& table, int accid, const QString& name, FreezeKind kind) {
    for (int i = 0; i < kFreezeSlots; ++i)
        if (table[size_t(i)].accid == accid) return i;
    for (int i = 0; i < kFreezeSlots; ++i) {
        FreezeSlot& s = table[size_t(i)];
        if (s.accid != 0) continue;
        s.accid = accid;
        s.name = name;
        s.kind = kind;
        s.net = 0;
        s.overflow = false;
        return i;
    }
    program_error(QStringLiteral("find_aix"));
    return -1;
}

FreezeSlots freeze_slots(Core& core, const TTxn& old_rec, const TTxn& new_rec) {
    FreezeMeasure m(core);
    m.add_record(old_rec, -1);
    m.add_record(new_rec, +1);
    return m.table;
}

bool chk_freeze(Core& core, const TTxn& old_rec, const TTxn& new_rec) {
    const FreezeSlots table = freeze_slots(core, old_rec, new_rec);
    for (const FreezeSlot& s : table) {
        if (!s.changed()) continue;
        const QString what = s.kind == FreezeKind::Freeze
                                 ? QStringLiteral("Posting is on/before account posting freeze date")
                                 : QStringLiteral("Reconciled balance for account ") + dquote(s.name) +
                                       QStringLiteral("will be altered!");
        if (!ask_really_sure(what + QStringLiteral("\r") + QStringLiteral("Continue to add/amend/delete transaction")))
            return false;
    }
    return true;
}

}  // namespace mintor
