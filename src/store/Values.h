// How values cross between the screens' Variants and the store's columns. Money, percentages
// and quantities are Currency raw values (scaled by 10 000) read with the runtime's CCur, so
// "1.234,56", the grid's "1234,56" and a 16-bit 0 all arrive exact; a value CCur refuses is a
// Refusal naming the field, never a half-stored row.
#pragma once

#include "platform/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// Upper case without accents, spaces at both ends removed (the runtime's Trim): the form in which
// names are compared, so "joão" finds "JOAO" and "Joãozinho".
std::string Fold(std::string_view text);

// The offset of the first byte of `text` that does not begin a well-formed UTF-8 character
// (no overlong forms, no surrogates, nothing past U+10FFFF); none when all of it is UTF-8.
std::optional<size_t> FirstInvalidUtf8(std::string_view text);
// The number of characters of a well-formed UTF-8 text.
size_t Utf8Length(std::string_view text);
// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined have no
// character: the offset of the first is returned instead through `undefinedAt`.
std::string FromWindows1252(std::string_view bytes, std::optional<size_t>& undefinedAt);

// Money, percentage or quantity: the raw Currency value. An empty (never set) value is 0.
int64_t ToMoney(const platform::Variant& value, std::string_view field);
// A code or number: a whole number from 0 to 2 147 483 647 (doubles and texts accepted when whole).
int64_t ToCode(const platform::Variant& value, std::string_view field);
// A code handed over as a double for a search: anything that is not a whole code is 0, "none".
int64_t CodeOrZero(double value);
// A text as given; numbers in the runtime's own text form.
std::string ToText(const platform::Variant& value);

platform::Variant MoneyValue(int64_t raw);
platform::Variant CodeValue(int64_t code);

// The text of a Variant for messages: what the caller handed over, quoted.
std::string Quoted(const platform::Variant& value);

} // namespace store
