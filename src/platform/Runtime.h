// The runtime's conversions, with the Brazilian rules: comma as decimal separator, period for
// thousands. Number texts read exactly into Currency; five or more decimals round to four, ties
// to even. Format rounds for display half away from zero (0,005 -> "0,01", 2,675 -> "2,68"),
// and a double is first taken at 15 significant digits, so 2.675 formats as the 2,675 it shows.
// Texts are UTF-8; Left, Right, Mid and Len count characters, not bytes.
//
// Number texts: an optional sign, whole digits ungrouped or in groups of three separated by
// periods ("1.234.567"), an optional comma and decimals, blanks around; nothing else ("R$", "1.5",
// "1e3" are not numbers). Empty reads as 0, "" and false; null raises 94 (Invalid use of Null) in
// every conversion.
#pragma once

#include "platform/Variant.h"

#include <string>
#include <string_view>

namespace platform {

// The leading number of a text, read with a period as decimal point as Val does ("12abc" is 12,
// "" is 0, "1,5" is 1, "1e3" is 1000, "&H1F" is 31, "&HFFFF" is -1); blanks, tabs and line feeds
// are skipped anywhere.
double Val(std::string_view text);

// Texts that are no number raise 13, values out of range raise 6; true reads as -1.
Currency CCur(const Variant& value);
double CDbl(const Variant& value);  // a text keeps all its decimals
int16_t CInt(const Variant& value); // ties to even; out of range raises 6
int32_t CLng(const Variant& value); // ties to even; out of range raises 6
bool CBool(const Variant& value);   // also "Verdadeiro"/"Falso" and "True"/"False"
// The locale's text: 1234,5 not 1.234,50, a double at up to 15 significant digits and never in
// exponent form; true "Verdadeiro"; a date "DD/MM/YYYY".
std::string CStr(const Variant& value);
// A date text as Date::Parse reads it, or a date number (days since 30/12/1899).
Date CDate(const Variant& value);

// The formats the screens use: "#,##0.00", "#,##0.000", "0", "DD/MM/YYYY" (also "dd/mm/yyyy").
// Number formats are read generally: "0" and "#" placeholders, "," among the whole ones for
// thousands, "." before the decimals ("#" decimals are dropped when zero); any other format
// raises 5. A text value is first read as a number (or a date for the date format); a text that
// is neither is returned unchanged, as the runtime does. Empty and null give "".
std::string Format(const Variant& value, std::string_view format);

// True where CDbl raises neither 13 nor 94: numbers, true/false, empty and number texts; not
// dates.
bool IsNumeric(const Variant& value);
// A date, or a text Date::Parse reads.
bool IsDate(const Variant& value);

// Spaces and tabs: the blanks that may surround a typed number or date, removed from both ends.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
std::string_view TrimBlanks(std::string_view text);
// Trim and its halves remove spaces only, as the runtime does.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string UCase(std::string_view text); // also accented letters: "joão" -> "JOÃO"
std::string Left(std::string_view text, int32_t length);
std::string Right(std::string_view text, int32_t length);
std::string Mid(std::string_view text, int32_t start);                 // 1-based
std::string Mid(std::string_view text, int32_t start, int32_t length); // 1-based
int32_t Len(std::string_view text);
// Negative lengths in Left, Right, Mid and Space, and a Mid start below 1, raise 5.
std::string Replace(std::string_view text, std::string_view find, std::string_view with);
std::string Space(int32_t count);

} // namespace platform
