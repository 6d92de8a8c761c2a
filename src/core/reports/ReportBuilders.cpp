#include "core/reports/ReportBuilders.h"

#include "core/reports/ReportPeriod.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

namespace ql {

Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, std::int32_t now) {
    return buildHistoryReport(fs, set, readHistoryFilter(fs, set.historyFilter(), now));
}

Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, const HistoryFilterRecord& filter) {
    const std::string symbol = readSettings(fs, set).valueOr(SettingsRecord{}).monetarySymbol;
    ReportTable table = makeHistoryTable(set.settings(), symbol);
    auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) return projects.status();

    namespace col = history_column;
    const ReportPeriod period{filter.periodStart, filter.periodEnd};
    const Status read = forEachTimeFrame(fs, set.timeFrames(), [&](const TimeFrameRecord& f) {
        if (filter.projectId != -1 && filter.projectId != f.projectId) return;
        if (!InPeriod(f.start, period)) return;
        const ProjectRecord* project = projects->find(f.projectId);
        const std::int32_t minutes = wholeMinutes(static_cast<std::int64_t>(f.end) - f.start);
        const calendar::LocalTime start = calendar::toLocal(f.start);
        const std::size_t r = table.appendRow();
        table.setText(r, col::kProject, project ? project->name : deletedProjectName(f.projectId));
        table.setInt(r, col::kDate, start.year * 10000 + start.month * 100 + start.day);
        table.setInt(r, col::kTime, start.hour * 60 + start.minute);
        table.setInt(r, col::kDuration, minutes);
        table.setDouble(r, col::kCharge, chargeFor(project ? project->chargesPerHour : 0.0, minutes));
    });
    if (!read) return read;
    SortReportRows(table, static_cast<std::int32_t>(col::kProject), static_cast<std::int32_t>(col::kDate));
    return table;
}

Result<ReportTable> buildCustomerReport(FileSystem& fs, const FileSet& set) {
    auto customers = loadCustomers(fs, set.customers());
    if (!customers) return customers.status();
    ReportTable table = makeCustomerTable(set.settings());
    table.reserveRows(customers->size());
    namespace col = customer_column;
    for (const CustomerRecord& c : *customers) {
        const std::size_t r = table.appendRow();
        table.setText(r, col::kName, c.name);
        table.setText(r, col::kAddress, c.address);
        table.setText(r, col::kCity, c.city);
        table.setText(r, col::kZip, c.zip);
        table.setText(r, col::kState, c.state);
        table.setText(r, col::kCountry, c.country);
        table.setText(r, col::kPhone, c.phone);
    }
    SortReportRows(table, static_cast<std::int32_t>(col::kName), static_cast<std::int32_t>(col::kName));
    return table;
}

}  // namespace ql
