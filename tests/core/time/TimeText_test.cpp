#include "core/time/TimeText.h"

#include "core/support/ScopedLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace ql {
namespace {

class TimeTextIn : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    static std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0) {
        return calendar::fromLocal(y, mo, d, h, mi).value_or(0);
    }
};

TEST_P(TimeTextIn, GivesTheSameBytesInEveryLocale) {
    const test::ScopedLocale locale(GetParam());
    ASSERT_TRUE(locale.ok()) << GetParam() << " is not installed";
    const std::int32_t afternoon = at(1996, 12, 11, 14, 30);
    const std::int32_t morning = at(2005, 3, 7, 9, 5);
    EXPECT_EQ(dateText(afternoon, true), "12/11/1996");
    EXPECT_EQ(dateText(afternoon, false), "11/12/1996");
    EXPECT_EQ(dateText(calendar::Date{2038, 12, 31}, true), "12/31/2038");
    EXPECT_EQ(shortDateText(morning, true), "03/07/05");
    EXPECT_EQ(shortDateText(morning, false), "07/03/05");
    EXPECT_EQ(clockText(afternoon), "14:30");
    EXPECT_EQ(clockText(morning), "09:05");
    struct Case {
        int hour, minute;
        const char* text;
    };
    const Case twelveHour[] = {{0, 5, "12:05 AM"}, {9, 5, "09:05 AM"}, {11, 59, "11:59 AM"},
                               {12, 0, "12:00 PM"}, {14, 30, "02:30 PM"}, {23, 59, "11:59 PM"}};
    for (const Case& c : twelveHour)
        EXPECT_EQ(clock12Text(at(1996, 12, 11, c.hour, c.minute)), c.text) << c.hour << ":" << c.minute;

    // formatLocal serves the command line's own forms, and its %p must not vanish either.
    EXPECT_EQ(calendar::formatLocal(afternoon, "%Y-%m-%dT%H:%M:%S%z"), "1996-12-11T14:30:00-0500");
    EXPECT_EQ(calendar::formatLocal(afternoon, "%I:%M %p %y %Z %%"), "02:30 PM 96 EST %");
    EXPECT_EQ(calendar::formatLocal(at(1996, 7, 1, 8), "%z"), "-0400");
}

INSTANTIATE_TEST_SUITE_P(Locales, TimeTextIn, ::testing::ValuesIn(test::kTestLocales));

TEST(SpanText, ShowsTheHoursWithinADay) {
    struct Case {
        std::int64_t seconds;
        const char* text;
    };
    const Case cases[] = {{0, "00:00"},      {59, "00:00"},         {3660, "01:01"},  {86399, "23:59"},
                          {86400, "00:00"}, {90061, "01:01"},      {-60, "23:59"},   {2LL * 86400 + 7200, "02:00"}};
    for (const Case& c : cases) EXPECT_EQ(spanText(c.seconds), c.text) << c.seconds;
}

TEST(CalendarDates, StepAcrossMonthsYearsAndTheThirtyTwoBitEnds) {
    EXPECT_EQ(calendar::addDays({1996, 2, 28}, 1), (calendar::Date{1996, 2, 29}));
    EXPECT_EQ(calendar::addDays({1996, 12, 31}, 1), (calendar::Date{1997, 1, 1}));
    EXPECT_EQ(calendar::addDays({2038, 1, 18}, 6), (calendar::Date{2038, 1, 24}));
    EXPECT_EQ(calendar::addDays({1901, 12, 16}, -3), (calendar::Date{1901, 12, 13}));
    EXPECT_EQ(calendar::daysSinceMonday({1996, 12, 9}), 0);
    EXPECT_EQ(calendar::daysSinceMonday({1996, 12, 15}), 6);
    EXPECT_EQ(calendar::daysSinceMonday({2038, 1, 19}), 1);
}

}  // namespace
}  // namespace ql
