// A ledger entered through the posting rules, rebalanced, and every figure checked against
// sums the test works out itself from the postings.
#include <gtest/gtest.h>

#include <QHash>
#include <QSqlQuery>
#include <tuple>

#include "core/rebalance.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/straddle.h"
#include "support/ledger_fixture.h"
#include "support/ledger_invariants.h"
#include "support/random_ledger.h"

using namespace mintor;
using testing_support::LedgerTest;

namespace {

struct Row {
    qint64 bfd = 0, prepdnet = 0, pays = 0, rcpts = 0, tfrs = 0;
    int first = 0, last = 0;  // 0 = none
    qint64 cfd() const { return bfd + prepdnet + pays + rcpts + tfrs; }
};
using Key = std::tuple<int, QString, QChar>;  // accid, ccy, amtval

struct Account {
    int type2 = 0, grpid = 0;
    QString ccy;
    qint64 bfdbal = 0, bfdval = 0;
};

class RebalanceEndToEnd : public LedgerTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RebalanceEndToEnd, FiguresMatchSumsOfThePostings) {
    const bool wash = GetParam();
    open_ledger();
    host.clear();
    testing_support::RandomLedger gen(core(), host, 20261211);
    gen.setup();
    gen.run(250);
    host.clear();

    // a default pot, groups two levels deep over some accounts, and a few opening balances
    const int pot = int(sql_int("select max(id) from account")) + 1;
    sql(QStringLiteral("insert into account (id, name, type2, btype, isgrp, ccy, grpid, bfdbal, bfdval, path) values "
                       "(%1, 'Default pot', 6, 6, 0, 'GBP', 0, 0, 0, ' ')").arg(pot));
    sql(QStringLiteral("insert into account (id, name, type2, btype, isgrp, ccy, grpid, path) values "
                       "(%1, 'Top', 10, 6, 1, 'GBP', 0, ' ')").arg(pot + 1));
    sql(QStringLiteral("insert into account (id, name, type2, btype, isgrp, ccy, grpid, path) values "
                       "(%1, 'Sub', 10, 6, 1, 'GBP', %2, ' ')").arg(pot + 2).arg(pot + 1));
    sql(QStringLiteral("insert into account (id, name, type2, btype, isgrp, ccy, grpid, path) values "
                       "(%1, 'Banks', 8, 1, 1, 'GBP', 0, ' ')").arg(pot + 3));
    sql(QStringLiteral("update account set grpid = %1 where type2 in (3, 6) and mod(id, 2) = 0 and id < %2").arg(pot + 2).arg(pot));
    sql(QStringLiteral("update account set grpid = %1 where type2 in (3, 6) and mod(id, 2) = 1 and id < %2").arg(pot + 1).arg(pot));
    sql(QStringLiteral("update account set grpid = %1 where type2 = 1 and ccy = 'GBP'").arg(pot + 3));
    sql("update account set bfdbal = 1000 * id, bfdval = 800 * id where isgrp = 0 and mod(id, 3) = 0");
    core().settings.default_pot_id = pot;
    core().settings.reset_paths = true;
    core().run.wash_ctgies = wash;
    // period ends that no transaction straddles (the random ledger has separate posting dates)
    qwel::Date start{2024, 2, 1}, end{2024, 3, 31};
    while (find_straddle(core(), start, StraddleSide::Prior) != 0) start = qwel::next_day(start);
    while (find_straddle(core(), end, StraddleSide::Later) != 0) end = qwel::next_day(end);
    set_period(core(), start, end);
    core().settings.last_gen_to = 20240331;

    EXPECT_TRUE(testing_support::ledger_invariants_hold(core()));
    ASSERT_TRUE(rebalance(core())) << host.messages().join(" | ").toStdString();

    // the test's own sums
    QHash<int, Account> accs;
    QSqlQuery a = open_query(core(), "select id, type2, grpid, ccy, bfdbal, bfdval from account");
    while (a.next())
        accs.insert(a.value(0).toInt(), {a.value(1).toInt(), a.value(2).toInt(), a.value(3).toString(),
                                         a.value(4).toLongLong(), a.value(5).toLongLong()});
    const QString base = core().run.base_ccy;
    const int from = core().run.from_int, to = core().run.to_int;
    std::map<Key, Row> want;
    auto washed = [&](int id) { return wash && accs[id].type2 == 3; };
    for (auto it = accs.begin(); it != accs.end(); ++it) {
        const Account& ac = it.value();
        if (ac.bfdbal == 0 || ac.type2 >= 8) continue;
        if (ac.type2 == 1 || ac.type2 == 6 || ac.type2 == 3) {
            int id = washed(it.key()) ? pot : it.key();
            want[{id, ac.type2 == 3 ? base : ac.ccy, 'A'}].bfd += ac.bfdbal;
        }
        if (ac.ccy != base) want[{it.key(), ac.ccy, 'V'}].bfd += ac.bfdval;
    }
    QSqlQuery p = open_query(core(), "select objid, ccy, amt, val, pstgdate, txntype from pstg");
    while (p.next()) {
        const int obj = p.value(0).toInt();
        const QString ccy = p.value(1).toString();
        const qint64 amt = p.value(2).toLongLong(), val = p.value(3).toLongLong();
        const int date = p.value(4).toInt();
        const QChar type = p.value(5).toString().at(0);
        const Account& ac = accs[obj];
        const bool moves = QStringLiteral("PRFC").contains(type);
        if (date > 0) {
            Row& r = want[{obj, ccy, 'A'}];
            r.first = r.first == 0 ? date : std::min(r.first, date);
            r.last = std::max(r.last, date);
        }
        if (!moves) continue;
        if (date < from) {
            if (ac.type2 == 1 || ac.type2 == 6) want[{obj, ccy, 'A'}].prepdnet += amt;
            if (ac.type2 == 3) want[{washed(obj) ? pot : obj, base, 'A'}].prepdnet += amt;
            if (ac.type2 == 1 && ccy != base) want[{obj, ccy, 'V'}].prepdnet += val;
        } else if (date <= to) {
            for (QChar kind : {QChar('A'), QChar('V')}) {
                if (kind == 'V' && ccy == base) continue;
                Row& r = want[{obj, ccy, kind}];
                qint64 x = kind == 'A' ? amt : val;
                if (type == 'P') r.pays += x;
                else if (type == 'R') r.rcpts += x;
                else r.tfrs += x;
            }
        }
    }
    // every group receives each account row below it once
    std::map<Key, Row> groups;
    for (const auto& [key, row] : want) {
        int g = accs[std::get<0>(key)].grpid;
        for (int depth = 0; g != 0 && depth < 100; ++depth, g = accs[g].grpid) {
            Row& r = groups[{g, std::get<1>(key), std::get<2>(key)}];
            r.bfd += row.bfd;
            r.prepdnet += row.prepdnet;
            r.pays += row.pays;
            r.rcpts += row.rcpts;
            r.tfrs += row.tfrs;
            if (row.first) r.first = r.first == 0 ? row.first : std::min(r.first, row.first);
            r.last = std::max(r.last, row.last);
        }
    }
    want.insert(groups.begin(), groups.end());

    std::map<Key, Row> got;
    QSqlQuery g = open_query(core(), "select accid, ccy, amtval, bfd, prepdnet, pdpayts, pdrcpts, pdtfrs, pdbfd, "
                                     "pdcfd, firstpstgdate, lastpstgdate from movtg");
    while (g.next()) {
        Key k{g.value(0).toInt(), g.value(1).toString(), g.value(2).toString().at(0)};
        Row r{g.value(3).toLongLong(), g.value(4).toLongLong(), g.value(5).toLongLong(), g.value(6).toLongLong(),
              g.value(7).toLongLong(), g.value(10).toInt(), g.value(11).toInt()};
        EXPECT_EQ(g.value(8).toLongLong(), r.bfd + r.prepdnet);
        EXPECT_EQ(g.value(9).toLongLong(), r.cfd());
        EXPECT_TRUE(got.emplace(k, r).second) << "duplicate movtg row for " << std::get<0>(k);
    }
    ASSERT_GT(got.size(), 20u);
    for (const auto& [k, w] : want) {
        auto it = got.find(k);
        ASSERT_NE(it, got.end()) << "no row for " << std::get<0>(k) << " " << std::get<1>(k).toStdString() << " "
                                 << char(std::get<2>(k).unicode());
        const Row& r = it->second;
        const std::string where = std::to_string(std::get<0>(k)) + " " + std::get<1>(k).toStdString() + " " +
                                  char(std::get<2>(k).unicode());
        EXPECT_EQ(r.bfd, w.bfd) << where;
        EXPECT_EQ(r.prepdnet, w.prepdnet) << where;
        EXPECT_EQ(r.pays, w.pays) << where;
        EXPECT_EQ(r.rcpts, w.rcpts) << where;
        EXPECT_EQ(r.tfrs, w.tfrs) << where;
        EXPECT_EQ(r.first, w.first) << where;
        EXPECT_EQ(r.last, w.last) << where;
    }
    EXPECT_EQ(got.size(), want.size()) << "movtg holds rows nobody expects";
}

INSTANTIATE_TEST_SUITE_P(Wash, RebalanceEndToEnd, ::testing::Values(true, false));

}  // namespace
