#include "core/time/TimeText.h"

#include "core/support/ScopedLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>
#include <string>

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

// Every date, clock and span form, one row each case, under each locale: the C library's
// locale (LC_NUMERIC, LC_TIME) must never reach a digit, a separator or "AM"/"PM".
TEST_P(TimeTextIn, EveryFormGivesTheSameBytesInEveryLocale) {
    const test::ScopedLocale locale(GetParam());
    ASSERT_TRUE(locale.ok()) << GetParam() << " is not installed";
    const std::int32_t afternoon = at(1996, 12, 11, 14, 30);
    const std::int32_t morning = at(2005, 3, 7, 9, 5);
    struct Case {
        const char* form;
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {"dateText month first", dateText(afternoon, true), "12/11/1996"},
        {"dateText day first", dateText(afternoon, false), "11/12/1996"},
        {"dateText of a date", dateText(calendar::Date{2038, 12, 31}, true), "12/31/2038"},
        {"shortDateText month first", shortDateText(morning, true), "03/07/05"},
        {"shortDateText day first", shortDateText(morning, false), "07/03/05"},
        {"shortDateText of a date", shortDateText(calendar::Date{1999, 12, 31}, false), "31/12/99"},
        {"shortDateText of year 2000", shortDateText(calendar::Date{2000, 1, 2}, true), "01/02/00"},

        {"clockText afternoon", clockText(afternoon), "14:30"},
        {"clockText morning", clockText(morning), "09:05"},
        {"clockText of fields", clockText(9, 5), "09:05"},
        {"clockText of midnight", clockText(0, 0), "00:00"},
        {"clockText of a chart's end", clockText(24, 0), "24:00"},

        {"clock12Text 00:05", clock12Text(at(1996, 12, 11, 0, 5)), "12:05 AM"},
        {"clock12Text 09:05", clock12Text(at(1996, 12, 11, 9, 5)), "09:05 AM"},
        {"clock12Text 11:59", clock12Text(at(1996, 12, 11, 11, 59)), "11:59 AM"},
        {"clock12Text 12:00", clock12Text(at(1996, 12, 11, 12, 0)), "12:00 PM"},
        {"clock12Text 14:30", clock12Text(at(1996, 12, 11, 14, 30)), "02:30 PM"},
        {"clock12Text 23:59", clock12Text(at(1996, 12, 11, 23, 59)), "11:59 PM"},
        {"clock12Text of fields, midnight", clock12Text(0, 0), "12:00 AM"},
        {"clock12Text of fields, noon", clock12Text(12, 0), "12:00 PM"},
        {"clock12Text of fields, 12:59", clock12Text(12, 59), "12:59 PM"},
        {"clock12Text of fields, 13:01", clock12Text(13, 1), "01:01 PM"},
        {"twelveHour 0", std::to_string(twelveHour(0)), "12"},
        {"twelveHour 12", std::to_string(twelveHour(12)), "12"},
        {"twelveHour 23", std::to_string(twelveHour(23)), "11"},
        {"meridiemText 11", meridiemText(11), "AM"},
        {"meridiemText 12", meridiemText(12), "PM"},

        // Wraps at a day, and a negative span as the clock does.
        {"spanText 0 s", spanText(0), "00:00"},
        {"spanText 59 s", spanText(59), "00:00"},
        {"spanText 3660 s", spanText(3660), "01:01"},
        {"spanText 86399 s", spanText(86399), "23:59"},
        {"spanText 86400 s", spanText(86400), "00:00"},
        {"spanText 90061 s", spanText(90061), "01:01"},
        {"spanText -60 s", spanText(-60), "23:59"},
        {"spanText two days and 2 h", spanText(2LL * 86400 + 7200), "02:00"},
        // Wraps at a day, the sign in front.
        {"signedSpanText 0 s", signedSpanText(0), "00:00"},
        {"signedSpanText 90061 s", signedSpanText(90061), "01:01"},
        {"signedSpanText 25 h 30 min", signedSpanText(25 * 3600 + 1800), "01:30"},
        {"signedSpanText -5400 s", signedSpanText(-5400), "-01:30"},
        {"signedSpanText -59 s", signedSpanText(-59), "-00:00"},
        {"signedSpanText -25 h", signedSpanText(-25 * 3600), "-01:00"},
        // Every hour, never wrapped.
        {"hoursMinutesText 0", hoursMinutesText(0), "00:00"},
        {"hoursMinutesText 65", hoursMinutesText(65), "01:05"},
        {"hoursMinutesText 1530", hoursMinutesText(1530), "25:30"},
        {"hoursMinutesText 6005", hoursMinutesText(6005), "100:05"},
        {"hoursMinutesText -90", hoursMinutesText(-90), "-01:30"},

        // Local ISO 8601; the offset's sign and both of its fields.
        {"isoDateText", isoDateText(afternoon), "1996-12-11"},
        {"isoDateText 2005", isoDateText(morning), "2005-03-07"},
        {"isoDateTimeText winter", isoDateTimeText({1996, 12, 11, 14, 30, 5}, -5 * 3600), "1996-12-11T14:30:05-05:00"},
        {"isoDateTimeText 1999", isoDateTimeText({1999, 12, 31, 23, 59, 59}, -5 * 3600), "1999-12-31T23:59:59-05:00"},
        {"isoDateTimeText UTC", isoDateTimeText({1970, 1, 1, 0, 0, 0}, 0), "1970-01-01T00:00:00+00:00"},
        {"isoDateTimeText half hour east", isoDateTimeText({2038, 1, 19, 8, 44, 7}, 5 * 3600 + 1800),
         "2038-01-19T08:44:07+05:30"},

        // formatLocal serves the command line's own forms, and its %p must not vanish either.
        {"formatLocal ISO", calendar::formatLocal(afternoon, "%Y-%m-%dT%H:%M:%S%z"), "1996-12-11T14:30:00-0500"},
        {"formatLocal 12-hour", calendar::formatLocal(afternoon, "%I:%M %p %y %Z %%"), "02:30 PM 96 EST %"},
        {"formatLocal midnight", calendar::formatLocal(at(1996, 12, 11, 0, 5), "%I %p"), "12 AM"},
        {"formatLocal summer offset", calendar::formatLocal(at(1996, 7, 1, 8), "%z"), "-0400"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, c.expected) << c.form;
}

INSTANTIATE_TEST_SUITE_P(Locales, TimeTextIn, ::testing::ValuesIn(test::kTestLocales));

// The appending forms add exactly what the returning form of the same name gives, after
// what out already holds.
TEST(TimeTextAppending, AddsTheReturningFormsBytesToWhatIsThere) {
    struct Case {
        const char* form;
        std::function<void(std::string&)> append;
        std::string expected;
    };
    const calendar::LocalTime iso{1999, 1, 9, 7, 5, 9};
    std::vector<Case> cases;
    for (const calendar::Date date : {calendar::Date{1999, 12, 31}, calendar::Date{2000, 1, 1},
                                      calendar::Date{1970, 1, 1}, calendar::Date{2038, 1, 19}})
        for (const bool monthFirst : {true, false})
            cases.push_back({"appendShortDateText", [=](std::string& out) { appendShortDateText(out, date, monthFirst); },
                             shortDateText(date, monthFirst)});
    for (const auto& [hour, minute] : {std::pair{0, 0}, std::pair{9, 5}, std::pair{12, 59}, std::pair{23, 59}}) {
        cases.push_back({"appendClockText", [=](std::string& out) { appendClockText(out, hour, minute); },
                         clockText(hour, minute)});
        cases.push_back({"appendClock12Text", [=](std::string& out) { appendClock12Text(out, hour, minute); },
                         clock12Text(hour, minute)});
    }
    for (const std::int64_t minutes : {0LL, 65LL, -90LL, 6005LL, 1000000000LL})
        cases.push_back({"appendHoursMinutesText", [=](std::string& out) { appendHoursMinutesText(out, minutes); },
                         hoursMinutesText(minutes)});
    for (const std::int32_t offset : {0, -4 * 3600, 3600 + 1800})
        cases.push_back({"appendIsoDateTimeText", [=](std::string& out) { appendIsoDateTimeText(out, iso, offset); },
                         isoDateTimeText(iso, offset)});
    for (const Case& c : cases) {
        std::string out = "line\t";
        c.append(out);
        EXPECT_EQ(out, "line\t" + c.expected) << c.form;
    }
}

// The writing forms put the same bytes at the pointer, within the room they promise, even for
// values beyond the usual widths.
TEST(TimeTextWriting, PutsTheReturningFormsBytes) {
    struct Case {
        const char* form;
        std::function<char*(char*)> put;
        std::string expected;
    };
    const calendar::LocalTime wide{-12345, 11, 30, 23, 59, 59};
    const std::vector<Case> cases{
        {"putShortDateText", [](char* p) { return putShortDateText(p, {2038, 1, 19}, true); },
         shortDateText(calendar::Date{2038, 1, 19}, true)},
        {"putShortDateText", [](char* p) { return putShortDateText(p, {1901, 12, 13}, false); },
         shortDateText(calendar::Date{1901, 12, 13}, false)},
        {"putClockText", [](char* p) { return putClockText(p, 24, 0); }, clockText(24, 0)},
        {"putClock12Text", [](char* p) { return putClock12Text(p, 0, 5); }, clock12Text(0, 5)},
        {"putClock12Text", [](char* p) { return putClock12Text(p, 12, 0); }, clock12Text(12, 0)},
        {"putHoursMinutesText", [](char* p) { return putHoursMinutesText(p, -1530); }, hoursMinutesText(-1530)},
        {"putHoursMinutesText", [](char* p) { return putHoursMinutesText(p, 4000000000000LL); },
         hoursMinutesText(4000000000000LL)},
        {"putIsoDateTimeText", [&](char* p) { return putIsoDateTimeText(p, wide, -(14 * 3600 + 45 * 60)); },
         isoDateTimeText(wide, -(14 * 3600 + 45 * 60))},
    };
    for (const Case& c : cases) {
        char buffer[kTimeTextRoom + 1];
        buffer[kTimeTextRoom] = '#';
        const char* end = c.put(buffer);
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(end - buffer)), c.expected) << c.form;
        EXPECT_EQ(buffer[kTimeTextRoom], '#') << c.form;
    }
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

namespace ql {
namespace {

TEST(DateOfText, ReadsBackExactlyTheFormDateTextWrites) {
    using calendar::Date;
    const struct {
        const char* text;
        bool monthFirst;
        std::optional<Date> date;
    } cases[] = {
        {"12/31/1996", true, Date{1996, 12, 31}},
        {"31/12/1996", false, Date{1996, 12, 31}},
        {"02/04/2026", true, Date{2026, 2, 4}},
        {"02/04/2026", false, Date{2026, 4, 2}},
        {"29/02/2024", false, Date{2024, 2, 29}},
        {"29/02/2026", false, std::nullopt},  // no such day
        {"31/04/2026", false, std::nullopt},
        {"12/31/1996", false, std::nullopt},  // month 31
        {"00/01/2026", true, std::nullopt},
        {"1/2/2026", true, std::nullopt},     // never written so
        {"01/02/26", true, std::nullopt},
        {"01-02-2026", true, std::nullopt},
        {"01/02/2026 ", true, std::nullopt},
        {"+1/02/2026", true, std::nullopt},
        {"01/ 2/2026", true, std::nullopt},
        {"", true, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(dateOfText(c.text, c.monthFirst), c.date) << c.text;
    // Every day of a leap year, written and read in both orders.
    for (Date d{2024, 1, 1}; d.year == 2024; d = calendar::addDays(d, 1))
        for (const bool monthFirst : {true, false}) EXPECT_EQ(dateOfText(dateText(d, monthFirst), monthFirst), d);
}

TEST(CompactAndHourTexts, WriteTheirDigitsInEveryLocale) {
    const test::ScopedLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.ok()) << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(compactDateText({1996, 12, 11}), "19961211");
    EXPECT_EQ(compactDateText({2026, 1, 5}), "20260105");
    EXPECT_EQ(compactDateText({987, 3, 4}), "09870304");
    const struct {
        std::int64_t minutes;
        const char* hours;
    } cases[] = {
        {90, "1.5000"},  {1, "0.0167"},   {2, "0.0333"},      {0, "0.0000"},        {-20, "-0.3333"},
        {-1, "-0.0167"}, {1800, "30.0000"}, {59, "0.9833"}, {100000000, "1666666.6667"},
    };
    for (const auto& c : cases) EXPECT_EQ(decimalHoursText(c.minutes), c.hours) << c.minutes;
}

}  // namespace
}  // namespace ql
