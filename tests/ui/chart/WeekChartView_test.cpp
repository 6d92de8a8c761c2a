#include "ui/app/ShellFixture.h"

#include "core/chart/ChartLayout.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "ui/app/CTessalyView.h"
#include "ui/common/CommandIds.h"
#include "ui/chart/CChartHoursDlg.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "print/WeekChartPainter.h"
#include "core/chart/ChartLegend.h"

#include <QImage>
#include <QPainter>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QContextMenuEvent>
#include <QLocale>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
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
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {4, start, start + 90 * 60}));
        clock.set(start + 3 * 3600);
        app = startApp(QString::fromStdString(settings));
        view().resize(800, 500);
        chart().onThisWeek();
        (void)view().grab();  // paints once, which lays the chart out
        ASSERT_TRUE(chart().chartLayout().has_value());
        modal.answerMenu = [this](QMenu& menu, const QPoint&) -> QAction* {
            menuTexts.clear();
            QAction* chosen = nullptr;
            for (QAction* a : menu.actions()) {
                if (a->isSeparator()) continue;
                menuTexts.push_back(a->text());
                if (a->data().toInt() == choose) chosen = a;
            }
            ++menusShown;
            return chosen;
        };
    }
    CTessalyView& view() { return app->view(); }
    WeekChartInteraction& chart() { return app->view().chart(); }
    QPoint barCentre() {
        const auto bars = ql::layoutBars(*chart().chartLayout(), view().weekChart());
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
    chart().openChartMenu(barCentre());
    EXPECT_EQ(menuTexts, (std::vector<QString>{"&Edit Item...", "&Delete Item", "&Change Hours...", "&Previous Week",
                                               "&Next Week", "&This Week", "&What's This?"}));
    const ql::ChartRect rows = chart().chartLayout()->rows;
    chart().openChartMenu(QPoint(rows.right - 2, rows.top + 2));  // empty chart space
    EXPECT_EQ(menuTexts, (std::vector<QString>{"&Change Hours...", "&Previous Week", "&Next Week", "&This Week",
                                               "&What's This?"}));
    chart().openChartMenu(QPoint(300, 60));  // over the panels
    EXPECT_EQ(menusShown, 2);
}

TEST_F(WeekChartView, EditItemShowsTheFrameAndWritesTheNewDurationInPlaceOfTheOld) {
    QString date, time, duration;
    modal.answerDialog = [&](QDialog& dialog) {
        auto* edit = qobject_cast<CTimeFrameDlg*>(&dialog);
        if (!edit) return 0;
        date = edit->dateEdit()->text();
        time = edit->timeEdit()->text();
        duration = edit->durationEdit()->text();
        EXPECT_EQ(edit->projectLabel()->text(), QStringLiteral("Web site"));
        edit->durationEdit()->setText(QStringLiteral("2:00"));
        edit->accept();
        return edit->result();
    };
    choose = cmd::kEditItem;
    chart().openChartMenu(barCentre());
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
    chart().openChartMenu(barCentre());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Are you sure you want to delete the selected item?"));
    EXPECT_EQ(frames().size(), 1u);
    chart().openChartMenu(barCentre());
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
    modal.answerDialog = [](QDialog& dialog) {
        auto* hours = qobject_cast<CChartHoursDlg*>(&dialog);
        if (!hours) return 0;
        hours->startSpin()->setValue(9);
        hours->endSpin()->setValue(17);
        return static_cast<int>(QDialog::Accepted);
    };
    choose = cmd::kChangeHours;
    chart().openChartMenu(barCentre());
    EXPECT_EQ(view().weekChart().firstMinute(), 540);
    EXPECT_EQ(view().weekChart().lastMinute(), 1020);

    const std::int32_t week = view().weekChart().weekStart();
    choose = cmd::kNextWeek;
    chart().openChartMenu(barCentre());
    EXPECT_GT(view().weekChart().weekStart(), week);
    EXPECT_TRUE(view().weekChart().items().empty());
    choose = cmd::kPreviousWeek;
    (void)view().grab();
    const ql::ChartRect rows = chart().chartLayout()->rows;
    chart().openChartMenu(QPoint(rows.right - 2, rows.top + 2));
    EXPECT_EQ(view().weekChart().weekStart(), week);
    EXPECT_EQ(view().weekChart().items().size(), 1u);

    choose = cmd::kChartWhatsThis;
    chart().openChartMenu(QPoint(rows.right - 2, rows.top + 2));
    EXPECT_EQ(help.contexts.back(), 300);
}

TEST_F(WeekChartView, WithTipsOffMouseMovesDoNotRepaint) {
    ql::SettingsRecord s = *ql::readSettings(ql::defaultFileSystem(), ql::FileSet(settings));
    s.showTips = 0;
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, ql::FileSet(settings)));
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
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, ql::FileSet(settings)));
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

namespace {

QAction* actionOf(QMenu& menu, int id) {
    for (QAction* a : menu.actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

// Hovering a command of the chart's menu shows its prompt in the frame's status bar, as the
// main menus do, and closing the menu clears it.
TEST_F(WeekChartView, TheMenusPromptsReachTheStatusBar) {
    app->frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->frame()));
    const std::pair<int, const char*> prompts[] = {
        {cmd::kChangeHours, "Change Gantt Chart's starting and ending hours"},
        {cmd::kPreviousWeek, "View previous week"},
        {cmd::kNextWeek, "View next week"},
        {cmd::kThisWeek, "View this week"},
        {cmd::kChartWhatsThis, "Get help about this visual item"},
        {cmd::kEditItem, ""},
    };
    std::vector<QString> shown;
    QString afterClose = QStringLiteral("not cleared");
    modal.answerMenu = [&](QMenu& menu, const QPoint& at) -> QAction* {
        menu.popup(at);
        for (const auto& [id, prompt] : prompts) {
            QAction* action = actionOf(menu, id);
            EXPECT_NE(action, nullptr) << id;
            if (!action) continue;
            menu.setActiveAction(action);
            shown.push_back(app->frame().statusBar()->currentMessage());
        }
        menu.hide();
        afterClose = app->frame().statusBar()->currentMessage();
        return nullptr;
    };
    chart().openChartMenu(barCentre());
    ASSERT_EQ(shown.size(), std::size(prompts));
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], QLatin1String(prompts[i].second)) << i;
    EXPECT_EQ(afterClose, QString());
}

struct TypedHour {
    const char* typed;
    bool startBox;
    int hour;
};

// Typing replaces the box's text; the hour is read when typing ends, never after one digit.
TEST_F(WeekChartView, TypedHoursReadAsTyped) {
    const TypedHour cases[] = {{"12", true, 12}, {"10", true, 10}, {"9", true, 9}, {"22", false, 22}, {"10", false, 10}};
    for (const TypedHour& c : cases) {
        CChartHoursDlg dialog({8, 20});
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        HourSpinBox* box = c.startBox ? dialog.startSpin() : dialog.endSpin();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.typed)) << c.typed;  // not reformatted while typing
        QTest::keyClick(box, Qt::Key_Return);  // ends the entry and presses OK
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(c.startBox ? dialog.hours().start : dialog.hours().end, c.hour) << c.typed;
        EXPECT_EQ(c.startBox ? dialog.hours().end : dialog.hours().start, c.startBox ? 20 : 8) << c.typed;
    }
}

TEST_F(WeekChartView, PageUpAndPageDownStepAnHourByOne) {
    CChartHoursDlg dialog({8, 20});
    QTest::keyClick(dialog.startSpin(), Qt::Key_PageUp);
    EXPECT_EQ(dialog.hours().start, 9);
    QTest::keyClick(dialog.startSpin(), Qt::Key_PageDown);
    QTest::keyClick(dialog.startSpin(), Qt::Key_PageDown);
    EXPECT_EQ(dialog.hours().start, 7);
    QTest::keyClick(dialog.endSpin(), Qt::Key_PageUp);
    EXPECT_EQ(dialog.hours().end, 21);
    EXPECT_EQ(dialog.endSpin()->text(), QStringLiteral("21:00"));
}

// On an 800-pixel view the chart is 790 wide: L = left + 4 + 150 in every week and
// language; a day label that does not fit its cell is elided short of the inset.
TEST_F(WeekChartView, TheLabelColumnKeepsItsWidthInEveryWeekAndLanguage) {
    struct RestoreLocale {
        QLocale saved;
        ~RestoreLocale() { QLocale::setDefault(saved); }
    } restore;
    const QLocale languages[] = {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Portuguese, QLocale::Brazil)};
    const std::int32_t weeks[] = {*ql::calendar::fromLocal(1996, 9, 18, 10, 0), *ql::calendar::fromLocal(1996, 12, 11, 10, 0)};
    int wholeLabels = 0, elidedLabels = 0;
    for (const QLocale& language : languages) {
        QLocale::setDefault(language);
        for (const std::int32_t week : weeks) {
            clock.set(week);
            chart().onThisWeek();
            view().resize(800, 500);  // a change of language lays the frame out anew
            const QImage image = view().grab().toImage();
            ASSERT_TRUE(chart().chartLayout());
            const ql::ChartLayout& layout = *chart().chartLayout();
            const std::string where = language.name().toStdString() + " " + std::to_string(week);
            EXPECT_EQ(layout.labelRight, 5 + 154) << where;
            EXPECT_EQ(layout.hourWidth, 53) << where;
            for (std::size_t d = 0; d < 7; ++d) {
                const QString label = fittedDayLabel(view().weekChart().days()[d].start, layout.dayLabels[d].width());
                const QString whole = dayLabel(view().weekChart().days()[d].start);
                if (label != whole) {
                    EXPECT_TRUE(label.endsWith(QChar(0x2026))) << where << " " << d;
                }
                ++(label == whole ? wholeLabels : elidedLabels);
            }
            // Between the label's end and the cell's right border, and right of it, only white.
            for (const ql::ChartRect& cell : layout.dayCells) {
                for (int y = cell.top + 2; y < cell.bottom - 2; ++y) {
                    for (int x = cell.right - ql::kDayLabelInset; x < cell.right + 20; ++x) {
                        if (x == cell.right - 1) continue;  // the cell's border
                        ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << where << " at " << x << "," << y;
                    }
                }
            }
        }
    }
    // Long names ("Wednesday, September 18") are elided, short ones kept whole.
    EXPECT_GT(elidedLabels, 0);
    EXPECT_GT(wholeLabels, 0);
}

TEST_F(WeekChartView, TheKeyboardOpensTheMenuMovesTheFocusAndTheWeeks) {
    EXPECT_EQ(view().focusPolicy(), Qt::StrongFocus);
    // No bar has the focus yet: the Menu key gives the empty-chart menu.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), view().mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(&view(), &menuKey);
    EXPECT_EQ(menuTexts, (std::vector<QString>{"&Change Hours...", "&Previous Week", "&Next Week", "&This Week",
                                               "&What's This?"}));
    QTest::keyClick(&view(), Qt::Key_Right);
    EXPECT_EQ(chart().focusedItem(), std::optional<std::size_t>(0));
    QTest::keyClick(&view(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(menusShown, 2);
    ASSERT_FALSE(menuTexts.empty());
    EXPECT_EQ(menuTexts.front(), QStringLiteral("&Edit Item..."));

    // Edit Item from the keyboard acts on the focused bar.
    modal.answerDialog = [](QDialog& dialog) {
        auto* edit = qobject_cast<CTimeFrameDlg*>(&dialog);
        if (!edit) return 0;
        edit->durationEdit()->setText(QStringLiteral("3:00"));
        edit->accept();
        return edit->result();
    };
    choose = cmd::kEditItem;
    QApplication::sendEvent(&view(), &menuKey);
    EXPECT_EQ(frames(), (std::vector<ql::TimeFrameRecord>{{4, start, start + 3 * 3600}}));
    EXPECT_EQ(chart().focusedItem(), std::optional<std::size_t>(0));  // still on the edited frame

    const std::int32_t week = view().weekChart().weekStart();
    QTest::keyClick(&view(), Qt::Key_PageDown);
    EXPECT_GT(view().weekChart().weekStart(), week);
    EXPECT_FALSE(chart().focusedItem());
    QTest::keyClick(&view(), Qt::Key_PageUp);
    EXPECT_EQ(view().weekChart().weekStart(), week);
}

// A reload that fails reports it in a box; closing the box re-activates the window, which
// reloads again. By then the keyboard focus must already index the new, shorter list of bars.
TEST_F(WeekChartView, AReloadThatFailsNeverLeavesTheFocusPastTheBars) {
    const ql::FileSet set(settings);
    const ql::TimeFrameRecord thursday{4, start - 86400, start - 86400 + 3600};
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), set, thursday));
    chart().refresh();
    QTest::keyClick(&view(), Qt::Key_Home);  // Thursday's bar: the second in the file
    ASSERT_EQ(chart().focusedItem(), std::optional<std::size_t>(1));

    // Another process removes Thursday's frame, and the projects file can no longer be read.
    ASSERT_TRUE(ql::removeTimeFrame(ql::defaultFileSystem(), set.timeFrames(), thursday));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(set.projects())));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(set.projects())));

    int reloads = 0;
    prompter.whileShown = [&] {
        const std::size_t bars = chart().weekChart().items().size();
        if (chart().focusedItem()) {
            EXPECT_LT(*chart().focusedItem(), bars);
        }
        if (reloads++ == 0) chart().refresh();
    };
    chart().refresh();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(chart().weekChart().items().size(), 1u);
    EXPECT_FALSE(chart().focusedItem());  // its frame is gone
}

// The tip goes when the pointer leaves the chart (for the panels above it) or the window.
TEST_F(WeekChartView, TheTipGoesWhenThePointerLeavesTheChartOrTheWindow) {
    app->frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->frame()));
    auto tipShown = [this] {
        const QImage image = view().grab().toImage();
        const QPoint cursor = view().mapFromGlobal(QCursor::pos());
        return image.pixelColor(cursor + QPoint(3, 7)) == QColor(255, 255, 128);
    };
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    QTest::mouseMove(&view(), barCentre());
    QCoreApplication::processEvents();
    ASSERT_TRUE(tipShown());

    view().installEventFilter(&counter);
    QTest::mouseMove(&view(), QPoint(300, 60));  // over the panels
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_FALSE(tipShown());

    QTest::mouseMove(&view(), barCentre());
    QCoreApplication::processEvents();
    ASSERT_TRUE(tipShown());
    counter.paints = 0;
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view(), &leave);
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    view().removeEventFilter(&counter);
}

TEST_F(WeekChartView, AFrameOfADeletedProjectIsNamedByItsId) {
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {9, start + 4 * 3600, start + 5 * 3600}));
    view().refreshWeekChart();
    ASSERT_EQ(view().weekChart().items().size(), 2u);
    EXPECT_EQ(view().weekChart().items()[1].name, "(deleted project 9)");

    QString shown;
    modal.answerDialog = [&](QDialog& dialog) {
        if (auto* edit = qobject_cast<CTimeFrameDlg*>(&dialog)) shown = edit->projectLabel()->text();
        return 0;
    };
    (void)view().grab();
    const auto bars = ql::layoutBars(*chart().chartLayout(), view().weekChart());
    ASSERT_EQ(bars.size(), 2u);
    choose = cmd::kEditItem;
    chart().openChartMenu(QPoint(bars[1].rect.left + 2, bars[1].rect.top + 2));
    EXPECT_EQ(shown, QStringLiteral("(deleted project 9)"));
}

TEST_F(WeekChartView, TheTimeFrameDialogKeepsItsSizeForALongName) {
    CTimeFrameDlg shortName({4, start, start + 5400}, QStringLiteral("Web"), true, prompter);
    const QString longText(60, QLatin1Char('W'));
    CTimeFrameDlg longName({4, start, start + 5400}, longText, true, prompter);
    EXPECT_EQ(longName.sizeHint(), shortName.sizeHint());
    EXPECT_TRUE(longName.projectLabel()->text().endsWith(QChar(0x2026)));
    EXPECT_EQ(longName.projectLabel()->toolTip(), longText);
    EXPECT_EQ(shortName.projectLabel()->text(), QStringLiteral("Web"));
}

}  // namespace
