// Civil dates: validity, the "DD/MM/YYYY" text and the date number. The day counts use the
// era-based proleptic Gregorian algorithm (400-year eras of 146 097 days, years starting in March
// so that the leap day ends the year).
#include "platform/Date.h"

#include "platform/Runtime.h"

#include <cstdio>

namespace platform {

namespace {

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 01/01/1970 to the given day.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date CivilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return Date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

const int64_t DayZero = DaysFromCivil(1899, 12, 30);

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads `minDigits` to `maxDigits` digits at `at`, advancing it; -1 when there are too few or too
// many.
int ReadNumber(std::string_view text, size_t& at, size_t minDigits, size_t maxDigits)
{
    int value = 0;
    size_t count = 0;
    while (at < text.size() && IsDigit(text[at])) {
        if (++count > maxDigits)
            return -1;
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return count < minDigits ? -1 : value;
}

} // namespace

bool Date::IsValid() const
{
    return Year >= 100 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 &&
           Day <= DaysInMonth(Year, Month);
}

std::optional<Date> Date::Parse(std::string_view text)
{
    text = TrimBlanks(text);

    size_t at = 0;
    const int day = ReadNumber(text, at, 1, 2);
    if (day < 0 || at >= text.size())
        return std::nullopt;
    const char separator = text[at++];
    if (separator != '/' && separator != '-' && separator != '.')
        return std::nullopt;
    const int month = ReadNumber(text, at, 1, 2);
    if (month < 0 || at >= text.size() || text[at++] != separator)
        return std::nullopt;
    const int year = ReadNumber(text, at, 4, 4);
    if (year < 0 || at != text.size())
        return std::nullopt;

    const Date date{year, month, day};
    if (!date.IsValid())
        return std::nullopt;
    return date;
}

std::string Date::ToText() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", Day, Month, Year);
    return text;
}

int32_t Date::Serial() const
{
    return static_cast<int32_t>(DaysFromCivil(Year, Month, Day) - DayZero);
}

Date Date::FromSerial(int32_t serial)
{
    return CivilFromDays(DayZero + serial);
}

} // namespace platform
