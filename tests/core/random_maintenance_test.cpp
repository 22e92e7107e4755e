// The maintenance operations at random over a random ledger (every kind of transaction,
// companions, batches, foreign currencies), with a freeze date and reconciled dates in the
// middle of its dates and every question answered yes: the ledger invariants hold after every
// operation, and each kind of operation really changed something.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <map>
#include <random>

#include "core/batches.h"
#include "core/postings.h"
#include "core/reassign.h"
#include "core/runstate.h"
#include "core/sql.h"
#include "core/templates.h"
#include "core/txn_cancel.h"
#include "core/txn_delete.h"
#include "core/txn_edit.h"
#include "core/txnrows.h"
#include "core/unstraddle.h"
#include "support/ledger_fixture.h"
#include "support/ledger_invariants.h"
#include "support/random_ledger.h"

using namespace mintor;
using testing_support::RandomLedger;

namespace {

class RandomMaintenanceTest : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_ledger();
        set_period(core(), {2024, 1, 1}, {2024, 2, 29});
        host.clear();
    }
    std::mt19937 rng{20240229u};
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    QList<int> ints(const QString& query) {
        QList<int> out;
        QSqlQuery q = open_query(core(), query);
        while (q.next()) out << q.value(0).toInt();
        return out;
    }
    int any_of(const QList<int>& ids) { return ids.isEmpty() ? 0 : ids[below(int(ids.size()))]; }
    qwel::Date a_date() {
        qwel::Date d = qwel::int_to_date(RandomLedger::kFirstDay);
        for (int i = below(RandomLedger::kDays); i > 0; --i) d = qwel::next_day(d);
        return d;
    }
};

TEST_F(RandomMaintenanceTest, InvariantsHoldAfterEveryOperation) {
    RandomLedger gen(core(), host, 7u);
    gen.setup();
    gen.run(150);
    ASSERT_TRUE(testing_support::ledger_invariants_hold(core()));

    core().settings.freeze_before = 20240131;
    for (const int acc : ints("select id from account where type2 in (1, 3, 6) order by id"))
        if (below(3) == 0) sql("update account set reconciled = '2024-02-15' where id = " + QString::number(acc));
    host.set_default_answer(true);

    const char* names[] = {"delete", "cancel", "amount", "redate", "text", "reassign", "add to batch",
                           "remove from batch", "unstraddle", "template"};
    std::map<std::string, int> done;
    for (int step = 1; step <= 200; ++step) {
        const int op = below(10);
        // unstraddling and leaving a batch are tried on transactions they can work on
        const QString where = op == 8 ? " where date2 > 0 and date2 <> txndate" : op == 7 ? " where batchnum <> 0" : "";
        const int id = any_of(ints("select id from txn" + where));
        if (id == 0) continue;
        TTxn t;
        ASSERT_TRUE(read_txn(core(), id, t));
        host.clear_answers();
        bool ok = false;
        switch (op) {
        case 0: ok = safe_del_txnid(core(), id); break;
        case 1: ok = cancel_txn(core(), id, !t.cancelled); break;
        case 2:
            host.answer(QString::number(1 + below(500000)) + ".0" + QString::number(below(10)));
            ok = edit_txn_amt(core(), id);
            break;
        case 3: {
            const int accid = below(2) ? t.accid1 : t.accid2;
            if (!pstgdate_editable(core(), t, accid)) continue;
            TPstg p;
            if (!read_pstg(core(), id, accid, p)) continue;
            host.answer(a_date());
            ok = edit_pstgdate(core(), p);
            break;
        }
        case 4:
            host.answer(QStringLiteral("text %1").arg(step));
            ok = edit_txn_text(core(), id, t.narrative, below(2) ? 'D' : 'R');
            break;
        case 5: {
            const int type = QList<int>{1, 3, 4}[below(3)];
            const int to = any_of(ints("select id from account where type2 = " + QString::number(type) +
                                       (type == 3 ? " or type2 = 6" : "")));
            ok = reassign_acc(core(), id, to, type);
            break;
        }
        case 6:
            host.answer(QString::number(any_of(ints("select id from txn"))));
            ok = add_to_batch(core(), id);
            break;
        case 7: ok = remove_from_batch(core(), id); break;
        case 8: ok = unstraddle_txn(core(), id); break;
        case 9:
            host.answer_yes();
            host.answer(QStringLiteral("pattern %1").arg(step));
            ok = make_template(core(), id);
            break;
        }
        if (ok) ++done[names[op]];
        ASSERT_TRUE(testing_support::ledger_invariants_hold(core())) << "after " << names[op] << " of txn #" << id
                                                                      << " at step " << step;
    }
    for (const char* name : names) EXPECT_GT(done[name], 0) << name;
}

}  // namespace
