#include "ui/app/CTessalyDoc.h"

#include "core/store/TimeFrames.h"
#include "core/time/Clock.h"

#include "core/store/FileSystem.h"
#include "core/store/Settings.h"
#include "ui/app/CommandIds.h"
#include "ui/app/FileSetDialogs.h"
#include "ui/app/LocaleFacts.h"
#include "ui/app/Profile.h"
#include "ui/app/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kWarning = QStringLiteral("Warning");
const QString kAppTitle = QStringLiteral("Quillory");

std::string encodedPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

CTessalyDoc::CTessalyDoc(Prompter& prompter, const ql::Clock& clock, ql::FileSystem& fileSystem,
                         FileSetDialogs& dialogs, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_clock(clock), m_fileSystem(fileSystem), m_dialogs(dialogs) {}

CTessalyDoc::~CTessalyDoc() {
    if (m_fileSetOpen) Profile::setLastOpened(m_settingsPath);
}

void CTessalyDoc::openAtStart(const QString& commandLine) {
    if (!commandLine.isEmpty() && fileExists(commandLine)) {
        m_settingsPath = commandLine;
        m_fileSetOpen = true;
    } else {
        const QString lastOpened = Profile::lastOpened();
        if (!lastOpened.isEmpty() && fileExists(lastOpened)) {
            m_settingsPath = lastOpened;
            m_fileSetOpen = true;
        }
    }
    updateTitle();
    emit stateChanged();
}

std::string CTessalyDoc::pathOf(ql::FileKind kind) const {
    return ql::fileSetPath(encodedPath(m_settingsPath), kind);
}

ql::CheckInResult CTessalyDoc::checkIn(std::int32_t projectId) {
    const ql::CheckInResult result = m_running.checkIn(projectId, m_clock.now());
    emit stateChanged();
    return result;
}

ql::Status CTessalyDoc::checkOut(std::int32_t projectId) {
    const bool wasPaused = m_running.paused();
    const std::string settings = encodedPath(m_settingsPath);
    auto frame = m_running.checkOut(projectId, m_clock.now(), [&](const ql::TimeFrameRecord& f) {
        return ql::appendTimeFrame(m_fileSystem, settings, f);
    });
    if (wasPaused != m_running.paused()) updateTitle();
    emit stateChanged();
    return frame.status();
}

void CTessalyDoc::togglePause() {
    m_running.togglePause(m_clock.now());
    updateTitle();
    emit stateChanged();
}

void CTessalyDoc::tick() {
    m_running.tick(m_clock.now());
}

QString CTessalyDoc::title() const {
    QString title;
    if (m_fileSetOpen) title = m_settingsPath;
    if (m_running.paused()) title += QStringLiteral(" - PAUSE");
    return title;
}

void CTessalyDoc::updateTitle() {
    m_title = title();
    emit titleChanged(m_title);
}

bool CTessalyDoc::canClose() {
    if (m_running.empty()) return true;
    return m_prompter.ask(QStringLiteral("Confirmation"), QLatin1String(kExitWhileRunning));
}

void CTessalyDoc::notifyViews(int hint) {
    emit updateHint(hint);
}

void CTessalyDoc::onFileNew() {
    if (!m_running.empty()) {
        m_prompter.inform(kWarning, QLatin1String(kNewWhileRunning), Prompter::Icon::Information);
        return;
    }
    if (const auto chosen = chooseNewInExistingFolder()) {
        const QString previous = m_settingsPath;
        m_settingsPath = *chosen;
        const LocaleFacts locale = localeFacts(m_locale);
        const ql::Status created =
            ql::createFileSet(m_fileSystem, encodedPath(*chosen), locale.currencySymbol, locale.monthFirst);
        if (created) {
            m_fileSetOpen = true;
        } else {
            // The set that stays open keeps its own path, so no command acts on the
            // half-created one.
            m_settingsPath = previous;
            m_prompter.inform(kAppTitle, QString::fromStdString(created.message()), Prompter::Icon::Error);
        }
        openedOrCreated();
    }
    updateTitle();
    emit stateChanged();
}

void CTessalyDoc::onFileOpen() {
    if (!m_running.empty()) {
        m_prompter.inform(kWarning, QLatin1String(kOpenWhileRunning), Prompter::Icon::Information);
        return;
    }
    if (const auto chosen = m_dialogs.chooseExistingFileSet(m_dialogParent, startFolder())) {
        m_settingsPath = *chosen;
        m_fileSetOpen = true;
        openedOrCreated();
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
        const QFileInfo info(*chosen);
        if (info.absoluteDir().exists()) return chosen;
        m_prompter.inform(kWarning,
                          QStringLiteral("The folder %1 does not exist. Please choose a file in an existing folder.")
                              .arg(QDir::toNativeSeparators(info.absolutePath())),
                          Prompter::Icon::Information);
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
