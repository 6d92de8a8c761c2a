#pragma once

#include "ui/tracking/PresenceMonitor.h"

class QDBusConnection;

// The desktop's own sources: logind's PrepareForSleep on the system bus, ActiveChanged of
// the freedesktop, GNOME and KDE screen savers on the session bus, and the X11 screen-saver
// extension's idle time. A bus that is not there, or X11 not being the platform, leaves that
// source out.
class DesktopPresenceMonitor final : public PresenceMonitor {
    Q_OBJECT
public:
    static constexpr const char* kLockSource = QT_TRANSLATE_NOOP("DesktopPresenceMonitor", "Screen lock (session bus)");
    static constexpr const char* kSleepSource = QT_TRANSLATE_NOOP("DesktopPresenceMonitor",
                                                                  "Suspend and resume (logind)");
    static constexpr const char* kIdleSource = QT_TRANSLATE_NOOP("DesktopPresenceMonitor", "Input idleness (X11)");

    // Listens on the user's session bus and the system bus.
    explicit DesktopPresenceMonitor(QObject* parent = nullptr);
    // Listens on the given buses (tests pass a private one).
    DesktopPresenceMonitor(const QDBusConnection& session, const QDBusConnection& system, QObject* parent = nullptr);

    std::optional<std::int32_t> idleSeconds() override;
    QStringList activeSources() const override;

private slots:
    void onActiveChanged(bool active);
    void onPrepareForSleep(bool sleeping);

private:
    bool m_lock = false;
    bool m_sleep = false;
    bool m_idle = false;
};
