#include "ui/analysis/CExportDlg.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "ui/RecordingPrompter.h"
#include "ui/ScriptedModal.h"
#include "ui/TempFileSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0) { return *ql::calendar::fromLocal(y, mo, d, h, mi); }

// The dialog's controls, found by their object names.
struct Controls {
    explicit Controls(QWidget& dlg)
        : fileButton(dlg.findChild<QPushButton*>("fileButton")),
          fileLabel(dlg.findChild<QLabel*>("fileLabel")),
          fromEdit(dlg.findChild<QLineEdit*>("fromEdit")),
          toEdit(dlg.findChild<QLineEdit*>("toEdit")),
          projectCombo(dlg.findChild<QComboBox*>("projectCombo")),
          minutesCheck(dlg.findChild<QCheckBox*>("minutesCheck")),
          hours24Check(dlg.findChild<QCheckBox*>("hours24Check")),
          oneFieldCheck(dlg.findChild<QCheckBox*>("oneFieldCheck")),
          okButton(dlg.findChild<QPushButton*>("okButton")) {
        EXPECT_TRUE(fileButton && fileLabel && fromEdit && toEdit && projectCombo && minutesCheck && hours24Check &&
                    oneFieldCheck && okButton);
    }
    QPushButton* fileButton;
    QLabel* fileLabel;
    QLineEdit* fromEdit;
    QLineEdit* toEdit;
    QComboBox* projectCombo;
    QCheckBox* minutesCheck;
    QCheckBox* hours24Check;
    QCheckBox* oneFieldCheck;
    QPushButton* okButton;
};

class ExportDialog : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_out.filePath(QStringLiteral("profile")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_out.filePath(QStringLiteral("profile")));
        QSettings{QStringLiteral("KESTRA"), QStringLiteral("Quillory")}.setValue(QStringLiteral("Settings/UserName"),
                                                                                 QStringLiteral("Ann"));
        std::vector<ql::ProjectRecord> projects(3);
        projects[0] = {0, "Web", -1, 10.0, {}, -1};
        projects[1] = {1, "Logo", -1, 10.0, {}, -1};
        projects[2] = {2, "beta", -1, 10.0, {}, -1};
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), m_set.path(ql::FileKind::Projects), projects));
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(m_set.settingsPath()),
                                        {0, at(1996, 3, 14, 16), at(1996, 3, 14, 19)}));
    }
    void TearDown() override { QSettings{QStringLiteral("KESTRA"), QStringLiteral("Quillory")}.clear(); }

    std::unique_ptr<CExportDlg> open(ql::FileSystem* fs = nullptr) {
        auto dlg = std::make_unique<CExportDlg>(fs ? *fs : ql::defaultFileSystem(), m_prompter,
                                                m_set.fileSet(), true);
        dlg->setSaveFileChooser([this](QWidget*, const QString& initial) {
            m_initialNames << initial;
            return m_chosen;
        });
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }
    // Opens the dialog on fs, chooses target through the File button and presses OK.
    std::unique_ptr<CExportDlg> exportTo(const QString& target, ql::FileSystem* fs = nullptr) {
        auto dlg = open(fs);
        m_chosen = target;
        QTest::mouseClick(Controls(*dlg).fileButton, Qt::LeftButton);
        QTest::mouseClick(Controls(*dlg).okButton, Qt::LeftButton);
        return dlg;
    }
    static std::string read(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TempFileSet m_set;
    QTemporaryDir m_out;
    RecordingPrompter m_prompter;
    QString m_chosen;
    QStringList m_initialNames;
};

TEST_F(ExportDialog, DefaultsThenWritesTheChosenFileAndSaysSo) {
    auto dlg = open();
    Controls ui(*dlg);
    EXPECT_EQ(dlg->windowTitle(), "Export Quillory95 data to an ASCII file");
    EXPECT_EQ(dlg->focusWidget(), ui.fileButton);  // the first of the tab order
    EXPECT_EQ(ui.fileLabel->text(), "QLExport.txt");
    EXPECT_EQ(ui.fromEdit->text(), "01/01/1980");
    EXPECT_EQ(ui.toEdit->text(), "12/31/1999");
    QStringList entries;
    for (int i = 0; i < ui.projectCombo->count(); ++i) entries << ui.projectCombo->itemText(i);
    EXPECT_EQ(entries, (QStringList{"All Projects", "beta", "Logo", "Web"}));
    EXPECT_EQ(ui.projectCombo->currentText(), "All Projects");
    EXPECT_EQ(ui.projectCombo->currentData().toInt(), -1);
    EXPECT_FALSE(ui.minutesCheck->isChecked());
    EXPECT_FALSE(ui.hours24Check->isChecked());
    EXPECT_FALSE(ui.oneFieldCheck->isChecked());

    m_chosen = m_out.filePath(QStringLiteral("out.txt"));
    QTest::mouseClick(ui.fileButton, Qt::LeftButton);
    EXPECT_EQ(m_initialNames, QStringList{"QLExport.txt"});
    EXPECT_EQ(ui.fileLabel->text(), m_chosen);
    ui.minutesCheck->setChecked(true);
    QTest::mouseClick(ui.okButton, Qt::LeftButton);

    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].caption, "Status");
    EXPECT_EQ(m_prompter.boxes[0].text, "File created with success.");
    EXPECT_EQ(m_prompter.boxes[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(read(m_chosen), "User\tProject\tDate\tTime\tDuration\r\nAnn\tWeb\t03/14/96\t04:00 PM\t180\r\n");
}

// Cancel in the progress of a long export: no file, no word, the dialog stays for another try.
TEST_F(ExportDialog, AStoppedExportWritesNothingAndKeepsTheDialogOpen) {
    ScriptedModal modal;
    modal.stopProgressAt = 1;
    auto dlg = open();
    dlg->setProgressFactory([&](QWidget* over, const QString& label) { return modal.progress(over, label); });
    m_chosen = m_out.filePath(QStringLiteral("out.txt"));
    QTest::mouseClick(Controls(*dlg).fileButton, Qt::LeftButton);
    QTest::mouseClick(Controls(*dlg).okButton, Qt::LeftButton);
    EXPECT_EQ(modal.progressLabels, std::vector<QString>{QStringLiteral("Writing the export file...")});
    EXPECT_TRUE(m_prompter.boxes.empty());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files), QStringList());
}

TEST_F(ExportDialog, AFailedExportLeavesAnExistingFileUntouchedAndTheDialogOpen) {
    const QString target = m_out.filePath(QStringLiteral("keep.txt"));
    std::ofstream(target.toStdString(), std::ios::binary) << "old export\r\n";
    ql::test::FaultyFileSystem fs;
    fs.failOn(ql::test::FaultyFileSystem::Op::OpenRead, m_set.path(ql::FileKind::TimeFrames));
    auto dlg = exportTo(target, &fs);

    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text,
              QStringLiteral("Cannot open time frames file : ") + m_set.qpath(ql::FileKind::TimeFrames));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(read(target), "old export\r\n");
    EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files), QStringList{"keep.txt"});  // no temporary left
}

TEST_F(ExportDialog, TheExportFileIsWrittenThroughTheDialogsFileSystem) {
    const QString target = m_out.filePath(QStringLiteral("out.txt"));
    ql::test::FaultyFileSystem fs;
    // the new file is made beside the target first
    fs.failOn(ql::test::FaultyFileSystem::Op::Create, target.toStdString() + ".part");
    auto dlg = exportTo(target, &fs);

    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text,
              QStringLiteral("Cannot create the export file : ") + target + QStringLiteral("\ninjected create failure"));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(QDir(m_out.path()).entryList({QStringLiteral("out.txt*")}, QDir::Files).isEmpty());
}

TEST_F(ExportDialog, AFileThatCannotBeCreatedIsSaidWithItsReason) {
    const QString target = m_out.filePath(QStringLiteral("out.txt"));
    ql::test::FaultyFileSystem fs;
    fs.failOn(ql::test::FaultyFileSystem::Op::Create, target.toStdString() + ".part");
    auto dlg = exportTo(target, &fs);
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_TRUE(m_prompter.boxes[0].text.startsWith(QStringLiteral("Cannot create the export file : ") + m_chosen))
        << m_prompter.boxes[0].text.toStdString();
    EXPECT_GT(m_prompter.boxes[0].text.size(), (QStringLiteral("Cannot create the export file : ") + m_chosen).size() + 1);
    EXPECT_TRUE(dlg->isVisible());
}

// A save dialog lets a path into a missing folder through: said at once, the file kept.
TEST_F(ExportDialog, AFileInAMissingFolderIsRefusedWhenChosen) {
    auto dlg = open(nullptr);
    const QString before = Controls(*dlg).fileLabel->text();
    m_chosen = m_out.filePath(QStringLiteral("no/such/folder/out.txt"));
    QTest::mouseClick(Controls(*dlg).fileButton, Qt::LeftButton);
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_TRUE(m_prompter.boxes[0].text.contains(QStringLiteral("does not exist"))) << m_prompter.boxes[0].text.toStdString();
    EXPECT_EQ(Controls(*dlg).fileLabel->text(), before);
}

// The export is made from the open set: over one of its files it would destroy the records.
TEST_F(ExportDialog, AFileOfTheOpenSetIsRefusedAndKeepsItsBytes) {
    const std::string frames = m_set.path(ql::FileKind::TimeFrames);
    const std::string before = read(QString::fromStdString(frames));
    auto dlg = exportTo(m_set.qpath(ql::FileKind::TimeFrames));

    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, QStringLiteral("'") + m_chosen + QStringLiteral("' is a file of the set being read"));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(read(m_chosen), before);
}

}  // namespace
