#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"

namespace ql::cli {

Status runReport(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const ReportRequest& request) {
    if (const Status taken = pdf.takeOver(); !taken) return taken;
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    if (auto settings = openFileSet(fs, request.path); !settings) return settings.status();
    // The footers name the time the report is printed at, which --at pins for scripts.
    const FixedClock printedAt(*now);

    if (request.report == PrintedReport::WeekChart) {
        WeekChart chart(*now);
        // As the window's chart after its own load: a projects file that cannot be read is
        // shown once there; here it fails, since the bars would have no names.
        if (const Status loaded = chart.load(fs, request.path); !loaded) return loaded;
        return pdf.writeWeekChart(chart, request.pdf);
    }
    auto table = request.report == PrintedReport::History ? buildHistoryReport(fs, request.path, *now)
                                                          : buildCustomerReport(fs, request.path);
    if (!table) return table.status();
    return pdf.writeTable(fs, *table, request.report == PrintedReport::History ? kHistoryTitle : kCustomersTitle,
                          printedAt, request.pdf);
}

}  // namespace ql::cli
