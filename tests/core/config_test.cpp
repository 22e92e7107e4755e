// The program ini (mintor.ini) with its choice of database, the ledger ini (mintordb.ini)
// and the recent-database list.
#include "core/config.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <optional>

#include "core/runstate.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"
#include "support/scripted_host.h"

using qwel::dquote;

namespace {

const QString kTodayInt = QString::number(qwel::date_to_int(qwel::today()));

void write_file(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(text.toUtf8());
}

void touch(const QString& path) { write_file(path, QString()); }

// The key=value lines of a file in file order, read without the program's ini reader.
struct RawIni {
    QStringList keys;
    QMap<QString, QString> values;
    bool has(const QString& key) const { return values.contains(key.toLower()); }
    QString value(const QString& key) const { return values.value(key.toLower()); }
};

RawIni read_raw(const QString& path) {
    RawIni out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        const int eq = line.indexOf(QLatin1Char('='));
        if (line.isEmpty() || line.startsWith(QLatin1Char('[')) || eq < 0) continue;
        const QString key = line.left(eq).trimmed();
        out.keys << key;
        out.values.insert(key.toLower(), line.mid(eq + 1).trimmed());
    }
    return out;
}

// Trace and the flash interval belong to the whole program; each test leaves them as found.
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        folder = tmp.path() + QStringLiteral("/");
        saved_trace = qwel::trace_on();
        saved_interval = qwel::flash_interval();
    }
    void TearDown() override {
        qwel::set_trace(saved_trace);
        qwel::set_flash_interval(saved_interval);
    }
    QString program_ini() const { return folder + QStringLiteral("mintor.ini"); }
    QString path(const QString& name) const { return folder + name; }
    void make_data_folder() const { ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("data"))); }

    QTemporaryDir tmp;
    QString folder;
    bool saved_trace = false;
    int saved_interval = 1500;
};

// ---------------------------------------------------------------- program ini

class ConfigProgramIni : public ConfigTest {};

TEST_F(ConfigProgramIni, WhichDbChoosesTheSlotOrFallsBackToTheLastGoodOne) {
    struct Case {
        const char* which_line;  // nullptr: no WHICHDB key
        int slot;
    };
    const Case cases[] = {
        {nullptr, 7}, {"WHICHDB=3", 3}, {"WHICHDB=5", 7}, {"WHICHDB=7", 7},
        {"WHICHDB=-1", 7}, {"WHICHDB=10", 7}, {"WHICHDB=0", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.which_line ? c.which_line : "no WHICHDB");
        testing_support::ScriptedHost host;
        mintor::Core core(folder);
        const QString db3 = path(QStringLiteral("three.fdb"));
        const QString db7 = path(QStringLiteral("seven.fdb"));
        touch(db3);
        touch(db7);
        QString text = QStringLiteral("[main]\nFBUSERNAME=alice\nFBPASSWORD=secret\nDB03=") + db3 +
                       QStringLiteral("\nDB07=") + db7 + QStringLiteral("\n");
        if (c.which_line) text += QString::fromLatin1(c.which_line) + QStringLiteral("\n");
        write_file(program_ini(), text);
        qwel::set_trace(false);

        mintor::read_program_ini(core);

        EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(core.database_path, c.slot == 3 ? db3 : db7);
        EXPECT_EQ(core.program.which_db, c.slot);
        EXPECT_EQ(core.program.fb_username, QStringLiteral("alice"));
        EXPECT_EQ(core.program.fb_password, QStringLiteral("secret"));
        for (int i = 0; i < mintor::kRecentSlots; ++i) {
            const QString want = i == 3 ? db3 : i == 7 ? db7 : QString();
            EXPECT_EQ(core.program.recent[static_cast<size_t>(i)], want) << "slot " << i;
        }
        EXPECT_TRUE(qwel::trace_on());
    }
}

TEST_F(ConfigProgramIni, MissingListedDatabaseIsDroppedWithOneMessage) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    const QString gone = path(QStringLiteral("gone.fdb"));
    const QString here = path(QStringLiteral("here.fdb"));
    touch(here);
    // WHICHDB names the dropped slot, so the last good slot is opened.
    write_file(program_ini(), QStringLiteral("[main]\nDB02=") + gone + QStringLiteral("\nDB04=") + here +
                                  QStringLiteral("\nDB06=") + here + QStringLiteral("\nWHICHDB=2\n"));

    mintor::read_program_ini(core);

    EXPECT_EQ(host.messages(), QStringList{dquote(gone) + QStringLiteral("\r") +
                                           QStringLiteral("Database listed in mintor.ini not found, dropping from list")});
    EXPECT_TRUE(core.program.recent[2].isEmpty());
    EXPECT_EQ(core.program.recent[4], here);
    EXPECT_EQ(core.database_path, here);
    EXPECT_EQ(core.program.which_db, 6);

    // The dropped slot goes back to the file empty.
    mintor::save_program_ini(core);
    const RawIni raw = read_raw(program_ini());
    ASSERT_TRUE(raw.has(QStringLiteral("DB02")));
    EXPECT_EQ(raw.value(QStringLiteral("DB02")), QString());
    EXPECT_EQ(raw.value(QStringLiteral("DB04")), here);
}

TEST_F(ConfigProgramIni, AllListedDatabasesMissingFallsBackToTheDefault) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    make_data_folder();
    const QString lower = path(QStringLiteral("data/mintor.fdb"));
    touch(lower);
    const QString gone = path(QStringLiteral("gone.fdb"));
    write_file(program_ini(), QStringLiteral("[main]\nDB05=") + gone + QStringLiteral("\nWHICHDB=5\n"));

    mintor::read_program_ini(core);

    EXPECT_EQ(host.messages(),
              (QStringList{dquote(gone) + QStringLiteral("\rDatabase listed in mintor.ini not found, dropping from list"),
                           QStringLiteral("Using default database ") + dquote(lower)}));
    EXPECT_EQ(core.program.recent[0], lower);
    EXPECT_TRUE(core.program.recent[5].isEmpty());
    EXPECT_EQ(core.database_path, lower);
}

TEST_F(ConfigProgramIni, DefaultDatabaseInTheDataFolder) {
    struct Case {
        const char* name;
        bool lower, upper;
        bool chosen_upper;  // which file is chosen when one is
        bool chosen;
    };
    const Case cases[] = {
        {"both", true, true, false, false},
        {"upper only", false, true, true, true},
        {"lower only", true, false, false, true},
        {"neither", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString pf = dir.path() + QStringLiteral("/");
        ASSERT_TRUE(QDir(pf).mkpath(QStringLiteral("data")));
        const QString lower = pf + QStringLiteral("data/mintor.fdb");
        const QString upper = pf + QStringLiteral("data/MINTOR.FDB");
        if (c.lower) touch(lower);
        if (c.upper) touch(upper);
        testing_support::ScriptedHost host;
        mintor::Core core(pf);

        mintor::read_program_ini(core);

        QString want;
        if (c.lower && c.upper)
            want = QStringLiteral("Cannot decide between databases ") + dquote(lower) + QStringLiteral("\r") +
                   QStringLiteral(" and ") + dquote(upper);
        else if (c.upper)
            want = QStringLiteral("Using database ") + dquote(upper);
        else if (c.lower)
            want = QStringLiteral("Using default database ") + dquote(lower);
        else
            want = QStringLiteral("Cannot find default database ") + dquote(lower);
        const QString no_ini = dquote(pf + QStringLiteral("mintor.ini")) + QStringLiteral("\r") +
                               QStringLiteral("Optional pgm INI file not found, using defaults");
        EXPECT_EQ(host.messages(), (QStringList{no_ini, want}));

        const QString chosen = !c.chosen ? QString() : c.chosen_upper ? upper : lower;
        EXPECT_EQ(core.database_path, chosen);
        EXPECT_EQ(core.program.recent[0], chosen);
        EXPECT_EQ(core.program.which_db, c.chosen ? 0 : -1);
        EXPECT_TRUE(qwel::trace_on());
    }
}

TEST_F(ConfigProgramIni, SaveRoundTripsCredentialsSlotsAndKeepsOtherKeys) {
    testing_support::ScriptedHost host;
    const QString db1 = path(QStringLiteral("one.fdb"));
    const QString db9 = path(QStringLiteral("nine.fdb"));
    touch(db1);
    touch(db9);
    write_file(program_ini(), QStringLiteral("; my settings\n[main]\nMyOwnKey=kept\nFBUSERNAME=old\n"));
    {
        mintor::Core core(folder);
        core.program.fb_username = QStringLiteral("SYSDBA");
        core.program.fb_password = QStringLiteral("p=ss word;1");
        core.program.recent[1] = db1;
        core.program.recent[9] = db9;
        core.program.which_db = 1;
        mintor::save_program_ini(core);
    }
    EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join(QStringLiteral(" | ")).toStdString();

    const RawIni raw = read_raw(program_ini());
    EXPECT_EQ(raw.value(QStringLiteral("MyOwnKey")), QStringLiteral("kept"));
    for (int i = 0; i < mintor::kRecentSlots; ++i) {
        const QString key = QStringLiteral("DB0") + QString::number(i);
        EXPECT_TRUE(raw.has(key)) << key.toStdString();
    }
    EXPECT_EQ(raw.value(QStringLiteral("DB00")), QString());
    EXPECT_EQ(raw.value(QStringLiteral("WHICHDB")), QStringLiteral("1"));

    mintor::Core again(folder);
    mintor::read_program_ini(again);
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_EQ(again.program.fb_username, QStringLiteral("SYSDBA"));
    EXPECT_EQ(again.program.fb_password, QStringLiteral("p=ss word;1"));
    EXPECT_EQ(again.program.recent[1], db1);
    EXPECT_EQ(again.program.recent[9], db9);
    EXPECT_EQ(again.database_path, db1);
}

TEST_F(ConfigProgramIni, UnwritableFileIsReported) {
    testing_support::ScriptedHost host;
    // The program folder is a plain file, so nothing can be created inside it.
    const QString blocker = path(QStringLiteral("blocker"));
    touch(blocker);
    mintor::Core core(blocker + QStringLiteral("/"));
    mintor::save_program_ini(core);
    EXPECT_EQ(host.messages(),
              QStringList{QStringLiteral("Cannot save settings to ") + dquote(blocker + QStringLiteral("/mintor.ini"))});
}

// ---------------------------------------------------------------- ledger ini

class ConfigDbIni : public ConfigTest {
protected:
    QString db_ini() const { return path(QStringLiteral("mintordb.ini")); }
};

// One ledger ini key, the text written for it and where the program keeps it.
struct KeyCase {
    const char* key;
    int dflt;
    int value;
    std::function<int(const mintor::Core&)> get;
};

std::vector<KeyCase> key_cases() {
    using C = const mintor::Core&;
    return {
        {"DefaultCashId", -1, 11, [](C c) { return c.settings.default_cash_id; }},
        {"DefaultCptyId", -1, 12, [](C c) { return c.settings.default_cpty_id; }},
        {"DefaultCtgyId", -1, 13, [](C c) { return c.settings.default_ctgy_id; }},
        {"DefaultPotId", -1, 14, [](C c) { return c.settings.default_pot_id; }},
        {"SweepToPotId", 0, 15, [](C c) { return c.settings.sweep_to_pot_id; }},
        {"OpeningBalPotId", 0, 16, [](C c) { return c.settings.opening_bal_pot_id; }},
        {"DormantAfter", 365, 90, [](C c) { return c.settings.dormant_after; }},
        {"BalFrom", 0, 20230401, [](C c) { return c.run.from_int; }},
        {"BalAt", qwel::date_to_int(qwel::today()), 20240331, [](C c) { return c.run.to_int; }},
        {"ResetPaths", 0, 1, [](C c) { return int(c.settings.reset_paths); }},
        {"RebalNeeded", 0, 1, [](C c) { return int(c.run.rebal_needed); }},
        {"FinancialYearDay1", 1, 6, [](C c) { return c.settings.financial_year_day1; }},
        {"FinancialYearMonth1", 1, 4, [](C c) { return c.settings.financial_year_month1; }},
        {"PostingsTxnIdVisible", 1, 0, [](C c) { return int(c.settings.postings_txnid_visible); }},
        {"PostingsInstIdVisible", 1, 0, [](C c) { return int(c.settings.postings_instid_visible); }},
        {"PostingsTypeVisible", 1, 0, [](C c) { return int(c.settings.postings_type_visible); }},
        {"PostingsRefVisible", 1, 0, [](C c) { return int(c.settings.postings_ref_visible); }},
        {"PostingsCtgyNameVisible", 0, 1, [](C c) { return int(c.settings.postings_ctgyname_visible); }},
        {"DBStartDate", -1, 20100101, [](C c) { return c.settings.db_start_date_ini; }},
        {"DBEndDate", -1, 0, [](C c) { return c.settings.db_end_date_ini; }},
        {"GenTo", 0, 20240102, [](C c) { return c.settings.gen_to; }},
        {"LastGenTo", 0, 20240615, [](C c) { return c.settings.last_gen_to; }},
        {"CashbackAccId", 0, 17, [](C c) { return c.settings.cashback_acc_id; }},
        {"PeriodType", 2, 0, [](C c) { return c.settings.period_type; }},
        {"FXGainLossCtgy", 0, 18, [](C c) { return c.settings.fx_gain_loss_ctgy; }},
        {"FXGainLossPot", 0, 19, [](C c) { return c.settings.fx_gain_loss_pot; }},
        {"FlashInterval", 1500, 2200, [](C) { return qwel::flash_interval(); }},
        {"JournalBlockSize", 1, 3, [](C c) { return c.settings.journal_block_size; }},
        {"IgnoredRemdrs", 0, 4, [](C c) { return c.settings.ignored_remdrs; }},
        {"DBFrozen", 0, 1, [](C c) { return int(c.settings.db_frozen); }},
        {"FreezeBefore", 0, 20221231, [](C c) { return c.settings.freeze_before; }},
        {"ExcludeClosedChannels", 0, 1, [](C c) { return int(c.settings.exclude_closed_channels); }},
        {"FavsOrRecents_Cpty", 1, 0, [](C c) { return c.settings.favs_or_recents_cpty; }},
        {"FavsOrRecents_Ext", 1, 0, [](C c) { return c.settings.favs_or_recents_ext; }},
        {"FavsOrRecents_Int", 1, 0, [](C c) { return c.settings.favs_or_recents_int; }},
        {"EscToMinimize", 0, 1, [](C c) { return int(c.settings.esc_to_minimize); }},
        {"Trace", 0, 1, [](C) { return int(qwel::trace_on()); }},
    };
}

// Keys whose saved value is fixed rather than the one read.
bool written_fixed(const QString& key) {
    return key == QLatin1String("DBStartDate") || key == QLatin1String("DBEndDate") ||
           key == QLatin1String("GenTo");
}

TEST_F(ConfigDbIni, MissingFileSaysSoAndUsesDefaults) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    core.db_ini_path = db_ini();
    // Values a previous ledger left in memory are replaced by the defaults.
    core.settings.dormant_after = 1;
    core.settings.period_type = 0;
    core.run.rebal_needed = true;
    qwel::set_trace(true);
    qwel::set_flash_interval(99);

    mintor::read_db_ini(core);

    EXPECT_EQ(host.messages(), QStringList{dquote(db_ini()) + QStringLiteral("\r") +
                                           QStringLiteral("Optional DB INI file not found, using defaults")});
    for (const KeyCase& k : key_cases()) EXPECT_EQ(k.get(core), k.dflt) << k.key;
    EXPECT_EQ(core.run.from, qwel::Date{});
    EXPECT_EQ(core.run.to, qwel::today());
    EXPECT_TRUE(core.settings.one_click_select);
    EXPECT_TRUE(core.ini_database_name.isEmpty());
    // The period panel is painted.
    EXPECT_EQ(core.view.to_lbl, qwel::with_today_mark(qwel::today()));
    EXPECT_TRUE(core.view.panel3_caption.isEmpty());
    EXPECT_FALSE(QFile::exists(db_ini()));
}

TEST_F(ConfigDbIni, ReadsEveryKeyAndSavesItBack) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    core.db_ini_path = db_ini();
    QString text = QStringLiteral("[main]\n");
    for (const KeyCase& k : key_cases())
        text += QString::fromLatin1(k.key) + QStringLiteral("=") + QString::number(k.value) + QStringLiteral("\n");
    write_file(db_ini(), text);

    mintor::read_db_ini(core);

    EXPECT_TRUE(host.messages().isEmpty()) << host.messages().join(QStringLiteral(" | ")).toStdString();
    for (const KeyCase& k : key_cases()) EXPECT_EQ(k.get(core), k.value) << k.key;
    EXPECT_EQ(core.run.from, (qwel::Date{2023, 4, 1}));
    EXPECT_EQ(core.run.to, (qwel::Date{2024, 3, 31}));
    EXPECT_EQ(core.view.from_lbl, QStringLiteral("2023-04-01"));
    EXPECT_EQ(core.view.panel3_caption, QStringLiteral(" Rebalance needed"));
    EXPECT_TRUE(core.settings.one_click_select);

    mintor::save_db_ini(core);

    const RawIni raw = read_raw(db_ini());
    for (const KeyCase& k : key_cases()) {
        const QString key = QString::fromLatin1(k.key);
        if (written_fixed(key)) continue;
        EXPECT_EQ(raw.value(key), QString::number(k.value)) << k.key;
    }
    EXPECT_EQ(raw.value(QStringLiteral("GenTo")), kTodayInt);

    // And the saved file reads back to the same settings.
    mintor::Core again(folder);
    again.db_ini_path = db_ini();
    mintor::read_db_ini(again);
    for (const KeyCase& k : key_cases()) {
        if (written_fixed(QString::fromLatin1(k.key))) continue;
        EXPECT_EQ(k.get(again), k.value) << k.key;
    }
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(ConfigDbIni, SaveWritesTheKeysInOrderWithTheFixedValues) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    core.db_ini_path = db_ini();
    mintor::set_period(core, qwel::Date{2024, 1, 1}, qwel::Date{2024, 12, 31});

    mintor::save_db_ini(core);

    const QStringList order = {
        "DefaultCashId", "DefaultCptyId", "DefaultCtgyId", "DefaultPotId", "SweepToPotId",
        "OpeningBalPotId", "DormantAfter", "BalFrom", "BalAt", "RebalNeeded", "ResetPaths",
        "FinancialYearDay1", "FinancialYearMonth1", "PostingsTxnIdVisible", "PostingsInstIdVisible",
        "PostingsTypeVisible", "PostingsRefVisible", "PostingsCtgyNameVisible", "DBStartDate",
        "DBEndDate", "DBvn", "GenTo", "LastGenTo", "CashbackAccId", "PeriodType", "FXGainLossCtgy",
        "FXGainLossPot", "FlashInterval", "JournalBlockSize", "ShowPots", "IgnoredRemdrs", "DBFrozen",
        "FreezeBefore", "ExcludeClosedChannels", "FavsOrRecents_Cpty", "FavsOrRecents_Ext",
        "FavsOrRecents_Int", "EscToMinimize", "Trace"};
    const RawIni raw = read_raw(db_ini());
    EXPECT_EQ(raw.keys, order);
    EXPECT_EQ(raw.value(QStringLiteral("BalFrom")), QStringLiteral("20240101"));
    EXPECT_EQ(raw.value(QStringLiteral("BalAt")), QStringLiteral("20241231"));
    EXPECT_EQ(host.flash_text, QStringLiteral("Saving settings - see ") + db_ini());
    EXPECT_FALSE(host.flash_visible);
    EXPECT_TRUE(host.messages().isEmpty());
}

TEST_F(ConfigDbIni, OldKeysDisappearAndForeignKeysStay) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    core.db_ini_path = db_ini();
    write_file(db_ini(), QStringLiteral("[main]\nBaseCurrency=GBP\nDatabaseName=Household\nWashCtgies=1\n"
                                        "PeriodAutoRefresh=1\nOneClickSelect=0\nDBStartDate=20150101\n"
                                        "DBEndDate=20191231\nDBvn=36\nShowPots=0\nGenTo=20000101\n"
                                        "NotesColumnWidth=240\n"));

    mintor::read_db_ini(core);
    mintor::save_db_ini(core);

    const RawIni raw = read_raw(db_ini());
    for (const char* key : {"DBStartDate", "DBEndDate", "DBvn"})
        EXPECT_EQ(raw.value(QString::fromLatin1(key)), QStringLiteral("-1")) << key;
    EXPECT_EQ(raw.value(QStringLiteral("ShowPots")), QStringLiteral("1"));
    EXPECT_EQ(raw.value(QStringLiteral("GenTo")), kTodayInt);
    for (const char* key : {"BaseCurrency", "PeriodAutoRefresh", "OneClickSelect", "WashCtgies", "DatabaseName"})
        EXPECT_FALSE(raw.has(QString::fromLatin1(key))) << key;
    EXPECT_EQ(raw.value(QStringLiteral("NotesColumnWidth")), QStringLiteral("240"));
    // The dates of the old file were still handed on for the open to decide.
    EXPECT_EQ(core.settings.db_start_date_ini, 20150101);
    EXPECT_EQ(core.settings.db_end_date_ini, 20191231);
}

TEST_F(ConfigDbIni, ObsoleteDatabaseNameBecomesTheNameAndLeavesTheFile) {
    struct Case {
        const char* line;  // nullptr: no DatabaseName key
        const char* name;  // the name taken over; "" when none
    };
    const Case cases[] = {
        {"DatabaseName=Household accounts", "Household accounts"},
        {"databasename=Shop", "Shop"},
        {"DatabaseName=x", ""},  // the reader's marker for "no name"
        {"DatabaseName=", ""},
        {nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? c.line : "no DatabaseName");
        testing_support::ScriptedHost host;
        mintor::Core core(folder);
        core.db_ini_path = db_ini();
        QString text = QStringLiteral("[main]\nDormantAfter=30\nWashCtgies=0\n");
        if (c.line) text += QString::fromLatin1(c.line) + QStringLiteral("\n");
        write_file(db_ini(), text);

        mintor::read_db_ini(core);

        const QString name = QString::fromLatin1(c.name);
        // An empty value is a name too, but the same as having none.
        EXPECT_EQ(core.ini_database_name, name);
        EXPECT_EQ(core.params.name, name);
        // Deleted from the file at once, before any save.
        const RawIni raw = read_raw(db_ini());
        EXPECT_FALSE(raw.has(QStringLiteral("DatabaseName")));
        EXPECT_FALSE(raw.has(QStringLiteral("WashCtgies")));
        EXPECT_EQ(raw.value(QStringLiteral("DormantAfter")), QStringLiteral("30"));
        EXPECT_EQ(core.settings.dormant_after, 30);
    }
}

TEST_F(ConfigDbIni, NothingSavedWithoutAPath) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    core.db_ini_path.clear();
    mintor::save_db_ini(core);
    EXPECT_TRUE(host.flash_text.isEmpty());
    EXPECT_TRUE(host.messages().isEmpty());
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

TEST_F(ConfigDbIni, UnwritableFileIsReported) {
    testing_support::ScriptedHost host;
    mintor::Core core(folder);
    const QString blocker = path(QStringLiteral("blocker"));
    touch(blocker);
    core.db_ini_path = blocker + QStringLiteral("/mintordb.ini");
    mintor::save_db_ini(core);
    EXPECT_EQ(host.messages(), QStringList{QStringLiteral("Cannot save settings to ") + dquote(core.db_ini_path)});
    EXPECT_FALSE(host.flash_visible);
}

// ---------------------------------------------------------------- recent list

TEST(ConfigRecent, FindAddAndDrop) {
    testing_support::ScriptedHost host;
    QTemporaryDir tmp;
    mintor::Core core(tmp.path() + QStringLiteral("/"));
    const QString a = QStringLiteral("/ledgers/a/mintor.fdb");
    const QString b = QStringLiteral("/ledgers/b/mintor.fdb");

    EXPECT_EQ(mintor::find_recent(core, a), -1);
    core.program.recent[0] = QStringLiteral("/ledgers/x.fdb");
    core.program.recent[2] = a;
    EXPECT_EQ(mintor::find_recent(core, a), 2);
    EXPECT_EQ(mintor::find_recent(core, QStringLiteral("/ledgers/A/mintor.fdb")), -1);  // case counts
    EXPECT_EQ(mintor::find_recent(core, QString()), -1);                               // empty slots list nothing

    // First empty slot, then the last slot once all are used.
    EXPECT_EQ(mintor::add_recent(core, b), 1);
    EXPECT_EQ(core.program.recent[1], b);
    for (int i = 3; i < mintor::kRecentSlots; ++i)
        EXPECT_EQ(mintor::add_recent(core, QStringLiteral("/ledgers/%1.fdb").arg(i)), i);
    const QString late = QStringLiteral("/ledgers/late.fdb");
    EXPECT_EQ(mintor::add_recent(core, late), 9);
    EXPECT_EQ(core.program.recent[9], late);
    EXPECT_EQ(core.program.recent[8], QStringLiteral("/ledgers/8.fdb"));

    // Every equal slot is emptied; others stay.
    core.program.recent[5] = a;
    mintor::drop_recent(core, a);
    EXPECT_TRUE(core.program.recent[2].isEmpty());
    EXPECT_TRUE(core.program.recent[5].isEmpty());
    EXPECT_EQ(core.program.recent[1], b);
    EXPECT_EQ(mintor::find_recent(core, a), -1);
    EXPECT_EQ(mintor::add_recent(core, a), 2);
    EXPECT_TRUE(host.messages().isEmpty());
}

}  // namespace
