#include "core/time/TimeText.h"

#include "core/text/NumberText.h"

#include <algorithm>

namespace ql {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Every text is written into a stack buffer and handed over in one piece, so that the
// appending forms cost no temporary string: an export writes millions of them.
constexpr std::size_t kRoom = 48;

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

// "%Y": the years of 32-bit times have four digits; others as integerText writes them.
char* putYear(char* p, int year) {
    if (year >= 1000 && year <= 9999) return putTwoDigits(putTwoDigits(p, year / 100), year % 100);
    const std::string text = integerText(year);
    return std::copy(text.begin(), text.end(), p);
}

char* putHoursMinutes(char* p, std::int64_t hours, std::int64_t minutes) {
    p = putTwoDigits(p, hours);
    *p++ = ':';
    return putTwoDigits(p, minutes);
}

char* putDayMonthYear(char* p, const calendar::Date& date, bool monthFirst, bool twoDigitYear) {
    p = putTwoDigits(p, monthFirst ? date.month : date.day);
    *p++ = '/';
    p = putTwoDigits(p, monthFirst ? date.day : date.month);
    *p++ = '/';
    return twoDigitYear ? putTwoDigits(p, (date.year % 100 + 100) % 100) : putYear(p, date.year);
}

char* putClock12(char* p, int hour, int minute) {
    p = putHoursMinutes(p, twelveHour(hour), minute);
    *p++ = ' ';
    for (const char* m = meridiemText(hour); *m; ++m) *p++ = *m;
    return p;
}

char* putSignedHoursMinutes(char* p, std::int64_t minutes) {
    const std::int64_t magnitude = minutes < 0 ? -minutes : minutes;
    if (minutes < 0) *p++ = '-';
    return putHoursMinutes(p, magnitude / 60, magnitude % 60);
}

char* putIsoDateTime(char* p, const calendar::LocalTime& l, std::int32_t utcOffset) {
    p = putYear(p, l.year);
    *p++ = '-';
    p = putTwoDigits(p, l.month);
    *p++ = '-';
    p = putTwoDigits(p, l.day);
    *p++ = 'T';
    p = putHoursMinutes(p, l.hour, l.minute);
    *p++ = ':';
    p = putTwoDigits(p, l.second);
    *p++ = utcOffset < 0 ? '-' : '+';
    const std::int64_t magnitude = utcOffset < 0 ? -std::int64_t{utcOffset} : utcOffset;
    return putHoursMinutes(p, magnitude / 3600, magnitude / 60 % 60);
}

std::string textOf(const char* begin, const char* end) { return std::string(begin, end); }

// By length: append(first, last) goes through the general replace path.
void appendRange(std::string& out, const char* begin, const char* end) {
    out.append(begin, static_cast<std::size_t>(end - begin));
}

}  // namespace

std::string dateText(std::int32_t t, bool monthFirst) { return dateText(calendar::localDate(t), monthFirst); }

std::string dateText(const calendar::Date& date, bool monthFirst) {
    char buffer[kRoom];
    return textOf(buffer, putDayMonthYear(buffer, date, monthFirst, false));
}

std::string shortDateText(std::int32_t t, bool monthFirst) { return shortDateText(calendar::localDate(t), monthFirst); }

std::string shortDateText(const calendar::Date& date, bool monthFirst) {
    char buffer[kRoom];
    return textOf(buffer, putDayMonthYear(buffer, date, monthFirst, true));
}

std::string clockText(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clockText(local.hour, local.minute);
}

std::string clockText(int hour, int minute) {
    char buffer[kRoom];
    return textOf(buffer, putHoursMinutes(buffer, hour, minute));
}

std::string clock12Text(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clock12Text(local.hour, local.minute);
}

std::string clock12Text(int hour, int minute) {
    char buffer[kRoom];
    return textOf(buffer, putClock12(buffer, hour, minute));
}

int twelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const char* meridiemText(int hour) { return hour < 12 ? "AM" : "PM"; }

std::string spanText(std::int64_t seconds) {
    const std::int64_t withinDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    char buffer[kRoom];
    return textOf(buffer, putHoursMinutes(buffer, withinDay / 3600, withinDay % 3600 / 60));
}

std::string signedSpanText(std::int64_t seconds) {
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    char buffer[kRoom];
    char* p = buffer;
    if (seconds < 0) *p++ = '-';
    return textOf(buffer, putHoursMinutes(p, magnitude / 3600 % 24, magnitude / 60 % 60));
}

std::string hoursMinutesText(std::int64_t minutes) {
    char buffer[kRoom];
    return textOf(buffer, putSignedHoursMinutes(buffer, minutes));
}

std::string isoDateTimeText(const calendar::LocalTime& local, std::int32_t utcOffset) {
    char buffer[kRoom];
    return textOf(buffer, putIsoDateTime(buffer, local, utcOffset));
}

void appendShortDateText(std::string& out, const calendar::Date& date, bool monthFirst) {
    char buffer[kRoom];
    appendRange(out, buffer, putDayMonthYear(buffer, date, monthFirst, true));
}

void appendClockText(std::string& out, int hour, int minute) {
    char buffer[kRoom];
    appendRange(out, buffer, putHoursMinutes(buffer, hour, minute));
}

void appendClock12Text(std::string& out, int hour, int minute) {
    char buffer[kRoom];
    appendRange(out, buffer, putClock12(buffer, hour, minute));
}

void appendHoursMinutesText(std::string& out, std::int64_t minutes) {
    char buffer[kRoom];
    appendRange(out, buffer, putSignedHoursMinutes(buffer, minutes));
}

void appendIsoDateTimeText(std::string& out, const calendar::LocalTime& local, std::int32_t utcOffset) {
    char buffer[kRoom];
    appendRange(out, buffer, putIsoDateTime(buffer, local, utcOffset));
}

}  // namespace ql
