#include "ui/customers/CustomerCommands.h"

#include "ui/ModalDriver.h"
#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"
#include "ui/customers/CCustomersDlg.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

bool runAndPress(const char* button) {
    TempFileSet set;
    RecordingPrompter prompter;
    whenModalOpens<CCustomersDlg>([button](CCustomersDlg& dlg) {
        dlg.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
    const bool printAsked =
        editCustomers(nullptr, ql::defaultFileSystem(), prompter, QString::fromStdString(set.settingsPath()));
    EXPECT_TRUE(prompter.boxes.empty());
    return printAsked;
}

TEST(CustomerCommands, EditCustomersReportsWhetherPrintWasAsked) {
    EXPECT_TRUE(runAndPress("printButton"));
    EXPECT_FALSE(runAndPress("exitButton"));
}

}  // namespace
