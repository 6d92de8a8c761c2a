#pragma once

#include "ui/tracking/PresenceMonitor.h"

// A presence monitor whose idle time and sources a test sets; its signals are emitted by the
// test (lock, sleep).
class FakePresence final : public PresenceMonitor {
public:
    std::optional<std::int32_t> idleSeconds() override { return idle; }
    QStringList activeSources() const override { return sources; }

    void lock(bool locked) { emit screenLockChanged(locked); }
    void sleep(bool sleeping) { emit sleepChanged(sleeping); }

    std::optional<std::int32_t> idle;
    QStringList sources;
};
