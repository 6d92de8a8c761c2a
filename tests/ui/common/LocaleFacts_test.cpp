#include "ui/common/LocaleFacts.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleFacts, CurrencyAndDateOrderOfTheLocale) {
    const LocaleFacts us = localeFacts(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.currencySymbol, "$");
    EXPECT_TRUE(us.monthFirst);

    const LocaleFacts uk = localeFacts(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(uk.currencySymbol, "\u00A3");
    EXPECT_FALSE(uk.monthFirst);

    const LocaleFacts germany = localeFacts(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(germany.currencySymbol, "\u20AC");
    EXPECT_FALSE(germany.monthFirst);
}

TEST(LocaleFacts, YearFirstIsNotMonthFirst) {
    // Short dates such as 1996-12-11 put the month before the day, but not first.
    EXPECT_FALSE(localeFacts(QLocale(QLocale::Swedish, QLocale::Sweden)).monthFirst);
    EXPECT_FALSE(localeFacts(QLocale(QLocale::Japanese, QLocale::Japan)).monthFirst);
}

}  // namespace
