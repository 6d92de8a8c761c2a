#include "ui/customers/CustomerCommands.h"

#include "ui/CommandHarness.h"
#include "ui/ModalDriver.h"
#include "ui/TempFileSet.h"
#include "ui/common/CommandIds.h"
#include "ui/customers/CCustomersDlg.h"

#include <QPushButton>
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

}  // namespace
