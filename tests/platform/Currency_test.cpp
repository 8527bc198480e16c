#include "platform/Currency.h"
#include "platform/Errors.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using platform::Currency;

namespace {

using support::ErrorRaisedBy;

constexpr int64_t MaxRaw = std::numeric_limits<int64_t>::max();
constexpr int64_t MinRaw = std::numeric_limits<int64_t>::min();
constexpr double Infinity = std::numeric_limits<double>::infinity();

Currency Raw(int64_t raw)
{
    return Currency::FromRaw(raw);
}

TEST(Currency_Rounding, FromDoubleRoundsToFourPlacesTiesToEven)
{
    const std::pair<double, int64_t> rows[] = {
        {1.5, 15000},
        {0.00005, 0},
        {0.00015, 2},
        {0.00025, 2},
        {-0.00015, -2},
        {0.000051, 1},
        {2.675, 26750},
        {1234.56, 12345600},
        {-1234.5678, -12345678},
        {1e14, 1000000000000000000},
    };
    for (const auto& [value, raw] : rows) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Currency::FromDouble(value).Raw(), raw);
    }
    for (const double outside : {std::nan(""), Infinity, -Infinity, 922337203685478.0, -1e300})
        EXPECT_EQ(ErrorRaisedBy([=] { Currency::FromDouble(outside); }), platform::errOverflow);
}

TEST(Currency_Conversion, WholeNumbersAndDoublesRoundTrip)
{
    EXPECT_EQ(Currency::FromInteger(-7).Raw(), -70000);
    EXPECT_EQ(Currency::FromInteger(MaxRaw / 10000).Raw(), MaxRaw / 10000 * 10000);
    EXPECT_EQ(ErrorRaisedBy([] { Currency::FromInteger(MaxRaw / 10000 + 1); }),
              platform::errOverflow);
    EXPECT_EQ(ErrorRaisedBy([] { Currency::FromInteger(MinRaw / 10000 - 1); }),
              platform::errOverflow);
    EXPECT_EQ(Raw(12345600).ToDouble(), 1234.56);
    EXPECT_EQ(Raw(-1).ToDouble(), -0.0001);
}

TEST(Currency_Arithmetic, AddsAndSubtractsExactlyAndDetectsOverflow)
{
    EXPECT_EQ(Raw(1) + Raw(2), Raw(3)); // 0,0001 + 0,0002, where doubles would drift
    EXPECT_EQ(Raw(5000) - Raw(12345), Raw(-7345));
    EXPECT_EQ(-Raw(MaxRaw), Raw(MinRaw + 1));
    Currency total = Raw(10);
    total += Raw(5);
    total -= Raw(20);
    EXPECT_EQ(total, Raw(-5));

    const std::pair<const char*, void (*)()> overflows[] = {
        {"max + 1", [] { (void)(Raw(MaxRaw) + Raw(1)); }},
        {"min + -1", [] { (void)(Raw(MinRaw) + Raw(-1)); }},
        {"min - 1", [] { (void)(Raw(MinRaw) - Raw(1)); }},
        {"max - -1", [] { (void)(Raw(MaxRaw) - Raw(-1)); }},
        {"-min", [] { (void)(-Raw(MinRaw)); }},
    };
    for (const auto& [name, operation] : overflows)
        EXPECT_EQ(ErrorRaisedBy(operation), platform::errOverflow) << name;
}

TEST(Currency_Multiplication, RoundsTheExactProductTiesToEven)
{
    struct Row {
        int64_t left, right, product;
    };
    const Row rows[] = {
        {15000, 20000, 30000},   // 1,5 x 2 = 3
        {33333, 30000, 99999},   // 3,3333 x 3 = 9,9999
        {1, 5000, 0},            // 0,00005 -> 0
        {3, 5000, 2},            // 0,00015 -> 0,0002
        {1, 15000, 2},           // 0,00015 -> 0,0002
        {5, 5000, 2},            // 0,00025 -> 0,0002
        {-3, 5000, -2},          // ties are even on both sides of zero
        {1, 6000, 1},            // 0,00006 -> 0,0001
        {1, 1, 0},               // 0,00000001
        {-12345, -20000, 24690}, // signs multiply
        {MaxRaw, 10000, MaxRaw}, // times one
        {MinRaw, 10000, MinRaw},
    };
    for (const auto& row : rows)
        EXPECT_EQ((Raw(row.left) * Raw(row.right)).Raw(), row.product)
            << row.left << " x " << row.right;

    EXPECT_EQ(ErrorRaisedBy([] { (void)(Raw(MinRaw) * Raw(-10000)); }), platform::errOverflow);
    EXPECT_EQ(ErrorRaisedBy([] { (void)(Raw(MaxRaw) * Raw(10001)); }), platform::errOverflow);
    EXPECT_EQ(ErrorRaisedBy([] { (void)(Raw(MaxRaw) * Raw(MaxRaw)); }), platform::errOverflow);
}

} // namespace
