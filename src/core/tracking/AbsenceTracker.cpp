#include "core/tracking/AbsenceTracker.h"

#include <algorithm>

namespace ql {
namespace {

std::size_t indexOf(AbsenceSource source) { return static_cast<std::size_t>(source); }

// The idle time and the clock are read at slightly different moments: one last input may
// come out a second apart from one poll to the next.
constexpr std::int32_t kSameInputSlack = 2;

}  // namespace

void AbsenceTracker::begin(AbsenceSource source, std::int32_t at) {
    auto& since = m_since[indexOf(source)];
    if (since) return;
    since = at;
    m_start = m_start ? std::min(*m_start, at) : at;
}

std::optional<Absence> AbsenceTracker::end(AbsenceSource source, std::int32_t at) {
    if (!m_since[indexOf(source)]) return std::nullopt;
    return ended(indexOf(source), at);
}

std::optional<Absence> AbsenceTracker::idle(std::int32_t idleSeconds, std::int32_t now) {
    const std::size_t source = indexOf(AbsenceSource::Idle);
    const std::int32_t lastInput = now - std::max(idleSeconds, 0);
    auto& since = m_since[source];
    if (idleSeconds > m_threshold) {
        // A later last input than the one the absence began at: the user came back in between
        // and left again. Only that input is known, so the first absence ends there and the
        // next one starts there.
        std::optional<Absence> previous;
        if (since && lastInput > *since + kSameInputSlack) previous = ended(source, lastInput);
        if (!since) begin(AbsenceSource::Idle, lastInput);
        return previous;
    }
    if (!since) return std::nullopt;
    return ended(source, lastInput);
}

std::optional<Absence> AbsenceTracker::ended(std::size_t source, std::int32_t at) {
    m_since[source].reset();
    if (!m_start) return std::nullopt;
    const bool stillAway = std::any_of(m_since.begin(), m_since.end(), [](const auto& s) { return s.has_value(); });
    if (stillAway) return std::nullopt;
    // A clock set back during the absence must not give one that ends before it began.
    const Absence absence{*m_start, std::max(at, *m_start)};
    m_start.reset();
    if (absence.seconds() <= m_threshold) return std::nullopt;
    return absence;
}

std::optional<std::int32_t> AbsenceTracker::awaySince() const { return m_start; }

void AbsenceTracker::reset() {
    m_since = {};
    m_start.reset();
}

}  // namespace ql
