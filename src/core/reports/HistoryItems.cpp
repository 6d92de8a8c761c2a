#include "core/reports/HistoryItems.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/LocalTimeCache.h"
#include "core/time/TimeText.h"
#include "core/tracking/Charges.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace ql {
namespace {

bool hasNegativeTime(const HistoryItem& item) { return item.frame.start < 0 || item.frame.end < 0; }

}  // namespace

HistoryFilter historyFilterOf(const HistoryFilterRecord& saved) {
    return {saved.projectId, {saved.periodStart, saved.periodEnd}};
}

HistoryLoad LoadHistoryItems(FileSystem& fs, const FileSet& set, const HistoryFilter& filter) {
    HistoryLoad load;
    const std::string& projectsPath = set.projects();
    auto index = ProjectIndex::load(fs, projectsPath);
    const bool projectsRead = index.isOk();
    if (!projectsRead) {
        load.messages.push_back(index.status().userMessage());
        load.failure = index.status();
    }

    load.filterProjectDeleted = projectsRead && filter.projectId != -1 && !index->find(filter.projectId);
    HistoryItems& history = load.history;
    // Ids are small in practice: a table by id finds a frame's slot without hashing, a map
    // holds the others.
    constexpr std::int32_t kDenseIds = 1 << 16;
    std::vector<std::int32_t> denseSlot;  // id -> slot + 1, 0 for none yet
    std::unordered_map<std::int32_t, std::int32_t> projectSlot;
    // The rates by slot, apart from the names: a frame's look-up then stays in the cache.
    std::vector<double> rateOfSlot;
    // One local-time conversion per frame would dominate a year's load; frames come in any order.
    calendar::LocalTimeCache local;
    std::int32_t lastId = 0;
    std::int32_t lastSlot = -1;
    const auto slotOf = [&](std::int32_t id) {
        if (lastSlot >= 0 && id == lastId) return lastSlot;
        const auto next = static_cast<std::int32_t>(history.projects.size());
        bool added = false;
        std::int32_t slot = 0;
        if (id >= 0 && id < kDenseIds) {
            if (static_cast<std::size_t>(id) >= denseSlot.size())
                denseSlot.resize(std::max(static_cast<std::size_t>(id) + 1, 2 * denseSlot.size()), 0);
            std::int32_t& dense = denseSlot[static_cast<std::size_t>(id)];
            added = dense == 0;
            if (added) dense = next + 1;
            slot = dense - 1;
        } else {
            auto [it, inserted] = projectSlot.try_emplace(id, next);
            added = inserted;
            slot = it->second;
        }
        if (added) {
            HistoryProject p;
            p.id = id;
            const ProjectRecord* record = projectsRead ? index->find(id) : nullptr;
            if (record) {
                p.name = record->name;
                p.chargesPerHour = record->chargesPerHour;
            } else {
                p.name = projectsRead ? deletedProjectName(id) : "(project " + std::to_string(id) + ")";
            }
            rateOfSlot.push_back(p.chargesPerHour);
            history.projects.push_back(std::move(p));
        }
        lastId = id;
        lastSlot = slot;
        return lastSlot;
    };

    const std::string& framesPath = set.timeFrames();
    // Room for every frame of the file (up to 4 million), so the rows are not moved again and
    // again while the file is read: room no row takes is address space only, never touched and
    // so never made memory.
    constexpr std::uint64_t kMostReserved = 1 << 22;
    if (const auto identity = fs.identify(framesPath); identity && identity->type == FileType::Regular) {
        const std::uint64_t frames = identity->size / TimeFrameRecord::kSize;
        history.items.reserve(static_cast<std::size_t>(std::min(frames, kMostReserved)));
    }
    const Status read = forEachTimeFrame(fs, framesPath, [&](const TimeFrameRecord& frame) {
        if (filter.projectId != -1 && frame.projectId != filter.projectId) return;
        if (!InPeriod(frame.start, filter.period)) return;
        HistoryItem item;
        item.frame = frame;
        item.project = slotOf(frame.projectId);
        const calendar::LocalTime start = local.toLocal(frame.start);
        item.dateKey = start.year * 10000 + start.month * 100 + start.day;
        item.timeKey = start.hour * 60 + start.minute;
        item.minutes = wholeMinutes(static_cast<std::int64_t>(frame.end) - frame.start);
        item.charge = chargeFor(rateOfSlot[static_cast<std::size_t>(item.project)], item.minutes);
        history.items.push_back(item);
    });
    if (!read) {
        load.messages.push_back(read.userMessage());
        if (load.failure) load.failure = read;
        history.items.clear();
    }
    return load;
}

std::vector<std::int32_t> rankProjectNames(const std::vector<HistoryProject>& projects, const NameCompare& compare) {
    std::vector<std::size_t> order(projects.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return compare(projects[a].name, projects[b].name) < 0; });
    std::vector<std::int32_t> rank(projects.size());
    std::int32_t current = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compare(projects[order[i - 1]].name, projects[order[i]].name) != 0) ++current;
        rank[order[i]] = current;
    }
    return rank;
}

int compareNamesIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = lower(static_cast<unsigned char>(a[i])) - lower(static_cast<unsigned char>(b[i]));
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

namespace {

// The key CompareHistoryItems compares for column; 0 for every item of another column.
std::int64_t sortKey(const HistoryItem& item, int column, const std::vector<std::int32_t>& nameRanks) {
    switch (column) {
    case 0: return nameRanks[static_cast<std::size_t>(item.project)];
    case 1: return item.dateKey;
    case 2: return item.timeKey;
    case 3: return item.minutes;
    // Whole cents of each charge rather than of their difference, so that the order is
    // transitive: charges within the same cent compare equal.
    case 4: return static_cast<std::int64_t>(item.charge * 100.0);
    default: return 0;
    }
}

// The order sortedHistoryOrder gives, by a counting sort when the keys span a small range (a
// project's rank, a time of day, the days of a year): each item goes straight to its place, in
// file order among equal keys, without the mispredicted branches of comparing 200,000 keys.
// nullopt when the range is too wide for a table of counts.
std::optional<std::vector<std::int32_t>> countedOrder(const HistoryItems& history, int column,
                                                      const std::vector<std::int32_t>& nameRanks) {
    constexpr std::int64_t kMostKeys = 1 << 16;
    const std::vector<HistoryItem>& items = history.items;
    std::vector<std::int64_t> keys(items.size());
    std::int64_t lowest = INT64_MAX;
    std::int64_t highest = INT64_MIN;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (hasNegativeTime(items[i])) continue;
        keys[i] = sortKey(items[i], column, nameRanks);
        lowest = std::min(lowest, keys[i]);
        highest = std::max(highest, keys[i]);
    }
    const bool narrow = lowest > highest || static_cast<std::uint64_t>(highest) - static_cast<std::uint64_t>(lowest) <
                                                 static_cast<std::uint64_t>(kMostKeys);
    if (!narrow || items.size() > std::size_t{INT32_MAX}) return std::nullopt;
    // starts[k] ends up as the first place of key lowest + k; the last slot holds the items
    // with a negative time, which go after all others.
    const std::size_t keyCount = lowest <= highest ? static_cast<std::size_t>(highest - lowest) + 1 : 0;
    std::vector<std::int32_t> starts(keyCount + 2, 0);
    const auto slotOf = [&](std::size_t i) {
        return hasNegativeTime(items[i]) ? keyCount : static_cast<std::size_t>(keys[i] - lowest);
    };
    for (std::size_t i = 0; i < items.size(); ++i) ++starts[slotOf(i) + 1];
    for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
    std::vector<std::int32_t> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        order[static_cast<std::size_t>(starts[slotOf(i)]++)] = static_cast<std::int32_t>(i);
    return order;
}

}  // namespace

int CompareHistoryItems(const HistoryItem& a, const HistoryItem& b, int column,
                        const std::vector<std::int32_t>& nameRanks) {
    if (hasNegativeTime(a) || hasNegativeTime(b)) return 0;
    const std::int64_t ka = sortKey(a, column, nameRanks);
    const std::int64_t kb = sortKey(b, column, nameRanks);
    return ka < kb ? -1 : ka > kb ? 1 : 0;
}

std::vector<std::int32_t> sortedHistoryOrder(const HistoryItems& history, int column,
                                             const std::vector<std::int32_t>& nameRanks) {
    // Each item's key is computed once; ordering (key, file position) pairs is the stable
    // sort, and items with a negative time get a key above all others.
    struct Keyed {
        bool last;
        std::int64_t key;
        std::int32_t index;
        bool operator<(const Keyed& o) const {
            if (last != o.last) return o.last;
            if (!last && key != o.key) return key < o.key;
            return index < o.index;
        }
    };
    if (auto counted = countedOrder(history, column, nameRanks)) return std::move(*counted);
    // Usually every key fits 32 bits: then (last, key, position) packs into one integer,
    // and sorting plain integers takes half the time of sorting the structures.
    bool packable = history.items.size() < (std::size_t{1} << 31);
    std::vector<std::uint64_t> packed;
    if (packable) {
        packed.reserve(history.items.size());
        for (std::size_t i = 0; i < history.items.size() && packable; ++i) {
            const HistoryItem& item = history.items[i];
            const bool last = hasNegativeTime(item);
            const std::int64_t key = last ? 0 : sortKey(item, column, nameRanks);
            packable = key >= INT32_MIN && key <= INT32_MAX;
            packed.push_back(std::uint64_t{last} << 63 | static_cast<std::uint64_t>(key - INT32_MIN) << 31 | i);
        }
    }
    if (packable) {
        std::sort(packed.begin(), packed.end());
        std::vector<std::int32_t> order;
        order.reserve(packed.size());
        for (const std::uint64_t k : packed) order.push_back(static_cast<std::int32_t>(k & 0x7fffffffu));
        return order;
    }
    std::vector<Keyed> keyed;
    keyed.reserve(history.items.size());
    for (std::size_t i = 0; i < history.items.size(); ++i) {
        const HistoryItem& item = history.items[i];
        keyed.push_back({hasNegativeTime(item), sortKey(item, column, nameRanks), static_cast<std::int32_t>(i)});
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::int32_t> order;
    order.reserve(keyed.size());
    for (const Keyed& k : keyed) order.push_back(k.index);
    return order;
}

std::string historyDateText(const HistoryItem& item, bool monthFirst) {
    const calendar::Date start{item.dateKey / 10000, item.dateKey / 100 % 100, item.dateKey % 100};
    return shortDateText(start, monthFirst);
}

std::string historyTimeText(const HistoryItem& item) { return clock12Text(item.timeKey / 60, item.timeKey % 60); }

std::string historySpanText(const HistoryItem& item) {
    return signedSpanText(static_cast<std::int64_t>(item.frame.end) - item.frame.start);
}

std::string historyChargeText(const HistoryItem& item, const std::string& monetarySymbol) {
    return monetarySymbol + fixed2Text(item.charge);
}


}  // namespace ql
