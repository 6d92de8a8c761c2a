#include "ShellFixture.h"

#include "ui/app/CAboutDlg.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"
#include "ui/app/Icons.h"
#include "ui/common/Profile.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolBar>
#include <QWhatsThis>

#include <utility>

namespace {

// A menu as (id, text shown) pairs, the shortcut after a tab as the menu shows it; id 0 for a
// separator.
using MenuItems = std::vector<std::pair<int, QString>>;

MenuItems itemsOf(const QMenu* menu) {
    MenuItems items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items.emplace_back(0, QString());
            continue;
        }
        // The name alone, so a screen reader does not read the shortcut as part of it.
        EXPECT_FALSE(action->text().contains(QLatin1Char('\t'))) << action->text().toStdString();
        QString shown = action->text();
        if (!action->shortcut().isEmpty()) shown += QLatin1Char('\t') + action->shortcut().toString();
        items.emplace_back(action->data().toInt(), shown);
    }
    return items;
}

class MainFrame : public ShellTest {};

TEST_F(MainFrame, MenusHoldEveryItemInOrder) {
    auto app = startApp();
    const std::vector<std::pair<QString, MenuItems>> expected = {
        {"&File",
         {{57600, "&New...\tCtrl+N"}, {57601, "&Open...\tCtrl+O"}, {0, ""}, {32796, "&Export..."}, {0, ""},
          {32785, "&Properties..."}, {0, ""}, {32797, "&Print Gantt Chart"}, {57606, "P&rint Setup..."}, {0, ""},
          {57665, "E&xit\tCtrl+Q"}}},
        {"Con&trol", {{32790, "Check In\tCtrl+E"}, {32791, "Check &Out\tCtrl+T"}, {0, ""}, {32792, "&Pause\tCtrl+A"}}},
        {"&Customers", {{32778, "&Edit Customers...\tCtrl+U"}}},
        {"&Projects", {{32771, "&Edit Projects...\tCtrl+J"}, {0, ""}, {32793, "Projects &Pie Chart..."}}},
        {"&Reports",
         {{32777, "&History of charges...\tCtrl+H"}, {0, ""}, {32784, "&Invoice...\tCtrl+I"}, {32798, "I&nvoices..."}}},
        {"&View", {{59392, "&Toolbar"}, {59393, "&Status Bar"}}},
        {"&Help", {{57666, "&Index"}, {57668, "&Using Help"}, {0, ""}, {57664, "&About Quillory95..."}}},
    };
    const QList<QAction*> menus = app->frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (qsizetype i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i]->text(), expected[i].first);
        EXPECT_EQ(itemsOf(menus[i]->menu()), expected[i].second) << expected[i].first.toStdString();
    }
}

TEST_F(MainFrame, AcceleratorsAndLookupById) {
    auto app = startApp();
    const std::vector<std::pair<int, QKeySequence>> accelerators = {
        {57600, QKeySequence("Ctrl+N")}, {57601, QKeySequence("Ctrl+O")}, {32790, QKeySequence("Ctrl+E")},
        {32791, QKeySequence("Ctrl+T")}, {32792, QKeySequence("Ctrl+A")}, {32778, QKeySequence("Ctrl+U")},
        {32771, QKeySequence("Ctrl+J")}, {32777, QKeySequence("Ctrl+H")}, {32784, QKeySequence("Ctrl+I")},
        {57607, QKeySequence("Ctrl+P")}, {57670, QKeySequence("F1")},     {57669, QKeySequence("Shift+F1")},
        // Not in the accelerator table: the desktop's standard key for quitting.
        {57665, QKeySequence("Ctrl+Q")},
    };
    for (const auto& [id, keys] : accelerators) {
        ASSERT_NE(app->frame().action(id), nullptr) << id;
        EXPECT_EQ(app->frame().action(id)->shortcut(), keys) << id;
        EXPECT_EQ(app->frame().action(id)->data().toInt(), id);
    }
    EXPECT_EQ(app->frame().action(12345), nullptr);
    // No two commands share a key.
    QSet<QKeySequence> seen;
    for (const int id : app->frame().commandIds()) {
        const QKeySequence keys = app->frame().action(id)->shortcut();
        if (keys.isEmpty()) continue;
        EXPECT_FALSE(seen.contains(keys)) << id;
        seen.insert(keys);
    }
}

TEST_F(MainFrame, PressingCtrlNRunsNewF1OpensHelpAndCtrlQQuits) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(dialogs.newCalls, 1);
    // "For Help, press F1": the help opens at its overview, not the click-for-help mode.
    QTest::keyClick(&frame, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{100});
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrame, ToolBarHasSeventeenEntriesWithIconsAndTips) {
    auto app = startApp();
    const QToolBar* bar = app->frame().toolBar();
    const std::vector<std::pair<int, const char*>> expected = {
        {57600, "New"}, {57601, "Open"},        {0, nullptr},         {32790, "Check In"}, {32791, "Check Out"},
        {32792, "Pause"}, {0, nullptr},         {32778, "Customers"}, {32771, "Projects"}, {0, nullptr},
        {32793, "Pie Chart"}, {32777, "History"}, {32784, "Invoice"}, {0, nullptr},        {57664, nullptr},
        {0, nullptr},   {0, nullptr}};
    const QList<QAction*> entries = bar->actions();
    ASSERT_EQ(entries.size(), 17);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const auto& [id, tip] = expected[i];
        EXPECT_EQ(entries[i]->isSeparator(), id == 0) << i;
        if (id == 0) continue;
        EXPECT_EQ(entries[i]->data().toInt(), id);
        EXPECT_FALSE(entries[i]->icon().isNull()) << id;
        if (tip) {
            EXPECT_EQ(entries[i]->toolTip(), QLatin1String(tip));
        }
    }
    EXPECT_EQ(bar->iconSize(), QSize(22, 22));
    EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(bar->isMovable());
    EXPECT_EQ(app->frame().toolBarArea(const_cast<QToolBar*>(bar)), Qt::TopToolBarArea);
}

TEST_F(MainFrame, StatusPromptsComeFromTheStringTable) {
    auto app = startApp();
    const std::vector<std::pair<int, const char*>> prompts = {
        {32771, "Add, update or delete projects (and sub-projects)"},
        {32777, "View history of projects charged to your customers"},
        {32778, "Add, update or delete customers"},
        {32784, "Invoice a customer of the time spent"},
        {32785, "Setup application, your company, invoice, ... information"},
        {32790, "Check in a project"},
        {32791, "Check out from a running project"},
        {32792, "Pause all running projects"},
        {32793, "Show a pie chart representing each project's importance"},
        {32796, "Export data for use with other applications (spreadsheet, database, word processor, ...)"},
        {57600, "Create a new document"},
        {57601, "Open an existing document"},
        {57665, "Quit the application; prompts to save documents"},
    };
    for (const auto& [id, prompt] : prompts) EXPECT_EQ(app->frame().action(id)->statusTip(), QLatin1String(prompt));
}

TEST_F(MainFrame, StatusBarShowsThePromptThenTheIdleText) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.idleLabel()->text(), QStringLiteral("For Help, press F1"));
    EXPECT_TRUE(frame.idleLabel()->isVisible());

    // The mouse entering and leaving a toolbar button, as the window system reports it.
    QWidget* button = frame.toolBar()->widgetForAction(frame.action(cmd::kCheckIn));
    ASSERT_NE(button, nullptr);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Check in a project"));
    EXPECT_FALSE(frame.idleLabel()->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(frame.idleLabel()->isVisible());

    std::vector<QString> panes;
    for (int i = 0; i < 3; ++i) panes.push_back(frame.lockPane(i)->text());
    EXPECT_EQ(panes, (std::vector<QString>{"CAP", "NUM", "SCRL"}));
}

TEST_F(MainFrame, DataCommandsAreEnabledExactlyWhileAFileSetIsOpen) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    for (const int id : cmd::kDataCommands) EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    for (const int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kCheckIn, cmd::kPrintGanttChart, cmd::kAppAbout})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;

    dialogs.newAnswers.push_back(path(QStringLiteral("MyProjects.qlr")));
    frame.action(cmd::kFileNew)->trigger();
    for (const int id : cmd::kDataCommands) EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
}

TEST_F(MainFrame, CheckOutAndPauseNeedARunningProject) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    CMainFrame& frame = app->frame();
    CTessalyDoc& doc = app->document();
    EXPECT_FALSE(frame.action(cmd::kCheckOut)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::kPause)->isEnabled());
    doc.checkIn(0);
    EXPECT_TRUE(frame.action(cmd::kCheckOut)->isEnabled());
    EXPECT_TRUE(frame.action(cmd::kPause)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::kPause)->isCheckable());
    ASSERT_TRUE(doc.checkOut(0));
    EXPECT_FALSE(frame.action(cmd::kCheckOut)->isEnabled());
}

TEST_F(MainFrame, ViewMenuHidesAndShowsToolBarAndStatusBar) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.action(cmd::kViewToolbar)->trigger();
    EXPECT_FALSE(frame.toolBar()->isVisible());
    EXPECT_FALSE(frame.action(cmd::kViewToolbar)->isChecked());
    frame.action(cmd::kViewStatusBar)->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
    frame.action(cmd::kViewToolbar)->trigger();
    frame.action(cmd::kViewStatusBar)->trigger();
    EXPECT_TRUE(frame.toolBar()->isVisible());
    EXPECT_TRUE(frame.statusBar()->isVisible());
    // Hidden by other means, the menu item follows.
    frame.toolBar()->hide();
    EXPECT_FALSE(frame.action(cmd::kViewToolbar)->isChecked());
}

TEST_F(MainFrame, HelpCommandsAskForTheirTopics) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.action(cmd::kHelpIndex)->trigger();
    frame.action(cmd::kHelp)->trigger();
    EXPECT_EQ(help.contexts, (std::vector<int>{100, 100}));
    frame.action(cmd::kHelpUsing)->trigger();
    EXPECT_EQ(help.usingHelp, 1);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    frame.action(cmd::kContextHelp)->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    EXPECT_FALSE(frame.action(cmd::kCheckIn)->whatsThis().isEmpty());
}

TEST_F(MainFrame, TrayMenuSharesTheControlActionsAndWorksMinimized) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    const QList<QAction*> items = frame.trayMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], frame.action(cmd::kCheckIn));
    EXPECT_EQ(items[1], frame.action(cmd::kCheckOut));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3], frame.action(cmd::kPause));
    EXPECT_EQ(frame.trayIcon()->contextMenu(), frame.trayMenu());

    frame.showMinimized();
    QSignalSpy checkIn(frame.action(cmd::kCheckIn), &QAction::triggered);
    items[0]->trigger();
    EXPECT_EQ(checkIn.count(), 1);
}

TEST_F(MainFrame, ExitClosesWhenNothingRuns) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.show();
    frame.action(cmd::kAppExit)->trigger();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(MainFrame, ExitWithRunningProjectsAsksAndNoKeepsThemRunning) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    CMainFrame& frame = app->frame();
    CTessalyDoc& doc = app->document();
    doc.checkIn(1);
    doc.checkIn(2);
    frame.show();

    prompter.answers = {false};
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(doc.runningCount(), 2);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].question);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(prompter.boxes[0].text,
              QStringLiteral("You haven't checked out from your running projects. Exit anyway?"));
    EXPECT_FALSE(profileValue("x").isValid());

    prompter.answers = {true};
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
}

class Placement : public ShellTest {};

TEST_F(Placement, DefaultsWithoutProfile) {
    auto app = startApp();
    EXPECT_EQ(app->frame().pos(), QPoint(30, 30));
    EXPECT_EQ(app->frame().size(), QSize(600, 400));
}

TEST_F(Placement, SavedAtExitAndRestoredAtStart) {
    {
        auto app = startApp();
        CMainFrame& frame = app->frame();
        frame.show();
        frame.move(110, 70);
        frame.resize(500, 350);
        ASSERT_TRUE(frame.close());
    }
    EXPECT_EQ(profileValue("x").toInt(), 110);
    EXPECT_EQ(profileValue("y").toInt(), 70);
    EXPECT_EQ(profileValue("cx").toInt(), 500);
    EXPECT_EQ(profileValue("cy").toInt(), 350);
    auto again = startApp();
    EXPECT_EQ(again->frame().pos(), QPoint(110, 70));
    EXPECT_EQ(again->frame().size(), QSize(500, 350));
}

TEST_F(Placement, MaximizedWindowSavesItsRestoredRectangle) {
    auto app = startApp();
    CMainFrame& frame = app->frame();
    frame.show();
    frame.move(60, 40);
    frame.resize(420, 300);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.showMaximized();
    QTRY_VERIFY(frame.isMaximized());
    ASSERT_TRUE(frame.close());
    EXPECT_EQ(Profile::placement(), QRect(60, 40, 420, 300));
}

TEST_F(Placement, RectangleOffEveryScreenFallsBackToTheDefault) {
    setProfileValue("x", 40000);
    setProfileValue("y", 40000);
    setProfileValue("cx", 500);
    setProfileValue("cy", 300);
    auto app = startApp();
    EXPECT_EQ(app->frame().pos(), QPoint(30, 30));
    EXPECT_EQ(app->frame().size(), QSize(600, 400));
}

TEST_F(Placement, UnreadableValuesFallBackOneByOne) {
    setProfileValue("x", QStringLiteral("left"));
    setProfileValue("cy", 250);
    EXPECT_EQ(Profile::placement(), QRect(30, 30, 600, 250));
}

class ShellPieces : public ShellTest {};

TEST_F(ShellPieces, ViewIsTheLightGreyCentralWidget) {
    auto app = startApp();
    EXPECT_EQ(app->frame().centralWidget(), &app->view());
    app->view().resize(600, 300);
    const QImage image = app->view().grab().toImage();
    EXPECT_EQ(image.pixelColor(300, 60), QColor(192, 192, 192));   // between the two panels
    EXPECT_EQ(image.pixelColor(2, 250), QColor(192, 192, 192));    // left of the week chart
}

TEST_F(ShellPieces, AboutShowsIconTextAndOk) {
    auto app = startApp();
    app->frame().action(cmd::kAppAbout)->trigger();
    EXPECT_EQ(ranDialogs, std::vector<QString>{"CAboutDlg"});

    CAboutDlg about;
    EXPECT_EQ(about.findChild<QLabel*>("versionText")->text(), QStringLiteral("Quillory\u00AE v1.01 for Windows95"));
    EXPECT_FALSE(about.findChild<QLabel*>("programIcon")->pixmap().isNull());
    const auto* buttons = about.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->buttons().size(), 1);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok);
}

TEST_F(ShellPieces, PrintSetupWorksOnTheOneApplicationPrinter) {
    auto app = startApp();
    QPrinter* shown = nullptr;
    modal.answerDialog = [&shown](QDialog& dialog) {
        shown = static_cast<QPageSetupDialog&>(dialog).printer();
        return 0;
    };
    app->frame().action(cmd::kFilePrintSetup)->trigger();
    EXPECT_EQ(shown, &app->printer());
    app->frame().action(cmd::kFilePrintSetup)->trigger();
    EXPECT_EQ(shown, &app->printer());
}

TEST_F(ShellPieces, ToolBarIconsAreDistinctAndDrawn) {
    const int ids[] = {cmd::kFileNew,     cmd::kFileOpen,  cmd::kCheckIn, cmd::kCheckOut,
                       cmd::kPause,       cmd::kEditCustomers, cmd::kEditProjects, cmd::kPieChart,
                       cmd::kHistory,     cmd::kInvoice,   cmd::kAppAbout};
    std::vector<QImage> images;
    for (const int id : ids) {
        const QImage image = commandIcon(id).pixmap(22, 22).toImage();
        ASSERT_EQ(image.size(), QSize(22, 22)) << id;
        int opaque = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 22; ++x) opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 60) << id;
        for (const QImage& other : images) EXPECT_NE(image, other) << id;
        images.push_back(image);
    }
    EXPECT_TRUE(commandIcon(cmd::kExport).isNull());
    EXPECT_FALSE(programIcon().pixmap(32, 32).isNull());
}

}  // namespace
