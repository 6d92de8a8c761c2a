#include "ui/app/ShellFixture.h"

#include "core/support/TempDir.h"
#include "support/SpecialFiles.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/RunningJournal.h"
#include "ui/ProjectChoice.h"
#include "ui/TempFileSet.h"
#include "ui/common/CommandIds.h"
#include "ui/tracking/CRecoveryDlg.h"
#include "ui/tracking/SessionEndWatcher.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <csignal>
#include <filesystem>
#include <functional>

namespace {

class RunningRecovery : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr"));
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), file(ql::FileKind::Projects),
                                      {{0, "Alpha", -1, 60.0, "", -1}, {1, "Beta", -1, 30.0, "", -1}}));
        setProfileValue("LastOpened", settings);
    }

    std::string file(ql::FileKind kind) const { return ql::fileSetPath(settings.toStdString(), kind); }
    std::string journal() const { return ql::FileSet(settings.toStdString()).journal(); }
    std::optional<ql::JournalState> journalled() const {
        auto read = ql::readJournal(ql::defaultFileSystem(), journal());
        return read ? *read : std::nullopt;
    }
    std::vector<unsigned char> frameBytes() const { return ql::test::readBytes(file(ql::FileKind::TimeFrames)); }
    static std::vector<unsigned char> bytesOf(const std::vector<ql::TimeFrameRecord>& frames) {
        std::vector<unsigned char> bytes;
        for (const auto& f : frames) {
            const auto encoded = ql::encodeTimeFrame(f);
            bytes.insert(bytes.end(), encoded.begin(), encoded.end());
        }
        return bytes;
    }

    // Starts the application with the recovery dialog answered by choice (or left by Escape
    // when none, or by Return on the button that has the focus when pressReturn is set),
    // noting what the dialog showed and that nothing was written before the choice.
    std::unique_ptr<CTessalyApp> startWith(std::optional<ql::RecoveryChoice> choice) {
        auto app = std::make_unique<CTessalyApp>(services());
        // Check In's tree picks Beta (id 1).
        modal.answerDialog = [this, choice](QDialog& dialog) {
            if (auto* tree = qobject_cast<CProjectsTreeDlg*>(&dialog)) {
                ++chooserCalls;
                return answerProjectTree(*tree, 1);
            }
            ranDialogs.push_back(dialog.metaObject()->className());
            if (auto* recovery = qobject_cast<CRecoveryDlg*>(&dialog)) {
                framesBeforeChoice = frameBytes().size();
                offered.clear();
                for (int row = 0; row < recovery->entriesList()->topLevelItemCount(); ++row) {
                    const QTreeWidgetItem* item = recovery->entriesList()->topLevelItem(row);
                    offered.push_back(item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') +
                                      item->text(2));
                }
                checkOutText = recovery->checkOutButton()->text();
                message = recovery->message()->text();
                defaultButtons.clear();
                for (const QPushButton* button :
                     {recovery->checkOutButton(), recovery->keepButton(), recovery->discardButton()})
                    if (button->isDefault()) defaultButtons.push_back(button->objectName());
                if (pressReturn) {
                    recovery->show();
                    QWidget* focused = recovery->focusWidget();
                    QTest::keyClick(focused ? focused : recovery, Qt::Key_Return);
                } else if (choice) recovery->choose(*choice);
                else recovery->reject();
                return recovery->result();
            }
            return 0;
        };
        app->start({});
        return app;
    }

    QString settings;
    std::size_t framesBeforeChoice = 99;
    std::vector<QString> offered;
    QString checkOutText;
    QString message;
    std::vector<QString> defaultButtons;
    bool pressReturn = false;
    int chooserCalls = 0;
    const std::int32_t t0 = clock.now();
    // Beta since 10:00, Alpha since 10:10, paused at 10:20, last seen at 10:30.
    const ql::JournalState crashed{{{1, t0}, {0, t0 + 600}}, true, t0 + 1200, t0 + 1800};
};

TEST_F(RunningRecovery, CheckOutWritesEachFrameAtTheLastSeenTimeWithThePauseTakenOut) {
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), crashed));
    clock.advance(7200);  // restarted two hours later
    auto app = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
    EXPECT_EQ(ranDialogs, std::vector<QString>{QStringLiteral("CRecoveryDlg")});
    EXPECT_EQ(framesBeforeChoice, 0u);
    EXPECT_EQ(offered, (std::vector<QString>{QStringLiteral("Beta|12/11/1996 10:00:00|00:20"),
                                             QStringLiteral("Alpha|12/11/1996 10:10:00|00:10")}));
    EXPECT_EQ(checkOutText, QStringLiteral("&Check out at 12/11/1996 10:30:00"));
    // The ten paused minutes before the last sighting are not worked time.
    EXPECT_EQ(frameBytes(), bytesOf({{1, t0 + 600, t0 + 1800}, {0, t0 + 1200, t0 + 1800}}));
    EXPECT_EQ(app->document().runningCount(), 0);
    EXPECT_FALSE(app->document().paused());
    EXPECT_FALSE(ql::test::fileExists(journal()));
    EXPECT_TRUE(prompter.boxes.empty());
}

// A journal from the future, or one naming entries that cannot be checked out, says what it
// clamped and left out, and Return then keeps the rest running: it writes nothing and gives
// nothing up. A journal taken as it stands keeps "Check out" on Return.
TEST_F(RunningRecovery, TheQuestionSaysWhatWasClampedOrLeftOutAndThenReturnKeepsRunning) {
    const std::int32_t future = *ql::calendar::fromLocal(2036, 12, 31, 10, 0);
    clock.advance(7200);  // restarted at 12:00
    const QString intro = QStringLiteral("Quillory ended while these projects were running. It was last seen running at ");
    const auto closing = [](const QString& lastSeen) {
        return QStringLiteral(" Closing this window checks them out at ") + lastSeen + QLatin1Char('.');
    };
    struct Case {
        const char* what;
        ql::JournalState journalled;
        QString message;
        std::vector<QString> offered;
        QString checkOutText;
        QString defaultButton;
        std::vector<ql::TimeFrameRecord> frames;
        std::vector<ql::RunningEntry> running;
    };
    const Case cases[] = {
        {"taken as it stands",
         crashed,
         intro + QStringLiteral("12/11/1996 10:30:00. They were paused.") + closing(QStringLiteral("12/11/1996 10:30:00")),
         {QStringLiteral("Beta|12/11/1996 10:00:00|00:20"), QStringLiteral("Alpha|12/11/1996 10:10:00|00:10")},
         QStringLiteral("&Check out at 12/11/1996 10:30:00"),
         QStringLiteral("checkOutButton"),
         {{1, t0 + 600, t0 + 1800}, {0, t0 + 1200, t0 + 1800}},
         {}},
        {"last seen in the future, with a start after now and an unknown project",
         {{{1, t0}, {0, future}, {9, t0 + 60}}, false, 0, future},
         intro + QStringLiteral("12/31/2036 10:00:00, which is later than now, so they count up to 12/11/1996 "
                                "12:00:00. Left out, as they cannot be checked out: Alpha started 12/31/2036 "
                                "10:00:00 (after 12/11/1996 12:00:00), Project 9 started 12/11/1996 10:01:00 "
                                "(not in the projects file).") +
             closing(QStringLiteral("12/11/1996 12:00:00")),
         {QStringLiteral("Beta|12/11/1996 10:00:00|02:00")},
         QStringLiteral("&Check out at 12/11/1996 12:00:00"),
         QStringLiteral("keepButton"),
         {},
         {{1, t0}}},
        {"only an unknown project",
         {{{9, t0}, {0, t0 + 600}}, false, 0, t0 + 1800},
         intro + QStringLiteral("12/11/1996 10:30:00. Left out, as they cannot be checked out: Project 9 started "
                                "12/11/1996 10:00:00 (not in the projects file).") +
             closing(QStringLiteral("12/11/1996 10:30:00")),
         {QStringLiteral("Alpha|12/11/1996 10:10:00|00:20")},
         QStringLiteral("&Check out at 12/11/1996 10:30:00"),
         QStringLiteral("keepButton"),
         {},
         {{0, t0 + 600}}},
    };
    pressReturn = true;
    for (const Case& c : cases) {
        ql::test::writeBytes(file(ql::FileKind::TimeFrames), {});
        ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), c.journalled));
        auto app = startWith(std::nullopt);
        EXPECT_EQ(message, c.message) << c.what;
        EXPECT_EQ(offered, c.offered) << c.what;
        EXPECT_EQ(checkOutText, c.checkOutText) << c.what;
        EXPECT_EQ(defaultButtons, std::vector<QString>{c.defaultButton}) << c.what;
        EXPECT_EQ(frameBytes(), bytesOf(c.frames)) << c.what;
        EXPECT_EQ(app->document().runningProjects(), c.running) << c.what;
        app.reset();
        (void)ql::removeJournal(ql::defaultFileSystem(), journal());
    }
}

// Checking out a journal from the future writes frames that end now and leaves out what
// cannot be checked out, instead of years of work.
TEST_F(RunningRecovery, CheckOutOfAJournalFromTheFutureEndsNow) {
    const std::int32_t future = *ql::calendar::fromLocal(2036, 12, 31, 10, 0);
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(),
                                 {{{1, t0}, {0, future}, {9, t0 + 60}}, false, 0, future}));
    clock.advance(7200);
    auto app = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
    EXPECT_EQ(frameBytes(), bytesOf({{1, t0, t0 + 7200}}));
    EXPECT_EQ(app->document().runningCount(), 0);
    EXPECT_FALSE(ql::test::fileExists(journal()));
}

TEST_F(RunningRecovery, KeepRunningWritesNothingAndResumesAsIfNothingHappened) {
    clock.advance(7200);  // restarted two hours later, so the journal lies in the past
    {
        ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), crashed));
        auto app = startWith(ql::RecoveryChoice::KeepRunning);
        EXPECT_TRUE(frameBytes().empty());
        EXPECT_EQ(app->document().runningProjects(), crashed.entries);
        EXPECT_TRUE(app->document().paused());
        EXPECT_EQ(app->document().running().pauseReference(), t0 + 1200);
        EXPECT_TRUE(app->frame().windowTitle().contains(QStringLiteral(" - PAUSE")));
        EXPECT_TRUE(app->frame().action(cmd::kCheckOut)->isEnabled());
        // The journal is there again for the next crash, with this start as its heartbeat.
        ASSERT_TRUE(journalled());
        EXPECT_EQ(journalled()->entries, crashed.entries);
        EXPECT_EQ(journalled()->heartbeat, clock.now());
        app.reset();
    }
}

// Beta checked in at 10:00 and worked ten minutes, then paused for twenty; the window was
// killed at 10:30, a tick after the last shift, and starts again at 12:30.
TEST_F(RunningRecovery, AfterAPauseTheQuestionShowsWhenTheUserCheckedIn) {
    struct Case {
        const char* what;
        std::optional<ql::RecoveryChoice> choice;
        std::vector<ql::TimeFrameRecord> frames;
    };
    const Case cases[] = {
        {"check out", ql::RecoveryChoice::CheckOutAtLastSeen, {{1, t0 + 1200, t0 + 1800}}},
        {"escape", std::nullopt, {{1, t0 + 1200, t0 + 1800}}},
        {"keep running", ql::RecoveryChoice::KeepRunning, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clock.set(t0);
        ql::test::writeBytes(file(ql::FileKind::TimeFrames), {});
        {
            auto crashing = startWith(std::nullopt);
            crashing->frame().action(cmd::kCheckIn)->trigger();
            clock.advance(600);
            crashing->frame().action(cmd::kPause)->trigger();
            clock.advance(1200);
            crashing->document().tick();
            ASSERT_EQ(crashing->document().runningProjects(), (std::vector<ql::RunningEntry>{{1, t0 + 1200, t0}}));
        }
        clock.advance(7200);
        auto app = startWith(c.choice);
        EXPECT_EQ(offered, std::vector<QString>{QStringLiteral("Beta|12/11/1996 10:00:00|00:10")});
        EXPECT_EQ(frameBytes(), bytesOf(c.frames));
        app.reset();
        (void)ql::removeJournal(ql::defaultFileSystem(), journal());
    }
}

// Projects paused when the window was killed come back paused: neither the time Quillory
// was not running nor the time until the user resumes counts as worked.
TEST_F(RunningRecovery, KeepingPausedProjectsRunningKeepsThePause) {
    {
        auto crashing = startWith(std::nullopt);
        crashing->frame().action(cmd::kCheckIn)->trigger();  // Beta at 10:00
        clock.advance(600);
        crashing->frame().action(cmd::kPause)->trigger();  // paused at 10:10
        clock.advance(300);
        crashing->document().tick();
        clock.advance(60);  // killed at 10:16, a minute after the last tick
    }
    clock.advance(7200);
    auto app = startWith(ql::RecoveryChoice::KeepRunning);
    CTessalyDoc& doc = app->document();
    EXPECT_TRUE(doc.paused());
    EXPECT_TRUE(app->frame().windowTitle().contains(QStringLiteral(" - PAUSE")));
    clock.advance(120);
    doc.tick();
    EXPECT_EQ(clock.now() - doc.runningProjects().front().start, 600);  // still the ten minutes
    EXPECT_EQ(doc.runningProjects().front().checkedIn, t0);
    app->frame().action(cmd::kPause)->trigger();  // resumed
    EXPECT_FALSE(doc.paused());
    clock.advance(300);
    const std::int32_t end = clock.now();
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_EQ(frameBytes(), bytesOf({{1, end - 900, end}}));
    EXPECT_TRUE(prompter.boxes.empty());
}

// Escape or the close box must not count the hours Quillory was not running as worked: the
// projects are checked out at the last time seen, as the question says.
TEST_F(RunningRecovery, EscapeChecksOutAtTheLastTimeSeenAsTheQuestionSays) {
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), crashed));
    clock.advance(7200);
    auto app = startWith(std::nullopt);
    EXPECT_TRUE(message.contains(QStringLiteral("Closing this window checks them out at 12/11/1996 10:30:00.")))
        << message.toStdString();
    EXPECT_EQ(frameBytes(), bytesOf({{1, t0 + 600, t0 + 1800}, {0, t0 + 1200, t0 + 1800}}));
    EXPECT_EQ(app->document().runningCount(), 0);
}

TEST_F(RunningRecovery, DiscardAsksFirst) {
    const ql::RecoveryReview review = ql::reviewJournal(crashed, clock.now(), nullptr);
    CRecoveryDlg dialog(ql::defaultFileSystem(), prompter, ql::FileSet(settings.toStdString()), review, nullptr);
    prompter.answers = {false};
    dialog.discardButton()->click();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].question);
    EXPECT_EQ(dialog.result(), 0);  // still open
    prompter.answers = {true};
    dialog.discardButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), ql::RecoveryChoice::Discard);
}

TEST_F(RunningRecovery, DiscardWritesNothingAndRemovesTheJournal) {
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), crashed));
    auto app = startWith(ql::RecoveryChoice::Discard);
    EXPECT_TRUE(frameBytes().empty());
    EXPECT_EQ(app->document().runningCount(), 0);
    EXPECT_FALSE(ql::test::fileExists(journal()));
    app.reset();
    ranDialogs.clear();
    auto again = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
    EXPECT_TRUE(ranDialogs.empty());
}

TEST_F(RunningRecovery, AGarbageJournalIsReportedOnceAndThenIgnored) {
    ql::test::writeBytes(journal(), std::vector<unsigned char>(37, 0x5A));
    {
        auto app = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
        ASSERT_EQ(prompter.boxes.size(), 1u);
        EXPECT_EQ(prompter.boxes[0].text,
                  QStringLiteral("Cannot read running projects file : ") + QString::fromStdString(journal()));
        EXPECT_TRUE(ranDialogs.empty());
        EXPECT_EQ(app->document().runningCount(), 0);
    }
    auto again = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(frameBytes().empty());
}

TEST_F(RunningRecovery, OpeningASetWithAJournalOffersItsRecovery) {
    const QString other = makeFileSet(QStringLiteral("Other.qlr"));
    // A journalled project that the set does not hold would be left out of the recovery.
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::FileSet(other.toStdString()).projects(),
                                  {{3, "Gamma", -1, 0.0, "", -1}}));
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), ql::FileSet(other.toStdString()).journal(),
                                 {{{3, t0 - 60}}, false, 0, t0 - 30}));
    auto app = startWith(ql::RecoveryChoice::KeepRunning);
    EXPECT_TRUE(ranDialogs.empty());
    dialogs.openAnswers.push_back(other);
    app->frame().action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(ranDialogs, std::vector<QString>{QStringLiteral("CRecoveryDlg")});
    EXPECT_EQ(app->document().runningProjects(), (std::vector<ql::RunningEntry>{{3, t0 - 60}}));
    EXPECT_EQ(offered, std::vector<QString>{QStringLiteral("Gamma|12/11/1996 09:59:00|00:00")});
}

TEST_F(RunningRecovery, TheJournalFollowsCheckInPauseTickAndCheckOut) {
    auto app = startWith(std::nullopt);
    CTessalyDoc& doc = app->document();
    app->frame().action(cmd::kCheckIn)->trigger();
    EXPECT_EQ(journalled(), (ql::JournalState{{{1, t0}}, false, 0, t0}));
    clock.advance(60);
    app->frame().action(cmd::kPause)->trigger();
    EXPECT_EQ(journalled(), (ql::JournalState{{{1, t0}}, true, t0 + 60, t0 + 60}));
    clock.advance(30);
    doc.tick();
    EXPECT_EQ(journalled(), (ql::JournalState{{{1, t0 + 30, t0}}, true, t0 + 90, t0 + 90}));
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_FALSE(ql::test::fileExists(journal()));
}

TEST_F(RunningRecovery, ASecondWindowWhereNothingRunsSaysNothingAboutRunningProjects) {
    auto first = startWith(std::nullopt);
    ASSERT_EQ(first->document().runningCount(), 0);
    auto second = startWith(std::nullopt);
    EXPECT_FALSE(second->document().ownsRunning());
    EXPECT_TRUE(prompter.boxes.empty());
    // Checking in there still says who keeps the running projects.
    second->frame().action(cmd::kCheckIn)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, CTessalyDoc::heldElsewhereText(settings));
}

TEST_F(RunningRecovery, TheSecondWindowOnASetIsToldAndCannotCheckIn) {
    auto first = startWith(std::nullopt);
    first->frame().action(cmd::kCheckIn)->trigger();
    ASSERT_EQ(first->document().runningCount(), 1);
    const QString told = CTessalyDoc::heldElsewhereText(settings);

    auto second = startWith(ql::RecoveryChoice::Discard);
    EXPECT_FALSE(second->document().ownsRunning());
    EXPECT_TRUE(ranDialogs.empty());  // the first window's projects are not a crash
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, told);
    second->frame().action(cmd::kCheckIn)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, told);
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(second->document().runningCount(), 0);
    EXPECT_EQ(journalled()->entries.size(), 1u);

    // Once the first window has gone without checking out, the second one takes its
    // projects over through the recovery, then checks in.
    first.reset();
    second->frame().action(cmd::kCheckIn)->trigger();
    EXPECT_EQ(ranDialogs, std::vector<QString>{QStringLiteral("CRecoveryDlg")});
    EXPECT_TRUE(second->document().ownsRunning());
    EXPECT_EQ(second->document().runningCount(), 1);
    EXPECT_EQ(chooserCalls, 2);
}

TEST_F(RunningRecovery, ASessionEndAsksNothingAndKeepsTheJournalWhileAConfirmedExitRemovesIt) {
    auto app = startWith(std::nullopt);
    app->frame().action(cmd::kCheckIn)->trigger();
    clock.advance(45);
    CTessalyDoc& doc = app->document();
    doc.endSession();
    EXPECT_TRUE(doc.canClose());
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(journalled(), (ql::JournalState{{{1, t0}}, false, 0, t0 + 45}));
    app.reset();
    EXPECT_TRUE(ql::test::fileExists(journal()));

    auto next = startWith(ql::RecoveryChoice::KeepRunning);
    EXPECT_EQ(next->document().runningCount(), 1);
    prompter.answers = {false, true};
    EXPECT_FALSE(next->document().canClose());
    EXPECT_TRUE(ql::test::fileExists(journal()));
    EXPECT_TRUE(next->document().canClose());
    EXPECT_FALSE(ql::test::fileExists(journal()));
}

// A logout while the question is open must not turn the downtime into worked time.
TEST_F(RunningRecovery, ASessionEndingWhileTheQuestionIsOpenLeavesTheJournalAsItWas) {
    ASSERT_TRUE(ql::writeJournal(ql::defaultFileSystem(), journal(), crashed));
    const auto before = ql::test::readBytes(journal());
    clock.advance(3600);
    CTessalyApp app(services());
    modal.answerDialog = [&app](QDialog& dialog) {
        app.document().endSession();
        dialog.reject();
        return dialog.result();
    };
    app.start({});
    EXPECT_EQ(app.document().runningCount(), 0);
    EXPECT_EQ(ql::test::readBytes(journal()), before);
    EXPECT_TRUE(frameBytes().empty());
}

TEST_F(RunningRecovery, AJournalThatCannotBeWrittenIsReportedOnceAndTimingGoesOn) {
    ql::test::FaultyFileSystem fs;
    const auto failJournal = [&fs, this] { fs.failOn(ql::test::FaultyFileSystem::Op::Create, file(ql::FileKind::Temporary)); };
    failJournal();
    CTessalyApp app(services(fs));
    // OK in the tree rewrites the projects file, which must not meet the fault meant for the journal.
    modal.answerDialog = [&fs, &failJournal](QDialog& dialog) {
        auto* tree = qobject_cast<CProjectsTreeDlg*>(&dialog);
        if (!tree) return 0;
        fs.stopFailingOn();
        const int result = answerProjectTree(*tree, 0);
        failJournal();
        return result;
    };
    app.start({});
    app.frame().action(cmd::kCheckIn)->trigger();
    clock.advance(30);
    app.document().tick();
    app.document().tick();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("Cannot write running projects file : ") + QString::fromStdString(journal()));
    EXPECT_EQ(app.document().runningCount(), 1);
}

// A FIFO, a folder or a link to a device where the journal goes is the user's: it is told
// once, not at every start, and never removed or replaced by a check-in's journal; something
// else sitting there later is told again.
TEST_F(RunningRecovery, AJournalThatIsNoRegularFileIsToldOnceAndLeftAsItIs) {
    namespace fs = std::filesystem;
    const std::string device = ql::test::memoryDevice(path(QStringLiteral("null")).toStdString(), 3, "/dev/null");
    struct Case {
        const char* what;
        std::function<bool(const std::string&)> make;
        std::function<bool(const std::string&)> stillThere;
    };
    const Case cases[] = {
        {"fifo", [](const std::string& at) { return ::mkfifo(at.c_str(), 0600) == 0; }, ql::test::isFifo},
        {"folder", [](const std::string& at) { return fs::create_directory(at); },
         [](const std::string& at) { return fs::is_directory(fs::symlink_status(at)); }},
        {"device link",
         [&device](const std::string& at) {
             fs::create_symlink(device, at);
             return true;
         },
         [&device](const std::string& at) {
             return fs::is_symlink(fs::symlink_status(at)) && fs::read_symlink(at) == device &&
                    fs::is_character_file(device);
         }},
    };
    const QString readFailure = QStringLiteral("Cannot read running projects file : ") + QString::fromStdString(journal());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.make(journal()));
        prompter.boxes.clear();
        {
            auto app = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
            ASSERT_EQ(prompter.boxes.size(), 1u);
            EXPECT_EQ(prompter.boxes[0].text, readFailure);
            EXPECT_TRUE(ranDialogs.empty());
            // Timing goes on without a journal: its write is refused and said, the thing stays.
            app->frame().action(cmd::kCheckIn)->trigger();
            EXPECT_EQ(app->document().runningCount(), 1);
            EXPECT_EQ(prompter.boxes.size(), 2u);
            EXPECT_EQ(prompter.boxes.back().text,
                      QStringLiteral("Cannot write running projects file : ") + QString::fromStdString(journal()));
            EXPECT_TRUE(c.stillThere(journal()));
        }
        prompter.boxes.clear();
        auto again = startWith(ql::RecoveryChoice::CheckOutAtLastSeen);
        EXPECT_TRUE(prompter.boxes.empty());
        EXPECT_TRUE(c.stillThere(journal()));
        EXPECT_TRUE(frameBytes().empty());
        again.reset();
        fs::remove(journal());
    }
}

TEST(SessionEndWatcher, ATerminationSignalArrivesAsASignalOnTheEventLoop) {
    SessionEndWatcher watcher;
    ASSERT_TRUE(watcher.installed());
    QSignalSpy spy(&watcher, &SessionEndWatcher::sessionEnding);
    ASSERT_EQ(::raise(SIGHUP), 0);  // would end the test program without the watcher
    EXPECT_TRUE(spy.wait(2000));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), SIGHUP);
}

}  // namespace
