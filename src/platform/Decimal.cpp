// Exact decimal numbers: reading the Brazilian way, rounding, and the conversions from and to
// scaled integers and doubles (decisions in Decimal.h).
#include "platform/Decimal.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace platform::detail {

namespace {

void StripLeadingZeros(std::string& digits)
{
    digits.erase(0, digits.find_first_not_of('0'));
}

} // namespace

void StripTrailingZeros(std::string& digits, size_t keep)
{
    while (digits.size() > keep && digits.back() == '0')
        digits.pop_back();
}

// Reads a number written the Brazilian way: an optional sign, whole digits either ungrouped or in
// groups of three after a first group of one to three, separated by periods, then an optional
// comma and decimals. Blanks may surround it; at least one digit is required.
std::optional<Decimal> ParseBrazilian(std::string_view text)
{
    text = TrimBlanks(text);
    Decimal number;
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        number.negative = text[at++] == '-';

    bool grouped = false;
    size_t groupLength = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (IsDigit(c)) {
            number.whole += c;
            if (++groupLength > 3 && grouped)
                return std::nullopt;
        } else if (c == '.') {
            if (groupLength == 0 || groupLength > 3 || (grouped && groupLength != 3))
                return std::nullopt;
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3)
        return std::nullopt;

    if (at < text.size() && text[at] == ',') {
        for (++at; at < text.size() && IsDigit(text[at]); ++at)
            number.fraction += text[at];
    }
    if (at != text.size() || (number.whole.empty() && number.fraction.empty()))
        return std::nullopt;
    StripLeadingZeros(number.whole);
    return number;
}

// Adds one unit in the last fraction place.
void Increment(Decimal& number)
{
    std::string digits = number.whole + number.fraction;
    size_t at = digits.size();
    while (at > 0 && digits[at - 1] == '9')
        digits[--at] = '0';
    if (at == 0)
        digits.insert(0, 1, '1');
    else
        ++digits[at - 1];
    const size_t wholeLength = digits.size() - number.fraction.size();
    number.fraction = digits.substr(wholeLength);
    number.whole = digits.substr(0, wholeLength);
}

// Rounds to exactly `places` fraction digits.
Decimal Rounded(Decimal number, size_t places, Tie tie)
{
    if (number.fraction.size() <= places) {
        number.fraction.append(places - number.fraction.size(), '0');
        return number;
    }
    const std::string_view dropped = std::string_view(number.fraction).substr(places);
    const char kept = places > 0 ? number.fraction[places - 1]
                                 : (number.whole.empty() ? '0' : number.whole.back());
    const bool beyondHalf = dropped.find_first_not_of('0', 1) != std::string_view::npos;
    const bool up =
        dropped[0] > '5' ||
        (dropped[0] == '5' && (beyondHalf || tie == Tie::AwayFromZero || (kept - '0') % 2 == 1));
    number.fraction.resize(places);
    if (up)
        Increment(number);
    return number;
}

// The whole and fraction digits read as one integer; nothing when it leaves 64 bits.
std::optional<int64_t> DigitsAsInteger(const Decimal& number)
{
    uint64_t magnitude = 0;
    for (const char c : number.whole + number.fraction) {
        if (__builtin_mul_overflow(magnitude, uint64_t{10}, &magnitude) ||
            __builtin_add_overflow(magnitude, static_cast<uint64_t>(c - '0'), &magnitude))
            return std::nullopt;
    }
    constexpr uint64_t limit = uint64_t{1} << 63;
    if (magnitude > limit || (magnitude == limit && !number.negative))
        return std::nullopt;
    if (magnitude == limit)
        return std::numeric_limits<int64_t>::min();
    const auto value = static_cast<int64_t>(magnitude);
    return number.negative ? -value : value;
}

int64_t RoundedInteger(const Decimal& number, size_t places)
{
    const auto value = DigitsAsInteger(Rounded(number, places, Tie::ToEven));
    if (!value)
        Raise(errOverflow);
    return *value;
}

// `value` divided by 10^places.
Decimal DecimalFromScaled(int64_t value, size_t places)
{
    Decimal number;
    number.negative = value < 0;
    const uint64_t magnitude =
        number.negative ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    number.whole = digits.substr(0, digits.size() - places);
    number.fraction = digits.substr(digits.size() - places);
    StripLeadingZeros(number.whole);
    return number;
}

// A double at 15 significant digits, the precision it is shown with: 2.675 is 2,675 here, not
// the 2,67499999... it holds.
Decimal DecimalFromDouble(double value)
{
    if (!std::isfinite(value))
        Raise(errOverflow);
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));

    Decimal number;
    if (text.front() == '-') {
        number.negative = true;
        text.remove_prefix(1);
    }
    const size_t e = text.find('e');
    const std::string digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
    const bool negativeExponent = text[e + 1] == '-';
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);

    // Count of digits before the decimal point (zero or less for values below one).
    const long point = negativeExponent ? 1L - exponent : 1L + exponent;
    if (point <= 0) {
        number.fraction = std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (static_cast<size_t>(point) >= digits.size()) {
        number.whole = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        number.whole = digits.substr(0, static_cast<size_t>(point));
        number.fraction = digits.substr(static_cast<size_t>(point));
    }
    StripLeadingZeros(number.whole);
    StripTrailingZeros(number.fraction);
    return number;
}

std::optional<double> DoubleIfItFits(const Decimal& number)
{
    const std::string text = (number.whole.empty() ? "0" : number.whole) + "." +
                             (number.fraction.empty() ? "0" : number.fraction);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too big does not fit.
        if (!number.whole.empty())
            return std::nullopt;
        return 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return number.negative ? -value : value;
}

double ToDouble(const Decimal& number)
{
    const auto value = DoubleIfItFits(number);
    if (!value)
        Raise(errOverflow);
    return *value;
}

std::string PlainText(Decimal number)
{
    StripTrailingZeros(number.fraction);
    std::string text = number.negative && !number.IsZero() ? "-" : "";
    text += number.whole.empty() ? "0" : number.whole;
    if (!number.fraction.empty())
        text += "," + number.fraction;
    return text;
}

Number NumberOf(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Empty:
        return int64_t{0};
    case VarType::Null:
        Raise(errInvalidUseOfNull);
    case VarType::Integer:
        return int64_t{Get<int16_t>(value)};
    case VarType::Long:
        return int64_t{Get<int32_t>(value)};
    case VarType::Double:
        return Get<double>(value);
    case VarType::Currency:
        return Get<Currency>(value);
    case VarType::String: {
        auto number = ParseBrazilian(Get<std::string>(value));
        if (!number)
            Raise(errTypeMismatch);
        return std::move(*number);
    }
    case VarType::Boolean:
        return int64_t{VariantAccess::Boolean(value) ? -1 : 0};
    case VarType::Date:
        return int64_t{Get<Date>(value).Serial()};
    case VarType::Object:
        Raise(errTypeMismatch);
    }
    Raise(errInternal);
}

Decimal DecimalOf(const Number& number)
{
    return std::visit(Overloaded{
                          [](int64_t whole) { return DecimalFromScaled(whole, 0); },
                          [](double real) { return DecimalFromDouble(real); },
                          [](Currency money) { return DecimalFromScaled(money.Raw(), 4); },
                          [](const Decimal& decimal) { return decimal; },
                      },
                      number);
}

} // namespace platform::detail
