// A civil date (no time of day): what the screens compare and what the store keeps as
// "DD/MM/YYYY" text.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Date {
    int Year = 1899;
    int Month = 12;
    int Day = 30;

    auto operator<=>(const Date&) const = default;

    // True for a day that exists in the proleptic Gregorian calendar, years 100 to 9999.
    bool IsValid() const;
    // Reads "D/M/YYYY" or "DD/MM/YYYY" (also with "-" or ".", the same one twice; blanks around
    // the date are ignored); nothing for any other text or for a day that does not exist
    // ("31/02/2026").
    static std::optional<Date> Parse(std::string_view text);
    // "DD/MM/YYYY".
    std::string ToText() const;

    // The runtime's date number: days since 30/12/1899 (31/12/1899 is 1, 29/12/1899 is -1).
    int32_t Serial() const;
    // The date of a date number; the caller keeps it within years 100 to 9999.
    static Date FromSerial(int32_t serial);
};

} // namespace platform
