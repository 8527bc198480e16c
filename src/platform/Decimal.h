// The exact decimal numbers the conversions and Format share (internal to the platform): a
// number travels as its decimal digits between reading and writing, so "1.234,56" reaches
// Currency without passing through a double and only the final step rounds.
//
// Decisions:
// - Rounded rounds to a given number of places, ties to even for conversions and half away from
//   zero for display; RoundedInteger raises 6 when the result leaves 64 bits.
// - A double is taken at 15 significant digits, the precision it is shown with (2.675 is 2,675).
// - NumberOf gives a Variant's number as exactly as its type holds it: empty is 0, null raises
//   94, a text that is no Brazilian number and an object raise 13, true is -1.
#pragma once

#include "platform/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

// Read access to a Variant's content for the conversions.
class VariantAccess {
public:
    template <class T>
    static const T& Get(const Variant& value)
    {
        return std::get<T>(value.m_value);
    }
    static bool Boolean(const Variant& value)
    {
        return std::get<Variant::BooleanValue>(value.m_value).value;
    }
};

namespace detail {

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

template <class T>
const T& Get(const Variant& value)
{
    return VariantAccess::Get<T>(value);
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number as its decimal digits: `whole` without leading zeros (empty for zero) and as many
// `fraction` digits as are known.
struct Decimal {
    bool negative = false;
    std::string whole;
    std::string fraction;

    bool IsZero() const
    {
        return whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    }
};

enum class Tie { ToEven, AwayFromZero };

void StripTrailingZeros(std::string& digits, size_t keep = 0);

// Reads a number written the Brazilian way: an optional sign, whole digits either ungrouped or in
// groups of three after a first group of one to three, separated by periods, then an optional
// comma and decimals. Blanks may surround it; at least one digit is required.
std::optional<Decimal> ParseBrazilian(std::string_view text);

// Rounds to exactly `places` fraction digits.
Decimal Rounded(Decimal number, size_t places, Tie tie);
// The number times 10^places rounded ties to even; 6 when it leaves 64 bits.
int64_t RoundedInteger(const Decimal& number, size_t places);
// `value` divided by 10^places.
Decimal DecimalFromScaled(int64_t value, size_t places);
Decimal DecimalFromDouble(double value);
// The nearest double; nullopt (ToDouble: 6) beyond the double's range, zero below it.
std::optional<double> DoubleIfItFits(const Decimal& number);
double ToDouble(const Decimal& number);
// The locale's plain text of a number: comma decimal, no thousands, no trailing zeros.
std::string PlainText(Decimal number);

// A value's number as exactly as its type holds it.
using Number = std::variant<int64_t, double, Currency, Decimal>;
Number NumberOf(const Variant& value);
Decimal DecimalOf(const Number& number);

} // namespace detail

} // namespace platform
