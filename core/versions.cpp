#include "core/versions.h"

#include <QSqlQuery>

#include "core/params.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "core/undo.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

bool latin1_to_utf8(QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    bool changed = false;
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0xBF) {
            // 0x80..0x9F too: left alone they would not be valid UTF-8
            out.append(char(0xC2));
            out.append(ch);
            changed = true;
        } else if (b >= 0xC0) {
            out.append(char(0xC3));
            out.append(char(b - 0x40));
            changed = true;
        } else {
            out.append(ch);
        }
    }
    if (changed) text = out;
    return changed;
}

QByteArray cut_utf8(const QByteArray& text, int max_bytes) {
    if (text.size() <= max_bytes) return text;
    int end = max_bytes;
    // step back over continuation bytes to the start of the character that would be split
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.left(end);
}

namespace {

constexpr int kNoteBytes = 32000;
constexpr int kNarrativeBytes = 40;

QString description(int target) {
    switch (target) {
    case 35: return QStringLiteral("transition to Linux: ASCII to UTF-8 ch encoding");
    case 36: return QStringLiteral("move db name from INI file to PARAM table");
    default:
        return QStringLiteral("remove columns \"_bfd\" and \"_balto\" from ACCOUNT, and \"accid3\" from TXN/RPTR");
    }
}

// Rewrites one text column row by row. The stored bytes are read through a binary blob:
// the driver would decode a text column as UTF-8 and lose every byte that is not.
void convert_column(Core& core, const QString& table, const QString& column, int max_bytes) {
    QSqlQuery q = open_query(core, QStringLiteral("select id, cast(%2 as blob sub_type 0) as %2 "
                                                  "from %1 where %2 is not null order by id")
                                       .arg(table, column));
    QList<QPair<int, QByteArray>> changes;
    while (q.next()) {
        QByteArray bytes = q.value(1).toByteArray();
        if (!latin1_to_utf8(bytes)) continue;
        changes.append({q.value(0).toInt(), cut_utf8(bytes, max_bytes)});
    }
    q.finish();
    for (const auto& [id, bytes] : changes) {
        exec_sql(core, QStringLiteral("update %1 set %2 = ").arg(table, column) +
                           sql_quote(QString::fromUtf8(bytes)) + QStringLiteral(" where id = ") + QString::number(id));
    }
}

void convert_to_35(Core& core) {
    // A note that grows past its column is cut at a whole character rather than refused.
    convert_column(core, QStringLiteral("account"), QStringLiteral("note"), kNoteBytes);
    convert_column(core, QStringLiteral("txn"), QStringLiteral("narrative"), kNarrativeBytes);
    write_dbvn(core, 35);
}

void convert_to_36(Core& core) {
    exec_sql(core, QStringLiteral("insert into param ( pmid, pmstr, pmint ) values ( 4 , ") +
                       sql_quote(core.ini_database_name) + QStringLiteral(", 0)"));
    core.params.name = core.ini_database_name;
    core.view.dbnamebx = core.params.name;
    write_dbvn(core, 36);
}

void convert_to_37(Core& core) {
    exec_sql(core, QStringLiteral("ALTER TABLE account DROP \"_bfd\""));
    exec_sql(core, QStringLiteral("ALTER TABLE account DROP \"_balto\""));
    exec_sql(core, QStringLiteral("ALTER TABLE txn DROP accid3"));
    exec_sql(core, QStringLiteral("ALTER TABLE rptr DROP accid3"));
    write_dbvn(core, 37);
}

}  // namespace

bool confirm_conversion(Core& core, int target) {
    if (!core.initialising) {
        QString q = QStringLiteral("Database conversion to version ") + QString::number(target) + QStringLiteral("\r") +
                    QStringLiteral("(") + description(target) + QStringLiteral(")") + QStringLiteral("\r") +
                    QStringLiteral("Prior backup advisable - OK to continue ?");
        if (!ask_yes(q)) {
            core.terminating = true;
            stop_application(StopKind::Orderly, 0);
            return false;
        }
    }
    core.converted = true;
    flash_status(QStringLiteral("Mintor2 ") + (core.initialising ? QStringLiteral("initialising ...")
                                                                  : QStringLiteral("Converting ... this might take a few minutes, please be patient")));
    return true;
}

bool upgrade_database(Core& core) {
    int n = core.params.dbvn;
    if (n == kCurrentDbVersion) return true;
    if (n > kCurrentDbVersion) {
        show_msg(QStringLiteral("DB vn = ") + QString::number(n) + QStringLiteral("; this old version of Mintor expects max ") +
                 QString::number(kCurrentDbVersion));
        return false;
    }
    BusyCursor busy;
    process_events();
    bool declined = false;
    bool ok = run_undoable(core, [&] {
        if (n == 34) {
            core.initialising = true;
            core.converted = true;
            write_dbvn(core, 35);
            n = 35;
        }
        if (n == 33) {
            if (!confirm_conversion(core, 35)) { declined = true; return; }
            convert_to_35(core);
            n = 35;
        }
        if (n == 35) {
            if (!confirm_conversion(core, 36)) { declined = true; return; }
            convert_to_36(core);
            n = 36;
        }
        if (n == 36) {
            if (!confirm_conversion(core, 37)) { declined = true; return; }
            convert_to_37(core);
        }
    });
    flash_status(QString());
    if (!ok || declined) {
        // nothing of a stopped conversion stays: the in-memory version goes back with the rows
        if (!ok) read_params(core);
        core.initialising = false;
        core.converted = false;
        return false;
    }
    if (core.converted) {
        core.converted = false;
        if (!core.initialising) {
            show_msg(QStringLiteral("Database converted OK"));
            commit_work(core);
        }
    }
    return true;
}

}  // namespace mintor
