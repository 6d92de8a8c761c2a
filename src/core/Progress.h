#pragma once

#include <cstdint>

namespace ql {

// Told how far a long piece of work has come, between its steps, so that a window can show it
// and offer to stop. Work that is stopped ends at its next step with Status::cancelled() and
// keeps nothing of what it made.
class Progress {
public:
    virtual ~Progress() = default;

    // done of total units (bytes read, pages painted); false once the user asked to stop, and
    // from then on.
    bool advance(std::uint64_t done, std::uint64_t total) {
        if (!m_stopped && !onAdvance(done, total)) m_stopped = true;
        return !m_stopped;
    }
    bool stopped() const { return m_stopped; }

protected:
    // False when the user asked to stop.
    virtual bool onAdvance(std::uint64_t done, std::uint64_t total) = 0;

private:
    bool m_stopped = false;
};

}  // namespace ql
