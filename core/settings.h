#pragma once
// Settings of the program ini (mintor.ini) and of the ledger's own ini (mintordb.ini),
// kept in memory between reading and saving.

#include <QString>
#include <array>

namespace mintor {

constexpr int kRecentSlots = 10;

struct ProgramSettings {
    QString fb_username;
    QString fb_password;
    std::array<QString, kRecentSlots> recent;  // DB00 .. DB09
    int which_db = -1;                         // WHICHDB
};

struct DbSettings {
    int default_cash_id = -1;
    int default_cpty_id = -1;
    int default_ctgy_id = -1;
    int default_pot_id = -1;
    int sweep_to_pot_id = 0;
    int opening_bal_pot_id = 0;
    int dormant_after = 365;
    bool reset_paths = false;
    int financial_year_day1 = 1;
    int financial_year_month1 = 1;
    bool postings_txnid_visible = true;
    bool postings_instid_visible = true;
    bool postings_type_visible = true;
    bool postings_ref_visible = true;
    bool postings_ctgyname_visible = false;
    int db_start_date_ini = -1;  // DBStartDate: -1 = take it from param
    int db_end_date_ini = -1;    // DBEndDate
    int gen_to = 0;              // GenTo: the day the settings were last saved
    int last_gen_to = 0;
    int cashback_acc_id = 0;
    int period_type = 2;
    int fx_gain_loss_ctgy = 0;
    int fx_gain_loss_pot = 0;
    int journal_block_size = 1;
    int ignored_remdrs = 0;
    bool db_frozen = false;
    int freeze_before = 0;
    bool exclude_closed_channels = false;
    int favs_or_recents_cpty = 1;
    int favs_or_recents_ext = 1;
    int favs_or_recents_int = 1;
    bool esc_to_minimize = false;
    bool one_click_select = false;
    // Trace and FlashInterval live in qwellib; RebalNeeded, BalFrom and BalAt in the run state.
};

}  // namespace mintor
