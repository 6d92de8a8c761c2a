#include "cli/ArgumentValues.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/chart/ChartHours.h"
#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"
#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"

namespace ql::cli {

Status runReport(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const ReportRequest& request) {
    const FileSet set(request.path);
    // The renderer writes without knowing the set; refused here, before anything is read.
    if (const Status refused = refuseFileOfSet(fs, request.pdf, set); !refused) return refused;
    if (const Status taken = pdf.takeOver(); !taken) return taken;
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

}  // namespace ql::cli
