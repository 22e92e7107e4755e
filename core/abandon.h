#pragma once
// An undoable operation that may also stop half-way on a refusal (a check that says no, a
// question answered no, a record that cannot be written) and must then leave nothing of what
// it wrote. Inside the operation, throw Abandon; the savepoint of the operation is rolled back.

#include <functional>

#include "core/core.h"

namespace mintor {

struct Abandon {};

enum class UnitResult {
    Done,       // ran to the end
    Abandoned,  // stopped by a refusal (Abandon): nothing stays
    Failed,     // stopped by a database error: nothing stays, the error has been reported
};

// run_undoable (undo.h) that also undoes on Abandon. Nested inside another operation a
// database error goes on to that operation, as with run_undoable.
UnitResult run_abandonable(Core& core, const std::function<void()>& op);

}  // namespace mintor
