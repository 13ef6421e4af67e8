#include "number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ledger {

std::string formatGeneral(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // 15 significant digits, then read the digits and the decimal exponent back.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string text(buffer);
    const bool negative = text[0] == '-';
    const size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (text[i] != '.')
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits;
            out.append(integerDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, integerDigits);
            out += '.';
            out.append(digits, integerDigits);
        }
    }
    return out;
}

std::string formatYuan(Currency value)
{
    const int64_t raw = value.raw();
    const bool negative = raw < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    // Cents, rounded half away from zero.
    const uint64_t cents = (magnitude + 50) / 100;
    std::string out = negative && cents != 0 ? "-" : "";
    out += "￥";
    if (cents >= 100)
        out += std::to_string(cents / 100);
    out += '.';
    const uint64_t fraction = cents % 100;
    out += static_cast<char>('0' + fraction / 10);
    out += static_cast<char>('0' + fraction % 10);
    return out;
}

} // namespace ledger
