#include "ui/reports/CHistoryFilterDlg.h"

#include "ui/reports/HistoryFixture.h"

#include <QPushButton>
#include <QTest>

namespace {

class HistoryFilter : public HistoryFixture {
protected:
    std::unique_ptr<CHistoryFilterDlg> open(ql::FileSystem& fs = ql::defaultFileSystem()) {
        return std::make_unique<CHistoryFilterDlg>(fs, prompter, clock, set.fileSet(), chooser);
    }
};

TEST_F(HistoryFilter, AllThenSingleProjectWithoutSelectIsRefusedAndSelectShowsTheFullName) {
    writeProjects({{"Client work", -1}, {"Web site", 0}, {"Design", 1}});
    auto dlg = open();
    FilterUi ui(*dlg);
    EXPECT_EQ(dlg->windowTitle(), "History Filter");
    EXPECT_TRUE(ui.allRadio->isChecked());
    EXPECT_TRUE(ui.saveCheck->isChecked());
    EXPECT_FALSE(ui.selectButton->isEnabled());
    EXPECT_EQ(ui.periodList->currentText(), "This Year");
    EXPECT_FALSE(ui.fromEdit->isEnabled());

    ui.allRadio->click();
    ui.singleRadio->click();
    EXPECT_TRUE(ui.selectButton->isEnabled());
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "No single project selected. Please click the 'Select' button.");
    EXPECT_FALSE(savedFilter().has_value());

    chooserAnswer = std::nullopt;
    ui.selectButton->click();  // cancelled: still none
    EXPECT_EQ(dlg->filterProjectId(), -1);
    chooserAnswer = 2;
    ui.selectButton->click();
    EXPECT_EQ(chooserCalls, 2);
    EXPECT_EQ(ui.projectLabel->text(), "Client work - Web site - Design");

    ui.allRadio->click();  // forgets the project
    EXPECT_EQ(ui.projectLabel->text(), "");
    ui.singleRadio->click();
    EXPECT_EQ(ui.projectLabel->text(), "");
    EXPECT_EQ(dlg->filterProjectId(), -1);

    ui.selectButton->click();
    ui.periodList->setCurrentIndex(2);  // This Week
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const ql::HistoryFilterRecord expected{2, 2, at(1996, 12, 9), at(1996, 12, 15, 23, 59, 59)};
    EXPECT_EQ(savedFilter(), expected);
    EXPECT_EQ(dlg->filterStart(), expected.periodStart);
    EXPECT_EQ(dlg->filterEnd(), expected.periodEnd);

    // Reopened: the saved project and choice are preselected.
    auto again = open();
    EXPECT_TRUE(FilterUi(*again).singleRadio->isChecked());
    EXPECT_EQ(FilterUi(*again).projectLabel->text(), "Client work - Web site - Design");
    EXPECT_EQ(FilterUi(*again).periodList->currentText(), "This Week");
}

// The project a saved filter names, as the user can read it whatever became of it.
TEST_F(HistoryFilter, TheProjectShownIsDeletedOrElidedButTheDialogKeepsItsSize) {
    const std::string sixty(57, 'x');
    writeProjects({{"A" + sixty + "AA", -1}, {"B" + sixty + "BB", 0}, {"C" + sixty + "CC", 1}, {"D" + sixty + "DD", 2}});
    const int plainWidth = open()->sizeHint().width();
    const struct {
        std::int32_t project;
        QString shown;    // what the label reads ("" when elided)
        bool elided;
    } cases[] = {
        {7, QStringLiteral("(deleted project 7)"), false},
        {3, QString(), true},
    };
    for (const auto& c : cases) {
        saveFilterOf(c.project);
        auto dlg = open();
        FilterUi ui(*dlg);
        if (!c.elided) {
            EXPECT_EQ(ui.projectLabel->text(), c.shown);
            continue;
        }
        const QString whole = QString::fromStdString("A" + sixty + "AA - B" + sixty + "BB - C" + sixty + "CC - D" + sixty + "DD");
        EXPECT_EQ(ui.projectLabel->toolTip(), whole);
        EXPECT_TRUE(ui.projectLabel->text().contains(QChar(0x2026))) << ui.projectLabel->text().toStdString();
        EXPECT_TRUE(ui.projectLabel->text().endsWith(QStringLiteral("DD")));  // the middle gives way
        EXPECT_LE(dlg->sizeHint().width(), plainWidth + 20);
    }
}

TEST_F(HistoryFilter, CustomDatesAreResetOnEveryRefreshAndAWrongOneKeepsTheDialogOpen) {
    auto dlg = open();
    FilterUi ui(*dlg);
    ui.periodList->setCurrentIndex(4);
    EXPECT_TRUE(ui.fromEdit->isEnabled());
    EXPECT_TRUE(ui.toLabel->isEnabled());
    EXPECT_EQ(ui.fromEdit->text(), "01/01/1996");
    EXPECT_EQ(ui.toEdit->text(), "12/31/1996");
    ui.fromEdit->setText(QStringLiteral("02/30/1996"));
    ui.toEdit->setText(QStringLiteral("96"));
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith("The To date \"96\" is not a date")) << prompter.boxes[0].text.toStdString();
    EXPECT_FALSE(savedFilter().has_value());

    ui.toEdit->setText(QStringLiteral("3/31/1996"));
    ui.saveCheck->setChecked(false);
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->filterStart(), at(1996, 3, 1));
    EXPECT_EQ(dlg->filterEnd(), at(1996, 3, 31, 23, 59, 59));
    EXPECT_FALSE(savedFilter().has_value());

    ui.fromEdit->setText(QStringLiteral("07/07/1997"));
    ui.singleRadio->click();  // a project change refreshes the dates too
    EXPECT_EQ(ui.fromEdit->text(), "01/01/1996");
    ui.periodList->setCurrentIndex(1);
    EXPECT_FALSE(ui.fromEdit->isEnabled());
    EXPECT_FALSE(ui.fromLabel->isEnabled());
    EXPECT_EQ(ui.toEdit->text(), "12/31/1996");
}

TEST_F(HistoryFilter, AFailedSaveIsToldAndTheFilterStillApplies) {
    ql::test::FaultyFileSystem fs;
    fs.failOn(ql::test::FaultyFileSystem::Op::Create, set.path(ql::FileKind::Temporary));
    auto dlg = open(fs);
    FilterUi(*dlg).periodList->setCurrentIndex(3);
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->filterStart(), at(1996, 12, 11));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.contains("not saved"));
    EXPECT_FALSE(savedFilter().has_value());
}

TEST_F(HistoryFilter, WithSaveClearedTheEarlierSavedFilterIsWhatStays) {
    const ql::HistoryFilterRecord saved{-1, 1, at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)};
    ASSERT_TRUE(ql::writeHistoryFilter(ql::defaultFileSystem(), set.path(ql::FileKind::HistoryFilter), saved));
    const auto before = TempFileSet::bytes(set.path(ql::FileKind::HistoryFilter));
    auto dlg = open();
    EXPECT_EQ(FilterUi(*dlg).periodList->currentText(), "This Month");
    FilterUi(*dlg).periodList->setCurrentIndex(3);
    FilterUi(*dlg).saveCheck->setChecked(false);
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->filterStart(), at(1996, 12, 11));
    EXPECT_EQ(savedFilter(), saved);
    EXPECT_EQ(TempFileSet::bytes(set.path(ql::FileKind::HistoryFilter)), before);
}

}  // namespace
