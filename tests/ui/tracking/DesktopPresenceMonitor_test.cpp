#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "ui/tracking/CAwayDlg.h"
#include "ui/tracking/DesktopPresenceMonitor.h"

// The module's headers by their folder: only the library that listens links its include path.
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusError>
#include <QtDBus/QDBusMessage>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>

namespace {

// A session bus of the test's own: a dbus-daemon started here (never the user's bus), and
// two connections to it, one listening as the program does and one sending as a screen
// locker would. A missing dbus-daemon fails the test: scripts/install-deps installs it.
class PrivateSessionBus : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        ASSERT_TRUE(m_daemon.waitForStarted(10000)) << "dbus-daemon did not start: " << m_daemon.errorString().toStdString();
        QElapsedTimer waited;
        waited.start();
        while (!m_daemon.canReadLine() && waited.elapsed() < 10000) m_daemon.waitForReadyRead(100);
        const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty()) << "dbus-daemon printed no address";
        m_listener = QDBusConnection::connectToBus(address, QStringLiteral("quillory-test-listener"));
        m_sender = QDBusConnection::connectToBus(address, QStringLiteral("quillory-test-sender"));
        ASSERT_TRUE(m_listener.isConnected()) << m_listener.lastError().message().toStdString();
        ASSERT_TRUE(m_sender.isConnected()) << m_sender.lastError().message().toStdString();
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("quillory-test-listener"));
        QDBusConnection::disconnectFromBus(QStringLiteral("quillory-test-sender"));
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(5000)) m_daemon.kill();
        }
    }

    // What a screen locker of the given interface sends when it starts or ends.
    void sendActiveChanged(const char* path, const char* interface, bool active) {
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(path), QLatin1String(interface),
                                                         QStringLiteral("ActiveChanged"));
        signal << active;
        ASSERT_TRUE(m_sender.send(signal));
    }
    // Returns once the bus has taken every subscription the listener asked for: the bus orders
    // a connection's messages, not those of two, so a signal sent before could go unheard.
    void listenerSubscribed() {
        const QDBusMessage reply = m_listener.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }
    // A system bus that is not there.
    static QDBusConnection noSystemBus() { return QDBusConnection(QStringLiteral("quillory-test-no-system-bus")); }

    QDBusConnection m_listener{QString()};
    QDBusConnection m_sender{QString()};

private:
    QProcess m_daemon;
};

TEST_F(PrivateSessionBus, EveryScreenLockersSignalIsHeard) {
    DesktopPresenceMonitor monitor(m_listener, noSystemBus());
    listenerSubscribed();
    // Offscreen there is no X11 idle time, and no system bus here.
    EXPECT_EQ(monitor.activeSources(), QStringList{QLatin1String(DesktopPresenceMonitor::kLockSource)});
    EXPECT_FALSE(monitor.idleSeconds());
    QSignalSpy spy(&monitor, &PresenceMonitor::screenLockChanged);
    struct Locker {
        const char* path;
        const char* interface;
    };
    const Locker lockers[] = {
        {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
        {"/ScreenSaver", "org.freedesktop.ScreenSaver"},
        {"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
        {"/ScreenSaver", "org.kde.screensaver"},
    };
    for (const Locker& locker : lockers) {
        SCOPED_TRACE(locker.interface);
        for (const bool active : {true, false}) {
            spy.clear();
            sendActiveChanged(locker.path, locker.interface, active);
            ASSERT_TRUE(spy.wait(5000));
            EXPECT_EQ(spy.takeFirst().at(0).toBool(), active);
        }
    }
    // Another interface's signal of the same name is not a lock.
    spy.clear();
    sendActiveChanged("/org/example/Other", "org.example.Other", true);
    EXPECT_FALSE(spy.wait(300));
}

// The whole way: a real signal on the bus, through the monitor and the watch, to the question.
TEST_F(PrivateSessionBus, ALockLongerThanTheThresholdAsksTheQuestion) {
    const QString settings = makeFileSet(QStringLiteral("Work.qlr"));
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::FileSet(settings.toStdString()).projects(),
                                  {{0, "Alpha", -1, 60.0, "", -1}, {1, "Beta", -1, 30.0, "", -1}}));
    setProfileValue("LastOpened", settings);
    std::vector<QString> asked;
    modal.answerDialog = [&](QDialog& dialog) {
        if (auto* away = qobject_cast<CAwayDlg*>(&dialog))
            asked.push_back(away->findChild<QLabel*>(QStringLiteral("awayText"))->text());
        dialog.reject();
        return dialog.result();
    };
    DesktopPresenceMonitor monitor(m_listener, noSystemBus());
    listenerSubscribed();
    AppServices withMonitor = services();
    withMonitor.presence = &monitor;
    CTessalyApp app(withMonitor);
    app.start({}, [](CMainFrame& frame) { frame.show(); });
    app.document().checkIn(0);
    app.document().checkIn(1);

    QSignalSpy spy(&monitor, &PresenceMonitor::screenLockChanged);
    clock.set(*ql::calendar::fromLocal(1996, 12, 11, 14, 5));
    sendActiveChanged("/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", true);
    ASSERT_TRUE(spy.wait(5000));
    clock.set(*ql::calendar::fromLocal(1996, 12, 11, 14, 47));
    sendActiveChanged("/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", false);
    ASSERT_TRUE(spy.wait(5000));
    QElapsedTimer waited;
    waited.start();
    while (asked.empty() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(asked, std::vector<QString>{QStringLiteral(
                         "You were away from 14:05 to 14:47 (42 minutes) while Alpha and Beta were running.")});
    // Escape kept the time: both still run from their check-in.
    EXPECT_EQ(app.document().runningCount(), 2);
}

}  // namespace
