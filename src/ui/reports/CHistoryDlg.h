#pragma once

#include "core/store/FileSet.h"

#include "core/reports/ReportPeriod.h"
#include "core/store/FileSystem.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class HistoryModel;
class Modal;
class Prompter;
class QLabel;
class QTreeView;
namespace ql {
class Clock;
}
namespace Ui {
class CHistoryDlg;
}

// History of charges: the time frames that pass the filter (saved in "his", else all
// projects this year), one row each, sorted by a column heading. Add, Update and Remove
// write the time frames file at once and reload the list from it; Filter changes the
// filter through the History Filter dialog. Print ends with Accepted, Exit with Rejected.
class CHistoryDlg : public QDialog {
    Q_OBJECT
public:

    // Picks a project (the project tree in choosing mode); nullopt on Cancel.
    using ProjectChooser = std::function<std::optional<std::int32_t>()>;

    // Reads the saved filter, loads and sorts the rows by project. Failures to read are
    // told through prompter and leave the list empty. The Time frame and History Filter
    // dialogs run through modal. set names the files read and written (kept as a copy).
    CHistoryDlg(ql::FileSystem& fs, Prompter& prompter, Modal& modal, const ql::Clock& clock,
                const ql::FileSet& set, ProjectChooser chooser, QWidget* parent = nullptr);
    ~CHistoryDlg() override;

    QTreeView* list() const;
    HistoryModel& model() const { return *m_model; }
    int sortColumn() const { return m_sortColumn; }
    std::int32_t filterProjectId() const { return m_filterProjectId; }
    const ql::ReportPeriod& filterPeriod() const { return m_filterPeriod; }
    // The selected rows, top first.
    std::vector<int> selectedRows() const;

    // Sorts ascending by column and remembers it for reloads.
    void sortByColumn(int column);
    // Add: a project from the chooser, then a new frame in the Time frame dialog.
    void addFrame();
    // Update: the top-most selected row in the Time frame dialog, rewritten in one step.
    void updateFrame();
    // Remove: after the question, every selected frame (and its identical copies) in one rewrite.
    void removeFrames();
    // Filter: the History Filter dialog; its filter applies when it ends with OK.
    void changeFilter();
    // Reads the rows anew and sorts them by the remembered column.
    void reload();
    // Fills the Invoice column from the register of issued invoices.
    void showInvoices();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool monthFirst() const;
    QString projectNameOf(std::int32_t projectId) const;
    void report(const ql::Message& message);

    std::unique_ptr<Ui::CHistoryDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    Modal& m_modal;
    const ql::Clock& m_clock;
    ql::FileSet m_set;
    ProjectChooser m_chooser;
    HistoryModel* m_model;
    // Why the list is empty, when the filter names a deleted project; hidden otherwise.
    QLabel* m_emptyNote = nullptr;
    int m_sortColumn = 0;
    std::int32_t m_filterProjectId = -1;
    ql::ReportPeriod m_filterPeriod;
};
