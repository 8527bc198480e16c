#include "store/Values.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"
#include "store/Sqlite.h"

#include <cmath>
#include <limits>

namespace store {

namespace {

// The base letter(s) of a Latin-1 letter with diacritics, upper case; nullptr keeps the letter.
const char* BaseOfLatin1(char32_t c)
{
    static const char* const kTable[64] = {
        // U+00C0 .. U+00FF
        "A", "A", "A", "A", "A", "A", "AE", "C",     "E", "E", "E", "E", "I", "I", "I",  "I",
        "D", "N", "O", "O", "O", "O", "O",  nullptr, "O", "U", "U", "U", "U", "Y", "TH", "SS",
        "A", "A", "A", "A", "A", "A", "AE", "C",     "E", "E", "E", "E", "I", "I", "I",  "I",
        "D", "N", "O", "O", "O", "O", "O",  nullptr, "O", "U", "U", "U", "U", "Y", "TH", "Y",
    };
    return c >= 0xC0 && c <= 0xFF ? kTable[c - 0xC0] : nullptr;
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `i`; an invalid byte is kInvalid of length 1, copied unchanged.
char32_t Decode(std::string_view text, size_t& i, size_t& length)
{
    auto byte = static_cast<unsigned char>(text[i]);
    length = 1;
    if (byte < 0x80) {
        return byte;
    }
    int extra = (byte & 0xE0) == 0xC0   ? 1
                : (byte & 0xF0) == 0xE0 ? 2
                : (byte & 0xF8) == 0xF0 ? 3
                                        : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
        return kInvalid;
    }
    char32_t code = byte & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            return kInvalid;
        }
        code = (code << 6) | (next & 0x3F);
    }
    length = static_cast<size_t>(extra) + 1;
    return code;
}

} // namespace

std::string Fold(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = 1;
        char32_t c = Decode(text, i, length);
        if (c < 0x80) {
            folded +=
                (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
        } else if (const char* base = BaseOfLatin1(c)) {
            folded += base;
        } else {
            folded.append(text.substr(i, length));
        }
        i += length;
    }
    return platform::Trim(folded);
}

std::optional<size_t> FirstInvalidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        size_t extra = (byte & 0xE0) == 0xC0   ? 1
                       : (byte & 0xF0) == 0xE0 ? 2
                       : (byte & 0xF8) == 0xF0 ? 3
                                               : 0;
        if (extra == 0 || i + extra >= text.size()) {
            return i;
        }
        char32_t code = byte & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return i;
            }
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return i;
        }
        i += extra + 1;
    }
    return std::nullopt;
}

size_t Utf8Length(std::string_view text)
{
    size_t length = 0;
    for (char c : text) {
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return length;
}

std::string FromWindows1252(std::string_view bytes, std::optional<size_t>& undefinedAt)
{
    // U+0080 .. U+009F of the code page; 0 where it defines no character.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    undefinedAt.reset();
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        char32_t code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
        if (code == 0) {
            if (byte != 0) {
                undefinedAt = i;
                return {};
            }
            text += '\0';
        } else if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (code >> 12));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string Quoted(const platform::Variant& value)
{
    try {
        return "'" + platform::CStr(value) + "'";
    } catch (const platform::RuntimeError&) {
        return "(valor ilegível)";
    }
}

int64_t ToMoney(const platform::Variant& value, std::string_view field)
{
    if (value.IsEmpty()) {
        return 0;
    }
    try {
        return platform::CCur(value).Raw();
    } catch (const platform::RuntimeError&) {
        throw Refusal("O valor " + Quoted(value) + " informado em " + std::string(field) +
                      " não é um número válido.");
    }
}

int64_t ToCode(const platform::Variant& value, std::string_view field)
{
    int64_t raw = ToMoney(value, field);
    if (raw % platform::Currency::Scale != 0 || raw < 0 ||
        raw / platform::Currency::Scale > std::numeric_limits<int32_t>::max()) {
        throw Refusal("O valor " + Quoted(value) + " informado em " + std::string(field) +
                      " não é um código válido.");
    }
    return raw / platform::Currency::Scale;
}

int64_t CodeOrZero(double value)
{
    if (!(value >= 1) || value > std::numeric_limits<int32_t>::max() ||
        value != std::floor(value)) {
        return 0;
    }
    return static_cast<int64_t>(value);
}

std::string ToText(const platform::Variant& value)
{
    try {
        return platform::CStr(value);
    } catch (const platform::RuntimeError&) {
        return {};
    }
}

platform::Variant MoneyValue(int64_t raw)
{
    return platform::Variant(platform::Currency::FromRaw(raw));
}

platform::Variant CodeValue(int64_t code)
{
    return platform::Variant(static_cast<int32_t>(code));
}

} // namespace store
