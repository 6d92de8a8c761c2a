#include "ui/analysis/AnalysisCommands.h"

#include "ui/analysis/CExportDlg.h"
#include "ui/analysis/CPieChartDlg.h"
#include "ui/common/LocaleFacts.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"

#include "core/Progress.h"

void pieChart(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    Modal& modal = context.modal;
    CPieChartDlg dialog(context.fileSystem, context.prompter, context.clock, context.document.fileSet(),
                        localeFacts().monthFirst, context.parent,
                        [&modal](QWidget* over, const QString& label) { return modal.progress(over, label); });
    context.modal.runDialog(dialog);
}

void exportData(const CommandContext& context) {
    if (!context.document.fileSetOpen()) return;
    CExportDlg dialog(context.fileSystem, context.prompter, context.document.fileSet(), localeFacts().monthFirst,
                      context.parent);
    Modal& modal = context.modal;
    dialog.setProgressFactory([&modal](QWidget* over, const QString& label) { return modal.progress(over, label); });
    context.modal.runDialog(dialog);
}
