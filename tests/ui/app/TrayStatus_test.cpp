#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "ui/app/CTessalyView.h"
#include "ui/app/TrayStatus.h"

#include <QSystemTrayIcon>

namespace {

class TrayStatus : public ShellTest {};

// The tray follows the running projects: its icon for none, running or paused, and a tip
// that names each running project with its time.
TEST_F(TrayStatus, TheIconAndTipFollowTheRunningProjects) {
    const QString settings = makeFileSet(QStringLiteral("Work.qlr"));
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::FileSet(settings.toStdString()).projects(),
                                  {{0, "Alpha", -1, 60.0, "", -1}, {1, "Beta", -1, 30.0, "", -1}}));
    setProfileValue("LastOpened", settings);
    auto app = startApp();
    CTessalyDoc& doc = app->document();
    QSystemTrayIcon& tray = *app->frame().trayIcon();
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Quillory"));
    const auto iconImage = [&tray] { return tray.icon().pixmap(22).toImage(); };
    const QImage idle = iconImage();

    doc.checkIn(0);
    clock.advance(25 * 60);
    doc.checkIn(1);
    clock.advance(65 * 60);
    app->view().onTick();
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Quillory\nAlpha 01:30\nBeta 01:05"));
    const QImage running = iconImage();
    EXPECT_NE(running, idle);

    doc.togglePause();
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Quillory - PAUSE\nAlpha 01:30\nBeta 01:05"));
    const QImage paused = iconImage();
    EXPECT_NE(paused, running);
    EXPECT_NE(paused, idle);

    while (doc.runningCount() > 0) (void)doc.checkOut(doc.runningProjects().front().projectId);
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Quillory"));
    EXPECT_EQ(iconImage(), idle);
}

}  // namespace
