#pragma once

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the desktop tells about the user being there: the screen locked and unlocked, the
// computer going to sleep and waking up, and how long no input came. Every source is
// optional; one the session does not offer simply never reports. Tests drive a fake.
class PresenceMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Seconds since the last keyboard or mouse input; nullopt without an idle source. Read
    // on the window's 30-second tick and when the screen is unlocked or the computer woke.
    virtual std::optional<std::int32_t> idleSeconds() = 0;
    // The sources that work in this session, as Help > About names them; empty for none.
    virtual QStringList activeSources() const = 0;

signals:
    // The screen locker started (true) or ended (false).
    void screenLockChanged(bool locked);
    // The computer is about to sleep (true) or has woken up (false).
    void sleepChanged(bool sleeping);
};

// No source at all: the monitor of a window without a desktop session.
class NoPresenceMonitor final : public PresenceMonitor {
public:
    using PresenceMonitor::PresenceMonitor;
    std::optional<std::int32_t> idleSeconds() override { return std::nullopt; }
    QStringList activeSources() const override { return {}; }
};
