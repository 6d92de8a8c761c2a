#pragma once

#include <QString>

#include <functional>

class Prompter;
class QDialog;
class QWidget;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql

// Runs a modal dialog and returns its result (QDialog::exec in production).
using AnalysisDialogRunner = std::function<int(QDialog&)>;

// Projects Pie Chart on the file set of settingsPath.
void showPieChart(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock,
                  const QString& settingsPath, const AnalysisDialogRunner& run);

// Export on the file set of settingsPath.
void exportData(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const QString& settingsPath,
                const AnalysisDialogRunner& run);
