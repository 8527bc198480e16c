// UTF-8 characters (decisions in Utf8.h).
#include "platform/Utf8.h"

namespace platform::utf8 {

std::size_t CharSize(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t size = (lead & 0xE0) == 0xC0   ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 1;
    if (at + size > text.size())
        return 1;
    for (std::size_t next = at + 1; next < at + size; ++next) {
        if ((static_cast<unsigned char>(text[next]) & 0xC0) != 0x80)
            return 1;
    }
    return size;
}

std::size_t CharCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharSize(text, at))
        ++count;
    return count;
}

std::size_t ByteOffset(std::string_view text, std::size_t index)
{
    std::size_t at = 0;
    for (; index > 0 && at < text.size(); --index)
        at += CharSize(text, at);
    return at;
}

std::vector<std::string_view> Characters(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = CharSize(text, at);
        characters.push_back(text.substr(at, size));
        at += size;
    }
    return characters;
}

int32_t CodePoint(std::string_view character)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
    switch (character.size()) {
    case 2:
        return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    case 4:
        return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
               (byte(3) & 0x3F);
    default:
        return character.empty() ? 0 : byte(0);
    }
}

std::string Encode(uint16_t codePoint)
{
    const uint32_t code = codePoint;
    if (code < 0x80)
        return std::string(1, static_cast<char>(code));
    if (code < 0x800)
        return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

} // namespace platform::utf8
