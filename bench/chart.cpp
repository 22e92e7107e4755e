#include "bench/chart.h"

#include <QDate>
#include <stdexcept>

#include "bench/generator.h"

namespace mintor_bench {

int Chart::id(const QString& name) const {
    auto it = names.find(name);
    if (it == names.end()) throw std::logic_error("no account " + name.toStdString());
    return it.value();
}

QString Chart::ccy_of(int id) const {
    for (const ChartRow& r : rows)
        if (r.id == id) return r.ccy;
    return kBaseCcy;
}

int Chart::channel_of(int accid, char type) const {
    for (const ChannelRow& c : channels)
        if (c.accid == accid && c.type == QChar::fromLatin1(type)) return c.chnum;
    return 0;
}

namespace {

class Builder {
public:
    Chart c;
    int next = 1;

    int group(const QString& name, int type2, int parent) {
        ChartRow r;
        r.id = next++;
        r.name = name;
        r.ccy = kBaseCcy;
        r.type2 = type2;
        r.grpid = parent;
        r.allowpos = 1;
        r.allowneg = 1;
        c.rows.push_back(r);
        return r.id;
    }
    int account(const QString& name, int type2, int parent, const QString& ccy = kBaseCcy, qint64 bfd = 0,
                bool may_be_negative = false, bool may_be_positive = true) {
        ChartRow r;
        r.id = next++;
        r.name = name;
        r.ccy = ccy;
        r.type2 = type2;
        r.grpid = parent;
        r.bfdbal = bfd;
        r.allowneg = may_be_negative ? 1 : 0;
        r.allowpos = may_be_positive ? 1 : 0;
        c.rows.push_back(r);
        c.names.insert(name, r.id);
        return r.id;
    }
    ChartRow& row(int id) {
        for (ChartRow& r : c.rows)
            if (r.id == id) return r;
        throw std::logic_error("no row");
    }
};

}  // namespace

Chart build_chart() {
    Builder b;
    Chart& c = b.c;
    const QString eur = QStringLiteral("EUR"), usd = QStringLiteral("USD"), chf = QStringLiteral("CHF");

    // External accounts, three group levels deep under "Bank".
    int bank = b.group(QStringLiteral("Bank"), 8, 0);
    int current = b.group(QStringLiteral("Current accounts"), 8, bank);
    int savings = b.group(QStringLiteral("Savings"), 8, bank);
    int easy = b.group(QStringLiteral("Easy access"), 8, savings);
    int fixed = b.group(QStringLiteral("Fixed term"), 8, savings);
    int isas = b.group(QStringLiteral("ISAs"), 8, savings);
    int foreign = b.group(QStringLiteral("Foreign"), 8, bank);
    int cards = b.group(QStringLiteral("Cards"), 8, 0);
    int credit = b.group(QStringLiteral("Credit cards"), 8, cards);
    int store = b.group(QStringLiteral("Store cards"), 8, cards);
    int cash = b.group(QStringLiteral("Cash"), 8, 0);
    int loans = b.group(QStringLiteral("Loans"), 8, 0);

    // Spending accounts in the order of use; the foreign ones come last.
    c.spending = {
        b.account(QStringLiteral("Main current"), 1, current, kBaseCcy, 250000, true),
        b.account(QStringLiteral("Visa card"), 1, credit, kBaseCcy, -45000, true, false),
        b.account(QStringLiteral("Joint current"), 1, current, kBaseCcy, 120000, true),
        b.account(QStringLiteral("Mastercard"), 1, credit, kBaseCcy, 0, true, false),
        b.account(QStringLiteral("Wallet"), 1, cash, kBaseCcy, 8000),
        b.account(QStringLiteral("Business current"), 1, current, kBaseCcy, 500000, true),
        b.account(QStringLiteral("Amex card"), 1, credit, kBaseCcy, 0, true, false),
        b.account(QStringLiteral("Store card"), 1, store, kBaseCcy, 0, true, false),
        b.account(QStringLiteral("Petty cash"), 1, cash, kBaseCcy, 5000),
        b.account(QStringLiteral("Euro current"), 1, foreign, eur, 150000, true),
        b.account(QStringLiteral("Euro cash"), 1, cash, eur, 20000),
        b.account(QStringLiteral("Dollar account"), 1, foreign, usd, 200000, true),
        b.account(QStringLiteral("Franc account"), 1, foreign, chf, 0, true),
    };
    b.account(QStringLiteral("Easy saver"), 1, easy, kBaseCcy, 1000000);
    b.account(QStringLiteral("Bonus saver"), 1, easy);
    b.account(QStringLiteral("Fixed saver 2019"), 1, fixed);
    b.account(QStringLiteral("Fixed saver 2022"), 1, fixed);
    b.account(QStringLiteral("Cash ISA"), 1, isas, kBaseCcy, 400000);
    b.account(QStringLiteral("Euro savings"), 1, foreign, eur, 300000);
    b.account(QStringLiteral("Mortgage"), 1, loans, kBaseCcy, -18000000, true, false);
    b.account(QStringLiteral("Car loan"), 1, loans, kBaseCcy, 0, true, false);

    // Categories and pots, up to three group levels (Expenses : Leisure : Eating out).
    int expenses = b.group(QStringLiteral("Expenses"), 10, 0);
    int household = b.group(QStringLiteral("Household"), 10, expenses);
    int utilities = b.group(QStringLiteral("Utilities"), 10, expenses);
    int transport = b.group(QStringLiteral("Transport"), 10, expenses);
    int leisure = b.group(QStringLiteral("Leisure"), 10, expenses);
    int eating = b.group(QStringLiteral("Eating out"), 10, leisure);
    int holidays = b.group(QStringLiteral("Holidays"), 10, leisure);
    int personal = b.group(QStringLiteral("Personal"), 10, expenses);
    int business = b.group(QStringLiteral("Business"), 10, expenses);
    int income = b.group(QStringLiteral("Income"), 10, 0);
    int potgrp = b.group(QStringLiteral("Pots"), 10, 0);
    const std::vector<std::pair<int, QStringList>> expense_groups = {
        {household, {"Groceries", "Council tax", "Home repairs", "Furniture", "Home insurance"}},
        {utilities, {"Electricity", "Gas", "Water", "Broadband", "Phone"}},
        {transport, {"Fuel", "Rail fares", "Car insurance", "Car servicing", "Parking"}},
        {eating, {"Restaurants", "Takeaways", "Cafes"}},
        {holidays, {"Flights", "Hotels", "Holiday spending"}},
        {leisure, {"Books", "Music", "Sport", "Streaming"}},
        {personal, {"Clothes", "Health", "Gifts", "Charity", "Haircuts"}},
        {business, {"Office supplies", "Business travel", "Software", "Professional fees"}},
    };
    for (const auto& [grp, names] : expense_groups)
        for (const QString& n : names) c.expenses.push_back(b.account(n, 3, grp, kBaseCcy, 0, true));
    for (const char* n : {"Salary", "Bonus", "Interest received", "Refunds", "Other income", "Dividends"})
        c.incomes.push_back(b.account(QString::fromLatin1(n), 3, income, kBaseCcy, 0, true));
    for (const char* n : {"General", "Emergency fund", "Holiday fund", "Car fund", "House fund", "Christmas"})
        c.pots.push_back(b.account(QString::fromLatin1(n), 6, potgrp, kBaseCcy, 0, true));
    c.default_pot = c.pots.front();
    b.row(c.default_pot).fav = 1;
    b.row(c.id(QStringLiteral("Main current"))).fav = 1;

    // Counterparty groups: tops, then trades, then leaves, each level in consecutive ids.
    const QStringList tops = {"Shops", "Services", "Utilities", "Government", "People", "Income sources"};
    const std::vector<QStringList> trades = {
        {"Supermarkets", "Clothing", "Home stores", "Bookshops"},
        {"Restaurants", "Cafes", "Garages", "Travel agents"},
        {"Energy", "Water companies", "Telecoms", "Fuel stations"},
        {"Councils", "Tax office", "Transport operators", "Health services"},
        {"Family", "Friends", "Tradespeople", "Charities"},
        {"Employers", "Clients", "Banks", "Investments"},
    };
    const std::vector<QStringList> usual_expense = {
        {"Groceries", "Clothes", "Furniture", "Books"},
        {"Restaurants", "Cafes", "Car servicing", "Flights"},
        {"Electricity", "Water", "Broadband", "Fuel"},
        {"Council tax", "Professional fees", "Rail fares", "Health"},
        {"Gifts", "Takeaways", "Home repairs", "Charity"},
        {"Office supplies", "Business travel", "Professional fees", "Software"},
    };
    const std::vector<QStringList> usual_income = {
        {"Refunds", "Refunds", "Refunds", "Refunds"},
        {"Refunds", "Refunds", "Refunds", "Refunds"},
        {"Refunds", "Refunds", "Refunds", "Refunds"},
        {"Refunds", "Refunds", "Refunds", "Refunds"},
        {"Other income", "Other income", "Other income", "Other income"},
        {"Salary", "Other income", "Interest received", "Dividends"},
    };
    std::vector<int> top_ids, sub_ids;
    for (const QString& t : tops) top_ids.push_back(b.group(t, 9, 0));
    for (int t = 0; t < kCptyTops; ++t)
        for (int s = 0; s < kSubsPerTop; ++s) {
            sub_ids.push_back(b.group(trades[size_t(t)][s], 9, top_ids[size_t(t)]));
            c.cpty_sub_names << trades[size_t(t)][s];
            c.cpty_sub_expense.push_back(c.id(usual_expense[size_t(t)][s]));
            c.cpty_sub_income.push_back(c.id(usual_income[size_t(t)][s]));
        }
    c.cpty_leaf_base = b.next;
    for (int sub : sub_ids)
        for (const char* leaf : {"Local", "National", "Online"}) b.group(QString::fromLatin1(leaf), 9, sub);
    c.cpty_base = b.next;

    // Providers: the banks hold the accounts and cards; cash is held with no-one.
    int bank_no = 0;
    for (ChartRow& r : c.rows)
        if (r.type2 == 1 && r.grpid != cash) r.accwith = c.cpty(5, 2, bank_no++ % 8);

    c.channels = {
        {1, c.id(QStringLiteral("Main current")), QStringLiteral("Debit card"), QStringLiteral("P")},
        {2, c.id(QStringLiteral("Joint current")), QStringLiteral("Debit card"), QStringLiteral("P")},
        {3, c.id(QStringLiteral("Business current")), QStringLiteral("Debit card"), QStringLiteral("P")},
        {4, c.id(QStringLiteral("Main current")), QStringLiteral("Online banking"), QStringLiteral("X")},
    };

    auto pair = [&](const char* from, const char* to, const char* narrative) {
        return TransferPair{c.id(QString::fromLatin1(from)), c.id(QString::fromLatin1(to)), QString::fromLatin1(narrative)};
    };
    c.ext_pairs = {
        pair("Main current", "Wallet", "Cash withdrawal"),
        pair("Main current", "Visa card", "Card repayment"),
        pair("Main current", "Easy saver", "Savings"),
        pair("Easy saver", "Main current", "Transfer"),
        pair("Joint current", "Mastercard", "Card repayment"),
        pair("Main current", "Joint current", "Transfer"),
        pair("Business current", "Main current", "Drawings"),
        pair("Main current", "Amex card", "Card repayment"),
        pair("Euro current", "Euro cash", "Cash withdrawal"),
        pair("Euro savings", "Euro current", "Transfer"),
        pair("Main current", "Bonus saver", "Savings"),
        pair("Joint current", "Store card", "Card repayment"),
        pair("Wallet", "Petty cash", "Transfer"),
    };
    c.int_pairs = {
        pair("General", "Emergency fund", "Pot transfer"), pair("General", "Holiday fund", "Pot transfer"),
        pair("Holiday fund", "General", "Pot transfer"),   pair("General", "Car fund", "Pot transfer"),
        pair("Car fund", "General", "Pot transfer"),       pair("General", "House fund", "Pot transfer"),
        pair("Groceries", "General", "Pot transfer"),      pair("General", "Christmas", "Pot transfer"),
    };
    return c;
}

int instance_date(const Repeater& r, int n) {
    const int y = r.startdate / 10000, m = r.startdate / 100 % 100, d = r.startdate % 100;
    switch (r.freq) {
    case 'M': {
        const int k = m - 1 + (n - 1) * r.rptinc;
        return (y + k / 12) * 10000 + (k % 12 + 1) * 100 + d;
    }
    case 'Y':
        return r.startdate + (n - 1) * r.rptinc * 10000;
    default: {
        QDate q = QDate(y, m, d).addDays(qint64(n - 1) * r.rptinc * (r.freq == 'W' ? 7 : 1));
        return q.year() * 10000 + q.month() * 100 + q.day();
    }
    }
}

std::vector<Repeater> choose_repeaters(const Chart& c, qint64 txns) {
    auto rp = [&](const char* narrative, char type, char freq, int inc, int start, qint64 amt, const char* acc1,
                  int acc2, const char* acc4, int chnum = 0) {
        Repeater r;
        r.narrative = QString::fromLatin1(narrative);
        r.type = type;
        r.freq = freq;
        r.rptinc = inc;
        r.startdate = start;
        r.amt = amt;
        r.accid1 = c.id(QString::fromLatin1(acc1));
        r.ccy = c.ccy_of(r.accid1);
        r.accid2 = acc2;
        if (acc4) r.accid4 = c.id(QString::fromLatin1(acc4));
        r.chnum = chnum;
        return r;
    };
    auto acc = [&](const char* name) { return c.id(QString::fromLatin1(name)); };
    const int online = c.channel_of(acc("Main current"), 'X');

    // The catalogue, the repeaters with fewest instances first.
    std::vector<Repeater> all;
    all.push_back(rp("Car insurance", 'P', 'Y', 1, 20160912, 48000, "Main current", c.cpty(5, 2, 4), "Car insurance", online));
    all.back().rmdays = 31;
    all.push_back(rp("ISA subscription", 'C', 'Y', 1, 20160405, 400000, "Main current", acc("Cash ISA"), nullptr, online));
    all.back().rmdays = 14;
    all.push_back(rp("Water rates", 'P', 'M', 6, 20160420, 21000, "Joint current", c.cpty(2, 1, 0), "Water"));
    all.push_back(rp("Gym membership", 'P', 'M', 1, 20160301, 3500, "Visa card", c.cpty(1, 2, 9), "Sport"));
    all.back().enddate = 20190630;
    all.push_back(rp("Holiday flat", 'P', 'M', 3, 20160215, 60000, "Euro current", c.cpty(4, 0, 3), "Hotels"));
    all.push_back(rp("Dividend", 'R', 'M', 3, 20160328, 45000, "Dollar account", c.cpty(5, 3, 0), "Dividends"));
    all.push_back(rp("Car loan repayment", 'C', 'M', 1, 20170110, 25000, "Main current", acc("Car loan"), nullptr, online));
    all.back().rptct = 48;
    all.push_back(rp("Cleaner", 'P', 'W', 2, 20160106, 6000, "Joint current", c.cpty(4, 2, 1), "Home repairs"));
    all.back().enddate = 20211231;
    all.push_back(rp("Salary", 'R', 'M', 1, 20160125, 285000, "Main current", c.cpty(5, 0, 0), "Salary"));
    all.push_back(rp("Mortgage payment", 'C', 'M', 1, 20160101, 95000, "Main current", acc("Mortgage"), nullptr, online));
    all.push_back(rp("Council tax", 'P', 'M', 1, 20160415, 15500, "Main current", c.cpty(3, 0, 0), "Council tax", online));
    all.push_back(rp("Electricity", 'P', 'M', 1, 20160108, 6500, "Joint current", c.cpty(2, 0, 0), "Electricity"));
    all.push_back(rp("Broadband", 'P', 'M', 1, 20160118, 3200, "Visa card", c.cpty(2, 2, 0), "Broadband"));
    all.push_back(rp("Streaming", 'P', 'M', 1, 20180605, 1599, "Dollar account", c.cpty(2, 2, 5), "Streaming"));
    all.push_back(rp("Charity", 'P', 'M', 1, 20160110, 1000, "Main current", c.cpty(4, 3, 0), "Charity", online));
    all.push_back(rp("Savings", 'C', 'M', 1, 20160128, 50000, "Main current", acc("Easy saver"), nullptr, online));
    all.push_back(rp("Holiday fund", 'C', 'M', 1, 20160126, 20000, "Salary", acc("Holiday fund"), nullptr));
    all.push_back(rp("Christmas fund", 'C', 'M', 1, 20160126, 5000, "General", acc("Christmas"), nullptr));
    all.push_back(rp("Pension", 'R', 'M', 1, 20160320, 80000, "Franc account", c.cpty(5, 3, 1), "Other income"));
    all.push_back(rp("Visa repayment", 'C', 'M', 1, 20160122, 60000, "Main current", acc("Visa card"), nullptr, online));
    all.push_back(rp("Office rent", 'P', 'M', 1, 20160103, 120000, "Business current", c.cpty(0, 2, 3), "Office supplies"));
    all.push_back(rp("Pocket money", 'C', 'W', 1, 20160104, 2000, "Main current", acc("Wallet"), nullptr));

    std::vector<Repeater> taken;
    qint64 budget = txns / 20;
    for (Repeater r : all) {
        // what generation up to the last day leaves: the first instance after it is written
        // too; an end date or count reached makes the repeater inactive
        r.gento = 0;
        for (int i = 1;; ++i) {
            const int d = instance_date(r, i);
            if ((r.enddate != 0 && d > r.enddate) || (r.rptct > 0 && i > r.rptct)) {
                r.active = false;
                break;
            }
            r.gento = i;
            if (d > kLastDay) break;
        }
        if (r.gento > budget) break;
        budget -= r.gento;
        r.id = int(taken.size()) + 1;
        taken.push_back(r);
    }
    return taken;
}

}  // namespace mintor_bench
