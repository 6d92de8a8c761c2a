#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"

#include "core/store/FileSet.h"
#include "core/analysis/PieChart.h"
#include "core/text/NumberText.h"

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

std::string colourText(const Rgb& c) { return "#" + hexText(c.r, 2) + hexText(c.g, 2) + hexText(c.b, 2); }

}  // namespace

Status runPie(FileSystem& fs, const Clock& clock, const PieRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    const std::string name = request.period.value_or("this-year");
    const auto period = periodOption(request.from, request.to, name, *now);
    if (!period) return period.status();
    if (!*period) return Status::invalidArgument("--period: '" + name + "' is not a period");
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();

    PieChart chart;
    if (const Status computed = chart.compute(fs, set, **period); !computed) return computed;

    const double total = static_cast<double>(chart.totalMinutes());
    auto shareOf = [&](const PieSlice& s) { return total > 0 ? static_cast<double>(s.minutes) / total : 0.0; };
    if (request.json) {
        JsonArrayWriter writer(out);
        for (const PieSlice& s : chart.slices())
            writer.add(Json{{"name", s.name}, {"minutes", s.minutes}, {"share", shareOf(s)}, {"colour", colourText(s.colour)}});
        writer.finish();
        return Status::ok();
    }
    out << "Project\tTime\tMinutes\tShare\n";
    for (const PieSlice& s : chart.slices())
        out << s.name << '\t' << pieTimeText(s.minutes) << '\t' << integerText(s.minutes) << '\t'
            << fixed2Text(shareOf(s) * 100.0) << "%\n";
    return Status::ok();
}

void addPieCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        PieRequest request;
        OptionalText from, to, period, at;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("pie", "Print the pie chart's time per project name, in its order, with each share");
    addFilePath(*c, o.request.path);
    addOptional(*c, o.period, "--period", "Period of the frames' starts (default: this-year, as the chart opens)",
                "this-year|this-month|this-week|today");
    addDayRange(*c, o.from, o.to, "First day, instead of --period", "Last day, instead of --period", &o.period);
    addOptional(*c, o.at, "--at", "Local time the periods are taken around (default: now)", kTimeType);
    c->add_flag("--json", o.request.json, "Print one JSON array of objects");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.period = o.period.get();
            o.request.from = o.from.get();
            o.request.to = o.to.get();
            o.request.at = o.at.get();
            return runPie(setup.fs, setup.clock, o.request, setup.out);
        });
    });
}

}  // namespace ql::cli
