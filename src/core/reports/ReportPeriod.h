#pragma once

#include "core/Status.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reporting periods: the five choices of a period list, how a choice becomes a closed
// interval of local times, how typed dates are read and how dates are written.
namespace ql {

// The index of an entry of a period list, as dialogs and the saved history filter store it.
enum class PeriodChoice : std::int32_t { ThisYear = 0, ThisMonth = 1, ThisWeek = 2, Today = 3, Custom = 4 };

inline constexpr int kPeriodChoiceCount = 5;

// The list texts in list order: "This Year", "This Month", "This Week", "Today", "Custom".
inline constexpr std::array<MessageId, kPeriodChoiceCount> kPeriodChoiceTexts = {
    MessageId::PeriodThisYear, MessageId::PeriodThisMonth, MessageId::PeriodThisWeek, MessageId::PeriodToday,
    MessageId::PeriodCustom};

// The choice of a stored index; nullopt for anything outside 0..4.
std::optional<PeriodChoice> periodChoiceFromIndex(std::int32_t index);

// Both ends inclusive, in local-time seconds.
struct ReportPeriod {
    std::int32_t start = 0;
    std::int32_t end = 0;

    bool operator==(const ReportPeriod&) const = default;
};

// The clock time a typed date is taken at.
enum class DayClock { Start, End };  // 00:00:00, 23:59:59

// The fixed texts the From and To fields are reset to: "01/01/1996" and "12/31/1996"
// (month first) or "31/12/1996" (day first).
inline constexpr const char* kDefaultFromText = "01/01/1996";
const char* defaultToText(bool monthFirst);

// Reads a typed date as "%d/%d/%d" would (blanks before each number skipped, anything after
// the third number ignored), month/day/year when monthFirst, else day/month/year. The year
// is taken as typed (96 is the year 96); a day or month beyond its range carries into the
// next month or year (02/30/1996 is 1 March 1996, day 0 the last day of the month before).
// Returns the local time of that date at the given clock time. InvalidArgument, with a text
// naming the field (MessageId::FieldFrom, FieldTo), when the text does not start with three numbers or the
// date does not fit 32-bit time.
Result<std::int32_t> ParseDateText(std::string_view text, bool monthFirst, DayClock clock,
                                   MessageId fieldName = MessageId::FieldFrom);

// The interval of a choice at time now: the calendar year, month, week (Monday to Sunday),
// or day of now; for Custom the From date at 00:00:00 to the To date at 23:59:59, with no
// check that start <= end. Fails only for Custom, as ParseDateText does for the field
// named "From" or "To".
Result<ReportPeriod> ResolvePeriod(PeriodChoice choice, std::string_view fromText, std::string_view toText,
                                   bool monthFirst, std::int32_t now);

// Whether a time frame starting at frameStart belongs to period: only the start decides.
constexpr bool InPeriod(std::int32_t frameStart, const ReportPeriod& period) {
    return period.start <= frameStart && frameStart <= period.end;
}

// t in local time as "%m/%d/%Y" when monthFirst, else "%d/%m/%Y" (12/31/1996, 31/12/1996).
std::string longDateText(std::int32_t t, bool monthFirst);

}  // namespace ql
