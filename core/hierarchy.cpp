#include "core/hierarchy.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include "core/runstate.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

constexpr int kWalkBound = 100;

struct Link {
    int grpid = 0;
    QString name;
};

// id -> (parent, name) of every object; one read instead of one per step of every walk.
QHash<int, Link> read_links(Core& core) {
    QHash<int, Link> links;
    QSqlQuery q = open_query(core, QStringLiteral("select id, grpid, name from account"));
    while (q.next()) links.insert(q.value(0).toInt(), {q.value(1).toInt(), q.value(2).toString()});
    return links;
}

// The ancestors of id, nearest first; stops at the top, at a missing group, or at the bound
// (a cycle), which it reports.
QList<int> ancestors(const QHash<int, Link>& links, int id, bool* cycle) {
    QList<int> out;
    *cycle = false;
    auto it = links.constFind(id);
    if (it == links.constEnd()) return out;
    int g = it->grpid;
    while (g != 0) {
        auto p = links.constFind(g);
        if (p == links.constEnd()) break;
        if (out.size() >= kWalkBound) {
            *cycle = true;
            break;
        }
        out.append(g);
        g = p->grpid;
    }
    return out;
}

void insert_memberships(Core& core, int accid, const QList<int>& groups) {
    for (int g : groups)
        exec_sql(core, QStringLiteral("INSERT INTO accingrp (accid, grpid) VALUES (") + QString::number(accid) +
                           QStringLiteral(", ") + QString::number(g) + QStringLiteral(")"));
}

void add_with_links(Core& core, const QHash<int, Link>& links, int accid) {
    bool cycle = false;
    QList<int> groups = ancestors(links, accid, &cycle);
    if (cycle) {
        show_msg(QStringLiteral("Group contains itself ") + QString::number(accid));
        groups.clear();
    }
    insert_memberships(core, accid, groups);
}

}  // namespace

void add_acc_to_groups(Core& core, int accid) { add_with_links(core, read_links(core), accid); }

void rebuild_accingrp(Core& core) {
    exec_sql(core, QStringLiteral("DELETE FROM accingrp"));
    qint64 n = query_int64(core, QStringLiteral("select count(*) as ct from account\n"
                                                "where (grpid > 0) and (isgrp=0)"));
    QHash<int, Link> links = read_links(core);
    QList<int> ids;
    QSqlQuery q = open_query(core, QStringLiteral("select o.id from account o where (grpid > 0) and (isgrp=0)"));
    while (q.next()) ids.append(q.value(0).toInt());
    q.finish();
    for (int id : ids) {
        --n;
        show_status(core, QStringLiteral("Rebuilding account group hierarchy ") + QString::number(n));
        add_with_links(core, links, id);
    }
}

QString group_path_of(const QString& parent_path, const QString& parent_name) {
    return parent_path + QStringLiteral(" ") + parent_name + QStringLiteral(" :");
}

void set_acc_path(Core& core, int id, const QString& parent_name, const QString& parent_path) {
    exec_sql(core, QStringLiteral("update account set path = ") + sql_quote(group_path_of(parent_path, parent_name)) +
                       QStringLiteral(" where id = ") + QString::number(id));
}

void rebuild_group_paths(Core& core) {
    rebuild_accingrp(core);
    process_events();
    exec_sql(core, QStringLiteral("UPDATE account SET \"PATH\" = ' ' "));
    ensure_transaction(core);
    const QString query19 = QStringLiteral(
        "select o.id, o.grpid, p.id as id2, p.name as name2, p.grpid as grpid2, p.path as path2 \n"
        "from account o left join account p on p.id = o.grpid\n"
        "where o.grpid > 0 and o.path = ' '");
    for (int pass = 1;; ++pass) {
        show_status(core, QStringLiteral("hierarchy depth ") + QString::number(pass));
        if (pass > kMaxGroupDepth) {
            show_msg(QStringLiteral("Error : Group depth > 99"));
            break;
        }
        struct Row {
            int id;
            QString name2, path2;
        };
        QList<Row> ready;
        bool again = false;
        QSqlQuery q = open_query(core, query19);
        while (q.next()) {
            if (q.value(2).isNull()) continue;  // the parent does not exist: the object stays at the top
            int grpid2 = q.value(4).toInt();
            QString path2 = q.value(5).toString();
            if (grpid2 < 1 || path2 != QLatin1String(" "))
                ready.append({q.value(0).toInt(), q.value(3).toString(), path2});
            else
                again = true;
        }
        q.finish();
        for (const Row& r : ready) set_acc_path(core, r.id, r.name2, r.path2);
        if (!again) break;
    }
    show_status(core, QString());
    flash_notice(QStringLiteral("Paths rebuilt OK"));
}

QString group_path_caption(Core& core, int id) {
    QHash<int, Link> links = read_links(core);
    QString result;
    int cur = id;
    for (int step = 0; step < kWalkBound; ++step) {
        auto it = links.constFind(cur);
        if (it == links.constEnd() || it->grpid == 0) return result;
        auto g = links.constFind(it->grpid);
        if (g == links.constEnd()) return result;
        result = QStringLiteral(" ") + g->name + QStringLiteral(" :") + result;
        cur = it->grpid;
    }
    show_msg(QStringLiteral("Group contains itself ") + QString::number(id));
    return result;
}

GroupCheck chk_grp_open_for_acc(const GroupNode& group, const GroupNode& member) {
    GroupCheck r{3, QStringLiteral("Acc/Grp invalid acctype combi")};
    const int g = group.type2, m = member.type2;
    static const QSet<int> members = {1, 3, 4, 6, 8, 9, 10};
    if (!members.contains(m) || !(g == 8 || g == 9 || g == 10)) return r;
    if ((m == 1 || m == 8) && g != 8) return r;
    if ((m == 3 || m == 6 || m == 10) && g != 10) {
        program_error(QStringLiteral("Core.chk_grp_open_for_acc"));
        return r;
    }
    if ((m == 4 || m == 9) && g != 9) return r;
    if ((g == 8 || g == 10) && group.ccy != member.ccy) return {4, QStringLiteral("account currency/group mismatch")};
    if (member.opendate == 0) return {0, QString()};
    if (member.opendate < group.opendate)
        return {1, QStringLiteral(" Group ") + QString::number(group.id) + QStringLiteral(" ") + dquote(group.name) +
                       QStringLiteral(" opened too late for Account / Sub-Group ") + dquote(member.name)};
    if (member.closedate > group.closedate)
        return {2, QStringLiteral(" Group ") + QString::number(group.id) + QStringLiteral(" ") + dquote(group.name) +
                       QStringLiteral(" closed too soon for Account / Sub-Group ") + dquote(member.name)};
    return {0, QString()};
}

bool chk_not_self_grp(Core& core, int grpid, int id) {
    bool inside = grpid == id;
    if (!inside && grpid > 0 && id > 0) {
        bool cycle = false;
        QHash<int, Link> links = read_links(core);
        inside = ancestors(links, grpid, &cycle).contains(id);
    }
    if (inside) {
        show_msg(QStringLiteral("An Account Group must not contain itself"));
        return false;
    }
    return true;
}

bool chk_regroup_freeze(Core& core, int accid, qint64 bfdbal) {
    const int freeze = core.settings.freeze_before;
    if (accid <= 0 || freeze == 0) return false;
    bool violates = bfdbal != 0;
    if (!violates)
        violates = query_int64(core, QStringLiteral("select count(*) as ct from pstg p \n"
                                                    "where p.objid = ") +
                                         QString::number(accid) + QStringLiteral(" and p.pstgdate <= ") +
                                         QString::number(freeze)) > 0;
    if (!violates) return false;
    return !ask_sure(QStringLiteral("Regrouping will violate freeze date"));
}

}  // namespace mintor
