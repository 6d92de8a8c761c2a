#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace ql {

// A time the user was away: from start to end, in seconds.
struct Absence {
    std::int32_t start = 0;
    std::int32_t end = 0;

    std::int32_t seconds() const { return end - start; }
    bool operator==(const Absence&) const = default;
};

// Where a sign of absence comes from.
enum class AbsenceSource { Idle, Lock, Sleep };

// Turns what the desktop reports (no input for a while, the screen locked and unlocked, the
// computer going to sleep and resuming) into absences. The sources overlap freely: an
// absence lasts from the earliest start of any source until the last of them has ended, and
// it is reported once, when it ends, and only when it was longer than the threshold. Every
// time comes from the caller's clock.
class AbsenceTracker {
public:
    // threshold: how long, in seconds, an absence must last to be reported (more than this).
    explicit AbsenceTracker(std::int32_t thresholdSeconds) : m_threshold(thresholdSeconds) {}

    void setThreshold(std::int32_t seconds) { m_threshold = seconds; }
    std::int32_t threshold() const { return m_threshold; }

    // The screen was locked or the computer goes to sleep at at. Begins nothing new while
    // that source is already away (a repeated signal).
    void begin(AbsenceSource source, std::int32_t at);
    // The screen was unlocked, or the computer resumed, at at. Returns the absence that ended
    // with it when it was longer than the threshold; nullopt otherwise, also for an end
    // without a begin.
    std::optional<Absence> end(AbsenceSource source, std::int32_t at);
    // The polled input idleness: no input for idleSeconds up to now. Idleness longer than the
    // threshold is an absence from the last input; once the user is back (the idle time is
    // within the threshold again, or the last input is later than the one the absence began
    // at) it ends at the last input. Returns the absence that ended, as end does.
    std::optional<Absence> idle(std::int32_t idleSeconds, std::int32_t now);

    // Since when the user is away, as far as is known now; nullopt while present. Idleness
    // counts only once it is longer than the threshold.
    std::optional<std::int32_t> awaySince() const;
    // Forgets every source (detection was switched off).
    void reset();

private:
    std::optional<Absence> ended(std::size_t source, std::int32_t at);

    std::int32_t m_threshold;
    // By source: since when it says the user is away.
    std::array<std::optional<std::int32_t>, 3> m_since{};
    // The earliest start of the absence in progress, kept while its sources hand over.
    std::optional<std::int32_t> m_start;
};

}  // namespace ql
