#pragma once

#include "core/Status.h"
#include "core/reports/ReportTable.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/HistoryFilterRecord.h"

#include <cstdint>
#include <string>

namespace ql {

// The printed history of set: every time frame that the filter saved in
// the "his" file selects (its defaults for now when there is none), one row each, sorted by
// project name, then date, equal keys in file order. A frame of a deleted project shows
// deletedProjectName and charges 0. Reads the settings, "his", projects and time frames files
// once each. Fails with the projects or time frames file's message ("Cannot open time frames
// file : " + path).
Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, std::int32_t now);

// As buildHistoryReport, with the filter given.
Result<ReportTable> buildHistoryReport(FileSystem& fs, const FileSet& set, const HistoryFilterRecord& filter);

// The printed list of customers of set, sorted by name, equal names in file order. Fails
// with "Cannot open Customers file : " + path.
Result<ReportTable> buildCustomerReport(FileSystem& fs, const FileSet& set);

}  // namespace ql
