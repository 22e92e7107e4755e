#include "core/repeaters_store.h"

#include <QSqlQuery>

#include "core/accounts.h"
#include "core/ids.h"
#include "core/not_found.h"
#include "core/runners.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/record_write.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {
QString n(qint64 v) { return QString::number(v); }

QChar letter(const QSqlQuery& q, const QString& name, QChar dflt) {
    const QString s = field_str(q, name);
    return s.isEmpty() ? dflt : s[0];
}
}  // namespace

Date instance_date(const TRptr& r, int n) {
    if (n < 1) return Date{};
    const qint64 steps = qint64(n - 1) * qMax(r.rptinc, 0);
    Date d = r.startdate;
    // a damaged row (a huge count or step) must not hang the read: no real repeater steps
    // anywhere near a million units
    if (steps > 0) d = step_date(d, int(qMin<qint64>(steps, 1000000)), r.freq);
    return normalise_month_end(d);
}

bool read_rptr(Core& core, int id, TRptr& rec) {
    rec = TRptr{};
    QSqlQuery q = open_query(core, QStringLiteral("select * from rptr where id=") + n(id));
    if (!q.next()) return false;
    rec.id = field_int(q, QStringLiteral("id"));
    rec.gento = field_int(q, QStringLiteral("gento"));
    rec.enddate = int_to_date(field_int(q, QStringLiteral("enddate")));
    rec.freq = letter(q, QStringLiteral("freq"), rec.freq);
    rec.startdate = int_to_date(field_int(q, QStringLiteral("startdate")));
    rec.rptactive = field_int(q, QStringLiteral("rptactive")) == 1;
    rec.rptinc = field_int(q, QStringLiteral("rptinc"));
    rec.rptct = field_int(q, QStringLiteral("rptct"));
    rec.amt = field_int64(q, QStringLiteral("amt"));
    rec.ccy = field_str(q, QStringLiteral("ccy"));
    rec.type = letter(q, QStringLiteral("type"), rec.type);
    rec.ref = field_str(q, QStringLiteral("ref"));
    rec.narrative = field_str(q, QStringLiteral("narrative"));
    rec.accid1 = field_int(q, QStringLiteral("accid1"));
    rec.accid2 = field_int(q, QStringLiteral("accid2"));
    rec.accid4 = field_int(q, QStringLiteral("accid4"));
    if (!field_is_null(q, QStringLiteral("editts"))) rec.editts = stamp_from_qt(q.value(QStringLiteral("editts")).toDateTime());
    if (!field_is_null(q, QStringLiteral("createts")))
        rec.createts = stamp_from_qt(q.value(QStringLiteral("createts")).toDateTime());
    rec.rmdays = field_int(q, QStringLiteral("rmdays"));
    rec.chnum = field_int(q, QStringLiteral("chnum"));
    rec.accname1 = acc_name(core, rec.accid1);
    rec.accname2 = acc_name(core, rec.accid2);
    rec.accname4 = acc_name(core, rec.accid4);
    rec.gento_date = instance_date(rec, rec.gento);
    return true;
}

bool write_rptr(Core& core, TRptr& rec) {
    const TRptr before = rec;
    bool found = true;
    const bool ok = run_record_write(core, rec, [&] {
        rec.editts = now_stamp();
        QStringList l;
        l << QStringLiteral("update rptr set ");
        l << QStringLiteral("ccy=") + sql_text(rec.ccy);
        l << QStringLiteral(", gento=") + n(rec.gento);
        l << QStringLiteral(", startdate=") + sql_date(rec.startdate);
        l << QStringLiteral(",enddate=") + sql_date(rec.enddate);
        l << QStringLiteral(", freq=") + sql_text(QString(rec.freq));
        l << QStringLiteral(", rptactive=") + sql_flag(rec.rptactive);
        l << QStringLiteral(", rptinc=") + n(rec.rptinc);
        l << QStringLiteral(", rptct=") + n(rec.rptct);
        l << QStringLiteral(", amt=") + n(rec.amt);
        l << QStringLiteral(", \"type\"=") + sql_text(QString(rec.type));
        l << QStringLiteral(", ref=") + sql_text(rec.ref);
        l << QStringLiteral(", narrative=") + sql_text(rec.narrative);
        l << QStringLiteral(", accid1=") + n(rec.accid1);
        l << QStringLiteral(", accid2=") + n(rec.accid2);
        l << QStringLiteral(", accid4=") + n(rec.accid4);
        l << QStringLiteral(", editts=") + sql_stamp(rec.editts);
        l << QStringLiteral(", rmdays=") + n(rec.rmdays);
        l << QStringLiteral(", chnum=") + n(rec.chnum);
        l << QStringLiteral(" where id=") + n(rec.id);
        found = exec_sql(core, sql_lines(l)) > 0;
    });
    if (!ok) return false;
    if (!found) {
        rec = before;
        report_not_found(QStringLiteral("Repeater master"), rec.id);
    }
    return found;
}

bool insert_rptr(Core& core, TRptr& rec) {
    return run_record_write(core, rec, [&] {
        if (rec.id < 1) rec.id = next_rptr_id(core);
        rec.createts = now_stamp();
        exec_sql(core, QStringLiteral("insert into rptr (id,createts) values (") + n(rec.id) + QStringLiteral(", ") +
                           sql_stamp(rec.createts) + QStringLiteral(")"));
        write_rptr(core, rec);
    });
}

int find_rptr_using(Core& core, int accid, bool active_only) {
    const QString id = n(accid);
    QStringList l{QStringLiteral("select id from rptr where (accid1=") + id + QStringLiteral(" or accid2=") + id +
                  QStringLiteral(" or accid4=") + id + QStringLiteral(" ) ")};
    if (active_only) l << QStringLiteral("and (rptactive=1)");
    l << QStringLiteral(" order by id");
    return int(query_int64(core, sql_lines(l), 0));
}

}  // namespace mintor
