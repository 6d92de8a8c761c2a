#include "cli/ArgumentValues.h"
#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/chart/ChartHours.h"
#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"
#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"
#include "core/text/NumberText.h"

#include <CLI/CLI.hpp>

namespace ql::cli {

Status runReport(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const ReportRequest& request) {
    const FileSet set(request.path);
    // The renderer writes without knowing the set; refused here, before anything is read.
    if (const Status refused = refuseFileOfSet(fs, request.pdf, set); !refused) return refused;
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    std::optional<std::pair<int, int>> hours;
    if (request.hours) {
        if (request.report != PrintedReport::WeekChart)
            return Status::invalidArgument("--hours: only the week chart has hours");
        const std::string& text = *request.hours;
        const auto dash = text.find('-');
        auto first = parseInt32("--hours", text.substr(0, dash == std::string::npos ? text.size() : dash));
        auto last = dash == std::string::npos ? first : parseInt32("--hours", text.substr(dash + 1));
        if (dash == std::string::npos || !first || !last || !ChartHours{*first, *last}.isValid())
            return Status::invalidArgument("--hours: '" + text + "' is not START-END with 0 <= START < END <= 24");
        hours = std::pair{*first, *last};
    }
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();
    // The footers name the time the report is printed at, which --at pins for scripts.
    const FixedClock printedAt(*now);

    if (request.report == PrintedReport::WeekChart) {
        WeekChart chart(*now);
        if (hours) chart.setHours(hours->first, hours->second);
        // As the window's chart after its own load: a projects file that cannot be read is
        // shown once there; here it fails, since the bars would have no names.
        if (const Status loaded = chart.load(fs, set); !loaded) return loaded;
        return pdf.writeWeekChart(fs, chart, request.pdf);
    }
    auto table = request.report == PrintedReport::History ? buildHistoryReport(fs, set, *now)
                                                          : buildCustomerReport(fs, set);
    if (!table) return table.status();
    return pdf.writeTable(fs, *table, request.report == PrintedReport::History ? kHistoryTitle : kCustomersTitle,
                          printedAt, request.pdf);
}

Result<HandOver> reportHandOver(FileSystem& fs, const ReportRequest& request) {
    // The renderer writes without knowing the set; refused here, before anything is read.
    if (const Status refused = refuseFileOfSet(fs, request.pdf, FileSet(request.path)); !refused) return refused;
    return HandOver::Required;
}

void addReportCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        ReportRequest request;
        std::string what;
        OptionalText at, hours;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand(
        "report", "Write a printed report as PDF: the history (saved filter), the customer list or the week chart");
    addFilePath(*c, o.request.path);
    c->add_option("REPORT", o.what, "Which report")
        ->required()
        ->check(CLI::IsMember({"history", "customers", "week"}))
        ->type_name("history|customers|week");
    c->add_option("--pdf", o.request.pdf, "PDF file, written whole or not at all")->required()->type_name("PATH");
    addOptional(*c, o.at, "--at", "Local time the report is taken at (the week of the chart) and printed at (default: now)",
                kTimeType);
    addOptional(*c, o.hours, "--hours",
                "Hours the week chart shows, as its Change Hours... sets them (default: " +
                    integerText(ChartHours::kDefaultStart) + "-" + integerText(ChartHours::kDefaultEnd) + ")",
                "START-END");
    c->callback([&setup, &o] {
        ReportRequest& request = o.request;
        request.report = o.what == "history"     ? PrintedReport::History
                         : o.what == "customers" ? PrintedReport::Customers
                                                 : PrintedReport::WeekChart;
        request.at = o.at.get();
        request.hours = o.hours.get();
        setup.choose([&setup, &request] { return runReport(setup.fs, setup.clock, setup.pdf, request); },
                     [&setup, &request] { return reportHandOver(setup.fs, request); });
    });
}

}  // namespace ql::cli
