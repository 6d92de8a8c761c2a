#include "ui/app/CTessalyDoc.h"
#include "ui/common/CoreText.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/Clock.h"

#include "core/store/FileSystem.h"
#include "core/store/Settings.h"
#include "ui/common/CommandIds.h"
#include "ui/common/FileSetDialogs.h"
#include "ui/common/LocaleFacts.h"
#include "ui/common/Profile.h"
#include "ui/common/ExistingFolder.h"
#include "ui/common/Prompter.h"
#include "ui/tracking/RunningHeldElsewhere.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char* const kWarning = QT_TRANSLATE_NOOP("CTessalyDoc", "Warning");
const QString kAppTitle = QStringLiteral("Quillory");

std::string encodedPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

CTessalyDoc::CTessalyDoc(Prompter& prompter, const ql::Clock& clock, ql::FileSystem& fileSystem,
                         FileSetDialogs& dialogs, QObject* parent)
    : QObject(parent),
      m_prompter(prompter),
      m_clock(clock),
      m_fileSystem(fileSystem),
      m_dialogs(dialogs),
      m_journal(fileSystem) {}

CTessalyDoc::~CTessalyDoc() {
    if (m_fileSetOpen) Profile::setLastOpened(m_settingsPath);
}

void CTessalyDoc::openAtStart(const QString& commandLine) {
    if (!commandLine.isEmpty() && fileExists(commandLine)) {
        setSettingsPath(commandLine);
        m_fileSetOpen = true;
    } else {
        const QString lastOpened = Profile::lastOpened();
        if (!lastOpened.isEmpty() && fileExists(lastOpened)) {
            setSettingsPath(lastOpened);
            m_fileSetOpen = true;
        }
    }
    updateTitle();
    emit stateChanged();
}

std::string CTessalyDoc::pathOf(ql::FileKind kind) const { return m_fileSet.path(kind); }

void CTessalyDoc::setSettingsPath(const QString& path) {
    m_settingsPath = path;
    m_fileSet = ql::FileSet(encodedPath(path));
}

ql::CheckInResult CTessalyDoc::checkIn(std::int32_t projectId) {
    const ql::CheckInResult result = m_running.checkIn(projectId, m_clock.now());
    journal();
    emit stateChanged();
    return result;
}

ql::Status CTessalyDoc::checkOut(std::int32_t projectId) {
    const bool wasPaused = m_running.paused();
    auto frame = m_running.checkOut(projectId, m_clock.now(), [&](const ql::TimeFrameRecord& f) {
        return ql::appendTimeFrame(m_fileSystem, m_fileSet, f);
    });
    journal();
    if (wasPaused != m_running.paused()) updateTitle();
    emit stateChanged();
    return frame.status();
}

void CTessalyDoc::togglePause() {
    m_running.togglePause(m_clock.now());
    journal();
    updateTitle();
    emit stateChanged();
}

void CTessalyDoc::tick() {
    m_running.tick(m_clock.now());
    if (!m_running.empty()) journal();
    emit ticked();
}

void CTessalyDoc::setAwaySince(std::int32_t since) {
    if (since == m_awaySince) return;
    m_awaySince = since;
    if (!m_running.empty()) journal();
}

ql::Status CTessalyDoc::answerAbsence(ql::AbsenceAnswer answer, const ql::Absence& absence) {
    if (answer == ql::AbsenceAnswer::KeepTime) return ql::Status::ok();
    // The journal says a failure once; kept here, it is told rather than lost in the loop.
    ql::Status journalFailure = ql::Status::ok();
    ql::AbsenceOutcome outcome = ql::applyAbsenceAnswer(
        answer, absence, m_running,
        [&](const ql::TimeFrameRecord& f) { return ql::appendTimeFrame(m_fileSystem, m_fileSet, f); },
        // Each frame that landed leaves the journal at once, so a crash now cannot write it twice.
        [&](const ql::RunningProjects& rest) {
            if (const ql::Status st = m_journal.record(rest, m_clock.now(), m_awaySince); !st && journalFailure.isOk())
                journalFailure = st;
        });
    m_running = std::move(outcome.running);
    journal();
    if (!journalFailure)
        m_prompter.inform(kAppTitle, coreText(journalFailure), Prompter::Icon::Warning);
    if (!outcome.status)
        m_prompter.inform(kAppTitle, coreText(outcome.status), Prompter::Icon::Warning);
    updateTitle();
    emit stateChanged();
    openedOrCreated();
    return outcome.status;
}

void CTessalyDoc::journal() {
    // Paused projects lose nothing to an absence, so a recovery must not cut them at its start.
    const std::int32_t awaySince = m_running.paused() ? 0 : m_awaySince;
    const ql::Status written = m_journal.record(m_running, m_clock.now(), awaySince);
    // Timing goes on in memory: only a crash before the next good write would lose it.
    if (!written) m_prompter.inform(kAppTitle, coreText(written), Prompter::Icon::Warning);
}

QString CTessalyDoc::heldElsewhereText(const QString& settingsPath) {
    return runningHeldElsewhereText(settingsPath);
}

bool CTessalyDoc::claimRunning(bool tell) {
    if (m_journal.claim(m_fileSet) != ql::RunLock::Outcome::HeldElsewhere) return true;
    if (tell) m_prompter.inform(kAppTitle, heldElsewhereText(m_settingsPath), Prompter::Icon::Information);
    return false;
}

void CTessalyDoc::recoverRunning() {
    if (!m_fileSetOpen) return;
    if (!claimRunning(false)) {
        // Another window keeps this set's running projects: worth saying only when it has some
        // running (a check-in here says it in any case).
        auto held = m_journal.read();
        if (held && *held && !(*held)->entries.empty())
            m_prompter.inform(kAppTitle, heldElsewhereText(m_settingsPath), Prompter::Icon::Information);
        return;
    }
    offerRecovery();
}

bool CTessalyDoc::claimForCheckIn() {
    if (m_journal.owns()) return true;
    if (!m_fileSetOpen || !claimRunning(false)) return false;
    offerRecovery();
    return true;
}

void CTessalyDoc::offerRecovery() {
    auto journalled = m_journal.read();
    if (!journalled) {
        const QString message = coreText(journalled.status());
        // A FIFO, folder or device is the user's and stays where it is: told once, and again
        // only when something else sits there, not at every start.
        if (const auto mark = ql::unusableJournalMark(m_fileSystem, m_journal.path())) {
            const QString path = QFile::decodeName(QByteArray::fromStdString(m_journal.path()));
            const QString markText = QString::fromStdString(*mark);
            if (Profile::journalReported(path, markText)) return;
            m_prompter.inform(kAppTitle, message, Prompter::Icon::Warning);
            Profile::rememberJournalReported(path, markText);
            return;
        }
        // Reported once: a journal that is not whole holds nothing that could be recovered.
        m_prompter.inform(kAppTitle, message, Prompter::Icon::Warning);
        (void)m_journal.discard();
        return;
    }
    if (!*journalled) return;
    if ((*journalled)->entries.empty()) {
        (void)m_journal.discard();
        return;
    }
    auto projects = ql::ProjectIndex::load(m_fileSystem, m_fileSet.projects());
    const ql::RecoveryReview review =
        ql::reviewJournal(**journalled, m_clock.now(), projects ? &*projects : nullptr);
    const ql::JournalState& state = review.state;
    const ql::RecoveryChoice choice =
        m_chooseRecovery ? m_chooseRecovery(review, projects ? &*projects : nullptr) : ql::RecoveryChoice::KeepRunning;
    // The session ended while the question was open: it was never answered, so the journal
    // stays exactly as it was for the next start.
    if (m_sessionEnding) return;
    ql::RecoveryOutcome outcome = ql::applyRecovery(
        choice, state, [&](const ql::TimeFrameRecord& f) { return ql::appendTimeFrame(m_fileSystem, m_fileSet, f); },
        // Each frame that landed leaves the journal at once, so a crash now cannot write it twice.
        [&](const ql::RunningProjects& rest) { (void)m_journal.record(rest, state.heartbeat); });
    m_running = std::move(outcome.running);
    if (!outcome.status)
        m_prompter.inform(kAppTitle, coreText(outcome.status), Prompter::Icon::Warning);
    journal();
    updateTitle();
    emit stateChanged();
    if (choice == ql::RecoveryChoice::CheckOutAtLastSeen) openedOrCreated();
}

void CTessalyDoc::endSession() {
    if (m_sessionEnding) return;
    m_sessionEnding = true;
    // With nothing running the journal is absent, or waits for its recovery: leave it.
    if (!m_running.empty()) journal();
}

QString CTessalyDoc::title() const {
    QString title;
    if (m_fileSetOpen) title = m_settingsPath;
    if (m_running.paused()) title += tr(" - PAUSE");
    return title;
}

void CTessalyDoc::updateTitle() {
    m_title = title();
    emit titleChanged(m_title);
}

bool CTessalyDoc::canClose() {
    if (m_running.empty() || m_sessionEnding) return true;
    if (!m_prompter.ask(tr("Confirmation"), tr(kExitWhileRunning))) return false;
    (void)m_journal.discard();
    m_journal.release();
    return true;
}

void CTessalyDoc::notifyViews(int hint) {
    emit updateHint(hint);
}

void CTessalyDoc::onFileNew() {
    if (!m_running.empty()) {
        m_prompter.inform(tr(kWarning), tr(kNewWhileRunning), Prompter::Icon::Information);
        return;
    }
    if (const auto chosen = chooseNewInExistingFolder()) {
        const QString previous = m_settingsPath;
        setSettingsPath(*chosen);
        const LocaleFacts locale = localeFacts(m_locale);
        const ql::Status created =
            ql::createFileSet(m_fileSystem, m_fileSet, locale.currencySymbol, locale.monthFirst);
        if (created) {
            m_fileSetOpen = true;
            // A journal left by an older set of that name does not belong to the new one.
            if (claimRunning(true)) (void)m_journal.discard();
        } else {
            // The set that stays open keeps its own path, so no command acts on the
            // half-created one.
            setSettingsPath(previous);
            m_prompter.inform(kAppTitle, coreText(created), Prompter::Icon::Error);
        }
        openedOrCreated();
    }
    updateTitle();
    emit stateChanged();
}

void CTessalyDoc::onFileOpen() {
    if (!m_running.empty()) {
        m_prompter.inform(tr(kWarning), tr(kOpenWhileRunning), Prompter::Icon::Information);
        return;
    }
    if (const auto chosen = m_dialogs.chooseExistingFileSet(m_dialogParent, startFolder())) {
        setSettingsPath(*chosen);
        m_fileSetOpen = true;
        openedOrCreated();
        recoverRunning();
    }
    updateTitle();
    emit stateChanged();
}

std::optional<QString> CTessalyDoc::chooseNewInExistingFolder() {
    QString folder = startFolder();
    for (;;) {
        const auto chosen = m_dialogs.chooseNewFileSet(m_dialogParent, folder);
        if (!chosen) return std::nullopt;
        // A save dialog lets a path into a missing folder through; creating the set there
        // could only fail, with a message that blames write-protection.
        if (folderExistsOrTell(m_prompter, tr(kWarning), *chosen)) return chosen;
    }
}

bool CTessalyDoc::fileExists(const QString& path) const {
    return m_fileSystem.exists(encodedPath(path));
}

QString CTessalyDoc::startFolder() const {
    return m_fileSetOpen ? QFileInfo(m_settingsPath).absolutePath() : QString();
}

void CTessalyDoc::openedOrCreated() {
    notifyViews(hint::kTotals);
    notifyViews(hint::kWeekChart);
}
