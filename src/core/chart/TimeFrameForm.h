#pragma once

#include "core/Status.h"
#include "core/store/TimeFrameRecord.h"

#include <cstdint>
#include <string>

namespace ql {

// The texts of the time frame dialog's three edits.
struct TimeFrameTexts {
    std::string date;      // "03/15/1996" month first, "15/03/1996" day first
    std::string time;      // start time of day, "09:00"
    std::string duration;  // "01:30": the span's hours within a day (0..23) and minutes

    bool operator==(const TimeFrameTexts&) const = default;
};

enum class TimeFrameField { Date, Time, Duration };

// The outcome of reading the edits: the frame, or the message to show and the edit to
// put the focus on (field is meaningful only when frame holds no value).
struct TimeFrameInput {
    Result<TimeFrameRecord> frame;
    TimeFrameField field = TimeFrameField::Date;
};

// The edits' texts for frame, in local time; monthFirst is the settings' date order.
// A span that is negative shows as "00:00"; whole days of a longer span are not shown.
TimeFrameTexts formatTimeFrameTexts(const TimeFrameRecord& frame, bool monthFirst);

// The edited frame that texts describe, of original's project: the date as three numbers
// separated by "/" in the settings' order, the time and the duration as hours:minutes with
// minutes below 60 (a time's hours below 24); blanks around the numbers are allowed. A
// duration left as formatTimeFrameTexts showed it keeps original's whole span, days included;
// a date and time left so keep original's start (its seconds and, in a repeated hour, its
// occurrence), and a time left so keeps its seconds and occurrence on another date: texts left
// as shown give original back unchanged.
// Refused with an InvalidArgument message when a text does not read so, the date does not
// exist, a time does not fit 32 bits, or the end would lie before the start.
TimeFrameInput parseTimeFrameTexts(const TimeFrameRecord& original, const TimeFrameTexts& texts, bool monthFirst);

}  // namespace ql
