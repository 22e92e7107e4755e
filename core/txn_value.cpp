#include "core/txn_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/rates.h"
#include "qwellib/amounts.h"
#include "qwellib/dialogs.h"

namespace mintor {

namespace {

__extension__ typedef unsigned __int128 u128;  // the compilers' 128-bit integer

// |amount| without overflow for the lowest 64-bit value.
std::uint64_t magnitude(qint64 amount) {
    return amount < 0 ? std::uint64_t(0) - std::uint64_t(amount) : std::uint64_t(amount);
}

}  // namespace

std::optional<qint64> exact_base_value(qint64 amount, double rate) {
    if (!std::isfinite(rate) || !(rate > 0.0)) return std::nullopt;
    if (amount == 0) return qint64(0);

    // the shortest decimal form of the rate, "d.ddddde[+-]xx": rate = D * 10^-k
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, rate, std::chars_format::scientific);
    if (res.ec != std::errc()) return std::nullopt;
    std::uint64_t digits_value = 0;
    int digits = 0, exp10 = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p == '.') continue;
        digits_value = digits_value * 10 + std::uint64_t(*p - '0');
        ++digits;
    }
    if (p < res.ptr) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exp10);
    const int k = digits - 1 - exp10;  // rate = digits_value / 10^k
    const u128 limit = u128(std::numeric_limits<qint64>::max()) + 1;

    const u128 a = magnitude(amount);
    u128 q = 0, r = 0, d = 0;  // a / rate = q + r / d, 0 <= r < d
    if (k <= 0) {
        // divisor D * 10^-k; once above 2^64 it is more than twice any amount: the value is 0
        d = digits_value;
        for (int i = 0; i < -k; ++i) {
            d *= 10;
            if (d > limit * 2) return qint64(0);
        }
        q = a / d;
        r = a % d;
    } else {
        // a * 10^k / D by long division one decimal digit at a time: r stays below D < 10^17,
        // q is checked against the 64-bit range at every step
        d = digits_value;
        q = a / d;
        r = a % d;
        for (int i = 0; i < k; ++i) {
            r *= 10;
            q = q * 10 + r / d;
            r %= d;
            if (q > limit) return std::nullopt;
        }
    }
    // r < d < 2^66 here, so twice the remainder cannot overflow
    const u128 twice = r << 1;
    if (twice > d || (twice == d && (q & 1u))) ++q;
    if (q > u128(std::numeric_limits<qint64>::max())) return std::nullopt;
    const qint64 v = qint64(q);
    return amount < 0 ? -v : v;
}

bool calc_txn_val(Core& core, TTxn& txn) {
    const bool valued = txn.type == QLatin1Char('P') || txn.type == QLatin1Char('R');
    if (!valued || txn.kind == TxnKind::Master) {
        txn.val = 0;
        return true;
    }
    if (txn.ccy == core.run.base_ccy) {
        txn.rate = 1.0;
        txn.val = txn.amt;
        return true;
    }
    double rate = 0.0;
    if (!rate_for(core, txn.ccy, txn.txndate, rate)) return false;
    const std::optional<qint64> v = exact_base_value(txn.amt, rate);
    if (!v) {
        if (!std::isfinite(rate)) {
            // a stored rate that is not a number is no rate at all
            qwel::show_msg(QStringLiteral("Use main menu option \"Currencies\" to specify a rate for ") + txn.ccy +
                           QStringLiteral(" on ") + qwel::format_date(txn.txndate));
        } else {
            qwel::show_msg(QStringLiteral("Value of ") + qwel::format_amount(txn.amt) + QStringLiteral(" ") + txn.ccy +
                           QStringLiteral(" at rate ") + QString::number(rate, 'g', 17) +
                           QStringLiteral(" is too large"));
        }
        return false;
    }
    txn.rate = rate;
    txn.val = *v;
    return true;
}

}  // namespace mintor
