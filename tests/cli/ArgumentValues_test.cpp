#include "cli/ArgumentValues.h"
#include "cli/LocaleDefaults.h"

#include "core/time/Calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

namespace ql::cli {
namespace {

class DateTimeArgument : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    static std::int32_t parsed(const char* text) {
        const auto t = parseLocalDateTime("--start", text);
        EXPECT_TRUE(t) << text << ": " << t.status().message();
        return t ? *t : 0;
    }
};

TEST_F(DateTimeArgument, AcceptsMinutesOrSecondsAndASpaceOrT) {
    const std::int32_t tenAm = *calendar::fromLocal(1996, 12, 11, 10, 0, 0);
    EXPECT_EQ(parsed("1996-12-11 10:00"), tenAm);
    EXPECT_EQ(parsed("1996-12-11T10:00:00"), tenAm);
    EXPECT_EQ(parsed("1996-12-11 10:00:59"), tenAm + 59);
    EXPECT_EQ(parsed("1996-2-29 9:05"), *calendar::fromLocal(1996, 2, 29, 9, 5, 0));
}

TEST_F(DateTimeArgument, TheEndsOfThe32BitRangeAreExact) {
    EXPECT_EQ(parsed("2038-01-18 22:14:07"), std::numeric_limits<std::int32_t>::max());
    EXPECT_FALSE(parseLocalDateTime("--end", "2038-01-18 22:14:08"));
    EXPECT_EQ(parsed("1901-12-13 15:45:52"), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(parseLocalDateTime("--end", "1901-12-13 15:45:51"));
    EXPECT_EQ(parseLocalDateTime("--end", "2100-02-29 10:00").status().message(),
              "--end: '2100-02-29 10:00' is not a date and time that exists");
}

TEST_F(DateTimeArgument, TheRepeatedHourIsAcceptedTheSkippedHourIsNot) {
    EXPECT_FALSE(parseLocalDateTime("--start", "1996-04-07 02:00"));
    EXPECT_EQ(parsed("1996-04-07 03:00") - parsed("1996-04-07 01:59"), 60);
    EXPECT_TRUE(parseLocalDateTime("--start", "1996-10-27 01:30"));
}

TEST(NumberArguments, WholeTextOnly) {
    EXPECT_EQ(*parseInt32("--project", "-1"), -1);
    EXPECT_EQ(*parseInt32("--project", "2147483647"), 2147483647);
    for (const char* bad : {"", " 1", "1 ", "+1", "0x10", "1.0", "-"}) EXPECT_FALSE(parseInt32("--project", bad)) << bad;
    EXPECT_EQ(parseInt32("--project", "2147483648").status().message(), "--project: '2147483648' is out of range");
    EXPECT_EQ(*parseMinutes("--minutes", "35791394"), 35791394);
    EXPECT_FALSE(parseMinutes("--minutes", "35791395"));  // would overflow once counted in seconds
    EXPECT_DOUBLE_EQ(*parseAmount("--rate", "37.50"), 37.5);
    EXPECT_DOUBLE_EQ(*parseAmount("--rate", ".5"), 0.5);
    EXPECT_DOUBLE_EQ(*parseAmount("--rate", "40."), 40.0);
    for (const char* bad : {"", ".", "1.2.3", "1e3", "inf", "12,5", " 1", "-0.5"})
        EXPECT_FALSE(parseAmount("--rate", bad)) << bad;
    EXPECT_FALSE(parseAmount("--rate", std::string(400, '9')));
}

TEST(FieldText, LineBreaksAreStoredAsCrLfAndCountAgainstTheWidth) {
    EXPECT_EQ(*fieldText("--memo", "a\nb\r\nc", 10, TextKind::MultiLine), "a\r\nb\r\nc");
    EXPECT_EQ(displayedText("a\r\nb\r\nc\r"), "a\nb\nc\r");
    EXPECT_TRUE(fieldText("--memo", "abcdefgh\n", 11, TextKind::MultiLine));
    EXPECT_FALSE(fieldText("--memo", "abcdefgh\n", 10, TextKind::MultiLine));
    EXPECT_FALSE(fieldText("--name", "a\rb", 10, TextKind::SingleLine));
    EXPECT_FALSE(fieldText("--name", std::string("a\0b", 3), 10, TextKind::SingleLine));
    EXPECT_EQ(*fieldText("--name", "Zoë", 5, TextKind::SingleLine), "Zoë");  // 4 bytes in a 5-byte field
    EXPECT_EQ(*fieldText("--name", "Zoë!", 5, TextKind::SingleLine), "Zoë!");  // fits as 4 bytes of Windows-1252
    EXPECT_FALSE(fieldText("--name", "Zoω!", 5, TextKind::SingleLine));       // ω has no 8-bit form
}

TEST(LocaleDateOrder, MonthFirstOnlyWhenTheMonthLeads) {
    for (const char* pattern : {"%m/%d/%y", "%D", "%m/%d/%Y", "%b %e, %Y", "%-m/%-d/%y"})
        EXPECT_TRUE(isMonthFirstDatePattern(pattern)) << pattern;
    for (const char* pattern : {"%d/%m/%Y", "%d.%m.%Y", "%Y-%m-%d", "%F", "%y/%m/%d", "%e %B %Y", "", "%H:%M"})
        EXPECT_FALSE(isMonthFirstDatePattern(pattern)) << pattern;
}

}  // namespace
}  // namespace ql::cli
