#include "core/txnrows.h"

#include <QSqlRecord>

#include "core/accounts.h"
#include "core/cptyctgy.h"
#include "core/ids.h"
#include "core/not_found.h"
#include "core/repeaters_store.h"
#include "core/runners.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/record_write.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

QString channel_name(Core& core, int chnum) {
    if (chnum == 0) return QString();
    QSqlQuery q = open_query(core, QStringLiteral("select chname from channel where chnum=") + n(chnum));
    if (!q.next()) return QStringLiteral("invalid chnum ") + n(chnum);
    return field_str(q, QStringLiteral("chname"));
}

// False when there is no such row.
bool write_row(Core& core, TTxn& rec) {
    rec.editts = now_stamp();
    if (rec.batchnum == -1) rec.batchnum = rec.id;
    QStringList l;
    l << QStringLiteral("update txn set ");
    l << QStringLiteral("ccy=") + sql_text(rec.ccy);
    l << QStringLiteral(", instance=") + n(rec.instance);
    l << QStringLiteral(", txndate=") + sql_date(rec.txndate);
    l << QStringLiteral(", date2=") + sql_date(rec.date2);
    l << QStringLiteral(", amt=") + n(rec.amt);
    l << QStringLiteral(", val=") + n(rec.val);
    l << QStringLiteral(", rate=") + sql_float(rec.rate);
    l << QStringLiteral(", ref=") + sql_text(rec.ref);
    l << QStringLiteral(", \"type\"=") + sql_text(QString(rec.type));
    l << QStringLiteral(", narrative=") + sql_text(rec.narrative);
    l << QStringLiteral(", cancelled=") + sql_flag(rec.cancelled);
    l << QStringLiteral(", accid1=") + n(rec.accid1);
    l << QStringLiteral(", accid2=") + n(rec.accid2);
    l << QStringLiteral(", accid4=") + n(rec.accid4);
    l << QStringLiteral(", dpdate=") + sql_flag(rec.dpdate);
    l << QStringLiteral(", editts=") + sql_stamp(rec.editts);
    l << QStringLiteral(", masterid=") + n(rec.masterid);
    l << QStringLiteral(", chnum=") + n(rec.chnum);
    l << QStringLiteral(",actualtxndate=") + sql_date(rec.actualtxndate);
    l << QStringLiteral(", batchnum=") + n(rec.batchnum);
    l << QStringLiteral(" where id=") + n(rec.id);
    return exec_sql(core, sql_lines(l)) > 0;
}

}  // namespace

QString txn_description(const TTxn& rec) {
    return QStringLiteral("#") + n(rec.id) + QStringLiteral(" ") + format_date(rec.txndate) + QStringLiteral(" ") +
           rec.narrative;
}

void init_txn(const Core& core, TTxn& rec) {
    rec = TTxn{};
    rec.ccy = core.store.new_txn_ccy.isEmpty() ? core.run.base_ccy : core.store.new_txn_ccy;
}

void read_txn_row(Core& core, const QSqlQuery& q, TTxn& rec) {
    rec.id = field_int(q, QStringLiteral("id"));
    rec.txndate = int_to_date(field_int(q, QStringLiteral("txndate")));
    rec.actualtxndate = int_to_date(field_int(q, QStringLiteral("actualtxndate")));
    rec.date2 = int_to_date(field_int(q, QStringLiteral("date2")));
    if (rec.date2 == rec.actualtxndate) rec.date2 = Date{};
    rec.instance = field_int(q, QStringLiteral("instance"));
    rec.amt = field_int64(q, QStringLiteral("amt"));
    rec.val = field_int64(q, QStringLiteral("val"));
    rec.ccy = field_str(q, QStringLiteral("ccy"));
    if (!field_is_null(q, QStringLiteral("rate"))) rec.rate = field_float(q, QStringLiteral("rate"));
    rec.ref = field_str(q, QStringLiteral("ref"));
    const QString type = field_str(q, QStringLiteral("type")).trimmed();
    rec.narrative = field_str(q, QStringLiteral("narrative"));
    rec.cancelled = field_int(q, QStringLiteral("cancelled")) == 1;
    rec.accid1 = field_int(q, QStringLiteral("accid1"));
    rec.accid2 = field_int(q, QStringLiteral("accid2"));
    rec.accid4 = field_int(q, QStringLiteral("accid4"));
    rec.accname1 = acc_name(core, rec.accid1);
    rec.accname2 = acc_name(core, rec.accid2);
    rec.accname4 = acc_name(core, rec.accid4);
    rec.chnum = field_int(q, QStringLiteral("chnum"));
    rec.chname = channel_name(core, rec.chnum);
    rec.masterid = field_int(q, QStringLiteral("masterid"));
    rec.kind = rec.instance > 0 ? TxnKind::Instance : TxnKind::Plain;
    rec.dpdate = field_int(q, QStringLiteral("dpdate")) == 1;
    rec.createdate = field_int(q, QStringLiteral("createdate"));
    rec.createtime = field_int(q, QStringLiteral("createtime"));
    if (!field_is_null(q, QStringLiteral("createts"))) {
        rec.createts = stamp_from_qt(q.value(QStringLiteral("createts")).toDateTime());
        if (date_to_int(rec.createts.date) != rec.createdate || time_to_int(rec.createts.time) != rec.createtime)
            program_error(QStringLiteral("Createdate/time mismatch for txn #") + n(rec.id));
    }
    if (!field_is_null(q, QStringLiteral("editts"))) rec.editts = stamp_from_qt(q.value(QStringLiteral("editts")).toDateTime());
    if (!field_is_null(q, QStringLiteral("batchnum"))) rec.batchnum = field_int(q, QStringLiteral("batchnum"));
    if (type.isEmpty()) {
        show_msg(QStringLiteral("Invalid type for txn ") + txn_description(rec));
        rec.type = QLatin1Char(' ');
    } else {
        rec.type = type[0];
    }
}

bool read_txn(Core& core, int id, TTxn& rec) {
    if (id < 1) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select * from txn where id=") + n(id));
    if (!q.next()) return false;
    init_txn(core, rec);
    read_txn_row(core, q, rec);
    if (rec.masterid > 0) {
        TRptr master;
        if (read_rptr(core, rec.masterid, master)) {
            rec.gento = master.gento;
            rec.freq = master.freq;
            rec.startdate = master.startdate;
            rec.enddate = master.enddate;
            rec.rptactive = master.rptactive;
            rec.rptinc = master.rptinc;
            rec.rptct = master.rptct;
            rec.rmdays = master.rmdays;
        } else {
            rec.freq = QLatin1Char('X');
        }
    }
    return true;
}

bool read_txn_or_report(Core& core, int id, TTxn& rec) {
    if (read_txn(core, id, rec)) return true;
    report_not_found(QStringLiteral("Txn"), id);
    return false;
}

bool write_txn_row(Core& core, TTxn& rec) {
    const TTxn before = rec;
    bool found = true;
    if (!run_record_write(core, rec, [&] { found = write_row(core, rec); })) return false;
    if (!found) {
        rec = before;
        report_not_found(QStringLiteral("Txn"), rec.id);
    }
    return found;
}

bool insert_txn_row(Core& core, TTxn& rec) {
    int id = rec.id;
    if (id == 0) {
        id = next_txn_id(core);
        if (id < 0) return false;
    }
    return run_record_write(core, rec, [&] {
        rec.id = id;
        rec.createts = now_stamp();
        rec.createdate = date_to_int(rec.createts.date);
        rec.createtime = time_to_int(rec.createts.time);
        exec_sql(core, QStringLiteral("insert into txn (id,createts,createdate,createtime) values (") + n(rec.id) +
                           QStringLiteral(", ") + sql_stamp(rec.createts) + QStringLiteral(", ") + n(rec.createdate) +
                           QStringLiteral(", ") + n(rec.createtime) + QStringLiteral(")"));
        write_row(core, rec);
        link_cpty_ctgy(core, rec);
    });
}

}  // namespace mintor
