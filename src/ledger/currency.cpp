#include "currency.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace ledger {

namespace {

[[noreturn]] void overflow()
{
    throw Error(Error::Kind::Range, "金额超出货币类型的范围");
}

Currency checked(__int128 raw)
{
    if (raw > std::numeric_limits<int64_t>::max() || raw < std::numeric_limits<int64_t>::min())
        overflow();
    return Currency::fromRaw(static_cast<int64_t>(raw));
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

Currency Currency::fromInt(int64_t units)
{
    return checked(static_cast<__int128>(units) * kScale);
}

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        overflow();
    const double scaled = std::nearbyint(value * kScale); // default rounding mode: half to even
    if (scaled >= 9.2233720368547758e18 || scaled < -9.2233720368547758e18)
        overflow();
    return Currency(static_cast<int64_t>(scaled));
}

std::optional<Currency> Currency::parse(std::string_view text)
{
    size_t i = 0, n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    while (n > i && isBlank(text[n - 1]))
        --n;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Collect up to 40 significant digits and the position of the point.
    __int128 mantissa = 0;
    int digits = 0, scale = 0; // value = mantissa * 10^-scale
    bool any = false, point = false, tooLong = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            any = true;
            if (digits < 36) {
                mantissa = mantissa * 10 + (c - '0');
                if (mantissa != 0)
                    ++digits;
                if (point)
                    ++scale;
            } else if (!point) {
                tooLong = true;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return std::nullopt;
    int exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            expNegative = text[i++] == '-';
        if (i >= n)
            return std::nullopt;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
            if (exponent < 1000)
                exponent = exponent * 10 + (text[i] - '0');
        if (expNegative)
            exponent = -exponent;
    }
    if (i != n || tooLong)
        return std::nullopt;

    // Bring the value to four decimals: shift = 4 - scale + exponent.
    int shift = 4 - scale + exponent;
    const __int128 limit = static_cast<__int128>(std::numeric_limits<int64_t>::max()) + 1;
    while (shift > 0) {
        if (mantissa > limit)
            return std::nullopt;
        mantissa *= 10;
        --shift;
    }
    if (shift < 0) {
        // Drop digits, rounding half to even on the last one dropped.
        __int128 divisor = 1;
        bool dropsAll = false;
        for (int k = 0; k < -shift; ++k) {
            if (divisor > mantissa) {
                dropsAll = true;
                break;
            }
            divisor *= 10;
        }
        if (dropsAll) {
            mantissa = 0;
        } else {
            const __int128 quotient = mantissa / divisor, remainder = mantissa % divisor;
            const __int128 twice = remainder * 2;
            mantissa = quotient;
            if (twice > divisor || (twice == divisor && (quotient & 1)))
                ++mantissa;
        }
    }
    if (negative)
        mantissa = -mantissa;
    if (mantissa > std::numeric_limits<int64_t>::max() || mantissa < std::numeric_limits<int64_t>::min())
        return std::nullopt;
    return Currency(static_cast<int64_t>(mantissa));
}

std::string Currency::toString() const
{
    const bool negative = raw_ < 0;
    // Work on the unsigned magnitude so the most negative value prints too.
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(raw_) : static_cast<uint64_t>(raw_);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / kScale);
    uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction);
        decimals.insert(0, 4 - decimals.size(), '0');
        while (decimals.back() == '0')
            decimals.pop_back();
        out += '.';
        out += decimals;
    }
    return out;
}

Currency Currency::operator-() const
{
    return checked(-static_cast<__int128>(raw_));
}

Currency operator+(Currency a, Currency b)
{
    return checked(static_cast<__int128>(a.raw_) + b.raw_);
}

Currency operator-(Currency a, Currency b)
{
    return checked(static_cast<__int128>(a.raw_) - b.raw_);
}

Currency operator*(Currency a, Currency b)
{
    // (a/10^4)*(b/10^4) in units of 10^-4, rounded half to even.
    const __int128 product = static_cast<__int128>(a.raw_) * b.raw_;
    __int128 quotient = product / Currency::kScale;
    const __int128 remainder = product % Currency::kScale;
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > Currency::kScale || (twice == Currency::kScale && (quotient & 1)))
        quotient += product < 0 ? -1 : 1;
    return checked(quotient);
}

} // namespace ledger
