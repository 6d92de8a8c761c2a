#include "ui/projects/ProjectCommands.h"

#include "core/store/FileSet.h"
#include "ui/projects/CProjectsTreeDlg.h"

namespace {

QString projectsPathOf(const QString& settingsPath) {
    return QString::fromStdString(ql::fileSetPath(settingsPath.toStdString(), ql::FileKind::Projects));
}

}  // namespace

void editProjects(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, HelpService* help,
                  const QString& settingsPath, const std::vector<std::int32_t>& runningIds) {
    CProjectsTreeDlg dlg(fs, prompter, help, projectsPathOf(settingsPath), CProjectsTreeDlg::Mode::Edit, parent);
    dlg.reserveProjectIds(runningIds);
    dlg.exec();
}

std::optional<std::int32_t> chooseProject(QWidget* parent, ql::FileSystem& fs, Prompter& prompter,
                                          HelpService* help, const QString& settingsPath,
                                          const std::vector<std::int32_t>& runningIds) {
    CProjectsTreeDlg dlg(fs, prompter, help, projectsPathOf(settingsPath), CProjectsTreeDlg::Mode::Choosing, parent);
    dlg.reserveProjectIds(runningIds);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.chosenProjectId();
}
