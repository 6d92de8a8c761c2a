#pragma once

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/RecordingPrompter.h"
#include "ui/ScriptedModal.h"
#include "ui/common/CommandContext.h"
#include "ui/common/HelpService.h"
#include "ui/common/OpenDocument.h"
#include "ui/common/InvoiceRequestStore.h"

#include <string>
#include <vector>

// A document for command tests without the shell: an open file set, the running projects
// kept in memory (a check-out writes no frame), and every hint it was asked to send.
class FakeOpenDocument final : public OpenDocument {
public:
    FakeOpenDocument(const std::string& settingsPath, const ql::Clock& clock)
        : m_fileSet(settingsPath), m_settingsPath(QString::fromStdString(settingsPath)), m_clock(clock) {}

    bool fileSetOpen() const override { return open; }
    const ql::FileSet& fileSet() const override { return m_fileSet; }
    const QString& settingsPath() const override { return m_settingsPath; }
    const ql::RunningProjects& running() const override { return m_running; }
    bool claimForCheckIn() override { return true; }
    ql::CheckInResult checkIn(std::int32_t projectId) override { return m_running.checkIn(projectId, m_clock.now()); }
    ql::Status checkOut(std::int32_t projectId) override {
        return m_running.checkOut(projectId, m_clock.now(), [](const ql::TimeFrameRecord&) { return ql::Status::ok(); })
            .status();
    }
    void togglePause() override { m_running.togglePause(m_clock.now()); }
    void notifyViews(int hint) override { hints.push_back(hint); }

    bool open = true;
    std::vector<int> hints;

private:
    ql::FileSet m_fileSet;
    QString m_settingsPath;
    const ql::Clock& m_clock;
    ql::RunningProjects m_running;
};

// Ignores help requests.
class NoHelp final : public HelpService {
public:
    void showTopic(int) override {}
    void showUsingHelp() override {}
};

// The services and the document a menu command is given, for running one without the shell.
// Dialogs run for real unless modal.answerDialog is set.
struct CommandHarness {
    explicit CommandHarness(const std::string& settingsPath) : document(settingsPath, clock) {}

    CommandContext context() {
        return {prompter, modal, help, clock, ql::defaultFileSystem(), document, nullptr, invoiceRequests};
    }

    RecordingPrompter prompter;
    ScriptedModal modal;
    NoHelp help;
    ql::FixedClock clock{*ql::calendar::fromLocal(1996, 12, 11, 10, 0)};
    FakeOpenDocument document;
    InvoiceRequestStore invoiceRequests;
};
