#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"

#include "core/analysis/PieChart.h"
#include "core/text/NumberText.h"

#include <cstdio>

namespace ql::cli {
namespace {

std::string colourText(const Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

}  // namespace

Status runPie(FileSystem& fs, const Clock& clock, const PieRequest& request, std::ostream& out) {
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    const auto typed = typedPeriod(request.from, request.to);
    if (!typed) return typed.status();
    const std::string period = request.period.value_or("this-year");
    const auto choice = namedPeriod(period);
    if (!choice) return Status::invalidArgument("--period: '" + period + "' is not a period");

    auto settings = openFileSet(fs, request.path);
    if (!settings) return settings.status();
    ReportPeriod chosen;
    if (*typed) {
        chosen = **typed;
    } else {
        auto resolved = ResolvePeriod(*choice, "", "", settings->monthFirst(), *now);
        if (!resolved) return resolved.status();
        chosen = *resolved;
    }

    PieChart chart;
    if (const Status computed = chart.compute(fs, request.path, chosen); !computed) return computed;

    const double total = static_cast<double>(chart.totalMinutes());
    auto shareOf = [&](const PieSlice& s) { return total > 0 ? static_cast<double>(s.minutes) / total : 0.0; };
    if (request.json) {
        JsonArrayWriter writer(out);
        for (const PieSlice& s : chart.slices())
            writer.add(Json{{"name", s.name}, {"minutes", s.minutes}, {"share", shareOf(s)}, {"colour", colourText(s.colour)}});
        writer.finish();
        return Status::ok();
    }
    out << "Project\tTime\tMinutes\tShare\n";
    for (const PieSlice& s : chart.slices()) {
        // The time as the chart's label shows it: "Name - 2:15" reads 2:15 here.
        const std::string label = hoverLabelText(s);
        out << s.name << '\t' << label.substr(s.name.size() + 3) << '\t' << integerText(s.minutes) << '\t'
            << fixed2Text(shareOf(s) * 100.0) << "%\n";
    }
    return Status::ok();
}

}  // namespace ql::cli
