#pragma once
// Whether the open ledger is current or an archive, frozen or not, and its base currency.

#include "core/core.h"

namespace mintor {

// Fills the main form's database panel; an archive is frozen (with its messages).
void show_db_status(Core& core);
// True (after "Cannot <action>, database is frozen") when the ledger must not change.
bool chk_frozen(Core& core, const QString& action);
// The Freeze menu item: sets the frozen flag to checked. Unfreezing an archive asks twice;
// returns the flag as it then stands.
bool set_db_frozen(Core& core, bool checked);
// The start/end date labels: asks for a date and stores it. False when cancelled.
bool edit_db_start_date(Core& core);
bool edit_db_end_date(Core& core);
// Finds the one base currency (ccy.base = 1) and keeps it in the run state.
bool check_base_ccy(Core& core);

}  // namespace mintor
