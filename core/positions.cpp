#include "core/positions.h"

#include <algorithm>

#include "qwellib/dialogs.h"

namespace mintor {

using namespace qwel;

int QueryRows::row_count() {
    const int here = q_.at();
    if (!q_.last()) {
        q_.seek(here);
        return 0;
    }
    const int n = q_.at() + 1;
    q_.seek(here);  // a negative index puts it back before the first row
    return n;
}

QVariant QueryRows::value(int row, const QString& key) {
    const int here = q_.at();
    if (here != row && !q_.seek(row)) return QVariant();
    QVariant v = q_.value(key);
    if (here != row) q_.seek(here);
    return v;
}

namespace {
constexpr int kRowsShownBelow = 9;

int find_row(PositionedRows& rows, int count, const QString& key, const QVariant& wanted) {
    for (int r = 0; r < count; ++r)
        if (rows.value(r, key) == wanted) return r;
    return -1;
}
}  // namespace

void remember_position(Core& core, PositionedRows* rows, const QString& key) {
    if (!rows || !rows->is_open()) return;
    const int row = rows->current_row();
    if (row < 0) return;
    PositionNote note;
    note.owner = rows;
    note.key_value = rows->value(row, key);
    if (row + 1 < rows->row_count()) {
        note.has_next = true;
        note.next_value = rows->value(row + 1, key);
    }
    auto& notes = core.store.positions;
    for (int i = 0; i < kPositionSlots; ++i) {
        if (notes[i].owner == rows) {
            trace(QStringLiteral("updating array entry ") + QString::number(i));
            notes[i] = note;
            return;
        }
    }
    for (int i = 0; i < kPositionSlots; ++i) {
        if (!notes[i].owner) {
            trace(QStringLiteral("adding new array entry ") + QString::number(i));
            notes[i] = note;
            return;
        }
    }
    program_error(QStringLiteral("core.posna_push array is full"));
}

bool restore_position(Core& core, PositionedRows* rows, const QString& key) {
    if (!rows) {
        program_error(QStringLiteral("core.b_popposn nil dataset"));
        return false;
    }
    PositionNote note;
    for (auto& slot : core.store.positions) {
        if (slot.owner == rows) {
            note = slot;
            slot = PositionNote{};
            break;
        }
    }
    if (!note.owner) {
        trace(QStringLiteral("core.posna_pop popping unpushed posn ") + rows->owner_name() + QStringLiteral(".") +
              rows->query_name());
        return false;
    }
    if (!rows->is_open()) return false;
    const int count = rows->row_count();
    int found = find_row(*rows, count, key, note.key_value);
    if (found < 0) {
        flash_notice(QStringLiteral("positioning at next"));
        if (note.has_next) found = find_row(*rows, count, key, note.next_value);
    }
    if (found < 0) {
        // the walk ended past the last row
        if (count > 0) rows->move_to(count - 1);
        return false;
    }
    // step down a few rows and back, so that the grid shows rows below the found one
    rows->move_to(std::min(found + kRowsShownBelow, count - 1));
    rows->move_to(found);
    return true;
}

}  // namespace mintor
