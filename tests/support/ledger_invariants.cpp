#include "support/ledger_invariants.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

#include "core/sql.h"

namespace testing_support {

namespace {

struct TxnRow {
    int id = 0;
    QString type;
    QString ccy;
    qint64 amt = 0, val = 0;
    bool cancelled = false;
    int accid1 = 0, accid2 = 0, accid4 = 0;
    int batchnum = 0;
};

struct PstgRow {
    int txnid = 0, objid = 0;
    QString type, ccy;
    qint64 amt = 0, val = 0;
    int batchnum = 0;
};

}  // namespace

QStringList ledger_invariant_violations(mintor::Core& core) {
    using mintor::open_query;
    QStringList out;
    const QString base = core.run.base_ccy;

    QHash<int, TxnRow> txns;
    {
        QSqlQuery q = open_query(core, QStringLiteral("select id, \"type\", ccy, amt, val, cancelled, accid1, accid2, "
                                                      "accid4, batchnum from txn"));
        while (q.next()) {
            TxnRow t;
            t.id = q.value(0).toInt();
            t.type = q.value(1).toString().trimmed();
            t.ccy = q.value(2).toString().trimmed();
            t.amt = q.value(3).toLongLong();
            t.val = q.value(4).toLongLong();
            t.cancelled = q.value(5).toInt() == 1;
            t.accid1 = q.value(6).toInt();
            t.accid2 = q.value(7).toInt();
            t.accid4 = q.value(8).toInt();
            t.batchnum = q.value(9).toInt();
            txns.insert(t.id, t);
        }
    }
    QHash<int, QHash<int, PstgRow>> pstgs;  // txnid -> objid -> posting
    {
        QSqlQuery q = open_query(core, QStringLiteral("select txnid, objid, txntype, ccy, amt, val, batchnum from pstg "
                                                      "where txnid <> 0"));
        while (q.next()) {
            PstgRow p;
            p.txnid = q.value(0).toInt();
            p.objid = q.value(1).toInt();
            p.type = q.value(2).toString().trimmed();
            p.ccy = q.value(3).toString().trimmed();
            p.amt = q.value(4).toLongLong();
            p.val = q.value(5).toLongLong();
            p.batchnum = q.value(6).toInt();
            pstgs[p.txnid].insert(p.objid, p);
        }
    }

    // 3.
    const qint64 max_txn = mintor::query_int64(core, QStringLiteral("select coalesce(max(id), 0) from txn"));
    const qint64 max_pstg = mintor::query_int64(core, QStringLiteral("select coalesce(max(txnid), 0) from pstg"));
    if (max_txn != max_pstg)
        out << QStringLiteral("highest txn.id %1 differs from highest pstg.txnid %2").arg(max_txn).arg(max_pstg);

    // 4-6.
    for (auto it = pstgs.cbegin(); it != pstgs.cend(); ++it) {
        const auto t = txns.constFind(it.key());
        for (const PstgRow& p : it.value()) {
            const QString where = QStringLiteral("posting %1/%2: ").arg(p.txnid).arg(p.objid);
            if (t == txns.cend()) {
                out << where + QStringLiteral("no transaction");
                continue;
            }
            if (t->cancelled && (p.amt != 0 || p.val != 0))
                out << where + QStringLiteral("cancelled transaction posted %1 / %2").arg(p.amt).arg(p.val);
            if (p.type != t->type) out << where + QStringLiteral("type %1, transaction %2").arg(p.type, t->type);
            if (p.batchnum != t->batchnum)
                out << where + QStringLiteral("batch %1, transaction %2").arg(p.batchnum).arg(t->batchnum);
        }
    }

    // 1-2.
    for (const TxnRow& t : txns) {
        if (t.cancelled) continue;
        const QString where = QStringLiteral("txn #%1 %2: ").arg(t.id).arg(t.type);
        const QHash<int, PstgRow> mine = pstgs.value(t.id);
        auto posting = [&](int accid, const char* role) -> const PstgRow* {
            const auto p = mine.constFind(accid);
            if (p == mine.cend()) {
                out << where + QStringLiteral("no %1 posting (account %2)").arg(QLatin1String(role)).arg(accid);
                return nullptr;
            }
            return &*p;
        };
        if (t.type == QLatin1String("P") || t.type == QLatin1String("R")) {
            const qint64 sign = t.type == QLatin1String("P") ? -1 : 1;
            const PstgRow* ext = posting(t.accid1, "external");
            const PstgRow* cpty = posting(t.accid2, "counterparty");
            if (ext && cpty) {
                if (ext->amt + cpty->amt != 0 || ext->ccy != cpty->ccy)
                    out << where + QStringLiteral("external %1 %2 and counterparty %3 %4 are not opposite")
                                       .arg(ext->amt).arg(ext->ccy).arg(cpty->amt).arg(cpty->ccy);
            }
            if (ext) {
                if (ext->amt != sign * t.amt || ext->ccy != t.ccy)
                    out << where + QStringLiteral("external posting %1 %2 for amount %3 %4")
                                       .arg(ext->amt).arg(ext->ccy).arg(t.amt).arg(t.ccy);
                if (ext->val != sign * t.val)
                    out << where + QStringLiteral("external value %1 for value %2").arg(ext->val).arg(t.val);
            }
            if (t.accid4 != 0) {
                const PstgRow* in = posting(t.accid4, "internal");
                if (in && ext && (in->amt != ext->val || in->val != ext->val || in->ccy != base))
                    out << where + QStringLiteral("internal posting %1 / %2 %3 for external value %4 %5")
                                       .arg(in->amt).arg(in->val).arg(in->ccy).arg(ext->val).arg(base);
            }
            const int expected = t.accid4 != 0 ? 3 : 2;
            if (mine.size() != expected)
                out << where + QStringLiteral("%1 postings, expected %2").arg(mine.size()).arg(expected);
        } else if (t.type == QLatin1String("C")) {
            const PstgRow* from = posting(t.accid1, "from");
            const PstgRow* to = posting(t.accid2, "to");
            if (from && to && (from->amt != -t.amt || to->amt != t.amt || from->amt + to->amt != 0))
                out << where + QStringLiteral("from %1 and to %2 for amount %3").arg(from->amt).arg(to->amt).arg(t.amt);
            if (mine.size() != 2) out << where + QStringLiteral("%1 postings, expected 2").arg(mine.size());
        }
    }
    return out;
}

::testing::AssertionResult ledger_invariants_hold(mintor::Core& core) {
    const QStringList v = ledger_invariant_violations(core);
    if (v.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << v.size() << " ledger invariant violation(s):\n"
                                         << v.mid(0, 20).join(QStringLiteral("\n")).toStdString();
}

}  // namespace testing_support
