#include "ShellFixture.h"

#include "core/store/FileSet.h"
#include "support/FaultyFileSystem.h"
#include "ui/common/CommandIds.h"

#include <QAction>
#include <QFileInfo>
#include <QDir>
#include <QSignalSpy>
#include <QWindow>

namespace {

std::vector<int> hintsOf(const QSignalSpy& spy) {
    std::vector<int> hints;
    for (const auto& arguments : spy) hints.push_back(arguments.at(0).toInt());
    return hints;
}

class DocumentStart : public ShellTest {};

TEST_F(DocumentStart, NoProfileAndNoCommandLineOpensNothing) {
    auto app = startApp();
    const CTessalyDoc& doc = app->document();
    EXPECT_FALSE(doc.fileSetOpen());
    EXPECT_TRUE(doc.settingsPath().isEmpty());
    EXPECT_EQ(doc.title(), QString());
    EXPECT_EQ(app->frame().windowTitle(), QStringLiteral("Quillory"));
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(DocumentStart, DeletedLastOpenedOpensNothingAndIsKept) {
    const QString gone = makeFileSet(QStringLiteral("Gone.qlr"));
    ASSERT_TRUE(QFile::remove(gone));
    setProfileValue("LastOpened", gone);
    {
        auto app = startApp();
        EXPECT_FALSE(app->document().fileSetOpen());
        EXPECT_EQ(app->frame().windowTitle(), QStringLiteral("Quillory"));
    }
    EXPECT_EQ(profileValue("LastOpened").toString(), gone);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(DocumentStart, LastOpenedIsOpenedWhenItExists) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    setProfileValue("LastOpened", work);
    auto app = startApp();
    EXPECT_TRUE(app->document().fileSetOpen());
    EXPECT_EQ(app->document().settingsPath(), work);
    EXPECT_EQ(app->frame().windowTitle(), work + QStringLiteral(" - Quillory"));
}

TEST_F(DocumentStart, CommandLineWinsOverLastOpened) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    const QString home = makeFileSet(QStringLiteral("Home.qlr"));
    setProfileValue("LastOpened", home);
    {
        auto app = startApp(work);
        EXPECT_EQ(app->document().settingsPath(), work);
    }
    EXPECT_EQ(profileValue("LastOpened").toString(), work);
}

TEST_F(DocumentStart, CommandLineIsTheWholeTextJoinedWithBlanks) {
    const QString spaced = makeFileSet(QStringLiteral("My Work.qlr"));
    const QString joined = CTessalyApp::commandLineText({QStringLiteral("quillory"), path(QStringLiteral("My")),
                                                         QStringLiteral("Work.qlr")});
    EXPECT_EQ(joined, spaced);
    EXPECT_EQ(CTessalyApp::commandLineText({QStringLiteral("quillory")}), QString());
    auto app = startApp(joined);
    EXPECT_EQ(app->document().settingsPath(), spaced);
}

TEST_F(DocumentStart, CommandLineNamingNoFileFallsBackToLastOpened) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    setProfileValue("LastOpened", work);
    // Existence is tested on the exact text: no trimming, and a folder is not a file.
    auto padded = startApp(work + QStringLiteral(" "));
    EXPECT_EQ(padded->document().settingsPath(), work);
    padded.reset();
    auto folder = startApp(path(QString()));
    EXPECT_EQ(folder->document().settingsPath(), work);
}

TEST_F(DocumentStart, LastOpenedIsWrittenOnlyAtExitAndOnlyWithAFileSet) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    setProfileValue("LastOpened", QStringLiteral("/earlier.qlr"));
    {
        auto app = startApp();
        dialogs.openAnswers.push_back(work);
        app->document().onFileOpen();
        EXPECT_EQ(profileValue("LastOpened").toString(), QStringLiteral("/earlier.qlr"));
    }
    EXPECT_EQ(profileValue("LastOpened").toString(), work);
}

class DocumentCommands : public ShellTest {};

TEST_F(DocumentCommands, NewAndOpenAreRefusedWhileAProjectRuns) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp(work);
    CTessalyDoc& doc = app->document();
    doc.checkIn(3);
    QSignalSpy hints(&doc, &CTessalyDoc::updateHint);

    app->frame().action(cmd::kFileNew)->trigger();
    app->frame().action(cmd::kFileOpen)->trigger();

    EXPECT_EQ(dialogs.newCalls, 0);
    EXPECT_EQ(dialogs.openCalls, 0);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("You must check out all your projects before creating a new file."));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.boxes[1].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.boxes[1].text, QStringLiteral("You must check out all your projects before opening a new file."));
    EXPECT_EQ(doc.settingsPath(), work);
    EXPECT_EQ(hints.count(), 0);
}

TEST_F(DocumentCommands, NewCreatesTheFourFilesWithTheLocaleDefaults) {
    auto app = startApp();
    CTessalyDoc& doc = app->document();
    doc.setLocale(QLocale(QLocale::German, QLocale::Germany));
    const QString chosen = path(QStringLiteral("MyProjects.qlr"));
    dialogs.newAnswers.push_back(chosen);
    QSignalSpy hints(&doc, &CTessalyDoc::updateHint);

    app->frame().action(cmd::kFileNew)->trigger();

    EXPECT_TRUE(doc.fileSetOpen());
    EXPECT_EQ(doc.settingsPath(), chosen);
    EXPECT_EQ(QFileInfo(chosen).size(), 1602);
    for (const char* ext : {"prj", "tfr", "cus"}) {
        const QFileInfo file(path(QStringLiteral("MyProjects.") + QLatin1String(ext)));
        EXPECT_TRUE(file.exists()) << ext;
        EXPECT_EQ(file.size(), 0) << ext;
    }
    const auto settings = ql::readSettings(ql::defaultFileSystem(), ql::FileSet(chosen.toStdString()));
    ASSERT_TRUE(settings.isOk());
    EXPECT_EQ(settings->monetarySymbol, "\u20AC");
    EXPECT_EQ(settings->dateFormat, 0);
    EXPECT_EQ(hintsOf(hints), (std::vector<int>{3, 4}));
    EXPECT_EQ(app->frame().windowTitle(), chosen + QStringLiteral(" - Quillory"));
    EXPECT_EQ(doc.pathOf(ql::FileKind::Projects), path(QStringLiteral("MyProjects.prj")).toStdString());
}

TEST_F(DocumentCommands, CancellingNewKeepsTheOpenFileSet) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp(work);
    CTessalyDoc& doc = app->document();
    QSignalSpy hints(&doc, &CTessalyDoc::updateHint);
    QSignalSpy titles(&doc, &CTessalyDoc::titleChanged);

    doc.onFileNew();

    EXPECT_EQ(dialogs.newCalls, 1);
    EXPECT_TRUE(doc.fileSetOpen());
    EXPECT_EQ(doc.settingsPath(), work);
    EXPECT_EQ(hints.count(), 0);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), work);
}

TEST_F(DocumentCommands, FailedNewKeepsThePreviousFileSetAndItsPath) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp(work);
    CTessalyDoc& doc = app->document();
    // A folder where the settings file should go: the creation itself fails (a missing
    // folder never reaches it, the dialog asks again).
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("New.qlr"))));
    dialogs.newAnswers.push_back(path(QStringLiteral("New.qlr")));
    QSignalSpy hints(&doc, &CTessalyDoc::updateHint);

    doc.onFileNew();

    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("Cannot create new project. Check your disk-drive for write-protection"));
    EXPECT_TRUE(doc.fileSetOpen());
    EXPECT_EQ(doc.settingsPath(), work);
    EXPECT_EQ(doc.title(), work);
    EXPECT_EQ(hintsOf(hints), (std::vector<int>{3, 4}));
}

TEST_F(DocumentCommands, FailedNewWithNothingOpenLeavesNothingOpen) {
    auto app = startApp();
    // A folder where the settings file should go: the creation itself fails (a missing
    // folder never reaches it, the dialog asks again).
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("New.qlr"))));
    dialogs.newAnswers.push_back(path(QStringLiteral("New.qlr")));
    app->document().onFileNew();
    EXPECT_FALSE(app->document().fileSetOpen());
    EXPECT_TRUE(app->document().settingsPath().isEmpty());
    EXPECT_FALSE(app->frame().action(cmd::kEditProjects)->isEnabled());
}

// The settings file was renamed into place but its folder could not be synced: the set is
// made and opened, and the window says once that it may not be on disk yet.
TEST_F(DocumentCommands, NewWhoseFolderCannotBeSyncedOpensTheSetAndWarns) {
    ql::test::FaultyFileSystem fs;
    CTessalyApp app(services(fs));
    app.start({});
    const QString fresh = path(QStringLiteral("New.qlr"));
    fs.failOn(ql::test::FaultyFileSystem::Op::SyncFolder, QFileInfo(fresh).absolutePath().toStdString());
    dialogs.newAnswers.push_back(fresh);

    app.frame().action(cmd::kFileNew)->trigger();

    EXPECT_TRUE(app.document().fileSetOpen());
    EXPECT_EQ(app.document().settingsPath(), fresh);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.boxes[0].text,
              fresh + QStringLiteral(" is saved but may not yet be on disk (Input/output error)"));
}

TEST_F(DocumentCommands, OpenTakesTheChosenPathAndNotifiesTheViews) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp();
    CTessalyDoc& doc = app->document();
    dialogs.openAnswers.push_back(work);
    QSignalSpy hints(&doc, &CTessalyDoc::updateHint);

    app->frame().action(cmd::kFileOpen)->trigger();

    EXPECT_TRUE(doc.fileSetOpen());
    EXPECT_EQ(doc.settingsPath(), work);
    EXPECT_EQ(hintsOf(hints), (std::vector<int>{3, 4}));
    EXPECT_EQ(app->frame().windowTitle(), work + QStringLiteral(" - Quillory"));
}

TEST_F(DocumentCommands, TitleWhilePaused) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp(work);
    CTessalyDoc& doc = app->document();
    doc.checkIn(1);
    doc.togglePause();
    EXPECT_EQ(doc.title(), work + QStringLiteral(" - PAUSE"));
    EXPECT_EQ(app->frame().windowTitle(), work + QStringLiteral(" - PAUSE - Quillory"));
    doc.togglePause();
    EXPECT_EQ(app->frame().windowTitle(), work + QStringLiteral(" - Quillory"));
}

TEST_F(DocumentCommands, TitleWithoutFileSetIsOnlyThePauseMark) {
    auto app = startApp();
    app->document().checkIn(1);
    app->document().togglePause();
    EXPECT_EQ(app->document().title(), QStringLiteral(" - PAUSE"));
}

TEST_F(DocumentCommands, PathWithModifiedMarkShowsLiterally) {
    EXPECT_EQ(CMainFrame::frameTitle(QStringLiteral("/a[*]b.qlr")), QStringLiteral("/a[*][*]b.qlr - Quillory"));
    QWidget window;
    window.setWindowTitle(CMainFrame::frameTitle(QStringLiteral("/a[*]b.qlr")));
    window.show();
    EXPECT_EQ(window.windowHandle()->title(), QStringLiteral("/a[*]b.qlr - Quillory"));
}

}  // namespace
