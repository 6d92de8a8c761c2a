#pragma once

#include <cstdint>

namespace ql {

// The current time in whole seconds since 1970-01-01 00:00:00 UTC. Injected everywhere
// the time is read, so tests fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t now() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int32_t now() const override;
};

// A clock that says what it is told.
class FixedClock final : public Clock {
public:
    explicit FixedClock(std::int32_t t) : m_now(t) {}
    std::int32_t now() const override { return m_now; }
    void set(std::int32_t t) { m_now = t; }
    void advance(std::int32_t seconds) { m_now += seconds; }

private:
    std::int32_t m_now;
};

}  // namespace ql
