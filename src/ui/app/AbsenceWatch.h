#pragma once

#include "ui/app/ShellOnly.h"

#include "core/tracking/AbsenceTracker.h"

#include <QObject>
#include <QPointer>

#include <deque>

class CTessalyDoc;
class Modal;
class PresenceMonitor;
class QWidget;
namespace ql {
class Clock;
}

// Notices the user's absences while projects run and asks what they were. It feeds what the
// presence monitor reports (the idle time on each of the document's ticks) to an
// AbsenceTracker with the profile's threshold, keeps the absence's start in the document's
// journal, and once an absence longer than the threshold has ended while unpaused projects
// ran through it, asks the question (CAwayDlg) over the window, raising it, once per absence.
// An absence that ends while the window is minimized or not on screen is asked about when
// the window is next shown. Nothing is noticed while the profile turns detection off.
class AbsenceWatch : public QObject {
    Q_OBJECT
public:
    // Every argument outlives the watch.
    AbsenceWatch(CTessalyDoc& doc, PresenceMonitor& monitor, Modal& modal, const ql::Clock& clock, QWidget& window,
                 QObject* parent = nullptr);
    ~AbsenceWatch() override;

    // The absences waiting for an answer, oldest first.
    const std::deque<ql::Absence>& pending() const { return m_pending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onScreenLock(bool locked);
    void onSleep(bool sleeping);
    void pollIdle();
    // Applies the profile's switch and threshold; false while detection is off.
    bool enabled();
    void handle(const std::optional<ql::Absence>& ended);
    void keepJournal();
    void askLater();
    void askPending();
    bool windowShown() const;

    CTessalyDoc& m_doc;
    PresenceMonitor& m_monitor;
    Modal& m_modal;
    const ql::Clock& m_clock;
    QPointer<QWidget> m_window;
    ql::AbsenceTracker m_tracker;
    std::deque<ql::Absence> m_pending;
    bool m_asking = false;
    bool m_askQueued = false;
};
