#include "core/reports/ReportPeriod.h"

#include "core/time/Calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace ql {
namespace {

class ReportPeriodTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    static std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        const auto t = calendar::fromLocal(y, mo, d, h, mi, s);
        EXPECT_TRUE(t.has_value());
        return t.value_or(0);
    }
    static std::string shown(std::int32_t t) { return calendar::formatLocal(t, "%m/%d/%Y %H:%M:%S"); }
    static std::string shown(const ReportPeriod& p) { return shown(p.start) + " - " + shown(p.end); }
    static std::string resolved(PeriodChoice c, std::int32_t now) {
        const auto p = ResolvePeriod(c, "garbage", "", true, now);
        EXPECT_TRUE(p.isOk()) << p.status().message();
        return p ? shown(*p) : "";
    }
};

TEST_F(ReportPeriodTest, FixedChoicesFollowTheCalendarOfNowAndIgnoreTheTexts) {
    const std::int32_t wednesday = at(1996, 12, 11, 10);
    EXPECT_EQ(resolved(PeriodChoice::ThisYear, wednesday), "01/01/1996 00:00:00 - 12/31/1996 23:59:59");
    EXPECT_EQ(resolved(PeriodChoice::ThisMonth, wednesday), "12/01/1996 00:00:00 - 12/31/1996 23:59:59");
    EXPECT_EQ(resolved(PeriodChoice::ThisWeek, wednesday), "12/09/1996 00:00:00 - 12/15/1996 23:59:59");
    EXPECT_EQ(resolved(PeriodChoice::Today, wednesday), "12/11/1996 00:00:00 - 12/11/1996 23:59:59");

    EXPECT_EQ(resolved(PeriodChoice::ThisWeek, at(1996, 12, 9, 0, 0, 0)), "12/09/1996 00:00:00 - 12/15/1996 23:59:59");
    EXPECT_EQ(resolved(PeriodChoice::ThisWeek, at(1996, 12, 15, 23, 59, 59)),
              "12/09/1996 00:00:00 - 12/15/1996 23:59:59");
    EXPECT_EQ(resolved(PeriodChoice::ThisMonth, at(1996, 2, 10, 15)), "02/01/1996 00:00:00 - 02/29/1996 23:59:59");
}

TEST_F(ReportPeriodTest, TypedDatesAreReadInTheFlagsOrderAndNormalised) {
    struct Case {
        const char* text;
        bool monthFirst;
        DayClock clock;
        const char* expected;
    };
    const Case cases[] = {
        {"05/03/1996", false, DayClock::Start, "03/05/1996 00:00:00"},
        {"05/03/1996", true, DayClock::Start, "05/03/1996 00:00:00"},
        {"02/30/1996", true, DayClock::Start, "03/01/1996 00:00:00"},
        {"13/1996", true, DayClock::Start, ""},
        {"13/5/1996", true, DayClock::End, "01/05/1997 23:59:59"},
        {"3/0/1996", true, DayClock::Start, "02/29/1996 00:00:00"},
        {"0/1/1997", true, DayClock::Start, "12/01/1996 00:00:00"},
        {"1/-1/1997", true, DayClock::Start, "12/30/1996 00:00:00"},
        {"1/400/1996", true, DayClock::Start, "02/03/1997 00:00:00"},
        {"  12/ 31/\t1996 and more", true, DayClock::End, "12/31/1996 23:59:59"},
        {"+4/+7/+1996", true, DayClock::Start, "04/07/1996 00:00:00"},  // a daylight-saving day
        {"4/7/1996", true, DayClock::End, "04/07/1996 23:59:59"},
        {"31/12/1996", false, DayClock::End, "12/31/1996 23:59:59"},
    };
    for (const Case& c : cases) {
        const auto t = ParseDateText(c.text, c.monthFirst, c.clock);
        if (*c.expected == '\0') {
            EXPECT_FALSE(t.isOk()) << c.text;
        } else {
            ASSERT_TRUE(t.isOk()) << c.text << ": " << t.status().message();
            EXPECT_EQ(shown(*t), c.expected) << c.text;
        }
    }
    EXPECT_EQ(*ParseDateText("4/7/1996", true, DayClock::End) - *ParseDateText("4/7/1996", true, DayClock::Start),
              23 * 3600 - 1);
}

TEST_F(ReportPeriodTest, TextsThatAreNoStorableDateAreRefusedNamingTheField) {
    const char* notDates[] = {"", "abc", "05-03-1996", "5 /3/1996", "5/3", "5/3/", "5//1996", "/5/3/1996"};
    for (const char* text : notDates) {
        const auto t = ParseDateText(text, true, DayClock::Start, MessageId::FieldFrom);
        ASSERT_FALSE(t.isOk()) << text;
        EXPECT_EQ(t.status().code(), StatusCode::InvalidArgument);
        EXPECT_NE(t.status().message().find("The From date \"" + std::string(text) + "\" is not a date"),
                  std::string::npos)
            << t.status().message();
    }
    const char* outOfRange[] = {"1/1/96", "1/1/2040", "1/20/2038", "12/1/1901", "1/1/99999999999999999999",
                                "99999999999/1/1996"};
    for (const char* text : outOfRange) {
        const auto t = ParseDateText(text, true, DayClock::Start, MessageId::FieldTo);
        ASSERT_FALSE(t.isOk()) << text;
        EXPECT_NE(t.status().message().find("The To date"), std::string::npos) << t.status().message();
        EXPECT_NE(t.status().message().find("outside the dates"), std::string::npos) << t.status().message();
    }
    EXPECT_TRUE(ParseDateText("1/17/2038", true, DayClock::End).isOk());
    EXPECT_TRUE(ParseDateText("1/18/2038", true, DayClock::Start).isOk());
    EXPECT_FALSE(ParseDateText("1/18/2038", true, DayClock::End).isOk());  // past 2^31 - 1 in this zone

    const auto badTo = ResolvePeriod(PeriodChoice::Custom, "1/1/1996", "1-1-1996", true, 0);
    ASSERT_FALSE(badTo.isOk());
    EXPECT_EQ(badTo.status().message().rfind("The To date", 0), 0u);
    const auto badFrom = ResolvePeriod(PeriodChoice::Custom, "x", "1/1/1996", true, 0);
    ASSERT_FALSE(badFrom.isOk());
    EXPECT_EQ(badFrom.status().message().rfind("The From date", 0), 0u);
}

TEST_F(ReportPeriodTest, CustomPeriodIncludesBothWholeDaysAndOnlyTheStartDecides) {
    const auto p = ResolvePeriod(PeriodChoice::Custom, "12/01/1996", "12/31/1996", true, 0);
    ASSERT_TRUE(p.isOk());
    EXPECT_EQ(shown(*p), "12/01/1996 00:00:00 - 12/31/1996 23:59:59");
    EXPECT_TRUE(InPeriod(at(1996, 12, 31, 23, 59, 59), *p));
    EXPECT_TRUE(InPeriod(at(1996, 12, 1, 0, 0, 0), *p));
    EXPECT_TRUE(InPeriod(at(1996, 12, 31, 23, 30), *p));  // ends next year, counts whole
    EXPECT_FALSE(InPeriod(at(1997, 1, 1, 0, 0, 0), *p));
    EXPECT_FALSE(InPeriod(at(1996, 11, 30, 23, 59, 59), *p));

    const auto inverted = ResolvePeriod(PeriodChoice::Custom, "12/31/1996", "01/01/1996", true, 0);
    ASSERT_TRUE(inverted.isOk());
    for (std::int32_t t = at(1995, 12, 31); t < at(1997, 1, 2); t += 3600) EXPECT_FALSE(InPeriod(t, *inverted));
}

TEST_F(ReportPeriodTest, ChoicesTextsAndDatesAsWritten) {
    EXPECT_EQ(periodChoiceFromIndex(0), PeriodChoice::ThisYear);
    EXPECT_EQ(periodChoiceFromIndex(4), PeriodChoice::Custom);
    EXPECT_EQ(periodChoiceFromIndex(5), std::nullopt);
    EXPECT_EQ(periodChoiceFromIndex(-1), std::nullopt);
    EXPECT_EQ(englishForm(kPeriodChoiceTexts[static_cast<int>(PeriodChoice::ThisWeek)]), "This Week");
    EXPECT_STREQ(defaultToText(true), "12/31/1996");
    EXPECT_STREQ(defaultToText(false), "31/12/1996");

    EXPECT_EQ(longDateText(at(1996, 3, 5, 23, 59, 59), true), "03/05/1996");
    EXPECT_EQ(longDateText(at(1996, 3, 5, 0, 0, 0), false), "05/03/1996");
    EXPECT_EQ(longDateText(at(2037, 12, 31, 12), false), "31/12/2037");
}

}  // namespace
}  // namespace ql
