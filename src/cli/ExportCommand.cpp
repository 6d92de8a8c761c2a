#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/analysis/ExportWriter.h"
#include "core/analysis/UserName.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"

namespace ql::cli {

Status runExport(FileSystem& fs, const ExportCommandRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    ExportRequest exportRequest;
    const auto projectId = optionalRecordId("--project", request.project, "project");
    if (!projectId) return projectId.status();
    const std::optional<std::int32_t> project = *projectId;
    const auto typed = typedPeriod(request.from, request.to);
    if (!typed) return typed.status();
    if (*typed) {
        exportRequest.period = **typed;
    } else {
        exportRequest.period = defaultExportPeriod();
    }

    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    exportRequest.monthFirst = settings->monthFirst();
    exportRequest.options = {request.minutes, request.hours24, request.oneField};
    exportRequest.userName = request.user ? *request.user : exportUserName("");

    // The dialog offers only the projects of the file; the file is read once, here.
    const std::string projectsPath = set.projects();
    auto projects = ProjectIndex::load(fs, projectsPath);
    if (!projects) return projects.status();
    if (project) {
        if (!projects->find(*project))
            return Status::invalidArgument("--project: no project has the id " + std::to_string(*project));
        exportRequest.projectId = *project;
    }

    return writeOutputTo(fs, set, request.out, out, "Cannot write the export file : " + request.out,
                         [&](const OutputSink& sink) {
                             return writeExport(fs, set, exportRequest, sink, &*projects);
                         });
}

}  // namespace ql::cli
