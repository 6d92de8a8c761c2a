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
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

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

// The start of every line of a project: the user and project fields, each followed by a TAB.
std::string lineLead(std::string_view userName, std::string_view projectName) {
    std::string lead;
    field(lead, userName);
    lead += '\t';
    field(lead, projectName);
    lead += '\t';
    return lead;
}

// The most a line adds to its lead: the date, time and duration fields and their separators.
constexpr std::size_t kLineRoomAfterLead = 3 * (kTimeTextRoom + 1) + 2;

// Writes the line of frame after its lead at p, which has room for lead.size() +
// kLineRoomAfterLead characters; returns the end.
char* putLine(char* p, std::string_view lead, const TimeFrameRecord& frame, const calendar::LocalTime& start,
              bool monthFirst, const ExportOptions& options) {
    std::memcpy(p, lead.data(), lead.size());
    p += lead.size();
    p = putShortDateText(p, calendar::Date{start.year, start.month, start.day}, monthFirst);
    *p++ = options.oneField ? ' ' : '\t';
    p = options.hours24 ? putClockText(p, start.hour, start.minute) : putClock12Text(p, start.hour, start.minute);
    *p++ = '\t';
    const std::int64_t minutes = (std::int64_t{frame.end} - frame.start) / 60;
    // All the hours, also beyond a day: 25 hours read 25:00, not 01:00.
    p = options.minutes ? putIntegerText(p, minutes) : putHoursMinutesText(p, minutes);
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

// Each project's lead, made the first time a line needs it: a year's export has 200,000 lines
// and a few hundred projects.
class LeadsOfProjects {
public:
    LeadsOfProjects(const ProjectIndex& projects, std::string_view userName)
        : m_projects(projects), m_userName(userName), m_leads(projects.records().size()) {}

    const std::string& of(std::int32_t projectId) {
        if (const ProjectRecord* project = m_projects.find(projectId)) {
            std::string& lead = m_leads[static_cast<std::size_t>(project - m_projects.records().data())];
            // Never empty once made: a lead holds two TABs.
            if (lead.empty()) lead = lineLead(m_userName, project->name);
            return lead;
        }
        auto [it, added] = m_deleted.try_emplace(projectId);
        if (added) it->second = lineLead(m_userName, deletedProjectName(projectId));
        return it->second;
    }

private:
    const ProjectIndex& m_projects;
    std::string_view m_userName;
    std::vector<std::string> m_leads;  // by position in m_projects.records()
    std::unordered_map<std::int32_t, std::string> m_deleted;
};

}  // namespace

ReportPeriod defaultExportPeriod() {
    return {*calendar::fromLocal(1980, 1, 1, 0, 0, 0), *calendar::fromLocal(1999, 12, 31, 23, 59, 59)};
}

std::string exportHeader(const ExportOptions& options) {
    return options.oneField ? "User\tProject\tDate Time\tDuration\r\n" : "User\tProject\tDate\tTime\tDuration\r\n";
}

std::string exportLine(std::string_view userName, std::string_view projectName, const TimeFrameRecord& frame,
                       bool monthFirst, const ExportOptions& options) {
    const std::string lead = lineLead(userName, projectName);
    std::string line(lead.size() + kLineRoomAfterLead, '\0');
    char* end = putLine(line.data(), lead, frame, calendar::toLocal(frame.start), monthFirst, options);
    line.resize(static_cast<std::size_t>(end - line.data()));
    return line;
}

Status writeExport(FileSystem& fs, const FileSet& set, const ExportRequest& request,
                   const ExportSink& out, const ProjectIndex* loadedProjects, Progress* progress) {
    // Lines are written straight into a buffer of fixed size, handed over whenever the next
    // line might not fit: no growth and no copy per field.
    constexpr std::size_t kPiece = 64 * 1024;
    std::string buffer(kPiece, '\0');
    const std::string header = exportHeader(request.options);
    std::memcpy(buffer.data(), header.data(), header.size());
    std::size_t used = header.size();

    const std::string& projectsPath = set.projects();
    std::optional<ProjectIndex> read;
    const ProjectIndex* projects = loadedProjects;
    std::optional<LeadsOfProjects> leads;
    Status failure;
    calendar::LocalTimeCache local;
    const Status scanned = forEachTimeFrame(
        fs, set.timeFrames(),
        [&](const TimeFrameRecord& f) {
            if (!failure || !InPeriod(f.start, request.period)) return;
            if (request.projectId != -1 && f.projectId != request.projectId) return;
            if (!leads) {
                if (!projects) {
                    auto loaded = ProjectIndex::load(fs, projectsPath);
                    if (!loaded) {
                        failure = loaded.status();
                        return;
                    }
                    read = std::move(loaded).value();
                    projects = &*read;
                }
                leads.emplace(*projects, request.userName);
            }
            const std::string& lead = leads->of(f.projectId);
            if (buffer.size() - used < lead.size() + kLineRoomAfterLead) {
                if (!out(std::string_view(buffer.data(), used)))
                    failure = Status::ioError(Message(MessageId::ExportNotWritten));
                used = 0;
                // A lead longer than the whole buffer (a very long user name) gets room of its own.
                if (buffer.size() < lead.size() + kLineRoomAfterLead) buffer.resize(lead.size() + kLineRoomAfterLead);
            }
            char* end = putLine(buffer.data() + used, lead, f, local.toLocal(f.start), request.monthFirst,
                                request.options);
            used = static_cast<std::size_t>(end - buffer.data());
        },
        progress);
    if (!scanned) return scanned;
    if (!failure) return failure;
    if (!out(std::string_view(buffer.data(), used))) return Status::ioError(Message(MessageId::ExportNotWritten));
    return Status::ok();
}

}  // namespace ql
