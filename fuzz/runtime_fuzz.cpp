// The runtime's conversions and Format on any text, any double and any format: each answers or
// raises one of the run-time errors it documents (5, 6, 13, 94), and what it answers reads back:
// a Currency survives CStr and Format with four places exactly, a parsed date its own text, and
// the character functions cut and join a text (valid UTF-8 or not) without losing a byte.
#include "FuzzInput.h"

#include "platform/Date.h"
#include "platform/Errors.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <optional>

namespace {

using namespace platform;

// Runs `call`; a run-time error outside the documented ones breaks the property.
template <class Call>
auto Documented(const char* what, Call&& call) -> std::optional<decltype(call())>
{
    try {
        return call();
    } catch (const RuntimeError& error) {
        const int32_t number = error.Number();
        if (number != errInvalidProcedureCall && number != errOverflow &&
            number != errTypeMismatch && number != errInvalidUseOfNull)
            fuzz::Broken(what, error.what());
        return std::nullopt;
    }
}

void Conversions(const Variant& value, std::string_view format)
{
    const auto currency = Documented("CCur", [&] { return CCur(value); });
    const auto number = Documented("CDbl", [&] { return CDbl(value); });
    Documented("CInt", [&] { return CInt(value); });
    Documented("CLng", [&] { return CLng(value); });
    Documented("CBool", [&] { return CBool(value); });
    Documented("CDate", [&] { return CDate(value); });
    Documented("CStr", [&] { return CStr(value); });
    fuzz::Require(IsNumeric(value) == number.has_value(), "IsNumeric is true where CDbl reads");
    IsDate(value);
    for (const char* fixed : {"#,##0.00", "#,##0.000", "0", "DD/MM/YYYY"})
        Documented("Format", [&] { return Format(value, fixed); });
    Documented("Format with the fuzzed format", [&] { return Format(value, format); });

    if (currency) {
        const std::string text = CStr(*currency);
        fuzz::Require(CCur(text) == *currency, "CCur reads CStr of a Currency back", text);
        const std::string shown = Format(*currency, "#,##0.0000");
        fuzz::Require(CCur(shown) == *currency, "CCur reads Format #,##0.0000 back", shown);
    }
}

void Dates(std::string_view text)
{
    const auto date = Date::Parse(text);
    if (!date)
        return;
    fuzz::Require(date->IsValid(), "a parsed date exists", text);
    fuzz::Require(Date::Parse(date->ToText()) == date, "a date reads its own text back", text);
    fuzz::Require(IsDate(Variant(std::string(text))), "IsDate where Date::Parse reads", text);
    fuzz::Require(Date::FromSerial(date->Serial()) == *date, "a date survives its serial", text);
}

void Characters(std::string_view text, std::string_view find, int32_t n)
{
    const int32_t length = Len(text);
    fuzz::Require(Left(text, n) + Mid(text, n + 1) == text, "Left and Mid join back", text);
    fuzz::Require(Len(Left(text, n)) == std::min(n, length), "Left keeps n characters", text);
    fuzz::Require(Left(text, length - std::min(n, length)) + Right(text, std::min(n, length)) ==
                      text,
                  "Left and Right join back", text);
    fuzz::Require(Mid(text, n + 1, n) == Left(Mid(text, n + 1), n), "Mid is Left of the rest",
                  text);
    Replace(text, find, "x");
    fuzz::Require(Trim(Trim(text)) == Trim(text), "Trim is idempotent", text);
    UCase(text);
    Documented("Val", [&] { return Val(text); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    const int32_t n = input.Byte();
    const double number = input.Double();
    const std::string format(input.Part());
    const std::string find(input.Part());
    const std::string text(input.Rest());

    Conversions(Variant(text), format);
    Conversions(Variant(number), format);
    Dates(text);
    Characters(text, find, n);
    return 0;
}
