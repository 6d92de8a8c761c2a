#include "ui/app/ShellFixture.h"

#include "core/support/TempDir.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/RunningJournal.h"
#include "ui/app/AbsenceWatch.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CTessalyView.h"
#include "ui/tracking/CAwayDlg.h"
#include "ui/tracking/CRecoveryDlg.h"
#include "ui/tracking/FakePresence.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>
#include <QLabel>
#include <QPushButton>

namespace {

// A window with Alpha (id 0) running since 10:00 and Beta (id 1) since 10:05, shown, with
// the presence monitor the test drives. Each away question is answered with `answer`,
// recording its text and its owner.
class AbsenceWatchTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr"));
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::FileSet(settings.toStdString()).projects(),
                                      {{0, "Alpha", -1, 60.0, "", -1}, {1, "Beta", -1, 30.0, "", -1}}));
        setProfileValue("LastOpened", settings);
        modal.answerDialog = [this](QDialog& dialog) {
            auto* away = qobject_cast<CAwayDlg*>(&dialog);
            if (!away) {
                ranDialogs.push_back(dialog.metaObject()->className());
                if (auto* recovery = qobject_cast<CRecoveryDlg*>(&dialog)) recovery->choose(recoveryChoice);
                return dialog.result();
            }
            asked.push_back(away->findChild<QLabel*>(QStringLiteral("awayText"))->text());
            owners.push_back(away->parentWidget());
            away->button(answer)->click();
            return away->result();
        };
    }

    void start(bool show = true) {
        AppServices withPresence = services();
        withPresence.presence = &presence;
        app = std::make_unique<CTessalyApp>(withPresence);
        app->start({}, [show](CMainFrame& frame) {
            if (show) frame.show();
        });
    }
    void startRunning() {
        start();
        doc().checkIn(0);
        clock.advance(300);
        doc().checkIn(1);
    }
    CTessalyDoc& doc() const { return app->document(); }
    // Lets the queued question run.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void at(int hour, int minute) { clock.set(*ql::calendar::fromLocal(1996, 12, 11, hour, minute)); }
    std::int32_t time(int hour, int minute) const { return *ql::calendar::fromLocal(1996, 12, 11, hour, minute); }
    void lockedBetween(int fromHour, int fromMinute, int toHour, int toMinute) {
        at(fromHour, fromMinute);
        presence.lock(true);
        at(toHour, toMinute);
        presence.lock(false);
        settle();
    }
    std::vector<ql::TimeFrameRecord> frames() const {
        std::vector<ql::TimeFrameRecord> all;
        const auto bytes = ql::test::readBytes(ql::FileSet(settings.toStdString()).timeFrames());
        for (std::size_t at = 0; at + 12 <= bytes.size(); at += 12) all.push_back(ql::decodeTimeFrame(&bytes[at]));
        return all;
    }
    std::optional<ql::JournalState> journalled() const {
        auto read = ql::readJournal(ql::defaultFileSystem(), ql::FileSet(settings.toStdString()).journal());
        return read ? *read : std::nullopt;
    }

    FakePresence presence;
    std::unique_ptr<CTessalyApp> app;
    QString settings;
    ql::AbsenceAnswer answer = ql::AbsenceAnswer::KeepTime;
    ql::RecoveryChoice recoveryChoice = ql::RecoveryChoice::CheckOutAtLastSeen;
    std::vector<QString> asked;
    std::vector<QWidget*> owners;
};

const QString kAlphaAndBeta =
    QStringLiteral("You were away from 11:00 to 11:42 (42 minutes) while Alpha and Beta were running.");

TEST_F(AbsenceWatchTest, EachAnswerWritesExactlyItsFrames) {
    const std::int32_t t10 = time(10, 0);
    const std::int32_t t11 = time(11, 0);
    const std::int32_t t1142 = time(11, 42);
    struct Case {
        ql::AbsenceAnswer answer;
        std::vector<ql::TimeFrameRecord> frames;
        std::vector<ql::RunningEntry> running;
    };
    const Case cases[] = {
        {ql::AbsenceAnswer::SubtractAndContinue, {{0, t10, t11}, {1, t10 + 300, t11}}, {{0, t1142}, {1, t1142}}},
        {ql::AbsenceAnswer::SubtractAndCheckOut, {{0, t10, t11}, {1, t10 + 300, t11}}, {}},
        {ql::AbsenceAnswer::KeepTime, {}, {{0, t10}, {1, t10 + 300}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        asked.clear();
        owners.clear();
        answer = c.answer;
        at(10, 0);
        startRunning();
        at(11, 0);
        presence.lock(true);
        // The journal knows the absence at once; nothing is asked or written while it lasts.
        ASSERT_TRUE(journalled());
        EXPECT_EQ(journalled()->awaySince, t11);
        at(11, 42);
        EXPECT_TRUE(asked.empty());
        presence.lock(false);
        EXPECT_TRUE(asked.empty());  // asked from the event loop, not inside the unlock
        settle();
        EXPECT_EQ(asked, std::vector<QString>{kAlphaAndBeta});
        EXPECT_EQ(owners, std::vector<QWidget*>{&app->frame()});
        EXPECT_EQ(frames(), c.frames);
        EXPECT_EQ(doc().runningProjects(), c.running);
        if (!c.running.empty()) {
            ASSERT_TRUE(journalled());
            EXPECT_EQ(journalled()->awaySince, 0);
            EXPECT_EQ(journalled()->entries, c.running);
        } else {
            EXPECT_FALSE(journalled());
        }
        // Asked once: nothing more comes of that absence.
        presence.lock(false);
        settle();
        EXPECT_EQ(asked.size(), 1u);
        // Checked out here, so the next case starts afresh.
        while (doc().runningCount() > 0) (void)doc().checkOut(doc().runningProjects().front().projectId);
        app.reset();
        std::filesystem::resize_file(ql::FileSet(settings.toStdString()).timeFrames(), 0);
    }
}

TEST_F(AbsenceWatchTest, EachAbsenceLongerThanTheThresholdIsAskedOnceFromEverySource) {
    at(10, 0);
    startRunning();
    lockedBetween(10, 10, 10, 20);  // exactly the default 10 minutes: not longer
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(journalled()->awaySince, 0);

    lockedBetween(11, 0, 11, 42);
    at(12, 0);
    presence.sleep(true);
    at(13, 0);
    presence.sleep(false);
    settle();
    EXPECT_EQ(asked, (std::vector<QString>{
                         kAlphaAndBeta,
                         QStringLiteral("You were away from 12:00 to 13:00 (1 hour) while Alpha and Beta were running.")}));

    // Idleness is read at the window's ticks: over the threshold at one, back at the next.
    at(14, 0);
    presence.idle = 15 * 60;
    app->view().onTick();
    EXPECT_EQ(journalled()->awaySince, time(13, 45));
    at(14, 30);
    presence.idle = 4;
    app->view().onTick();
    settle();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked.back(), QStringLiteral("You were away from 13:45 to 14:29 (44 minutes) while Alpha and Beta "
                                           "were running."));
    EXPECT_TRUE(frames().empty());  // every answer kept the time
}

TEST_F(AbsenceWatchTest, NothingIsAskedWhilePausedOrWithDetectionOffAndTheProfileSetsTheThreshold) {
    at(10, 0);
    startRunning();
    doc().togglePause();
    lockedBetween(11, 0, 11, 42);
    EXPECT_TRUE(asked.empty());
    // A paused journal keeps no absence: its pause already takes the time out.
    at(12, 0);
    presence.lock(true);
    EXPECT_EQ(journalled()->awaySince, 0);
    presence.lock(false);
    doc().togglePause();

    setProfileValue("AwayDetection", false);
    lockedBetween(13, 0, 14, 0);
    EXPECT_TRUE(asked.empty());
    setProfileValue("AwayDetection", true);

    // The profile's threshold: 60 minutes.
    setProfileValue("AwayMinutes", 60);
    lockedBetween(16, 10, 17, 0);
    EXPECT_TRUE(asked.empty());
    lockedBetween(17, 10, 18, 11);
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(AbsenceWatchTest, AnAbsenceThatEndsWhileMinimizedIsAskedWhenTheWindowIsShown) {
    at(10, 0);
    startRunning();
    app->frame().showMinimized();
    settle();
    lockedBetween(11, 0, 11, 42);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(app->absenceWatch().pending().size(), 1u);
    // The user is back, though not yet asked: a crash now must keep the time worked since,
    // so the journal no longer ends the projects at the absence's start.
    EXPECT_EQ(journalled()->awaySince, 0);
    at(15, 0);
    app->view().onTick();
    settle();
    EXPECT_TRUE(asked.empty());
    app->frame().showNormal();
    settle();
    EXPECT_EQ(asked, std::vector<QString>{kAlphaAndBeta});
    EXPECT_TRUE(app->absenceWatch().pending().empty());
}

// The program dies during an absence (a suspend that never resumes): the next start offers
// the projects checked out at the absence's start.
TEST_F(AbsenceWatchTest, ACrashDuringAnAbsenceIsRecoveredAtItsStart) {
    at(10, 0);
    startRunning();
    at(11, 0);
    presence.sleep(true);
    at(11, 30);
    app->view().onTick();  // a heartbeat after the absence began
    app.reset();           // no exit question, no journal removed: as a crash leaves it

    at(13, 0);
    start();
    EXPECT_EQ(ranDialogs, std::vector<QString>{QStringLiteral("CRecoveryDlg")});
    EXPECT_EQ(frames(), (std::vector<ql::TimeFrameRecord>{{0, time(10, 0), time(11, 0)},
                                                          {1, time(10, 5), time(11, 0)}}));
    EXPECT_TRUE(doc().runningProjects().empty());
}

TEST_F(AbsenceWatchTest, AboutNamesTheActiveSources) {
    presence.sources = {QStringLiteral("Screen lock (session bus)"), QStringLiteral("Input idleness (X11)")};
    start();
    QString shown;
    modal.answerDialog = [&](QDialog& dialog) {
        shown = dialog.findChild<QLabel*>(QStringLiteral("awaySources"))->text();
        return 0;
    };
    app->onAppAbout();
    EXPECT_EQ(shown, QStringLiteral("Away detection: Screen lock (session bus), Input idleness (X11)"));
    presence.sources.clear();
    app->onAppAbout();
    EXPECT_EQ(shown, QStringLiteral("Away detection: no source in this session"));
}

}  // namespace
