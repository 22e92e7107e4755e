#include "core/config.h"

#include <QFile>

#include "core/runstate.h"
#include "qwellib/dialogs.h"
#include "qwellib/inifile.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

namespace {

const QString kSection = QStringLiteral("main");
const QString kProgramIniName = QStringLiteral("mintor.ini");
const QString kDefaultDbName = QStringLiteral("mintor.fdb");
const QString kCR = QStringLiteral("\r");

QString slot_key(int i) { return QStringLiteral("DB") + pad_int(i, 2); }

void report_save_failure(const QString& path) {
    show_msg(QStringLiteral("Cannot save settings to ") + dquote(path));
}

// With no database listed, the ledger in the program folder's data/ subfolder.
// Returns the path found, or empty after saying why there is none.
QString find_default_database(const QString& program_folder) {
    const QString folder = program_folder + QStringLiteral("data/");
    const QString lower = folder + kDefaultDbName;
    const QString upper = folder + kDefaultDbName.toUpper();
    const bool lower_exists = QFile::exists(lower);
    const bool upper_exists = QFile::exists(upper);
    if (lower_exists && upper_exists) {
        show_msg(QStringLiteral("Cannot decide between databases ") + dquote(lower) + kCR +
                 QStringLiteral(" and ") + dquote(upper));
        return {};
    }
    if (upper_exists) {
        show_msg(QStringLiteral("Using database ") + dquote(upper));
        return upper;
    }
    if (lower_exists) {
        show_msg(QStringLiteral("Using ") + QStringLiteral("default database ") + dquote(lower));
        return lower;
    }
    show_msg(QStringLiteral("Cannot find ") + QStringLiteral("default database ") + dquote(lower));
    return {};
}

}  // namespace

void read_program_ini(Core& core) {
    const QString path = core.program_folder + kProgramIniName;
    IniFile ini(path);
    if (!ini.exists())
        show_msg(dquote(path) + kCR + QStringLiteral("Optional pgm INI file not found, using defaults"));
    else
        ini.load();

    ProgramSettings& prog = core.program;
    prog.fb_username = ini.read_string(kSection, QStringLiteral("FBUSERNAME"), QString());
    prog.fb_password = ini.read_string(kSection, QStringLiteral("FBPASSWORD"), QString());

    int last_good = -1;
    for (int i = 0; i < kRecentSlots; ++i) {
        prog.recent[static_cast<size_t>(i)].clear();
        const QString db = ini.read_string(kSection, slot_key(i), QString());
        if (db.isEmpty()) continue;
        if (!QFile::exists(db)) {
            show_msg(dquote(db) + kCR + QStringLiteral("Database listed in ") + kProgramIniName +
                     QStringLiteral(" not found, dropping from list"));
            continue;
        }
        prog.recent[static_cast<size_t>(i)] = db;
        last_good = i;
    }

    if (last_good < 0) {
        const QString found = find_default_database(core.program_folder);
        if (!found.isEmpty()) {
            prog.recent[0] = found;
            last_good = 0;
        }
    }

    // which_db ends as the slot actually chosen (-1 when none); opening the database
    // sets it again from the recent list.
    QString chosen;
    prog.which_db = -1;
    if (last_good >= 0) {
        const int which = ini.read_int(kSection, QStringLiteral("WHICHDB"), -1);
        if (which >= 0 && which < kRecentSlots && !prog.recent[static_cast<size_t>(which)].isEmpty()) {
            prog.which_db = which;
        } else {
            prog.which_db = last_good;
        }
        chosen = prog.recent[static_cast<size_t>(prog.which_db)];
    }
    core.database_path = chosen;

    // Tracing stays on until the ledger ini says otherwise.
    set_trace(true);
}

void save_program_ini(const Core& core) {
    const QString path = core.program_folder + kProgramIniName;
    IniFile ini(path);
    ini.load();  // keep whatever else the file holds
    const ProgramSettings& prog = core.program;
    ini.write_string(kSection, QStringLiteral("FBUSERNAME"), prog.fb_username);
    ini.write_string(kSection, QStringLiteral("FBPASSWORD"), prog.fb_password);
    for (int i = 0; i < kRecentSlots; ++i)
        ini.write_string(kSection, slot_key(i), prog.recent[static_cast<size_t>(i)]);
    ini.write_int(kSection, QStringLiteral("WHICHDB"), prog.which_db);
    if (!ini.save()) report_save_failure(path);
}

void read_db_ini(Core& core) {
    const QString& path = core.db_ini_path;
    IniFile ini(path);
    if (!ini.exists())
        show_msg(dquote(path) + kCR + QStringLiteral("Optional DB INI file not found, using defaults"));
    else
        ini.load();

    auto rd_int = [&](const char* key, int dflt) {
        return ini.read_int(kSection, QString::fromLatin1(key), dflt);
    };
    auto rd_bool = [&](const char* key, bool dflt) {
        return ini.read_bool(kSection, QString::fromLatin1(key), dflt);
    };
    bool deleted = false;
    auto drop = [&](const char* key) {
        const QString k = QString::fromLatin1(key);
        if (ini.has(kSection, k)) {
            ini.delete_key(kSection, k);
            deleted = true;
        }
    };

    DbSettings& s = core.settings;
    s.default_cash_id = rd_int("DefaultCashId", -1);
    s.default_cpty_id = rd_int("DefaultCptyId", -1);
    s.default_ctgy_id = rd_int("DefaultCtgyId", -1);
    s.default_pot_id = rd_int("DefaultPotId", -1);
    s.sweep_to_pot_id = rd_int("SweepToPotId", 0);
    s.opening_bal_pot_id = rd_int("OpeningBalPotId", 0);
    s.dormant_after = rd_int("DormantAfter", 365);
    const int bal_from = rd_int("BalFrom", 0);
    const int bal_at = rd_int("BalAt", date_to_int(today()));
    set_period(core, int_to_date(bal_from), int_to_date(bal_at));
    s.reset_paths = rd_bool("ResetPaths", false);
    set_rebalance_needed(core, rd_bool("RebalNeeded", false));

    const QString db_name = ini.read_string(kSection, QStringLiteral("DatabaseName"), QStringLiteral("x"));
    if (db_name != QStringLiteral("x")) {
        core.ini_database_name = db_name;
        core.params.name = db_name;
    }
    drop("DatabaseName");

    s.financial_year_day1 = rd_int("FinancialYearDay1", 1);
    s.financial_year_month1 = rd_int("FinancialYearMonth1", 1);
    s.postings_txnid_visible = rd_bool("PostingsTxnIdVisible", true);
    s.postings_instid_visible = rd_bool("PostingsInstIdVisible", true);
    s.postings_type_visible = rd_bool("PostingsTypeVisible", true);
    s.postings_ref_visible = rd_bool("PostingsRefVisible", true);
    s.postings_ctgyname_visible = rd_bool("PostingsCtgyNameVisible", false);
    // 0 or more overrides the dates of the param table (read_params decides).
    s.db_start_date_ini = rd_int("DBStartDate", -1);
    s.db_end_date_ini = rd_int("DBEndDate", -1);
    s.gen_to = rd_int("GenTo", 0);
    s.last_gen_to = rd_int("LastGenTo", 0);
    s.cashback_acc_id = rd_int("CashbackAccId", 0);
    s.period_type = rd_int("PeriodType", 2);
    s.fx_gain_loss_ctgy = rd_int("FXGainLossCtgy", 0);
    s.fx_gain_loss_pot = rd_int("FXGainLossPot", 0);
    set_flash_interval(rd_int("FlashInterval", 1500));
    s.journal_block_size = rd_int("JournalBlockSize", 1);
    s.ignored_remdrs = rd_int("IgnoredRemdrs", 0);
    drop("WashCtgies");
    s.db_frozen = rd_bool("DBFrozen", false);
    s.freeze_before = rd_int("FreezeBefore", 0);
    s.exclude_closed_channels = rd_bool("ExcludeClosedChannels", false);
    s.favs_or_recents_cpty = rd_int("FavsOrRecents_Cpty", 1);
    s.favs_or_recents_ext = rd_int("FavsOrRecents_Ext", 1);
    s.favs_or_recents_int = rd_int("FavsOrRecents_Int", 1);
    s.esc_to_minimize = rd_bool("EscToMinimize", false);
    set_trace(rd_bool("Trace", false));
    s.one_click_select = true;

    // A deleted key leaves the file at once, as the ini writer writes through. When the
    // file cannot be written the next save_db_ini reports it.
    if (deleted) ini.save();

    show_rebal_state(core);
}

void save_db_ini(Core& core) {
    const QString path = core.db_ini_path;
    if (path.isEmpty()) return;
    flash_status(QStringLiteral("Saving settings - see ") + path);

    IniFile ini(path);
    ini.load();  // keys this program does not know stay in the file

    auto wr_int = [&](const char* key, int value) {
        ini.write_int(kSection, QString::fromLatin1(key), value);
    };
    auto wr_bool = [&](const char* key, bool value) {
        ini.write_bool(kSection, QString::fromLatin1(key), value);
    };
    auto drop = [&](const char* key) { ini.delete_key(kSection, QString::fromLatin1(key)); };

    const DbSettings& s = core.settings;
    drop("BaseCurrency");
    wr_int("DefaultCashId", s.default_cash_id);
    wr_int("DefaultCptyId", s.default_cpty_id);
    wr_int("DefaultCtgyId", s.default_ctgy_id);
    wr_int("DefaultPotId", s.default_pot_id);
    wr_int("SweepToPotId", s.sweep_to_pot_id);
    wr_int("OpeningBalPotId", s.opening_bal_pot_id);
    wr_int("DormantAfter", s.dormant_after);
    wr_int("BalFrom", core.run.from_int);
    wr_int("BalAt", core.run.to_int);
    wr_bool("RebalNeeded", core.run.rebal_needed);
    wr_bool("ResetPaths", s.reset_paths);
    wr_int("FinancialYearDay1", s.financial_year_day1);
    wr_int("FinancialYearMonth1", s.financial_year_month1);
    wr_bool("PostingsTxnIdVisible", s.postings_txnid_visible);
    wr_bool("PostingsInstIdVisible", s.postings_instid_visible);
    wr_bool("PostingsTypeVisible", s.postings_type_visible);
    wr_bool("PostingsRefVisible", s.postings_ref_visible);
    wr_bool("PostingsCtgyNameVisible", s.postings_ctgyname_visible);
    wr_int("DBStartDate", -1);
    wr_int("DBEndDate", -1);
    wr_int("DBvn", -1);
    wr_int("GenTo", date_to_int(today()));
    wr_int("LastGenTo", s.last_gen_to);
    wr_int("CashbackAccId", s.cashback_acc_id);
    wr_int("PeriodType", s.period_type);
    drop("PeriodAutoRefresh");
    wr_int("FXGainLossCtgy", s.fx_gain_loss_ctgy);
    wr_int("FXGainLossPot", s.fx_gain_loss_pot);
    drop("OneClickSelect");
    wr_int("FlashInterval", flash_interval());
    wr_int("JournalBlockSize", s.journal_block_size);
    wr_int("ShowPots", 1);
    wr_int("IgnoredRemdrs", s.ignored_remdrs);
    wr_bool("DBFrozen", s.db_frozen);
    wr_int("FreezeBefore", s.freeze_before);
    wr_bool("ExcludeClosedChannels", s.exclude_closed_channels);
    wr_int("FavsOrRecents_Cpty", s.favs_or_recents_cpty);
    wr_int("FavsOrRecents_Ext", s.favs_or_recents_ext);
    wr_int("FavsOrRecents_Int", s.favs_or_recents_int);
    wr_bool("EscToMinimize", s.esc_to_minimize);
    wr_bool("Trace", trace_on());

    const bool saved = ini.save();
    flash_status(QString());
    if (!saved) report_save_failure(path);
}

int find_recent(const Core& core, const QString& path) {
    if (path.isEmpty()) return -1;  // an empty slot lists nothing
    for (int i = 0; i < kRecentSlots; ++i)
        if (core.program.recent[static_cast<size_t>(i)].compare(path, Qt::CaseSensitive) == 0) return i;
    return -1;
}

int add_recent(Core& core, const QString& path) {
    int slot = kRecentSlots - 1;
    for (int i = 0; i < kRecentSlots; ++i) {
        if (core.program.recent[static_cast<size_t>(i)].isEmpty()) {
            slot = i;
            break;
        }
    }
    core.program.recent[static_cast<size_t>(slot)] = path;
    return slot;
}

void drop_recent(Core& core, const QString& path) {
    if (path.isEmpty()) return;
    for (auto& slot : core.program.recent)
        if (slot.compare(path, Qt::CaseSensitive) == 0) slot.clear();
}

}  // namespace mintor
