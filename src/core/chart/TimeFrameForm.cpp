#include "core/chart/TimeFrameForm.h"

#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace ql {

namespace {

struct Numbers {
    bool negative = false;  // a '-' stood before the first number
    std::array<std::int64_t, 3> values{};
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads exactly count decimal numbers separated by sep, with blanks around each; only the
// first may be preceded by '-', and only when allowMinus. Huge numbers saturate rather
// than overflow: no field accepts them anyway.
std::optional<Numbers> readNumbers(std::string_view text, char sep, std::size_t count, bool allowMinus) {
    Numbers numbers;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    for (std::size_t n = 0; n < count; ++n) {
        skipBlanks();
        if (n > 0) {
            if (pos >= text.size() || text[pos] != sep) return std::nullopt;
            ++pos;
            skipBlanks();
        } else if (allowMinus && pos < text.size() && text[pos] == '-') {
            numbers.negative = true;
            ++pos;
        }
        const std::size_t digitsFrom = pos;
        std::int64_t value = 0;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
            value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), std::int64_t{1} << 40);
        if (pos == digitsFrom) return std::nullopt;
        numbers.values[n] = value;
    }
    skipBlanks();
    if (pos != text.size()) return std::nullopt;
    return numbers;
}

TimeFrameInput refuse(TimeFrameField field, Message message) {
    return {Status::invalidArgument(std::move(message)), field};
}

}  // namespace

TimeFrameTexts formatTimeFrameTexts(const TimeFrameRecord& frame, bool monthFirst) {
    const std::int64_t span = std::max<std::int64_t>(0, std::int64_t{frame.end} - frame.start);
    return {dateText(frame.start, monthFirst), clockText(frame.start), spanText(span)};
}

TimeFrameInput parseTimeFrameTexts(const TimeFrameRecord& original, const TimeFrameTexts& texts, bool monthFirst) {
    const auto date = readNumbers(texts.date, '/', 3, false);
    if (!date)
        return refuse(TimeFrameField::Date,
                      Message(monthFirst ? MessageId::DateFormatMonthFirst : MessageId::DateFormatDayFirst));
    const auto time = readNumbers(texts.time, ':', 2, false);
    if (!time || time->values[0] > 23 || time->values[1] > 59)
        return refuse(TimeFrameField::Time,
Message(MessageId::TimeFormat));
    const auto duration = readNumbers(texts.duration, ':', 2, true);
    if (!duration || duration->values[1] > 59)
        return refuse(TimeFrameField::Duration,
Message(MessageId::DurationFormat));

    const std::int64_t month = date->values[monthFirst ? 0 : 1];
    const std::int64_t day = date->values[monthFirst ? 1 : 0];
    const std::int64_t year = date->values[2];
    if (month < 1 || month > 12 || day < 1 || year > 9999 ||
        day > calendar::daysInMonth(static_cast<int>(month), static_cast<int>(year)))
        return refuse(TimeFrameField::Date, Message(MessageId::NoSuchDate, {texts.date}));

    // What the edits cannot show stays as it was while the user leaves their text alone: the
    // start's seconds and, in a repeated hour, which of its two occurrences it is.
    const TimeFrameTexts shown = formatTimeFrameTexts(original, monthFirst);
    const bool timeKept = texts.time == shown.time;
    std::optional<std::int32_t> start;
    if (timeKept && texts.date == shown.date) {
        start = original.start;
    } else {
        const calendar::LocalTime was = calendar::toLocal(original.start);
        start = calendar::fromLocal(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                                    static_cast<int>(time->values[0]), static_cast<int>(time->values[1]),
                                    timeKept ? was.second : 0);
        if (start && timeKept) {
            const auto first = calendar::fromLocal(was.year, was.month, was.day, was.hour, was.minute, was.second);
            const std::int64_t later = first ? std::int64_t{original.start} - *first : 0;
            if (later > 0 && later <= std::numeric_limits<std::int32_t>::max() - *start) {
                const calendar::LocalTime a = calendar::toLocal(*start);
                const calendar::LocalTime b = calendar::toLocal(static_cast<std::int32_t>(*start + later));
                if (a.day == b.day && a.hour == b.hour && a.minute == b.minute && a.second == b.second)
                    start = static_cast<std::int32_t>(*start + later);
            }
        }
    }
    if (!start)
        return refuse(TimeFrameField::Date, Message(MessageId::DateNotStorable));

    // The edit shows only the hours within a day; left unchanged, it must not cut the frame short.
    const std::int64_t originalSpan = std::int64_t{original.end} - original.start;
    std::int64_t span = duration->values[0] * 3600 + duration->values[1] * 60;
    if (duration->negative) span = -span;
    if (originalSpan >= 0 && texts.duration == spanText(originalSpan)) span = originalSpan;

    if (span < 0)
        return refuse(TimeFrameField::Duration,
Message(MessageId::FrameEndsBeforeStartDuration));
    const std::int64_t end = *start + span;
    if (end > std::numeric_limits<std::int32_t>::max())
        return refuse(TimeFrameField::Duration,
Message(MessageId::FrameEndsAfter2038));
    return {TimeFrameRecord{original.projectId, *start, static_cast<std::int32_t>(end)}, TimeFrameField::Date};
}

}  // namespace ql
