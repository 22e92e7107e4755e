#pragma once
// mintor-cli's commands over an open ledger.

#include "cli/session.h"

namespace mintor_cli {

int cmd_rebalance(const Options& o);
int cmd_balances(const Options& o);

}  // namespace mintor_cli
