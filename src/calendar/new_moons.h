#pragma once

// The new moons around one year, from a series in the mean anomalies of sun
// and moon; times are day numbers with the fraction of the day, UTC+8.

namespace calendar::detail {

class NewMoons {
public:
    explicit NewMoons(int year);

    double centuries() const { return t_; } // T: centuries since 1899.5
    double firstLunation() const { return k0_; } // k0: new moons since 1900
    double base() const { return base_; } // 29·k0 + 693595
    // The day number, with fraction, of new moon k0 + v.
    double at(int v) const;
    // The range of v in -1 .. 13 whose new moon can lie within the 29 days
    // before the day (first > last when none can).
    void candidates(int dayNumber, int& first, int& last) const;

private:
    double t_, k0_, sunAnomaly_, moonAnomaly_, latitude_, base_, m0_, e_;
};

} // namespace calendar::detail
