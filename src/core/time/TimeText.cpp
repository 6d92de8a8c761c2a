#include "core/time/TimeText.h"

#include "core/text/NumberText.h"

namespace ql {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::string dayMonthYear(int year, int month, int day, bool monthFirst, bool twoDigitYear) {
    const std::string dd = zeroPaddedText(day, 2), mm = zeroPaddedText(month, 2);
    const std::string yy = twoDigitYear ? zeroPaddedText((year % 100 + 100) % 100, 2) : integerText(year);
    return monthFirst ? mm + "/" + dd + "/" + yy : dd + "/" + mm + "/" + yy;
}

std::string hoursMinutes(std::int64_t hours, std::int64_t minutes) {
    return zeroPaddedText(hours, 2) + ":" + zeroPaddedText(minutes, 2);
}

}  // namespace

std::string dateText(std::int32_t t, bool monthFirst) { return dateText(calendar::localDate(t), monthFirst); }

std::string dateText(const calendar::Date& date, bool monthFirst) {
    return dayMonthYear(date.year, date.month, date.day, monthFirst, false);
}

std::string shortDateText(std::int32_t t, bool monthFirst) { return shortDateText(calendar::localDate(t), monthFirst); }

std::string shortDateText(const calendar::Date& date, bool monthFirst) {
    return dayMonthYear(date.year, date.month, date.day, monthFirst, true);
}

std::string clockText(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clockText(local.hour, local.minute);
}

std::string clockText(int hour, int minute) { return hoursMinutes(hour, minute); }

std::string clock12Text(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clock12Text(local.hour, local.minute);
}

std::string clock12Text(int hour, int minute) {
    return hoursMinutes(twelveHour(hour), minute) + " " + meridiemText(hour);
}

int twelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const char* meridiemText(int hour) { return hour < 12 ? "AM" : "PM"; }

std::string spanText(std::int64_t seconds) {
    const std::int64_t withinDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return hoursMinutes(withinDay / 3600, withinDay % 3600 / 60);
}

std::string signedSpanText(std::int64_t seconds) {
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    return (seconds < 0 ? "-" : "") + hoursMinutes(magnitude / 3600 % 24, magnitude / 60 % 60);
}

std::string hoursMinutesText(std::int64_t minutes) {
    const std::int64_t magnitude = minutes < 0 ? -minutes : minutes;
    return (minutes < 0 ? "-" : "") + hoursMinutes(magnitude / 60, magnitude % 60);
}

}  // namespace ql
