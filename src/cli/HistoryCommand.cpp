#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"
#include "cli/TextRendering.h"

#include "core/reports/HistoryItems.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"

namespace ql::cli {
namespace {

constexpr std::size_t kOutputPiece = 64 * 1024;

}  // namespace

Status runHistory(FileSystem& fs, const Clock& clock, const HistoryRequest& request, std::ostream& out) {
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    const auto projectId = optionalRecordId("--project", request.project, "project");
    if (!projectId) return projectId.status();
    const std::optional<std::int32_t> project = *projectId;
    const auto typed = typedPeriod(request.from, request.to);
    if (!typed) return typed.status();
    const std::string period = request.period.value_or("saved");
    const auto choice = namedPeriod(period);
    if (!choice && period != "saved") return Status::invalidArgument("--period: '" + period + "' is not a period");

    auto settings = openFileSet(fs, request.path);
    if (!settings) return settings.status();

    HistoryFilter filter;
    if (*typed) {
        filter.period = **typed;
    } else if (choice) {
        auto resolved = ResolvePeriod(*choice, "", "", settings->monthFirst(), *now);
        if (!resolved) return resolved.status();
        filter.period = *resolved;
    }
    if (!*typed && !choice) {
        // The filter the dialog opens with, and the printed history prints.
        const HistoryFilterRecord saved = readHistoryFilter(fs, fileSetPath(request.path, FileKind::HistoryFilter), *now);
        filter.projectId = saved.projectId;
        filter.period = {saved.periodStart, saved.periodEnd};
    }
    if (project) filter.projectId = *project;

    const HistoryLoad load = LoadHistoryItems(fs, request.path, filter);
    // Rows priced without their projects would look right and be wrong: no output then.
    if (!load.messages.empty()) return Status::ioError(load.messages.front());

    const HistoryItems& history = load.history;
    const auto ranks = rankProjectNames(history.projects, compareNamesIgnoringCase);
    const auto order = sortedHistoryOrder(history, static_cast<int>(request.sort), ranks);
    if (request.json) {
        std::vector<std::string> quotedNames;
        for (const HistoryProject& p : history.projects) quotedNames.push_back(quotedJsonText(p.name));
        JsonArrayWriter writer(out);
        calendar::LocalTimeCache cache;
        // A year is some 40 MB of JSON: written in pieces, not a stream insertion per row.
        std::string piece;
        piece.reserve(kOutputPiece + 512);
        for (const std::int32_t i : order) {
            const HistoryItem& item = history.items[static_cast<std::size_t>(i)];
            piece += writer.nextSeparator();
            appendHistoryItemJson(piece, item, history.projectOf(item).id,
                                  quotedNames[static_cast<std::size_t>(item.project)], cache);
            if (piece.size() >= kOutputPiece) {
                out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                piece.clear();
            }
        }
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        writer.finish();
    } else {
        writeHistoryHeadingText(out);
        for (const std::int32_t i : order)
            writeHistoryItemText(out, history, history.items[static_cast<std::size_t>(i)], settings->monthFirst(),
                                 settings->monetarySymbol);
    }
    return Status::ok();
}

}  // namespace ql::cli
