// The runtime's conversions (Val, CCur, CDbl, CInt, CLng, CBool, CStr, CDate) and the tests
// IsNumeric and IsDate, over the exact decimals of Decimal.h. Whole-number conversions round
// ties to even and raise 6 outside their type; a double reaches them through nearbyint, the
// others through their exact digits.
#include "platform/Runtime.h"

#include "platform/Decimal.h"
#include "platform/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace platform {

using namespace detail;

namespace {

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

} // namespace

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
    case VarType::String: {
        // Numeric means CDbl reads it: digits beyond the double's range are not a number.
        const auto number = ParseBrazilian(Get<std::string>(value));
        return number && DoubleIfItFits(*number);
    }
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

} // namespace platform
