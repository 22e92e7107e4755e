#pragma once
// The report of a row a caller expected but did not find.

#include <QString>

namespace mintor {

// kind + " not found " + id, then " " + id2 when id2 is above 0. Kinds: "Txn", "Account",
// "Posting", "Channel", "Repeater master".
void report_not_found(const QString& kind, int id, int id2 = 0);

}  // namespace mintor
