#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/SettingsRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ql {

enum class Period { Today, ThisWeek, ThisMonth, ThisYear };
inline constexpr std::size_t kPeriodCount = 4;

struct PeriodTotal {
    std::string label;        // "Today (12/11/1996)", "This week (12/09/1996 - 12/15/1996)", ...
    std::int32_t start = 0;   // first second of the period, local time
    std::int32_t end = 0;     // last second, inclusive
    std::int64_t minutes = 0;
    double charges = 0.0;
    Message name{};           // the label by id, its dates as parts
};

struct PeriodTotals {
    std::array<PeriodTotal, kPeriodCount> periods;  // indexed by Period
    std::string monetarySymbol;                     // of the settings record; "" when it cannot be read
    // Each file that could not be read, once, in the order to show them; empty when all went well.
    std::vector<Status> failures;

    const PeriodTotal& operator[](Period p) const { return periods[static_cast<std::size_t>(p)]; }
};

// The minutes and charges of the time frames of set whose start lies in
// today, this week (Monday to Sunday), this month and this year of now; a frame counts whole
// in every period that contains its start. Reads the settings once, the projects once and
// streams the time frames once.
// - Labels use the settings' date order; day first (and no monetary symbol) when the
//   settings cannot be read, which is not reported.
// - A frame whose project is missing, or every frame when the projects file cannot be read,
//   counts its minutes at a rate of 0; an unreadable projects file is reported once, and only
//   when there were frames to price.
// - When the time frames file cannot be read, the minutes and charges stay 0 and its failure
//   ("Cannot open time frames file : " + path) is reported.
PeriodTotals computeTotals(FileSystem& fs, const FileSet& set, std::int32_t now);
// The same with the set's settings as the caller read them, so they are not read again.
PeriodTotals computeTotals(FileSystem& fs, const FileSet& set, std::int32_t now, const SettingsRecord& settings);

// The totals of a view that asks again and again, reading only what changed since it last
// asked: nothing but the files' identities when none changed, the frames added when the time
// frames file only grew, everything when the projects file, the periods or the time frames
// file otherwise changed. update always equals computeTotals(fs, set, now).
class TotalsKeeper {
public:
    TotalsKeeper();
    ~TotalsKeeper();
    TotalsKeeper(TotalsKeeper&&) noexcept;
    TotalsKeeper& operator=(TotalsKeeper&&) noexcept;

    PeriodTotals update(FileSystem& fs, const FileSet& set, std::int32_t now);
    // The next update reads everything.
    void forget();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace ql
