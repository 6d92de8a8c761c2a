#include "ui/projects/CProjectsTreeDlg.h"

#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"
#include "ui/TypeText.h"
#include "core/store/Projects.h"
#include "ui/common/HelpService.h"
#include "ui/projects/ProjectTreeWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Mode = CProjectsTreeDlg::Mode;

class RecordingHelp final : public HelpService {
public:
    void showTopic(int context) override { contexts.push_back(context); }
    std::vector<int> contexts;
};

ql::ProjectRecord project(std::int32_t id, std::int32_t parentId, const std::string& name) {
    ql::ProjectRecord r;
    r.id = id;
    r.parentId = parentId;
    r.name = name;
    r.customerId = 2;
    r.chargesPerHour = 40.0 + id;
    r.memo = "notes of " + name;
    return r;
}

// The labels as nested text, e.g. "A(B,C(D)),E".
QString shapeOf(const QList<QTreeWidgetItem*>& items) {
    QStringList parts;
    for (const QTreeWidgetItem* item : items) {
        QString part = item->text(0);
        QList<QTreeWidgetItem*> children;
        for (int i = 0; i < item->childCount(); ++i) children.append(item->child(i));
        if (!children.isEmpty()) part += QLatin1Char('(') + shapeOf(children) + QLatin1Char(')');
        parts << part;
    }
    return parts.join(QLatin1Char(','));
}

QString shapeOf(const QTreeWidget* tree) {
    QList<QTreeWidgetItem*> top;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) top.append(tree->topLevelItem(i));
    return shapeOf(top);
}

QTreeWidgetItem* findItem(const QTreeWidget* tree, const QString& label) {
    const auto found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << label.toStdString();
    return found.value(0);
}

// A point on an item's label: only there (or on its icon) does a click count on the item.
QPoint labelPoint(const QTreeWidget* tree, QTreeWidgetItem* item) {
    const QRect r = tree->visualItemRect(item);
    return {r.left() + 6, r.center().y()};
}

// A user's double-click: press and release, then the double-click press and its release.
void doubleClick(QWidget* widget, const QPoint& pos) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
}

QAction* commandAction(QMenu* menu, int id) {
    for (QAction* a : menu->actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

class ProjectsTree : public ::testing::Test {
protected:
    std::string projectsFile() const { return m_set.path(ql::FileKind::Projects); }
    void writeFile(const std::vector<ql::ProjectRecord>& records) {
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), projectsFile(), records));
    }
    std::vector<ql::ProjectRecord> readFile() {
        auto records = ql::loadProjects(ql::defaultFileSystem(), projectsFile());
        EXPECT_TRUE(records.isOk());
        return records ? records.value() : std::vector<ql::ProjectRecord>{};
    }
    std::unique_ptr<CProjectsTreeDlg> open(Mode mode, ql::FileSystem* fs = nullptr) {
        auto dlg = std::make_unique<CProjectsTreeDlg>(fs ? *fs : ql::defaultFileSystem(), m_prompter, &m_help,
                                                      m_set.fileSet(), mode);
        dlg->setProjectEditor([this](ql::ProjectRecord& r) {
            m_edited.push_back(r);
            if (!m_editorAnswer) return false;
            r.name = m_editorName.empty() ? r.name : m_editorName;
            r.chargesPerHour = 99.5;
            return true;
        });
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }
    // Right-clicks the tree at pos (viewport coordinates); the menu shown, or nullptr.
    QMenu* rightClick(CProjectsTreeDlg& dlg, const QPoint& pos) {
        QWidget* viewport = dlg.tree()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
        QApplication::sendEvent(viewport, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    void runCommand(CProjectsTreeDlg& dlg, QTreeWidgetItem* item, int id) {
        const QPoint pos = item ? labelPoint(dlg.tree(), item) : QPoint(5, dlg.tree()->viewport()->height() - 5);
        QMenu* menu = rightClick(dlg, pos);
        ASSERT_NE(menu, nullptr);
        QAction* action = commandAction(menu, id);
        ASSERT_NE(action, nullptr);
        menu->close();
        action->trigger();
    }
    void drop(CProjectsTreeDlg& dlg, QTreeWidgetItem* dragged, const QPoint& at) {
        ProjectTreeWidget* tree = dlg.tree();
        std::unique_ptr<QMimeData> mime(tree->dragData(dragged));
        QDragEnterEvent enter(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &move);
        QDropEvent dropEvent(QPointF(at), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &dropEvent);
    }

    TempFileSet m_set;
    RecordingPrompter m_prompter;
    RecordingHelp m_help;
    std::vector<ql::ProjectRecord> m_edited;
    bool m_editorAnswer = false;
    std::string m_editorName;
};

TEST_F(ProjectsTree, AnEmptyFileOpensAnEmptyTreeAndOkWritesAnEmptyFile) {
    auto dlg = open(Mode::Edit);
    EXPECT_EQ(dlg->tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(m_prompter.boxes.empty());
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::exists(projectsFile()));
    EXPECT_EQ(std::filesystem::file_size(projectsFile()), 0u);
}

TEST_F(ProjectsTree, ChoosingWithoutASelectionIsRefusedAndStaysOpen) {
    auto dlg = open(Mode::Choosing);
    EXPECT_EQ(dlg->findChild<QLabel*>(QStringLiteral("noteLabel"))->text(),
              QStringLiteral("HINT: Double-click on one project's label to select it and close this window."));
    std::filesystem::remove(projectsFile());  // OK must not write anything here
    dlg->accept();
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].caption, QStringLiteral("No selection"));
    EXPECT_EQ(m_prompter.boxes[0].text, QStringLiteral("You must select a project before validating by OK."));
    EXPECT_EQ(m_prompter.boxes[0].icon, Prompter::Icon::Information);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->chosenProjectId().has_value());
    EXPECT_FALSE(std::filesystem::exists(projectsFile()));
}

TEST_F(ProjectsTree, LoadsEverythingExpandedWithTheLastProjectSelected) {
    writeFile({project(0, -1, "Client"), project(1, 0, "Site"), project(2, 7, "Orphan"), project(3, 1, "Design"),
               project(7, -1, "Later")});
    auto dlg = open(Mode::Edit);
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("Client(Site(Design)),Orphan,Later"));
    EXPECT_TRUE(findItem(dlg->tree(), QStringLiteral("Client"))->isExpanded());
    EXPECT_TRUE(findItem(dlg->tree(), QStringLiteral("Site"))->isExpanded());
    ASSERT_EQ(dlg->tree()->selectedItems().size(), 1);
    EXPECT_EQ(dlg->tree()->selectedItems().front()->text(0), QStringLiteral("Later"));
    dlg->accept();
    EXPECT_EQ(readFile()[2], project(2, 7, "Orphan"));  // shown at the top, written back as it was
}

TEST_F(ProjectsTree, TheMenusOfferTheirCommandsAndTheFirstProjectGetsIdZero) {
    auto dlg = open(Mode::Edit);
    QMenu* menu = rightClick(*dlg, QPoint(10, 10));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, (QStringList{"&Create a new project", "-", "&What's This?"}));
    QAction* create = commandAction(menu, CProjectsTreeDlg::kCreateProject);
    menu->close();
    create->trigger();
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0].id, 0);
    EXPECT_EQ(m_edited[0].name, "New project");
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("New project"));

    QMenu* itemMenu = rightClick(*dlg, labelPoint(dlg->tree(), dlg->tree()->topLevelItem(0)));
    ASSERT_NE(itemMenu, nullptr);
    texts.clear();
    for (QAction* a : itemMenu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, (QStringList{"&Create a new project", "-", "Create a &sub-project", "-", "&Update this project",
                                  "&Delete this project", "-", "&What's This?"}));
    itemMenu->close();
    runCommand(*dlg, dlg->tree()->topLevelItem(0), CProjectsTreeDlg::kCreateProject);
    EXPECT_EQ(m_edited.back().id, 1);
}

TEST_F(ProjectsTree, ACancelledSubProjectStaysWithItsDefaults) {
    writeFile({project(4, -1, "Client"), project(9, -1, "Other")});
    auto dlg = open(Mode::Edit);
    m_editorAnswer = false;
    runCommand(*dlg, findItem(dlg->tree(), QStringLiteral("Client")), CProjectsTreeDlg::kCreateSubProject);
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("Client(New sub-project),Other"));
    EXPECT_EQ(dlg->tree()->currentItem()->text(0), QStringLiteral("New sub-project"));
    dlg->accept();
    const auto written = readFile();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].id, 10);
    EXPECT_EQ(written[2].name, "New sub-project");
    EXPECT_EQ(written[2].parentId, 4);
    EXPECT_EQ(written[2].customerId, -1);
    EXPECT_EQ(written[2].chargesPerHour, 0.0);
    EXPECT_TRUE(written[2].memo.empty());
}

TEST_F(ProjectsTree, UpdateAndDoubleClickStoreTheEditsAndRelabel) {
    writeFile({project(0, -1, "Client"), project(1, 0, "Site")});
    auto dlg = open(Mode::Edit);
    m_editorAnswer = true;
    m_editorName = "Web site";
    runCommand(*dlg, findItem(dlg->tree(), QStringLiteral("Site")), CProjectsTreeDlg::kUpdateProject);
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0], project(1, 0, "Site"));
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("Client(Web site)"));

    m_editorName = "Customer work";
    QTreeWidgetItem* client = findItem(dlg->tree(), QStringLiteral("Client"));
    doubleClick(dlg->tree()->viewport(), labelPoint(dlg->tree(), client));
    ASSERT_EQ(m_edited.size(), 2u);
    EXPECT_EQ(m_edited[1].id, 0);
    dlg->accept();
    const auto written = readFile();
    EXPECT_EQ(written[0].name, "Customer work");
    EXPECT_EQ(written[0].chargesPerHour, 99.5);
    EXPECT_EQ(written[1].name, "Web site");
    EXPECT_EQ(written[1].parentId, 0);
}

TEST_F(ProjectsTree, DeletingAProjectRemovesExactlyItsSubTreeAfterTheQuestion) {
    writeFile({project(0, -1, "A"), project(1, 0, "B"), project(2, 1, "C"), project(3, 2, "D"), project(4, 0, "E"),
               project(5, -1, "F"), project(6, 5, "G")});
    auto dlg = open(Mode::Edit);
    m_prompter.answers = {false, true};
    runCommand(*dlg, findItem(dlg->tree(), QStringLiteral("B")), CProjectsTreeDlg::kDeleteProject);
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("A(B(C(D)),E),F(G)"));
    runCommand(*dlg, findItem(dlg->tree(), QStringLiteral("B")), CProjectsTreeDlg::kDeleteProject);
    ASSERT_EQ(m_prompter.boxes.size(), 2u);
    EXPECT_EQ(m_prompter.boxes[1].caption, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(m_prompter.boxes[1].text,
              QStringLiteral("Are you sure you want to delete the selected project and all its sub-projects?"));
    EXPECT_TRUE(m_prompter.boxes[1].question);
    EXPECT_EQ(shapeOf(dlg->tree()), QStringLiteral("A(E),F(G)"));
    dlg->accept();
    std::vector<std::int32_t> ids;
    for (const auto& r : readFile()) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 4, 5, 6}));
}

TEST_F(ProjectsTree, ADragKeepsEveryRecordAndReopensAsShown) {
    const std::vector<ql::ProjectRecord> file = {project(0, -1, "A"), project(1, 0, "B"), project(2, 1, "C"),
                                                 project(3, -1, "D"), project(4, 3, "E"), project(5, 3, "F")};
    writeFile(file);
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    drop(*dlg, findItem(tree, QStringLiteral("B")), tree->visualItemRect(findItem(tree, QStringLiteral("E"))).center());
    EXPECT_EQ(shapeOf(tree), QStringLiteral("A,D(E,B(C),F)"));
    EXPECT_TRUE(findItem(tree, QStringLiteral("B"))->isExpanded());
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("B"));
    dlg->accept();

    auto written = readFile();
    ASSERT_EQ(written.size(), file.size());
    for (const auto& original : file) {
        const auto it = std::find_if(written.begin(), written.end(), [&](const auto& r) { return r.id == original.id; });
        ASSERT_NE(it, written.end());
        EXPECT_EQ(it->name, original.name);
        EXPECT_EQ(it->memo, original.memo);
        EXPECT_EQ(it->chargesPerHour, original.chargesPerHour);
        EXPECT_EQ(it->parentId, original.id == 1 ? 3 : original.parentId);
    }
    auto reopened = open(Mode::Edit);
    EXPECT_EQ(shapeOf(reopened->tree()), QStringLiteral("A,D(E,B(C),F)"));
}

TEST_F(ProjectsTree, ADropOnItselfBelowItselfOrNowhereChangesNothing) {
    writeFile({project(0, -1, "A"), project(1, 0, "B"), project(2, 1, "C"), project(3, -1, "D")});
    const auto before = TempFileSet::bytes(projectsFile());
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* a = findItem(tree, QStringLiteral("A"));
    EXPECT_EQ(tree->dropTargetAt(tree->visualItemRect(a).center()), nullptr);
    drop(*dlg, a, tree->visualItemRect(a).center());
    drop(*dlg, a, tree->visualItemRect(findItem(tree, QStringLiteral("C"))).center());
    drop(*dlg, a, QPoint(5, tree->viewport()->height() - 2));
    EXPECT_EQ(shapeOf(tree), QStringLiteral("A(B(C)),D"));
    dlg->accept();
    EXPECT_EQ(TempFileSet::bytes(projectsFile()), before);
}

TEST_F(ProjectsTree, ARenamedProjectIsFoundUnderItsNewNameAfterReopening) {
    writeFile({project(0, -1, "Client"), project(1, 0, "Site")});
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* site = findItem(tree, QStringLiteral("Site"));
    tree->editItem(site);
    auto* editor = tree->viewport()->findChild<QLineEdit*>(QStringLiteral("labelEdit"));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(tree->isEditingLabel());
    editor->selectAll();
    QTest::keyClicks(editor, QString(70, QLatin1Char('w')));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the view commits a Return-ended edit from the event loop
    EXPECT_FALSE(tree->isEditingLabel());
    dlg->accept();
    const std::string sixty(60, 'w');
    auto id = ql::findProjectIdByName(ql::defaultFileSystem(), projectsFile(), sixty);
    ASSERT_TRUE(id.isOk());
    EXPECT_EQ(*id, 1);
    auto reopened = open(Mode::Edit);
    EXPECT_EQ(shapeOf(reopened->tree()), QStringLiteral("Client(") + QString::fromStdString(sixty) + ")");
}

TEST_F(ProjectsTree, AnEmptiedOrCancelledLabelKeepsTheName) {
    writeFile({project(0, -1, "Client")});
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* client = findItem(tree, QStringLiteral("Client"));
    tree->editItem(client);
    auto* editor = tree->viewport()->findChild<QLineEdit*>(QStringLiteral("labelEdit"));
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(tree->isEditingLabel());
    EXPECT_EQ(client->text(0), QStringLiteral("Client"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor goes
    tree->editItem(client);
    editor = tree->viewport()->findChild<QLineEdit*>(QStringLiteral("labelEdit"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("zzz"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(tree->isEditingLabel());
    EXPECT_TRUE(dlg->isVisible());  // Escape ended the edit, not the dialog
    dlg->accept();
    EXPECT_EQ(readFile().at(0).name, "Client");
}

TEST_F(ProjectsTree, ChoosingModeHasNoMenuAndADoubleClickChooses) {
    writeFile({project(3, -1, "Client"), project(8, 3, "Site"), project(9, -1, "Other")});
    auto dlg = open(Mode::Choosing);
    QTreeWidgetItem* site = findItem(dlg->tree(), QStringLiteral("Site"));
    EXPECT_EQ(rightClick(*dlg, labelPoint(dlg->tree(), site)), nullptr);
    doubleClick(dlg->tree()->viewport(), labelPoint(dlg->tree(), site));
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->chosenProjectId(), 8);
    EXPECT_TRUE(m_edited.empty());
}

TEST_F(ProjectsTree, TheKeyboardReachesTheCommands) {
    writeFile({project(0, -1, "A"), project(1, 0, "B"), project(2, -1, "C")});
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    EXPECT_EQ(QApplication::focusWidget(), tree);
    tree->setCurrentItem(findItem(tree, QStringLiteral("B")));
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), tree->viewport()->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(tree->viewport(), &menuKey);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("projectMenu"));
    QAction* update = commandAction(menu, CProjectsTreeDlg::kUpdateProject);
    menu->close();
    update->trigger();
    ASSERT_EQ(m_edited.size(), 1u);
    EXPECT_EQ(m_edited[0].id, 1);

    // Shift+F10 as the Menu key.
    QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
    auto* shiftMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shiftMenu, nullptr);
    EXPECT_EQ(shiftMenu->objectName(), QStringLiteral("projectMenu"));
    shiftMenu->close();

    QTest::keyClick(tree, Qt::Key_Delete);
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].caption, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(shapeOf(tree), QStringLiteral("A,C"));
}

TEST_F(ProjectsTree, WhatsThisAsksForTheTreesHelpTopic) {
    auto dlg = open(Mode::Edit);
    runCommand(*dlg, nullptr, CProjectsTreeDlg::kWhatsThis);
    EXPECT_EQ(m_help.contexts, std::vector<int>{700});
}

TEST_F(ProjectsTree, CancelWritesNothing) {
    writeFile({project(0, -1, "A"), project(1, 0, "B")});
    const auto before = TempFileSet::bytes(projectsFile());
    auto dlg = open(Mode::Edit);
    runCommand(*dlg, nullptr, CProjectsTreeDlg::kCreateProject);
    runCommand(*dlg, findItem(dlg->tree(), QStringLiteral("A")), CProjectsTreeDlg::kDeleteProject);
    dlg->reject();
    EXPECT_EQ(TempFileSet::bytes(projectsFile()), before);
}

TEST_F(ProjectsTree, AFailedWriteKeepsTheDialogOpenAndTheFileIntact) {
    writeFile({project(0, -1, "A")});
    const auto before = TempFileSet::bytes(projectsFile());
    ql::test::FaultyFileSystem faulty;
    faulty.failOn(ql::test::FaultyFileSystem::Op::Create, m_set.path(ql::FileKind::Temporary));
    auto dlg = open(Mode::Edit, &faulty);
    runCommand(*dlg, nullptr, CProjectsTreeDlg::kCreateProject);
    dlg->accept();
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, QString::fromStdString("Cannot open project file : " + projectsFile()));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(TempFileSet::bytes(projectsFile()), before);
    faulty.stopFailingOn();  // the user retries
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(readFile().size(), 2u);
}

TEST_F(ProjectsTree, AnUnreadableFileIsReportedAndNeverOverwritten) {
    writeFile({project(0, -1, "A")});
    const auto before = TempFileSet::bytes(projectsFile());
    ql::test::FaultyFileSystem faulty;
    faulty.failOn(ql::test::FaultyFileSystem::Op::OpenRead, projectsFile());
    auto dlg = open(Mode::Edit, &faulty);
    const QString message = QString::fromStdString("Cannot open project file : " + projectsFile());
    ASSERT_EQ(m_prompter.boxes.size(), 1u);
    EXPECT_EQ(m_prompter.boxes[0].text, message);
    EXPECT_EQ(dlg->tree()->topLevelItemCount(), 0);
    dlg->accept();
    EXPECT_EQ(m_prompter.boxes.size(), 2u);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(TempFileSet::bytes(projectsFile()), before);
}

}  // namespace

namespace {

// The Part's hit test counts a click on an item only over its label or icon: the empty rest
// of the row is away from any item.
TEST_F(ProjectsTree, ClicksCountOnAnItemOnlyOverItsLabel) {
    writeFile({project(0, -1, "Client")});
    m_editorAnswer = true;
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* client = findItem(tree, QStringLiteral("Client"));
    const QRect row = tree->visualItemRect(client);
    const QPoint besideLabel(row.right() - 10, row.center().y());
    ASSERT_EQ(tree->itemAt(besideLabel), client);  // the row itself spans the whole width

    QMenu* menu = rightClick(*dlg, besideLabel);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("treeMenu"));
    menu->close();
    doubleClick(tree->viewport(), besideLabel);
    EXPECT_TRUE(m_edited.empty());

    menu = rightClick(*dlg, labelPoint(tree, client));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("projectMenu"));
    menu->close();
    doubleClick(tree->viewport(), labelPoint(tree, client));
    EXPECT_EQ(m_edited.size(), 1u);
}

TEST_F(ProjectsTree, ALabelEditTakesAccentsUpToTheNamesField) {
    writeFile({project(0, -1, "Client")});
    auto dlg = open(Mode::Edit);
    ProjectTreeWidget* tree = dlg->tree();
    QTreeWidgetItem* client = findItem(tree, QStringLiteral("Client"));
    tree->editItem(client);
    auto* editor = tree->viewport()->findChild<QLineEdit*>(QStringLiteral("labelEdit"));
    ASSERT_NE(editor, nullptr);
    // Two UTF-8 bytes each and no 8-bit form: 30 of them fill the name's 60 bytes.
    editor->clear();
    typeText(editor, QString(32, QChar(0x0101)));
    EXPECT_EQ(editor->text(), QString(30, QChar(0x0101)));
    // One byte each as 8-bit text: 60 of them fit.
    editor->clear();
    typeText(editor, QString(62, QChar(0x00E9)));
    EXPECT_EQ(editor->text(), QString(60, QChar(0x00E9)));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(client->text(0), QString(60, QChar(0x00E9)));
    EXPECT_EQ(dlg->projects().records().at(0).name, QString(60, QChar(0x00E9)).toStdString());
}

TEST_F(ProjectsTree, TheTreeTakesTheHeightAndTheNoteStaysBesideTheButtons) {
    auto dlg = open(Mode::Edit);
    auto* note = dlg->findChild<QGroupBox*>(QStringLiteral("noteGroup"));
    auto* ok = dlg->findChild<QPushButton*>(QStringLiteral("okButton"));
    ASSERT_TRUE(note && ok);
    dlg->resize(380, 380);
    QApplication::processEvents();
    const int noteHeight = note->height();
    const int treeHeight = dlg->tree()->height();
    dlg->resize(380, 800);
    QApplication::processEvents();
    EXPECT_EQ(note->height(), noteHeight);
    EXPECT_EQ(dlg->tree()->height(), treeHeight + 420);
    // Beside OK and Cancel: the box starts level with OK.
    EXPECT_LE(std::abs(note->geometry().top() - ok->geometry().top()), 8);
}

}  // namespace
