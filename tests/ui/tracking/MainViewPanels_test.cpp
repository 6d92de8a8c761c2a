#include "ui/app/ShellFixture.h"

#include "core/store/TimeFrames.h"
#include "ui/app/CTessalyView.h"

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
