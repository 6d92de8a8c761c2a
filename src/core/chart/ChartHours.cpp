#include "core/chart/ChartHours.h"

#include "core/time/TimeText.h"

#include <algorithm>

namespace ql {

void ChartHours::stepStart(int delta) { start = std::clamp(start + delta, 0, std::max(0, end - 1)); }

void ChartHours::stepEnd(int delta) { end = std::clamp(end + delta, std::min(24, start + 1), 24); }

std::string ChartHours::text(int hour) { return clockText(hour, 0); }

}  // namespace ql
