#include "core/chart/TimeFrameForm.h"

#include "ChartTestSupport.h"

namespace ql {
namespace {

using test::at;

class TimeFrameFormTest : public ::testing::Test {
protected:
    test::PinnedZone zone{"America/New_York"};
    const TimeFrameRecord frame{4, at(1996, 3, 15, 9), at(1996, 3, 15, 10, 30)};

    TimeFrameInput parse(const std::string& date, const std::string& time, const std::string& duration,
                         bool monthFirst = true) {
        return parseTimeFrameTexts(frame, {date, time, duration}, monthFirst);
    }
    void expectRefused(const TimeFrameInput& input, TimeFrameField field, const std::string& text) {
        ASSERT_FALSE(input.frame.isOk());
        EXPECT_EQ(input.frame.status().code(), StatusCode::InvalidArgument);
        EXPECT_EQ(input.field, field);
        EXPECT_NE(input.frame.status().message().find(text), std::string::npos) << input.frame.status().message();
    }
};

TEST_F(TimeFrameFormTest, ShowsDateInTheSettingsOrderTimeAndDuration) {
    EXPECT_EQ(formatTimeFrameTexts(frame, true), (TimeFrameTexts{"03/15/1996", "09:00", "01:30"}));
    EXPECT_EQ(formatTimeFrameTexts(frame, false), (TimeFrameTexts{"15/03/1996", "09:00", "01:30"}));
    // Only the hours within a day of a longer span; a damaged negative span as nothing.
    EXPECT_EQ(formatTimeFrameTexts({4, frame.start, frame.start + 2 * 86400 + 5 * 3600 + 7 * 60 + 59}, true).duration,
              "05:07");
    EXPECT_EQ(formatTimeFrameTexts({4, frame.start, frame.start - 60}, true).duration, "00:00");
}

TEST_F(TimeFrameFormTest, BuildsTheEditedFrameOfTheSameProject) {
    const auto edited = parse("03/15/1996", "09:00", "2:00");
    ASSERT_TRUE(edited.frame.isOk());
    EXPECT_EQ(*edited.frame, (TimeFrameRecord{4, at(1996, 3, 15, 9), at(1996, 3, 15, 11)}));

    const auto dayFirst = parse(" 2/ 4 /1997 ", " 23 : 5 ", "30:00", false);
    ASSERT_TRUE(dayFirst.frame.isOk());
    EXPECT_EQ(dayFirst.frame->start, at(1997, 4, 2, 23, 5));
    EXPECT_EQ(dayFirst.frame->end, at(1997, 4, 4, 5, 5));

    const auto empty = parse("12/31/1996", "00:00", "00:00");
    ASSERT_TRUE(empty.frame.isOk());
    EXPECT_EQ(empty.frame->end, empty.frame->start);
}

TEST_F(TimeFrameFormTest, AnUnchangedDurationKeepsTheWholeDaysOfALongFrame) {
    const TimeFrameRecord longFrame{4, at(1996, 3, 15, 9), at(1996, 3, 17, 10, 30)};
    const auto texts = formatTimeFrameTexts(longFrame, true);
    ASSERT_EQ(texts.duration, "01:30");
    const auto moved = parseTimeFrameTexts(longFrame, {"03/20/1996", "09:00", texts.duration}, true);
    ASSERT_TRUE(moved.frame.isOk());
    EXPECT_EQ(moved.frame->end, at(1996, 3, 22, 10, 30));
    const auto shortened = parseTimeFrameTexts(longFrame, {"03/15/1996", "09:00", "01:31"}, true);
    ASSERT_TRUE(shortened.frame.isOk());
    EXPECT_EQ(shortened.frame->end, at(1996, 3, 15, 10, 31));
}

// The edits show hours and minutes of one occurrence; what they cannot show is kept for the
// fields the user leaves alone.
TEST_F(TimeFrameFormTest, FieldsLeftAsShownKeepWhatTheEditsCannotShow) {
    const std::int32_t firstOneThirty = at(1996, 10, 27, 1, 30);  // the autumn change repeats 01:00-02:00
    const std::int32_t secondOneThirty = firstOneThirty + 3600;
    const TimeFrameRecord repeated{4, secondOneThirty, secondOneThirty + 1800};
    const TimeFrameRecord seconds{4, at(1996, 3, 15, 9, 0, 37), at(1996, 3, 15, 10, 0, 12)};
    const struct {
        const char* name;
        TimeFrameRecord original;
        const char* date;  // nullptr: as shown
        const char* time;
        const char* duration;
        TimeFrameRecord expected;
    } cases[] = {
        {"nothing changed, second 01:30", repeated, nullptr, nullptr, nullptr, repeated},
        {"nothing changed, seconds", seconds, nullptr, nullptr, nullptr, seconds},
        {"duration changed", repeated, nullptr, nullptr, "01:00", {4, secondOneThirty, secondOneThirty + 3600}},
        {"duration changed, seconds", seconds, nullptr, nullptr, "02:00", {4, seconds.start, seconds.start + 7200}},
        {"date changed keeps the time's seconds", seconds, "03/18/1996", nullptr, nullptr,
         {4, at(1996, 3, 18, 9, 0, 37), at(1996, 3, 18, 10, 0, 12)}},
        {"date changed to a day without the repeat", repeated, "10/28/1996", nullptr, nullptr,
         {4, at(1996, 10, 28, 1, 30), at(1996, 10, 28, 2, 0)}},
        {"time changed starts on its minute", seconds, nullptr, "09:05", nullptr,
         {4, at(1996, 3, 15, 9, 5), at(1996, 3, 15, 10, 4, 35)}},
    };
    for (const auto& c : cases) {
        TimeFrameTexts texts = formatTimeFrameTexts(c.original, true);
        if (c.date) texts.date = c.date;
        if (c.time) texts.time = c.time;
        if (c.duration) texts.duration = c.duration;
        const auto parsed = parseTimeFrameTexts(c.original, texts, true);
        ASSERT_TRUE(parsed.frame.isOk()) << c.name;
        EXPECT_EQ(*parsed.frame, c.expected) << c.name;
    }
}

TEST_F(TimeFrameFormTest, RefusesADateThatIsNotThreeNumbers) {
    for (const char* text : {"", "03/15", "03/15/1996/2", "03-15-1996", "03/15/1996x", "a/b/c", "03//1996",
                             "-3/15/1996", "03/15/19 96"})
        expectRefused(parse(text, "09:00", "01:30"), TimeFrameField::Date, "month/day/year");
    expectRefused(parse("15.03.1996", "09:00", "01:30", false), TimeFrameField::Date, "day/month/year");
}

TEST_F(TimeFrameFormTest, RefusesDatesThatDoNotExistOrCannotBeStored) {
    expectRefused(parse("02/30/1996", "09:00", "01:30"), TimeFrameField::Date, "no such date: 02/30/1996");
    expectRefused(parse("13/01/1996", "09:00", "01:30"), TimeFrameField::Date, "no such date");
    expectRefused(parse("13/01/1996", "09:00", "01:30", true), TimeFrameField::Date, "no such date");
    expectRefused(parse("00/10/1996", "09:00", "01:30"), TimeFrameField::Date, "no such date");
    expectRefused(parse("02/29/1997", "09:00", "01:30"), TimeFrameField::Date, "no such date");
    EXPECT_TRUE(parse("02/29/1996", "09:00", "01:30").frame.isOk());
    expectRefused(parse("03/15/96", "09:00", "01:30"), TimeFrameField::Date, "from 1902 to 2037");
    expectRefused(parse("01/20/2038", "09:00", "01:30"), TimeFrameField::Date, "cannot be stored");
    expectRefused(parse("12/01/1901", "09:00", "01:30"), TimeFrameField::Date, "cannot be stored");
    expectRefused(parse("03/15/99999999999999999999", "09:00", "01:30"), TimeFrameField::Date, "no such date");
}

TEST_F(TimeFrameFormTest, RefusesTimesAndDurationsThatAreNotHoursAndMinutes) {
    for (const char* text : {"", "9", "9:", ":30", "9:60", "24:00", "9.30", "-1:00", "9:30:00", "nine"})
        expectRefused(parse("03/15/1996", text, "01:30"), TimeFrameField::Time, "hours:minutes");
    for (const char* text : {"", "2", "2:", "1:60", "1:-5", "1.5", "--1:00", "2:00pm"})
        expectRefused(parse("03/15/1996", "09:00", text), TimeFrameField::Duration, "hours:minutes");
}

TEST_F(TimeFrameFormTest, NeverBuildsAFrameEndingBeforeItsStartOrPastTheStorableRange) {
    expectRefused(parse("03/15/1996", "09:00", "-1:00"), TimeFrameField::Duration, "cannot end before it starts");
    expectRefused(parse("03/15/1996", "09:00", "-0:01"), TimeFrameField::Duration, "cannot end before it starts");
    EXPECT_TRUE(parse("03/15/1996", "09:00", "-0:00").frame.isOk());
    expectRefused(parse("01/18/2038", "09:00", "100:00"), TimeFrameField::Duration, "after January 2038");
    expectRefused(parse("03/15/1996", "09:00", "999999999999:00"), TimeFrameField::Duration, "after January 2038");
}

}  // namespace
}  // namespace ql
