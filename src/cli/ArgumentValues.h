#pragma once

#include "core/Status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Turns the text of one command-line value into the value a record holds. Every function
// refuses what it cannot take whole with Status::invalidArgument, whose message names the
// option and says what was wrong; nothing is ever cut, rounded or wrapped to fit.
namespace ql::cli {

// A whole signed 32-bit decimal integer ("12", "-1"); no blanks, signs other than a
// leading '-', or trailing text.
Result<std::int32_t> parseInt32(std::string_view option, std::string_view text);

// A whole number of minutes, 0 or more, that fits 32 bits when counted in seconds.
Result<std::int32_t> parseMinutes(std::string_view option, std::string_view text);

// A non-negative decimal amount such as "25" or "37.50" (digits and at most one '.').
Result<double> parseAmount(std::string_view option, std::string_view text);

// A date "YYYY-MM-DD" at the start (00:00:00) or end (23:59:59) of that local day, or
// "@EPOCH", seconds taken exactly, so that either hour of a repeated daylight-saving hour
// can be named. Refuses dates that do not exist or do not fit 32-bit seconds.
enum class DayEnd { Start, End };
Result<std::int32_t> parseDate(std::string_view option, std::string_view text, DayEnd end);

// Local time "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" ('T' may replace the blank), in
// the zone TZ names. Refuses dates that do not exist (30 February, hour 24), clock times
// that a daylight-saving change skips, and times that do not fit 32-bit seconds. "@EPOCH"
// is taken as seconds since 1970 exactly.
Result<std::int32_t> parseLocalDateTime(std::string_view option, std::string_view text);

enum class TextKind { SingleLine, MultiLine };

// The text as a record field of `width` bytes stores it: multi-line text gets CR LF line
// breaks (a lone LF becomes CR LF); single-line text may not hold a line break at all.
// Refuses text that is not UTF-8 or, once stored, is longer than width - 1 bytes both as
// UTF-8 and as Windows-1252.
Result<std::string> fieldText(std::string_view option, std::string_view text, std::size_t width, TextKind kind);

// Stored text as it is shown: CR LF line breaks become LF.
std::string displayedText(std::string_view stored);

}  // namespace ql::cli
