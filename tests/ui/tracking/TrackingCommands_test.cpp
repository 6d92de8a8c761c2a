#include "ui/app/ShellFixture.h"

#include "core/support/TempDir.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/ProjectChoice.h"
#include "ui/common/CommandIds.h"
#include "ui/tracking/CSelectRunningDlg.h"

#include <QAction>
#include <QListWidget>
#include <cstdio>

namespace {

class TrackingCommands : public ShellTest {
protected:
    std::unique_ptr<CTessalyApp> startTracking(bool withFileSet = true) {
        if (withFileSet) writeProjects(makeFileSet(QStringLiteral("Work.qlr")));
        auto app = startApp(withFileSet ? path(QStringLiteral("Work.qlr")) : QString());
        // The tree picks the next id asked for (or cancels); the selection dialog answers OK
        // on the row asked for (or cancels with -1).
        modal.answerDialog = [this](QDialog& dialog) {
            if (auto* tree = qobject_cast<CProjectsTreeDlg*>(&dialog)) {
                ++chooserCalls;
                clock.advance(secondsInChooser);  // the user takes a while to pick
                std::optional<std::int32_t> id;
                if (!chosen.empty()) {
                    id = chosen.front();
                    chosen.pop_front();
                }
                return answerProjectTree(*tree, id);
            }
            ranDialogs.push_back(dialog.metaObject()->className());
            if (auto* select = qobject_cast<CSelectRunningDlg*>(&dialog)) {
                if (selectRow < 0) return static_cast<int>(QDialog::Rejected);
                select->list()->setCurrentRow(selectRow);
                select->accept();
                return select->result();
            }
            return 0;
        };
        return app;
    }
    // Projects 0 to 9, so that the tree can offer every id a test checks in.
    static void writeProjects(const QString& settingsPath) {
        std::vector<ql::ProjectRecord> projects;
        for (std::int32_t id = 0; id < 10; ++id) {
            ql::ProjectRecord p;
            p.id = id;
            p.name = "Project " + std::to_string(id);
            projects.push_back(p);
        }
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(),
                                      ql::fileSetPath(settingsPath.toStdString(), ql::FileKind::Projects), projects));
    }
    void checkIn(CTessalyApp& app, std::int32_t id) {
        chosen.push_back(id);
        app.frame().action(cmd::kCheckIn)->trigger();
    }
    std::vector<ql::TimeFrameRecord> frames() {
        return ql::loadTimeFrames(ql::defaultFileSystem(), tfr()).valueOr({});
    }
    std::string tfr() const { return ql::fileSetPath(path(QStringLiteral("Work.qlr")).toStdString(), ql::FileKind::TimeFrames); }

    std::deque<std::int32_t> chosen;
    int chooserCalls = 0;
    int secondsInChooser = 0;
    int selectRow = 0;
};

TEST_F(TrackingCommands, CheckInWithoutAFileSetSaysSoAndOpensNoTree) {
    auto app = startTracking(false);
    app->frame().action(cmd::kCheckIn)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("File not found"));
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("No file has been opened. Cannot load the projects file."));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(chooserCalls, 0);
}

TEST_F(TrackingCommands, TheStartIsTakenWhenTheTreeClosesAndCancelChangesNothing) {
    auto app = startTracking();
    secondsInChooser = 90;
    const std::int32_t given = clock.now();
    checkIn(*app, 4);
    ASSERT_EQ(app->document().runningCount(), 1);
    EXPECT_EQ(app->document().runningProjects()[0].start, given + 90);
    app->frame().action(cmd::kCheckIn)->trigger();  // the chooser is cancelled
    EXPECT_EQ(app->document().runningCount(), 1);
}

TEST_F(TrackingCommands, TheSixthCheckInIsRefusedWhileCheckOutAndPauseStayEnabled) {
    auto app = startTracking();
    for (int id = 0; id < 5; ++id) checkIn(*app, id);
    app->frame().action(cmd::kCheckIn)->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Too many projects"));
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("The limit of 5 projects being charged at the same time has been reached. Check out "
                             "from a project before checking in."));
    EXPECT_EQ(chooserCalls, 5);
    EXPECT_EQ(app->document().runningCount(), 5);
    EXPECT_TRUE(app->frame().action(cmd::kCheckOut)->isEnabled());
    EXPECT_TRUE(app->frame().action(cmd::kPause)->isEnabled());
}

TEST_F(TrackingCommands, CheckingOutTheOnlyPausedProjectWritesOneFrameAndEndsThePause) {
    auto app = startTracking();
    const std::int32_t start = clock.now();
    checkIn(*app, 7);
    app->frame().action(cmd::kPause)->trigger();
    EXPECT_TRUE(app->frame().windowTitle().contains(QStringLiteral(" - PAUSE")));
    clock.advance(600);
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_EQ(ql::test::readBytes(tfr()).size(), 12u);
    EXPECT_EQ(frames(), (std::vector<ql::TimeFrameRecord>{{7, start, start + 600}}));
    EXPECT_FALSE(app->document().paused());
    EXPECT_FALSE(app->frame().windowTitle().contains(QStringLiteral("PAUSE")));
    EXPECT_FALSE(app->frame().action(cmd::kCheckOut)->isEnabled());
    EXPECT_TRUE(ranDialogs.empty());
}

TEST_F(TrackingCommands, WithThreePausedTheChosenOneStopsAndThePauseStays) {
    auto app = startTracking();
    for (int id : {1, 2, 3}) checkIn(*app, id);
    app->frame().action(cmd::kPause)->trigger();
    selectRow = 1;
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_EQ(ranDialogs, (std::vector<QString>{QStringLiteral("CSelectRunningDlg")}));
    ASSERT_EQ(frames().size(), 1u);
    EXPECT_EQ(frames()[0].projectId, 2);
    EXPECT_EQ(app->document().runningCount(), 2);
    EXPECT_TRUE(app->document().paused());
    EXPECT_TRUE(app->frame().windowTitle().contains(QStringLiteral(" - PAUSE")));

    selectRow = -1;  // Cancel checks out nothing
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_EQ(app->document().runningCount(), 2);
    EXPECT_EQ(frames().size(), 1u);
}

TEST_F(TrackingCommands, AFailedWriteKeepsTheProjectRunningUntilTheFileIsBack) {
    auto app = startTracking();
    checkIn(*app, 3);
    const auto saved = ql::test::readBytes(tfr());
    std::remove(tfr().c_str());
    clock.advance(120);
    app->frame().action(cmd::kCheckOut)->trigger();
    // The check-out says so (and the totals, which cannot read the file either).
    ASSERT_GE(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, QString::fromStdString("Cannot open time frames file : " + tfr()));
    EXPECT_EQ(app->document().runningCount(), 1);

    ql::test::writeBytes(tfr(), saved);
    app->frame().action(cmd::kCheckOut)->trigger();
    EXPECT_EQ(app->document().runningCount(), 0);
    EXPECT_EQ(frames().size(), 1u);
}

}  // namespace
