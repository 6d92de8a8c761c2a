#include "core/reports/ReportPeriod.h"

#include "core/time/Calendar.h"

#include <cstddef>

namespace ql {
namespace {

// Far beyond any year 32-bit time reaches, so carrying a typed day or month stays short.
constexpr std::int64_t kYearLimit = 3000;
constexpr std::int64_t kNumberLimit = 1'000'000'000'000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One "%d": blanks, an optional sign, at least one digit. Huge numbers are held at a bound
// that no date reaches, so they are refused as out of range rather than wrapped.
std::optional<std::int64_t> readNumber(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t digitsStart = pos;
    std::int64_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (value < kNumberLimit) value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    if (pos == digitsStart) return std::nullopt;
    return negative ? -value : value;
}

// "%d/%d/%d": the slashes must follow the numbers at once; the rest of the text is ignored.
std::optional<std::array<std::int64_t, 3>> readThreeNumbers(std::string_view text) {
    std::array<std::int64_t, 3> numbers{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0 && (pos >= text.size() || text[pos++] != '/')) return std::nullopt;
        const auto number = readNumber(text, pos);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::optional<PeriodChoice> periodChoiceFromIndex(std::int32_t index) {
    if (index < 0 || index >= kPeriodChoiceCount) return std::nullopt;
    return static_cast<PeriodChoice>(index);
}

const char* defaultToText(bool monthFirst) { return monthFirst ? "12/31/1996" : "31/12/1996"; }

Result<std::int32_t> ParseDateText(std::string_view text, bool monthFirst, DayClock clock,
                                   MessageId fieldName) {
    const std::string example = monthFirst ? "12/31/1996" : "31/12/1996";
    const auto numbers = readThreeNumbers(text);
    if (!numbers)
        return Status::invalidArgument(
            Message(monthFirst ? MessageId::PeriodDateNotADateMonthFirst : MessageId::PeriodDateNotADateDayFirst,
                    {fieldName, quoted(text), example}));
    std::int64_t month = monthFirst ? (*numbers)[0] : (*numbers)[1];
    std::int64_t day = monthFirst ? (*numbers)[1] : (*numbers)[0];
    std::int64_t year = (*numbers)[2];
    const Status outOfRange = Status::invalidArgument(
        Message(monthFirst ? MessageId::PeriodDateOutsideMonthFirst : MessageId::PeriodDateOutsideDayFirst,
                {fieldName, quoted(text), example}));

    // The month carries into the year first, then the day into months, as mktime does.
    if (year < -kYearLimit || year > kYearLimit || month < -12 * kYearLimit || month > 12 * kYearLimit)
        return outOfRange;
    const std::int64_t months = year * 12 + (month - 1);
    year = (months >= 0 ? months : months - 11) / 12;
    month = months - year * 12 + 1;
    while (day < 1 || day > calendar::daysInMonth(static_cast<int>(month), static_cast<int>(year))) {
        if (year < 1800 || year > 2200) return outOfRange;
        if (day < 1) {
            if (--month < 1) month = 12, --year;
            day += calendar::daysInMonth(static_cast<int>(month), static_cast<int>(year));
        } else {
            day -= calendar::daysInMonth(static_cast<int>(month), static_cast<int>(year));
            if (++month > 12) month = 1, ++year;
        }
    }
    if (year < 1800 || year > 2200) return outOfRange;
    const auto t = clock == DayClock::Start
                       ? calendar::fromLocal(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day))
                       : calendar::fromLocal(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                                             23, 59, 59);
    if (!t) return outOfRange;
    return *t;
}

Result<ReportPeriod> ResolvePeriod(PeriodChoice choice, std::string_view fromText, std::string_view toText,
                                   bool monthFirst, std::int32_t now) {
    switch (choice) {
    case PeriodChoice::ThisYear: return ReportPeriod{calendar::yearStart(now), calendar::yearEnd(now)};
    case PeriodChoice::ThisMonth: return ReportPeriod{calendar::monthStart(now), calendar::monthEnd(now)};
    case PeriodChoice::ThisWeek: return ReportPeriod{calendar::weekStart(now), calendar::weekEnd(now)};
    case PeriodChoice::Today: return ReportPeriod{calendar::dayStart(now), calendar::dayEnd(now)};
    case PeriodChoice::Custom: break;
    }
    const auto start = ParseDateText(fromText, monthFirst, DayClock::Start, MessageId::FieldFrom);
    if (!start) return start.status();
    const auto end = ParseDateText(toText, monthFirst, DayClock::End, MessageId::FieldTo);
    if (!end) return end.status();
    return ReportPeriod{*start, *end};
}

std::string longDateText(std::int32_t t, bool monthFirst) {
    // Built from the fields, not strftime, so no locale can change a digit.
    const calendar::LocalTime local = calendar::toLocal(t);
    const auto two = [](int n) { return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)}; };
    const std::string year = std::to_string(local.year);
    const std::string first = monthFirst ? two(local.month) : two(local.day);
    const std::string second = monthFirst ? two(local.day) : two(local.month);
    return first + "/" + second + "/" + std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
}

}  // namespace ql
