#include "cli/ArgumentValues.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"
#include "cli/TextRendering.h"

#include "core/store/FileSet.h"
#include "core/tracking/PeriodTotals.h"

#include <CLI/CLI.hpp>

namespace ql::cli {

Status runTotals(FileSystem& fs, const Clock& clock, const TotalsRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    std::int32_t now = clock.now();
    if (request.at) {
        auto at = parseLocalDateTime("--at", *request.at);
        if (!at) return at.status();
        now = *at;
    }
    const auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();

    // The very computation behind the main view's totals panel, so the two always agree.
    const PeriodTotals totals = computeTotals(fs, set, now, *settings);
    // Totals priced without their projects would look right and be wrong: no output then.
    if (!totals.failures.empty()) return totals.failures.front();

    if (request.json) {
        JsonArrayWriter writer(out);
        for (const PeriodTotal& period : totals.periods) writer.add(periodTotalJson(period));
        writer.finish();
    } else {
        writeTotalsText(out, totals);
    }
    return Status::ok();
}

void addTotalsCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        TotalsRequest request;
        OptionalText at;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("totals", "Print the totals of today, this week, this month and this year");
    addFilePath(*c, o.request.path);
    addOptional(*c, o.at, "--at", "Local time the periods are taken around (default: now)", "\"YYYY-MM-DD HH:MM\"");
    c->add_flag("--json", o.request.json, "Print one JSON array of objects");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.at = o.at.get();
            return runTotals(setup.fs, setup.clock, o.request, setup.out);
        });
    });
}

}  // namespace ql::cli
