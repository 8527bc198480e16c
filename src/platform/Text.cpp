// The runtime's text functions over UTF-8: Trim and its halves remove spaces only; Left, Right,
// Mid and Len count characters, a malformed byte counting as a character of its own;
// UCase maps ASCII and the Latin-1 letters and leaves everything else as it is.
#include "platform/Runtime.h"

#include "platform/Errors.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace platform {

using utf8::ByteOffset;
using utf8::CharCount;
using utf8::CharSize;

namespace {

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

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

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
