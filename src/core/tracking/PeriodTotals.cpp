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

// Records are sifted in blocks of at most this many: the byte offsets of those kept fit 16
// bits, and the block is still in the nearest cache when the kept ones are summed.
constexpr std::size_t kBlockRecords = 2048;
static_assert((kBlockRecords + 15) * TimeFrameRecord::kSize <= 0xFFFF);

// Writes the byte offsets of the time frame records whose start lies in range to kept, in file
// order, and returns how many there are. count is at most kBlockRecords; kept must have room
// for count + 15 entries. kSkipEmpty: whether a step of records with none inside skips its
// writes behind a branch.
template <bool kSkipEmpty>
std::size_t keepStartsWithin(const unsigned char* records, std::size_t count, StartRange range, std::uint16_t* kept) {
    constexpr std::size_t kSize = TimeFrameRecord::kSize;
    std::size_t n = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen records per step. The starts of four records (bytes 4, 16, 28 and 40) are the
    // first and last words of the 16 bytes from 4 and from 28: two loads and one shuffle. The
    // sixteen compares, all ones or all zeros, pack into one byte each for a single movemask.
    struct Offsets {
        alignas(16) std::uint16_t of[256][8];
        std::uint8_t count[256];
    };
    static constexpr Offsets kInside = [] {
        Offsets t{};
        for (unsigned mask = 0; mask < 256; ++mask)
            for (unsigned record = 0; record < 8; ++record)
                if (mask & (1u << record)) t.of[mask][t.count[mask]++] = static_cast<std::uint16_t>(record * kSize);
        return t;
    }();
    // start - from <= span as unsigned is (start - from) ^ 2^31 <= span ^ 2^31 as signed, and
    // (start - from) ^ 2^31 is start - (from ^ 2^31): one subtraction and one signed compare.
    constexpr std::uint32_t kBias = 0x80000000u;
    const __m128i fromBiased = _mm_set1_epi32(static_cast<std::int32_t>(range.from ^ kBias));
    const __m128i limit = _mm_set1_epi32(static_cast<std::int32_t>(range.span ^ kBias));
    auto outside = [&](const unsigned char* p) {
        const __m128 first = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)));
        const __m128 second = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 28)));
        const __m128i starts = _mm_castps_si128(_mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 0, 3, 0)));
        return _mm_cmpgt_epi32(_mm_sub_epi32(starts, fromBiased), limit);
    };
    auto keep = [&](int inside, __m128i firstOffset) {
        const __m128i offsets =
            _mm_add_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(kInside.of[inside])), firstOffset);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(kept + n), offsets);
        n += kInside.count[inside];
    };
    for (; i + 16 <= count; i += 16) {
        const unsigned char* p = records + i * kSize;
        const __m128i outsideWords = _mm_packs_epi32(outside(p), outside(p + 4 * kSize));
        const __m128i outsideWordsToo = _mm_packs_epi32(outside(p + 8 * kSize), outside(p + 12 * kSize));
        const int inside = _mm_movemask_epi8(_mm_packs_epi16(outsideWords, outsideWordsToo)) ^ 0xFFFF;
        if constexpr (kSkipEmpty)
            if (inside == 0) continue;
        const __m128i firstOffset = _mm_set1_epi16(static_cast<std::int16_t>(i * kSize));
        keep(inside & 0xFF, firstOffset);
        keep(inside >> 8, _mm_add_epi16(firstOffset, _mm_set1_epi16(8 * kSize)));
    }
#endif
    // Other architectures, and the records after the last whole step: offsets are written
    // unconditionally and kept by advancing the count, so the unpredictable test costs no branch.
    for (; i < count; ++i) {
        const auto start = static_cast<std::uint32_t>(codec::getInt32(records + i * kSize, 4));
        kept[n] = static_cast<std::uint16_t>(i * kSize);
        n += static_cast<std::size_t>(range.holds(start));
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
                                              if (i + kFetchAhead < count)
                                                  prefetchFieldsOf(r + kFetchAhead * ProjectRecord::kSize);
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
    // The id and the rate are the first 77 bytes of a 1,082-byte record: read through a mapping,
    // each record is a miss of its own that the processor's stride prefetch does not follow
    // across pages. Asked for some records ahead, several come at once.
    static constexpr std::size_t kFetchAhead = 8;
    static void prefetchFieldsOf(const unsigned char* record) {
        __builtin_prefetch(record);
        __builtin_prefetch(record + 76);
    }

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
        // lie outside the year and the week (which may reach into the next or the previous year):
        // a cheap first pass keeps the others, and only those in the week or the month go on to
        // the shorter periods (today lies in both).
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

    void add(const unsigned char* records, std::size_t count, const ProjectRates& rate) {
        if (m_weekInYear) addFrames<false>(records, count, rate);
        else addFrames<true>(records, count, rate);
    }

    void copyTo(std::array<PeriodTotal, kPeriodCount>& periods) const {
        for (std::size_t p = 0; p < kPeriodCount; ++p) {
            periods[p].minutes = m_minutes[p];
            periods[p].charges = m_charges[p];
        }
    }

private:
    static constexpr std::size_t kYear = static_cast<std::size_t>(Period::ThisYear);

    // A kept frame that a period does not hold adds 0 to its sums instead of taking a branch:
    // a sum starts at +0.0 and so is never -0.0, so adding +0.0 leaves it exactly as skipping
    // the frame would, and each sum still takes its frames in file order. Only the few kept
    // frames in the week or the month take a branch, to the shorter periods.
    template <bool kWeekBeyondYear>
    void addFrames(const unsigned char* records, std::size_t count, const ProjectRates& rate) {
        // Sums in locals for the chunk: the record bytes may alias anything, so sums kept
        // behind a reference would be stored and reloaded for every frame. The year's are
        // plain scalars so that they stay in registers.
        std::int64_t yearMinutes = m_minutes[kYear];
        double yearCharges = m_charges[kYear];
        std::array<std::int64_t, kYear> minutes{m_minutes[0], m_minutes[1], m_minutes[2]};
        std::array<double, kYear> charges{m_charges[0], m_charges[1], m_charges[2]};
        const std::array<std::uint32_t, kPeriodCount> offset = m_offset;
        const std::array<std::uint32_t, kPeriodCount> span = m_span;
        const StartRange year = m_yearOnly, weekOrMonth = m_weekOrMonth;

        // Skipping the writes of steps with none inside pays where such steps come in long
        // runs, as the old frames of a file in append order do, and costs a misprediction at
        // about every other step where kept frames are scattered, as in a shuffled file. The
        // block before tells which kind this one likely is.
        bool sparse = true;
        std::array<std::uint16_t, kBlockRecords + 15> kept;
        for (std::size_t done = 0; done < count; done += kBlockRecords) {
            const unsigned char* block = records + done * TimeFrameRecord::kSize;
            const std::size_t blockCount = std::min(kBlockRecords, count - done);
            const std::size_t keptCount = sparse ? keepStartsWithin<true>(block, blockCount, m_yearOrWeek, kept.data())
                                                 : keepStartsWithin<false>(block, blockCount, m_yearOrWeek, kept.data());
            sparse = keptCount < kBlockRecords / 128;
            for (std::size_t k = 0; k < keptCount; ++k) {
                const TimeFrameRecord frame = decodeTimeFrame(block + kept[k]);
                const std::int32_t frameMinutes = wholeMinutes(std::int64_t{frame.end} - frame.start);
                const double charge = chargeFor(rate(frame.projectId), frameMinutes);
                const std::uint64_t chargeBits = std::bit_cast<std::uint64_t>(charge);
                const auto start = static_cast<std::uint32_t>(frame.start);
                if constexpr (kWeekBeyondYear) {
                    const std::uint64_t inside = 0 - static_cast<std::uint64_t>(year.holds(start));  // all ones or zeros
                    yearMinutes += frameMinutes & static_cast<std::int64_t>(inside);
                    yearCharges += std::bit_cast<double>(chargeBits & inside);  // or +0.0
                } else {
                    yearMinutes += frameMinutes;
                    yearCharges += charge;
                }
                if (weekOrMonth.holds(start)) [[unlikely]] {
                    for (std::size_t p = 0; p < kYear; ++p) {
                        const std::uint64_t inside = 0 - static_cast<std::uint64_t>(start - offset[p] <= span[p]);
                        minutes[p] += frameMinutes & static_cast<std::int64_t>(inside);
                        charges[p] += std::bit_cast<double>(chargeBits & inside);
                    }
                }
            }
        }
        for (std::size_t p = 0; p < kYear; ++p) {
            m_minutes[p] = minutes[p];
            m_charges[p] = charges[p];
        }
        m_minutes[kYear] = yearMinutes;
        m_charges[kYear] = yearCharges;
    }

    std::array<std::uint32_t, kPeriodCount> m_offset{};
    std::array<std::uint32_t, kPeriodCount> m_span{};
    StartRange m_yearOrWeek, m_weekOrMonth, m_yearOnly;
    bool m_weekInYear = false;
    std::array<std::int64_t, kPeriodCount> m_minutes{};
    std::array<double, kPeriodCount> m_charges{};
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
    periods[0].name = Message(MessageId::TotalsToday, {date(today)});
    const MessageId names[] = {MessageId::TotalsThisWeek, MessageId::TotalsThisMonth, MessageId::TotalsThisYear};
    for (std::size_t p = 1; p < kPeriodCount; ++p)
        periods[p].name = Message(names[p - 1], {date(firstDays[p - 1]) + " - " + date(lastDays[p - 1])});
    for (PeriodTotal& period : periods) period.label = englishText(period.name);
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
