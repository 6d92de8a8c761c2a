#include "core/time/TimeText.h"

#include "core/text/NumberText.h"

namespace ql {
namespace {

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

std::string shortDateText(std::int32_t t, bool monthFirst) {
    const calendar::Date date = calendar::localDate(t);
    return dayMonthYear(date.year, date.month, date.day, monthFirst, true);
}

std::string clockText(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return hoursMinutes(local.hour, local.minute);
}

std::string clock12Text(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    const int hour12 = local.hour % 12 == 0 ? 12 : local.hour % 12;
    return hoursMinutes(hour12, local.minute) + (local.hour < 12 ? " AM" : " PM");
}

std::string spanText(std::int64_t seconds) {
    constexpr std::int64_t kDay = 86400;
    const std::int64_t withinDay = (seconds % kDay + kDay) % kDay;
    return hoursMinutes(withinDay / 3600, withinDay % 3600 / 60);
}

}  // namespace ql
