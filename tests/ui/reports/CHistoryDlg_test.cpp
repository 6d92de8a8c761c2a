#include "ui/reports/CHistoryDlg.h"

#include "ui/chart/CTimeFrameDlg.h"
#include "ui/reports/CHistoryFilterDlg.h"
#include "ui/reports/HistoryFixture.h"
#include "ui/reports/HistoryModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

using ql::TimeFrameRecord;

class HistoryDialog : public HistoryFixture {
protected:
    std::unique_ptr<CHistoryDlg> open(ql::FileSystem& fs = ql::defaultFileSystem()) {
        modal.answerDialog = [this](QDialog& d) {
            ran.push_back(d.metaObject()->className());
            return onDialog ? onDialog(d) : QDialog::Rejected;
        };
        return std::make_unique<CHistoryDlg>(fs, prompter, modal, clock, set.fileSet(), chooser);
    }
    static std::vector<QString> column(const CHistoryDlg& dlg, int c) {
        std::vector<QString> texts;
        for (int r = 0; r < dlg.model().rowCount(); ++r) texts.push_back(dlg.model().text(r, c));
        return texts;
    }
    static void select(CHistoryDlg& dlg, std::initializer_list<int> rows) {
        auto* sel = dlg.list()->selectionModel();
        sel->clearSelection();
        for (int r : rows)
            sel->select(dlg.model().index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Accepts the Time frame dialog with the given duration.
    void acceptTimeFrameWith(const QString& duration) {
        onDialog = [duration](QDialog& d) {
            auto& tf = dynamic_cast<CTimeFrameDlg&>(d);
            tf.durationEdit()->setText(duration);
            tf.accept();
            return tf.result();
        };
    }

    std::vector<QString> ran;
    std::function<int(QDialog&)> onDialog;
};

TEST_F(HistoryDialog, OpensWithThisYearOfAllProjectsSortedByProjectInTheFiveColumns) {
    writeProjects({{"web", -1}, {"Accounts", -1}, {"Zeta", -1}});
    const TimeFrameRecord lateNight{0, at(1996, 3, 5, 22), at(1996, 3, 6, 1, 30)};
    writeFrames({lateNight,
                 {1, at(1996, 11, 3, 8, 15), at(1996, 11, 4, 9, 15)},  // 25 hours
                 {0, at(1995, 12, 31, 23), at(1996, 1, 1, 1)},         // last year
                 {9, at(1996, 7, 4, 12, 0, 30), at(1996, 7, 4, 12, 2)},
                 {2, at(1997, 1, 1), at(1997, 1, 1, 1)}});
    auto dlg = open();
    EXPECT_EQ(dlg->windowTitle(), "History of charges");
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(dlg->sortColumn(), 0);
    EXPECT_EQ(column(*dlg, 0), (std::vector<QString>{"(deleted project 9)", "Accounts", "web"}));
    EXPECT_EQ(column(*dlg, 1), (std::vector<QString>{"07/04/96", "11/03/96", "03/05/96"}));
    EXPECT_EQ(column(*dlg, 2), (std::vector<QString>{"12:00 PM", "08:15 AM", "10:00 PM"}));
    EXPECT_EQ(column(*dlg, 3), (std::vector<QString>{"00:01", "01:00", "03:30"}));
    EXPECT_EQ(column(*dlg, 4), (std::vector<QString>{"$0.00", "$1500.00", "$210.00"}));

    const QHeaderView* header = dlg->list()->header();
    const char* headings[] = {"Project", "Date", "Time", "Time charged", "Charges"};
    const int widths[] = {171, 60, 60, 80, 80};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(dlg->model().headerData(c, Qt::Horizontal).toString(), headings[c]);
        EXPECT_GE(header->sectionSize(c), widths[c]);
        EXPECT_GT(header->sectionSize(c), header->fontMetrics().horizontalAdvance(headings[c])) << c;
        const auto align = dlg->model().index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(align & Qt::AlignHorizontal_Mask, c >= 3 ? Qt::AlignRight : Qt::AlignLeft) << c;
    }
    EXPECT_EQ(header->sectionSize(0), 171);
    EXPECT_GT(header->sectionSize(2), dlg->list()->fontMetrics().horizontalAdvance(QStringLiteral("12:00 PM")));
    EXPECT_EQ(dlg->list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    // Print ends the dialog with OK; the command then asks the view for the printed history.
    auto* print = FilterUi::find<QPushButton>(*dlg, "printButton");
    EXPECT_TRUE(print->isEnabled());
    print->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(HistoryDialog, ClickingAHeadingSortsAscendingAndReloadsKeepTheColumn) {
    writeProjects({{"P", -1}}, 30.0);
    writeFrames({{0, at(1996, 1, 2, 9), at(1996, 1, 2, 9, 1)},
                 {0, at(1996, 12, 1, 8, 15), at(1996, 12, 1, 8, 16, 30)},  // 90 s at 30.00
                 {0, at(1996, 6, 1, 13, 45), at(1996, 6, 1, 14)}});
    auto dlg = open();
    dlg->show();
    QHeaderView* header = dlg->list()->header();
    const auto clickHeading = [&](int c) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 10, header->height() / 2));
    };
    clickHeading(2);
    EXPECT_EQ(dlg->sortColumn(), 2);
    EXPECT_EQ(column(*dlg, 2), (std::vector<QString>{"08:15 AM", "09:00 AM", "01:45 PM"}));
    EXPECT_EQ(column(*dlg, 4)[0], "$0.50");
    clickHeading(2);  // again: still ascending
    EXPECT_EQ(column(*dlg, 2), (std::vector<QString>{"08:15 AM", "09:00 AM", "01:45 PM"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeading(1);
    EXPECT_EQ(column(*dlg, 1), (std::vector<QString>{"01/02/96", "06/01/96", "12/01/96"}));
    clickHeading(3);
    EXPECT_EQ(column(*dlg, 3), (std::vector<QString>{"00:01", "00:01", "00:15"}));
    EXPECT_EQ(column(*dlg, 1), (std::vector<QString>{"01/02/96", "12/01/96", "06/01/96"}));  // ties in file order
    dlg->reload();
    EXPECT_EQ(dlg->sortColumn(), 3);
    EXPECT_EQ(column(*dlg, 1), (std::vector<QString>{"01/02/96", "12/01/96", "06/01/96"}));
}

TEST_F(HistoryDialog, OpensWithTheFirstRowSelectedAndSortsFromTheKeyboard) {
    writeProjects({{"B", -1}, {"A", -1}});
    writeFrames({{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)}, {1, at(1996, 3, 1, 9), at(1996, 3, 1, 12)}});
    auto dlg = open();
    EXPECT_EQ(dlg->selectedRows(), std::vector<int>{0});
    EXPECT_EQ(column(*dlg, 0), (std::vector<QString>{"A", "B"}));
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    QTest::keyClick(dlg->list(), Qt::Key_4, Qt::ControlModifier);  // by duration
    EXPECT_EQ(column(*dlg, 0), (std::vector<QString>{"B", "A"}));
    EXPECT_EQ(dlg->list()->header()->sortIndicatorSection(), 3);
}

TEST_F(HistoryDialog, AFilterOfADeletedProjectSaysWhyTheListIsEmpty) {
    writeProjects({{"A", -1}});
    writeFrames({{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)}});
    saveFilterOf(7);
    auto dlg = open();
    auto* note = dlg->findChild<QLabel*>(QStringLiteral("emptyNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(dlg->model().rowCount(), 0);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("(deleted project 7)"))) << note->text().toStdString();

    saveFilterOf(0);  // a project that is there: nothing to explain
    auto other = open();
    EXPECT_TRUE(other->findChild<QLabel*>(QStringLiteral("emptyNote"))->isHidden());
}

TEST_F(HistoryDialog, UpdateEditsOnlyTheTopSelectedRowInOneRewrite) {
    writeProjects({{"A", -1}, {"B", -1}, {"C", -1}});
    const TimeFrameRecord a{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)};
    const TimeFrameRecord b{1, at(1996, 2, 2, 9), at(1996, 2, 2, 10)};
    const TimeFrameRecord c{2, at(1996, 2, 3, 9), at(1996, 2, 3, 10)};
    writeFrames({c, b, a});
    auto dlg = open();
    select(*dlg, {2, 1, 0});
    acceptTimeFrameWith(QStringLiteral("02:00"));
    dlg->updateFrame();
    ASSERT_EQ(ran, std::vector<QString>{"CTimeFrameDlg"});
    EXPECT_EQ(framesOnDisk(), (std::vector<TimeFrameRecord>{c, b, {0, a.start, a.start + 7200}}));
    EXPECT_EQ(column(*dlg, 3), (std::vector<QString>{"02:00", "01:00", "01:00"}));

    // Cancelled: nothing written, the list is still reloaded.
    onDialog = nullptr;
    select(*dlg, {1});
    dlg->updateFrame();
    EXPECT_EQ(framesOnDisk().size(), 3u);
    EXPECT_TRUE(dlg->selectedRows().empty());
}

TEST_F(HistoryDialog, UpdatingOneOfTwoIdenticalFramesReplacesBothByOne) {
    writeProjects({{"A", -1}});
    const TimeFrameRecord same{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)};
    const TimeFrameRecord other{0, at(1996, 2, 2, 9), at(1996, 2, 2, 10)};
    writeFrames({same, other, same});
    auto dlg = open();
    ASSERT_EQ(dlg->model().rowCount(), 3);
    select(*dlg, {2});
    acceptTimeFrameWith(QStringLiteral("00:30"));
    dlg->updateFrame();
    EXPECT_EQ(framesOnDisk(), (std::vector<TimeFrameRecord>{other, {0, same.start, same.start + 1800}}));
    EXPECT_EQ(dlg->model().rowCount(), 2);
}

TEST_F(HistoryDialog, UpdateWithNothingChangedWritesNothing) {
    writeProjects({{"A", -1}});
    // Seconds the edits cannot show, and a copy an edit would merge away.
    const TimeFrameRecord frame{0, at(1996, 2, 1, 9, 0, 37), at(1996, 2, 1, 10, 0, 12)};
    writeFrames({frame, frame});
    auto dlg = open();
    select(*dlg, {0});
    onDialog = [](QDialog& d) {
        d.accept();
        return d.result();
    };
    dlg->updateFrame();
    ASSERT_EQ(ran, std::vector<QString>{"CTimeFrameDlg"});
    EXPECT_EQ(framesOnDisk(), (std::vector<TimeFrameRecord>{frame, frame}));
}

TEST_F(HistoryDialog, AFailedUpdateKeepsTheOldFrameAndSaysSo) {
    writeProjects({{"A", -1}});
    const TimeFrameRecord frame{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)};
    writeFrames({frame});
    ql::test::FaultyFileSystem fs;
    fs.failOn(ql::test::FaultyFileSystem::Op::Create, set.path(ql::FileKind::Temporary));
    auto dlg = open(fs);
    select(*dlg, {0});
    acceptTimeFrameWith(QStringLiteral("02:00"));
    dlg->updateFrame();
    EXPECT_EQ(framesOnDisk(), std::vector<TimeFrameRecord>{frame});
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(prompter.boxes[0].text.startsWith("Cannot open time frames file : "));
}

TEST_F(HistoryDialog, RemoveAsksThenDropsEverySelectedFrameAtOnce) {
    writeProjects({{"A", -1}, {"B", -1}});
    const TimeFrameRecord a{0, at(1996, 2, 1, 9), at(1996, 2, 1, 10)};
    const TimeFrameRecord b{1, at(1996, 2, 2, 9), at(1996, 2, 2, 10)};
    const TimeFrameRecord lastYear{0, at(1995, 2, 2, 9), at(1995, 2, 2, 10)};
    writeFrames({a, lastYear, b, a});
    auto dlg = open();
    ASSERT_EQ(dlg->model().rowCount(), 3);
    select(*dlg, {0, 1, 2});
    prompter.answers = {false};
    dlg->removeFrames();
    EXPECT_EQ(framesOnDisk().size(), 4u);
    EXPECT_EQ(dlg->selectedRows().size(), 3u);  // not reloaded
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "Confirmation");
    EXPECT_EQ(prompter.boxes[0].text, "Are you sure you want to remove the selected items?");
    EXPECT_TRUE(prompter.boxes[0].question);

    dlg->list()->setFocus();
    QTest::keyClick(dlg->list(), Qt::Key_Delete);
    EXPECT_EQ(framesOnDisk(), std::vector<TimeFrameRecord>{lastYear});
    EXPECT_EQ(dlg->model().rowCount(), 0);
}

TEST_F(HistoryDialog, AddAppendsTheChosenProjectsNewFrameAndEnterUpdates) {
    writeProjects({{"A", -1}, {"B", -1}});
    auto dlg = open();
    dlg->addFrame();  // chooser cancelled
    EXPECT_TRUE(ran.empty());
    chooserAnswer = 1;
    QString shownProject;
    onDialog = [&shownProject](QDialog& d) {
        auto& tf = dynamic_cast<CTimeFrameDlg&>(d);
        shownProject = tf.projectLabel()->text();
        EXPECT_EQ(tf.frame(), (TimeFrameRecord{1, *ql::calendar::fromLocal(1996, 12, 11, 10),
                                               *ql::calendar::fromLocal(1996, 12, 11, 10)}));
        tf.durationEdit()->setText(QStringLiteral("01:15"));
        tf.accept();
        return tf.result();
    };
    dlg->addFrame();
    EXPECT_EQ(shownProject, "B");
    EXPECT_EQ(framesOnDisk(), (std::vector<TimeFrameRecord>{{1, clock.now(), clock.now() + 4500}}));
    ASSERT_EQ(dlg->model().rowCount(), 1);
    EXPECT_EQ(dlg->model().text(0, 3), "01:15");

    select(*dlg, {0});
    acceptTimeFrameWith(QStringLiteral("00:45"));
    QTest::keyClick(dlg->list(), Qt::Key_Return);
    EXPECT_EQ(framesOnDisk(), (std::vector<TimeFrameRecord>{{1, clock.now(), clock.now() + 2700}}));
}

TEST_F(HistoryDialog, AConfirmedFilterChangesTheListAndACancelledOneNothing) {
    writeProjects({{"A", -1}, {"B", -1}});
    writeFrames({{0, at(1996, 12, 10, 9), at(1996, 12, 10, 10)},
                 {1, at(1996, 12, 11, 8), at(1996, 12, 11, 9)},
                 {0, at(1996, 12, 11, 9), at(1996, 12, 11, 10)}});
    auto dlg = open();
    ASSERT_EQ(dlg->model().rowCount(), 3);
    onDialog = [](QDialog& d) {
        auto& f = dynamic_cast<CHistoryFilterDlg&>(d);
        FilterUi(f).periodList->setCurrentIndex(3);  // Today
        return QDialog::Rejected;
    };
    dlg->changeFilter();
    EXPECT_EQ(dlg->model().rowCount(), 3);

    chooserAnswer = 0;
    onDialog = [](QDialog& d) {
        auto& f = dynamic_cast<CHistoryFilterDlg&>(d);
        FilterUi(f).singleRadio->click();
        f.selectProject();
        FilterUi(f).periodList->setCurrentIndex(3);
        FilterUi(f).saveCheck->setChecked(false);
        f.accept();
        return f.result();
    };
    dlg->changeFilter();
    EXPECT_EQ(dlg->filterProjectId(), 0);
    EXPECT_EQ(dlg->filterPeriod(), (ql::ReportPeriod{at(1996, 12, 11), at(1996, 12, 11, 23, 59, 59)}));
    EXPECT_EQ(column(*dlg, 2), std::vector<QString>{"09:00 AM"});
    EXPECT_FALSE(savedFilter().has_value());  // a later print uses the saved filter, still the default
}

}  // namespace
