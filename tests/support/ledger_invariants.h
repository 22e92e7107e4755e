#pragma once
// The invariants every ledger keeps whatever was done to it, as one check that any test
// (posting rules, maintenance, healthcheck, archive) can run over the open ledger:
//  1. a payment or receipt that is not cancelled has its external (accid1) and counterparty
//     (accid2) postings, equal and opposite in the transaction currency (external -amt for P,
//     +amt for R), and its internal posting (accid4, when set) in the base currency with amt
//     and val both equal to the external posting's val (-val for P, +val for R);
//  2. a transfer that is not cancelled posts -amt to accid1 and +amt to accid2;
//  3. the highest txn.id equals the highest pstg.txnid (both 0 in an empty ledger);
//  4. every posting other than a brought-forward one (txnid 0) has its transaction;
// and what the posting rules give every posting:
//  5. a cancelled transaction's postings have amt and val 0;
//  6. a posting carries its transaction's type letter and batch number.

#include <gtest/gtest.h>

#include <QStringList>

#include "core/core.h"

namespace testing_support {

// One line per broken invariant ("txn #12: ..."); empty when all hold.
QStringList ledger_invariant_violations(mintor::Core& core);

// For EXPECT_TRUE / ASSERT_TRUE: fails with the first violations found.
::testing::AssertionResult ledger_invariants_hold(mintor::Core& core);

}  // namespace testing_support
