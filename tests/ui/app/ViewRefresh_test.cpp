#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/app/CTessalyView.h"

#include <QApplication>
#include <QEvent>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The main view as a user meets it: changes made by another program or window, a window left
// open overnight, and files that go missing.
class ViewRefresh : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings = makeDesignSet(QStringLiteral("Work.qlr"));
    }
    void addFrame(std::int32_t start, std::int32_t minutes) {
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {0, start, start + minutes * 60}));
    }
    static std::int32_t at(int y, int mo, int d, int h, int mi = 0) { return *ql::calendar::fromLocal(y, mo, d, h, mi); }
    // What the window system does when the user comes back to the shown window.
    static void activate(QWidget& window) {
        window.show();
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&window, &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &activate);
    }
    std::size_t boxesStartingWith(const char* text) const {
        std::size_t n = 0;
        for (const auto& box : prompter.boxes) n += box.text.startsWith(QLatin1String(text)) ? 1 : 0;
        return n;
    }

    std::string settings;
};

TEST_F(ViewRefresh, ActivationShowsFramesAddedByAnotherProgram) {
    auto app = startApp(QString::fromStdString(settings));
    EXPECT_EQ(app->view().totalsRows()[0].timeText, "00:00");
    addFrame(at(1996, 12, 11, 8), 60);  // as quillory-cli add-frame would, the window open
    activate(app->frame());
    EXPECT_EQ(app->view().totalsRows()[0].timeText, "01:00");
    EXPECT_EQ(app->view().totalsRows()[0].chargeText, "$30.00");
    ASSERT_EQ(app->view().weekChart().items().size(), 1u);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(ViewRefresh, TheTickAfterMidnightMovesTodayAndTheWeek) {
    clock.set(at(1996, 12, 15, 23, 59));  // a Sunday
    auto app = startApp(QString::fromStdString(settings));
    const std::int32_t monday = at(1996, 12, 16, 9);
    addFrame(monday, 30);
    app->view().onTick();
    EXPECT_EQ(app->view().totalsRows()[0].label, "Today (12/15/1996)");
    clock.set(at(1996, 12, 16, 0, 0));
    app->view().onTick();
    EXPECT_EQ(app->view().totalsRows()[0].label, "Today (12/16/1996)");
    EXPECT_EQ(app->view().totalsRows()[1].label, "This week (12/16/1996 - 12/22/1996)");
    EXPECT_EQ(app->view().weekChart().weekStart(), at(1996, 12, 16, 0));
    EXPECT_EQ(app->view().weekChart().items().size(), 1u);

    // A week the user chose to look at stays chosen.
    app->view().chart().onPreviousWeek();
    clock.set(at(1996, 12, 17, 0, 0));
    app->view().onTick();
    EXPECT_EQ(app->view().weekChart().weekStart(), at(1996, 12, 9, 0));
}

TEST_F(ViewRefresh, AMissingFileIsReportedOnceUntilItChanges) {
    const std::string frames = ql::fileSetPath(settings, ql::FileKind::TimeFrames);
    std::remove(frames.c_str());
    bool shownBeforeTheBoxes = false;
    auto app = std::make_unique<CTessalyApp>(services());
    app->start(QString::fromStdString(settings), [&](CMainFrame&) { shownBeforeTheBoxes = prompter.boxes.empty(); });
    // The totals and the chart both miss the file: one box, after the window is shown.
    EXPECT_TRUE(shownBeforeTheBoxes);
    EXPECT_EQ(boxesStartingWith("Cannot open time frames file : "), 1u);
    EXPECT_EQ(prompter.boxes.size(), 1u);

    // Closing the box activates the window again, and so does every return to it.
    activate(app->frame());
    activate(app->frame());
    app->view().onTick();
    EXPECT_EQ(prompter.boxes.size(), 1u);

    // Back, then missing again: reported again.
    std::ofstream{frames};
    addFrame(at(1996, 12, 11, 8), 60);
    activate(app->frame());
    EXPECT_EQ(prompter.boxes.size(), 1u);
    std::remove(frames.c_str());
    activate(app->frame());
    EXPECT_EQ(boxesStartingWith("Cannot open time frames file : "), 2u);
}

TEST_F(ViewRefresh, ThePanelWritesAmountsWithAPointUnderAGermanLocale) {
    // Qt sets the C library's locale from LANG in the GUI process.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 is not installed";
    auto s = ql::readSettings(ql::defaultFileSystem(), ql::FileSet(settings)).value();
    s.monetarySymbol = "\xc2\xa3";
    ASSERT_TRUE(ql::writeSettings(ql::defaultFileSystem(), s, ql::FileSet(settings)));
    addFrame(at(1996, 12, 11, 8), 855);  // 14:15 at 30 per hour
    auto app = startApp(QString::fromStdString(settings));
    const std::string amount = app->view().totalsRows()[0].chargeText;
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(amount, "\xc2\xa3" "427.50");
}

TEST_F(ViewRefresh, NewRequiresAnExistingFolder) {
    auto app = startApp();
    const QString missing = path(QStringLiteral("no such folder/Work.qlr"));
    const QString good = path(QStringLiteral("Fresh.qlr"));
    dialogs.newAnswers = {missing, good};
    app->document().onFileNew();
    EXPECT_EQ(dialogs.newCalls, 2);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(prompter.boxes[0].text.contains(QStringLiteral("write-protection")));
    EXPECT_TRUE(app->document().fileSetOpen());
    EXPECT_EQ(app->document().settingsPath(), good);

    // Cancelling after the refusal leaves the open set as it was.
    dialogs.newAnswers = {missing, QString()};
    app->document().onFileNew();
    EXPECT_EQ(app->document().settingsPath(), good);
}

}  // namespace
