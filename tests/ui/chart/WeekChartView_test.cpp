#include "ui/app/ShellFixture.h"

#include "core/chart/ChartLayout.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "ui/app/CTessalyView.h"
#include "ui/app/CommandIds.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "print/WeekChartPainter.h"
#include "core/chart/ChartLegend.h"

#include <QImage>
#include <QPainter>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

class WeekChartView : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
        ql::ProjectRecord p;
        p.id = 4;
        p.name = "Web site";
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(settings, ql::FileKind::Projects), {p}));
        start = *ql::calendar::fromLocal(1996, 3, 15, 9, 0);
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), settings, {4, start, start + 90 * 60}));
        clock.set(start + 3 * 3600);
        app = startApp(QString::fromStdString(settings));
        view().resize(800, 500);
        view().onThisWeek();
        (void)view().grab();  // paints once, which lays the chart out
        ASSERT_TRUE(view().chartLayout().has_value());
        view().setMenuRunner([this](QMenu& menu, const QPoint&) -> QAction* {
            menuTexts.clear();
            QAction* chosen = nullptr;
            for (QAction* a : menu.actions()) {
                if (a->isSeparator()) continue;
                menuTexts.push_back(a->text());
                if (a->data().toInt() == choose) chosen = a;
            }
            ++menusShown;
            return chosen;
        });
    }
    CTessalyView& view() { return app->view(); }
    QPoint barCentre() {
        const auto bars = ql::layoutBars(*view().chartLayout(), view().weekChart());
        EXPECT_EQ(bars.size(), 1u);
        const ql::ChartRect r = bars.at(0).rect;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    std::vector<ql::TimeFrameRecord> frames() {
        return ql::loadTimeFrames(ql::defaultFileSystem(), ql::fileSetPath(settings, ql::FileKind::TimeFrames)).valueOr({});
    }

    std::string settings;
    std::int32_t start = 0;
    std::unique_ptr<CTessalyApp> app;
    std::vector<QString> menuTexts;
    int menusShown = 0;
    int choose = 0;
};

TEST_F(WeekChartView, TheMenuDependsOnWhereTheRightClickFalls) {
    view().openChartMenu(barCentre());
    EXPECT_EQ(menuTexts, (std::vector<QString>{"&Edit Item...", "&Delete Item", "&Change Hours...", "&Previous Week",
                                               "&Next Week", "&This Week", "&What's This?"}));
    const ql::ChartRect rows = view().chartLayout()->rows;
    view().openChartMenu(QPoint(rows.right - 2, rows.top + 2));  // empty chart space
    EXPECT_EQ(menuTexts, (std::vector<QString>{"&Change Hours...", "&Previous Week", "&Next Week", "&This Week",
                                               "&What's This?"}));
    view().openChartMenu(QPoint(300, 60));  // over the panels
    EXPECT_EQ(menusShown, 2);
}

TEST_F(WeekChartView, EditItemShowsTheFrameAndWritesTheNewDurationInPlaceOfTheOld) {
    QString date, time, duration;
    app->setDialogRunner([&](QDialog& dialog) {
        auto* edit = qobject_cast<CTimeFrameDlg*>(&dialog);
        if (!edit) return 0;
        date = edit->dateEdit()->text();
        time = edit->timeEdit()->text();
        duration = edit->durationEdit()->text();
        EXPECT_EQ(edit->projectLabel()->text(), QStringLiteral("Web site"));
        edit->durationEdit()->setText(QStringLiteral("2:00"));
        edit->accept();
        return edit->result();
    });
    choose = cmd::kEditItem;
    view().openChartMenu(barCentre());
    EXPECT_EQ(date, QStringLiteral("03/15/1996"));
    EXPECT_EQ(time, QStringLiteral("09:00"));
    EXPECT_EQ(duration, QStringLiteral("01:30"));
    EXPECT_EQ(frames(), (std::vector<ql::TimeFrameRecord>{{4, start, start + 2 * 3600}}));
}

TEST_F(WeekChartView, BadTimeFrameInputKeepsTheDialogOpenAndWritesNothing) {
    CTimeFrameDlg dialog({4, start, start + 5400}, QStringLiteral("Web site"), true, prompter);
    dialog.dateEdit()->setText(QStringLiteral("02/30/1996"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    dialog.dateEdit()->setText(QStringLiteral("03/15/1996"));
    dialog.durationEdit()->setText(QStringLiteral("1:75"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(dialog.frame(), (ql::TimeFrameRecord{4, start, start + 5400}));
}

TEST_F(WeekChartView, DeleteItemAsksFirstAndNoKeepsTheFrame) {
    choose = cmd::kDeleteItem;
    prompter.answers = {false, true};
    view().openChartMenu(barCentre());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Are you sure you want to delete the selected item?"));
    EXPECT_EQ(frames().size(), 1u);
    view().openChartMenu(barCentre());
    EXPECT_TRUE(frames().empty());
}

TEST_F(WeekChartView, TheHoursDialogNeverLetsStartReachEnd) {
    CChartHoursDlg dialog({8, 20});
    EXPECT_EQ(dialog.startSpin()->text(), QStringLiteral("08:00"));
    EXPECT_EQ(dialog.endSpin()->text(), QStringLiteral("20:00"));
    dialog.endSpin()->setValue(9);
    dialog.startSpin()->setValue(12);  // beyond end - 1
    EXPECT_EQ(dialog.hours().start, 8);
    EXPECT_EQ(dialog.startSpin()->maximum(), 8);
    dialog.endSpin()->setValue(30);
    EXPECT_EQ(dialog.hours().end, 24);
    dialog.startSpin()->setValue(0);
    dialog.startSpin()->stepBy(-1);
    EXPECT_EQ(dialog.hours().start, 0);
    dialog.endSpin()->setValue(0);
    EXPECT_EQ(dialog.hours().end, 1);
}

TEST_F(WeekChartView, ChangeHoursAndWeekMovesReachTheChart) {
    app->setDialogRunner([](QDialog& dialog) {
        auto* hours = qobject_cast<CChartHoursDlg*>(&dialog);
        if (!hours) return 0;
        hours->startSpin()->setValue(9);
        hours->endSpin()->setValue(17);
        return static_cast<int>(QDialog::Accepted);
    });
    choose = cmd::kChangeHours;
    view().openChartMenu(barCentre());
    EXPECT_EQ(view().weekChart().firstMinute(), 540);
    EXPECT_EQ(view().weekChart().lastMinute(), 1020);

    const std::int32_t week = view().weekChart().weekStart();
    choose = cmd::kNextWeek;
    view().openChartMenu(barCentre());
    EXPECT_GT(view().weekChart().weekStart(), week);
    EXPECT_TRUE(view().weekChart().items().empty());
    choose = cmd::kPreviousWeek;
    (void)view().grab();
    const ql::ChartRect rows = view().chartLayout()->rows;
    view().openChartMenu(QPoint(rows.right - 2, rows.top + 2));
    EXPECT_EQ(view().weekChart().weekStart(), week);
    EXPECT_EQ(view().weekChart().items().size(), 1u);

    choose = cmd::kChartWhatsThis;
    view().openChartMenu(QPoint(rows.right - 2, rows.top + 2));
    EXPECT_EQ(help.contexts.back(), 300);
}

TEST_F(WeekChartView, WithTipsOffMouseMovesDoNotRepaint) {
    ql::SettingsRecord s = *ql::readSettings(ql::defaultFileSystem(), settings);
    s.showTips = 0;
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, settings));
    app->frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->frame()));
    QCoreApplication::processEvents();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    view().installEventFilter(&counter);
    QTest::mouseMove(&view(), barCentre());
    QTest::mouseMove(&view(), barCentre() + QPoint(3, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    s.showTips = 1;
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, settings));
    QTest::mouseMove(&view(), barCentre() + QPoint(1, 1));
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    view().removeEventFilter(&counter);
}

}  // namespace

namespace {

TEST_F(WeekChartView, ThePrintedVariantDrawsTheLegendBesideTheChart) {
    QImage page(ql::kPrintedPageWidth, ql::kPrintedPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        paintPrintedWeekChart(painter, view().weekChart());
    }
    // The legend's frame and the swatch of its one project, in the project's bar colour (red).
    EXPECT_EQ(page.pixelColor(420, 100), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(579, 100), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(430, 33), QColor(255, 0, 0));
    EXPECT_EQ(page.pixelColor(430, 48), QColor(Qt::white));  // only one name, one swatch
    // The chart stays within its area.
    for (int y = 0; y < ql::kPrintedPageHeight; ++y) ASSERT_EQ(page.pixelColor(410, y), QColor(Qt::white)) << y;
}

}  // namespace
