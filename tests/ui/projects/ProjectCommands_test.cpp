#include "ui/projects/ProjectCommands.h"

#include "print/PageSource.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/app/ShellFixture.h"
#include "ui/common/CommandIds.h"
#include "core/store/Projects.h"
#include "ui/CommandHarness.h"
#include "ui/ModalDriver.h"
#include "ui/TempFileSet.h"
#include "ui/projects/CProjectsTreeDlg.h"
#include "ui/projects/ProjectTreeWidget.h"

#include <QAction>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ql::ProjectRecord client;
        client.id = 3;
        client.name = "Client";
        ql::ProjectRecord site;
        site.id = 8;
        site.parentId = 3;
        site.name = "Site";
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), m_set.path(ql::FileKind::Projects), {client, site}));
    }

    TempFileSet m_set;
    CommandHarness m_harness{m_set.settingsPath()};
};

TEST_F(ProjectCommands, ChooseProjectGivesTheIdOfTheProjectConfirmed) {
    whenModalOpens<CProjectsTreeDlg>([](CProjectsTreeDlg& dlg) {
        dlg.tree()->setCurrentItem(dlg.tree()->topLevelItem(0));
        dlg.accept();
    });
    EXPECT_EQ(chooseProject(m_harness.context()), 3);
}

TEST_F(ProjectCommands, ChooseProjectGivesNothingAfterCancel) {
    whenModalOpens<CProjectsTreeDlg>([](CProjectsTreeDlg& dlg) { dlg.reject(); });
    EXPECT_EQ(chooseProject(m_harness.context()), std::nullopt);
}

TEST_F(ProjectCommands, EditProjectsWorksOnTheProjectsFileOfTheSet) {
    whenModalOpens<CProjectsTreeDlg>([](CProjectsTreeDlg& dlg) {
        EXPECT_EQ(dlg.tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Site"));
        dlg.tree()->topLevelItem(0)->child(0)->setText(0, QStringLiteral("Web site"));
        dlg.accept();
    });
    editProjects(m_harness.context());
    auto id = ql::findProjectIdByName(ql::defaultFileSystem(), m_set.path(ql::FileKind::Projects), "Web site");
    ASSERT_TRUE(id.isOk());
    EXPECT_EQ(*id, 8);
}

// The command as the window runs it.
class EditProjectsCommand : public ShellTest {};

TEST_F(EditProjectsCommand, EditProjectsOpensTheTreeAndRefreshesTheView) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&previews](QPrinter&, PageSource&) { ++previews; });
    QString opened;
    modal.answerDialog = [&opened](QDialog& dialog) {
        opened = QString::fromLatin1(dialog.metaObject()->className());
        dialog.reject();
        return dialog.result();
    };
    app->frame().action(cmd::kEditProjects)->trigger();
    EXPECT_EQ(opened, QStringLiteral("CProjectsTreeDlg"));
    ASSERT_EQ(hints.count(), 2);
    EXPECT_EQ(hints.at(0).at(0).toInt(), hint::kTotals);
    EXPECT_EQ(hints.at(1).at(0).toInt(), hint::kWeekChart);
}

}  // namespace
