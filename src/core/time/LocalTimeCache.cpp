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

// Times are counted from the start of the day before the first, so that a time and its local
// time (at most a day apart) are both positive there: plain unsigned division, no rounding
// towards minus infinity to correct. m_civilOfDay is indexed by days from it.
constexpr std::int64_t kBaseDay = kFirstDay - 1;
// Its weekday (0 Sunday): day 0, 1970-01-01, was a Thursday.
constexpr std::uint64_t kBaseWeekday = static_cast<std::uint64_t>(((kBaseDay + 4) % 7 + 7) % 7);

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
    const auto sinceBase = static_cast<std::uint64_t>(std::int64_t{t} - kBaseDay * kSecondsPerDay);
    const std::uint64_t utcDay = sinceBase / kSecondsPerDay - 1;  // from the first day
    std::int32_t& offset = m_offsetOfDay[utcDay];
    if (offset == kUnknown) {
        // Zones change their offset at most once a day, so equal ends mean one offset all day.
        const std::int64_t dayStart = (static_cast<std::int64_t>(utcDay) + kFirstDay) * kSecondsPerDay;
        const long first = offsetAt(dayStart);
        const long last = offsetAt(dayStart + kSecondsPerDay - 1);
        offset = first == last ? static_cast<std::int32_t>(first) : kChanges;
    }
    if (offset == kChanges) {
        utcOffset = static_cast<std::int32_t>(offsetAt(t));
        return calendar::toLocal(t);
    }
    utcOffset = offset;

    const std::uint64_t local = sinceBase + static_cast<std::uint64_t>(std::int64_t{offset});
    const std::uint64_t localDay = local / kSecondsPerDay;  // from the base day
    const auto secondOfDay = static_cast<std::uint32_t>(local - localDay * kSecondsPerDay);
    // The local day lies at most a day beside the UTC day; its date is computed once.
    std::int32_t& civil = m_civilOfDay[localDay];
    if (civil == 0) civil = civilDate(static_cast<std::int64_t>(localDay) + kBaseDay);

    LocalTime lt;
    lt.year = civil >> 9;
    lt.month = civil >> 5 & 15;
    lt.day = civil & 31;
    lt.hour = static_cast<int>(secondOfDay / 3600);
    const std::uint32_t secondOfHour = secondOfDay % 3600;
    lt.minute = static_cast<int>(secondOfHour / 60);
    lt.second = static_cast<int>(secondOfHour % 60);
    lt.weekday = static_cast<int>((localDay + kBaseWeekday) % 7);
    return lt;
}

}  // namespace ql::calendar
