#pragma once
// The account note buffers (core.store): read_acc copies an account's note into the
// read-note buffer; write_acc stores the write-note buffer only when it was set here.

#include <QString>

#include "core/core.h"

namespace mintor {

// The note of the account read last.
const QString& read_note(const Core& core);
// The note the next write_acc stores (then the buffer counts as written).
void set_write_note(Core& core, const QString& note);

}  // namespace mintor
