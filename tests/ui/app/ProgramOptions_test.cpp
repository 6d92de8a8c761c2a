#include "ui/app/ProgramOptions.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ProgramOptions, HelpAndVersionUnlessAFileHasThatName) {
    std::set<std::string> files;
    auto exists = [&files](const std::string& path) { return files.count(path) > 0; };
    EXPECT_EQ(earlyAnswer("--help", exists), EarlyAnswer::Help);
    EXPECT_EQ(earlyAnswer("--version", exists), EarlyAnswer::Version);
    EXPECT_EQ(earlyAnswer("", exists), EarlyAnswer::None);
    EXPECT_EQ(earlyAnswer("Work.qlr", exists), EarlyAnswer::None);
    EXPECT_EQ(earlyAnswer("--help Work.qlr", exists), EarlyAnswer::None);
    files = {"--help"};
    EXPECT_EQ(earlyAnswer("--help", exists), EarlyAnswer::None);
    EXPECT_EQ(earlyAnswer("--version", exists), EarlyAnswer::Version);
}

// The installed program, started from a terminal without any display.
TEST(ProgramOptions, TheProgramAnswersWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* option : {"--help", "--version"}) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        program.start(QStringLiteral(QUILLORY_GUI_PATH), {QLatin1String(option)});
        ASSERT_TRUE(program.waitForFinished(20000)) << option;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << option;
        EXPECT_EQ(program.exitCode(), 0) << option << program.readAllStandardError().toStdString();
        const std::string out = program.readAllStandardOutput().toStdString();
        EXPECT_EQ(out, std::string(option) == "--help" ? helpText() : versionText());
    }
}

}  // namespace
