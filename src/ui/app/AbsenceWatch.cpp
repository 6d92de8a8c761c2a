#include "ui/app/AbsenceWatch.h"

#include "core/store/Projects.h"
#include "core/time/Clock.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/common/Modal.h"
#include "ui/common/Profile.h"
#include "ui/tracking/CAwayDlg.h"
#include "ui/tracking/PresenceMonitor.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

AbsenceWatch::AbsenceWatch(CTessalyDoc& doc, PresenceMonitor& monitor, Modal& modal, const ql::Clock& clock,
                           QWidget& window, QObject* parent)
    : QObject(parent),
      m_doc(doc),
      m_monitor(monitor),
      m_modal(modal),
      m_clock(clock),
      m_window(&window),
      m_tracker(Profile::awayMinutes() * 60) {
    connect(&m_monitor, &PresenceMonitor::screenLockChanged, this, &AbsenceWatch::onScreenLock);
    connect(&m_monitor, &PresenceMonitor::sleepChanged, this, &AbsenceWatch::onSleep);
    connect(&m_doc, &CTessalyDoc::ticked, this, &AbsenceWatch::pollIdle);
    window.installEventFilter(this);
}

AbsenceWatch::~AbsenceWatch() = default;

bool AbsenceWatch::enabled() {
    if (!Profile::awayDetection()) {
        m_tracker.reset();
        m_pending.clear();
        keepJournal();
        return false;
    }
    m_tracker.setThreshold(Profile::awayMinutes() * 60);
    return true;
}

void AbsenceWatch::onScreenLock(bool locked) {
    if (!enabled()) return;
    // The idle time first: an unlock is input, and the idleness before it belongs to the
    // same absence.
    pollIdle();
    if (locked) m_tracker.begin(ql::AbsenceSource::Lock, m_clock.now());
    else handle(m_tracker.end(ql::AbsenceSource::Lock, m_clock.now()));
    keepJournal();
}

void AbsenceWatch::onSleep(bool sleeping) {
    if (!enabled()) return;
    pollIdle();
    if (sleeping) m_tracker.begin(ql::AbsenceSource::Sleep, m_clock.now());
    else handle(m_tracker.end(ql::AbsenceSource::Sleep, m_clock.now()));
    // Before the computer sleeps: the journal must hold the absence should it never wake.
    keepJournal();
}

void AbsenceWatch::pollIdle() {
    if (!enabled()) return;
    if (const auto idle = m_monitor.idleSeconds()) handle(m_tracker.idle(*idle, m_clock.now()));
    keepJournal();
}

void AbsenceWatch::handle(const std::optional<ql::Absence>& ended) {
    if (!ended) return;
    // Only an absence that took time from unpaused running projects is worth a question.
    if (ql::absentEntries(m_doc.running(), *ended).empty()) return;
    m_pending.push_back(*ended);
    askLater();
}

void AbsenceWatch::keepJournal() {
    // Only an absence still going on: once the user is back, a crash before the answer must
    // not end the time worked since (or drop a project checked in since) at the absence's start.
    m_doc.setAwaySince(m_tracker.awaySince().value_or(0));
}

void AbsenceWatch::askLater() {
    // Asked from the event loop: the events and ticks that end an absence must not wait for
    // the answer.
    if (m_askQueued) return;
    m_askQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        m_askQueued = false;
        askPending();
    }, Qt::QueuedConnection);
}

bool AbsenceWatch::windowShown() const {
    if (!m_window || !m_window->isVisible() || m_window->isMinimized()) return false;
    const QWindow* handle = m_window->windowHandle();
    // Unmapped on another virtual desktop: not exposed.
    return handle && handle->isExposed();
}

void AbsenceWatch::askPending() {
    if (m_asking || m_pending.empty() || !windowShown()) return;
    m_asking = true;
    while (!m_pending.empty() && windowShown()) {
        const ql::Absence absence = m_pending.front();
        const std::vector<ql::RunningEntry> absent = ql::absentEntries(m_doc.running(), absence);
        if (!absent.empty()) {
            auto projects = ql::ProjectIndex::load(m_doc.fileSystem(), m_doc.fileSet().projects());
            QStringList names;
            for (const ql::RunningEntry& entry : absent) {
                QString name = projects ? QString::fromStdString(projects->name(entry.projectId)) : QString();
                if (name.isEmpty()) name = tr("Project ") + QString::number(entry.projectId);
                if (!names.contains(name)) names << name;
            }
            m_window->raise();
            m_window->activateWindow();
            CAwayDlg dialog(absence, names, m_window);
            m_modal.runDialog(dialog);
            // Detection switched off while the question was up empties the list meanwhile.
            if (!m_pending.empty() && m_pending.front() == absence) m_pending.pop_front();
            (void)m_doc.answerAbsence(dialog.answer(), absence);
        } else {
            m_pending.pop_front();
        }
        keepJournal();
    }
    m_asking = false;
}

bool AbsenceWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // A window back from another desktop is exposed again without being shown: that
        // arrives at its QWindow, which exists once the window was first shown.
        if (watched == m_window && m_window->windowHandle()) m_window->windowHandle()->installEventFilter(this);
        [[fallthrough]];
    case QEvent::WindowStateChange:
    case QEvent::WindowActivate:
    case QEvent::Expose:
        if (!m_pending.empty()) askLater();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
