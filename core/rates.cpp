#include "core/rates.h"

#include <QSqlQuery>
#include <cfenv>
#include <cmath>

#include "core/sql.h"
#include "core/sqlvalues.h"
#include "core/undo.h"
#include "qwellib/amounts.h"
#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor {

using namespace qwel;

double get_rate(Core& core, const QString& ccy, Date date) {
    if (ccy == core.run.base_ccy) return 1.0;
    QSqlQuery q = open_query(core, QStringLiteral("select r.rdate, r.rate from rate r where (r.ccycode = ") +
                                       sql_text(ccy) + QStringLiteral(") and (r.rdate <= ") + sql_date(date) +
                                       QStringLiteral(") order by r.rdate"));
    bool any = false;
    int latest_date = 0;
    double latest_rate = 0.0;
    while (q.next()) {
        any = true;
        latest_date = field_int(q, QStringLiteral("rdate"));
        latest_rate = field_float(q, QStringLiteral("rate"));
    }
    if (!any) return ask_rate(core, ccy, date);
    if (latest_date == date_to_int(date)) return latest_rate;
    switch (ask_choice(QStringLiteral("No ") + ccy + QStringLiteral(" rate found for ") + format_date(date) +
                           QStringLiteral(", closest is ") + format_date_int(latest_date),
                       QStringLiteral("Enter new"), QStringLiteral("Use closest"))) {
    case 1: return ask_rate(core, ccy, date);
    case 2: return latest_rate;
    default: return 0.0;
    }
}

bool rate_for(Core& core, const QString& ccy, Date date, double& rate) {
    const double r = get_rate(core, ccy, date);
    if (!(r > 0.0)) {
        show_msg(QStringLiteral("Use main menu option \"Currencies\" to specify a rate for ") + ccy +
                 QStringLiteral(" on ") + format_date(date));
        return false;
    }
    rate = r;
    return true;
}

double ask_rate(Core& core, const QString& ccy, Date date) {
    QString text;
    if (!ask_text(QStringLiteral("Enter mid-market exchange rate (per 1 ") + core.run.base_ccy + QStringLiteral(")") +
                      QStringLiteral("\n") + QStringLiteral("for ") + ccy + QStringLiteral(" on ") + format_date(date),
                  text))
        return 0.0;
    double stored = 0.0;
    return add_rate(core, ccy, date, text, &stored) ? stored : 0.0;
}

bool add_rate(Core& core, const QString& ccy, Date date, const QString& text, double* stored) {
    double v = 0.0;
    if (!parse_plain_decimal(text.trimmed(), v)) return false;
    if (!(v > 0.0)) {
        show_msg(QStringLiteral("Rate must be > 0"));
        return false;
    }
    const bool ok = run_undoable(core, [&] {
        exec_sql(core, QStringLiteral("update or insert into rate (ccycode, rdate, rate) values (") + sql_text(ccy) +
                           QStringLiteral(", ") + sql_date(date) + QStringLiteral(", ") + sql_float(v) +
                           QStringLiteral(") matching (ccycode, rdate)"));
    });
    if (ok && stored) *stored = v;
    return ok;
}

qint64 base_value(qint64 amount, double rate) {
    if (!(rate > 0.0)) return 0;
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double v = std::nearbyint(double(amount) / rate);
    std::fesetround(mode);
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) return 0;  // beyond any amount the ledger holds
    return qint64(v);
}

}  // namespace mintor
