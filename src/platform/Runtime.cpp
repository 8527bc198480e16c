// The runtime's conversions and text functions. Between reading and writing, numbers travel as
// exact decimal digits (Decimal), so "1.234,56" reaches Currency without passing through a double
// and only the final step rounds: ties to even for conversions, half away from zero for Format.
#include "platform/Runtime.h"

#include "platform/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
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

namespace {

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

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// ---- Exact decimals -------------------------------------------------------------------------

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

void StripLeadingZeros(std::string& digits)
{
    digits.erase(0, digits.find_first_not_of('0'));
}

void StripTrailingZeros(std::string& digits, size_t keep = 0)
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

double ToDouble(const Decimal& number)
{
    const std::string text = (number.whole.empty() ? "0" : number.whole) + "." +
                             (number.fraction.empty() ? "0" : number.fraction);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too big is an overflow.
        if (!number.whole.empty())
            Raise(errOverflow);
        return 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return number.negative ? -value : value;
}

// The locale's plain text of a number: comma decimal, no thousands, no trailing zeros.
std::string PlainText(Decimal number)
{
    StripTrailingZeros(number.fraction);
    std::string text = number.negative && !number.IsZero() ? "-" : "";
    text += number.whole.empty() ? "0" : number.whole;
    if (!number.fraction.empty())
        text += "," + number.fraction;
    return text;
}

// The leading hexadecimal or octal number of Val's "&H" and "&O" texts. Up to 16 bits it reads
// as a signed 16-bit number (&HFFFF is -1), up to 32 as a signed 32-bit one; beyond raises 6.
double RadixValue(std::string_view digits, int base)
{
    uint64_t value = 0;
    for (const char c : digits) {
        const char upper = static_cast<char>(c & ~0x20);
        const int digit = IsDigit(c)                     ? c - '0'
                          : upper >= 'A' && upper <= 'F' ? upper - 'A' + 10
                                                         : base;
        if (digit >= base)
            break;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            Raise(errOverflow);
    }
    if (value <= 0xFFFFu)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// ---- Numeric content of a Variant -----------------------------------------------------------

// A value's number as exactly as its type holds it.
using Number = std::variant<int64_t, double, Currency, Decimal>;

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

// CInt and CLng: the value rounded to a whole number, ties to even, within [low, high].
int64_t WholeNumber(const Variant& value, int64_t low, int64_t high)
{
    const int64_t whole = std::visit(
        Overloaded{
            [](int64_t integer) { return integer; },
            [low, high](double real) {
                // Default rounding mode: to nearest, ties to even.
                const double rounded = std::nearbyint(real);
                if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
                    Raise(errOverflow);
                return static_cast<int64_t>(rounded);
            },
            [](Currency money) { return RoundedInteger(DecimalFromScaled(money.Raw(), 4), 0); },
            [](const Decimal& decimal) { return RoundedInteger(decimal, 0); },
        },
        NumberOf(value));
    if (whole < low || whole > high)
        Raise(errOverflow);
    return whole;
}

// ---- Format ---------------------------------------------------------------------------------

bool IsDateFormat(std::string_view format)
{
    return UCase(format) == "DD/MM/YYYY";
}

// A number format of "0" and "#" placeholders, "," anywhere among the whole placeholders for
// thousands grouping and "." before the decimals: "#,##0.00", "0", "0.000".
struct NumberFormat {
    bool grouped = false;
    size_t minWhole = 0;    // "0" placeholders before the point
    size_t minFraction = 0; // "0" placeholders after it
    size_t maxFraction = 0; // every placeholder after it
};

NumberFormat ReadNumberFormat(std::string_view format)
{
    NumberFormat pattern;
    const size_t point = format.find('.');
    const std::string_view whole = format.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : format.substr(point + 1);
    for (size_t at = 0; at < whole.size(); ++at) {
        if (whole[at] == '0') {
            ++pattern.minWhole;
        } else if (whole[at] == ',' && at > 0 && at + 1 < whole.size()) {
            // A trailing comma would mean "divide by a thousand"; no screen asks for that.
            pattern.grouped = true;
        } else if (whole[at] != '#') {
            Raise(errInvalidProcedureCall);
        }
    }
    for (const char c : fraction) {
        if (c == '0' && pattern.maxFraction == pattern.minFraction)
            ++pattern.minFraction;
        else if (c != '#')
            Raise(errInvalidProcedureCall);
        ++pattern.maxFraction;
    }
    return pattern;
}

std::string FormatNumber(const Decimal& number, const NumberFormat& pattern)
{
    Decimal rounded = Rounded(number, pattern.maxFraction, Tie::AwayFromZero);
    StripTrailingZeros(rounded.fraction, pattern.minFraction);

    std::string whole = rounded.whole;
    if (whole.size() < pattern.minWhole)
        whole.insert(0, pattern.minWhole - whole.size(), '0');
    if (pattern.grouped) {
        for (size_t at = whole.size(); at > 3; at -= 3)
            whole.insert(at - 3, 1, '.');
    }

    std::string text = rounded.negative && !rounded.IsZero() ? "-" : "";
    text += whole;
    if (!rounded.fraction.empty())
        text += "," + rounded.fraction;
    return text;
}

std::string FormatDate(const Variant& value)
{
    if (value.Type() == VarType::String) {
        const std::string& text = Get<std::string>(value);
        const auto date = Date::Parse(text);
        return date ? date->ToText() : text;
    }
    return CDate(value).ToText();
}

// ---- UTF-8 characters -----------------------------------------------------------------------

// Bytes of the character starting at `at`; a malformed byte counts as a character of its own.
size_t CharSize(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t size = (lead & 0xE0) == 0xC0   ? 2
                        : (lead & 0xF0) == 0xE0 ? 3
                        : (lead & 0xF8) == 0xF0 ? 4
                                                : 1;
    if (at + size > text.size())
        return 1;
    for (size_t next = at + 1; next < at + size; ++next) {
        if ((static_cast<unsigned char>(text[next]) & 0xC0) != 0x80)
            return 1;
    }
    return size;
}

// Byte offset of character `index` (from 0); the text's size when it has fewer characters.
size_t ByteOffset(std::string_view text, size_t index)
{
    size_t at = 0;
    for (; index > 0 && at < text.size(); --index)
        at += CharSize(text, at);
    return at;
}

size_t CharCount(std::string_view text)
{
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += CharSize(text, at))
        ++count;
    return count;
}

void RequireNotNegative(int32_t value)
{
    if (value < 0)
        Raise(errInvalidProcedureCall);
}

// Latin-1 letters in UTF-8: U+00C0 to U+00DE are two bytes C3 80..9E, their small forms C3 A0..BE,
// except the multiplication and division signs (C3 97, C3 B7); small y with diaeresis (C3 BF)
// pairs with U+0178 (C5 B8).
constexpr unsigned char Latin1Lead = 0xC3;
constexpr unsigned char LatinExtendedALead = 0xC5;
constexpr unsigned char CapitalYDiaeresis = 0xB8;
constexpr unsigned char SmallYDiaeresis = 0xBF;

} // namespace

// ---- Conversions ----------------------------------------------------------------------------

double Val(std::string_view text)
{
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }

    if (compact.size() >= 2 && compact[0] == '&') {
        const char radix = static_cast<char>(compact[1] & ~0x20);
        if (radix != 'H' && radix != 'O')
            return 0.0;
        return RadixValue(std::string_view(compact).substr(2), radix == 'H' ? 16 : 8);
    }

    size_t at = 0;
    bool negative = false;
    if (at < compact.size() && (compact[at] == '+' || compact[at] == '-'))
        negative = compact[at++] == '-';
    std::string number;
    size_t digits = 0;
    // Roughly the power of ten of the value, only to tell an overflow from an underflow.
    long magnitude = 0;
    bool significant = false;
    for (; at < compact.size() && IsDigit(compact[at]); ++at, ++digits) {
        number += compact[at];
        significant = significant || compact[at] != '0';
        magnitude += significant ? 1 : 0;
    }
    if (at < compact.size() && compact[at] == '.') {
        number += '.';
        for (++at; at < compact.size() && IsDigit(compact[at]); ++at, ++digits) {
            significant = significant || compact[at] != '0';
            magnitude -= significant ? 0 : 1;
            number += compact[at];
        }
    }
    if (digits == 0)
        return 0.0;
    if (at < compact.size() && std::string_view("EeDd").find(compact[at]) != std::string::npos) {
        size_t next = at + 1;
        const bool negativePower = next < compact.size() && compact[next] == '-';
        std::string exponent = negativePower ? "e-" : "e";
        if (next < compact.size() && (compact[next] == '+' || compact[next] == '-'))
            ++next;
        long power = 0;
        for (; next < compact.size() && IsDigit(compact[next]); ++next) {
            exponent += compact[next];
            power = std::min(power * 10 + (compact[next] - '0'), 100000L);
        }
        if (exponent.size() > (negativePower ? 2u : 1u)) {
            number += exponent;
            magnitude += negativePower ? -power : power;
        }
    }

    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range) {
        if (magnitude > 0)
            Raise(errOverflow);
        return 0.0;
    }
    return negative && value != 0.0 ? -value : value;
}

Currency CCur(const Variant& value)
{
    return std::visit(
        Overloaded{
            [](int64_t whole) { return Currency::FromInteger(whole); },
            [](double real) { return Currency::FromDouble(real); },
            [](Currency money) { return money; },
            [](const Decimal& decimal) { return Currency::FromRaw(RoundedInteger(decimal, 4)); },
        },
        NumberOf(value));
}

double CDbl(const Variant& value)
{
    return std::visit(Overloaded{
                          [](int64_t whole) { return static_cast<double>(whole); },
                          [](double real) { return real; },
                          [](Currency money) { return money.ToDouble(); },
                          [](const Decimal& decimal) { return ToDouble(decimal); },
                      },
                      NumberOf(value));
}

int16_t CInt(const Variant& value)
{
    return static_cast<int16_t>(WholeNumber(value, std::numeric_limits<int16_t>::min(),
                                            std::numeric_limits<int16_t>::max()));
}

int32_t CLng(const Variant& value)
{
    return static_cast<int32_t>(WholeNumber(value, std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max()));
}

bool CBool(const Variant& value)
{
    if (value.Type() == VarType::String) {
        const std::string word = UCase(TrimBlanks(Get<std::string>(value)));
        if (word == "VERDADEIRO" || word == "TRUE")
            return true;
        if (word == "FALSO" || word == "FALSE")
            return false;
    }
    return std::visit(Overloaded{
                          [](int64_t whole) { return whole != 0; },
                          [](double real) { return real != 0.0; },
                          [](Currency money) { return money.Raw() != 0; },
                          [](const Decimal& decimal) { return !decimal.IsZero(); },
                      },
                      NumberOf(value));
}

std::string CStr(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        Raise(errInvalidUseOfNull);
    case VarType::Integer:
        return std::to_string(Get<int16_t>(value));
    case VarType::Long:
        return std::to_string(Get<int32_t>(value));
    case VarType::Double:
        return PlainText(DecimalFromDouble(Get<double>(value)));
    case VarType::Currency:
        return PlainText(DecimalFromScaled(Get<Currency>(value).Raw(), 4));
    case VarType::String:
        return Get<std::string>(value);
    case VarType::Boolean:
        return VariantAccess::Boolean(value) ? "Verdadeiro" : "Falso";
    case VarType::Date:
        return Get<Date>(value).ToText();
    case VarType::Object:
        Raise(errTypeMismatch);
    }
    Raise(errInternal);
}

Date CDate(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Date:
        return Get<Date>(value);
    case VarType::String: {
        const auto date = Date::Parse(Get<std::string>(value));
        if (!date)
            Raise(errTypeMismatch);
        return *date;
    }
    default: {
        // A date number; its fraction would be the time of day, which a Date does not keep.
        static const double first = Date{100, 1, 1}.Serial();
        static const double last = Date{9999, 12, 31}.Serial();
        const double serial = std::trunc(CDbl(value));
        if (!(serial >= first && serial <= last))
            Raise(errOverflow);
        return Date::FromSerial(static_cast<int32_t>(serial));
    }
    }
}

std::string Format(const Variant& value, std::string_view format)
{
    if (value.IsEmpty() || value.IsNull())
        return {};
    if (format.empty())
        return CStr(value);
    if (IsDateFormat(format))
        return FormatDate(value);

    const NumberFormat pattern = ReadNumberFormat(format);
    if (value.Type() == VarType::String) {
        const std::string& text = Get<std::string>(value);
        const auto number = ParseBrazilian(text);
        return number ? FormatNumber(*number, pattern) : text;
    }
    return FormatNumber(DecimalOf(NumberOf(value)), pattern);
}

bool IsNumeric(const Variant& value)
{
    switch (value.Type()) {
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
        return true;
    case VarType::String:
        return ParseBrazilian(Get<std::string>(value)).has_value();
    default:
        return false;
    }
}

bool IsDate(const Variant& value)
{
    if (value.Type() == VarType::Date)
        return true;
    return value.Type() == VarType::String && Date::Parse(Get<std::string>(value)).has_value();
}

// ---- Texts ----------------------------------------------------------------------------------

std::string Trim(std::string_view text)
{
    return RTrim(LTrim(text));
}

std::string LTrim(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string UCase(std::string_view text)
{
    std::string result(text);
    for (size_t at = 0; at < result.size(); at += CharSize(result, at)) {
        auto& first = reinterpret_cast<unsigned char&>(result[at]);
        if (first >= 'a' && first <= 'z') {
            first -= 0x20;
        } else if (first == Latin1Lead && CharSize(result, at) == 2) {
            auto& second = reinterpret_cast<unsigned char&>(result[at + 1]);
            if (second >= 0xA0 && second <= 0xBE && second != 0xB7) {
                second -= 0x20;
            } else if (second == SmallYDiaeresis) {
                first = LatinExtendedALead;
                second = CapitalYDiaeresis;
            }
        }
    }
    return result;
}

std::string LCase(std::string_view text)
{
    std::string result(text);
    for (size_t at = 0; at < result.size(); at += CharSize(result, at)) {
        auto& first = reinterpret_cast<unsigned char&>(result[at]);
        if (first >= 'A' && first <= 'Z') {
            first += 0x20;
        } else if (CharSize(result, at) == 2) {
            auto& second = reinterpret_cast<unsigned char&>(result[at + 1]);
            if (first == Latin1Lead && second >= 0x80 && second <= 0x9E && second != 0x97) {
                second += 0x20;
            } else if (first == LatinExtendedALead && second == CapitalYDiaeresis) {
                first = Latin1Lead;
                second = SmallYDiaeresis;
            }
        }
    }
    return result;
}

std::string Left(std::string_view text, int32_t length)
{
    RequireNotNegative(length);
    return std::string(text.substr(0, ByteOffset(text, static_cast<size_t>(length))));
}

std::string Right(std::string_view text, int32_t length)
{
    RequireNotNegative(length);
    const size_t count = CharCount(text);
    const size_t keep = std::min(count, static_cast<size_t>(length));
    return std::string(text.substr(ByteOffset(text, count - keep)));
}

std::string Mid(std::string_view text, int32_t start)
{
    if (start < 1)
        Raise(errInvalidProcedureCall);
    return std::string(text.substr(ByteOffset(text, static_cast<size_t>(start) - 1)));
}

std::string Mid(std::string_view text, int32_t start, int32_t length)
{
    if (start < 1)
        Raise(errInvalidProcedureCall);
    RequireNotNegative(length);
    const std::string_view rest = text.substr(ByteOffset(text, static_cast<size_t>(start) - 1));
    return std::string(rest.substr(0, ByteOffset(rest, static_cast<size_t>(length))));
}

int32_t Len(std::string_view text)
{
    return static_cast<int32_t>(CharCount(text));
}

int32_t InStr(int32_t start, std::string_view text, std::string_view find)
{
    if (start < 1)
        Raise(errInvalidProcedureCall);
    if (static_cast<size_t>(start) > CharCount(text))
        return 0;
    if (find.empty())
        return start;
    // Walking character by character keeps a match from starting inside a character.
    int32_t position = start;
    for (size_t at = ByteOffset(text, static_cast<size_t>(start) - 1); at < text.size();
         at += CharSize(text, at), ++position) {
        if (text.substr(at).starts_with(find))
            return position;
    }
    return 0;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with)
{
    if (find.empty())
        return std::string(text);
    std::string result;
    for (size_t at = 0; at < text.size();) {
        if (text.substr(at).starts_with(find)) {
            result += with;
            at += find.size();
        } else {
            const size_t size = CharSize(text, at);
            result += text.substr(at, size);
            at += size;
        }
    }
    return result;
}

std::string Space(int32_t count)
{
    RequireNotNegative(count);
    return std::string(static_cast<size_t>(count), ' ');
}

} // namespace platform
