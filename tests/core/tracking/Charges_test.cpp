#include "core/tracking/Charges.h"

#include <gtest/gtest.h>

#include <limits>

namespace ql {
namespace {

TEST(Charges, UnderAMinuteShowsAndChargesNothing) {
    EXPECT_EQ(wholeMinutes(59), 0);
    EXPECT_EQ(durationText(wholeMinutes(59)), "00:00");
    EXPECT_EQ(amountText("$", chargeFor(90.0, wholeMinutes(59))), "$0.00");
    EXPECT_EQ(wholeMinutes(119), 1);
}

TEST(Charges, SecondsAreTruncatedNotRounded) {
    const std::int32_t elapsed = 3 * 3600 + 5 * 60 + 59;
    EXPECT_EQ(wholeMinutes(elapsed), 185);
    EXPECT_EQ(durationText(wholeMinutes(elapsed)), "03:05");
    EXPECT_DOUBLE_EQ(chargeFor(60.0, 185), 185.0);
    EXPECT_EQ(amountText("$", chargeFor(25.0, 185)), "$77.08");
    EXPECT_EQ(wholeMinutes(-61), -1);
}

TEST(Charges, HoursGrowPastTwoDigits) {
    EXPECT_EQ(durationText(123 * 60), "123:00");
    EXPECT_EQ(durationText(6005), "100:05");
    EXPECT_EQ(durationText(0), "00:00");
    EXPECT_EQ(durationText(127), "02:07");
}

TEST(Charges, NegativeDurationsKeepTheirSignInFront) {
    EXPECT_EQ(durationText(-1), "-00:01");
    EXPECT_EQ(durationText(-125), "-02:05");
    EXPECT_EQ(durationText(std::numeric_limits<std::int64_t>::min()), "-153722867280912930:08");
}

TEST(Charges, AmountsAreNeverCutShort) {
    EXPECT_EQ(amountText("EUR ", 1234567.891), "EUR 1234567.89");
    EXPECT_EQ(amountText("", 1e20), "100000000000000000000.00");
    EXPECT_EQ(amountText("$", -2.5), "$-2.50");
}

}  // namespace
}  // namespace ql
