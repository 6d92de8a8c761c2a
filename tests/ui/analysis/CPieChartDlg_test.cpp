#include "ui/analysis/CPieChartDlg.h"

#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/RecordingPrompter.h"
#include "ui/ScriptedModal.h"
#include "ui/Palettes.h"
#include "ui/TempFileSet.h"
#include "ui/common/Contrast.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QFocusEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0) { return *ql::calendar::fromLocal(y, mo, d, h, mi); }

// The dialog's controls, found by their object names.
struct Controls {
    explicit Controls(QWidget& dlg)
        : periodCombo(dlg.findChild<QComboBox*>("periodCombo")),
          fromLabel(dlg.findChild<QLabel*>("fromLabel")),
          fromEdit(dlg.findChild<QLineEdit*>("fromEdit")),
          toLabel(dlg.findChild<QLabel*>("toLabel")),
          toEdit(dlg.findChild<QLineEdit*>("toEdit")) {
        EXPECT_TRUE(periodCombo && fromLabel && fromEdit && toLabel && toEdit);
    }
    QComboBox* periodCombo;
    QLabel* fromLabel;
    QLineEdit* fromEdit;
    QLabel* toLabel;
    QLineEdit* toEdit;
};

// Delivered directly, so no window activation or cursor of the platform is involved.
void leaveField(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

void movePointer(QWidget* dlg, QPoint to) {
    QMouseEvent move(QEvent::MouseMove, QPointF(to), dlg->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(dlg, &move);
    dlg->repaint();
}

class PieChartDialog : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<ql::ProjectRecord> projects(2);
        projects[0] = {0, "Web", -1, 10.0, {}, -1};
        projects[1] = {1, "Logo", -1, 10.0, {}, -1};
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), m_set.path(ql::FileKind::Projects), projects));
        add({0, at(1996, 12, 2, 9), at(1996, 12, 2, 12)});  // 180 minutes this month
        add({1, at(1996, 3, 5, 9), at(1996, 3, 5, 10)});    // 60 minutes in March
    }
    void add(const ql::TimeFrameRecord& f) {
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_set.settingsPath()), f));
    }
    std::unique_ptr<CPieChartDlg> open(ql::FileSystem* fs = nullptr) {
        auto dlg = std::make_unique<CPieChartDlg>(fs ? *fs : ql::defaultFileSystem(), m_prompter, m_clock,
                                                  m_set.fileSet(), true);
        dlg->resize(640, 420);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
    ql::FixedClock m_clock{at(1996, 12, 11, 10)};
};

TEST_F(PieChartDialog, OpensOnThisYearAndCustomThenThisMonthThenCustomResetsTheDates) {
    auto dlg = open();
    Controls ui(*dlg);
    EXPECT_EQ(dlg->windowTitle(), "Projects Pie Chart");
    EXPECT_EQ(ui.periodCombo->currentText(), "This Year");
    ASSERT_EQ(dlg->chart().slices().size(), 2u);
    EXPECT_FALSE(ui.fromEdit->isEnabled());

    ui.periodCombo->setCurrentIndex(4);  // Custom
    EXPECT_TRUE(ui.fromEdit->isEnabled());
    EXPECT_TRUE(ui.toLabel->isEnabled());
    ui.fromEdit->setText("03/01/1996");
    ui.toEdit->setText("03/31/1996");
    ASSERT_EQ(dlg->chart().slices().size(), 2u);  // typing alone computes nothing
    leaveField(ui.toEdit);
    ASSERT_EQ(dlg->chart().slices().size(), 1u);
    EXPECT_EQ(dlg->chart().slices()[0].name, "Logo");

    ui.periodCombo->setCurrentIndex(1);  // This Month
    EXPECT_EQ(ui.fromEdit->text(), "01/01/1996");
    EXPECT_EQ(ui.toEdit->text(), "12/31/1996");
    EXPECT_FALSE(ui.fromEdit->isEnabled());
    ASSERT_EQ(dlg->chart().slices().size(), 1u);
    EXPECT_EQ(dlg->chart().slices()[0].name, "Web");

    ui.periodCombo->setCurrentIndex(4);
    EXPECT_EQ(ui.fromEdit->text(), "01/01/1996");
    EXPECT_EQ(ui.toEdit->text(), "12/31/1996");
    EXPECT_TRUE(m_prompter.boxes.empty());
}

// Cancel in the progress of a long computation: an empty pie and no word.
TEST_F(PieChartDialog, AStoppedComputationLeavesAnEmptyChartAndSaysNothing) {
    ScriptedModal modal;
    modal.stopProgressAt = 1;
    CPieChartDlg dlg(ql::defaultFileSystem(), m_prompter, m_clock, m_set.fileSet(), true, nullptr,
                     [&](QWidget* over, const QString& label) { return modal.progress(over, label); });
    EXPECT_EQ(modal.progressLabels, std::vector<QString>{QStringLiteral("Adding up the time frames...")});
    EXPECT_TRUE(dlg.chart().slices().empty());
    EXPECT_TRUE(m_prompter.boxes.empty());
    // The next period is computed afresh.
    modal.stopProgressAt = 0;
    Controls(dlg).periodCombo->setCurrentIndex(1);  // This Month
    EXPECT_FALSE(dlg.chart().slices().empty());
}

TEST_F(PieChartDialog, HoverLabelFollowsThePointerWithoutReadingAFile) {
    ql::test::FaultyFileSystem fs;
    auto dlg = open(&fs);
    const ql::PieGeometry g = ql::pieGeometry(dlg->chart(), dlg->width(), dlg->height());
    ASSERT_TRUE(g.drawn);
    // From now on any read of the set's files fails, and would empty the chart and say so.
    fs.failOn(ql::test::FaultyFileSystem::Op::OpenRead, m_set.path(ql::FileKind::TimeFrames));
    // Web has 180 of 240 minutes: the first three quarters, clockwise from 3 o'clock.
    const QPoint belowCentre(static_cast<int>(g.centreX), static_cast<int>(g.centreY + g.radius / 2));
    movePointer(dlg.get(), belowCentre);
    EXPECT_EQ(dlg->hoverText(), "Web - 3:00");
    const QPoint aboveRight(static_cast<int>(g.centreX + g.radius / 3), static_cast<int>(g.centreY - g.radius / 2));
    movePointer(dlg.get(), aboveRight);
    EXPECT_EQ(dlg->hoverText(), "Logo - 1:00");
    movePointer(dlg.get(), QPoint(160, dlg->height() - 5));
    EXPECT_TRUE(dlg->hoverText().isEmpty());
    EXPECT_EQ(dlg->chart().slices().size(), 2u);
    EXPECT_TRUE(m_prompter.boxes.empty());

    // The picture: grey outside the pie, Web's red below the centre.
    const QImage shot = dlg->grab().toImage();
    EXPECT_EQ(shot.pixelColor(g.chartArea.right - 2, g.chartArea.bottom - 2), QColor(192, 192, 192));
    EXPECT_EQ(shot.pixelColor(belowCentre * shot.devicePixelRatio()), QColor(255, 0, 0));
}

TEST_F(PieChartDialog, TheHoverLabelStaysInsideTheDialog) {
    std::vector<ql::ProjectRecord> projects(2);
    projects[0] = {0, std::string(30, 'W'), -1, 10.0, {}, -1};
    projects[1] = {1, "Logo", -1, 10.0, {}, -1};
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), m_set.path(ql::FileKind::Projects), projects));
    auto dlg = open();
    const ql::PieGeometry g = ql::pieGeometry(dlg->chart(), dlg->width(), dlg->height());
    ASSERT_TRUE(g.drawn);
    // The pie's lowest, rightmost part of the long-named slice, near the dialog's edges.
    const QPoint nearEdge(static_cast<int>(g.centreX + g.radius * 0.6), static_cast<int>(g.centreY + g.radius * 0.7));
    movePointer(dlg.get(), nearEdge);
    ASSERT_FALSE(dlg->hoverText().isEmpty());
    EXPECT_TRUE(dlg->rect().contains(dlg->hoverLabelRect())) << dlg->hoverLabelRect().right() << " " << dlg->width();
}

// The labels on the chart's light grey stay black under a dark palette; leaving a wrong date
// for Exit closes at once instead of answering with a warning that swallows the click.
TEST_F(PieChartDialog, DarkPalettesAndExitAfterAWrongDate) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    auto dlg = open();
    EXPECT_EQ(Controls(*dlg).fromLabel->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
    QApplication::setPalette(before);

    Controls ui(*dlg);
    ui.periodCombo->setCurrentIndex(static_cast<int>(ql::PeriodChoice::Custom));
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    ui.fromEdit->setFocus();
    ui.fromEdit->setText(QStringLiteral("first of May"));
    m_prompter.boxes.clear();
    dlg->findChild<QPushButton*>(QStringLiteral("exitButton"))->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(m_prompter.boxes.empty());
}

TEST_F(PieChartDialog, ALargeDialogIsPaintedWhole) {
    auto dlg = open();
    dlg->resize(1400, 1150);
    const QImage shot = dlg->grab().toImage();
    const ql::PieGeometry g = ql::pieGeometry(dlg->chart(), dlg->width(), dlg->height());
    ASSERT_TRUE(g.drawn);
    EXPECT_EQ(shot.pixelColor(dlg->width() - 2, dlg->height() - 2), QColor(192, 192, 192));
    EXPECT_EQ(shot.pixelColor(static_cast<int>(g.centreX) + 5, static_cast<int>(g.centreY + g.radius) - 5),
              QColor(255, 0, 0));
}

TEST_F(PieChartDialog, AnUnreadableProjectsFileIsSaidOnce) {
    for (int i = 0; i < 50; ++i) add({0, at(1996, 6, 1, 9) + i * 3600, at(1996, 6, 1, 9) + i * 3600 + 60});
    std::filesystem::remove(m_set.path(ql::FileKind::Projects));
    auto dlg = open();
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text,
              QStringLiteral("Cannot open project file : ") + m_set.qpath(ql::FileKind::Projects));
    EXPECT_TRUE(dlg->chart().slices().empty());
}

TEST_F(PieChartDialog, AReaderFindsEachSliceWithItsTimeAndShare) {
    auto dlg = open();  // This Year: Web 180 minutes, Logo 60
    const std::vector<AccessibleItem> items = dlg->accessibleItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].role, QAccessible::Chart);
    EXPECT_EQ(items[0].name, QStringLiteral("Projects pie chart"));
    QStringList slices;
    for (const AccessibleItem& slice : items[0].children) {
        slices << slice.name;
        EXPECT_TRUE(dlg->rect().contains(slice.rect)) << slice.name.toStdString();
    }
    EXPECT_EQ(slices, (QStringList{"Web, 3:00, 75.00%", "Logo, 1:00, 25.00%"}));

    Controls(*dlg).periodCombo->setCurrentIndex(3);  // Today: nothing
    ASSERT_TRUE(dlg->accessibleItems()[0].children.empty());
    EXPECT_EQ(dlg->accessibleItems()[0].description, QStringLiteral("No time in this period"));
}

// The chart keeps its light grey under every theme, and the controls' texts on it, enabled or
// not, stand out by 4.5 : 1 at least, as do the fields' texts on the theme's field colour.
TEST_F(PieChartDialog, TextsStayReadableAndTheChartKeepsItsLookUnderEveryTheme) {
    QImage standardChart;
    for (const auto& [theme, palette] : ql::test::themePalettes()) {
        ql::test::PaletteScope scope(palette);
        auto dlg = open();
        Controls c(*dlg);
        c.periodCombo->setCurrentIndex(0);  // This Year: the date fields and their labels disabled
        ASSERT_FALSE(c.fromLabel->isEnabled());
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (QLabel* label : {c.fromLabel, c.toLabel})
                EXPECT_GE(contrastRatio(QColor(192, 192, 192), label->palette().color(group, QPalette::WindowText)),
                          kReadableContrast)
                    << theme << " group " << group;
            EXPECT_GE(contrastRatio(c.fromEdit->palette().color(group, QPalette::Base),
                                    c.fromEdit->palette().color(group, QPalette::Text)),
                      kReadableContrast)
                << theme << " group " << group;
        }
        const QImage chart = dlg->grab(QRect(140, 0, dlg->width() - 140, dlg->height())).toImage();
        if (standardChart.isNull()) {
            standardChart = chart;
        } else {
            EXPECT_EQ(chart, standardChart) << theme;
        }
    }
}

}  // namespace
