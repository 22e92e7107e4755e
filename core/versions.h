#pragma once
// Bringing a ledger of an older schema version (33 to 36) to the current one.

#include <QByteArray>

#include "core/core.h"

namespace mintor {

// Brings the schema to kCurrentDbVersion; false when refused, declined or failed.
bool upgrade_database(Core& core);
// Asks for (unless initialising) and announces the conversion to version target.
bool confirm_conversion(Core& core, int target);

// Latin-1 bytes to UTF-8: 0x80..0xBF get 0xC2 before them, 0xC0..0xFF become 0xC3 and
// the byte lowered by 0x40. Returns whether anything changed.
bool latin1_to_utf8(QByteArray& text);
// The longest start of a UTF-8 text that fits in max_bytes without splitting a character.
QByteArray cut_utf8(const QByteArray& text, int max_bytes);

}  // namespace mintor
