// Saving an entered transaction: new and edit mode, the questions, re-posting, batches, the
// remembered ids, and the companion transactions (cashback, split, FX commission and second
// leg) in the main transaction's batch; the whole save as one undoable operation.
#include <gtest/gtest.h>

#include "core/repeaters_store.h"
#include "core/txn_save.h"
#include "core/txn_value.h"
#include "core/txn_write.h"
#include "posting_fixture.h"

using namespace mintor;
using testing_support::ledger_invariants_hold;

namespace posting_testing {

class TxnSaveTest : public PostingTest {
protected:
    TxnEntry new_entry(TTxn t) {
        TxnEntry e;
        e.rec = t;
        return e;
    }
    TxnEntry edit_entry(int id) {
        TxnEntry e;
        e.edit_mode = true;
        EXPECT_TRUE(read_txn(core(), id, e.old_rec));
        e.rec = e.old_rec;
        return e;
    }
    TTxn saved(QChar type, int a1, int a2, int a4, qint64 amt) {
        TxnEntry e = new_entry(txn(type, a1, a2, a4, amt));
        EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
        return e.rec;
    }
    TTxn stored(int id) {
        TTxn t;
        EXPECT_TRUE(read_txn(core(), id, t)) << id;
        return t;
    }
    qint64 batch_of(int id) { return sql_int("select batchnum from txn where id = " + QString::number(id)); }
};

TEST_F(TxnSaveTest, ANewPaymentIsWrittenPostedAndRemembered) {
    TTxn t = txn('P', bank, shop, food, 10000);
    t.narrative = "Groceries";
    TxnEntry e = new_entry(t);
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_GT(e.rec.id, 0);
    EXPECT_EQ(core().run.last_new_txn_id, e.rec.id);
    EXPECT_EQ(core().run.last_edited_txn_id, 0);
    EXPECT_EQ(e.last_description, "Groceries");
    EXPECT_EQ(posted_accounts(e.rec.id).size(), 3);
    EXPECT_EQ(sql_int("select count(*) from cptyctgy"), 1);
    EXPECT_TRUE(host.events().empty()) << "a new entry asks nothing";
    EXPECT_TRUE(e.companions.empty());
    EXPECT_TRUE(ledger_invariants_hold(core()));

    // an entry without description keeps the last one
    TxnEntry e2 = new_entry(txn('P', bank, shop, food, 50));
    e2.last_description = "Groceries";
    ASSERT_EQ(save_entered_txn(core(), e2), EntrySave::Saved);
    EXPECT_EQ(e2.last_description, "Groceries");
}

TEST_F(TxnSaveTest, AnEditAsksThenRepostsUnderTheSameId) {
    const TTxn first = saved('P', bank, shop, food, 10000);
    sql("update pstg set reconcode = 1 where txnid = " + QString::number(first.id));
    TxnEntry e = edit_entry(first.id);
    e.rec.id = 0;  // what the form built: the identity comes from the record being edited
    e.rec.amt = e.rec.val = 12000;
    e.rec.accid4 = savings;
    host.answer_yes();
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_EQ(host.questions(), QStringList{"Update existing transaction - OK ?"});
    EXPECT_EQ(e.rec.id, first.id);
    EXPECT_EQ(core().run.last_edited_txn_id, first.id);
    EXPECT_EQ(txns(), 1);
    EXPECT_EQ(posted_accounts(first.id), (QList<int>{bank, shop, savings}));
    EXPECT_EQ(pstg(first.id, bank).amt, -12000);
    EXPECT_EQ(pstg(first.id, bank).reconcode, 0) << "re-posting drops the reconciliation";
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, DecliningTheUpdateLeavesEverythingAsItWas) {
    const TTxn first = saved('P', bank, shop, food, 10000);
    TxnEntry e = edit_entry(first.id);
    e.rec.amt = e.rec.val = 1;
    host.answer_no();
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Declined);
    EXPECT_EQ(pstg(first.id, bank).amt, -10000);
    EXPECT_EQ(posted_accounts(first.id).size(), 3);
    EXPECT_EQ(core().run.last_edited_txn_id, 0);
}

TEST_F(TxnSaveTest, AnEditWithoutTheOldIdIsAProgramError) {
    TxnEntry e;
    e.edit_mode = true;
    init_txn(core(), e.old_rec);
    e.rec = txn('P', bank, shop, food, 100);
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Failed);
    EXPECT_EQ(host.messages(), QStringList{"Program error : old txn id = 0"});
    EXPECT_EQ(txns(), 0);
}

TEST_F(TxnSaveTest, EditingAMasterChangesOnlyItsRepeater) {
    TTxn m = txn('P', bank, shop, food, 4200);
    m.kind = TxnKind::Master;
    m.freq = 'M';
    m.rptinc = 1;
    m.startdate = {2024, 3, 1};
    m.rptactive = true;
    ASSERT_TRUE(write_txn(core(), m));
    TxnEntry e;
    e.edit_mode = true;
    e.old_rec = m;
    e.rec = m;
    e.rec.kind = TxnKind::Plain;  // the form's record: kind, master id and gento come from the old one
    e.rec.masterid = 0;
    e.rec.amt = 5000;
    host.answer_yes();
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    EXPECT_EQ(host.questions(), QStringList{"Update  Repeater Master - OK ?"});
    EXPECT_EQ(sql_int("select amt from rptr where id = " + QString::number(m.masterid)), 5000);
    EXPECT_EQ(sql_int("select count(*) from rptr"), 1);
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
}

TEST_F(TxnSaveTest, ANewMasterIsStoredAsARepeaterAndGeneratesItsInstances) {
    core().run.horizon = {2024, 5, 15};
    TTxn m = txn('P', bank, shop, food, 4200);
    m.kind = TxnKind::Master;
    m.freq = 'M';
    m.rptinc = 1;
    m.rptactive = true;
    m.startdate = m.txndate;
    m.narrative = "rent";
    TxnEntry e = new_entry(m);
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    ASSERT_GT(e.rec.masterid, 0);
    EXPECT_EQ(sql_int("select count(*) from rptr"), 1);
    EXPECT_EQ(sql_int("select count(*) from txn where masterid = " + QString::number(e.rec.masterid)), 4)
        << "March, April and May up to the horizon, and June beyond it";
    EXPECT_EQ(e.rec.id, sql_int("select max(id) from txn")) << "the record names the last instance";
    EXPECT_EQ(e.last_description, "rent");
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, CashbackMovesTheCashPartThroughTheCounterparty) {
    struct C {
        qint64 cashback;
        QChar type;
        qint64 amt;
        qint64 cash_posting;
    };
    for (const C& c : std::vector<C>{{-2000, 'P', 2000, -2000}, {2000, 'R', 2000, 2000}}) {
        SCOPED_TRACE(c.cashback);
        TTxn t = txn('P', bank, shop, food, 10000);
        t.batchnum = -1;
        TxnEntry e = new_entry(t);
        e.cashback = {true, c.cashback};
        ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
        ASSERT_EQ(e.companions.size(), 1u);
        const TTxn cb = stored(e.companions[0].id);
        EXPECT_EQ(cb.type, c.type);
        EXPECT_EQ(cb.amt, c.amt);
        EXPECT_EQ(cb.val, c.amt);
        EXPECT_EQ(cb.ref, "Cashback");
        EXPECT_EQ(cb.accid1, cash);
        EXPECT_EQ(cb.accid2, shop);
        EXPECT_EQ(cb.accid4, food);
        EXPECT_EQ(cb.txndate, t.txndate);
        EXPECT_EQ(cb.batchnum, e.rec.id);
        EXPECT_EQ(batch_of(e.rec.id), e.rec.id) << "the main transaction heads the batch";
        EXPECT_EQ(pstg(cb.id, cash).amt, c.cash_posting);
        EXPECT_EQ(pstg(cb.id, cash).batchnum, e.rec.id);
    }
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, ASplitAndAnFxDealLandInOneBatchHeadedByTheMainTransaction) {
    // split: 30.00 to food (the main record) and 70.00 to savings
    TTxn t = txn('P', bank, shop, food, 3000);
    t.batchnum = -1;
    t.narrative = "split";
    TxnEntry split = new_entry(t);
    split.split = {true, savings, "Savings", 7000};
    ASSERT_EQ(save_entered_txn(core(), split), EntrySave::Saved);
    ASSERT_EQ(split.companions.size(), 1u);
    const TTxn second = stored(split.companions[0].id);
    EXPECT_EQ(second.accid4, savings);
    EXPECT_EQ(second.amt, 7000);
    EXPECT_EQ(second.narrative, "split");
    EXPECT_EQ(second.batchnum, split.rec.id);
    EXPECT_EQ(batch_of(split.rec.id), split.rec.id);

    // FX: buy 125.00 USD for 100.00 GBP, 2.50 commission
    TTxn main = txn('P', bank, shop, fees, 10000);
    main.batchnum = -1;
    main.ref = "FX, rate = 1.25";
    main.chnum = 7;
    TxnEntry fx = new_entry(main);
    fx.fx.on = true;
    fx.fx.accid1 = usd_bank;
    fx.fx.ccy = "USD";
    fx.fx.amount = 12500;
    fx.fx.commission = 250;
    ASSERT_EQ(save_entered_txn(core(), fx), EntrySave::Saved);
    ASSERT_EQ(fx.companions.size(), 2u);
    const TTxn commission = stored(fx.companions[0].id);
    const TTxn leg = stored(fx.companions[1].id);
    EXPECT_EQ(commission.type, 'P');
    EXPECT_EQ(commission.amt, 250);
    EXPECT_EQ(commission.ref, "FX commission");
    EXPECT_EQ(commission.accid1, bank);
    EXPECT_EQ(leg.type, 'R');
    EXPECT_EQ(leg.ccy, "USD");
    EXPECT_EQ(leg.amt, 12500);
    EXPECT_EQ(leg.val, 10000);
    EXPECT_EQ(leg.rate, 1.25);
    EXPECT_EQ(leg.accid1, usd_bank);
    EXPECT_EQ(leg.chnum, 0) << "the foreign account's channel, not the home one";
    for (const TTxn& c : {commission, leg}) {
        EXPECT_EQ(c.batchnum, fx.rec.id);
        EXPECT_EQ(c.accid2, shop);
        EXPECT_EQ(c.accid4, fees);
    }
    EXPECT_EQ(sql_int("select count(*) from txn where batchnum = " + QString::number(fx.rec.id)), 3);
    EXPECT_EQ(sql_int("select count(*) from pstg where batchnum = " + QString::number(fx.rec.id)), 9);
    // the internal account: minus the home amount and commission, plus the foreign amount valued
    EXPECT_EQ(sql_int("select sum(amt) from pstg where objid = " + QString::number(fees)), -10000 - 250 + 10000);
    EXPECT_EQ(pstg(leg.id, usd_bank).amt, 12500);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, ACompanionThatFailsLeavesNothingOfTheSaveWritten) {
    // the second internal account is the counterparty: the split's posting key is taken
    TTxn t = txn('P', bank, shop, food, 3000);
    t.batchnum = -1;
    TxnEntry e = new_entry(t);
    e.split = {true, shop, "Shop", 7000};
    e.batch_choice = BatchChoice::New;
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Failed);
    ASSERT_EQ(host.messages().size(), 1);
    EXPECT_TRUE(host.messages()[0].startsWith("EDatabaseError"));
    EXPECT_EQ(txns(), 0);
    EXPECT_EQ(pstgs(), 0);
    EXPECT_EQ(sql_int("select count(*) from cptyctgy"), 0);
    EXPECT_EQ(core().run.last_new_txn_id, 0);
    EXPECT_EQ(e.rec.id, 0);
    EXPECT_EQ(e.batch_choice, BatchChoice::New) << "the form's state is left for another try";
}

TEST_F(TxnSaveTest, ACompanionWithoutARateIsNotWrittenAndNamed) {
    TTxn main = txn('R', bank, shop, fees, 10000, {2024, 2, 1});  // sell USD: no USD rate on or before
    main.batchnum = -1;
    TxnEntry fx = new_entry(main);
    fx.fx.on = true;
    fx.fx.accid1 = usd_bank;
    fx.fx.ccy = "USD";
    fx.fx.amount = 12500;
    fx.fx.commission = 250;
    host.answer(testing_support::Cancel{});  // the rate prompt
    ASSERT_EQ(save_entered_txn(core(), fx), EntrySave::Saved);
    EXPECT_EQ(fx.companions_not_written, QStringList{"FX second leg"});
    EXPECT_EQ(host.messages(), (QStringList{"Use main menu option \"Currencies\" to specify a rate for USD on 2024-02-01",
                                            "FX second leg transaction not written"}));
    ASSERT_EQ(fx.companions.size(), 1u);
    EXPECT_EQ(fx.companions[0].ref, "FX commission");
    EXPECT_EQ(txns(), 2);

    // a cashback without cash account is not written either
    host.clear();
    core().settings.cashback_acc_id = 0;
    TTxn pay = txn('P', bank, shop, food, 10000);
    pay.batchnum = -1;
    TxnEntry cb = new_entry(pay);
    cb.cashback = {true, 2000};
    ASSERT_EQ(save_entered_txn(core(), cb), EntrySave::Saved);
    EXPECT_EQ(host.messages(), (QStringList{"No cashback account selected", "Cashback transaction not written"}));
    EXPECT_EQ(cb.companions_not_written, QStringList{"Cashback"});
    EXPECT_EQ(txns(), 3);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, BatchesNewJoinAndRefused) {
    // New: the main transaction heads a batch, the next input joins it
    TTxn t = txn('P', bank, shop, food, 100);
    t.batchnum = -1;
    TxnEntry e = new_entry(t);
    e.batch_choice = BatchChoice::New;
    ASSERT_EQ(save_entered_txn(core(), e), EntrySave::Saved);
    const int head = e.rec.id;
    EXPECT_EQ(batch_of(head), head);
    EXPECT_EQ(e.batch_choice, BatchChoice::AddToExisting);
    EXPECT_EQ(e.batch_number, head);
    TTxn next = txn('P', bank, shop, food, 200);
    next.batchnum = e.batch_number;
    TxnEntry e2 = new_entry(next);
    ASSERT_EQ(save_entered_txn(core(), e2), EntrySave::Saved);
    EXPECT_EQ(batch_of(e2.rec.id), head);
    EXPECT_EQ(pstg(e2.rec.id, bank).batchnum, head);

    // joining a transaction in no batch makes it the head, its postings too
    const TTxn lone = saved('P', bank, shop, food, 300);
    TTxn joiner = txn('P', bank, shop, food, 400);
    joiner.batchnum = lone.id;
    TxnEntry e3 = new_entry(joiner);
    ASSERT_EQ(save_entered_txn(core(), e3), EntrySave::Saved);
    EXPECT_EQ(batch_of(lone.id), lone.id);
    EXPECT_EQ(pstg(lone.id, food).batchnum, lone.id);

    // a member of another batch cannot head one: the save stops with nothing written
    host.clear();
    const qint64 before = txns();
    TTxn refused = txn('P', bank, shop, food, 500);
    refused.batchnum = e2.rec.id;
    TxnEntry e4 = new_entry(refused);
    EXPECT_EQ(save_entered_txn(core(), e4), EntrySave::Declined);
    EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Transaction #%1 is already in a batch (#%2)").arg(e2.rec.id).arg(head)});
    EXPECT_EQ(txns(), before);

    // nor can a transaction that does not exist
    host.clear();
    refused.batchnum = 999;
    TxnEntry e5 = new_entry(refused);
    EXPECT_EQ(save_entered_txn(core(), e5), EntrySave::Declined);
    EXPECT_EQ(host.messages(), QStringList{"Txn not found 999"});
    EXPECT_EQ(txns(), before);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, ARefusedBatchOnAnEditKeepsTheOldPostings) {
    const TTxn head = saved('P', bank, shop, food, 100);
    TTxn member = txn('P', bank, shop, food, 200);
    member.batchnum = head.id;
    TxnEntry m = new_entry(member);
    ASSERT_EQ(save_entered_txn(core(), m), EntrySave::Saved);
    const TTxn edited = saved('P', bank, shop, food, 300);
    TxnEntry e = edit_entry(edited.id);
    e.rec.batchnum = m.rec.id;  // a member, not a head
    host.answer_yes();
    EXPECT_EQ(save_entered_txn(core(), e), EntrySave::Declined);
    EXPECT_EQ(posted_accounts(edited.id).size(), 3) << "the postings deleted for the re-post are back";
    EXPECT_EQ(batch_of(edited.id), 0);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

TEST_F(TxnSaveTest, EachSaveIsItsOwnUnitAfterARefusal) {
    // a refused save, then one that fails on a database error, then a good one: each undoes
    // or keeps exactly its own writes
    TTxn refused = txn('P', bank, shop, food, 100);
    refused.batchnum = 999;
    TxnEntry e1 = new_entry(refused);
    EXPECT_EQ(save_entered_txn(core(), e1), EntrySave::Declined);
    const TTxn kept = saved('P', bank, shop, food, 200);
    TxnEntry e2 = new_entry(txn('P', bank, shop, bank, 300));  // the internal posting's key is taken
    EXPECT_EQ(save_entered_txn(core(), e2), EntrySave::Failed);
    const TTxn after = saved('R', bank, employer, salary, 400);
    EXPECT_EQ(txns(), 2);
    EXPECT_EQ(after.id, kept.id + 1);
    EXPECT_EQ(posted_accounts(kept.id).size(), 3);
    EXPECT_EQ(posted_accounts(after.id).size(), 3);
    EXPECT_TRUE(ledger_invariants_hold(core()));
}

}  // namespace posting_testing
