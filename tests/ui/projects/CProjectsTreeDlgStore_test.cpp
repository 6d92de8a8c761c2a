#include "ui/projects/CProjectsTreeDlg.h"

#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/projects/ProjectTreeWidget.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using Mode = CProjectsTreeDlg::Mode;

// The tree dialog against files that other programs wrote or change while it is open.
class ProjectsTreeStore : public ::testing::Test {
protected:
    std::string projectsFile() const { return m_set.path(ql::FileKind::Projects); }
    std::unique_ptr<CProjectsTreeDlg> open() {
        auto dlg = std::make_unique<CProjectsTreeDlg>(ql::defaultFileSystem(), m_prompter, nullptr,
                                                      m_set.fileSet(), Mode::Edit);
        dlg->setProjectEditor([](ql::ProjectRecord&) { return true; });
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }
    // The tree's "Create a new project" command, as its menu runs it.
    static void createProject(CProjectsTreeDlg& dlg) {
        for (QAction* a : dlg.findChildren<QAction*>())
            if (a->data().toInt() == CProjectsTreeDlg::kCreateProject) return a->trigger();
        FAIL() << "no create command";
    }
    void writeBytes(const std::string& path, const std::vector<char>& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
};

TEST_F(ProjectsTreeStore, OkKeepsAnEightBitProjectByteForByteAndStoresAnEditedLongName) {
    ql::ProjectRecord old;
    old.name = "x";
    auto record = ql::encodeProject(old);
    std::vector<char> bytes(record.begin(), record.end());
    std::fill(bytes.begin() + 4, bytes.begin() + 64, '\xE9');  // 60 bytes of Windows-1252 "é"
    std::fill(bytes.begin() + 77, bytes.begin() + 1077, '\xFC');  // 1000 bytes of 8-bit memo
    // A customer's short 8-bit name and what the old writer's buffer held after its NUL.
    ql::ProjectRecord second = old;
    second.id = 1;
    auto secondRecord = ql::encodeProject(second);
    std::vector<char> secondBytes(secondRecord.begin(), secondRecord.end());
    const char cafe[] = "Caf\xE9\0\x55\xAA";
    std::copy(cafe, cafe + 7, secondBytes.begin() + 4);
    bytes.insert(bytes.end(), secondBytes.begin(), secondBytes.end());
    writeBytes(projectsFile(), bytes);

    auto dlg = open();
    createProject(*dlg);
    // The user renames the new project to 60 "é": 120 bytes of UTF-8, 60 in its 8-bit form.
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* fresh = tree->findItems(QStringLiteral("New project"), Qt::MatchExactly).value(0);
    ASSERT_NE(fresh, nullptr);
    tree->editItem(fresh);
    auto* editor = tree->viewport()->findChild<QLineEdit*>(QStringLiteral("labelEdit"));
    ASSERT_NE(editor, nullptr);
    editor->setText(QString(60, QChar(0x00E9)));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    dlg->accept();
    ASSERT_EQ(dlg->result(), QDialog::Accepted) << (m_prompter.boxes.empty() ? "" : m_prompter.boxes[0].text.toStdString());

    const auto after = TempFileSet::bytes(projectsFile());
    ASSERT_EQ(after.size(), 3 * ql::ProjectRecord::kSize);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), after.begin()));
    const auto records = ql::loadProjects(ql::defaultFileSystem(), projectsFile());
    EXPECT_EQ(records->at(2).name, QString(60, QChar(0x00E9)).toStdString());
    EXPECT_EQ(records->at(2).name, records->at(0).name);
}

TEST_F(ProjectsTreeStore, ANewProjectGetsAnIdAboveEveryIdFramesAndRunningProjectsReferTo) {
    ql::ProjectRecord p;
    p.id = 3;
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), projectsFile(), {p}));
    // Project 15 was deleted; its frame stays.
    ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_set.settingsPath()), {15, 100, 200}));
    {
        auto dlg = open();
        createProject(*dlg);
        EXPECT_EQ(dlg->projects().record(dlg->projects().order().back()).id, 16);
        dlg->reject();
    }
    auto dlg = open();
    dlg->reserveProjectIds({20});
    createProject(*dlg);
    EXPECT_EQ(dlg->projects().record(dlg->projects().order().back()).id, 21);
}

TEST_F(ProjectsTreeStore, OkRefusesToUndoAChangeSomeoneElseMadeSinceTheTreeOpened) {
    ql::ProjectRecord p;
    p.name = "Mine";
    ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), projectsFile(), {p}));
    auto dlg = open();
    createProject(*dlg);
    // A cron job adds a project meanwhile.
    ASSERT_TRUE(ql::addProject(ql::defaultFileSystem(), ql::FileSet(m_set.settingsPath()), ql::ProjectRecord{},
                               [](const ql::ProjectIndex&, ql::ProjectRecord&) { return ql::Status::ok(); }));
    const auto theirs = TempFileSet::bytes(projectsFile());
    dlg->accept();
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, QString::fromStdString(ql::englishText(ql::projectsChangedMessage(projectsFile()))));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(TempFileSet::bytes(projectsFile()), theirs);
}

}  // namespace
