#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "print/CellFont.h"
#include "ui/app/CTessalyView.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace {

class MainViewPanels : public ShellTest {
protected:
    static QImage render(const CTessalyView& view, int width) {
        QImage image(width, 120, QImage::Format_RGB32);
        image.fill(CTessalyView::kBackground);
        QPainter painter(&image);
        view.paintPanels(painter, width);
        return image;
    }
    static int bluePixels(const QImage& image) {
        int count = 0;
        for (int y = 30; y < 105; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(0, 0, 255)) ++count;
        return count;
    }
    static bool isBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }
    static bool isGrey(const QImage& image, int x, int y) { return image.pixelColor(x, y) == CTessalyView::kBackground; }
};

TEST_F(MainViewPanels, AtWidth600TheBoxesSpanTheirHalves) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    const QImage image = render(app->view(), 600);
    // Running panel: x 305..595, the right edge outside; totals panel: x 5..295.
    EXPECT_TRUE(isBlack(image, 305, 100));
    EXPECT_TRUE(isBlack(image, 594, 100));
    EXPECT_TRUE(isGrey(image, 304, 100));
    EXPECT_TRUE(isGrey(image, 595, 100));
    EXPECT_TRUE(isBlack(image, 5, 100));
    EXPECT_TRUE(isBlack(image, 294, 100));
    EXPECT_TRUE(isGrey(image, 4, 100));
    EXPECT_TRUE(isGrey(image, 295, 100));
    // Boxes reach from y 30 (headers from 10) to 104.
    EXPECT_TRUE(isBlack(image, 400, 104));
    EXPECT_TRUE(isGrey(image, 400, 105));
    EXPECT_TRUE(isBlack(image, 400, 10));
    EXPECT_TRUE(isGrey(image, 400, 9));
}

TEST_F(MainViewPanels, PauseShowsInBlueOnlyWhilePaused) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    CTessalyDoc& doc = app->document();
    doc.checkIn(0);
    EXPECT_EQ(bluePixels(render(app->view(), 600)), 0);
    doc.togglePause();
    const QImage paused = render(app->view(), 600);
    EXPECT_GT(bluePixels(paused), 50);
    // Only over the running panel.
    for (int y = 30; y < 105; ++y)
        for (int x = 0; x < 300; ++x) ASSERT_NE(paused.pixelColor(x, y), QColor(0, 0, 255));
    doc.togglePause();
    EXPECT_EQ(bluePixels(render(app->view(), 600)), 0);
}

TEST_F(MainViewPanels, TheTickMovesStartsOnlyWhilePaused) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    CTessalyDoc& doc = app->document();
    const std::int32_t start = clock.now();
    doc.checkIn(0);
    clock.advance(30);
    app->view().onTick();
    EXPECT_EQ(doc.runningProjects()[0].start, start);
    doc.togglePause();
    clock.advance(30);
    app->view().onTick();
    clock.advance(30);
    app->view().onTick();
    EXPECT_EQ(doc.runningProjects()[0].start, start + 60);
}

TEST_F(MainViewPanels, AMissingProjectsFileIsReportedAfterACommandNotOnEveryTick) {
    const QString work = makeFileSet(QStringLiteral("Work.qlr"));
    auto app = startApp(work);
    std::remove(app->document().pathOf(ql::FileKind::Projects).c_str());
    prompter.boxes.clear();
    app->document().checkIn(0);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith(QStringLiteral("Cannot open project file : ")));
    app->view().onTick();
    app->view().onTick();
    EXPECT_EQ(prompter.boxes.size(), 1u);
}

}  // namespace

namespace {

class PanelText : public ShellTest {};

TEST_F(PanelText, FontsAreSizedByTheHeightOfTheirLine) {
    for (const int height : {12, 14, 24}) {
        const QFontMetricsF metrics(arialBoldCell(height));
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, height * 0.05) << height;
    }
    // At the default 600 x 400 the running box's prompt cell is 280 pixels wide.
    EXPECT_LE(QFontMetrics(arialBoldCell(12))
                  .horizontalAdvance(QStringLiteral("Press the 'Check In' button to start timing a project")),
              280);
}

TEST_F(PanelText, EveryDigitOfALargeTotalHasRoomAndSmallOnesKeepTheCells) {
    const std::string settings = makeFileSet(QStringLiteral("Work.qlr")).toStdString();
    ql::ProjectRecord p;
    p.name = "Everything";
    p.chargesPerHour = 4762.0;
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), ql::fileSetPath(settings, ql::FileKind::Projects), {p}));
    auto app = startApp(QString::fromStdString(settings));
    const int h = 600 / 2 - 5;
    EXPECT_EQ(app->view().panels().totalsColumns(600).time, (ql::PanelCells{h - 122, h - 83}));
    EXPECT_EQ(app->view().panels().totalsColumns(600).charge, (ql::PanelCells{h - 77, h - 3}));

    const std::int32_t start = *ql::calendar::fromLocal(1996, 1, 2, 8, 0);
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {0, start, start + 126005 * 60}));
    app->view().refreshTotals();
    const auto& year = app->view().totalsRows()[3];
    ASSERT_EQ(year.timeText, "2100:05");
    ASSERT_EQ(year.chargeText, "$10000596.83");
    const QFontMetrics metrics(arialBoldCell(12));
    const ql::PanelColumns c = app->view().panels().totalsColumns(600);
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(year.timeText)), c.time.right - c.time.left);
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(year.chargeText)), c.charge.right - c.charge.left);
    EXPECT_EQ(c.charge.right, h - 3);
    EXPECT_GT(c.label.right - c.label.left, 100);
}

}  // namespace
