#include "core/time/Calendar.h"

#include <ctime>
#include <limits>

namespace ql::calendar {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

std::tm localTm(std::int32_t t) {
    const std::time_t tt = t;
    std::tm tm{};
    localtime_r(&tt, &tm);
    return tm;
}

// mktime with daylight saving decided by the zone, pinned to the 32-bit range.
std::int32_t make(std::tm tm) {
    tm.tm_isdst = -1;
    const std::int64_t t = std::mktime(&tm);
    if (t < kMin) return static_cast<std::int32_t>(kMin);
    if (t > kMax) return static_cast<std::int32_t>(kMax);
    return static_cast<std::int32_t>(t);
}

std::int32_t atClock(std::tm tm, int hour, int minute, int second) {
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return make(tm);
}

}  // namespace

LocalTime toLocal(std::int32_t t) {
    const std::tm tm = localTm(t);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

std::optional<std::int32_t> fromLocal(int year, int month, int day, int hour, int minute, int second) {
    if (month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59 || year < 1901 || year > 2038)
        return std::nullopt;
    if (day > daysInMonth(month, year)) return std::nullopt;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::int64_t t = std::mktime(&tm);
    if (t < kMin || t > kMax) return std::nullopt;
    return static_cast<std::int32_t>(t);
}

std::int32_t dayStart(std::int32_t t) { return atClock(localTm(t), 0, 0, 0); }
std::int32_t dayEnd(std::int32_t t) { return atClock(localTm(t), 23, 59, 59); }

std::int32_t weekStart(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday -= (tm.tm_wday + 6) % 7;  // days since Monday
    return atClock(tm, 0, 0, 0);
}

std::int32_t weekEnd(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday += (7 - tm.tm_wday) % 7;  // days until Sunday
    return atClock(tm, 23, 59, 59);
}

std::int32_t monthStart(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday = 1;
    return atClock(tm, 0, 0, 0);
}

std::int32_t monthEnd(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday = daysInMonth(tm.tm_mon + 1, tm.tm_year + 1900);
    return atClock(tm, 23, 59, 59);
}

std::int32_t yearStart(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mon = 0;
    tm.tm_mday = 1;
    return atClock(tm, 0, 0, 0);
}

std::int32_t yearEnd(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mon = 11;
    tm.tm_mday = 31;
    return atClock(tm, 23, 59, 59);
}

std::int32_t previousDay(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday -= 1;
    return make(tm);
}

std::int32_t nextDay(std::int32_t t) {
    std::tm tm = localTm(t);
    tm.tm_mday += 1;
    return make(tm);
}

int daysInMonth(int month, int year) {
    switch (month) {
    case 4: case 6: case 9: case 11: return 30;
    case 2: return year % 4 == 0 ? 29 : 28;
    default: return 31;
    }
}

std::string formatLocal(std::int32_t t, const char* pattern) {
    const std::tm tm = localTm(t);
    char buffer[256];
    const std::size_t n = std::strftime(buffer, sizeof buffer, pattern, &tm);
    return std::string(buffer, n);
}

const char* datePattern(bool monthFirst) { return monthFirst ? "%m/%d/%Y" : "%d/%m/%Y"; }

}  // namespace ql::calendar
