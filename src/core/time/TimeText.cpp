#include "core/time/TimeText.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <charconv>

namespace ql {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Every text is written into a stack buffer and handed over in one piece, so that the
// appending forms cost no temporary string: an export writes millions of them.
constexpr std::size_t kRoom = kTimeTextRoom;

// Two digits of 0..99; any other value as zeroPaddedText writes it.
char* putTwoDigits(char* p, std::int64_t n) {
    if (n >= 0 && n < 100) return putTwoDigitText(p, static_cast<unsigned>(n));
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

char* putIsoDate(char* p, const calendar::Date& d) {
    p = putYear(p, d.year);
    *p++ = '-';
    p = putTwoDigits(p, d.month);
    *p++ = '-';
    return putTwoDigits(p, d.day);
}

// The usual case of a 32-bit time's local fields, pair after pair without a range check per
// pair: a history as JSON writes two per row.
bool putsPlainly(const calendar::LocalTime& l, std::int32_t utcOffset) {
    const auto inRange = [](int n, int first, int last) { return n >= first && n <= last; };
    return inRange(l.year, 1000, 9999) && inRange(l.month, 0, 99) && inRange(l.day, 0, 99) && inRange(l.hour, 0, 99) &&
           inRange(l.minute, 0, 99) && inRange(l.second, 0, 99) && inRange(utcOffset, -99 * 3600, 99 * 3600);
}

char* putIsoDateTime(char* p, const calendar::LocalTime& l, std::int32_t utcOffset) {
    if (putsPlainly(l, utcOffset)) {
        const auto pair = [&p](int n) { p = putTwoDigitText(p, static_cast<unsigned>(n)); };
        pair(l.year / 100);
        pair(l.year % 100);
        *p++ = '-';
        pair(l.month);
        *p++ = '-';
        pair(l.day);
        *p++ = 'T';
        pair(l.hour);
        *p++ = ':';
        pair(l.minute);
        *p++ = ':';
        pair(l.second);
        *p++ = utcOffset < 0 ? '-' : '+';
        const int magnitude = utcOffset < 0 ? -utcOffset : utcOffset;
        pair(magnitude / 3600);
        *p++ = ':';
        pair(magnitude / 60 % 60);
        return p;
    }
    p = putIsoDate(p, {l.year, l.month, l.day});
    *p++ = 'T';
    p = putHoursMinutes(p, l.hour, l.minute);
    *p++ = ':';
    p = putTwoDigits(p, l.second);
    *p++ = utcOffset < 0 ? '-' : '+';
    const std::int64_t magnitude = utcOffset < 0 ? -std::int64_t{utcOffset} : utcOffset;
    return putHoursMinutes(p, magnitude / 3600, magnitude / 60 % 60);
}

// One form, written by write(buffer) (which returns the end) into a buffer on the stack.
template <typename Write>
std::string formed(const Write& write) {
    char buffer[kRoom];
    return std::string(buffer, write(buffer));
}

// The same, appended by length: append(first, last) goes through the general replace path.
template <typename Write>
void appendFormed(std::string& out, const Write& write) {
    char buffer[kRoom];
    out.append(buffer, static_cast<std::size_t>(write(buffer) - buffer));
}

}  // namespace

std::string dateText(std::int32_t t, bool monthFirst) { return dateText(calendar::localDate(t), monthFirst); }

std::string dateText(const calendar::Date& date, bool monthFirst) {
    return formed([&](char* b) { return putDayMonthYear(b, date, monthFirst, false); });
}

std::optional<calendar::Date> dateOfText(std::string_view text, bool monthFirst) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    int fields[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 3, 6}, lengths[3] = {2, 2, 4};
    for (int f = 0; f < 3; ++f) {
        const char* first = text.data() + starts[f];
        const auto [end, ec] = std::from_chars(first, first + lengths[f], fields[f]);
        if (ec != std::errc() || end != first + lengths[f]) return std::nullopt;
    }
    const calendar::Date date{fields[2], monthFirst ? fields[0] : fields[1], monthFirst ? fields[1] : fields[0]};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > calendar::daysInMonth(date.month, date.year))
        return std::nullopt;
    return date;
}

std::string shortDateText(std::int32_t t, bool monthFirst) { return shortDateText(calendar::localDate(t), monthFirst); }

std::string shortDateText(const calendar::Date& date, bool monthFirst) {
    return formed([&](char* b) { return putDayMonthYear(b, date, monthFirst, true); });
}

std::string clockText(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clockText(local.hour, local.minute);
}

std::string clockText(int hour, int minute) {
    return formed([&](char* b) { return putHoursMinutes(b, hour, minute); });
}

std::string clock12Text(std::int32_t t) {
    const calendar::LocalTime local = calendar::toLocal(t);
    return clock12Text(local.hour, local.minute);
}

std::string clock12Text(int hour, int minute) {
    return formed([&](char* b) { return putClock12(b, hour, minute); });
}

int twelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const char* meridiemText(int hour) { return hour < 12 ? "AM" : "PM"; }

std::string spanText(std::int64_t seconds) {
    const std::int64_t withinDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return formed([&](char* b) { return putHoursMinutes(b, withinDay / 3600, withinDay % 3600 / 60); });
}

std::string signedSpanText(std::int64_t seconds) {
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    return formed([&](char* p) {
        if (seconds < 0) *p++ = '-';
        return putHoursMinutes(p, magnitude / 3600 % 24, magnitude / 60 % 60);
    });
}

std::string hoursMinutesText(std::int64_t minutes) {
    return formed([&](char* b) { return putSignedHoursMinutes(b, minutes); });
}

std::string isoDateText(std::int32_t t) {
    const calendar::Date date = calendar::localDate(t);
    return formed([&](char* b) { return putIsoDate(b, date); });
}

std::string compactDateText(const calendar::Date& date) {
    std::string year = std::to_string(date.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return formed([&](char* b) { return putTwoDigits(putTwoDigits(std::copy(year.begin(), year.end(), b), date.month), date.day); });
}

std::string decimalHoursText(std::int64_t minutes) {
    const std::uint64_t magnitude = minutes < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(minutes)
                                                : static_cast<std::uint64_t>(minutes);
    const std::uint64_t tenThousandths = (magnitude * 10000 + 30) / 60;
    std::string fraction = std::to_string(tenThousandths % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (minutes < 0 && tenThousandths != 0 ? "-" : "") + std::to_string(tenThousandths / 10000) + "." + fraction;
}

std::string isoDateTimeText(const calendar::LocalTime& local, std::int32_t utcOffset) {
    return formed([&](char* b) { return putIsoDateTime(b, local, utcOffset); });
}

char* putShortDateText(char* p, const calendar::Date& date, bool monthFirst) {
    return putDayMonthYear(p, date, monthFirst, true);
}

char* putClockText(char* p, int hour, int minute) { return putHoursMinutes(p, hour, minute); }

char* putClock12Text(char* p, int hour, int minute) { return putClock12(p, hour, minute); }

char* putHoursMinutesText(char* p, std::int64_t minutes) { return putSignedHoursMinutes(p, minutes); }

char* putIsoDateTimeText(char* p, const calendar::LocalTime& local, std::int32_t utcOffset) {
    return putIsoDateTime(p, local, utcOffset);
}

void appendShortDateText(std::string& out, const calendar::Date& date, bool monthFirst) {
    appendFormed(out, [&](char* b) { return putDayMonthYear(b, date, monthFirst, true); });
}

void appendClockText(std::string& out, int hour, int minute) {
    appendFormed(out, [&](char* b) { return putHoursMinutes(b, hour, minute); });
}

void appendClock12Text(std::string& out, int hour, int minute) {
    appendFormed(out, [&](char* b) { return putClock12(b, hour, minute); });
}

void appendHoursMinutesText(std::string& out, std::int64_t minutes) {
    appendFormed(out, [&](char* b) { return putSignedHoursMinutes(b, minutes); });
}

void appendIsoDateTimeText(std::string& out, const calendar::LocalTime& local, std::int32_t utcOffset) {
    appendFormed(out, [&](char* b) { return putIsoDateTime(b, local, utcOffset); });
}

}  // namespace ql
