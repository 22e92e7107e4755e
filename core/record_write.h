#pragma once
// A record write as one undoable operation that also leaves the caller's record as it was
// when the write fails (ids, stamps and batch numbers given to it on the way are taken back).

#include <functional>

#include "core/core.h"
#include "core/undo.h"

namespace mintor {

template <class Record>
bool run_record_write(Core& core, Record& rec, const std::function<void()>& op) {
    const Record before = rec;
    bool ok = false;
    try {
        ok = run_undoable(core, op);
    } catch (...) {  // inside an enclosing operation the error goes on to it
        rec = before;
        throw;
    }
    if (!ok) rec = before;
    return ok;
}

}  // namespace mintor
