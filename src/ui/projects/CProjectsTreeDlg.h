#pragma once

#include "core/projects/ProjectTree.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/RecordFile.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class HelpService;
class Prompter;
class ProjectTreeWidget;
class QAction;
class QMenu;
class QTreeWidgetItem;
namespace Ui {
class CProjectsTreeDlg;
}

// The project tree: creates, updates, renames, moves and deletes projects in memory and
// writes the whole projects file, crash-safely, on OK; Cancel writes nothing. In choosing
// mode it is the project picker of other commands.
class CProjectsTreeDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Edit, Choosing };
    // Command ids of the context menus' actions (QAction::data()).
    enum Command : int {
        kCreateProject = 32772,
        kCreateSubProject = 32773,
        kUpdateProject = 32774,
        kDeleteProject = 32775,
        kWhatsThis = 32776,
    };
    static constexpr int kHelpContext = 700;

    // Edits one project's record; true when the user confirmed, record then holding the edits.
    using ProjectEditor = std::function<bool(ql::ProjectRecord& record)>;

    // Reads the projects file of set (kept as a copy) once. A failure is reported through prompter
    // and leaves the tree empty; help may be null (What's This then does nothing).
    CProjectsTreeDlg(ql::FileSystem& fs, Prompter& prompter, HelpService* help, const ql::FileSet& set,
                     Mode mode, QWidget* parent = nullptr);
    ~CProjectsTreeDlg() override;

    // Ids that something outside the files still refers to (the running projects): new
    // projects get ids above them.
    void reserveProjectIds(const std::vector<std::int32_t>& idsInUse);
    // Replaces the project information dialog that edits created and updated projects.
    void setProjectEditor(ProjectEditor editor);
    // After OK in choosing mode, the id of the chosen project; nullopt otherwise.
    std::optional<std::int32_t> chosenProjectId() const { return m_chosenProjectId; }
    // The projects as held now, in the order OK writes them.
    const ql::ProjectTree& projects() const { return m_projects; }
    ProjectTreeWidget* tree() const;
    // The item showing a project, or nullptr.
    QTreeWidgetItem* itemOf(ql::ProjectTree::Handle h) const;
    // The project an item shows; nullopt for nullptr.
    std::optional<ql::ProjectTree::Handle> handleOf(const QTreeWidgetItem* item) const;

public slots:
    // OK: in choosing mode takes the selected project (refused without one), then writes
    // the projects file; the dialog stays open when anything fails.
    void accept() override;

private:
    void load();
    QAction* addCommand(Command id, const QString& text, void (CProjectsTreeDlg::*handler)());
    void showContextMenu(QTreeWidgetItem* item, const QPoint& globalPos);
    void createProject();
    void createSubProject();
    void updateProject();
    void deleteProject();
    void showHelp();
    void create(std::optional<ql::ProjectTree::Handle> parent, const QString& label);
    void edit(ql::ProjectTree::Handle h);
    std::optional<ql::ProjectTree::Handle> target() const;
    void setLabel(QTreeWidgetItem* item, const std::string& name);
    QTreeWidgetItem* makeItem(ql::ProjectTree::Handle h);
    void onDoubleClicked(QTreeWidgetItem* item);
    void onItemChanged(QTreeWidgetItem* item);
    void onDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

    std::unique_ptr<Ui::CProjectsTreeDlg> m_ui;
    ql::FileSystem& m_fs;
    Prompter& m_prompter;
    HelpService* m_help;
    ql::FileSet m_set;
    Mode m_mode;
    ProjectEditor m_editor;
    ql::ProjectTree m_projects;
    std::unordered_map<ql::ProjectTree::Handle, QTreeWidgetItem*> m_items;
    // The project last right-clicked or double-clicked: what the menu commands act on.
    std::optional<ql::ProjectTree::Handle> m_target;
    std::optional<std::int32_t> m_chosenProjectId;
    // A projects file that exists but could not be read must not be replaced by the tree.
    bool m_fileUnreadable = false;
    // What the file held when the tree was loaded: OK refuses to overwrite anyone's change since.
    ql::RecordFileVersion m_loadedVersion;
    bool m_settingLabel = false;
    QMenu* m_treeMenu = nullptr;
    QMenu* m_projectMenu = nullptr;
};
