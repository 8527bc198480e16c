// Format: the number formats of "0" and "#" placeholders and the date format, rounding half away
// from zero for display. A text is first read as a number (or a date); one that is neither is
// returned unchanged.
#include "platform/Runtime.h"

#include "platform/Decimal.h"
#include "platform/Errors.h"

namespace platform {

using namespace detail;

namespace {

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

} // namespace

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

} // namespace platform
