#include "core/text/NumberText.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(LeadingDouble, TakesTheLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(leadingDouble("12,50"), 12.0);
    EXPECT_DOUBLE_EQ(leadingDouble("   7.5"), 7.5);
    EXPECT_DOUBLE_EQ(leadingDouble("\t-3.25 per hour"), -3.25);
    EXPECT_DOUBLE_EQ(leadingDouble("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingDouble("1e2x"), 100.0);
    EXPECT_DOUBLE_EQ(leadingDouble("45."), 45.0);
}

TEST(LeadingDouble, GivesZeroWithoutANumber) {
    EXPECT_EQ(leadingDouble(""), 0.0);
    EXPECT_EQ(leadingDouble("abc"), 0.0);
    EXPECT_EQ(leadingDouble("-"), 0.0);
    EXPECT_EQ(leadingDouble("."), 0.0);
    EXPECT_EQ(leadingDouble("inf"), 0.0);
    EXPECT_EQ(leadingDouble("nan"), 0.0);
    EXPECT_EQ(leadingDouble("1e999"), 0.0);
}

}  // namespace
}  // namespace ql
