#include "new_moons.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calendar_detail.h"

namespace calendar::detail {

namespace {

constexpr double kSynodicMonth = 29.53058868;
constexpr double kDegreesPerRadian = 57.29577951308232;

double frac(double x)
{
    return x - std::trunc(x);
}

} // namespace

NewMoons::NewMoons(int year)
{
    t_ = (year - 1899.5) / 100;
    k0_ = std::floor((year - 1900) * 12.3685);
    // An angle (or day fraction) at new moon k0 with its secular terms.
    const auto w = [this](double revolutionsPerLunation, double c0, double c2, double c3) {
        return 2 * std::numbers::pi * frac(revolutionsPerLunation * k0_) + c0 - c2 * t_ * t_ - c3 * t_ * t_ * t_;
    };
    const auto degrees = [](double value) { return value / kDegreesPerRadian; };
    const double dayFraction = w(0, 0.75933, 0.0002172, 1.55e-7);
    sunAnomaly_ = w(0.08084821133, degrees(359.2242), degrees(3.33e-5), degrees(3.47e-6));
    moonAnomaly_ = w(0.07171366128, degrees(306.0253), degrees(-0.0107306), degrees(-1.236e-5));
    latitude_ = w(0.08519585128, degrees(21.2964), degrees(0.0016528), degrees(2.39e-6));
    base_ = 29 * k0_ + 693595;
    m0_ = dayFraction + 0.53058868 * k0_ - 0.000837 * t_ + 8.0 / 24 + 0.5;
    e_ = 0.1734 - 0.000393 * t_;
}

double NewMoons::at(int v) const
{
    const double a = sunAnomaly_ + 0.507984293 * v;
    const double c = moonAnomaly_ + 6.73377553 * v;
    const double g = latitude_ + 6.818486628 * v;
    return 28 * v + base_ + m0_ + 1.53058868 * v + e_ * std::sin(a) - 0.4068 * std::sin(c) + 0.0021 * std::sin(2 * a) +
           0.0161 * std::sin(2 * c) + 0.0104 * std::sin(2 * g) - 0.0074 * std::sin(a - c) - 0.0051 * std::sin(a + c);
}

void NewMoons::candidates(int dayNumber, int& first, int& last) const
{
    // The periodic terms of at() move a new moon by less than |E| + 0.45 days
    // from its mean time, so no other v can fall within the 29 days; one more
    // day either way leaves room for rounding.
    const double spread = std::fabs(e_) + 0.45 + 1;
    const double mean = base_ + m0_;
    first = std::max(-1, floorToInt((dayNumber - 29 - spread - mean) / kSynodicMonth));
    last = std::min(13, floorToInt((dayNumber + 1 + spread - mean) / kSynodicMonth) + 1);
}

} // namespace calendar::detail
