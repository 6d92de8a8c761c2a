#include "cli/ArgumentValues.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/TextRendering.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"

#include <cstdint>
#include <limits>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

Status checkOrder(const TimeFrameRecord& frame, const char* endOption) {
    if (frame.end >= frame.start) return Status::ok();
    return Status::invalidArgument(std::string(endOption) + ": " + localTimeText(frame.end) + " is before --start " +
                                   localTimeText(frame.start));
}

Result<TimeFrameRecord> parseFrame(const std::string& project, const std::string& start, const std::string& end) {
    TimeFrameRecord frame;
    auto id = parseInt32("--project", project);
    if (!id) return id.status();
    auto from = parseLocalDateTime("--start", start);
    if (!from) return from.status();
    auto to = parseLocalDateTime("--end", end);
    if (!to) return to.status();
    frame = {*id, *from, *to};
    if (Status st = checkOrder(frame, "--end"); !st) return st;
    return frame;
}

}  // namespace

Status runAddFrame(FileSystem& fs, const AddFrameRequest& request, std::ostream&) {
    const FileSet set(request.path);
    if (request.end.has_value() == request.minutes.has_value())
        return Status::invalidArgument("add-frame needs exactly one of --end and --minutes");
    TimeFrameRecord frame;
    if (request.end) {
        auto parsed = parseFrame(request.project, request.start, *request.end);
        if (!parsed) return parsed.status();
        frame = *parsed;
    } else {
        auto parsed = parseFrame(request.project, request.start, request.start);
        if (!parsed) return parsed.status();
        auto minutes = parseMinutes("--minutes", *request.minutes);
        if (!minutes) return minutes.status();
        frame = *parsed;
        const std::int64_t end = std::int64_t{frame.start} + std::int64_t{*minutes} * 60;
        if (end > std::numeric_limits<std::int32_t>::max())
            return Status::invalidArgument("--minutes: the frame would end after 19 January 2038, beyond 32-bit time");
        frame.end = static_cast<std::int32_t>(end);
    }

    if (auto settings = openFileSet(fs, set); !settings) return settings.status();
    auto project = findProjectById(fs, set.projects(), frame.projectId);
    if (!project) return project.status();
    if (!project->has_value())
        return Status::invalidArgument("--project: there is no project with id " + request.project);
    return appendTimeFrame(fs, set, frame);
}

Status runRemoveFrame(FileSystem& fs, const RemoveFrameRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    auto frame = parseFrame(request.project, request.start, request.end);
    if (!frame) return frame.status();
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();

    // Frames of a deleted project stay removable, so the project need not exist; but a
    // removal that matches nothing is reported, and then nothing is rewritten.
    const std::string timeFramesPath = set.timeFrames();
    std::int64_t copies = 0;
    const Status scanned = forEachTimeFrame(fs, timeFramesPath, [&](const TimeFrameRecord& f) {
        if (f == *frame) ++copies;
    });
    if (!scanned) return scanned;
    if (copies == 0)
        return Status::notFound("No time frame of project " + std::to_string(frame->projectId) + " runs from " +
                                localTimeText(frame->start) + " to " + localTimeText(frame->end));
    if (Status st = removeTimeFrame(fs, timeFramesPath, *frame); !st) return st;
    out << copies << '\n';
    return Status::ok();
}

void addAddFrameCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        AddFrameRequest request;
        OptionalText end, minutes;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("add-frame", "Add a time frame worked on a project");
    addFilePath(*c, o.request.path);
    c->add_option("--project", o.request.project, "Project id")->required()->type_name("ID");
    c->add_option("--start", o.request.start, "Local start time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
    addOptional(*c, o.end, "--end", "Local end time, not before the start", "\"YYYY-MM-DD HH:MM[:SS]\"");
    addOptional(*c, o.minutes, "--minutes", "Length in whole minutes, instead of --end", "N");
    o.end.option->excludes(o.minutes.option);
    o.minutes.option->excludes(o.end.option);
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.end = o.end.get();
            o.request.minutes = o.minutes.get();
            return runAddFrame(setup.fs, o.request, setup.out);
        });
    });
}

void addRemoveFrameCommand(CLI::App& app, CommandSetup& setup) {
    RemoveFrameRequest& request = setup.keep<RemoveFrameRequest>();
    CLI::App* c = app.add_subcommand("remove-frame", "Remove every copy of a time frame and print how many there were");
    addFilePath(*c, request.path);
    c->add_option("--project", request.project, "Project id")->required()->type_name("ID");
    c->add_option("--start", request.start, "Local start time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
    c->add_option("--end", request.end, "Local end time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runRemoveFrame(setup.fs, request, setup.out); });
    });
}

}  // namespace ql::cli
