#include "core/accounts.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

#include "core/acctypes.h"
#include "core/ids.h"
#include "core/not_found.h"
#include "core/runners.h"
#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/transactions.h"
#include "core/record_write.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

QString n(qint64 v) { return QString::number(v); }

Stamp stamp_field(const QSqlQuery& q, const QString& name) {
    if (field_is_null(q, name)) return Stamp{};
    return stamp_from_qt(q.value(name).toDateTime());
}

// a null stamp counts as the earliest
bool later(const Stamp& a, const Stamp& b) {
    if (is_null_date(a.date)) return false;
    if (is_null_date(b.date)) return true;
    return stamp_to_qt(a) > stamp_to_qt(b);
}

Stamp stored_editts(Core& core, int id, bool* found) {
    QSqlQuery q = open_query(core, QStringLiteral("select editts from account where id = ") + n(id));
    *found = q.next();
    return *found ? stamp_field(q, QStringLiteral("editts")) : Stamp{};
}

// A new editts for the row: now, but always later than the stamp it replaces, so that two
// writes within one second still change the token.
Stamp new_editts(const Stamp& previous) {
    Stamp s = now_stamp();
    if (!is_null_date(previous.date) && !later(s, previous)) {
        s = stamp_from_qt(stamp_to_qt(previous).addSecs(1));
        s.msec = 0;
    }
    return s;
}

// Steps 1 to 3 of a write: the stamp warnings and the two refusals.
bool validate_acc(Core& core, const Tacc& rec) {
    warn_msec(core, rec.rprts);
    warn_msec(core, rec.editts);
    warn_msec(core, rec.createts);
    if (rec.ccy.size() != 3) {
        program_error(QStringLiteral("Writing account ") + n(rec.id) + QStringLiteral(" with invalid ccy code ") + rec.ccy);
        return false;
    }
    if (is_internal_type(rec.type2) && rec.ccy != core.run.base_ccy) {
        program_error(QStringLiteral("Writing Pot/Ctgy ") + n(rec.id) + QStringLiteral(" with ccy ") + rec.ccy +
                      QStringLiteral(" not base-ccy"));
        return false;
    }
    return true;
}

// The full update of the row (steps 4 and 5), the record already validated. False (nothing
// written) when there is no such row.
bool write_acc_row(Core& core, Tacc& rec) {
    bool found = false;
    const Stamp stored = stored_editts(core, rec.id, &found);
    if (!found) return false;
    const Stamp editts = new_editts(later(stored, rec.editts) ? stored : rec.editts);
    rec.btype = base_type(rec.type2);
    rec.isgrp = is_group_type(rec.type2);
    const bool with_note = core.store.note_changed;
    QStringList l;
    l << QStringLiteral("update account set ");
    l << QStringLiteral("name=") + sql_text(rec.name) + QStringLiteral(", ");
    l << QStringLiteral("ccy=") + sql_text(rec.ccy) + QStringLiteral(", ");
    l << QStringLiteral("desig=") + sql_text(rec.desig) + QStringLiteral(", ");
    l << QStringLiteral("type2=") + n(rec.type2) + QStringLiteral(", ");
    l << QStringLiteral("btype=") + n(rec.btype) + QStringLiteral(", ");
    l << QStringLiteral("isgrp=") + sql_flag(rec.isgrp) + QStringLiteral(", ");
    l << QStringLiteral("bfdbal=") + n(rec.bfdbal) + QStringLiteral(", ");
    l << QStringLiteral("bfdval=") + n(rec.bfdval) + QStringLiteral(", ");
    l << QStringLiteral("grpid=") + n(rec.grpid) + QStringLiteral(", ");
    l << QStringLiteral("reconciled=") + sql_text(rec.reconciled) + QStringLiteral(", ");
    l << QStringLiteral("rprts=") + sql_stamp(rec.rprts) + QStringLiteral(", ");
    l << QStringLiteral("allownegbal=") + sql_flag(rec.allownegbal) + QStringLiteral(", ");
    l << QStringLiteral("allowposbal=") + sql_flag(rec.allowposbal) + QStringLiteral(", ");
    if (with_note) l << QStringLiteral("note=") + sql_note(core.store.write_note) + QStringLiteral(", ");
    l << (rec.sweepto ? QStringLiteral("sweepto=999, ") : QStringLiteral("sweepto=0, "));
    l << QStringLiteral("accwith=") + n(rec.accwith) + QStringLiteral(", ");
    l << QStringLiteral("cptypays=") + sql_flag(rec.cptypays) + QStringLiteral(", ");
    l << QStringLiteral("cptyrcvs=") + sql_flag(rec.cptyrcvs) + QStringLiteral(", ");
    l << QStringLiteral("payerdftpot=") + n(rec.payerdftpot) + QStringLiteral(", ");
    l << QStringLiteral("payeedftpot=") + n(rec.payeedftpot) + QStringLiteral(", ");
    l << QStringLiteral("opendate=") + sql_date(rec.opendate) + QStringLiteral(", ");
    l << QStringLiteral("closedate=") + sql_date(rec.closedate) + QStringLiteral(", ");
    l << QStringLiteral("editts=") + sql_stamp(editts) + QStringLiteral(", ");
    l << QStringLiteral("fav=") + sql_flag(rec.fav) + QStringLiteral(", ");
    l << QStringLiteral("path=") + sql_text(rec.path) + QStringLiteral(" ");
    l << QStringLiteral("where id = ") + n(rec.id);
    exec_sql(core, sql_lines(l));
    if (with_note) core.store.note_changed = false;
    return true;
}

// Puts back what a failed account write changed in the core: the note-changed flag and the
// lastaccid parameter.
class CoreStateRestore {
public:
    explicit CoreStateRestore(Core& core)
        : core_(core), lastaccid_(core.params.lastaccid), note_changed_(core.store.note_changed) {}
    ~CoreStateRestore() {
        if (kept_) return;
        core_.params.lastaccid = lastaccid_;
        core_.store.note_changed = note_changed_;
    }
    CoreStateRestore(const CoreStateRestore&) = delete;
    CoreStateRestore& operator=(const CoreStateRestore&) = delete;
    bool keep(bool ok) {
        kept_ = ok;
        return ok;
    }

private:
    Core& core_;
    int lastaccid_;
    bool note_changed_;
    bool kept_ = false;
};

}  // namespace

void init_acc(const Core& core, Tacc& rec) {
    const int type2 = rec.type2;
    rec = Tacc{};
    rec.type2 = type2;
    rec.ccy = core.run.base_ccy;
}

bool read_acc(Core& core, int id, Tacc& rec) {
    init_acc(core, rec);
    if (id <= 0) return false;
    QSqlQuery q = open_query(core, QStringLiteral("select obj.*, m.firstpstgdate, m.lastpstgdate from account obj "
                                                  "left join movte m on (m.objid = obj.id) where obj.id = ") +
                                       n(id));
    if (!q.next()) return false;
    core.store.read_note_flag = true;
    rec.id = field_int(q, QStringLiteral("id"));
    const QString ccy = field_str(q, QStringLiteral("ccy"));
    rec.ccy = ccy.trimmed().isEmpty() ? QStringLiteral("XXX") : ccy.left(3);
    rec.name = field_str(q, QStringLiteral("name"));
    rec.desig = field_str(q, QStringLiteral("desig"));
    rec.type2 = field_int(q, QStringLiteral("type2"));
    rec.btype = field_int(q, QStringLiteral("btype"));
    rec.isgrp = field_int(q, QStringLiteral("isgrp")) == 1;
    rec.grpid = field_int(q, QStringLiteral("grpid"));
    rec.bfdbal = field_int64(q, QStringLiteral("bfdbal"));
    rec.bfdval = field_int64(q, QStringLiteral("bfdval"));
    rec.reconciled = field_str(q, QStringLiteral("reconciled"));
    parse_date(rec.reconciled, rec.reconciled_date);
    rec.firstpstgdate = int_to_date(field_int(q, QStringLiteral("firstpstgdate")));
    rec.opendate = int_to_date(field_int(q, QStringLiteral("opendate")));
    rec.closedate = int_to_date(field_int(q, QStringLiteral("closedate")));
    rec.lastpstgdate = int_to_date(field_int(q, QStringLiteral("lastpstgdate")));
    rec.rprts = stamp_field(q, QStringLiteral("rprts"));
    rec.allownegbal = field_int(q, QStringLiteral("allownegbal")) == 1;
    rec.allowposbal = field_int(q, QStringLiteral("allowposbal")) == 1;
    rec.sweepto = field_int(q, QStringLiteral("sweepto")) > 0;
    rec.accwith = field_int(q, QStringLiteral("accwith"));
    rec.cptypays = field_int(q, QStringLiteral("cptypays")) == 1;
    rec.cptyrcvs = field_int(q, QStringLiteral("cptyrcvs")) == 1;
    rec.payerdftpot = field_int(q, QStringLiteral("payerdftpot"));
    rec.payeedftpot = field_int(q, QStringLiteral("payeedftpot"));
    if (core.store.read_note_flag) core.store.read_note = field_str(q, QStringLiteral("note"));
    rec.createts = stamp_field(q, QStringLiteral("createts"));
    rec.editts = stamp_field(q, QStringLiteral("editts"));
    rec.fav = field_int(q, QStringLiteral("fav")) == 1;
    if (!field_is_null(q, QStringLiteral("path"))) rec.path = field_str(q, QStringLiteral("path"));
    rec.name_as_read = rec.name;
    return true;
}

bool read_acc_or_report(Core& core, int id, Tacc& rec) {
    if (read_acc(core, id, rec)) return true;
    report_not_found(QStringLiteral("Account"), id);
    return false;
}

QString acc_name(Core& core, int id) {
    if (id <= 0) return QString();
    return query_value(core, QStringLiteral("select name from account where id = ") + n(id)).toString();
}

bool write_acc(Core& core, Tacc& rec) {
    if (!validate_acc(core, rec)) return false;
    CoreStateRestore restore(core);
    bool found = true;
    if (!restore.keep(run_record_write(core, rec, [&] { found = write_acc_row(core, rec); }))) return false;
    if (!found) report_not_found(QStringLiteral("Account"), rec.id);
    return found;
}

bool insert_acc(Core& core, Tacc& rec) {
    if (!validate_acc(core, rec)) return false;
    const auto insert = [&] {
        if (rec.id < 1) rec.id = allocate_acc_id(core);
        rec.createts = now_stamp();
        exec_sql(core, QStringLiteral("insert into account (id, createts) values (") + n(rec.id) +
                           QStringLiteral(", ") + sql_stamp(rec.createts) + QStringLiteral(")"));
        write_acc_row(core, rec);
        exec_sql(core, QStringLiteral("insert into movte (objid, firstpstgdate, lastpstgdate) values (") + n(rec.id) +
                           QStringLiteral(", 99999999, 99999999)"));
    };
    CoreStateRestore restore(core);
    if (!restore.keep(run_record_write(core, rec, insert))) return false;
    if (rec.name_as_read.isEmpty()) rec.name_as_read = rec.name;
    return true;
}

bool update_acc_guarded(Core& core, Tacc& rec) {
    bool found = false;
    const Stamp stored = stored_editts(core, rec.id, &found);
    if (!found) {
        report_not_found(QStringLiteral("Account"), rec.id);
        return false;
    }
    if (!(stored == rec.editts)) {
        program_error(QStringLiteral("Downdating account #") + n(rec.id) + QStringLiteral(" ") + dquote(rec.name));
        return false;
    }
    return write_acc(core, rec);
}

bool save_acc(Core& core, Tacc& rec) { return rec.id == 0 ? insert_acc(core, rec) : update_acc_guarded(core, rec); }

bool read_movt(Core& core, int id, const QString& ccy, Tmovt& rec) {
    rec = Tmovt{};
    if (id < 1) return false;
    ensure_transaction(core);
    const QString sql = sql_lines({
        QStringLiteral("select o.id, o.grpid, o.type2, m.bfd as bfdbal, m.prepdnet, m.pdbfd, m.pdpayts, m.pdrcpts, "
                       "m.pdtfrs, o.path"),
        QStringLiteral("from account o "),
        // the amounts row: a foreign account also has a values row ('V') in the same currency
        QStringLiteral("left join movtg m on (m.accid = o.id) and (m.ccy = :ccy) and (m.amtval = 'A')"),
        QStringLiteral("where o.id = :id"),
    });
    QSqlQuery q(core.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw_db_error(sql, q.lastError());
    q.bindValue(QStringLiteral(":ccy"), ccy);
    q.bindValue(QStringLiteral(":id"), id);
    if (!q.exec()) throw_db_error(sql, q.lastError());
    if (!q.next()) return false;
    rec.id = field_int(q, QStringLiteral("id"));
    rec.grpid = field_int(q, QStringLiteral("grpid"));
    rec.bfd = field_int64(q, QStringLiteral("bfdbal"));
    rec.prepdnet = field_int64(q, QStringLiteral("prepdnet"));
    rec.pdpayts = field_int64(q, QStringLiteral("pdpayts"));
    rec.pdrcpts = field_int64(q, QStringLiteral("pdrcpts"));
    rec.pdtfrs = field_int64(q, QStringLiteral("pdtfrs"));
    rec.path = field_str(q, QStringLiteral("path"));
    const int type2 = field_int(q, QStringLiteral("type2"));
    if (type2 == kTypeExternal || type2 == kTypeCategory || type2 == kTypePot)
        rec.balance = rec.bfd + rec.prepdnet + rec.pdpayts + rec.pdrcpts + rec.pdtfrs;
    rec.ccy = ccy;
    return true;
}

CoreQuery& open_group_members(Core& core, int grpid) {
    if (grpid < 1) program_error(QStringLiteral("open_q2grp"));
    CoreQuery& g = core.store.group;
    set_sql(g, QStringLiteral("Select * from account where grpid = :grpid order by account.id"));
    ensure_transaction(core);
    const QString sql = g.sql.join(QLatin1Char('\n'));
    QSqlQuery q(core.db());
    if (!q.prepare(sql)) throw_db_error(sql, q.lastError());
    q.bindValue(QStringLiteral(":grpid"), grpid);
    if (!q.exec()) throw_db_error(sql, q.lastError());
    g.rows = std::move(q);
    g.open = true;
    g.eof = !g.rows.first();
    return g;
}

void read_open_records(Core& core) {
    read_acc(core, core.settings.sweep_to_pot_id, core.store.sweep_pot);
    read_acc(core, core.settings.opening_bal_pot_id, core.store.opening_bal_pot);
}

}  // namespace mintor
