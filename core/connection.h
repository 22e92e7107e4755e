#pragma once
// Opening, closing and exchanging the ledger database.

#include "core/core.h"

namespace mintor {

// Opens the ledger chosen at start; false means the program does not go on to its other forms.
bool open_at_start(Core& core);
// Opens the ledger at core.database_path: its ini, credentials, connection, params, upgrade.
bool open_database(Core& core);
// Saves the ledger ini, commits and disconnects.
void close_database(Core& core);
// close_database, then open_database on core.database_path (set by the caller).
bool switch_database(Core& core);
// Asks for the user name and password that the program ini did not give. False when cancelled.
bool get_fb_credentials(Core& core);
bool database_open(const Core& core);

}  // namespace mintor
