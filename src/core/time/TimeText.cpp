#include "core/time/TimeText.h"

#include "core/text/NumberText.h"

#include <algorithm>

namespace ql {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// The texts are built in a buffer rather than from joined strings: an export writes millions.
// Two digits of 0..99; any other value as zeroPaddedText writes it.
char* putTwoDigits(char* p, std::int64_t n) {
    if (n >= 0 && n < 100) {
        *p++ = static_cast<char>('0' + n / 10);
        *p++ = static_cast<char>('0' + n % 10);
        return p;
    }
    const std::string text = zeroPaddedText(n, 2);
    return std::copy(text.begin(), text.end(), p);
}

char* putHoursMinutes(char* p, std::int64_t hours, std::int64_t minutes) {
    p = putTwoDigits(p, hours);
    *p++ = ':';
    return putTwoDigits(p, minutes);
}

std::string dayMonthYear(int year, int month, int day, bool monthFirst, bool twoDigitYear) {
    char buffer[48];
    char* p = putTwoDigits(buffer, monthFirst ? month : day);
    *p++ = '/';
    p = putTwoDigits(p, monthFirst ? day : month);
    *p++ = '/';
    if (twoDigitYear) {
        p = putTwoDigits(p, (year % 100 + 100) % 100);
    } else {
        const std::string yyyy = integerText(year);
        p = std::copy(yyyy.begin(), yyyy.end(), p);
    }
    return std::string(buffer, p);
}

std::string hoursMinutes(std::int64_t hours, std::int64_t minutes) {
    char buffer[48];
    return std::string(buffer, putHoursMinutes(buffer, hours, minutes));
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
    char buffer[48];
    char* p = putHoursMinutes(buffer, twelveHour(hour), minute);
    *p++ = ' ';
    for (const char* m = meridiemText(hour); *m; ++m) *p++ = *m;
    return std::string(buffer, p);
}

int twelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const char* meridiemText(int hour) { return hour < 12 ? "AM" : "PM"; }

std::string spanText(std::int64_t seconds) {
    const std::int64_t withinDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return hoursMinutes(withinDay / 3600, withinDay % 3600 / 60);
}

std::string signedSpanText(std::int64_t seconds) {
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    char buffer[48];
    char* p = buffer;
    if (seconds < 0) *p++ = '-';
    return std::string(buffer, putHoursMinutes(p, magnitude / 3600 % 24, magnitude / 60 % 60));
}

std::string hoursMinutesText(std::int64_t minutes) {
    const std::int64_t magnitude = minutes < 0 ? -minutes : minutes;
    char buffer[48];
    char* p = buffer;
    if (minutes < 0) *p++ = '-';
    return std::string(buffer, putHoursMinutes(p, magnitude / 60, magnitude % 60));
}

}  // namespace ql
