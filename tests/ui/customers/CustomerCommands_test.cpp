#include "ui/customers/CustomerCommands.h"

#include "core/store/Customers.h"

#include "print/PageSource.h"
#include "ui/reports/PrintDispatch.h"
#include "ui/app/ShellFixture.h"
#include "ui/CommandHarness.h"
#include "ui/ModalDriver.h"
#include "ui/TempFileSet.h"
#include "ui/common/CommandIds.h"
#include "ui/customers/CCustomersDlg.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

bool runAndPress(const char* button) {
    TempFileSet set;
    CommandHarness harness(set.settingsPath());
    whenModalOpens<CCustomersDlg>([button](CCustomersDlg& dlg) {
        dlg.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
    editCustomers(harness.context());
    const bool printAsked = harness.document.hints == std::vector<int>{hint::kPrintCustomers};
    EXPECT_TRUE(harness.prompter.boxes.empty());
    return printAsked;
}

TEST(CustomerCommands, EditCustomersReportsWhetherPrintWasAsked) {
    EXPECT_TRUE(runAndPress("printButton"));
    EXPECT_FALSE(runAndPress("exitButton"));
}

// The command as the window runs it.
class EditCustomersCommand : public ShellTest {};

TEST_F(EditCustomersCommand, PrintInTheCustomerListAsksForThePrintedList) {
    const QString set = makeFileSet(QStringLiteral("Work.qlr"));
    ql::CustomerRecord acme;
    acme.id = 0;
    acme.name = "Acme";
    ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), acme, ql::FileSet(set.toStdString())));
    auto app = startApp(set);
    QSignalSpy hints(&app->document(), &CTessalyDoc::updateHint);
    int previews = 0;
    app->printDispatch().setPreviewRunner([&previews](QPrinter&, PageSource&) { ++previews; });
    QString opened;
    modal.answerDialog = [&opened](QDialog& dialog) {
        opened = QString::fromLatin1(dialog.metaObject()->className());
        dialog.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
        return dialog.result();
    };
    app->frame().action(cmd::kEditCustomers)->trigger();
    EXPECT_EQ(opened, QStringLiteral("CCustomersDlg"));
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toInt(), hint::kPrintCustomers);
    EXPECT_EQ(previews, 1);

    // Exit prints nothing.
    modal.answerDialog = [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("exitButton"))->click();
        return dialog.result();
    };
    app->frame().action(cmd::kEditCustomers)->trigger();
    EXPECT_EQ(hints.count(), 1);
    EXPECT_EQ(previews, 1);
}

}  // namespace
