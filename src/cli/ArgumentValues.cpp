#include "cli/ArgumentValues.h"

#include "core/store/FieldCodec.h"
#include "core/time/Calendar.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace ql::cli {
namespace {

std::string quoted(std::string_view option, std::string_view text) {
    return std::string(option) + ": '" + std::string(text) + "'";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1 to maxDigits digits at pos; nullopt when there are none or too many.
std::optional<int> takeNumber(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits) {
    const std::size_t begin = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    const std::size_t n = pos - begin;
    if (n < minDigits || n > maxDigits) return std::nullopt;
    int value = 0;
    for (std::size_t i = begin; i < pos; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool take(std::string_view text, std::size_t& pos, std::string_view separators) {
    if (pos >= text.size() || separators.find(text[pos]) == std::string_view::npos) return false;
    ++pos;
    return true;
}

// The Gregorian rule; the calendar's own shortcut only holds inside the 32-bit range.
int daysInGregorianMonth(int month, int year) {
    if (month == 2) return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    return calendar::daysInMonth(month, year);
}

struct YearMonthDay {
    int year = 0;
    int month = 0;
    int day = 0;
    bool exists() const { return month >= 1 && month <= 12 && day >= 1 && day <= daysInGregorianMonth(month, year); }
};

// "YYYY-MM-DD" at pos, the month and day with at least minDigits digits; nullopt when the
// text there has another form.
std::optional<YearMonthDay> takeDate(std::string_view text, std::size_t& pos, std::size_t minDigits) {
    const auto year = takeNumber(text, pos, 4, 4);
    const bool dash1 = year && take(text, pos, "-");
    const auto month = dash1 ? takeNumber(text, pos, minDigits, 2) : std::nullopt;
    const bool dash2 = month && take(text, pos, "-");
    const auto day = dash2 ? takeNumber(text, pos, minDigits, 2) : std::nullopt;
    if (!day) return std::nullopt;
    return YearMonthDay{*year, *month, *day};
}

Status beyond32Bits(std::string_view option, std::string_view text) {
    return Status::invalidArgument(quoted(option, text) + " does not fit a 32-bit time (13 December 1901 to 19 January 2038)");
}

// "@EPOCH": a whole signed number of seconds that fits 32 bits.
std::optional<Result<std::int32_t>> epochSeconds(std::string_view option, std::string_view text) {
    if (text.empty() || text.front() != '@') return std::nullopt;
    std::int32_t value = 0;
    const std::string_view digits = text.substr(1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return Result<std::int32_t>(Status::invalidArgument(
            quoted(option, text) + " is not @EPOCH seconds that fit a 32-bit time"));
    return Result<std::int32_t>(value);
}

}  // namespace

Result<std::int32_t> parseDate(std::string_view option, std::string_view text, DayEnd end) {
    if (auto epoch = epochSeconds(option, text)) return *epoch;
    std::size_t pos = 0;
    const auto date = takeDate(text, pos, 2);
    if (!date || pos != text.size())
        return Status::invalidArgument(quoted(option, text) + " is not a date of the form YYYY-MM-DD or @EPOCH");
    if (!date->exists()) return Status::invalidArgument(quoted(option, text) + " is not a date that exists");
    const auto t = end == DayEnd::Start ? calendar::fromLocal(date->year, date->month, date->day, 0, 0, 0)
                                        : calendar::fromLocal(date->year, date->month, date->day, 23, 59, 59);
    if (!t) return beyond32Bits(option, text);
    return *t;
}

Result<std::int32_t> parseInt32(std::string_view option, std::string_view text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range && end == text.data() + text.size())
        return Status::invalidArgument(quoted(option, text) + " is out of range");
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return Status::invalidArgument(quoted(option, text) + " is not a whole number");
    return value;
}

Result<std::int32_t> parseMinutes(std::string_view option, std::string_view text) {
    constexpr std::int32_t kMostMinutes = std::numeric_limits<std::int32_t>::max() / 60;
    auto value = parseInt32(option, text);
    if (!value) {
        if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos)
            return Status::invalidArgument(quoted(option, text) + " is too long (at most " +
                                           std::to_string(kMostMinutes) + " minutes)");
        return value;
    }
    if (*value < 0) return Status::invalidArgument(quoted(option, text) + " is negative");
    if (*value > kMostMinutes)
        return Status::invalidArgument(quoted(option, text) + " is too long (at most " + std::to_string(kMostMinutes) +
                                       " minutes)");
    return value;
}

Result<double> parseAmount(std::string_view option, std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    const std::size_t dot = digits.find('.');
    const bool wellFormed = !digits.empty() && digits != "." &&
                            digits.find_first_not_of("0123456789.") == std::string_view::npos &&
                            (dot == std::string_view::npos || digits.find('.', dot + 1) == std::string_view::npos);
    if (!wellFormed) return Status::invalidArgument(quoted(option, text) + " is not an amount (such as 37.50)");
    if (negative) return Status::invalidArgument(quoted(option, text) + " is negative");
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        return Status::invalidArgument(quoted(option, text) + " is too large");
    return value;
}

Result<std::int32_t> parseLocalDateTime(std::string_view option, std::string_view text) {
    if (auto epoch = epochSeconds(option, text)) return *epoch;
    std::size_t pos = 0;
    const auto date = takeDate(text, pos, 1);
    const bool blank = date && take(text, pos, " T");
    const auto hour = blank ? takeNumber(text, pos, 1, 2) : std::nullopt;
    const bool colon1 = hour && take(text, pos, ":");
    const auto minute = colon1 ? takeNumber(text, pos, 2, 2) : std::nullopt;
    std::optional<int> second = 0;
    if (minute && take(text, pos, ":")) second = takeNumber(text, pos, 2, 2);
    if (!minute || !second || pos != text.size())
        return Status::invalidArgument(quoted(option, text) + " is not a date and time of the form YYYY-MM-DD HH:MM[:SS]");

    if (!date->exists() || *hour > 23 || *minute > 59 || *second > 59)
        return Status::invalidArgument(quoted(option, text) + " is not a date and time that exists");

    const auto t = calendar::fromLocal(date->year, date->month, date->day, *hour, *minute, *second);
    if (!t) return beyond32Bits(option, text);
    // The platform moves a clock time that a daylight-saving change skips; refuse it instead.
    const auto back = calendar::toLocal(*t);
    if (back.year != date->year || back.month != date->month || back.day != date->day || back.hour != *hour ||
        back.minute != *minute || back.second != *second)
        return Status::invalidArgument(quoted(option, text) + " does not exist in the local time zone");
    return *t;
}

Result<std::string> fieldText(std::string_view option, std::string_view text, std::size_t width, TextKind kind) {
    if (!codec::isValidUtf8(text)) return Status::invalidArgument(std::string(option) + ": the text is not valid UTF-8");
    std::string stored;
    stored.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0') return Status::invalidArgument(std::string(option) + ": the text holds a NUL character");
        if (kind == TextKind::SingleLine && (c == '\n' || c == '\r'))
            return Status::invalidArgument(std::string(option) + ": the text must be a single line");
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) stored += '\r';
        stored += c;
    }
    // Text that only fits in its 8-bit form is stored that way, as an older installation would.
    if (!codec::textFitsField(stored, width))
        return Status::invalidArgument(std::string(option) + ": the text is " + std::to_string(stored.size()) +
                                       " bytes long; the field holds at most " + std::to_string(width - 1) + " bytes");
    return stored;
}

std::string displayedText(std::string_view stored) {
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (!(stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n')) shown += stored[i];
    return shown;
}

}  // namespace ql::cli
