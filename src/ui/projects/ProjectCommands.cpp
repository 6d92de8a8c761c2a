#include "ui/projects/ProjectCommands.h"

#include "ui/common/CommandIds.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/projects/CProjectsTreeDlg.h"

namespace {

std::optional<std::int32_t> runTree(const CommandContext& context, CProjectsTreeDlg::Mode mode) {
    CProjectsTreeDlg dlg(context.fileSystem, context.prompter, &context.help,
                         context.document.fileSet(), mode, context.parent);
    dlg.reserveProjectIds(context.document.running().runningIds());
    if (context.modal.runDialog(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.chosenProjectId();
}

}  // namespace

void editProjects(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    (void)runTree(context, CProjectsTreeDlg::Mode::Edit);
    context.document.notifyViews(hint::kTotals);
    context.document.notifyViews(hint::kWeekChart);
}

std::optional<std::int32_t> chooseProject(const CommandContext& context) {
    return runTree(context, CProjectsTreeDlg::Mode::Choosing);
}
