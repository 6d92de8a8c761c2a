#include "core/time/Calendar.h"

#include "core/text/NumberText.h"
#include "core/time/TimeText.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace ql::calendar {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kSecondsPerDay = 86400;

std::int32_t pin(std::int64_t t) { return static_cast<std::int32_t>(std::clamp(t, kMin, kMax)); }

// Days since 1970-01-01 of a proleptic Gregorian date, and back; dates are stepped as
// day numbers so no step depends on how mktime normalises out-of-range fields.
std::int64_t dayNumber(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * m + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date dateOf(std::int64_t dayNo) {
    const std::int64_t z = dayNo + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1)};
}

int weekdayFromMonday(std::int64_t dayNo) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((dayNo + 3) % 7 + 7) % 7);
}

std::tm localTm(std::int64_t t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return tm;
}

std::int64_t localDay(std::int64_t t) {
    const std::tm tm = localTm(t);
    return dayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

// The instant that shows the given local date and clock. mktime with tm_isdst = -1 picks
// one of the two instants of a repeated clock time by what earlier calls left behind, so
// both readings are tried and the earlier one that really shows these fields wins. A clock
// time skipped by the zone is left to the zone's own rule.
std::int64_t resolve(std::int64_t dayNo, int hour, int minute, int second) {
    const Date date = dateOf(dayNo);
    std::tm fields{};
    fields.tm_year = date.year - 1900;
    fields.tm_mon = date.month - 1;
    fields.tm_mday = date.day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    bool found = false;
    std::int64_t best = 0;
    for (const int isDst : {0, 1}) {
        std::tm probe = fields;
        probe.tm_isdst = isDst;
        const std::int64_t t = std::mktime(&probe);
        const std::tm back = localTm(t);
        if (back.tm_year == fields.tm_year && back.tm_mon == fields.tm_mon && back.tm_mday == fields.tm_mday &&
            back.tm_hour == hour && back.tm_min == minute && back.tm_sec == second && (!found || t < best)) {
            best = t;
            found = true;
        }
    }
    if (found) return best;
    std::tm probe = fields;
    probe.tm_isdst = -1;
    return std::mktime(&probe);
}

// The earliest instant whose local date is dayNo.
std::int64_t firstInstant(std::int64_t dayNo) {
    const std::int64_t guess = resolve(dayNo, 0, 0, 0);
    if (localDay(guess) == dayNo && localDay(guess - 1) < dayNo) return guess;
    // Midnight itself is skipped or moved by the zone; local dates still only run forward.
    std::int64_t lo = guess - 2 * kSecondsPerDay;  // shows an earlier date
    std::int64_t hi = guess + 2 * kSecondsPerDay;  // shows this date or a later one
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (localDay(mid) < dayNo ? lo : hi) = mid;
    }
    return hi;
}

// The last instant whose local date is dayNo, so consecutive days never overlap or leave a gap.
std::int64_t lastInstant(std::int64_t dayNo) { return firstInstant(dayNo + 1) - 1; }

// The same clock time on another date; kept on that date when the zone skips that clock time
// in a way that would carry it into a neighbouring day.
std::int64_t sameClockOn(std::int64_t t, std::int64_t dayNo) {
    const std::tm tm = localTm(t);
    const std::int64_t r = resolve(dayNo, tm.tm_hour, tm.tm_min, tm.tm_sec);
    const std::int64_t shown = localDay(r);
    if (shown < dayNo) return firstInstant(dayNo);
    if (shown > dayNo) return lastInstant(dayNo);
    return r;
}

}  // namespace

Date dateOfDay(std::int64_t dayNo) { return dateOf(dayNo); }

LocalTime toLocal(std::int32_t t) {
    const std::tm tm = localTm(t);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

Date localDate(std::int32_t t) { return dateOf(localDay(t)); }

Date addDays(const Date& date, int days) { return dateOf(dayNumber(date.year, date.month, date.day) + days); }

int daysSinceMonday(const Date& date) { return weekdayFromMonday(dayNumber(date.year, date.month, date.day)); }

std::optional<std::int32_t> fromLocal(int year, int month, int day, int hour, int minute, int second) {
    if (month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59 || year < 1901 || year > 2038)
        return std::nullopt;
    if (day > daysInMonth(month, year)) return std::nullopt;
    const std::int64_t t = resolve(dayNumber(year, month, day), hour, minute, second);
    if (t < kMin || t > kMax) return std::nullopt;
    return static_cast<std::int32_t>(t);
}

std::int32_t dayStart(std::int32_t t) { return pin(firstInstant(localDay(t))); }
std::int32_t dayEnd(std::int32_t t) { return pin(lastInstant(localDay(t))); }

std::int32_t weekStart(std::int32_t t) {
    const std::int64_t day = localDay(t);
    return pin(firstInstant(day - weekdayFromMonday(day)));
}

std::int32_t weekEnd(std::int32_t t) {
    const std::int64_t day = localDay(t);
    return pin(lastInstant(day + 6 - weekdayFromMonday(day)));
}

std::int32_t monthStart(std::int32_t t) {
    const Date d = dateOf(localDay(t));
    return pin(firstInstant(dayNumber(d.year, d.month, 1)));
}

std::int32_t monthEnd(std::int32_t t) {
    const Date d = dateOf(localDay(t));
    return pin(lastInstant(dayNumber(d.year, d.month, daysInMonth(d.month, d.year))));
}

std::int32_t yearStart(std::int32_t t) { return pin(firstInstant(dayNumber(dateOf(localDay(t)).year, 1, 1))); }
std::int32_t yearEnd(std::int32_t t) { return pin(lastInstant(dayNumber(dateOf(localDay(t)).year, 12, 31))); }

std::int32_t previousDay(std::int32_t t) { return pin(sameClockOn(t, localDay(t) - 1)); }
std::int32_t nextDay(std::int32_t t) { return pin(sameClockOn(t, localDay(t) + 1)); }

int daysInMonth(int month, int year) {
    switch (month) {
    case 4: case 6: case 9: case 11: return 30;
    case 2: return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default: return 31;
    }
}

std::string formatLocal(std::int32_t t, const char* pattern) {
    const std::tm tm = localTm(t);
    std::string out;
    auto padded = [&out](long value, int digits) { out += zeroPaddedText(value, digits); };
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'Y': out += integerText(tm.tm_year + 1900L); break;
        case 'y': padded(((tm.tm_year + 1900L) % 100 + 100) % 100, 2); break;
        case 'm': padded(tm.tm_mon + 1L, 2); break;
        case 'd': padded(tm.tm_mday, 2); break;
        case 'H': padded(tm.tm_hour, 2); break;
        case 'I': padded(twelveHour(tm.tm_hour), 2); break;
        case 'M': padded(tm.tm_min, 2); break;
        case 'S': padded(tm.tm_sec, 2); break;
        // Locales such as de_DE have no AM/PM texts, which would leave a 12-hour clock ambiguous.
        case 'p': out += meridiemText(tm.tm_hour); break;
        case 'z': {
            const long offset = tm.tm_gmtoff / 60;
            out += offset < 0 ? '-' : '+';
            padded(std::labs(offset) / 60 * 100 + std::labs(offset) % 60, 4);
            break;
        }
        case 'Z': out += tm.tm_zone ? tm.tm_zone : ""; break;
        case '%': out += '%'; break;
        default: {
            const char conversion[] = {'%', *p, '\0'};
            char buffer[256];
            out.append(buffer, std::strftime(buffer, sizeof buffer, conversion, &tm));
        }
        }
    }
    return out;
}

const char* datePattern(bool monthFirst) { return monthFirst ? "%m/%d/%Y" : "%d/%m/%Y"; }

}  // namespace ql::calendar
