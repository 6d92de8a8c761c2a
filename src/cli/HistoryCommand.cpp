#include "cli/ArgumentValues.h"
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

std::optional<PeriodChoice> namedPeriod(const std::string& name) {
    if (name == "this-year") return PeriodChoice::ThisYear;
    if (name == "this-month") return PeriodChoice::ThisMonth;
    if (name == "this-week") return PeriodChoice::ThisWeek;
    if (name == "today") return PeriodChoice::Today;
    return std::nullopt;
}

}  // namespace

Status runHistory(FileSystem& fs, const Clock& clock, const HistoryRequest& request, std::ostream& out) {
    std::int32_t now = clock.now();
    if (request.at) {
        auto at = parseLocalDateTime("--at", *request.at);
        if (!at) return at.status();
        now = *at;
    }
    std::optional<std::int32_t> project;
    if (request.project) {
        auto id = parseInt32("--project", *request.project);
        if (!id) return id.status();
        if (*id < 0) return Status::invalidArgument("--project: '" + *request.project + "' is not a project id");
        project = *id;
    }
    std::optional<ReportPeriod> typed;
    if (request.from || request.to) {
        if (!request.from || !request.to) return Status::invalidArgument("--from and --to are given together");
        auto from = parseDate("--from", *request.from, DayEnd::Start);
        if (!from) return from.status();
        auto to = parseDate("--to", *request.to, DayEnd::End);
        if (!to) return to.status();
        if (*from > *to) return Status::invalidArgument("--from: '" + *request.from + "' is after --to");
        typed = ReportPeriod{*from, *to};
    }
    const std::string period = request.period.value_or("saved");
    const auto choice = namedPeriod(period);
    if (!choice && period != "saved") return Status::invalidArgument("--period: '" + period + "' is not a period");

    auto settings = openFileSet(fs, request.path);
    if (!settings) return settings.status();

    HistoryFilter filter;
    if (typed) {
        filter.period = *typed;
    } else if (choice) {
        auto resolved = ResolvePeriod(*choice, "", "", settings->monthFirst(), now);
        if (!resolved) return resolved.status();
        filter.period = *resolved;
    }
    if (!typed && !choice) {
        // The filter the dialog opens with, and the printed history prints.
        const HistoryFilterRecord saved = readHistoryFilter(fs, fileSetPath(request.path, FileKind::HistoryFilter), now);
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
        for (const std::int32_t i : order) {
            const HistoryItem& item = history.items[static_cast<std::size_t>(i)];
            writer.addText(historyItemJsonText(item, history.projectOf(item).id,
                                               quotedNames[static_cast<std::size_t>(item.project)]));
        }
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
