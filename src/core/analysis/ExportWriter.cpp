#include "core/analysis/ExportWriter.h"

#include "core/analysis/PieChart.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/LocalTimeCache.h"

#include <optional>

namespace ql {
namespace {

// Digits are written by hand: printf and strftime would follow the process's locale.
char* twoDigits(char* out, std::int64_t n) {
    *out++ = static_cast<char>('0' + n / 10 % 10);
    *out++ = static_cast<char>('0' + n % 10);
    return out;
}

char* decimal(char* out, std::int64_t n) {
    if (n < 0) {
        *out++ = '-';
        n = -n;
    }
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

void field(std::string& out, std::string_view text) {
    if (text.find_first_of("\t\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

void appendLine(std::string& out, std::string_view userName, std::string_view projectName,
                const TimeFrameRecord& frame, const calendar::LocalTime& start, bool monthFirst,
                const ExportOptions& options) {
    field(out, userName);
    out += '\t';
    field(out, projectName);

    char text[64];
    char* p = text;
    *p++ = '\t';
    p = twoDigits(p, monthFirst ? start.month : start.day);
    *p++ = '/';
    p = twoDigits(p, monthFirst ? start.day : start.month);
    *p++ = '/';
    p = twoDigits(p, (start.year % 100 + 100) % 100);
    *p++ = options.oneField ? ' ' : '\t';
    const int hour12 = start.hour % 12 == 0 ? 12 : start.hour % 12;
    p = twoDigits(p, options.hours24 ? start.hour : hour12);
    *p++ = ':';
    p = twoDigits(p, start.minute);
    if (!options.hours24) {
        *p++ = ' ';
        *p++ = start.hour < 12 ? 'A' : 'P';
        *p++ = 'M';
    }
    *p++ = '\t';

    const std::int64_t minutes = (std::int64_t{frame.end} - frame.start) / 60;
    if (options.minutes) {
        p = decimal(p, minutes);
    } else {
        // All the hours, also beyond a day: 25 hours read 25:00, not 01:00.
        const std::int64_t whole = minutes < 0 ? -minutes : minutes;
        if (minutes < 0) *p++ = '-';
        if (whole / 60 < 10) *p++ = '0';
        p = decimal(p, whole / 60);
        *p++ = ':';
        p = twoDigits(p, whole % 60);
    }
    *p++ = '\r';
    *p++ = '\n';
    out.append(text, static_cast<std::size_t>(p - text));
}

}  // namespace

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
                   const ExportSink& out, const ProjectIndex* loadedProjects) {
    constexpr std::size_t kPiece = 64 * 1024;
    std::string buffer = exportHeader(request.options);
    buffer.reserve(kPiece + 1024);

    const std::string& projectsPath = set.projects();
    std::optional<ProjectIndex> read;
    const ProjectIndex* projects = loadedProjects;
    Status failure;
    std::string deletedName;
    calendar::LocalTimeCache local;
    const Status scanned =
        forEachTimeFrame(fs, set.timeFrames(), [&](const TimeFrameRecord& f) {
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
        });
    if (!scanned) return scanned;
    if (!failure) return failure;
    if (!out(buffer)) return Status::ioError("The export file could not be written.");
    return Status::ok();
}

}  // namespace ql
