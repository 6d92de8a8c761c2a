#include "ui/app/ShellFixture.h"

#include "ui/CommandHarness.h"
#include "ui/TempFileSet.h"
#include "ui/analysis/AnalysisCommands.h"
#include "ui/common/CommandIds.h"
#include "ui/customers/CustomerCommands.h"
#include "ui/projects/ProjectCommands.h"
#include "ui/reports/ReportCommands.h"
#include "ui/settings/SettingsCommands.h"

#include <QAction>

namespace {

class CommandTable : public ShellTest {};

// The application's table: each data command's action opens that command's dialog.
TEST_F(CommandTable, EachDataCommandOpensItsOwnDialogOnTheOpenSet) {
    auto app = startApp(makeFileSet(QStringLiteral("Work.qlr")));
    const std::pair<int, const char*> cases[] = {
        {cmd::kEditProjects, "CProjectsTreeDlg"}, {cmd::kEditCustomers, "CCustomersDlg"},
        {cmd::kPieChart, "CPieChartDlg"},         {cmd::kHistory, "CHistoryDlg"},
        {cmd::kInvoice, "CNewInvoiceDlg"},        {cmd::kExport, "CExportDlg"},
        {cmd::kProperties, "CPropertiesSheet"},
    };
    for (const auto& [id, dialog] : cases) {
        ranDialogs.clear();
        app->frame().action(id)->trigger();
        EXPECT_EQ(ranDialogs, std::vector<QString>{QLatin1String(dialog)}) << id;
    }
}

// The commands that need an open set do nothing at all without one (their actions are
// disabled then, but the tray and shortcuts reach the same functions).
TEST(CommandsWithoutAnOpenSet, OpenNoDialogAndSendNoHint) {
    const std::pair<const char*, Command> commands[] = {
        {"editProjects", editProjects}, {"editCustomers", editCustomers}, {"pieChart", pieChart},
        {"exportData", exportData},     {"history", history},             {"invoice", invoice},
        {"editProperties", editProperties},
    };
    for (const auto& [name, command] : commands) {
        TempFileSet set;
        CommandHarness harness(set.settingsPath());
        harness.document.open = false;
        harness.modal.answerDialog = [](QDialog&) { return int(QDialog::Rejected); };
        command(harness.context());
        EXPECT_TRUE(harness.modal.dialogsRun.empty()) << name;
        EXPECT_TRUE(harness.document.hints.empty()) << name;
        EXPECT_TRUE(harness.prompter.boxes.empty()) << name;
    }
}

}  // namespace
