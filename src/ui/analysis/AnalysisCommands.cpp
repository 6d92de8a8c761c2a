#include "ui/analysis/AnalysisCommands.h"

#include "ui/analysis/CExportDlg.h"
#include "ui/analysis/CPieChartDlg.h"
#include "ui/common/LocaleFacts.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"

void pieChart(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    CPieChartDlg dialog(context.fileSystem, context.prompter, context.clock, context.document.fileSet(),
                        localeFacts().monthFirst, context.parent);
    context.modal.runDialog(dialog);
}

void exportData(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    CExportDlg dialog(context.fileSystem, context.prompter, context.document.fileSet(), localeFacts().monthFirst,
                      context.parent);
    context.modal.runDialog(dialog);
}
