#pragma once
// The ledger's own parameters: the rows of table param (version, start and end dates,
// name, highest account id).

#include "core/core.h"

namespace mintor {

enum ParamId { kParamDbvn = 1, kParamStartDate = 2, kParamEndDate = 3, kParamName = 4, kParamLastAccId = 5 };

// Reads every param row into core.params; reconciles the dates with the ledger ini.
// False when the select fails or no version greater than 0 was found.
bool read_params(Core& core);
void write_param(Core& core, int pmid, const QString& name, int value);
void write_db_dates(Core& core);
void write_dbvn(Core& core, int n);
// The database-name edit: stores and commits the new name.
void write_db_name(Core& core, const QString& name);

}  // namespace mintor
