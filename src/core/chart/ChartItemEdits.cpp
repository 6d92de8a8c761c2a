#include "core/chart/ChartItemEdits.h"

#include "core/store/FileSet.h"
#include "core/store/TimeFrames.h"

namespace ql {

TimeFrameRecord frameOf(const ChartItem& item) { return {item.projectId, item.start, item.end}; }

Status editChartItem(FileSystem& fs, const FileSet& set, const ChartItem& item, const TimeFrameRecord& edited) {
    if (edited.end < edited.start)
        return Status::invalidArgument(Message(MessageId::FrameEndsBeforeStart));
    if (edited.projectId != item.projectId)
        return Status::invalidArgument(Message(MessageId::EditedFrameKeepsProject));
    return updateTimeFrame(fs, set.timeFrames(), frameOf(item), edited);
}

Status deleteChartItem(FileSystem& fs, const FileSet& set, const ChartItem& item) {
    return removeTimeFrame(fs, set.timeFrames(), frameOf(item));
}

}  // namespace ql
