// UTF-8 characters: the one rule every count, caret and selection of the platform and the
// controls on it follows, so Len and a box's SelLength always agree.
//
// Decisions:
// - A character is a lead byte followed by all the continuation bytes it announces (two to four
//   bytes in all). Any other byte counts as a character of its own: a stray continuation byte,
//   a lead byte whose continuations are missing or cut off by the end of the text, a byte that
//   no UTF-8 sequence begins with. Nothing is dropped or merged, so the bytes of a text always
//   equal the bytes of its characters.
// - Code points are not checked beyond that (an overlong form still counts as one character).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::utf8 {

// Bytes of the character starting at byte `at` (at < text.size()).
std::size_t CharSize(std::string_view text, std::size_t at);
std::size_t CharCount(std::string_view text);
// Byte offset of character `index` (from 0); the text's size when it has fewer characters.
std::size_t ByteOffset(std::string_view text, std::size_t index);
// The text cut into its characters, views into `text`.
std::vector<std::string_view> Characters(std::string_view text);

// The code point of one character; a malformed byte stands for itself (0x80 to 0xFF).
int32_t CodePoint(std::string_view character);
// The UTF-8 bytes of a code point from 0 to 0xFFFF.
std::string Encode(uint16_t codePoint);

} // namespace platform::utf8
