#include "core/time/Calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

namespace ql::calendar {
namespace {

class CalendarIn : public ::testing::Test {
protected:
    static void zone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }
    static std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        const auto t = fromLocal(y, mo, d, h, mi, s);
        EXPECT_TRUE(t.has_value()) << y << "-" << mo << "-" << d;
        return t.value_or(0);
    }
    static std::string shown(std::int32_t t) { return formatLocal(t, "%Y-%m-%d %H:%M:%S %Z"); }
};

constexpr std::int32_t kDay = 86400;

TEST_F(CalendarIn, WeekOfAWednesdayAndOfASundayRunsMondayToSunday) {
    zone("America/New_York");
    const std::int32_t wednesday = at(1996, 12, 11, 10);
    EXPECT_EQ(wednesday, 850316400);
    EXPECT_EQ(shown(weekStart(wednesday)), "1996-12-09 00:00:00 EST");
    EXPECT_EQ(shown(weekEnd(wednesday)), "1996-12-15 23:59:59 EST");

    const std::int32_t sunday = at(1996, 12, 15, 23, 30);
    EXPECT_EQ(weekStart(sunday), weekStart(wednesday));
    EXPECT_EQ(weekEnd(sunday), weekEnd(wednesday));

    const std::int32_t monday = at(1996, 12, 16, 0, 0, 0);
    EXPECT_EQ(weekStart(monday), monday);
    EXPECT_EQ(weekStart(monday), weekEnd(sunday) + 1);
}

TEST_F(CalendarIn, February1996HasTwentyNineDays) {
    zone("America/New_York");
    EXPECT_EQ(daysInMonth(2, 1996), 29);
    EXPECT_EQ(daysInMonth(2, 1997), 28);
    EXPECT_EQ(daysInMonth(2, 2000), 29);
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(4, 1996), 30);
    EXPECT_EQ(daysInMonth(12, 1996), 31);
    const std::int32_t t = at(1996, 2, 10, 15);
    EXPECT_EQ(formatLocal(monthStart(t), datePattern(true)), "02/01/1996");
    EXPECT_EQ(formatLocal(monthEnd(t), datePattern(true)), "02/29/1996");
    EXPECT_EQ(shown(monthEnd(t)), "1996-02-29 23:59:59 EST");
    EXPECT_EQ(formatLocal(monthEnd(t), datePattern(false)), "29/02/1996");
    EXPECT_EQ(nextDay(at(1996, 2, 28, 9)), at(1996, 2, 29, 9));
    EXPECT_EQ(previousDay(at(1996, 3, 1, 9)), at(1996, 2, 29, 9));
}

TEST_F(CalendarIn, DaysMonthsAndYearsRollOver) {
    zone("America/New_York");
    EXPECT_EQ(previousDay(at(1997, 1, 1, 8, 15)), at(1996, 12, 31, 8, 15));
    EXPECT_EQ(nextDay(at(1996, 12, 31, 8, 15)), at(1997, 1, 1, 8, 15));
    EXPECT_EQ(nextDay(at(1996, 4, 30, 12)), at(1996, 5, 1, 12));
    const std::int32_t t = at(1996, 7, 4, 12);
    EXPECT_EQ(shown(yearStart(t)), "1996-01-01 00:00:00 EST");
    EXPECT_EQ(shown(yearEnd(t)), "1996-12-31 23:59:59 EST");
    EXPECT_EQ(shown(monthStart(t)), "1996-07-01 00:00:00 EDT");
    EXPECT_EQ(shown(monthEnd(t)), "1996-07-31 23:59:59 EDT");
}

TEST_F(CalendarIn, NewYorkDaylightSavingDaysAndWeeks) {
    zone("America/New_York");
    // Spring: Sunday 7 April 1996, 02:00 EST -> 03:00 EDT; the day lasts 23 hours.
    const std::int32_t spring = at(1996, 4, 7, 12);
    EXPECT_EQ(dayStart(spring), 828853200);
    EXPECT_EQ(dayEnd(spring), 828935999);
    EXPECT_EQ(dayEnd(spring) - dayStart(spring) + 1, 23 * 3600);
    EXPECT_EQ(weekStart(spring), 828334800);  // Monday 1 April, 00:00 EST
    EXPECT_EQ(weekEnd(spring), dayEnd(spring));
    EXPECT_EQ(weekEnd(spring) - weekStart(spring) + 1, 7 * kDay - 3600);
    EXPECT_EQ(nextDay(at(1996, 4, 6, 10)) - at(1996, 4, 6, 10), 23 * 3600);
    EXPECT_EQ(shown(nextDay(at(1996, 4, 6, 10))), "1996-04-07 10:00:00 EDT");
    // 02:30 does not exist on 7 April; the next day of 02:30 on the 6th still lands on the 7th.
    EXPECT_EQ(toLocal(nextDay(at(1996, 4, 6, 2, 30))).day, 7);

    // Autumn: Sunday 27 October 1996, 02:00 EDT -> 01:00 EST; the day lasts 25 hours.
    const std::int32_t autumn = at(1996, 10, 27, 12);
    EXPECT_EQ(dayStart(autumn), 846388800);
    EXPECT_EQ(dayEnd(autumn), 846478799);
    EXPECT_EQ(dayEnd(autumn) - dayStart(autumn) + 1, 25 * 3600);
    EXPECT_EQ(weekStart(autumn), 845870400);  // Monday 21 October, 00:00 EDT
    EXPECT_EQ(weekEnd(autumn) - weekStart(autumn) + 1, 7 * kDay + 3600);
    EXPECT_EQ(weekStart(at(1996, 10, 28, 9)), weekEnd(autumn) + 1);
    EXPECT_EQ(previousDay(at(1996, 10, 28, 10)), at(1996, 10, 27, 10));
    EXPECT_EQ(shown(previousDay(at(1996, 10, 28, 10))), "1996-10-27 10:00:00 EST");
    EXPECT_EQ(shown(monthEnd(autumn)), "1996-10-31 23:59:59 EST");
}

TEST_F(CalendarIn, BerlinDaylightSavingDaysAndWeeks) {
    zone("Europe/Berlin");
    // Spring: Sunday 31 March 1996, 02:00 CET -> 03:00 CEST.
    const std::int32_t spring = at(1996, 3, 31, 12);
    EXPECT_EQ(dayStart(spring), 828226800);
    EXPECT_EQ(dayEnd(spring), 828309599);
    EXPECT_EQ(weekStart(spring), 827708400);  // Monday 25 March, 00:00 CET
    EXPECT_EQ(weekEnd(spring), dayEnd(spring));
    EXPECT_EQ(weekStart(at(1996, 4, 1, 0, 0, 1)), weekEnd(spring) + 1);
    EXPECT_EQ(nextDay(at(1996, 3, 30, 22)) - at(1996, 3, 30, 22), 23 * 3600);

    // Autumn: Sunday 27 October 1996, 03:00 CEST -> 02:00 CET.
    const std::int32_t autumn = at(1996, 10, 27, 12);
    EXPECT_EQ(dayStart(autumn), 846367200);
    EXPECT_EQ(dayEnd(autumn), 846457199);
    EXPECT_EQ(weekStart(autumn), 845848800);  // Monday 21 October, 00:00 CEST
    EXPECT_EQ(weekEnd(autumn) - weekStart(autumn) + 1, 7 * kDay + 3600);
    EXPECT_EQ(shown(weekEnd(at(1996, 10, 23, 9))), "1996-10-27 23:59:59 CET");
}

TEST_F(CalendarIn, RepeatedHourResolvesToTheEarlierInstantWhateverCameBefore) {
    zone("America/New_York");
    // The platform's mktime chooses between the two 01:30s by the previous call's offset.
    (void)at(1996, 7, 1, 12);
    const auto afterSummer = fromLocal(1996, 10, 27, 1, 30);
    (void)at(1996, 12, 1, 12);
    const auto afterWinter = fromLocal(1996, 10, 27, 1, 30);
    EXPECT_EQ(afterSummer, std::optional<std::int32_t>(846394200));
    EXPECT_EQ(afterWinter, afterSummer);
    (void)at(1996, 12, 1, 12);
    EXPECT_EQ(nextDay(at(1996, 10, 26, 1, 30)), 846394200);
}

TEST_F(CalendarIn, ZonesThatMoveTheClockAtMidnightKeepDaysContiguous) {
    zone("America/Sao_Paulo");
    // 4 November 2018: 00:00 -03 -> 01:00 -02, so the day starts at 01:00.
    const std::int32_t november4 = at(2018, 11, 4, 12);
    EXPECT_EQ(dayStart(november4), 1541300400);
    EXPECT_EQ(dayEnd(at(2018, 11, 3, 12)) + 1, dayStart(november4));
    EXPECT_EQ(toLocal(nextDay(at(2018, 11, 3, 0, 30))).day, 4);
    EXPECT_EQ(toLocal(previousDay(at(2018, 11, 5, 0, 30))).day, 4);

    // 18 February 2018: 00:00 -02 -> 23:00 -03 of the 17th, which sees 23:xx twice and must end
    // after the second time, whichever offset the previous call left behind.
    (void)at(2018, 1, 1, 12);
    EXPECT_EQ(dayEnd(at(2018, 2, 17, 12)), 1518922799);
    (void)at(2018, 7, 1, 12);
    EXPECT_EQ(dayEnd(at(2018, 2, 17, 12)), 1518922799);
    EXPECT_EQ(dayStart(at(2018, 2, 18, 12)), 1518922800);
}

TEST_F(CalendarIn, FromLocalRefusesFieldsThatNameNoDate) {
    zone("America/New_York");
    EXPECT_FALSE(fromLocal(1996, 2, 30).has_value());
    EXPECT_FALSE(fromLocal(1997, 2, 29).has_value());
    EXPECT_FALSE(fromLocal(1996, 13, 1).has_value());
    EXPECT_FALSE(fromLocal(1996, 1, 1, 24).has_value());
    EXPECT_FALSE(fromLocal(2040, 1, 1).has_value());
    EXPECT_TRUE(fromLocal(1996, 2, 29).has_value());
    EXPECT_EQ(toLocal(at(1996, 12, 11, 10)).weekday, 3);
}

TEST_F(CalendarIn, ResultsBeyondThirtyTwoBitsArePinned) {
    zone("UTC");
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(yearEnd(kMax), kMax);
    EXPECT_EQ(weekEnd(kMax), kMax);
    EXPECT_EQ(nextDay(kMax), kMax);
    EXPECT_EQ(weekStart(kMin), kMin);  // Friday 13 December 1901
    EXPECT_EQ(dayEnd(kMin), kMin + (86400 - (20 * 3600 + 45 * 60 + 52)) - 1);
}

}  // namespace
}  // namespace ql::calendar
