#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Calendar arithmetic in local time (the TZ environment decides) on 32-bit second counts.
// Results that would fall outside the 32-bit range are pinned to its ends. Results do not
// depend on earlier calls: of two instants that show the same clock time (a repeated
// daylight-saving hour) the earlier is taken, and a day runs from the first to the last
// instant that shows its date, so consecutive days always meet without gap or overlap.
namespace ql::calendar {

struct LocalTime {
    int year = 1970;   // e.g. 1996
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;   // 0 Sunday .. 6 Saturday
};

LocalTime toLocal(std::int32_t t);

// A calendar date, free of the 32-bit range: the real dates of a period whose first or last
// instant lies beyond it (the year 2038 still ends on 31 December).
struct Date {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31

    bool operator==(const Date&) const = default;
};

Date localDate(std::int32_t t);                 // the local date of t
Date dateOfDay(std::int64_t dayNo);             // the date of a day counted from 1970-01-01
Date addDays(const Date& date, int days);       // proleptic Gregorian, any distance
int daysSinceMonday(const Date& date);          // 0 Monday .. 6 Sunday

// The time of the given local date and clock fields: the earlier of two in a repeated hour,
// the zone's own rule for a skipped one. nullopt when the fields name no real date
// (month 13, 30 February, hour 24, ...) or the time does not fit 32 bits.
std::optional<std::int32_t> fromLocal(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

std::int32_t dayStart(std::int32_t t);      // same date, 00:00:00 (its first instant)
std::int32_t dayEnd(std::int32_t t);        // same date, 23:59:59 (its last instant)
std::int32_t weekStart(std::int32_t t);     // Monday of its week, 00:00:00
std::int32_t weekEnd(std::int32_t t);       // Sunday of its week, 23:59:59
std::int32_t monthStart(std::int32_t t);    // day 1, 00:00:00
std::int32_t monthEnd(std::int32_t t);      // last day, 23:59:59
std::int32_t yearStart(std::int32_t t);     // 1 January, 00:00:00
std::int32_t yearEnd(std::int32_t t);       // 31 December, 23:59:59
// The date before or after, same time of day; always on that date, even where the zone
// skips that time of day.
std::int32_t previousDay(std::int32_t t);
std::int32_t nextDay(std::int32_t t);

// 28 to 31, Gregorian leap years (for the years 32-bit times reach: every fourth year).
int daysInMonth(int month, int year);

// strftime of t in local time, e.g. formatLocal(t, "%m/%d/%Y"). The conversions %Y %y %m %d
// %H %I %M %S %p %z %Z and %% give the same bytes in every locale (%p is "AM" or "PM"); any
// other conversion is the C library's, in the process locale.
std::string formatLocal(std::int32_t t, const char* pattern);

// "%m/%d/%Y" when monthFirst, else "%d/%m/%Y".
const char* datePattern(bool monthFirst);

}  // namespace ql::calendar
