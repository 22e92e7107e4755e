#pragma once
// The ledger core: the state of one open ledger (connection, its one long transaction,
// settings, run state) and what the main form shows of it. The operations live in the
// files of their families and take the Core they work on.

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <vector>

#include "core/settings.h"
#include "core/store_state.h"
#include "qwellib/dates.h"

namespace mintor {

constexpr int kCurrentDbVersion = 37;

// What the main form shows of the core's state; the desktop program copies it to its widgets.
struct MainFormView {
    QString from_lbl, to_lbl;       // FromLbl, ToLbl
    QString panel3_caption;         // Panel3
    unsigned panel3_colour = 0xC0C0C0;
    QString dblbl;                  // path of the open database
    QString dbnamebx;               // database name
    QString dbstartlbl1, dbstartlbl2, dbendlbl1, dbendlbl2;
};

struct RunState {
    qwel::Date from, to;
    int from_int = 0, to_int = 0;
    bool rebal_needed = false;
    bool rebal_in_progress = false;
    QString base_ccy;
    QString bals_ccy;  // the currency the balances view shows
    int dormant_date = 0;
    QString last_status;
    int rebal_steps = 0;
    qwel::Date remembered_day;
    qwel::Date horizon;  // repeater instances are generated up to here; null until first set
    bool healthcheck_repairing = false;  // the healthcheck is making repairs: instance edits stay their own
    bool wash_ctgies = true;  // categories washed to the default pot before the period; on at every start
    // The transaction saved last by the input form, new and edited: the journal and the postings
    // list position themselves on them.
    int last_new_txn_id = 0;
    int last_edited_txn_id = 0;
};

struct DbParams {
    int dbvn = 0;
    qwel::Date start_date, end_date;
    QString name;
    int lastaccid = 0;
};

class Core {
public:
    // Each core has its own connection; connection_name tells them apart.
    explicit Core(QString program_folder = QString());
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    QSqlDatabase db() const;
    const QString& connection_name() const { return connection_name_; }

    QString program_folder;     // ends with "/"
    QString database_path;      // the file chosen to open
    QString current_path;       // the file actually open
    QString db_ini_path;        // mintordb.ini beside it; empty when not known

    ProgramSettings program;
    DbSettings settings;
    DbParams params;
    RunState run;
    MainFormView view;
    StoreState store;  // the record store's queries, records read at open, note buffers

    bool initialising = false;
    bool converted = false;
    bool terminating = false;   // the program was asked to stop

    // The obsolete DatabaseName ini value, when one was read (becomes the name in param).
    QString ini_database_name;

    // Called whenever view changes, so a form can repaint.
    std::function<void()> on_view_changed;
    // Run at the end of a successful open (reading the records the core keeps of the ledger).
    std::vector<std::function<void(Core&)>> after_open;
    // Shows one transaction in the transaction details window (set by the desktop program).
    std::function<void(Core&, int)> show_txn_details;
    // Called by close_database so forms can forget cached records of the old ledger.
    std::function<void()> on_database_closed;
    // Undo nesting depth (see undo.h) and whether the long transaction is open.
    int undo_depth = 0;
    bool transaction_open = false;
    int commit_count = 0;  // commits so far; an operation that committed has no savepoint left

    void view_changed() const {
        if (on_view_changed) on_view_changed();
    }

private:
    QString connection_name_;
};

}  // namespace mintor
