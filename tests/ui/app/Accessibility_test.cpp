#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/WeekChartPainter.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"

#include <QAccessible>
#include <QTest>
#include <QToolBar>

#include <string>

namespace {

QString roleName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Table: return QStringLiteral("table");
    case QAccessible::Row: return QStringLiteral("row");
    case QAccessible::Cell: return QStringLiteral("cell");
    case QAccessible::ColumnHeader: return QStringLiteral("column header");
    case QAccessible::List: return QStringLiteral("list");
    case QAccessible::ListItem: return QStringLiteral("list item");
    case QAccessible::Chart: return QStringLiteral("chart");
    default: return QString::number(role);
    }
}

// What a reader finds below iface, one "role | name | description" line per object, indented
// two spaces a level.
QStringList readTree(QAccessibleInterface* iface, int depth = 0) {
    QStringList lines;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        lines << QString(depth * 2, QLatin1Char(' ')) + roleName(child->role()) + QStringLiteral(" | ") +
                     child->text(QAccessible::Name) + QStringLiteral(" | ") + child->text(QAccessible::Description);
        lines << readTree(child, depth + 1);
    }
    return lines;
}

// The main view read as a screen reader reads it, on a set with a frame of Wednesday
// 11 December 1996, 08:00 to 09:30, on Design at 30 an hour.
class Accessibility : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeDesignSet(QStringLiteral("Work.qlr"));
        const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 11, 8, 0);
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {0, start, start + 90 * 60}));
    }

    std::unique_ptr<CTessalyApp> startShown() {
        auto app = startApp(QString::fromStdString(settings));
        app->frame().resize(800, 600);
        app->frame().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&app->frame()));
        app->view().repaint();  // lays the chart out
        return app;
    }

    static QAccessibleInterface* viewInterface(CTessalyApp& app) {
        return QAccessible::queryAccessibleInterface(&app.view());
    }

    std::string settings;
};

TEST_F(Accessibility, TheViewReadsTheTotalsTheRunningProjectsAndEachBar) {
    auto app = startShown();
    app->document().checkIn(0);
    QAccessibleInterface* view = viewInterface(*app);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(QAccessible::Name), QStringLiteral("Quillory main view"));

    const QString day = dayLabel(*ql::calendar::fromLocal(1996, 12, 11, 0, 0));
    const QString monday = dayLabel(*ql::calendar::fromLocal(1996, 12, 9, 0, 0));
    QStringList expected = {
        "table | Total charges | ",
        "  row |  | ",
        "    column header | Total charges for... | ",
        "    column header | Time | ",
        "    column header | Charges | ",
    };
    // The periods' labels carry their dates, as the panel paints them.
    for (const ql::PanelRow& row : app->view().totalsRows()) {
        const QString label = QString::fromStdString(row.label);
        expected << "  row | " + label + ": time 01:30, charges $45.00 | "
                 << "    cell | " + label + " | " << "    cell | 01:30 | Time" << "    cell | $45.00 | Charges";
    }
    expected << "list | Running projects | "
             << "  list item | Design: time 00:00, charges $0.00 | "
             << "chart | Week chart | Week of " + monday
             << "  list item | Design, " + day + ", 08:00 AM to 09:30 AM, duration 01:30 | ";
    ASSERT_EQ(app->view().totalsRows()[0].timeText, "01:30");
    EXPECT_EQ(readTree(view), expected);

    // Each item lies where it is painted: the bar is found at its own middle.
    QAccessibleInterface* chart = view->child(2);
    QAccessibleInterface* bar = chart->child(0);
    ASSERT_TRUE(bar->rect().isValid());
    EXPECT_TRUE(app->view().rect().contains(QRect(app->view().mapFromGlobal(bar->rect().topLeft()), bar->rect().size())));
    EXPECT_EQ(chart->childAt(bar->rect().center().x(), bar->rect().center().y()), bar);
    EXPECT_EQ(view->indexOfChild(chart), 2);
    EXPECT_EQ(bar->parent(), chart);
}

TEST_F(Accessibility, TheTreeFollowsWhatThePanelsShowAndTheKeyboardFocus) {
    auto app = startShown();
    QAccessibleInterface* view = viewInterface(*app);
    ASSERT_EQ(view->childCount(), 3);
    EXPECT_EQ(view->child(1)->childCount(), 0);
    EXPECT_EQ(view->child(1)->text(QAccessible::Description),
              QStringLiteral("Press the 'Check In' button to start timing a project"));

    app->document().checkIn(0);
    app->document().togglePause();
    ASSERT_EQ(view->child(1)->childCount(), 1);
    EXPECT_TRUE(view->child(1)->text(QAccessible::Description).contains(QStringLiteral("PAUSE")));

    // The arrow keys move the focus over the bars; the reader is told which bar has it.
    app->view().setFocus();
    QTest::keyClick(&app->view(), Qt::Key_Right);
    QAccessibleInterface* bar = view->child(2)->child(0);
    EXPECT_TRUE(bar->state().focused);
    EXPECT_EQ(view->focusChild(), bar);
}

TEST_F(Accessibility, WithoutAFileSetTheTotalsSayWhatToDo) {
    auto app = startApp();
    ASSERT_FALSE(app->document().fileSetOpen());
    QAccessibleInterface* totals = viewInterface(*app)->child(0);
    EXPECT_EQ(totals->childCount(), 1);  // the header row alone
    EXPECT_EQ(totals->text(QAccessible::Description), QStringLiteral("Open or create a 'Quillory' file"));
}

TEST_F(Accessibility, ToolBarButtonsAreNamedWithoutTheirShortcuts) {
    auto app = startShown();
    QStringList names;
    for (QAction* action : app->frame().toolBar()->actions()) {
        if (action->isSeparator()) continue;
        names << QAccessible::queryAccessibleInterface(app->frame().toolBar()->widgetForAction(action))
                     ->text(QAccessible::Name);
    }
    EXPECT_EQ(names, (QStringList{"New", "Open", "Check In", "Check Out", "Pause", "Customers", "Projects", "Pie Chart",
                                  "History", "Invoice", "About Quillory95"}));
}

}  // namespace
