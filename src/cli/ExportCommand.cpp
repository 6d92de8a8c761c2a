#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/analysis/ExportWriter.h"
#include "core/analysis/UserName.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/time/TimeText.h"

#include <CLI/CLI.hpp>

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

void addExportCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        ExportCommandRequest request;
        OptionalText from, to, project, user;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("export", "Write the export file of the Export dialog (tab-separated, CR LF)");
    addFilePath(*c, o.request.path);
    c->add_option("--out", o.request.out, "File written whole or not at all, or - for the standard output (default: -)")
        ->type_name("PATH|-");
    addDayRange(*c, o.from, o.to, "First day (default: 1980-01-01, as the dialog)",
                "Last day (default: 1999-12-31, as the dialog)");
    addOptional(*c, o.project, "--project", "Only the frames of this project id (default: all projects)", "ID");
    c->add_flag("--minutes", o.request.minutes, "Durations in whole minutes (180) instead of 03:00");
    c->add_flag("--24-hour", o.request.hours24, "Times as " + clockText(16, 0) + " instead of " + clock12Text(16, 0));
    c->add_flag("--one-field", o.request.oneField, "Date and time in one field");
    addOptional(*c, o.user, "--user", "The User field (default: the account's full name, else its login)", "NAME");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.from = o.from.get();
            o.request.to = o.to.get();
            o.request.project = o.project.get();
            o.request.user = o.user.get();
            return runExport(setup.fs, o.request, setup.out);
        });
    });
}

}  // namespace ql::cli
