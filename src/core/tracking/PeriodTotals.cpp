#include "core/tracking/PeriodTotals.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace ql {
namespace {

// The rates of the ids below a bound as a flat table (0 for none; the first record of an id
// wins, as in the index). Unlike the index's records it stays in the nearest cache while a
// million frames look their rates up.
std::vector<double> smallIdRates(const ProjectIndex& projects) {
    constexpr std::int32_t kBound = 1 << 16;
    std::size_t size = 0;
    for (const ProjectRecord& r : projects.records())
        if (r.id >= 0 && r.id < kBound) size = std::max(size, static_cast<std::size_t>(r.id) + 1);
    std::vector<double> rates(size, 0.0);
    std::vector<bool> seen(size, false);
    for (const ProjectRecord& r : projects.records()) {
        if (r.id < 0 || r.id >= kBound || seen[static_cast<std::size_t>(r.id)]) continue;
        seen[static_cast<std::size_t>(r.id)] = true;
        rates[static_cast<std::size_t>(r.id)] = r.chargesPerHour;
    }
    return rates;
}

}  // namespace

PeriodTotals computeTotals(FileSystem& fs, const std::string& settingsPath, std::int32_t now) {
    PeriodTotals totals;
    const auto settings = readSettings(fs, settingsPath);
    if (settings) totals.monetarySymbol = settings->monetarySymbol;
    const char* pattern = calendar::datePattern(settings && settings->monthFirst());
    auto date = [pattern](std::int32_t t) { return calendar::formatLocal(t, pattern); };

    auto& periods = totals.periods;
    periods[0].start = calendar::dayStart(now);
    periods[0].end = calendar::dayEnd(now);
    periods[1].start = calendar::weekStart(now);
    periods[1].end = calendar::weekEnd(now);
    periods[2].start = calendar::monthStart(now);
    periods[2].end = calendar::monthEnd(now);
    periods[3].start = calendar::yearStart(now);
    periods[3].end = calendar::yearEnd(now);
    periods[0].label = "Today (" + date(periods[0].start) + ")";
    const char* names[] = {"This week (", "This month (", "This year ("};
    for (std::size_t p = 1; p < kPeriodCount; ++p)
        periods[p].label = names[p - 1] + date(periods[p].start) + " - " + date(periods[p].end) + ")";

    const auto projects = ProjectIndex::load(fs, fileSetPath(settingsPath, FileKind::Projects));
    const ProjectIndex noProjects;
    const ProjectIndex& rates = projects ? *projects : noProjects;

    const std::vector<double> rateTable = smallIdRates(rates);
    auto rateOf = [&](std::int32_t id) {
        return id >= 0 && static_cast<std::size_t>(id) < rateTable.size() ? rateTable[static_cast<std::size_t>(id)]
                                                                           : rates.chargesPerHour(id);
    };

    // Frames are in append order, not time order, so whether a frame falls in a period is
    // unpredictable: every frame goes through every period without a branch. Adding 0 to
    // the periods that do not hold it leaves each sum exactly as if it had been skipped.
    std::array<std::uint32_t, kPeriodCount> offset{};
    std::array<std::uint32_t, kPeriodCount> span{};
    for (std::size_t p = 0; p < kPeriodCount; ++p) {
        offset[p] = static_cast<std::uint32_t>(periods[p].start);
        span[p] = static_cast<std::uint32_t>(periods[p].end) - offset[p];
    }
    std::array<std::int64_t, kPeriodCount> minutes{};
    std::array<double, kPeriodCount> charges{};
    bool anyFrame = false;
    const Status scanned = scanTimeFrameChunks(
        fs, fileSetPath(settingsPath, FileKind::TimeFrames), [&](const unsigned char* records, std::size_t count) {
            anyFrame = true;
            // Sums in locals for the chunk: the record bytes may alias anything, so sums kept
            // behind a reference would be stored and reloaded for every frame.
            std::array<std::int64_t, kPeriodCount> chunkMinutes = minutes;
            std::array<double, kPeriodCount> chunkCharges = charges;
            const std::array<std::uint32_t, kPeriodCount> from = offset;
            const std::array<std::uint32_t, kPeriodCount> length = span;
            for (std::size_t i = 0; i < count; ++i) {
                const TimeFrameRecord frame = decodeTimeFrame(records + i * TimeFrameRecord::kSize);
                const std::int32_t frameMinutes = wholeMinutes(std::int64_t{frame.end} - frame.start);
                const double charge = chargeFor(rateOf(frame.projectId), frameMinutes);
                const std::uint64_t chargeBits = std::bit_cast<std::uint64_t>(charge);
                const std::uint32_t start = static_cast<std::uint32_t>(frame.start);
#pragma GCC unroll 4
                for (std::size_t p = 0; p < kPeriodCount; ++p) {
                    // start <= s <= end, without overflow; all ones inside, all zeros outside.
                    const std::uint64_t inside = 0 - static_cast<std::uint64_t>(start - from[p] <= length[p]);
                    chunkMinutes[p] += frameMinutes & static_cast<std::int64_t>(inside);
                    chunkCharges[p] += std::bit_cast<double>(chargeBits & inside);  // the charge or +0.0
                }
            }
            minutes = chunkMinutes;
            charges = chunkCharges;
        });

    if (!projects && anyFrame) totals.failures.push_back(projects.status());
    if (!scanned) {
        totals.failures.push_back(scanned);
        return totals;  // a partly read file would give totals that are plainly wrong
    }
    for (std::size_t p = 0; p < kPeriodCount; ++p) {
        periods[p].minutes = minutes[p];
        periods[p].charges = charges[p];
    }
    return totals;
}

}  // namespace ql
