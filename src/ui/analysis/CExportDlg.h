#pragma once

#include "core/analysis/ExportWriter.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "ui/common/ProgressWindow.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class Prompter;
namespace Ui {
class CExportDlg;
}

// Export: the time frames of a period, of one project or all, as a tab-separated text file.
// The file is written through a temporary file and renamed, so a failed export never
// replaces or truncates what was there; every failure is said and the dialog stays open.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kDefaultFileName = "QLExport.txt";
    static constexpr const char* kSuccess = QT_TRANSLATE_NOOP("CExportDlg", "File created with success.");

    // Asks where to save, starting from initialName; the full path, or empty when cancelled.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& initialName)>;

    // set: the document's file set (kept as a copy). localeMonthFirst orders the dates when the
    // settings file cannot be read. Reads the settings and the projects file.
    CExportDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set, bool localeMonthFirst,
               QWidget* parent = nullptr);
    ~CExportDlg() override;

    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    // The progress of writing the export (a ProgressWindow over the dialog when not set).
    void setProgressFactory(ProgressFactory progress) { m_progress = std::move(progress); }
    // The export file as static 1052 shows it.
    QString exportPath() const;

    // The production chooser: the save-file dialog with suffix "txt", the filter
    // "QL Export Files (*.txt)", asking before overwriting.
    static QString chooseExportFile(QWidget* parent, const QString& initialName);

public slots:
    void accept() override;

private:
    void onFileButton();
    bool monthFirst() const;
    // Writes the export through a temporary file; the text to show when it failed, else empty.
    QString writeExportFile(const ql::ExportRequest& request, bool& stopped);

    std::unique_ptr<Ui::CExportDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    ql::FileSet m_set;
    bool m_localeMonthFirst;
    SaveFileChooser m_chooseFile = &CExportDlg::chooseExportFile;
    ProgressFactory m_progress;
};
