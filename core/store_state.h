#pragma once
// What the record store keeps in the core while a ledger is open: its named queries, the
// account records read at open, the note buffers and the remembered list positions.

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>

#include "core/records.h"

namespace mintor {

// One of the core's named queries. After run_sql of a select it is open and stands on its
// first row (at_end when there is none); walk it with next(). The result is scrollable.
struct CoreQuery {
    explicit CoreQuery(QString query_name = QString()) : name(std::move(query_name)) {}
    QString name;      // "q1", "cursor", "grpq": for traces
    QStringList sql;   // the lines of its text
    QSqlQuery rows;    // the open result
    bool open = false;
    bool eof = true;

    bool at_end() const { return !open || eof; }
    void next() {
        if (!at_end()) eof = !rows.next();
    }
    // Frees the result (and its hold on the connection).
    void close() {
        rows = QSqlQuery();
        open = false;
        eof = true;
    }
};

// One remembered list position (remember_position / restore_position).
struct PositionNote {
    const void* owner = nullptr;  // the list's rows; null = free entry
    QVariant key_value;
    QVariant next_value;
    bool has_next = false;
};

constexpr int kPositionSlots = 10;

struct StoreState {
    CoreQuery q1{QStringLiteral("q1")};
    CoreQuery cursor{QStringLiteral("cursor")};
    CoreQuery group{QStringLiteral("grpq")};  // open_group_members

    // The sweep pot (SweepToPotId) and the opening-balance pot (OpeningBalPotId), read at open;
    // an id of 0 leaves an empty record.
    Tacc sweep_pot;
    Tacc opening_bal_pot;

    // Account notes: read_acc copies the note into read_note (while read_note_flag is set,
    // which every read sets); write_acc stores write_note only when note_changed is set,
    // then clears it. The account forms fill write_note and set note_changed.
    QString read_note;
    bool read_note_flag = true;
    QString write_note;
    bool note_changed = false;

    // Timestamps carrying milliseconds are reported while this is on (it is from start-up).
    bool msec_warning = true;

    // The currency of new transactions; empty = the base currency.
    QString new_txn_ccy;

    std::array<PositionNote, kPositionSlots> positions{};

    // Closes the named queries; done before the connection closes.
    void close_queries() {
        q1.close();
        cursor.close();
        group.close();
    }
};

}  // namespace mintor
