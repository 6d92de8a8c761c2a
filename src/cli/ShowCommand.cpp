#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"
#include "cli/TextRendering.h"

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/Charges.h"

#include <unordered_map>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

Status showSettings(const SettingsRecord& settings, bool json, std::ostream& out) {
    if (json) {
        JsonArrayWriter writer(out);
        writer.add(settingsJson(settings));
        writer.finish();
    } else {
        writeSettingsText(out, settings);
    }
    return Status::ok();
}

Status showProjects(FileSystem& fs, const FileSet& set, const SettingsRecord& settings, bool json,
                    std::ostream& out) {
    const auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) return projects.status();
    if (json) {
        JsonArrayWriter writer(out);
        for (const auto& p : projects->records()) writer.add(projectJson(p, projects->fullName(p.id, true)));
        writer.finish();
    } else {
        writeProjectsText(out, *projects, settings.monetarySymbol);
    }
    return Status::ok();
}

Status showCustomers(FileSystem& fs, const FileSet& set, bool json, std::ostream& out) {
    const auto customers = loadCustomers(fs, set.customers());
    if (!customers) return customers.status();
    if (json) {
        JsonArrayWriter writer(out);
        for (const auto& c : *customers) writer.add(customerJson(c));
        writer.finish();
    } else {
        writeCustomersText(out, *customers);
    }
    return Status::ok();
}

Status showFrames(FileSystem& fs, const FileSet& set, const SettingsRecord& settings, bool json,
                  std::ostream& out) {
    const auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) return projects.status();
    // Full names once per project, not once per frame.
    std::unordered_map<std::int32_t, std::string> fullNames;
    for (const auto& p : projects->records()) fullNames.try_emplace(p.id, projects->fullName(p.id, true));
    JsonArrayWriter writer(out);
    bool started = false;
    auto start = [&] {
        if (!started && !json) writeFrameHeadingText(out);
        started = true;
    };
    const Status scanned = forEachTimeFrame(fs, set.timeFrames(), [&](const TimeFrameRecord& f) {
        start();
        FrameRow row;
        row.frame = f;
        row.project = projects->find(f.projectId);
        if (row.project) row.fullName = fullNames.at(f.projectId);
        row.minutes = wholeMinutes(std::int64_t{f.end} - f.start);
        row.charge = chargeFor(projects->chargesPerHour(f.projectId), row.minutes);
        if (json) writer.add(frameJson(row));
        else writeFrameText(out, row, settings.monetarySymbol);
    });
    if (!scanned) return scanned;
    start();
    if (json) writer.finish();
    return Status::ok();
}

}  // namespace

Status runShow(FileSystem& fs, const ShowRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    const auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    switch (request.what) {
    case ShowWhat::Settings: return showSettings(*settings, request.json, out);
    case ShowWhat::Projects: return showProjects(fs, set, *settings, request.json, out);
    case ShowWhat::Customers: return showCustomers(fs, set, request.json, out);
    case ShowWhat::Frames: return showFrames(fs, set, *settings, request.json, out);
    }
    return Status::invalidArgument("unknown record kind");
}

void addShowCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        ShowRequest request;
        std::string what;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("show", "Print the settings, projects, customers or time frames of a file set");
    addFilePath(*c, o.request.path);
    c->add_option("WHAT", o.what, "What to print")
        ->required()
        ->check(CLI::IsMember({"settings", "projects", "customers", "frames"}))
        ->type_name("");
    c->add_flag("--json", o.request.json, "Print one JSON array of objects");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.what = o.what == "settings"    ? ShowWhat::Settings
                             : o.what == "projects"  ? ShowWhat::Projects
                             : o.what == "customers" ? ShowWhat::Customers
                                                     : ShowWhat::Frames;
            return runShow(setup.fs, o.request, setup.out);
        });
    });
}

}  // namespace ql::cli
