#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/support/TempDir.h"
#include "ui/tracking/CSelectRunningDlg.h"
#include "ui/RecordingPrompter.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SelectRunningTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<ql::ProjectRecord> records;
        for (int i = 0; i < 3; ++i) {
            ql::ProjectRecord p;
            p.id = i;
            p.name = "Project " + std::to_string(i);
            records.push_back(p);
        }
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), prj, records));
    }
    ql::test::TempDir dir;
    std::string prj = dir.path("Work.prj");
    RecordingPrompter prompter;
};

TEST_F(SelectRunningTest, ListsNamesInRunningOrderAndOkChoosesTheFirst) {
    CSelectRunningDlg dlg(ql::defaultFileSystem(), prompter, ql::FileSet(prj), {2, 0, 2});
    ASSERT_EQ(dlg.list()->count(), 3);
    EXPECT_EQ(dlg.list()->item(0)->text(), "Project 2");
    EXPECT_EQ(dlg.list()->item(1)->text(), "Project 0");
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.chosenId(), 2);
}

TEST_F(SelectRunningTest, DoubleClickOnTheSecondNameChoosesIt) {
    CSelectRunningDlg dlg(ql::defaultFileSystem(), prompter, ql::FileSet(prj), {1, 0});
    dlg.show();
    QListWidget* list = dlg.list();
    const QRect rect = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.chosenId(), 0);
}

TEST_F(SelectRunningTest, EscapeCancelsAndAMissingProjectsFileIsReportedOnce) {
    std::remove(prj.c_str());
    CSelectRunningDlg dlg(ql::defaultFileSystem(), prompter, ql::FileSet(prj), {0, 1});
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, QString::fromStdString("Cannot open project file : " + prj));
    EXPECT_EQ(dlg.list()->count(), 2);  // positions still match the running entries
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.chosenId(), -1);
}

}  // namespace
