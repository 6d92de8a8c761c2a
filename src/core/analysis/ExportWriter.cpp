#include "core/analysis/ExportWriter.h"

#include "core/analysis/PieChart.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/LocalTimeCache.h"
#include "core/time/TimeText.h"

#include <algorithm>
#include <optional>

namespace ql {
namespace {

// A plain loop: find_first_of over a set of three characters costs a library call per
// character, and every line passes two names through here.
void field(std::string& out, std::string_view text) {
    const auto breaksLine = [](char c) { return c == '\t' || c == '\r' || c == '\n'; };
    if (std::none_of(text.begin(), text.end(), breaksLine)) {
        out.append(text);
        return;
    }
    for (const char c : text) out += breaksLine(c) ? ' ' : c;
}

void appendLine(std::string& out, std::string_view userName, std::string_view projectName,
                const TimeFrameRecord& frame, const calendar::LocalTime& start, bool monthFirst,
                const ExportOptions& options) {
    field(out, userName);
    out += '\t';
    field(out, projectName);

    out += '\t';
    appendShortDateText(out, calendar::Date{start.year, start.month, start.day}, monthFirst);
    out += options.oneField ? ' ' : '\t';
    if (options.hours24)
        appendClockText(out, start.hour, start.minute);
    else
        appendClock12Text(out, start.hour, start.minute);
    out += '\t';
    const std::int64_t minutes = (std::int64_t{frame.end} - frame.start) / 60;
    // All the hours, also beyond a day: 25 hours read 25:00, not 01:00.
    if (options.minutes)
        appendIntegerText(out, minutes);
    else
        appendHoursMinutesText(out, minutes);
    out += "\r\n";
}

}  // namespace

ReportPeriod defaultExportPeriod() {
    return {*calendar::fromLocal(1980, 1, 1, 0, 0, 0), *calendar::fromLocal(1999, 12, 31, 23, 59, 59)};
}

std::string exportHeader(const ExportOptions& options) {
    return options.oneField ? "User\tProject\tDate Time\tDuration\r\n" : "User\tProject\tDate\tTime\tDuration\r\n";
}

std::string exportLine(std::string_view userName, std::string_view projectName, const TimeFrameRecord& frame,
                       bool monthFirst, const ExportOptions& options) {
    std::string line;
    appendLine(line, userName, projectName, frame, calendar::toLocal(frame.start), monthFirst, options);
    return line;
}

Status writeExport(FileSystem& fs, const FileSet& set, const ExportRequest& request,
                   const ExportSink& out, const ProjectIndex* loadedProjects, Progress* progress) {
    constexpr std::size_t kPiece = 64 * 1024;
    std::string buffer = exportHeader(request.options);
    buffer.reserve(kPiece + 1024);

    const std::string& projectsPath = set.projects();
    std::optional<ProjectIndex> read;
    const ProjectIndex* projects = loadedProjects;
    Status failure;
    std::string deletedName;
    calendar::LocalTimeCache local;
    const Status scanned = forEachTimeFrame(
        fs, set.timeFrames(),
        [&](const TimeFrameRecord& f) {
            if (!failure || !InPeriod(f.start, request.period)) return;
            if (request.projectId != -1 && f.projectId != request.projectId) return;
            if (!projects) {
                auto loaded = ProjectIndex::load(fs, projectsPath);
                if (!loaded) {
                    failure = loaded.status();
                    return;
                }
                read = std::move(loaded).value();
                projects = &*read;
            }
            const ProjectRecord* project = projects->find(f.projectId);
            if (!project) deletedName = deletedProjectName(f.projectId);
            appendLine(buffer, request.userName, project ? std::string_view(project->name) : deletedName, f,
                       local.toLocal(f.start), request.monthFirst, request.options);
            if (buffer.size() >= kPiece) {
                if (!out(buffer)) failure = Status::ioError("The export file could not be written.");
                buffer.clear();
            }
        },
        progress);
    if (!scanned) return scanned;
    if (!failure) return failure;
    if (!out(buffer)) return Status::ioError("The export file could not be written.");
    return Status::ok();
}

}  // namespace ql
