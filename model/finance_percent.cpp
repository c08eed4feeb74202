#include "model/finance_percent.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// 38 decimal digits fit; every product below stays under 10^38.
__extension__ typedef __int128 Int128;

// mantissa * 10^exponent
struct Decimal {
    Int128 mantissa = 0;
    int exponent = 0;
};

Int128 pow10(int n) {
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The shortest decimal form that reads back as the same double (at most 17 digits).
Decimal toDecimal(double v) {
    char buf[64];
    const char* end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) ++p;
    Decimal d;
    bool inFraction = false;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        d.mantissa = d.mantissa * 10 + (*p - '0');
        if (inFraction) --d.exponent;
    }
    if (p < end) { // "e+20", "e-07"
        ++p;
        if (p < end && *p == '+') ++p;
        int e = 0;
        std::from_chars(p, end, e);
        d.exponent += e;
    }
    if (negative) d.mantissa = -d.mantissa;
    return d;
}

// num / den rounded to an integer, halves to the even neighbour.
Int128 divideHalfEven(Int128 num, Int128 den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Int128 q = num / den;
    const Int128 r = num % den < 0 ? -(num % den) : num % den;
    const Int128 rest = den - r; // r > rest: above the half; r == rest: exactly the half
    if (r > rest || (r == rest && q % 2 != 0)) q += num < 0 ? -1 : 1;
    return q;
}

// q ten-thousandths as the nearest double (33,3333 for 333333).
double fromTenThousandths(Int128 q) {
    if (q == 0) return 0.0;
    const bool negative = q < 0;
    std::string digits;
    for (Int128 m = negative ? -q : q; m > 0; m /= 10)
        digits.insert(digits.begin(), char('0' + int(m % 10)));
    const std::string text = (negative ? "-" : "") + digits + "e-4";
    double v = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

} // namespace

namespace FinancePercent {

double roundHalfEven4(double value) {
    if (!std::isfinite(value)) return value;
    const Decimal d = toDecimal(value);
    if (d.exponent >= -4) return value; // four decimals or fewer already
    const int shift = -4 - d.exponent;
    if (shift > 37) return 0.0; // below 10^-20: far from the first half step
    return fromTenThousandths(divideHalfEven(d.mantissa, pow10(shift)));
}

double share(double part, double total) {
    if (!std::isfinite(part) || !std::isfinite(total) || total == 0.0) return 0.0;
    const Decimal a = toDecimal(part);
    const Decimal b = toDecimal(total);
    if (a.mantissa == 0) return 0.0;
    // part / total * 100 in ten-thousandths = a / b * 10^(exponents + 6).
    const int k = a.exponent - b.exponent + 6;
    Int128 num = a.mantissa;
    Int128 den = b.mantissa;
    // Amounts 10^21 apart in scale would overflow the exact product; real amounts never
    // are, so double arithmetic serves there.
    if (k > 21) return roundHalfEven4(part / total * 100.0);
    if (k < -21) return 0.0; // |share| below 10^-5: rounds to 0
    if (k >= 0)
        num *= pow10(k);
    else
        den *= pow10(-k);
    return fromTenThousandths(divideHalfEven(num, den));
}

} // namespace FinancePercent
