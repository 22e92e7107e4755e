// The generated ledger as a plain-text journal in the syntax that ledger and hledger share:
// one entry per transaction with its postings, the internal accounts (categories and pots)
// as virtual postings in parentheses (they mirror the external accounts and so balance on
// their own), a posting dated apart from its entry with "; [yyyy-mm-dd]", the opening
// balances as one entry on the day before the first, and the daily rates as P lines.

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/generator.h"
#include "core/sql.h"

namespace mintor_bench {

namespace {

void put_date(std::string& out, int ymd) {
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", ymd / 10000, ymd / 100 % 100, ymd % 100);
    out += b;
}

void put_amount(std::string& out, qint64 minor, const std::string& ccy) {
    char b[48];
    const unsigned long long a = static_cast<unsigned long long>(minor < 0 ? -minor : minor);
    std::snprintf(b, sizeof b, "%s%llu.%02llu ", minor < 0 ? "-" : "", a / 100, a % 100);
    out += b;
    out += ccy;
}

struct Name {
    std::string text;  // as the journal writes it: "(...)" for a virtual posting
    bool internal = false;
};

std::vector<Name> account_names(mintor::Core& core) {
    struct Row {
        QString name;
        int grpid = 0, type2 = 0, btype = 0;
    };
    QHash<int, Row> rows;
    int top = 0;
    QSqlQuery q = mintor::open_query(core, QStringLiteral("select id, name, grpid, type2, btype from account"));
    while (q.next()) {
        Row r{q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt()};
        rows.insert(q.value(0).toInt(), r);
        top = std::max(top, q.value(0).toInt());
    }
    q.finish();
    std::vector<Name> names(size_t(top) + 1);
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        const Row& r = it.value();
        if (r.type2 >= 8 && r.type2 <= 10) continue;
        QStringList parts{r.name};
        int g = r.grpid;
        for (int depth = 0; g != 0 && depth < 100 && rows.contains(g); ++depth) {
            parts.prepend(rows[g].name);
            g = rows[g].grpid;
        }
        if (r.btype == 1) parts.prepend(QStringLiteral("Assets"));
        else if (r.btype == 4) parts.prepend(QStringLiteral("Parties"));
        Name& n = names[size_t(it.key())];
        n.internal = r.btype == 3 || r.btype == 6;
        const std::string joined = parts.join(QLatin1Char(':')).toStdString();
        n.text = n.internal ? "(" + joined + ")" : joined;
    }
    return names;
}

struct Posting {
    int role;  // 0 first account, 1 second, 2 internal account
    int objid, pstgdate;
    qint64 amt;
    std::string ccy;
};

}  // namespace

bool write_journal(mintor::Core& core, const QString& path, const GeneratorOptions& opts) {
    QElapsedTimer timer;
    timer.start();
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f) {
        std::fprintf(stderr, "mintor-bench-gen: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::string out;
    out.reserve(1 << 20);
    auto flush = [&](bool force) {
        if (force || out.size() > (1 << 20) - 4096) {
            std::fwrite(out.data(), 1, out.size(), f);
            out.clear();
        }
    };
    const std::vector<Name> names = account_names(core);
    auto name_of = [&](int id) -> const std::string& {
        static const std::string unknown = "Unknown";
        return id > 0 && size_t(id) < names.size() && !names[size_t(id)].text.empty() ? names[size_t(id)].text : unknown;
    };

    char line[160];
    std::snprintf(line, sizeof line, "; Mintor benchmark ledger: seed %u, %lld transactions\n\n", opts.seed,
                  static_cast<long long>(opts.txns));
    out += line;
    std::string base;
    {
        QSqlQuery q = mintor::open_query(core, QStringLiteral("select trim(id), base from ccy order by base desc, id"));
        while (q.next()) {
            const std::string code = q.value(0).toString().toStdString();
            if (q.value(1).toInt() == 1) base = code;
            out += "commodity " + code + "\n    format 1,000.00 " + code + "\n";
        }
    }
    out += "\n";
    {
        QSqlQuery q = mintor::open_query(core, QStringLiteral("select trim(ccycode), rdate, rate from rate order by rdate, ccycode"));
        while (q.next()) {
            out += "P ";
            put_date(out, q.value(1).toInt());
            std::snprintf(line, sizeof line, " %s %.4f %s\n", base.c_str(), q.value(2).toDouble(),
                          q.value(0).toString().toStdString().c_str());
            out += line;
            flush(false);
        }
    }
    {
        out += "\n";
        put_date(out, 20151231);
        out += " Opening balances\n";
        QSqlQuery q = mintor::open_query(
            core, QStringLiteral("select id, trim(ccy), bfdbal from account where isgrp = 0 and bfdbal <> 0 order by id"));
        while (q.next()) {
            out += "    " + name_of(q.value(0).toInt()) + "  ";
            put_amount(out, q.value(2).toLongLong(), q.value(1).toString().toStdString());
            out += "\n";
        }
        out += "    Equity:Opening balances\n";
    }

    // Transactions and their postings, both in transaction order, merged.
    QSqlQuery t = mintor::open_query(
        core, QStringLiteral("select id, txndate, narrative, cancelled, accid1, accid2 from txn order by id"));
    QSqlQuery p = mintor::open_query(
        core, QStringLiteral("select txnid, objid, amt, trim(ccy), pstgdate from pstg order by txnid"));
    bool more = p.next();
    std::vector<Posting> ps;
    qint64 entries = 0, lines = 0;
    while (t.next()) {
        const int id = t.value(0).toInt(), date = t.value(1).toInt();
        const int acc1 = t.value(4).toInt(), acc2 = t.value(5).toInt();
        ps.clear();
        while (more && p.value(0).toInt() < id) more = p.next();  // (none: every posting has its transaction)
        while (more && p.value(0).toInt() == id) {
            const int obj = p.value(1).toInt();
            ps.push_back({obj == acc1 ? 0 : obj == acc2 ? 1 : 2, obj, p.value(4).toInt(), p.value(2).toLongLong(),
                          p.value(3).toString().toStdString()});
            more = p.next();
        }
        std::sort(ps.begin(), ps.end(), [](const Posting& a, const Posting& b) { return a.role < b.role; });
        out += "\n";
        put_date(out, date);
        std::snprintf(line, sizeof line, " (%d) ", id);
        out += line;
        out += t.value(2).toString().toStdString();
        if (t.value(3).toInt() == 1) out += "  ; cancelled";
        out += "\n";
        for (const Posting& x : ps) {
            out += "    " + name_of(x.objid) + "  ";
            put_amount(out, x.amt, x.ccy);
            if (x.pstgdate != date) {
                out += "  ; [";
                put_date(out, x.pstgdate);
                out += "]";
            }
            out += "\n";
            ++lines;
        }
        ++entries;
        flush(false);
    }
    flush(true);
    const bool ok = std::fclose(f) == 0;
    if (opts.verbose)
        std::printf("  %-34s %8.2f s  (%lld entries, %lld postings)\n", "journal", timer.nsecsElapsed() / 1e9,
                    static_cast<long long>(entries), static_cast<long long>(lines));
    if (!ok) std::fprintf(stderr, "mintor-bench-gen: writing %s failed\n", qUtf8Printable(path));
    return ok;
}

}  // namespace mintor_bench
