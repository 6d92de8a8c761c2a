#include "ui/common/HelpFile.h"
#include "ui/common/HelpWindowService.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(
    "<!-- preamble, not a topic -->\n"
    "<!--topic 100 Overview-->\n<p>Start <a href=\"help:300\">chart</a></p>\n"
    "<!--topic 300 The week chart-->\n<p>Bars</p>\n"
    "<!--topic 300 A second chart topic-->\n<p>Ignored</p>\n");

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

TEST(HelpFile, SplitsTopicsAtTheirMarkers) {
    const HelpFile help = HelpFile::parse(kSample);
    EXPECT_EQ(help.contexts(), (QList<int>{100, 300}));
    ASSERT_TRUE(help.topic(100));
    EXPECT_EQ(help.topic(100)->title, QStringLiteral("Overview"));
    EXPECT_TRUE(help.topic(100)->html.contains(QStringLiteral("Start")));
    EXPECT_FALSE(help.topic(100)->html.contains(QStringLiteral("Bars")));
    EXPECT_EQ(help.topic(300)->title, QStringLiteral("The week chart"));
    EXPECT_FALSE(help.topic(300)->html.contains(QStringLiteral("Ignored")));
    EXPECT_FALSE(help.topic(400));
    EXPECT_FALSE(HelpFile::load(QStringLiteral("/nonexistent/QL.hlp")));
}

TEST(HelpFile, ShippedFileHasEveryTopicAndNoDeadLinks) {
    const auto help = HelpFile::load(QStringLiteral(QUILLORY_HELP_FILE));
    ASSERT_TRUE(help);
    for (const int context : {100, 300, 400, 700}) {
        const auto topic = help->topic(context);
        ASSERT_TRUE(topic) << context;
        EXPECT_FALSE(topic->title.isEmpty());
        EXPECT_GT(topic->html.size(), 500) << context;
        static const QRegularExpression link(QStringLiteral("href=\"help:(\\d+)\""));
        for (auto it = link.globalMatch(topic->html); it.hasNext();) {
            const int target = it.next().captured(1).toInt();
            EXPECT_TRUE(help->topic(target)) << context << " links to " << target;
        }
    }
}

class HelpWindowServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        writeFile(m_dir.filePath(QStringLiteral("QL.hlp")), kSample);
    }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

TEST_F(HelpWindowServiceTest, MissingFileOrTopicShowsNothing) {
    HelpWindowService nowhere({QStringLiteral("/nonexistent")});
    nowhere.showTopic(100);
    EXPECT_EQ(nowhere.window(), nullptr);
    EXPECT_TRUE(nowhere.helpFilePath().isEmpty());

    HelpWindowService service({QStringLiteral("/nonexistent"), folder()});
    service.showTopic(700);
    EXPECT_EQ(service.window(), nullptr);
}

TEST_F(HelpWindowServiceTest, ShowsTheTopicAndFollowsLinksAndBack) {
    QWidget owner;
    HelpWindowService service({folder()}, &owner);
    service.showTopic(100);
    HelpWindow* window = service.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillory Help - Overview"));
    EXPECT_TRUE(window->currentHtml().contains(QStringLiteral("Start")));

    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpText"));
    emit browser->anchorClicked(QUrl(QStringLiteral("help:300")));
    EXPECT_EQ(window->currentContext(), 300);
    emit browser->anchorClicked(QUrl(QStringLiteral("help:999")));
    EXPECT_EQ(window->currentContext(), 300);

    service.showUsingHelp();
    EXPECT_EQ(window->currentContext(), HelpWindow::kUsingHelp);
    EXPECT_TRUE(window->currentHtml().contains(QStringLiteral("Back")));
    EXPECT_EQ(service.window(), window);
}

TEST_F(HelpWindowServiceTest, ModalDialogOwnsTheHelpItAsksFor) {
    QWidget owner;
    HelpWindowService service({folder()}, &owner);
    {
        QDialog sheet(&owner);
        sheet.setWindowModality(Qt::ApplicationModal);
        sheet.show();
        ASSERT_EQ(QApplication::activeModalWidget(), &sheet);
        service.showTopic(300);
        ASSERT_NE(service.window(), nullptr);
        // Parented to the dialog it stays usable while the dialog blocks the other windows.
        EXPECT_EQ(service.window()->parentWidget(), &sheet);
    }
    EXPECT_EQ(service.window(), nullptr);
    service.showTopic(100);
    ASSERT_NE(service.window(), nullptr);
    EXPECT_EQ(service.window()->parentWidget(), &owner);
}

}  // namespace

namespace {

TEST(HelpFolders, AnInstalledProgramLooksInTheDataFolderOfItsOwnPrefix) {
    // Installed with cmake --install --prefix, wherever the build was configured for.
    const QStringList folders = HelpWindowService::foldersFor(QStringLiteral("/tmp/somewhere/bin"));
    ASSERT_GE(folders.size(), 2);
    EXPECT_EQ(folders[0], QStringLiteral("/tmp/somewhere/bin"));
    EXPECT_EQ(folders[1], QStringLiteral("/tmp/somewhere/share/quillory"));
}

}  // namespace
