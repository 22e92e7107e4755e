#include "core/notes.h"

namespace mintor {

const QString& read_note(const Core& core) { return core.store.read_note; }

void set_write_note(Core& core, const QString& note) {
    core.store.write_note = note;
    core.store.note_changed = true;
}

}  // namespace mintor
