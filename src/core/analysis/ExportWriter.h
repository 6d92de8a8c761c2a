#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrameRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ql {

class ProjectIndex;

// The three check boxes of the export.
struct ExportOptions {
    bool minutes = false;   // the duration as whole minutes (180) instead of 03:00
    bool hours24 = false;   // the time as 16:00 instead of 04:00 PM
    bool oneField = false;  // date and time in one field, joined by a space
};

// What to export: the frames InPeriod, of one project id or all.
struct ExportRequest {
    ReportPeriod period;
    std::int32_t projectId = -1;  // -1 for all projects, sub-projects included
    bool monthFirst = true;       // dates "%m/%d/%y", else "%d/%m/%y"
    ExportOptions options;
    std::string userName;         // the User field of every line
};

// The period an export covers unless one is chosen, in the Export dialog and on the command
// line: 1 January 1980 00:00:00 to 31 December 1999 23:59:59, local time.
ReportPeriod defaultExportPeriod();

// "User", "Project", "Date", "Time", "Duration" (or "Date Time" in one field), tab-separated,
// ending with CR LF.
std::string exportHeader(const ExportOptions& options);

// The data line of frame, ending with CR LF, in local time. The same bytes in every locale.
// A tab, CR or LF inside the user or project name is written as a space, so a name can never
// split a line or a field.
std::string exportLine(std::string_view userName, std::string_view projectName, const TimeFrameRecord& frame,
                       bool monthFirst, const ExportOptions& options);

// Receives the export text in order, in pieces; false when it could not keep a piece.
using ExportSink = std::function<bool(std::string_view text)>;

// The export of set: the header, then one line per chosen frame in file
// order, the project named as in the projects file (deletedProjectName for an id that names
// none). Streams the time frames once and reads the projects file once, when the first line
// needs it. Fails with "Cannot open time frames file : " + path or "Cannot open project file
// : " + path, or with an I/O error when out refuses a piece; out may then have received part
// of the text, which the caller must not keep. A caller that has read the projects already
// passes them, and the file is not read again. progress, when given, follows the time frames
// read; a stop ends the export with Status::cancelled().
Status writeExport(FileSystem& fs, const FileSet& set, const ExportRequest& request,
                   const ExportSink& out, const ProjectIndex* projects = nullptr, Progress* progress = nullptr);

}  // namespace ql
