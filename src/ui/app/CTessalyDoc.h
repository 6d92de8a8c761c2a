#pragma once

#include "ui/app/ShellOnly.h"

#include "core/store/FileSet.h"
#include "core/Status.h"
#include "core/tracking/AbsenceAnswer.h"
#include "core/tracking/JournalKeeper.h"
#include "core/tracking/RunningProjects.h"
#include "core/tracking/RunningRecovery.h"
#include "ui/common/OpenDocument.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class FileSetDialogs;
class Prompter;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql

// The single document: which file set is open (the path of its settings file), the running
// projects with the pause state, and the commands that open and create file sets. It holds
// no record data; every command reads the record files afresh through the paths it gives.
class CTessalyDoc : public QObject, public OpenDocument {
    Q_OBJECT
public:
    static constexpr const char* kNewWhileRunning =
        QT_TRANSLATE_NOOP("CTessalyDoc", "You must check out all your projects before creating a new file.");
    static constexpr const char* kOpenWhileRunning =
        QT_TRANSLATE_NOOP("CTessalyDoc", "You must check out all your projects before opening a new file.");
    static constexpr const char* kExitWhileRunning =
        QT_TRANSLATE_NOOP("CTessalyDoc", "You haven't checked out from your running projects. Exit anyway?");

    // The services live as long as the document.
    CTessalyDoc(Prompter& prompter, const ql::Clock& clock, ql::FileSystem& fileSystem, FileSetDialogs& dialogs,
                QObject* parent = nullptr);
    // Remembers the open file set in the profile ("Settings"/"LastOpened"); leaves the
    // value alone when none is open.
    ~CTessalyDoc() override;

    // Chooses the file set at start-up: commandLine (the whole text after the program name)
    // when a file of exactly that name exists, else the profile's "LastOpened" when that file
    // exists, else none. Sends no hint: the application does once the view exists.
    void openAtStart(const QString& commandLine);

    bool fileSetOpen() const override { return m_fileSetOpen; }
    // The settings file as chosen by the user; empty before any file set was chosen.
    const QString& settingsPath() const override { return m_settingsPath; }
    // Every file of the chosen set, in the file system's encoding, for the store.
    const ql::FileSet& fileSet() const override { return m_fileSet; }
    // The path of one file of the open set, in the file system's encoding, for the store.
    std::string pathOf(ql::FileKind kind) const;

    // The running projects in check-in order with the pause state. Change them through the
    // operations below, which keep the title and the command states in step.
    const ql::RunningProjects& running() const override { return m_running; }
    const std::vector<ql::RunningEntry>& runningProjects() const { return m_running.entries(); }
    int runningCount() const { return static_cast<int>(m_running.count()); }
    bool paused() const { return m_running.paused(); }

    // Starts timing projectId now; LimitReached (nothing changes) when five already run.
    ql::CheckInResult checkIn(std::int32_t projectId) override;
    // Stops the first entry of projectId and appends its time frame to the open set. On a
    // failed write the project keeps running and the store's message is returned. Checking
    // out the last running project ends the pause.
    ql::Status checkOut(std::int32_t projectId) override;
    // Pause or resume every running project; updates the title.
    void togglePause() override;
    // The timer's pause accounting (nothing while not paused), and the journal's heartbeat;
    // then emits ticked.
    void tick();

    // When the absence the user is in began, 0 while present. The journal keeps it while
    // projects run unpaused, so a crash during the absence is recovered up to its start.
    void setAwaySince(std::int32_t since);
    std::int32_t awaySince() const { return m_awaySince; }
    // Carries out the user's answer about an absence on the running projects: the frames of
    // the projects that ran through it are appended to the open set and the totals and the
    // week chart are told. A failed write is told to the user; that project and the ones after
    // it run on unchanged, and the store's message is returned.
    ql::Status answerAbsence(ql::AbsenceAnswer answer, const ql::Absence& absence);

    // The running projects are journalled beside the set (base path + "run") while this
    // document holds the set's run lock. False when another window has the set open: its
    // running projects are that window's, and this one may not check in on it.
    bool ownsRunning() const { return m_journal.owns(); }
    // Before a check in: true when this document owns the set's running projects, claiming
    // them (and offering their recovery) if the window that held them has gone since.
    bool claimForCheckIn() override;
    // Claims the open set's running projects and, when its journal shows that Quillory
    // ended while projects ran, asks the recovery chooser once what becomes of them. Tells
    // the user when another window holds the set, or when the journal cannot be read (which
    // is then removed). Called once the window exists, and after every Open.
    void recoverRunning();
    // Picks what becomes of journalled projects, reviewed at the clock's now against the
    // projects file; KeepRunning when none is set.
    // projects: the projects the review was made against, for their names; null when unreadable.
    using RecoveryChooser = std::function<ql::RecoveryChoice(const ql::RecoveryReview&, const ql::ProjectIndex* projects)>;
    void setRecoveryChooser(RecoveryChooser chooser) { m_chooseRecovery = std::move(chooser); }
    // The desktop session ends (logout, SIGTERM, SIGINT, SIGHUP): the journal is written
    // with the heartbeat now and from here on closing asks nothing and keeps the journal,
    // so the next start offers the recovery.
    void endSession();
    bool sessionEnding() const { return m_sessionEnding; }
    // "The running projects of <path> belong to another Quillory window. Check projects in
    // and out there."
    static QString heldElsewhereText(const QString& settingsPath);

    // The settings path when a file set is open, else empty; then " - PAUSE" while paused.
    QString title() const;
    // Recomputes the title and emits titleChanged.
    void updateTitle();

    // May the application close? Asks the user when projects run; true for Yes or none running.
    // Yes removes the journal: the user has let the running projects go. While the session
    // ends nothing is asked and the journal stays.
    bool canClose();

    // Tells the views what changed (emits updateHint).
    void notifyViews(int hint) override;

    // The window that owns the document's dialogs.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    QWidget* dialogParent() const { return m_dialogParent; }
    // The locale whose currency symbol and date order a new file set takes.
    void setLocale(const QLocale& locale) { m_locale = locale; }

    Prompter& prompter() const { return m_prompter; }
    const ql::Clock& clock() const { return m_clock; }
    ql::FileSystem& fileSystem() const { return m_fileSystem; }

public slots:
    // File > New: refused while projects run; creates the file set chosen in the save dialog.
    void onFileNew();
    // File > Open: refused while projects run; opens the settings file chosen.
    void onFileOpen();

signals:
    void updateHint(int hint);
    void titleChanged(const QString& title);
    // fileSetOpen, the running list or the pause changed: command states must follow.
    void stateChanged();
    // The 30-second tick has run (tick()).
    void ticked();

private:
    // The New dialog until it names a path in an existing folder; nullopt when cancelled.
    std::optional<QString> chooseNewInExistingFolder();
    bool fileExists(const QString& path) const;
    QString startFolder() const;
    void openedOrCreated();
    // Chooses the set (not yet opening it): the path and the file set named from it.
    void setSettingsPath(const QString& path);
    // Claims the open set; false when another window holds it (told when tell is set).
    bool claimRunning(bool tell);
    void offerRecovery();
    void journal();

    Prompter& m_prompter;
    const ql::Clock& m_clock;
    ql::FileSystem& m_fileSystem;
    FileSetDialogs& m_dialogs;
    QPointer<QWidget> m_dialogParent;
    QLocale m_locale;

    bool m_fileSetOpen = false;
    QString m_settingsPath;
    ql::FileSet m_fileSet{std::string()};
    ql::RunningProjects m_running;
    ql::JournalKeeper m_journal;
    RecoveryChooser m_chooseRecovery;
    bool m_sessionEnding = false;
    std::int32_t m_awaySince = 0;
    QString m_title;
};
