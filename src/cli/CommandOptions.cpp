#include "cli/CommandOptions.h"

#include "cli/ArgumentValues.h"

#include "core/store/OutputFile.h"

#include <memory>

namespace ql::cli {

Result<std::int32_t> requestTime(const Clock& clock, const std::optional<std::string>& at) {
    if (!at) return clock.now();
    return parseLocalDateTime("--at", *at);
}

Result<std::optional<ReportPeriod>> typedPeriod(const std::optional<std::string>& from,
                                                const std::optional<std::string>& to) {
    if (!from && !to) return std::optional<ReportPeriod>();
    if (!from || !to) return Status::invalidArgument("--from and --to are given together");
    auto start = parseDate("--from", *from, DayEnd::Start);
    if (!start) return start.status();
    auto end = parseDate("--to", *to, DayEnd::End);
    if (!end) return end.status();
    if (*start > *end) return Status::invalidArgument("--from: '" + *from + "' is after --to");
    return std::optional<ReportPeriod>(ReportPeriod{*start, *end});
}

Result<std::optional<ReportPeriod>> periodOption(const std::optional<std::string>& from,
                                                 const std::optional<std::string>& to, std::string_view name,
                                                 std::int32_t now) {
    auto typed = typedPeriod(from, to);
    if (!typed || *typed) return typed;
    const std::pair<std::string_view, PeriodChoice> names[] = {{"this-year", PeriodChoice::ThisYear},
                                                               {"this-month", PeriodChoice::ThisMonth},
                                                               {"this-week", PeriodChoice::ThisWeek},
                                                               {"today", PeriodChoice::Today}};
    for (const auto& [text, choice] : names) {
        // Only a typed (Custom) period reads the date order.
        if (name == text) return std::optional<ReportPeriod>(*ResolvePeriod(choice, "", "", true, now));
    }
    return std::optional<ReportPeriod>();
}

Result<std::int32_t> recordId(std::string_view option, std::string_view text, std::string_view what) {
    auto id = parseInt32(option, text);
    if (!id) return id.status();
    if (*id < 0)
        return Status::invalidArgument(std::string(option) + ": '" + std::string(text) + "' is not a " +
                                       std::string(what) + " id");
    return *id;
}

Result<std::optional<std::int32_t>> optionalRecordId(std::string_view option, const std::optional<std::string>& text,
                                                     std::string_view what) {
    if (!text) return std::optional<std::int32_t>();
    auto id = recordId(option, *text, what);
    if (!id) return id.status();
    return std::optional<std::int32_t>(*id);
}

namespace {

Status writeToStream(std::ostream& out, const std::function<Status(const OutputSink& sink)>& write) {
    const Status written = write([&](std::string_view bytes) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
    if (!written && out) return written;
    if (!out) return Status::ioError("cannot write the output");
    return Status::ok();
}

}  // namespace

Result<PendingOutput> prepareOutputTo(FileSystem& fs, const FileSet& reading, const std::string& target,
                                      std::ostream& out, const std::string& failureMessage,
                                      const std::function<Status(const OutputSink& sink)>& write) {
    if (target == "-") return PendingOutput([&out, write] { return writeToStream(out, write); }, {});
    // A file the producer could not read is said in its own words, not as a failed output; for
    // a FIFO the producer runs only at the commit, so the commit says it the same way.
    auto produced = std::make_shared<Status>();
    auto prepared = prepareOutputFile(fs, target, Message::freeText(failureMessage), [write, produced](File& file) {
        Status fileWrite;
        *produced = write([&](std::string_view bytes) {
            if (fileWrite) fileWrite = file.write(bytes.data(), bytes.size());
            return fileWrite.isOk();
        });
        // The file's own reason beats the producer's general "could not be written".
        if (!fileWrite) {
            *produced = Status::ok();
            return fileWrite;
        }
        return *produced;
    }, &reading);
    if (!prepared) return *produced ? prepared.status() : *produced;
    auto inner = std::make_shared<PendingOutput>(std::move(prepared).value());
    return PendingOutput(
        [inner, produced] {
            const Status committed = inner->commit();
            return !committed && !*produced ? *produced : committed;
        },
        [inner] { inner->discard(); });
}

Status writeOutputTo(FileSystem& fs, const FileSet& reading, const std::string& target, std::ostream& out,
                     const std::string& failureMessage, const std::function<Status(const OutputSink& sink)>& write) {
    auto prepared = prepareOutputTo(fs, reading, target, out, failureMessage, write);
    if (!prepared) return prepared.status();
    return prepared->commit();
}

}  // namespace ql::cli
