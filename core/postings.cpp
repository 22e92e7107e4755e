#include "core/postings.h"

#include <QSqlQuery>

#include "core/not_found.h"
#include "core/runners.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

QString key_match(int txnid, int objid) {
    return QStringLiteral("txnid=") + n(txnid) + QStringLiteral(" and objid=") + n(objid);
}

QString key_condition(int txnid, int objid) { return QStringLiteral(" where ") + key_match(txnid, objid); }

QString describe(const TPstg& p) {
    return QStringLiteral("txn #") + n(p.txnid) + QStringLiteral(" account #") + n(p.objid);
}

bool valid_txntype(QChar c) { return QStringLiteral("ACDFPRZ").contains(c) && c != QChar(); }

QString first_letter(const QString& s) { return s.isEmpty() ? QString() : s.left(1); }

void write_columns(Core& core, const TPstg& r) {
    QStringList l;
    l << QStringLiteral("update pstg set ");
    l << QStringLiteral("amt=") + n(r.amt);
    l << QStringLiteral(", val=") + n(r.val);
    l << QStringLiteral(", recamt=") + n(r.recamt);
    l << QStringLiteral(", contra=") + n(r.contra);
    l << QStringLiteral(", reconcode=") + n(r.reconcode);
    l << QStringLiteral(", pstgdate=") + sql_date(r.pstgdate);
    l << QStringLiteral(", dppstgdate=") + sql_flag(r.dppstgdate);
    l << QStringLiteral(", dprngbal=") + sql_flag(r.dprngbal);
    l << QStringLiteral(", txntype=") + sql_text(QString(r.txntype));
    l << QStringLiteral(", chnum=") + n(r.chnum);
    l << QStringLiteral(", batchnum=") + n(r.batchnum);
    l << QStringLiteral(", ccy=") + sql_text(r.ccy);
    l << QStringLiteral(", seq=") + n(r.seq);
    l << key_condition(r.txnid, r.objid);
    exec_sql(core, sql_lines(l));
}

bool after_period(const Core& core, const Date& d) { return date_to_int(d) > core.run.to_int; }

}  // namespace

void init_pstg(const Core& core, TPstg& rec) {
    rec = TPstg{};
    rec.ccy = core.run.base_ccy;
}

bool read_pstg(Core& core, int txnid, int objid, TPstg& rec) {
    init_pstg(core, rec);
    QSqlQuery q = open_query(core, QStringLiteral("select * from pstg") + key_condition(txnid, objid));
    if (!q.next()) return false;
    rec.txnid = field_int(q, QStringLiteral("txnid"));
    rec.seq = field_int(q, QStringLiteral("seq"));
    rec.amt = field_int64(q, QStringLiteral("amt"));
    rec.ccy = field_str(q, QStringLiteral("ccy"));
    rec.recamt = field_int64(q, QStringLiteral("recamt"));
    rec.objid = field_int(q, QStringLiteral("objid"));
    rec.contra = field_int(q, QStringLiteral("contra"));
    rec.pstgdate = int_to_date(field_int(q, QStringLiteral("pstgdate")));
    rec.reconcode = field_int(q, QStringLiteral("reconcode"));
    rec.rngbal = field_int64(q, QStringLiteral("rngbal"));
    if (!field_is_null(q, QStringLiteral("rprts"))) rec.rprts = stamp_from_qt(q.value(QStringLiteral("rprts")).toDateTime());
    const QString type = first_letter(field_str(q, QStringLiteral("txntype")));
    rec.txntype = type.isEmpty() ? QLatin1Char(' ') : type[0];
    rec.chnum = field_int(q, QStringLiteral("chnum"));
    rec.batchnum = field_int(q, QStringLiteral("batchnum"));
    rec.dppstgdate = field_int(q, QStringLiteral("dppstgdate")) == 1;
    rec.dprngbal = field_int(q, QStringLiteral("dprngbal")) == 1;
    rec.val = field_int64(q, QStringLiteral("val"));
    if (!valid_txntype(rec.txntype)) {
        show_msg(QStringLiteral("Posting has invalid txn type ") + describe(rec));
        const QString t = first_letter(
            query_value(core, QStringLiteral("select \"type\" from txn where id=") + n(rec.txnid)).toString());
        rec.txntype = t.isEmpty() ? QLatin1Char(' ') : t[0];
    }
    return true;
}

bool read_pstg_or_report(Core& core, int txnid, int objid, TPstg& rec) {
    if (read_pstg(core, txnid, objid, rec)) return true;
    report_not_found(QStringLiteral("Posting"), txnid, objid);
    return false;
}

bool update_pstg(Core& core, const TPstg& rec) {
    TPstg stored;
    if (!read_pstg_or_report(core, rec.txnid, rec.objid, stored)) return false;
    return run_undoable(core, [&] {
        write_columns(core, rec);
        const bool both_after = after_period(core, rec.pstgdate) && after_period(core, stored.pstgdate);
        const bool unchanged = rec.amt == stored.amt && rec.pstgdate == stored.pstgdate;
        if (!both_after && !unchanged) set_rebalance_needed(core, true);
    });
}

bool insert_pstg(Core& core, const TPstg& rec) {
    return run_undoable(core, [&] {
        exec_sql(core, QStringLiteral("insert into pstg (txnid, objid) values (") + n(rec.txnid) +
                           QStringLiteral(", ") + n(rec.objid) + QStringLiteral(")"));
        write_columns(core, rec);
        if (rec.amt != 0 && !after_period(core, rec.pstgdate)) set_rebalance_needed(core, true);
    });
}

bool upsert_pstg(Core& core, const TPstg& rec) {
    // only whether the key exists: update_pstg reads the stored posting itself
    const bool exists = count_rows(core, QStringLiteral("pstg"), key_match(rec.txnid, rec.objid)) > 0;
    return exists ? update_pstg(core, rec) : insert_pstg(core, rec);
}

bool delete_pstg(Core& core, int txnid, int objid) {
    return run_undoable(core, [&] { exec_sql(core, QStringLiteral("delete from pstg") + key_condition(txnid, objid)); });
}

bool ensure_bfd_posting(Core& core, const Tacc& acc) {
    if (acc.id <= 0) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select * from pstg where txnid=0 and objid=") + n(acc.id));
    if (q.next()) return true;
    TPstg p;
    init_pstg(core, p);
    p.txnid = 0;
    p.objid = acc.id;
    p.ccy = acc.ccy;
    p.txntype = QLatin1Char('A');
    return insert_pstg(core, p);
}

bool delete_bfd_posting(Core& core, int id) { return delete_pstg(core, 0, id); }

}  // namespace mintor
