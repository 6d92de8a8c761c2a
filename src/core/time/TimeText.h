#pragma once

#include "core/time/Calendar.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The specified date, clock and time-span texts, the same bytes under every locale. Every
// report, dialog, export and command-line output writes its dates, clock times and spans
// through these; the forms that differ (a span that wraps at a day and one that does not)
// are told apart by name.
namespace ql {

// "%m/%d/%Y" when monthFirst, else "%d/%m/%Y", of the local date of t: "12/31/1996", "31/12/1996".
std::string dateText(std::int32_t t, bool monthFirst);
std::string dateText(const calendar::Date& date, bool monthFirst);
// The date that text writes in dateText's form ("12/31/1996" when monthFirst, else
// "31/12/1996"): exactly two, two and four digits; nullopt for any other text or no such day.
std::optional<calendar::Date> dateOfText(std::string_view text, bool monthFirst);
// "%m/%d/%y" when monthFirst, else "%d/%m/%y" (two-digit year): "12/31/96".
std::string shortDateText(std::int32_t t, bool monthFirst);
std::string shortDateText(const calendar::Date& date, bool monthFirst);

// "%H:%M", 24-hour clock, of t's local time: "09:05", "17:30".
std::string clockText(std::int32_t t);
// The same of clock fields, two digits each: (9, 5) -> "09:05"; (24, 0) -> "24:00" (a chart's
// last hour line).
std::string clockText(int hour, int minute);
// "%I:%M %p", 12-hour clock, always "AM" or "PM" (locales such as de_DE have no texts for
// them): "12:05 AM", "05:30 PM".
std::string clock12Text(std::int32_t t);
// The same of clock fields, hour 0..23: (0, 5) -> "12:05 AM", (12, 0) -> "12:00 PM".
std::string clock12Text(int hour, int minute);
// The parts of a 12-hour clock, hour 0..23: "%I" as a number (0 and 12 -> 12, 13 -> 1), "%p".
int twelveHour(int hour);
const char* meridiemText(int hour);

// A second count as the time span "%H:%M": the hours within a day (00..23) and minutes, whole
// days not shown (90061 s -> "01:01"); a negative span wraps as the clock does (-60 s -> "23:59").
std::string spanText(std::int64_t seconds);
// A second count as a signed span: "-" when negative, then the magnitude's hours within a day
// and its minutes, whole days dropped (90061 s -> "01:01", -5400 s -> "-01:30").
std::string signedSpanText(std::int64_t seconds);
// A minute count as every hour and minute, at least two digits of hours, days not dropped:
// 1530 -> "25:30", 65 -> "01:05", -90 -> "-01:30".
std::string hoursMinutesText(std::int64_t minutes);

// A date as eight digits, "19961211": the year with at least four digits, zeros in front.
std::string compactDateText(const calendar::Date& date);

// A minute count as decimal hours with four places, halves away from zero, a '-' before a
// negative count that does not round to zero: 90 -> "1.5000", 1 -> "0.0167", -20 -> "-0.3333".
std::string decimalHoursText(std::int64_t minutes);

// The local date in ISO 8601, "1996-12-11": sorts in file lists and reads alike in every language.
std::string isoDateText(std::int32_t t);

// Local ISO 8601 with the zone's offset (seconds east of UTC): "1996-12-11T10:00:00-05:00".
std::string isoDateTimeText(const calendar::LocalTime& local, std::int32_t utcOffset);

// The same texts added to the end of out, for loops that write one per line of a large output
// (an export of a million frames): the same bytes as the form of the same name, and no
// allocation beyond out's own growth.
void appendShortDateText(std::string& out, const calendar::Date& date, bool monthFirst);
void appendClockText(std::string& out, int hour, int minute);
void appendClock12Text(std::string& out, int hour, int minute);
void appendHoursMinutesText(std::string& out, std::int64_t minutes);
void appendIsoDateTimeText(std::string& out, const calendar::LocalTime& local, std::int32_t utcOffset);

// The same texts written at p, which has room for kTimeTextRoom characters; each returns the
// end. For writers that make a row at a time in a buffer of their own.
inline constexpr std::size_t kTimeTextRoom = 48;
char* putShortDateText(char* p, const calendar::Date& date, bool monthFirst);
char* putClockText(char* p, int hour, int minute);
char* putClock12Text(char* p, int hour, int minute);
char* putHoursMinutesText(char* p, std::int64_t minutes);
char* putIsoDateTimeText(char* p, const calendar::LocalTime& local, std::int32_t utcOffset);

}  // namespace ql
