#pragma once

#include "core/Status.h"
#include "core/store/OutputFile.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// Option values several commands share, read the same way by each.
namespace ql::cli {

// The time of --at, or the clock's when it is absent.
Result<std::int32_t> requestTime(const Clock& clock, const std::optional<std::string>& at);

// --from and --to as a period from the start of the first day to the end of the last, or
// nullopt when neither is given. Both or neither; from not after to.
Result<std::optional<ReportPeriod>> typedPeriod(const std::optional<std::string>& from,
                                                const std::optional<std::string>& to);

// The period of --from and --to (typedPeriod) when they are given, else the period that
// name (this-year, this-month, this-week or today) is around now; nullopt when neither is
// given and name is no period, for the caller to take or refuse.
Result<std::optional<ReportPeriod>> periodOption(const std::optional<std::string>& from,
                                                 const std::optional<std::string>& to, std::string_view name,
                                                 std::int32_t now);

// A project or customer id (what names which) as typed: a whole number, 0 or more.
Result<std::int32_t> recordId(std::string_view option, std::string_view text, std::string_view what);
// The same for an option that may be absent.
Result<std::optional<std::int32_t>> optionalRecordId(std::string_view option, const std::optional<std::string>& text,
                                                     std::string_view what);

// Where a command's output goes: "-" is out, anything else a file written by writeOutputFile
// (whole or not at all, a FIFO or device as a stream, never a file of the set read).
// write receives a sink that takes the bytes in pieces (false once it cannot keep one).
using OutputSink = std::function<bool(std::string_view bytes)>;
Status writeOutputTo(FileSystem& fs, const FileSet& reading, const std::string& target, std::ostream& out,
                     const std::string& failureMessage, const std::function<Status(const OutputSink& sink)>& write);
// The same in two steps (see prepareOutputFile): a file is made whole beside its name and shown
// under it at commit; to "-" the bytes are written at commit. write runs at once for a regular
// file, at commit otherwise, so what it refers to must outlive the commit.
Result<PendingOutput> prepareOutputTo(FileSystem& fs, const FileSet& reading, const std::string& target,
                                      std::ostream& out, const std::string& failureMessage,
                                      const std::function<Status(const OutputSink& sink)>& write);

}  // namespace ql::cli
