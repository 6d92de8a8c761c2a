#include "ui/analysis/AnalysisCommands.h"

#include "ui/analysis/CExportDlg.h"
#include "ui/analysis/CPieChartDlg.h"
#include "ui/common/LocaleFacts.h"

void showPieChart(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock,
                  const QString& settingsPath, const AnalysisDialogRunner& run) {
    CPieChartDlg dialog(fs, prompter, clock, settingsPath, localeFacts().monthFirst, parent);
    run(dialog);
}

void exportData(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const QString& settingsPath,
                const AnalysisDialogRunner& run) {
    CExportDlg dialog(fs, prompter, settingsPath, localeFacts().monthFirst, parent);
    run(dialog);
}
