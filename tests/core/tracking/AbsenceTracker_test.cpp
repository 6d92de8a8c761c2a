#include "core/tracking/AbsenceTracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

constexpr std::int32_t kT0 = 850316400;
constexpr std::int32_t kThreshold = 600;

// One thing the desktop reports, at kT0 + at seconds.
struct Event {
    enum Kind { Lock, Unlock, Sleep, Resume, Idle } kind;
    std::int32_t at;
    std::int32_t idleSeconds = 0;  // for Idle: the idle time polled at that moment
};

struct Step {
    std::optional<Absence> reported;
    std::optional<std::int32_t> awaySince;
};

Step feed(AbsenceTracker& tracker, const Event& e) {
    const std::int32_t at = kT0 + e.at;
    std::optional<Absence> reported;
    switch (e.kind) {
    case Event::Lock: tracker.begin(AbsenceSource::Lock, at); break;
    case Event::Unlock: reported = tracker.end(AbsenceSource::Lock, at); break;
    case Event::Sleep: tracker.begin(AbsenceSource::Sleep, at); break;
    case Event::Resume: reported = tracker.end(AbsenceSource::Sleep, at); break;
    case Event::Idle: reported = tracker.idle(e.idleSeconds, at); break;
    }
    return {reported, tracker.awaySince()};
}

Absence away(std::int32_t from, std::int32_t to) { return {kT0 + from, kT0 + to}; }

TEST(AbsenceTracker, EachAbsenceLongerThanTheThresholdIsReportedOnceWhenItEnds) {
    struct Case {
        const char* what;
        std::vector<Event> events;
        std::vector<Absence> reported;  // in order, over all events
    };
    const Case cases[] = {
        {"a lock shorter than the threshold", {{Event::Lock, 0}, {Event::Unlock, 599}}, {}},
        {"a lock exactly the threshold long", {{Event::Lock, 0}, {Event::Unlock, 600}}, {}},
        {"a lock longer than the threshold", {{Event::Lock, 0}, {Event::Unlock, 2520}}, {away(0, 2520)}},
        {"a sleep", {{Event::Sleep, 100}, {Event::Resume, 4000}}, {away(100, 4000)}},
        {"repeated signals change nothing",
         {{Event::Lock, 0}, {Event::Lock, 300}, {Event::Unlock, 900}, {Event::Unlock, 950}},
         {away(0, 900)}},
        {"an unlock without a lock", {{Event::Unlock, 900}}, {}},
        {"two absences in a row",
         {{Event::Lock, 0}, {Event::Unlock, 700}, {Event::Sleep, 800}, {Event::Resume, 2000}},
         {away(0, 700), away(800, 2000)}},
        {"a sleep while locked: one absence from the lock to the unlock",
         {{Event::Lock, 0}, {Event::Sleep, 60}, {Event::Resume, 3000}, {Event::Unlock, 3030}},
         {away(0, 3030)}},
        {"a lock and a sleep overlapping, each ending in turn",
         {{Event::Sleep, 0}, {Event::Lock, 10}, {Event::Resume, 900}, {Event::Unlock, 1000}},
         {away(0, 1000)}},
        {"idleness within the threshold is no absence",
         {{Event::Idle, 30, 30}, {Event::Idle, 630, 600}, {Event::Idle, 660, 2}},
         {}},
        {"idleness: from the last input to the first input back",
         {{Event::Idle, 630, 601}, {Event::Idle, 2550, 2521}, {Event::Idle, 2580, 20}},
         {away(29, 2560)}},
        {"idle, then gone and back between two polls: the one input known splits them",
         {{Event::Idle, 700, 700}, {Event::Idle, 1900, 700}, {Event::Idle, 1930, 5}},
         {away(0, 1200), away(1200, 1925)}},
        {"idle while locked: from the last input before the lock",
         {{Event::Lock, 300}, {Event::Idle, 700, 700}, {Event::Idle, 2000, 2000}, {Event::Idle, 2600, 3},
          {Event::Unlock, 2601}},
         {away(0, 2601)}},
        {"the clock set back during a lock: the absence has no negative length",
         {{Event::Lock, 1000}, {Event::Unlock, -5000}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AbsenceTracker tracker(kThreshold);
        std::vector<Absence> reported;
        for (const Event& e : c.events)
            if (const auto absence = feed(tracker, e).reported) reported.push_back(*absence);
        EXPECT_EQ(reported, c.reported);
        EXPECT_FALSE(tracker.awaySince());
    }
}

// What the journal is told while the absence lasts.
TEST(AbsenceTracker, AwaySinceFollowsTheEarliestSourceUntilTheLastHasEnded) {
    AbsenceTracker tracker(kThreshold);
    const std::pair<Event, std::optional<std::int32_t>> steps[] = {
        {{Event::Idle, 300, 300}, std::nullopt},  // not yet longer than the threshold
        {{Event::Lock, 400}, kT0 + 400},
        {{Event::Idle, 1000, 1000}, kT0},         // the last input came before the lock
        {{Event::Sleep, 1100}, kT0},
        {{Event::Resume, 5000}, kT0},
        {{Event::Idle, 5030, 10}, kT0},           // back at the keyboard, the screen still locked
        {{Event::Unlock, 5040}, std::nullopt},
    };
    for (const auto& [event, since] : steps) EXPECT_EQ(feed(tracker, event).awaySince, since) << "at " << event.at;

    tracker.begin(AbsenceSource::Lock, kT0 + 6000);
    tracker.reset();
    EXPECT_FALSE(tracker.awaySince());
    EXPECT_FALSE(tracker.end(AbsenceSource::Lock, kT0 + 9000));
}

}  // namespace
}  // namespace ql
