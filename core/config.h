#pragma once
// The program ini (mintor.ini, program folder: credentials and the recent-ledger list that
// decides what opens at start) and the ledger ini (mintordb.ini, beside the ledger file).

#include "core/core.h"

namespace mintor {

// Reads mintor.ini and chooses core.database_path (empty when none).
void read_program_ini(Core& core);
void save_program_ini(const Core& core);
// Reads core.db_ini_path into core.settings and the run state.
void read_db_ini(Core& core);
// Writes core.settings and the run state to core.db_ini_path (nothing when it is empty).
void save_db_ini(Core& core);

int find_recent(const Core& core, const QString& path);  // slot index or -1
int add_recent(Core& core, const QString& path);         // returns the slot used
void drop_recent(Core& core, const QString& path);

}  // namespace mintor
