#pragma once

#include "core/store/FileSet.h"
#include "core/Status.h"
#include "core/tracking/RunningProjects.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
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
class CTessalyDoc : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNewWhileRunning = "You must check out all your projects before creating a new file.";
    static constexpr const char* kOpenWhileRunning = "You must check out all your projects before opening a new file.";
    static constexpr const char* kExitWhileRunning =
        "You haven't checked out from your running projects. Exit anyway?";

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

    bool fileSetOpen() const { return m_fileSetOpen; }
    // The settings file as chosen by the user; empty before any file set was chosen.
    const QString& settingsPath() const { return m_settingsPath; }
    // The path of one file of the open set, in the file system's encoding, for the store.
    std::string pathOf(ql::FileKind kind) const;

    // The running projects in check-in order with the pause state. Change them through the
    // operations below, which keep the title and the command states in step.
    const ql::RunningProjects& running() const { return m_running; }
    const std::vector<ql::RunningEntry>& runningProjects() const { return m_running.entries(); }
    int runningCount() const { return static_cast<int>(m_running.count()); }
    bool paused() const { return m_running.paused(); }

    // Starts timing projectId now; LimitReached (nothing changes) when five already run.
    ql::CheckInResult checkIn(std::int32_t projectId);
    // Stops the first entry of projectId and appends its time frame to the open set. On a
    // failed write the project keeps running and the store's message is returned. Checking
    // out the last running project ends the pause.
    ql::Status checkOut(std::int32_t projectId);
    // Pause or resume every running project; updates the title.
    void togglePause();
    // The timer's pause accounting (nothing while not paused).
    void tick();

    // The settings path when a file set is open, else empty; then " - PAUSE" while paused.
    QString title() const;
    // Recomputes the title and emits titleChanged.
    void updateTitle();

    // May the application close? Asks the user when projects run; true for Yes or none running.
    bool canClose();

    // Tells the views what changed (emits updateHint).
    void notifyViews(int hint);

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

private:
    // The New dialog until it names a path in an existing folder; nullopt when cancelled.
    std::optional<QString> chooseNewInExistingFolder();
    bool fileExists(const QString& path) const;
    QString startFolder() const;
    void openedOrCreated();

    Prompter& m_prompter;
    const ql::Clock& m_clock;
    ql::FileSystem& m_fileSystem;
    FileSetDialogs& m_dialogs;
    QPointer<QWidget> m_dialogParent;
    QLocale m_locale;

    bool m_fileSetOpen = false;
    QString m_settingsPath;
    ql::RunningProjects m_running;
    QString m_title;
};
