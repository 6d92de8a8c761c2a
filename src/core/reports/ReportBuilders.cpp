#include "core/reports/ReportBuilders.h"

#include "core/reports/HistoryItems.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"

#include <utility>

namespace ql {

Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, std::int32_t now) {
    return buildHistoryReport(fs, set, readHistoryFilter(fs, set.historyFilter(), now));
}

Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, const HistoryFilterRecord& filter) {
    const std::string symbol = readSettings(fs, set).valueOr(SettingsRecord{}).monetarySymbol;
    ReportTable table = makeHistoryTable(set.settings(), symbol);
    // The rows the History dialog lists for this filter, so print and dialog never disagree.
    const HistoryLoad load = LoadHistoryItems(fs, set, historyFilterOf(filter));
    if (!load.failure) return load.failure;

    namespace col = history_column;
    const HistoryItems& history = load.history;
    table.reserveRows(history.items.size());
    for (const HistoryItem& item : history.items) {
        const std::size_t r = table.appendRow();
        table.setText(r, col::kProject, history.projectOf(item).name);
        table.setInt(r, col::kDate, item.dateKey);
        table.setInt(r, col::kTime, item.timeKey);
        table.setInt(r, col::kDuration, item.minutes);
        table.setDouble(r, col::kCharge, item.charge);
    }
    SortReportRows(table, static_cast<std::int32_t>(col::kProject), static_cast<std::int32_t>(col::kDate));
    return table;
}

Result<ReportTable> buildCustomerReport(FileSystem& fs, const FileSet& set) {
    auto customers = loadCustomers(fs, set.customers());
    if (!customers) return customers.status();
    ReportTable table = makeCustomerTable(set.settings());
    table.reserveRows(customers->size());
    namespace col = customer_column;
    static constexpr std::pair<std::size_t, std::string CustomerRecord::*> kFields[] = {
        {col::kName, &CustomerRecord::name},   {col::kAddress, &CustomerRecord::address},
        {col::kCity, &CustomerRecord::city},   {col::kZip, &CustomerRecord::zip},
        {col::kState, &CustomerRecord::state}, {col::kCountry, &CustomerRecord::country},
        {col::kPhone, &CustomerRecord::phone},
    };
    for (const CustomerRecord& c : *customers) {
        const std::size_t r = table.appendRow();
        for (const auto& [column, field] : kFields) table.setText(r, column, c.*field);
    }
    SortReportRows(table, static_cast<std::int32_t>(col::kName), static_cast<std::int32_t>(col::kName));
    return table;
}

}  // namespace ql
