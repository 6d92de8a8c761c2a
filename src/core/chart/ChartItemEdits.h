#pragma once

#include "core/Status.h"
#include "core/chart/ChartItem.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrameRecord.h"

#include <string>

namespace ql {

// The stored time frame a chart item shows: its project, start and end.
TimeFrameRecord frameOf(const ChartItem& item);

// Edit Item: replaces item's frame by edited in the time frames file of set, in one
// crash-safe rewrite (every copy of the old frame goes, edited is
// appended), so a failure leaves the file as it was. Refuses (InvalidArgument) an edited
// frame ending before it starts or of another project; fails with "Cannot open time frames
// file : " + path.
Status editChartItem(FileSystem& fs, const FileSet& set, const ChartItem& item, const TimeFrameRecord& edited);

// Delete Item, once the user has confirmed: removes every copy of item's frame from the
// time frames file of set.
Status deleteChartItem(FileSystem& fs, const FileSet& set, const ChartItem& item);

}  // namespace ql
