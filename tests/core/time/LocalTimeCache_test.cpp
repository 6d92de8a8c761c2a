#include "core/time/LocalTimeCache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>

namespace ql::calendar {
namespace {

bool same(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second && a.weekday == b.weekday;
}

// The fields and the offset from UTC that the C library gives for t.
bool agrees(LocalTimeCache& cache, std::int32_t t) {
    std::int32_t offset = 0;
    const LocalTime local = cache.toLocal(t, offset);
    const std::time_t tt = t;
    std::tm tm{};
    localtime_r(&tt, &tm);
    return same(local, toLocal(t)) && offset == tm.tm_gmtoff;
}

// The cache agrees with the C library everywhere: around every daylight-saving switch, in a
// zone that moves its clocks by half an hour, and at the ends of the 32-bit range; so do the
// offsets from UTC it gives.
TEST(LocalTimeCache, AgreesWithTheLibraryInEveryZone) {
    for (const char* zone : {"America/New_York", "Australia/Lord_Howe", "Asia/Kathmandu", "UTC", "Europe/Berlin"}) {
        setenv("TZ", zone, 1);
        tzset();
        LocalTimeCache cache;
        std::mt19937 random(7);
        std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
        for (int i = 0; i < 20000; ++i) {
            const std::int32_t t = any(random);
            ASSERT_TRUE(agrees(cache, t)) << zone << " " << t;
        }
        // Every minute of 1996 and 2011, switches included.
        for (const auto& [from, to] : {std::pair{820454400, 852076800}, std::pair{1293840000, 1325376000}})
            for (std::int32_t t = from; t < to; t += 60 + 7)
                ASSERT_TRUE(agrees(cache, t)) << zone << " " << t;
        for (const std::int32_t t : {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX - 1, INT32_MAX})
            EXPECT_TRUE(agrees(cache, t)) << zone << " " << t;
    }
}

}  // namespace
}  // namespace ql::calendar
