#include "ui/tracking/DesktopPresenceMonitor.h"

#include "ui/tracking/X11IdleTime.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace {

// The lockers' interfaces, each with the same ActiveChanged(bool) signal; whichever runs in
// this desktop is heard, from any object path.
const char* const kScreenSaverInterfaces[] = {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver",
                                              "org.kde.screensaver"};
const QString kLogin1 = QStringLiteral("org.freedesktop.login1");

}  // namespace

DesktopPresenceMonitor::DesktopPresenceMonitor(QObject* parent)
    : DesktopPresenceMonitor(QDBusConnection::sessionBus(), QDBusConnection::systemBus(), parent) {}

DesktopPresenceMonitor::DesktopPresenceMonitor(const QDBusConnection& session, const QDBusConnection& system,
                                               QObject* parent)
    : PresenceMonitor(parent) {
    QDBusConnection sessionBus = session;
    if (sessionBus.isConnected()) {
        for (const char* interface : kScreenSaverInterfaces)
            m_lock |= sessionBus.connect(QString(), QString(), QLatin1String(interface), QStringLiteral("ActiveChanged"),
                                         this, SLOT(onActiveChanged(bool)));
    }
    QDBusConnection systemBus = system;
    // Without logind on the bus nothing will ever send it: not named as a source.
    if (systemBus.isConnected() && systemBus.interface() && systemBus.interface()->isServiceRegistered(kLogin1))
        m_sleep = systemBus.connect(kLogin1, QStringLiteral("/org/freedesktop/login1"),
                                    QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                                    this, SLOT(onPrepareForSleep(bool)));
    m_idle = x11IdleTimeAvailable();
}

std::optional<std::int32_t> DesktopPresenceMonitor::idleSeconds() {
    if (!m_idle) return std::nullopt;
    return x11IdleSeconds();
}

QStringList DesktopPresenceMonitor::activeSources() const {
    QStringList sources;
    if (m_lock) sources << tr(kLockSource);
    if (m_sleep) sources << tr(kSleepSource);
    if (m_idle) sources << tr(kIdleSource);
    return sources;
}

void DesktopPresenceMonitor::onActiveChanged(bool active) {
    emit screenLockChanged(active);
}

void DesktopPresenceMonitor::onPrepareForSleep(bool sleeping) {
    emit sleepChanged(sleeping);
}
