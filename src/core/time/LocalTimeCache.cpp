#include "core/time/LocalTimeCache.h"

#include <ctime>
#include <limits>

namespace ql::calendar {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int32_t kUnknown = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kChanges = kUnknown + 1;
// The UTC days that 32-bit times reach, from the one holding -2^31 to the one holding 2^31 - 1.
constexpr std::int64_t kFirstDay = -24856;
constexpr std::int64_t kDayCount = 24856 - kFirstDay;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

long offsetAt(std::int64_t t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return tm.tm_gmtoff;
}

// The date of a day counted from 1970-01-01 packed as year << 9 | month << 5 | day, never 0.
std::int32_t civilDate(std::int64_t dayNo) {
    const Date d = dateOfDay(dayNo);
    return d.year << 9 | d.month << 5 | d.day;
}

}  // namespace

LocalTime LocalTimeCache::toLocal(std::int32_t t) {
    std::int32_t utcOffset = 0;
    return toLocal(t, utcOffset);
}

LocalTime LocalTimeCache::toLocal(std::int32_t t, std::int32_t& utcOffset) {
    if (m_offsetOfDay.empty()) {
        m_offsetOfDay.assign(static_cast<std::size_t>(kDayCount), kUnknown);
        m_civilOfDay.assign(static_cast<std::size_t>(kDayCount + 2), 0);
    }
    const std::int64_t utcDay = floorDiv(t, kSecondsPerDay);
    std::int32_t& offset = m_offsetOfDay[static_cast<std::size_t>(utcDay - kFirstDay)];
    if (offset == kUnknown) {
        // Zones change their offset at most once a day, so equal ends mean one offset all day.
        const long first = offsetAt(utcDay * kSecondsPerDay);
        const long last = offsetAt(utcDay * kSecondsPerDay + kSecondsPerDay - 1);
        offset = first == last ? static_cast<std::int32_t>(first) : kChanges;
    }
    if (offset == kChanges) {
        utcOffset = static_cast<std::int32_t>(offsetAt(t));
        return calendar::toLocal(t);
    }
    utcOffset = offset;

    const std::int64_t local = std::int64_t{t} + offset;
    const std::int64_t dayNo = floorDiv(local, kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(local - dayNo * kSecondsPerDay);
    // The local day lies at most a day beside the UTC day; its date is computed once.
    std::int32_t& civil = m_civilOfDay[static_cast<std::size_t>(dayNo - kFirstDay + 1)];
    if (civil == 0) civil = civilDate(dayNo);

    LocalTime lt;
    lt.year = civil >> 9;
    lt.month = civil >> 5 & 15;
    lt.day = civil & 31;
    lt.hour = secondOfDay / 3600;
    lt.minute = secondOfDay / 60 % 60;
    lt.second = secondOfDay % 60;
    lt.weekday = static_cast<int>(((dayNo + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    return lt;
}

}  // namespace ql::calendar
