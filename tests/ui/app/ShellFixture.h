#pragma once

#include "ui/RecordingPrompter.h"
#include "ui/ScriptedModal.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyApp.h"
#include "ui/app/CTessalyDoc.h"
#include "ui/common/FileSetDialogs.h"
#include "ui/common/HelpService.h"

#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Answers the file dialogs from queues (an empty text or an empty queue cancels) and counts
// how often they opened.
class FakeFileSetDialogs final : public FileSetDialogs {
public:
    std::optional<QString> chooseNewFileSet(QWidget*, const QString&) override {
        ++newCalls;
        return next(newAnswers);
    }
    std::optional<QString> chooseExistingFileSet(QWidget*, const QString&) override {
        ++openCalls;
        return next(openAnswers);
    }

    std::deque<QString> newAnswers;
    std::deque<QString> openAnswers;
    int newCalls = 0;
    int openCalls = 0;

private:
    static std::optional<QString> next(std::deque<QString>& answers) {
        if (answers.empty()) return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
};

// Records every help request.
class RecordingHelp final : public HelpService {
public:
    void showTopic(int context) override { contexts.push_back(context); }
    void showUsingHelp() override { ++usingHelp; }

    std::vector<int> contexts;
    int usingHelp = 0;
};

// A temporary folder holding both the profile and the file sets of one test, and the
// services a CTessalyApp is started with. Dialogs end at once with 0 unless a test answers
// them (modal.answerDialog), noting their class in ranDialogs.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("profile")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("profile")));
        modal.answerDialog = [this](QDialog& dialog) {
            ranDialogs.push_back(dialog.metaObject()->className());
            lastDialog = &dialog;
            return 0;
        };
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Creates a file set at dir/name with US defaults; returns its settings path.
    QString makeFileSet(const QString& name) {
        const QString settingsPath = path(name);
        EXPECT_TRUE(ql::createFileSet(ql::defaultFileSystem(), ql::FileSet(settingsPath.toStdString()), "$", true));
        return settingsPath;
    }

    // makeFileSet with one project, Design (id 0) at 30 an hour; returns its settings path.
    std::string makeDesignSet(const QString& name) {
        const std::string settingsPath = makeFileSet(name).toStdString();
        ql::ProjectRecord p;
        p.id = 0;
        p.name = "Design";
        p.chargesPerHour = 30.0;
        EXPECT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(settingsPath, ql::FileKind::Projects), {p}));
        return settingsPath;
    }

    static QVariant profileValue(const char* key) {
        QSettings settings(QStringLiteral("KESTRA"), QStringLiteral("Quillory"));
        return settings.value(QStringLiteral("Settings/") + QLatin1String(key));
    }
    static void setProfileValue(const char* key, const QVariant& value) {
        QSettings settings(QStringLiteral("KESTRA"), QStringLiteral("Quillory"));
        settings.setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
    }

    std::unique_ptr<CTessalyApp> startApp(const QString& commandLine = {}) {
        auto app = std::make_unique<CTessalyApp>(services());
        app->start(commandLine);
        return app;
    }

    AppServices services(ql::FileSystem& fs = ql::defaultFileSystem()) {
        return AppServices{prompter, clock, fs, help, dialogs, modal};
    }

    RecordingPrompter prompter;
    ScriptedModal modal;
    ql::FixedClock clock{*ql::calendar::fromLocal(1996, 12, 11, 10, 0)};
    RecordingHelp help;
    FakeFileSetDialogs dialogs;
    std::vector<QString> ranDialogs;
    QDialog* lastDialog = nullptr;

private:
    QTemporaryDir m_dir;
};
