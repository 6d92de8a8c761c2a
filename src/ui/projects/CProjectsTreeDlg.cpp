#include "ui/projects/CProjectsTreeDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CProjectsTreeDlg.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/common/HelpService.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"
#include "ui/projects/CProjectInfoDlg.h"
#include "ui/projects/ProjectTreeWidget.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

#include <vector>

namespace {

const QString kCaption = QStringLiteral("Quillory");
const char* const kNewProject = QT_TRANSLATE_NOOP("CProjectsTreeDlg", "New project");
const char* const kNewSubProject = QT_TRANSLATE_NOOP("CProjectsTreeDlg", "New sub-project");

void collectExpansion(QTreeWidgetItem* item, std::vector<std::pair<QTreeWidgetItem*, bool>>& out) {
    out.emplace_back(item, item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i) collectExpansion(item->child(i), out);
}

}  // namespace

CProjectsTreeDlg::CProjectsTreeDlg(ql::FileSystem& fs, Prompter& prompter, HelpService* help,
                                   const ql::FileSet& set, Mode mode, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CProjectsTreeDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_help(help),
      m_set(set),
      m_mode(mode) {
    m_ui->setupUi(this);
    if (m_mode == Mode::Choosing)
        m_ui->noteLabel->setText(
            tr("HINT: Double-click on one project's label to select it and close this window."));

    m_editor = [this](ql::ProjectRecord& record) {
        CProjectInfoDlg dlg(m_fs, m_prompter, m_set, record, this);
        if (dlg.exec() != QDialog::Accepted) return false;
        record = dlg.record();
        return true;
    };

    m_treeMenu = new QMenu(this);
    m_treeMenu->setObjectName(QStringLiteral("treeMenu"));
    m_projectMenu = new QMenu(this);
    m_projectMenu->setObjectName(QStringLiteral("projectMenu"));
    QAction* create = addCommand(kCreateProject, tr("&Create a new project"), &CProjectsTreeDlg::createProject);
    QAction* createSub = addCommand(kCreateSubProject, tr("Create a &sub-project"),
                                    &CProjectsTreeDlg::createSubProject);
    QAction* update = addCommand(kUpdateProject, tr("&Update this project"), &CProjectsTreeDlg::updateProject);
    QAction* remove = addCommand(kDeleteProject, tr("&Delete this project"), &CProjectsTreeDlg::deleteProject);
    QAction* whatsThis = addCommand(kWhatsThis, tr("&What's This?"), &CProjectsTreeDlg::showHelp);
    m_treeMenu->addAction(create);
    m_treeMenu->addSeparator();
    m_treeMenu->addAction(whatsThis);
    m_projectMenu->addAction(create);
    m_projectMenu->addSeparator();
    m_projectMenu->addAction(createSub);
    m_projectMenu->addSeparator();
    m_projectMenu->addAction(update);
    m_projectMenu->addAction(remove);
    m_projectMenu->addSeparator();
    m_projectMenu->addAction(whatsThis);

    ProjectTreeWidget* tree = m_ui->projectTree;
    tree->setExpandsOnDoubleClick(false);
    connect(tree, &ProjectTreeWidget::contextMenuAsked, this, &CProjectsTreeDlg::showContextMenu);
    connect(tree, &ProjectTreeWidget::labelDoubleClicked, this, &CProjectsTreeDlg::onDoubleClicked);
    connect(tree, &QTreeWidget::itemChanged, this, &CProjectsTreeDlg::onItemChanged);
    connect(tree, &ProjectTreeWidget::itemDropped, this, &CProjectsTreeDlg::onDropped);
    // The keyboard's way to the delete command; the menu key opens the menus themselves.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, tree, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        if (m_mode != Mode::Edit || m_ui->projectTree->isEditingLabel()) return;
        m_target = handleOf(m_ui->projectTree->currentItem());
        deleteProject();
    });
    connect(m_ui->okButton, &QPushButton::clicked, this, &CProjectsTreeDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CProjectsTreeDlg::reject);

    load();
    tree->setFocus();
}

CProjectsTreeDlg::~CProjectsTreeDlg() = default;

void CProjectsTreeDlg::setProjectEditor(ProjectEditor editor) {
    m_editor = std::move(editor);
}

ProjectTreeWidget* CProjectsTreeDlg::tree() const {
    return m_ui->projectTree;
}

QAction* CProjectsTreeDlg::addCommand(Command id, const QString& text, void (CProjectsTreeDlg::*handler)()) {
    auto* action = new QAction(text, this);
    action->setData(static_cast<int>(id));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QTreeWidgetItem* CProjectsTreeDlg::itemOf(ql::ProjectTree::Handle h) const {
    const auto it = m_items.find(h);
    return it == m_items.end() ? nullptr : it->second;
}

std::optional<ql::ProjectTree::Handle> CProjectsTreeDlg::handleOf(const QTreeWidgetItem* item) const {
    if (!item) return std::nullopt;
    return item->data(0, Qt::UserRole).value<ql::ProjectTree::Handle>();
}

QTreeWidgetItem* CProjectsTreeDlg::makeItem(ql::ProjectTree::Handle h) {
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                   Qt::ItemIsDropEnabled);
    item->setText(0, fromRecordText(m_projects.record(h).name));
    item->setData(0, Qt::UserRole, QVariant::fromValue(h));
    m_items[h] = item;
    return item;
}

void CProjectsTreeDlg::reserveProjectIds(const std::vector<std::int32_t>& idsInUse) {
    for (const std::int32_t id : idsInUse) m_projects.reserveIdsThrough(id);
}

void CProjectsTreeDlg::load() {
    const std::string& path = m_set.projects();
    auto snapshot = ql::loadProjectsSnapshot(m_fs, path);
    if (!snapshot) {
        m_fileUnreadable = m_fs.exists(path);
        m_prompter.inform(kCaption, coreText(snapshot.status()));
        return;
    }
    m_loadedVersion = snapshot->version;
    m_projects = ql::ProjectTree(std::move(snapshot->records));
    // Frames of deleted projects keep their ids: a new project must not inherit them.
    const auto inFrames = ql::highestProjectIdInFrames(m_fs, m_set.timeFrames());
    if (inFrames)
        m_projects.reserveIdsThrough(*inFrames);
    else
        m_prompter.inform(kCaption, coreText(inFrames.status()));

    // Items are built detached and added in one step: thousands of projects open at once.
    QList<QTreeWidgetItem*> roots;
    std::vector<std::pair<std::optional<ql::ProjectTree::Handle>, QTreeWidgetItem*>> pending{{std::nullopt, nullptr}};
    while (!pending.empty()) {
        const auto [parent, parentItem] = pending.back();
        pending.pop_back();
        for (ql::ProjectTree::Handle child : m_projects.children(parent)) {
            QTreeWidgetItem* item = makeItem(child);
            if (parentItem)
                parentItem->addChild(item);
            else
                roots.append(item);
            if (!m_projects.children(child).empty()) pending.emplace_back(child, item);
        }
    }
    ProjectTreeWidget* tree = m_ui->projectTree;
    tree->addTopLevelItems(roots);
    tree->expandAll();
    if (!m_projects.order().empty()) {
        QTreeWidgetItem* last = itemOf(m_projects.order().back());
        tree->setCurrentItem(last);
        tree->scrollToItem(last);
    }
}

void CProjectsTreeDlg::showContextMenu(QTreeWidgetItem* item, const QPoint& globalPos) {
    if (m_mode == Mode::Choosing || m_ui->projectTree->isEditingLabel()) return;
    if (item) m_target = handleOf(item);
    (item ? m_projectMenu : m_treeMenu)->popup(globalPos);
}

std::optional<ql::ProjectTree::Handle> CProjectsTreeDlg::target() const {
    if (m_target && m_projects.contains(*m_target)) return m_target;
    return std::nullopt;
}

void CProjectsTreeDlg::createProject() {
    create(std::nullopt, tr(kNewProject));
}

void CProjectsTreeDlg::createSubProject() {
    if (const auto parent = target()) create(parent, tr(kNewSubProject));
}

void CProjectsTreeDlg::updateProject() {
    if (const auto h = target()) edit(*h);
}

void CProjectsTreeDlg::deleteProject() {
    const auto h = target();
    if (!h) return;
    if (!m_prompter.ask(tr("Delete Confirmation"),
                        tr("Are you sure you want to delete the selected project and all its sub-projects?")))
        return;
    QTreeWidgetItem* item = itemOf(*h);
    for (ql::ProjectTree::Handle gone : m_projects.remove(*h)) m_items.erase(gone);
    delete item;  // takes the items below it along
    m_target.reset();
}

void CProjectsTreeDlg::showHelp() {
    if (m_help) m_help->showTopic(kHelpContext);
}

void CProjectsTreeDlg::create(std::optional<ql::ProjectTree::Handle> parent, const QString& label) {
    const ql::ProjectTree::Handle h = m_projects.create(parent, label.toStdString());
    QTreeWidgetItem* item = makeItem(h);
    ProjectTreeWidget* tree = m_ui->projectTree;
    if (parent) {
        QTreeWidgetItem* parentItem = itemOf(*parent);
        parentItem->addChild(item);
        parentItem->setExpanded(true);
    } else {
        tree->addTopLevelItem(item);
    }
    tree->scrollToItem(item);
    tree->setCurrentItem(item);
    // The project stays whatever the information dialog returns, with its defaults if cancelled.
    edit(h);
}

void CProjectsTreeDlg::edit(ql::ProjectTree::Handle h) {
    ql::ProjectRecord record = m_projects.record(h);
    if (m_editor && m_editor(record)) m_projects.updateUserFields(h, record);
    setLabel(itemOf(h), m_projects.record(h).name);
}

void CProjectsTreeDlg::setLabel(QTreeWidgetItem* item, const std::string& name) {
    m_settingLabel = true;
    item->setText(0, fromRecordText(name));
    m_settingLabel = false;
}

void CProjectsTreeDlg::onDoubleClicked(QTreeWidgetItem* item) {
    if (!item || m_ui->projectTree->isEditingLabel()) return;
    m_target = handleOf(item);
    if (m_mode == Mode::Edit) {
        updateProject();
    } else {
        m_ui->projectTree->setCurrentItem(item);
        accept();
    }
}

// The end of an in-place label edit.
void CProjectsTreeDlg::onItemChanged(QTreeWidgetItem* item) {
    if (m_settingLabel) return;
    const auto h = handleOf(item);
    if (!h || !m_projects.contains(*h)) return;
    const QString text = item->text(0);
    // An empty label would leave an item nobody can see or click: the old name stays.
    if (!text.trimmed().isEmpty()) m_projects.rename(*h, toRecordText(text, ql::ProjectRecord::kNameWidth));
    setLabel(item, m_projects.record(*h).name);
}

void CProjectsTreeDlg::onDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    const auto from = handleOf(dragged);
    const auto onto = handleOf(target);
    if (!from || !onto || !m_projects.move(*from, *onto)) return;

    ProjectTreeWidget* tree = m_ui->projectTree;
    std::vector<std::pair<QTreeWidgetItem*, bool>> expansion;
    collectExpansion(dragged, expansion);
    if (QTreeWidgetItem* oldParent = dragged->parent())
        oldParent->takeChild(oldParent->indexOfChild(dragged));
    else
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(dragged));
    if (QTreeWidgetItem* newParent = target->parent())
        newParent->insertChild(newParent->indexOfChild(target) + 1, dragged);
    else
        tree->insertTopLevelItem(tree->indexOfTopLevelItem(target) + 1, dragged);
    for (const auto& [item, expanded] : expansion) item->setExpanded(expanded);
    tree->setCurrentItem(dragged);
    tree->scrollToItem(dragged);
}

void CProjectsTreeDlg::accept() {
    std::optional<std::int32_t> chosen;
    if (m_mode == Mode::Choosing) {
        const auto selected = m_ui->projectTree->selectedItems();
        const auto h = selected.isEmpty() ? std::nullopt : handleOf(selected.front());
        if (!h) {
            m_prompter.inform(tr("No selection"),
                              tr("You must select a project before validating by OK."));
            return;
        }
        chosen = m_projects.record(*h).id;
    }
    const std::string& path = m_set.projects();
    if (m_fileUnreadable) {
        m_prompter.inform(kCaption, coreText(ql::projectFileMessage(path)));
        return;
    }
    const ql::Status written = ql::writeProjects(m_fs, path, m_projects.records(), m_loadedVersion);
    if (!written) {
        m_prompter.inform(kCaption, coreText(written));
        return;
    }
    m_chosenProjectId = chosen;
    QDialog::accept();
}
