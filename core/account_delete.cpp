#include "core/account_delete.h"

#include <QList>
#include <QSqlQuery>

#include "core/accounts.h"
#include "core/acctypes.h"
#include "core/postings.h"
#include "core/repeaters_store.h"
#include "core/runners.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {
QString n(qint64 v) { return QString::number(v); }
const QString kCannot = QStringLiteral("Cannot delete ");

bool refuse(const QString& text) {
    show_msg(kCannot + text);
    return false;
}
}  // namespace

bool delete_acc(Core& core, int id) {
    if (id < 1) return false;
    if (id == core.settings.default_pot_id) return refuse(QStringLiteral(" default Pot"));
    Tacc acc;
    if (!read_acc(core, id, acc)) return false;

    const int postings = count_rows(core, QStringLiteral("pstg"),
                                    QStringLiteral("objid = ") + n(id) +
                                        QStringLiteral(" AND txntype <> 'A' AND txntype <> 'D' "));
    if (postings > 0) return refuse(QStringLiteral("account - ") + n(postings) + QStringLiteral(" posting(s) found"));

    // A group's members are put at the top level only in the deleting step below, so that a
    // later refusal leaves the group as it was.
    bool empty_group = false;
    if (acc.isgrp || is_group_type(acc.type2)) {
        const int members = count_rows(core, QStringLiteral("account"), QStringLiteral("grpid = ") + n(id));
        if (members > 0) {
            if (!ask_yes(kCannot + QStringLiteral("group - it contains ") + n(members) +
                         QStringLiteral(" account(s) / subgroup(s) - empty the Group?")))
                return false;
            empty_group = true;
        }
    }

    if (acc.bfdbal != 0 && (acc.type2 == kTypeExternal || acc.type2 == kTypeCategory || acc.type2 == kTypePot))
        return refuse(QStringLiteral("account - opening balance is not zero"));

    // the counterparties that name this external account as theirs
    QList<int> named_by;
    if (acc.type2 == kTypeExternal || acc.type2 == kTypeCounterparty) {
        QSqlQuery q = open_query(core, QStringLiteral("select id from account where accwith = ") + n(id));
        while (q.next()) named_by << field_int(q, QStringLiteral("id"));
        if (acc.type2 == kTypeCounterparty && !named_by.isEmpty())
            return refuse(QStringLiteral("counterparty - it has ") + n(named_by.size()) +
                          QStringLiteral(" external account(s)"));
    }

    const int rptr = find_rptr_using(core, id, false);
    if (rptr > 0) return refuse(QStringLiteral("- Account is referenced by Repeater #") + n(rptr));

    run_cursor(core, QStringLiteral("select p.txnid, p.objid from pstg p where p.contra = ") + n(id));
    if (!core.store.cursor.at_end()) {
        const QSqlQuery& c = core.store.cursor.rows;
        return refuse(QStringLiteral(" - referenced as contra in posting ") + n(field_int(c, QStringLiteral("txnid"))) +
                      QStringLiteral(" ") + n(field_int(c, QStringLiteral("objid"))));
    }

    const Date start = core.params.start_date;
    if (!is_null_date(acc.createts.date) && !is_null_date(start) && compare_date(acc.createts.date, start) < 0) {
        if (!ask_yes(QStringLiteral("Account has been archived, are you sure you want to delete here?"))) return false;
    }
    if (!ask_yes(QStringLiteral("Delete ") + acc_type_name(acc.type2) + dquote(acc.name) + QStringLiteral("?")))
        return false;

    return run_undoable(core, [&] {
        if (empty_group) {
            exec_sql(core, QStringLiteral("update account set grpid=0 where grpid=") + n(id));
            set_reset_paths(core);
        }
        delete_bfd_posting(core, id);
        exec_sql(core, QStringLiteral("delete from account where id=") + n(id));
        exec_sql(core, QStringLiteral("delete from cptyctgy where cptyid = ") + n(id) + QStringLiteral(" or ctgyid = ") +
                           n(id));
        exec_sql(core, QStringLiteral("delete from  movte where objid = ") + n(id));
        for (int cpty : named_by) exec_sql(core, QStringLiteral("update account set accwith=0 where id=") + n(cpty));
    });
}

}  // namespace mintor
