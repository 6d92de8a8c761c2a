#include "ui/app/ShellFixture.h"

#include "print/PageSource.h"
#include "ui/app/CTessalyView.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/common/CommandIds.h"
#include "ui/reports/CHistoryDlg.h"

#include <QAction>
#include <QSignalSpy>

namespace {

class HistoryCommand : public ShellTest {};

TEST_F(HistoryCommand, OpensTheHistoryAndRefreshesTheViewAfterwardsPrintFirst) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    QAction* history = app->frame().action(cmd::kHistory);
    EXPECT_EQ(history->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&previews](QPrinter&, PageSource&) { ++previews; });
    int result = QDialog::Rejected;
    modal.answerDialog = [&](QDialog& dialog) {
        ranDialogs.push_back(dialog.metaObject()->className());
        return result;
    };
    history->trigger();
    ASSERT_EQ(ranDialogs, std::vector<QString>{"CHistoryDlg"});
    ASSERT_EQ(hints.count(), 2);
    EXPECT_EQ(hints.at(0).at(0).toInt(), hint::kTotals);
    EXPECT_EQ(hints.at(1).at(0).toInt(), hint::kWeekChart);
    EXPECT_EQ(previews, 0);

    result = QDialog::Accepted;  // ended by Print
    history->trigger();
    ASSERT_EQ(hints.count(), 5);
    EXPECT_EQ(hints.at(2).at(0).toInt(), hint::kPrintHistory);
    EXPECT_EQ(hints.at(3).at(0).toInt(), hint::kTotals);
    EXPECT_EQ(hints.at(4).at(0).toInt(), hint::kWeekChart);
    EXPECT_EQ(previews, 1);
}

}  // namespace
