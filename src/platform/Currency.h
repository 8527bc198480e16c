// Money is a signed 64-bit integer scaled by 10 000 (four decimal places). Only the conversions
// from double and the multiplication round, to four places with ties to even; every operation
// that leaves the range +-922.337.203.685.477,5807 raises run-time error 6 (Overflow).
#pragma once

#include <compare>
#include <cstdint>

namespace platform {

class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency FromRaw(int64_t raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    // Rounds to four places, ties to even, the decimal the double stands for (the shortest one
    // that reads back as it): 0.00015 gives 0,0002. NaN, infinities and values out of range
    // raise 6.
    static Currency FromDouble(double value);
    // A whole number; out of range raises 6.
    static Currency FromInteger(int64_t value);

    constexpr int64_t Raw() const { return m_raw; }
    double ToDouble() const;

    Currency operator-() const;
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    // Exact product rounded to four places, ties to even.
    Currency operator*(Currency other) const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }
    Currency& operator*=(Currency other) { return *this = *this * other; }

    constexpr auto operator<=>(const Currency&) const = default;

private:
    int64_t m_raw = 0;
};

} // namespace platform
