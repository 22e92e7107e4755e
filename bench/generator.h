#pragma once
// The synthetic ledger of the benchmark: a realistic household-and-small-business ledger of
// ten years (2016-2025) written straight into an empty ledger with set statements, the same
// for the same seed, and optionally the same ledger as a plain-text journal that ledger and
// hledger read.

#include <QString>
#include <cstdint>

#include "core/core.h"

namespace mintor_bench {

struct GeneratorOptions {
    qint64 txns = 0;          // transactions in all, repeater instances included
    std::uint32_t seed = 1;
    QString journal_path;     // empty: no journal
    bool verbose = true;      // step timings on standard output
};

// Fills the open, empty ledger of core and commits. False (after a message on standard
// error) when the ledger is not empty or a statement fails.
bool generate_ledger(mintor::Core& core, const GeneratorOptions& opts);

// Whether the open ledger writes synchronously, and switching its write mode with gfix
// (call it while no connection is attached). False when gfix is missing or failed.
bool forced_writes(mintor::Core& core);
bool set_forced_writes(const QString& path, const QString& user, const QString& password, bool on);

// Writes the journal of the ledger open in core (as generated above) to path.
bool write_journal(mintor::Core& core, const QString& path, const GeneratorOptions& opts);

// First and last day of the generated plain transactions; repeaters run one step past it.
constexpr int kFirstDay = 20160101;
constexpr int kLastDay = 20251231;
constexpr int kDays = 3653;  // kFirstDay .. kLastDay

}  // namespace mintor_bench
