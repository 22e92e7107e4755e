// Batches: joining one (the head made when it is in no batch, a member of another batch
// refused, the head's own batch accepted without writing), leaving one, and the postings'
// batch numbers following their transaction's.
#include <gtest/gtest.h>

#include "core/batches.h"
#include "core/diary.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {
namespace {

class BatchesTest : public MaintenanceTest {
public:
    qint64 batch_of(int id) { return sql_int("select batchnum from txn where id = " + QString::number(id)); }
    QString editts(int id) {
        return QString::number(sql_int("select datediff(millisecond from timestamp '2000-01-01 00:00:00' to editts) "
                                       "from txn where id = " +
                                       QString::number(id)));
    }
};

TEST_F(BatchesTest, ChkBatch) {
    const int head = stored(payment(100, {2024, 1, 10}));
    const int member = stored(payment(200, {2024, 1, 11}));
    const int loose = stored(payment(300, {2024, 1, 12}));
    sql(QStringLiteral("update txn set batchnum = %1 where id in (%1, %2)").arg(head).arg(member));
    sql(QStringLiteral("update pstg set batchnum = %1 where txnid in (%1, %2)").arg(head).arg(member));
    const QString before = snapshot();

    EXPECT_TRUE(chk_batch(core(), head));
    EXPECT_EQ(snapshot(), before) << "the head of its own batch is not written";
    EXPECT_FALSE(chk_batch(core(), member));
    EXPECT_FALSE(chk_batch(core(), 99));
    EXPECT_EQ(host.messages(), (QStringList{"Transaction #2 is already in a batch (#1)", "Txn not found 99"}));
    EXPECT_EQ(snapshot(), before);

    EXPECT_TRUE(chk_batch(core(), loose));
    EXPECT_EQ(batch_of(loose), loose);
    EXPECT_EQ(sql_int("select count(*) from pstg where txnid = " + QString::number(loose) +
                      " and batchnum = " + QString::number(loose)),
              3);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(BatchesTest, AddingAndRemoving) {
    const int a = stored(payment(100, {2024, 1, 10}));
    const int b = stored(payment(200, {2024, 1, 11}));
    const int c = stored(txn('C', bank, cash, 0, 300));
    const int d = stored(payment(400, {2024, 1, 13}));

    // b joins a's batch: a becomes its head
    host.answer(QString::number(a));
    EXPECT_TRUE(add_to_batch(core(), b));
    EXPECT_EQ(host.questions(), QStringList{"Batch number"});
    EXPECT_EQ(batch_of(a), a);
    EXPECT_EQ(batch_of(b), a);
    // c joins through the member b: refused, nothing written
    const QString before = snapshot();
    host.clear();
    host.answer(QString::number(b));
    EXPECT_FALSE(add_to_batch(core(), c));
    EXPECT_EQ(host.messages(), QStringList{"Transaction #2 is already in a batch (#1)"});
    EXPECT_EQ(snapshot(), before);
    // c joins through the head: the head is not written again
    const QString head_stamp = editts(a);
    host.clear();
    host.answer(QString::number(a));
    EXPECT_TRUE(add_to_batch(core(), c));
    EXPECT_EQ(batch_of(c), a);
    EXPECT_EQ(editts(a), head_stamp);
    // a member cannot join another batch
    host.clear();
    EXPECT_FALSE(add_to_batch(core(), b));
    EXPECT_EQ(host.messages(), QStringList{"Transaction #2 is already in a batch (#1)"});
    EXPECT_TRUE(host.questions().isEmpty());
    // d heads a batch of its own by naming itself
    host.clear();
    host.answer(QString::number(d));
    EXPECT_TRUE(add_to_batch(core(), d));
    EXPECT_EQ(batch_of(d), d);
    // an unknown batch number, and the prompt cancelled
    const int e = stored(payment(500, {2024, 1, 14}));
    host.clear();
    host.answer(QString("77"));
    EXPECT_FALSE(add_to_batch(core(), e));
    host.answer(testing_support::Cancel{});
    EXPECT_FALSE(add_to_batch(core(), e));
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 77"});
    EXPECT_EQ(batch_of(e), 0);
    EXPECT_TRUE(ledger_invariants_hold(core()));

    // leaving: only the one transaction changes, also for the head
    host.clear();
    EXPECT_TRUE(remove_from_batch(core(), b));
    EXPECT_EQ(batch_of(b), 0);
    EXPECT_EQ(sql_int("select count(*) from pstg where txnid = " + QString::number(b) + " and batchnum <> 0"), 0);
    EXPECT_TRUE(remove_from_batch(core(), a));
    EXPECT_EQ(batch_of(a), 0);
    EXPECT_EQ(batch_of(c), a);
    const QString loose = snapshot();
    EXPECT_TRUE(remove_from_batch(core(), a)) << "in no batch: nothing to do";
    EXPECT_EQ(snapshot(), loose);
    EXPECT_FALSE(remove_from_batch(core(), 99));
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 99"});
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(BatchesTest, ADiaryEntrysPostingFollowsToo) {
    TTxn note;
    ASSERT_TRUE(write_diary_entry(core(), {2024, 1, 12}, "Called the bank", &note));
    const int other = stored(payment(100, {2024, 1, 10}));
    host.answer(QString::number(other));
    EXPECT_TRUE(add_to_batch(core(), note.id));
    EXPECT_EQ(sql_int("select batchnum from pstg where txnid = " + QString::number(note.id) + " and objid = 0"), other);
    EXPECT_FALSE(chk_batch(core(), note.id)) << "a member heads nothing";
    EXPECT_TRUE(remove_from_batch(core(), note.id));
    EXPECT_EQ(sql_int("select batchnum from pstg where txnid = " + QString::number(note.id) + " and objid = 0"), 0);
    host.clear();
    EXPECT_TRUE(chk_batch(core(), note.id)) << "a diary entry can head a batch";
    EXPECT_EQ(sql_int("select batchnum from pstg where txnid = " + QString::number(note.id) + " and objid = 0"),
              note.id);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace
}  // namespace posting_testing
