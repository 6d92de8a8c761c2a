#pragma once

#include "core/time/Calendar.h"

#include <cstdint>
#include <string>

// The specified date and time texts, in local time, the same bytes under every locale.
// Every report, dialog and export writes its dates and clock times through these.
namespace ql {

// "%m/%d/%Y" when monthFirst, else "%d/%m/%Y": "12/31/1996", "31/12/1996".
std::string dateText(std::int32_t t, bool monthFirst);
std::string dateText(const calendar::Date& date, bool monthFirst);
// "%m/%d/%y" when monthFirst, else "%d/%m/%y" (two-digit year): "12/31/96".
std::string shortDateText(std::int32_t t, bool monthFirst);
// "%H:%M", 24-hour clock: "09:05", "17:30".
std::string clockText(std::int32_t t);
// "%I:%M %p", 12-hour clock, always "AM" or "PM": "12:05 AM", "05:30 PM".
std::string clock12Text(std::int32_t t);
// A second count as the time span "%H:%M": the hours within a day (00..23) and minutes, whole
// days not shown (90061 s -> "01:01"); a negative span wraps as the clock does (-60 s -> "23:59").
std::string spanText(std::int64_t seconds);

}  // namespace ql
