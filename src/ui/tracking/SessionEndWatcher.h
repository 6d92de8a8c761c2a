#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a kill, a closed terminal) into a signal on the
// user-interface thread. The handler only writes the signal's number to a pipe; everything
// else happens in the slot the notifier calls. One watcher per process.
class SessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit SessionEndWatcher(QObject* parent = nullptr);
    ~SessionEndWatcher() override;

    // Whether the pipe and handlers are in place; false leaves the default actions.
    bool installed() const { return m_notifier != nullptr; }

signals:
    // Emitted once per signal received, on the thread that created the watcher.
    void sessionEnding(int signalNumber);

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};
