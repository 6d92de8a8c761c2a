#include "core/tracking/PeriodTotals.h"

#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/RecordFollower.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"
#include "core/tracking/Charges.h"

#include <algorithm>
#include <bit>
#include <type_traits>
#include <limits>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ql {
namespace {

// The starts from, from + 1, ..., from + span, compared without overflow as start - from <= span.
struct StartRange {
    std::uint32_t from = 0;
    std::uint32_t span = 0;
    bool holds(std::uint32_t start) const { return start - from <= span; }
};

struct KeptCounts {
    std::size_t wide = 0;
    std::size_t narrow = 0;
};

// Writes the positions of the time frame records whose start lies in `wide` to keptWide and of
// those in `narrow` to keptNarrow, in file order; each must have room for count + 3 entries.
// Positions are written unconditionally and kept by advancing the count, so the unpredictable
// test costs no branch.
KeptCounts keepStartsWithin(const unsigned char* records, std::size_t count, StartRange wide, StartRange narrow,
                            std::uint32_t* keptWide, std::uint32_t* keptNarrow) {
    KeptCounts n;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four records are 48 bytes: three loads and three shuffles gather their starts. The
    // compares are signed, so both sides are moved by 2^31 to compare as unsigned.
    struct Positions {
        alignas(16) std::uint32_t of[16][4];
        std::uint32_t count[16];
    };
    static constexpr Positions kInside = [] {
        Positions t{};
        for (std::uint32_t mask = 0; mask < 16; ++mask)
            for (std::uint32_t bit = 0; bit < 4; ++bit)
                if (mask & (1u << bit)) t.of[mask][t.count[mask]++] = bit;
        return t;
    }();
    const __m128i bias = _mm_set1_epi32(std::numeric_limits<std::int32_t>::min());
    auto insideMask = [&](__m128i starts, StartRange range) {
        const __m128i from = _mm_set1_epi32(static_cast<std::int32_t>(range.from));
        const __m128i limit = _mm_xor_si128(_mm_set1_epi32(static_cast<std::int32_t>(range.span)), bias);
        const __m128i outside = _mm_cmpgt_epi32(_mm_xor_si128(_mm_sub_epi32(starts, from), bias), limit);
        return ~_mm_movemask_ps(_mm_castsi128_ps(outside)) & 0xF;
    };
    auto keep = [&](int inside, std::uint32_t* kept, std::size_t& keptCount, std::size_t at) {
        const __m128i positions = _mm_add_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(kInside.of[inside])),
                                                _mm_set1_epi32(static_cast<std::int32_t>(at)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(kept + keptCount), positions);
        keptCount += kInside.count[inside];
    };
    for (; i + 4 <= count; i += 4) {
        const unsigned char* p = records + i * TimeFrameRecord::kSize;
        const __m128 w0to3 = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        const __m128 w4to7 = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)));
        const __m128 w8to11 = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32)));
        const __m128 first = _mm_shuffle_ps(w0to3, w4to7, _MM_SHUFFLE(0, 0, 1, 1));   // w1 w1 w4 w4
        const __m128 second = _mm_shuffle_ps(w4to7, w8to11, _MM_SHUFFLE(2, 2, 3, 3));  // w7 w7 w10 w10
        const __m128i starts = _mm_castps_si128(_mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0)));
        keep(insideMask(starts, wide), keptWide, n.wide, i);
        keep(insideMask(starts, narrow), keptNarrow, n.narrow, i);
    }
#endif
    for (; i < count; ++i) {
        const auto start = static_cast<std::uint32_t>(codec::getInt32(records + i * TimeFrameRecord::kSize, 4));
        keptWide[n.wide] = keptNarrow[n.narrow] = static_cast<std::uint32_t>(i);
        n.wide += static_cast<std::size_t>(wide.holds(start));
        n.narrow += static_cast<std::size_t>(narrow.holds(start));
    }
    return n;
}

// Charges per hour by project id, from one scan of the projects file that decodes only the id
// and the rate of each record. Ids below a bound sit in a flat table, which stays in the
// nearest cache while a million frames look their rates up. As in ProjectIndex, the first
// record with an id wins and an unknown id has a rate of 0.
class ProjectRates {
public:
    static Result<ProjectRates> load(FileSystem& fs, const std::string& projectsPath) {
        ProjectRates rates;
        std::vector<bool> seen;
        const Status st = scanRecords(fs, projectsPath, ProjectRecord::kSize, projectFileMessage(projectsPath),
                                      [&](const unsigned char* records, std::size_t count) {
                                          for (std::size_t i = 0; i < count; ++i) {
                                              const unsigned char* r = records + i * ProjectRecord::kSize;
                                              rates.add(decodeProjectId(r), decodeProjectChargesPerHour(r), seen);
                                          }
                                      });
        if (!st) return st;
        return rates;
    }

    double operator()(std::int32_t id) const {
        const auto slot = static_cast<std::uint32_t>(id);  // a negative id lands beyond the table
        if (slot < m_table.size()) [[likely]]
            return m_table[slot];
        return other(id);
    }

private:
    static constexpr std::int32_t kBound = 1 << 16;

    void add(std::int32_t id, double rate, std::vector<bool>& seen) {
        if (id < 0 || id >= kBound) {
            m_others.emplace(id, rate);  // keeps the first
            return;
        }
        const auto slot = static_cast<std::size_t>(id);
        if (slot >= m_table.size()) {
            m_table.resize(slot + 1, 0.0);
            seen.resize(slot + 1, false);
        }
        if (!seen[slot]) {
            seen[slot] = true;
            m_table[slot] = rate;
        }
    }

    // Kept out of line so the pass over the frames keeps its sums in registers.
    [[gnu::noinline, gnu::cold]] double other(std::int32_t id) const {
        const auto it = m_others.find(id);
        return it == m_others.end() ? 0.0 : it->second;
    }

    std::vector<double> m_table;
    std::unordered_map<std::int32_t, double> m_others;
};

// The minutes and charges of the four periods, summed over chunks of time frame records in
// file order: a chunk added later continues the sums exactly as one scan of the whole file would.
class PeriodSums {
public:
    explicit PeriodSums(const std::array<PeriodTotal, kPeriodCount>& periods) {
        for (std::size_t p = 0; p < kPeriodCount; ++p) {
            m_offset[p] = static_cast<std::uint32_t>(periods[p].start);
            m_span[p] = static_cast<std::uint32_t>(periods[p].end) - m_offset[p];
        }
        // Every period holds now, so the union of two is one interval. Most frames of a long file
        // lie outside the year and the week (which may reach into the next or the previous year);
        // a first cheap pass picks the others for the year's sums, and for the shorter periods
        // only those in the week or the month (today lies in both).
        auto unionOf = [&](Period a, Period b) {
            const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
            const std::int32_t from = std::min(periods[i].start, periods[j].start);
            const std::int32_t to = std::max(periods[i].end, periods[j].end);
            return StartRange{static_cast<std::uint32_t>(from),
                              static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from)};
        };
        m_yearOrWeek = unionOf(Period::ThisYear, Period::ThisWeek);
        m_weekOrMonth = unionOf(Period::ThisWeek, Period::ThisMonth);
        m_yearOnly = StartRange{m_offset[kYear], m_span[kYear]};
        m_weekInYear = m_yearOrWeek.from == m_yearOnly.from && m_yearOrWeek.span == m_yearOnly.span;
    }

    bool sameRangesAs(const PeriodSums& other) const {
        return m_offset == other.m_offset && m_span == other.m_span;
    }

    void clear() {
        m_minutes = {};
        m_charges = {};
    }

    // Frames are in append order, not time order, so whether a frame falls in a period is
    // unpredictable: frames go through the periods without a branch. Adding 0 to the periods
    // that do not hold a frame leaves each sum exactly as if it had been skipped, and so does
    // dropping a frame that lies in none of them; the order of the additions is kept.
    void add(const unsigned char* records, std::size_t count, const ProjectRates& rate) {
        if (m_wide.size() < count + 3) {
            m_wide.resize(count + 3);
            m_narrow.resize(count + 3);
        }
        const KeptCounts kept =
            keepStartsWithin(records, count, m_yearOrWeek, m_weekOrMonth, m_wide.data(), m_narrow.data());
        auto at = [records](std::uint32_t position) {
            return decodeTimeFrame(records + std::size_t{position} * TimeFrameRecord::kSize);
        };

        // Sums in locals for the chunk: the record bytes may alias anything, so sums kept
        // behind a reference would be stored and reloaded for every frame.
        auto sumYear = [&](auto weekBeyondYear) {
            std::int64_t yearMinutes = m_minutes[kYear];
            double yearCharges = m_charges[kYear];
            const std::uint32_t* const positions = m_wide.data();
            const StartRange range = m_yearOnly;
            for (std::size_t k = 0; k < kept.wide; ++k) {
                const TimeFrameRecord frame = at(positions[k]);
                const std::int32_t frameMinutes = wholeMinutes(std::int64_t{frame.end} - frame.start);
                const double charge = chargeFor(rate(frame.projectId), frameMinutes);
                if constexpr (weekBeyondYear) {
                    // All ones inside the year, all zeros outside.
                    const std::uint64_t inside = 0 - static_cast<std::uint64_t>(range.holds(static_cast<std::uint32_t>(frame.start)));
                    yearMinutes += frameMinutes & static_cast<std::int64_t>(inside);
                    yearCharges += std::bit_cast<double>(std::bit_cast<std::uint64_t>(charge) & inside);  // or +0.0
                } else {
                    yearMinutes += frameMinutes;
                    yearCharges += charge;
                }
            }
            m_minutes[kYear] = yearMinutes;
            m_charges[kYear] = yearCharges;
        };
        if (m_weekInYear) sumYear(std::false_type{});
        else sumYear(std::true_type{});

        constexpr std::size_t kShorter = kYear;  // today, week, month
        const std::array<std::uint32_t, kPeriodCount> offset = m_offset;
        const std::array<std::uint32_t, kPeriodCount> span = m_span;
        std::array<std::int64_t, kShorter> chunkMinutes{m_minutes[0], m_minutes[1], m_minutes[2]};
        std::array<double, kShorter> chunkCharges{m_charges[0], m_charges[1], m_charges[2]};
        for (std::size_t k = 0; k < kept.narrow; ++k) {
            const TimeFrameRecord frame = at(m_narrow[k]);
            const std::int32_t frameMinutes = wholeMinutes(std::int64_t{frame.end} - frame.start);
            const std::uint64_t chargeBits = std::bit_cast<std::uint64_t>(chargeFor(rate(frame.projectId), frameMinutes));
            const auto start = static_cast<std::uint32_t>(frame.start);
            for (std::size_t p = 0; p < kShorter; ++p) {
                const std::uint64_t inside = 0 - static_cast<std::uint64_t>(start - offset[p] <= span[p]);
                chunkMinutes[p] += frameMinutes & static_cast<std::int64_t>(inside);
                chunkCharges[p] += std::bit_cast<double>(chargeBits & inside);
            }
        }
        for (std::size_t p = 0; p < kShorter; ++p) {
            m_minutes[p] = chunkMinutes[p];
            m_charges[p] = chunkCharges[p];
        }
    }

    void copyTo(std::array<PeriodTotal, kPeriodCount>& periods) const {
        for (std::size_t p = 0; p < kPeriodCount; ++p) {
            periods[p].minutes = m_minutes[p];
            periods[p].charges = m_charges[p];
        }
    }

private:
    static constexpr std::size_t kYear = static_cast<std::size_t>(Period::ThisYear);

    std::array<std::uint32_t, kPeriodCount> m_offset{};
    std::array<std::uint32_t, kPeriodCount> m_span{};
    StartRange m_yearOrWeek, m_weekOrMonth, m_yearOnly;
    bool m_weekInYear = false;
    std::array<std::int64_t, kPeriodCount> m_minutes{};
    std::array<double, kPeriodCount> m_charges{};
    std::vector<std::uint32_t> m_wide, m_narrow;  // positions in the chunk, in file order
};

// The labels, bounds and monetary symbol of the totals of now, with no minutes yet.
// settings: null when they cannot be read.
PeriodTotals emptyTotals(const SettingsRecord* settings, std::int32_t now) {
    PeriodTotals totals;
    if (settings) totals.monetarySymbol = settings->monetarySymbol;
    const bool monthFirst = settings && settings->monthFirst();
    auto date = [monthFirst](const calendar::Date& d) { return dateText(d, monthFirst); };

    auto& periods = totals.periods;
    periods[0].start = calendar::dayStart(now);
    periods[0].end = calendar::dayEnd(now);
    periods[1].start = calendar::weekStart(now);
    periods[1].end = calendar::weekEnd(now);
    periods[2].start = calendar::monthStart(now);
    periods[2].end = calendar::monthEnd(now);
    periods[3].start = calendar::yearStart(now);
    periods[3].end = calendar::yearEnd(now);
    // The labels name calendar dates, not the instants: at the ends of the 32-bit range the
    // instants are pinned, but the year 2038 still runs to 31 December.
    const calendar::Date today = calendar::localDate(now);
    const calendar::Date monday = calendar::addDays(today, -calendar::daysSinceMonday(today));
    const calendar::Date firstDays[] = {monday, {today.year, today.month, 1}, {today.year, 1, 1}};
    const calendar::Date lastDays[] = {calendar::addDays(monday, 6),
                                       {today.year, today.month, calendar::daysInMonth(today.month, today.year)},
                                       {today.year, 12, 31}};
    periods[0].label = "Today (" + date(today) + ")";
    const char* names[] = {"This week (", "This month (", "This year ("};
    for (std::size_t p = 1; p < kPeriodCount; ++p)
        periods[p].label = names[p - 1] + date(firstDays[p - 1]) + " - " + date(lastDays[p - 1]) + ")";
    return totals;
}

PeriodTotals totalsWith(FileSystem& fs, const FileSet& set, std::int32_t now, const SettingsRecord* settings) {
    PeriodTotals totals = emptyTotals(settings, now);
    const auto projects = ProjectRates::load(fs, set.projects());
    const ProjectRates noProjects;
    const ProjectRates& rateOf = projects ? *projects : noProjects;

    PeriodSums sums(totals.periods);
    bool anyFrame = false;
    const Status scanned = scanTimeFrameChunks(fs, set.timeFrames(), [&](const unsigned char* records, std::size_t count) {
        anyFrame = true;
        sums.add(records, count, rateOf);
    });

    if (!projects && anyFrame) totals.failures.push_back(projects.status());
    if (!scanned) {
        totals.failures.push_back(scanned);
        return totals;  // a partly read file would give totals that are plainly wrong
    }
    sums.copyTo(totals.periods);
    return totals;
}

}  // namespace

PeriodTotals computeTotals(FileSystem& fs, const FileSet& set, std::int32_t now) {
    const auto settings = readSettings(fs, set);
    return totalsWith(fs, set, now, settings ? &*settings : nullptr);
}

PeriodTotals computeTotals(FileSystem& fs, const FileSet& set, std::int32_t now, const SettingsRecord& settings) {
    return totalsWith(fs, set, now, &settings);
}

struct TotalsKeeper::State {
    std::string projectsPath;
    FileIdentity projectsSeen;
    ProjectRates rates;
    PeriodSums sums;
    RecordFollower frames{TimeFrameRecord::kSize};
};

TotalsKeeper::TotalsKeeper() = default;
TotalsKeeper::~TotalsKeeper() = default;
TotalsKeeper::TotalsKeeper(TotalsKeeper&&) noexcept = default;
TotalsKeeper& TotalsKeeper::operator=(TotalsKeeper&&) noexcept = default;

void TotalsKeeper::forget() { m_state.reset(); }

PeriodTotals TotalsKeeper::update(FileSystem& fs, const FileSet& set, std::int32_t now) {
    const auto settings = readSettings(fs, set);
    const SettingsRecord* settingsRead = settings ? &*settings : nullptr;
    PeriodTotals totals = emptyTotals(settingsRead, now);
    const auto projectsNow = fs.identify(set.projects());
    const bool keep = m_state && projectsNow && projectsNow->type == FileType::Regular &&
                      set.projects() == m_state->projectsPath && projectsNow->unchangedSince(m_state->projectsSeen) &&
                      m_state->sums.sameRangesAs(PeriodSums(totals.periods));
    if (!keep) {
        m_state.reset();
        // Rates change the price of every frame: they are read again with all the frames.
        auto rates = ProjectRates::load(fs, set.projects());
        if (!rates || !projectsNow || projectsNow->type != FileType::Regular)
            return totalsWith(fs, set, now, settingsRead);  // what failed is reported at every update, as before
        m_state = std::make_unique<State>(State{set.projects(), *projectsNow, std::move(rates).value(),
                                                PeriodSums(totals.periods), RecordFollower(TimeFrameRecord::kSize)});
    }
    State& state = *m_state;
    const auto read = state.frames.follow(
        fs, set.timeFrames(), timeFramesFileMessage(set.timeFrames()), [&] { state.sums.clear(); },
        [&](const unsigned char* records, std::size_t count) { state.sums.add(records, count, state.rates); });
    if (!read) {
        m_state.reset();
        totals.failures.push_back(read.status());
        return totals;
    }
    state.sums.copyTo(totals.periods);
    return totals;
}

}  // namespace ql
