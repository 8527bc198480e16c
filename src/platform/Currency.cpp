#include "platform/Currency.h"

#include "platform/Errors.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace platform {

namespace {

// -Wpedantic objects to the GCC extension type unless it is marked as one.
__extension__ using Int128 = __int128;

} // namespace

Currency Currency::FromDouble(double value)
{
    if (!std::isfinite(value))
        Raise(errOverflow);
    // The shortest decimal that reads back as `value` is the number it stands for: 0.00015 is
    // the tie 0,00015, which goes to 0,0002, not the 0,000149999... its binary form holds.
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer)); // "-d.ddde-05"
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const size_t e = text.find('e');
    uint64_t digits = 0; // at most 17 significant digits
    int count = 0;
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            ++count;
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    if (text[e + 1] == '-')
        exponent = -exponent;

    // The raw value is digits x 10^shift.
    const int shift = exponent - (count - 1) + 4;
    uint64_t magnitude = 0;
    if (shift >= 0) {
        magnitude = digits;
        for (int i = 0; i < shift; ++i) {
            if (__builtin_mul_overflow(magnitude, uint64_t{10}, &magnitude))
                Raise(errOverflow);
        }
    } else if (shift >= -18) { // below that, digits are less than half of the divisor
        uint64_t divisor = 1;
        for (int i = 0; i < -shift; ++i)
            divisor *= 10;
        magnitude = digits / divisor;
        const uint64_t twiceRemainder = digits % divisor * 2;
        if (twiceRemainder > divisor || (twiceRemainder == divisor && magnitude % 2 == 1))
            ++magnitude;
    }

    constexpr uint64_t limit = uint64_t{1} << 63;
    if (magnitude > limit || (magnitude == limit && !negative))
        Raise(errOverflow);
    if (magnitude == limit)
        return FromRaw(std::numeric_limits<int64_t>::min());
    const auto raw = static_cast<int64_t>(magnitude);
    return FromRaw(negative ? -raw : raw);
}

Currency Currency::FromInteger(int64_t value)
{
    int64_t raw = 0;
    if (__builtin_mul_overflow(value, Scale, &raw))
        Raise(errOverflow);
    return FromRaw(raw);
}

double Currency::ToDouble() const
{
    return static_cast<double>(m_raw) / static_cast<double>(Scale);
}

Currency Currency::operator-() const
{
    int64_t raw = 0;
    if (__builtin_sub_overflow(int64_t{0}, m_raw, &raw))
        Raise(errOverflow);
    return FromRaw(raw);
}

Currency Currency::operator+(Currency other) const
{
    int64_t raw = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &raw))
        Raise(errOverflow);
    return FromRaw(raw);
}

Currency Currency::operator-(Currency other) const
{
    int64_t raw = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &raw))
        Raise(errOverflow);
    return FromRaw(raw);
}

Currency Currency::operator*(Currency other) const
{
    // Two 64-bit factors cannot overflow 128 bits; the product carries eight decimals.
    const Int128 product = static_cast<Int128>(m_raw) * other.m_raw;
    Int128 quotient = product / Scale;
    const Int128 remainder = product % Scale; // same sign as the product
    const Int128 twiceRemainder = (remainder < 0 ? -remainder : remainder) * 2;
    if (twiceRemainder > Scale || (twiceRemainder == Scale && quotient % 2 != 0))
        quotient += product < 0 ? -1 : 1;
    if (quotient < std::numeric_limits<int64_t>::min() ||
        quotient > std::numeric_limits<int64_t>::max())
        Raise(errOverflow);
    return FromRaw(static_cast<int64_t>(quotient));
}

} // namespace platform
