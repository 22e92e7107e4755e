// The posting details window over postings of a real ledger.
#include <gtest/gtest.h>

#include "core/connection.h"
#include "core/sql.h"
#include "core/transactions.h"
#include "forms/mydbgridb.h"
#include "forms/pdets.h"
#include "forms_support.h"
#include "support/ledger_fixture.h"

using namespace mintor::forms;

class PostingDetails : public testing_support::LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        open_forms_ini(folder + QStringLiteral("FORMS.INI"));
        open_ledger();
        host.clear();
    }
    void TearDown() override {
        delete FPdets;
        close_forms_ini();
        LedgerTest::TearDown();
    }
    void posting(int txnid, int objid, const char* type, int reconcode) {
        sql(QStringLiteral("insert into pstg (txnid, objid, amt, val, recamt, contra, pstgdate, reconcode, rngbal, "
                           "txntype, dppstgdate, dprngbal, chnum, ccy, batchnum, seq) values (%1, %2, -12345, -11000, "
                           "500, 77, 20240105, %3, 250000, '%4', 1, 0, 3, 'EUR', 9, 2)")
                .arg(txnid)
                .arg(objid)
                .arg(reconcode)
                .arg(QString::fromLatin1(type)));
    }
};

TEST_F(PostingDetails, LabelsOfAPostingAndOfABroughtForwardOne) {
    posting(41, 7, "P", 1);
    posting(0, 8, "A", 2);
    show_posting_details(core(), 41, 7);
    ASSERT_NE(FPdets, nullptr);
    EXPECT_TRUE(FPdets->isVisible());
    EXPECT_EQ(FPdets->windowTitle(), QStringLiteral("Posting details"));
    const std::pair<const char*, const char*> expected[] = {
        {"Transaction", "#41 (type P=Payment/Purchase)"},
        {"Account", "#7"},
        {"Channel", "#3"},
        {"Date / Seq", "2024-01-05  /  2"},
        {"Batch", "#9"},
        {"Contra account", "#77"},
        {"Amount / Currency", "-123.45  EUR"},
        {"Value ", "-110.00"},
        {"Running balance", "+2,500.00"},
        {"Reconciled amount", "+5.00"},
        {"Reconciled", "yes"},
        {"- date visible ?", "yes"},
        {"- running bal visible ?", "no"},
    };
    for (auto [caption, value] : expected)
        EXPECT_EQ(FPdets->value_of(QString::fromLatin1(caption)), QString::fromLatin1(value)) << caption;

    show_posting_details(core(), 0, 8);
    EXPECT_EQ(FPdets->value_of(QStringLiteral("Transaction")),
              QStringLiteral("#0 (type A=Brought-Forward (b/fd) posting)"));
    EXPECT_EQ(FPdets->value_of(QStringLiteral("Amount / Currency")), QStringLiteral("calculated dynamically"));
    EXPECT_EQ(FPdets->value_of(QStringLiteral("Reconciled")), QStringLiteral("invalid 2"));

    // no such posting: nothing changes
    FPdets->close();
    show_posting_details(core(), 99, 99);
    EXPECT_FALSE(FPdets->isVisible());
    EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join(QStringLiteral(" | ")).toStdString();
}
