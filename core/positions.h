#pragma once
// Keeping a list's row across a refresh: remember the key of the current row (and of the
// row after it), refresh, then go back to that row, or to the one after it when the row
// itself has gone. The core keeps one note per list, ten lists at most.

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "core/core.h"

namespace mintor {

// The rows a list shows, as remember_position and restore_position walk them.
class PositionedRows {
public:
    virtual ~PositionedRows() = default;
    virtual QString owner_name() const = 0;  // the form
    virtual QString query_name() const = 0;
    virtual bool is_open() const = 0;
    virtual int row_count() = 0;
    virtual int current_row() const = 0;  // -1 when on no row
    virtual void move_to(int row) = 0;
    virtual QVariant value(int row, const QString& key) = 0;
};

// PositionedRows over a scrollable (not forward-only) query that is already run.
class QueryRows : public PositionedRows {
public:
    QueryRows(QSqlQuery& query, QString owner, QString name)
        : q_(query), owner_(std::move(owner)), name_(std::move(name)) {}
    QString owner_name() const override { return owner_; }
    QString query_name() const override { return name_; }
    bool is_open() const override { return q_.isActive() && q_.isSelect(); }
    int row_count() override;
    int current_row() const override { return q_.at() >= 0 ? q_.at() : -1; }
    void move_to(int row) override { q_.seek(row); }
    QVariant value(int row, const QString& key) override;

private:
    QSqlQuery& q_;
    QString owner_, name_;
};

// Notes the key of the current row and, when there is a next row, the key of that row.
// Only for open rows. A tenth list beyond the ten kept: "core.posna_push array is full".
void remember_position(Core& core, PositionedRows* rows, const QString& key);
// Goes back to the remembered row (or, flashing "positioning at next", to the row that
// followed it), showing a few rows below it; frees the note. True when a row was found.
bool restore_position(Core& core, PositionedRows* rows, const QString& key);

}  // namespace mintor
