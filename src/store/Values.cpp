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
