#pragma once
// The rebalance: the period figures of every account and group (movtf, movtg, movte)
// rebuilt from the postings by set statements inside the database.

#include <QElapsedTimer>
#include <QList>
#include <QPair>

#include "core/core.h"

namespace mintor {

// movtg holds one row per (accid, ccy, amtval); its posting dates are set on 'A' rows of
// objects with postings and are null elsewhere. movte holds 99999999 for "no postings".
// True when the figures were rebuilt and committed.
bool rebalance(Core& core);
void rebalance_if_needed(Core& core);
// True when no rebalance was needed, else the result of the rebalance (false when declined).
bool ask_rebalance_now(Core& core);
// Generates repeater instances up to the horizon (asking when To is far ahead).
void gen_repeaters_to_horizon(Core& core);
void rebal_step(Core& core, const QString& name);
void movtg_from_movtf(Core& core);

// The main form's entry points.
void rebalance_now_clicked(Core& core);  // "Rebalance now"
void rebuild_and_rebalance(Core& core);  // "Rebuild account paths + Rebalance"

// Time taken by each step of the last rebalance, in milliseconds (for mintor-cli).
const QList<QPair<QString, qint64>>& last_rebalance_timings();

}  // namespace mintor
