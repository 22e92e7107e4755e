#pragma once
// Closing an account: the checks and questions that choose its close date, and storing it.
// Used by the account lists and forms, the postings list, and the bypass check of a payment
// or receipt (txn_checks.h). Nothing here commits.

#include <QString>

#include "core/core.h"
#include "core/records.h"

namespace mintor {

// The close date for the account, asked of the user:
// - used by an active repeater: "Cannot close - Account is in active Repeater #<id>", false;
// - a balance in ccy (the period figures of the last rebalance) that is not 0, for anything
//   but a category: "Account #<id> balance not zero (<amount>), are you sure you want to
//   close?", false on no;
// - no postings: the date prompt decides; otherwise the choice "Closing <type name>
//   "<name>"... \rOK to set close date to last posting date <date> ?" between "use <date>"
//   (asking first, while a rebalance is needed, "This Last Posting Date may be changed by the
//   outstanding Rebalance, still OK to use it?") and "or another date" (the date prompt).
// False when cancelled; true and the date otherwise.
bool close_account_date(Core& core, const Tacc& acc, const QString& ccy, qwel::Date& date);

// "Account is already closed" (false) when the close date is set; otherwise
// close_account_date, then the account is stored with that close date and without its
// favourite mark. True when closed.
bool close_account(Core& core, Tacc& acc, const QString& ccy);

}  // namespace mintor
