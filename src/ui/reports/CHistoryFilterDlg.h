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

class Prompter;
namespace ql {
class Clock;
}
namespace Ui {
class CHistoryFilterDlg;
}

// History Filter: all projects or one, and a reporting period. Opens with the saved filter
// ("his", its defaults when missing) and "Save settings" checked; OK resolves the period
// and, with "Save settings" checked, saves the filter crash-safely. A failed save is told
// and the filter is still given to the caller.
class CHistoryFilterDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kNoProjectSelected =
        QT_TRANSLATE_NOOP("CHistoryFilterDlg", "No single project selected. Please click the 'Select' button.");

    // Picks a project (the project tree in choosing mode); nullopt on Cancel.
    using ProjectChooser = std::function<std::optional<std::int32_t>()>;

    // set names the filter, projects and settings files (kept as a copy).
    CHistoryFilterDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                      ProjectChooser chooser, QWidget* parent = nullptr);
    ~CHistoryFilterDlg() override;

    // After OK: -1 for all projects, else the chosen project; the resolved period.
    std::int32_t filterProjectId() const { return m_filterProjectId; }
    std::int32_t filterStart() const { return m_period.start; }
    std::int32_t filterEnd() const { return m_period.end; }


    // "Select :": runs the chooser; a chosen project becomes the filter's.
    void selectProject();
    // Period list, "All" and "Single Project": resets the period fields, forgets the project
    // under "All", enables "Select :" and shows the project's full name root first.
    void RefreshFilterControls();

public slots:
    void accept() override;

private:
    bool monthFirst() const;

    std::unique_ptr<Ui::CHistoryFilterDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    const ql::Clock& m_clock;
    ql::FileSet m_set;
    ProjectChooser m_chooser;
    std::int32_t m_filterProjectId = -1;
    ql::ReportPeriod m_period;
};
