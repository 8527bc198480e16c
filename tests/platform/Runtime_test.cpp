#include "platform/Errors.h"
#include "platform/Runtime.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>

using namespace platform;

namespace platform {
void PrintTo(const Date& date, std::ostream* out)
{
    *out << date.Day << '/' << date.Month << '/' << date.Year;
}
} // namespace platform

namespace {

using support::ErrorRaisedBy;

constexpr int64_t MaxRaw = std::numeric_limits<int64_t>::max();
constexpr int64_t MinRaw = std::numeric_limits<int64_t>::min();

struct NumberTextRow {
    const char* text;
    int64_t raw;       // expected Currency, scaled by 10 000, when error is 0
    int32_t error = 0; // expected run-time error
};

TEST(CCur_Parsing, ReadsBrazilianTextExactlyAndRoundsTiesToEven)
{
    const NumberTextRow rows[] = {
        {"1.234,56", 12345600},
        {"-0,5", -5000},
        {"1.000", 10000000},
        {"12.345.678", 123456780000},
        {"0,0001", 1},
        {"0,00005", 0},
        {"0,00015", 2},
        {"0,000051", 1},
        {"-0,00015", -2},
        {"  12,5\t", 125000},
        {"+3", 30000},
        {",5", 5000},
        {"5,", 50000},
        {"0001234,5", 12345000},
        {"922.337.203.685.477,5807", MaxRaw},
        {"922.337.203.685.477,58074", MaxRaw},
        {"-922.337.203.685.477,5808", MinRaw},
        {"922.337.203.685.477,58075", 0, errOverflow},
        {"99999999999999999999", 0, errOverflow},
        {"", 0, errTypeMismatch},
        {"   ", 0, errTypeMismatch},
        {"12abc", 0, errTypeMismatch},
        {"R$ 5,00", 0, errTypeMismatch},
        {"1.5", 0, errTypeMismatch},
        {"1.00", 0, errTypeMismatch},
        {"1234.567", 0, errTypeMismatch},
        {"1.2345", 0, errTypeMismatch},
        {".5", 0, errTypeMismatch},
        {"1,2,3", 0, errTypeMismatch},
        {",", 0, errTypeMismatch},
        {"- 5", 0, errTypeMismatch},
        {"1e3", 0, errTypeMismatch},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ErrorRaisedBy([&] { CCur(row.text); }), row.error);
        if (row.error == 0) {
            EXPECT_EQ(CCur(row.text).Raw(), row.raw);
        }
        EXPECT_EQ(IsNumeric(row.text), row.error != errTypeMismatch);
    }
}

TEST(Conversions_OtherTypes, EmptyIsZeroTrueIsMinusOneNullRaises94)
{
    EXPECT_EQ(CCur(Variant()).Raw(), 0);
    EXPECT_EQ(CCur(true).Raw(), -10000);
    EXPECT_EQ(CDbl(true), -1.0);
    EXPECT_EQ(CInt(false), 0);
    EXPECT_EQ(CLng(Date{1900, 1, 1}), 2);
    EXPECT_FALSE(CBool(Variant()));
    for (const auto& convert : {+[] { CCur(Variant::Null()); }, +[] { CDbl(Variant::Null()); },
                                +[] { CInt(Variant::Null()); }, +[] { CLng(Variant::Null()); },
                                +[] { CBool(Variant::Null()); }, +[] { CStr(Variant::Null()); }})
        EXPECT_EQ(ErrorRaisedBy(convert), errInvalidUseOfNull);
    EXPECT_EQ(ErrorRaisedBy([] { CDbl(ObjectRef()); }), errTypeMismatch);
}

TEST(CDbl_Parsing, TextKeepsEveryDecimal)
{
    EXPECT_EQ(CDbl("1.234,56"), 1234.56);
    EXPECT_EQ(CDbl("-0,00001"), -0.00001);
    EXPECT_EQ(ErrorRaisedBy([] { CDbl("1,5x"); }), errTypeMismatch);
}

struct WholeRow {
    Variant value;
    int64_t expected;
    int32_t error = 0;
    bool isLong = false; // CLng's row; CInt's otherwise
};

TEST(CInt_CLng_Rounding, TiesGoToEvenAndRangeIsChecked)
{
    const WholeRow rows[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {2.5000001, 3},
        {"2,5", 2},
        {"2,50001", 3}, // read whole, not first rounded to four places
        {Currency::FromRaw(35000), 4},
        {Currency::FromRaw(25000), 2},
        {32767.4, 32767},
        {-32768.5, -32768},
        {"-32.768", -32768},
        {32767.5, 0, errOverflow},
        {-32768.6, 0, errOverflow},
        {int32_t{40000}, 0, errOverflow},
        {std::nan(""), 0, errOverflow},
        {"abc", 0, errTypeMismatch},
        {"2.147.483.647", 2147483647, 0, true},
        {-2147483648.5, -2147483648, 0, true},
        {2147483646.5, 2147483646, 0, true},
        {"2.147.483.648", 0, errOverflow, true},
        {2147483647.5, 0, errOverflow, true},
        {Currency::FromInteger(3000000000), 0, errOverflow, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        int64_t whole = 0;
        EXPECT_EQ(ErrorRaisedBy([&] { whole = row.isLong ? CLng(row.value) : CInt(row.value); }),
                  row.error);
        EXPECT_EQ(whole, row.expected);
    }
}

TEST(CBool_Conversion, ReadsWordsAndNumbers)
{
    EXPECT_TRUE(CBool(" Verdadeiro "));
    EXPECT_TRUE(CBool("true"));
    EXPECT_FALSE(CBool("FALSO"));
    EXPECT_FALSE(CBool("0,00"));
    EXPECT_TRUE(CBool("0,01"));
    EXPECT_TRUE(CBool(-0.5));
    EXPECT_EQ(ErrorRaisedBy([] { CBool("sim"); }), errTypeMismatch);
}

TEST(CStr_Text, WritesTheLocaleForm)
{
    const std::pair<Variant, const char*> rows[] = {
        {int16_t{7}, "7"},
        {1234.5, "1234,5"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {-0.0, "0"},
        {1e20, "100000000000000000000"},
        {-1.5e-7, "-0,00000015"},
        {Currency::FromRaw(125000), "12,5"},
        {Currency::FromRaw(-1), "-0,0001"},
        {Currency::FromRaw(MinRaw), "-922337203685477,5808"},
        {true, "Verdadeiro"},
        {Date{2026, 3, 5}, "05/03/2026"},
        {Variant(), ""},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(CStr(value), expected);
}

struct FormatRow {
    Variant value;
    const char* format;
    const char* expected;
};

TEST(Format_Number, RoundsHalfAwayFromZeroWithPeriodThousands)
{
    const FormatRow rows[] = {
        {1234567.891, "#,##0.00", "1.234.567,89"},
        {-5, "#,##0.00", "-5,00"},
        {0.005, "#,##0.00", "0,01"},
        {2.675, "#,##0.00", "2,68"},
        {-0.005, "#,##0.00", "-0,01"},
        {-0.004, "#,##0.00", "0,00"},
        {999.995, "#,##0.00", "1.000,00"},
        {Currency::FromRaw(26750), "#,##0.00", "2,68"},
        {Currency::FromRaw(26749), "#,##0.00", "2,67"},
        {Currency::FromRaw(MaxRaw), "#,##0.00", "922.337.203.685.477,58"},
        {1.2345, "#,##0.000", "1,235"},
        {2.5, "0", "3"},
        {true, "0", "-1"},
        {1234.5, "0.00", "1234,50"},
        {1234567, "#,##0", "1.234.567"},
        {1.5, "0.0#", "1,5"},
        {1.256, "0.0#", "1,26"},
        {"1.234,5", "#,##0.00", "1.234,50"},
        {"  -0,125 ", "#,##0.00", "-0,13"},
        {"1,5 kg", "#,##0.00", "1,5 kg"},
        {"", "#,##0.00", ""},
        {Variant(), "#,##0.00", ""},
        {Variant::Null(), "#,##0.00", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Format(row.value, row.format), row.expected) << "row " << &row - rows;
    EXPECT_EQ(ErrorRaisedBy([] { Format(1, "R$ #"); }), errInvalidProcedureCall);
    EXPECT_EQ(ErrorRaisedBy([] { Format(1, "#,##0,"); }), errInvalidProcedureCall);
}

TEST(Format_Date, WritesDayMonthYearForDatesAndDateTexts)
{
    const FormatRow rows[] = {
        {Date{2026, 3, 5}, "DD/MM/YYYY", "05/03/2026"},
        {Date{2028, 2, 29}, "dd/mm/yyyy", "29/02/2028"},
        {"5-3-2026", "DD/MM/YYYY", "05/03/2026"},
        {"31/02/2026", "DD/MM/YYYY", "31/02/2026"},
        {"amanhã", "DD/MM/YYYY", "amanhã"},
        {int32_t{1}, "DD/MM/YYYY", "31/12/1899"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Format(row.value, row.format), row.expected) << "row " << &row - rows;
}

TEST(Date_Parsing, AcceptsDayMonthYearWithOneSeparator)
{
    const std::pair<const char*, std::optional<Date>> rows[] = {
        {"05/03/2026", Date{2026, 3, 5}},  {"5/3/2026", Date{2026, 3, 5}},
        {"5.3.2026", Date{2026, 3, 5}},    {" 29-02-2028 ", Date{2028, 2, 29}},
        {"29/02/2000", Date{2000, 2, 29}}, {"29/02/1900", std::nullopt},
        {"31/02/2026", std::nullopt},      {"31/04/2026", std::nullopt},
        {"0/1/2026", std::nullopt},        {"1/13/2026", std::nullopt},
        {"1/1/26", std::nullopt},          {"1/1/0099", std::nullopt},
        {"5/3-2026", std::nullopt},        {"005/03/2026", std::nullopt},
        {"05/03/2026x", std::nullopt},     {"", std::nullopt},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Date::Parse(text), expected);
        EXPECT_EQ(IsDate(text), expected.has_value());
        EXPECT_EQ(ErrorRaisedBy([&] { CDate(text); }), expected ? 0 : errTypeMismatch);
    }
}

TEST(Date_Serial, CountsDaysFromTheEndOf1899)
{
    EXPECT_EQ(Date{}.Serial(), 0);
    EXPECT_EQ((Date{1899, 12, 31}.Serial()), 1);
    EXPECT_EQ((Date{1900, 3, 1}.Serial()), 61);
    for (const Date date :
         {Date{100, 1, 1}, Date{1600, 2, 29}, Date{2026, 3, 5}, Date{9999, 12, 31}})
        EXPECT_EQ(Date::FromSerial(date.Serial()), date);
    EXPECT_EQ(CDate(-1.9), (Date{1899, 12, 29}));
    EXPECT_EQ(ErrorRaisedBy([] { CDate(1e7); }), errOverflow);
}

TEST(Val_LeadingNumber, ReadsPeriodDecimalsAndSkipsBlanks)
{
    const std::pair<const char*, double> rows[] = {
        {"12abc", 12}, {"", 0},        {"1.5", 1.5},       {"1,5", 1},         {"&H1F", 31},
        {"&hff", 255}, {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536}, {"&O17", 15},
        {"-3", -3},    {"  4 5", 45},  {"\t-\t7", -7},     {"1e3", 1000},      {"2D-2", 0.02},
        {"1e", 1},     {"1.2.3", 1.2}, {".5", 0.5},        {"abc", 0},         {"1e-400", 0},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(Val(text), expected);
    }
    EXPECT_EQ(ErrorRaisedBy([] { Val("1e400"); }), errOverflow);
    EXPECT_EQ(ErrorRaisedBy([] { Val("&H123456789"); }), errOverflow);
}

TEST(IsNumeric_Types, NumbersAndBooleansButNotDates)
{
    EXPECT_TRUE(IsNumeric(Variant()));
    EXPECT_TRUE(IsNumeric(true));
    EXPECT_TRUE(IsNumeric(Currency()));
    EXPECT_FALSE(IsNumeric(Variant::Null()));
    EXPECT_FALSE(IsNumeric(Date{2026, 1, 1}));
    // CDbl raises 6 on these, so they are no number; one digit fewer than the double's range is.
    EXPECT_FALSE(IsNumeric(std::string(400, '9')));
    EXPECT_FALSE(IsNumeric("-" + std::string(309, '9') + ",5"));
    EXPECT_TRUE(IsNumeric(std::string(308, '9')));
    EXPECT_TRUE(IsNumeric("0," + std::string(400, '0') + "1"));
    EXPECT_TRUE(IsDate(Date{2026, 1, 1}));
    EXPECT_FALSE(IsDate(45000));
}

TEST(Text_Characters, CountsUtf8CharactersNeverSplittingOne)
{
    EXPECT_EQ(Len("joão"), 4);
    EXPECT_EQ(Left("joão", 3), "joã");
    EXPECT_EQ(Right("ação", 3), "ção");
    EXPECT_EQ(Mid("ação!", 3), "ão!");
    EXPECT_EQ(Mid("ação!", 2, 2), "çã");
    EXPECT_EQ(Mid("abc", 9), "");
    EXPECT_EQ(Left("abc", 10), "abc");
    for (const auto& call : {+[] { Left("a", -1); }, +[] { Right("a", -1); }, +[] { Mid("a", 0); },
                             +[] { Mid("a", 1, -1); }, +[] { Space(-1); }})
        EXPECT_EQ(ErrorRaisedBy(call), errInvalidProcedureCall);
}

TEST(Text_Editing, TrimsReplacesPadsAndUpperCasesAsciiAndLatin1Letters)
{
    EXPECT_EQ(UCase("joão ç àéîõü ÿ ß ÷ 1"), "JOÃO Ç ÀÉÎÕÜ Ÿ ß ÷ 1");
    EXPECT_EQ(Trim("  a b \t "), "a b \t");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim("  a "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Replace("1.234.567", ".", ""), "1234567");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Space(3), "   ");
}

} // namespace
