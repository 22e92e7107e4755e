#include "core/abandon.h"

#include "core/undo.h"

namespace mintor {

UnitResult run_abandonable(Core& core, const std::function<void()>& op) {
    try {
        return run_undoable(core, op) ? UnitResult::Done : UnitResult::Failed;
    } catch (const Abandon&) {
        // run_undoable rolled its savepoint back before letting the refusal through
        return UnitResult::Abandoned;
    }
}

}  // namespace mintor
