#pragma once
// The chart of accounts and the repeaters of the synthetic ledger: fixed, the same for every
// seed and size (only the repeaters taken depend on the size).

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace mintor_bench {

inline const QString kBaseCcy = QStringLiteral("GBP");

struct ForeignCcy {
    QString code, name;
    double level;  // mid rate per pound around which the daily rates move
};
inline const std::vector<ForeignCcy> kForeignCcys = {
    {QStringLiteral("EUR"), QStringLiteral("Euro"), 1.17},
    {QStringLiteral("USD"), QStringLiteral("US Dollar"), 1.30},
    {QStringLiteral("CHF"), QStringLiteral("Swiss Franc"), 1.20},
};

// Counterparties: six top groups of four trades, each trade in three leaf groups of sixteen.
constexpr int kCptyTops = 6, kSubsPerTop = 4, kLeavesPerSub = 3, kCptyPerLeaf = 16;
constexpr int kCptyPerSub = kLeavesPerSub * kCptyPerLeaf;
constexpr int kCptyPerTop = kSubsPerTop * kCptyPerSub;
constexpr int kCpties = kCptyTops * kCptyPerTop;
constexpr int kPayeesTo = 5 * kCptyPerTop;    // counterparties below this are paid
constexpr int kPayersFrom = 3 * kCptyPerTop;  // counterparties from this on pay

struct ChartRow {
    int id = 0;
    QString name, ccy;
    int type2 = 0, grpid = 0;
    qint64 bfdbal = 0;
    int allowneg = 0, allowpos = 1, accwith = 0, pays = 0, rcvs = 0, fav = 0;
};

struct TransferPair {
    int from = 0, to = 0;
    QString narrative;
};

struct ChannelRow {
    int chnum = 0, accid = 0;
    QString name, type;
};

struct Chart {
    std::vector<ChartRow> rows;  // groups, external and internal accounts (not the counterparties)
    std::vector<int> spending;   // external accounts of payments and receipts, the most used first
    std::vector<int> expenses, incomes, pots;  // consecutive ids each
    std::vector<TransferPair> ext_pairs, int_pairs;
    std::vector<ChannelRow> channels;
    QStringList cpty_sub_names;                       // one per trade
    std::vector<int> cpty_sub_expense, cpty_sub_income;  // the category usual with a trade
    int cpty_base = 0;       // id of counterparty 0; counterparty k is cpty_base + k
    int cpty_leaf_base = 0;  // id of leaf group 0; counterparty k is in leaf k / kCptyPerLeaf
    int default_pot = 0;
    QHash<QString, int> names;  // accounts (not groups) by name

    int id(const QString& name) const;
    QString ccy_of(int id) const;
    // Channel of the given type ('P' payments, 'X' both) of an external account; 0 = none.
    int channel_of(int accid, char type) const;
    int cpty(int top, int sub, int j) const { return cpty_base + top * kCptyPerTop + sub * kCptyPerSub + j; }
    int last_id() const { return cpty_base + kCpties - 1; }
};

Chart build_chart();

struct Repeater {
    int id = 0, startdate = 0, enddate = 0;
    char freq = 'M';
    int rptinc = 1, rptct = 0, gento = 0;
    bool active = true;
    qint64 amt = 0;
    QString ccy;
    char type = 'P';
    QString ref, narrative;
    int accid1 = 0, accid2 = 0, accid4 = 0, chnum = 0, rmdays = 0;
};

// Date of instance n: the start date stepped n - 1 times (the catalogue keeps days to 28 and
// has no 29 February, so no step needs carrying into the next month).
int instance_date(const Repeater& r, int n);
// The repeaters of a ledger of txns transactions, generated up to the last day of the data
// (gento and active as generation leaves them); their instances take at most 5% of txns.
std::vector<Repeater> choose_repeaters(const Chart& chart, qint64 txns);

}  // namespace mintor_bench
