#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledger {

// Money: a count of 1/10000 units in 64 bits, exactly the range of the
// Currency type of the original file format. Arithmetic is checked: leaving
// the range is an error, never a wrap or a silent switch to floating point.
class Currency {
public:
    static constexpr int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t raw) { return Currency(raw); }
    static Currency fromInt(int64_t units);
    // Rounds half to even at the fourth decimal; throws Error(Range) outside the range.
    static Currency fromDouble(double value);
    // Exact conversion of a decimal text: optional blanks, sign, digits, one
    // point, digits, optional exponent. More than four decimals round half to
    // even. Returns nothing for anything else or a value out of range.
    static std::optional<Currency> parse(std::string_view text);

    constexpr int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / kScale; }
    bool isZero() const { return raw_ == 0; }

    // Plain decimal without trailing zeros: 12.5, 30, 0.3, -80.
    std::string toString() const;

    Currency operator-() const;
    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator*(Currency a, Currency b);
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }

    friend constexpr bool operator==(Currency a, Currency b) { return a.raw_ == b.raw_; }
    friend constexpr bool operator!=(Currency a, Currency b) { return a.raw_ != b.raw_; }
    friend constexpr bool operator<(Currency a, Currency b) { return a.raw_ < b.raw_; }
    friend constexpr bool operator>(Currency a, Currency b) { return a.raw_ > b.raw_; }
    friend constexpr bool operator<=(Currency a, Currency b) { return a.raw_ <= b.raw_; }
    friend constexpr bool operator>=(Currency a, Currency b) { return a.raw_ >= b.raw_; }

private:
    constexpr explicit Currency(int64_t raw) : raw_(raw) {}
    int64_t raw_ = 0;
};

} // namespace ledger
