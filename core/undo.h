#pragma once
// One user operation as one unit: a savepoint is taken at its start and, when a database
// error stops it, everything it wrote is undone before the error is reported. The long
// transaction itself stays open; commit_work still ends the operation.

#include <functional>

#include "core/core.h"

namespace mintor {

// Runs op; true when it ran to the end. A DbError undoes op's statements; the outermost
// operation reports it to the user, nested ones pass it on to their caller.
bool run_undoable(Core& core, const std::function<void()>& op);

}  // namespace mintor
