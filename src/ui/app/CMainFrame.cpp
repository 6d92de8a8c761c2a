#include "ui/app/CMainFrame.h"

#include "ui/app/CTessalyDoc.h"
#include "ui/common/CommandIds.h"
#include "ui/common/HelpService.h"
#include "ui/app/Icons.h"
#include "ui/app/LockIndicators.h"
#include "ui/app/TrayStatus.h"
#include "core/time/Clock.h"
#include "ui/common/Profile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QWhatsThis>

#include <utility>

namespace {

struct CommandText {
    int id;
    const char* text;
    QKeySequence shortcut;
    // Status-bar prompt, then after "\n" the tool tip; null for none.
    const char* prompt;
};

const CommandText kCommands[] = {
    {cmd::kFileNew, QT_TRANSLATE_NOOP("CMainFrame", "&New...\tCtrl+N"), QKeySequence(Qt::CTRL | Qt::Key_N),
     QT_TRANSLATE_NOOP("CMainFrame", "Create a new document\nNew")},
    {cmd::kFileOpen, QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O"), QKeySequence(Qt::CTRL | Qt::Key_O),
     QT_TRANSLATE_NOOP("CMainFrame", "Open an existing document\nOpen")},
    {cmd::kExport, QT_TRANSLATE_NOOP("CMainFrame", "&Export..."), {},
     QT_TRANSLATE_NOOP("CMainFrame",
                       "Export data for use with other applications (spreadsheet, database, word processor, ...)")},
    {cmd::kProperties, QT_TRANSLATE_NOOP("CMainFrame", "&Properties..."), {},
     QT_TRANSLATE_NOOP("CMainFrame", "Setup application, your company, invoice, ... information")},
    {cmd::kPrintGanttChart, QT_TRANSLATE_NOOP("CMainFrame", "&Print Gantt Chart"), {}, nullptr},
    {cmd::kFilePrintSetup, QT_TRANSLATE_NOOP("CMainFrame", "P&rint Setup..."), {}, nullptr},
    {cmd::kAppExit, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), {},
     QT_TRANSLATE_NOOP("CMainFrame", "Quit the application; prompts to save documents\nExit")},
    {cmd::kCheckIn, QT_TRANSLATE_NOOP("CMainFrame", "Check In\tCtrl+E"), QKeySequence(Qt::CTRL | Qt::Key_E),
     QT_TRANSLATE_NOOP("CMainFrame", "Check in a project\nCheck In")},
    {cmd::kCheckOut, QT_TRANSLATE_NOOP("CMainFrame", "Check &Out\tCtrl+T"), QKeySequence(Qt::CTRL | Qt::Key_T),
     QT_TRANSLATE_NOOP("CMainFrame", "Check out from a running project\nCheck Out")},
    {cmd::kPause, QT_TRANSLATE_NOOP("CMainFrame", "&Pause\tCtrl+A"), QKeySequence(Qt::CTRL | Qt::Key_A),
     QT_TRANSLATE_NOOP("CMainFrame", "Pause all running projects\nPause")},
    {cmd::kEditCustomers, QT_TRANSLATE_NOOP("CMainFrame", "&Edit Customers...\tCtrl+U"),
     QKeySequence(Qt::CTRL | Qt::Key_U),
     QT_TRANSLATE_NOOP("CMainFrame", "Add, update or delete customers\nCustomers")},
    {cmd::kEditProjects, QT_TRANSLATE_NOOP("CMainFrame", "&Edit Projects...\tCtrl+J"),
     QKeySequence(Qt::CTRL | Qt::Key_J),
     QT_TRANSLATE_NOOP("CMainFrame", "Add, update or delete projects (and sub-projects)\nProjects")},
    {cmd::kPieChart, QT_TRANSLATE_NOOP("CMainFrame", "Projects &Pie Chart..."), {},
     QT_TRANSLATE_NOOP("CMainFrame", "Show a pie chart representing each project's importance\nPie Chart")},
    {cmd::kHistory, QT_TRANSLATE_NOOP("CMainFrame", "&History of charges...\tCtrl+H"),
     QKeySequence(Qt::CTRL | Qt::Key_H),
     QT_TRANSLATE_NOOP("CMainFrame", "View history of projects charged to your customers\nHistory")},
    {cmd::kInvoice, QT_TRANSLATE_NOOP("CMainFrame", "&Invoice...\tCtrl+I"), QKeySequence(Qt::CTRL | Qt::Key_I),
     QT_TRANSLATE_NOOP("CMainFrame", "Invoice a customer of the time spent\nInvoice")},
    {cmd::kInvoices, QT_TRANSLATE_NOOP("CMainFrame", "I&nvoices..."), {},
     QT_TRANSLATE_NOOP("CMainFrame", "List the issued invoices; reprint or void one\nInvoices")},
    {cmd::kViewToolbar, QT_TRANSLATE_NOOP("CMainFrame", "&Toolbar"), {}, nullptr},
    {cmd::kViewStatusBar, QT_TRANSLATE_NOOP("CMainFrame", "&Status Bar"), {}, nullptr},
    {cmd::kHelpIndex, QT_TRANSLATE_NOOP("CMainFrame", "&Index"), {}, nullptr},
    {cmd::kHelpUsing, QT_TRANSLATE_NOOP("CMainFrame", "&Using Help"), {}, nullptr},
    {cmd::kAppAbout, QT_TRANSLATE_NOOP("CMainFrame", "&About Quillory95..."), {}, nullptr},
    // Accelerators without a menu item.
    {cmd::kFilePrint, QT_TRANSLATE_NOOP("CMainFrame", "&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P), nullptr},
    {cmd::kHelp, QT_TRANSLATE_NOOP("CMainFrame", "&Help"), QKeySequence(Qt::Key_F1), nullptr},
    {cmd::kContextHelp, QT_TRANSLATE_NOOP("CMainFrame", "What's &This?"), QKeySequence(Qt::SHIFT | Qt::Key_F1),
     nullptr},
};

// The desktop's keys for commands the table gives none: Ctrl+Q quits as in every Linux
// program. Looked up when the actions are made, as the platform decides them.
constexpr std::pair<int, QKeySequence::StandardKey> kStandardKeys[] = {
    {cmd::kAppExit, QKeySequence::Quit},
    {cmd::kProperties, QKeySequence::Preferences},
};

constexpr int kSeparator = 0;

struct MenuSpec {
    const char* title;
    std::initializer_list<int> items;
};

const MenuSpec kMenus[] = {
    {QT_TRANSLATE_NOOP("CMainFrame", "&File"),
     {cmd::kFileNew, cmd::kFileOpen, kSeparator, cmd::kExport, kSeparator, cmd::kProperties, kSeparator,
      cmd::kPrintGanttChart, cmd::kFilePrintSetup, kSeparator, cmd::kAppExit}},
    {QT_TRANSLATE_NOOP("CMainFrame", "Con&trol"), {cmd::kCheckIn, cmd::kCheckOut, kSeparator, cmd::kPause}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Customers"), {cmd::kEditCustomers}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Projects"), {cmd::kEditProjects, kSeparator, cmd::kPieChart}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Reports"), {cmd::kHistory, kSeparator, cmd::kInvoice, cmd::kInvoices}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&View"), {cmd::kViewToolbar, cmd::kViewStatusBar}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Help"), {cmd::kHelpIndex, cmd::kHelpUsing, kSeparator, cmd::kAppAbout}},
};

constexpr int kToolBarButtons[] = {cmd::kFileNew,   cmd::kFileOpen,      kSeparator,         cmd::kCheckIn,
                                   cmd::kCheckOut,  cmd::kPause,         kSeparator,         cmd::kEditCustomers,
                                   cmd::kEditProjects, kSeparator,       cmd::kPieChart,     cmd::kHistory,
                                   cmd::kInvoice,   kSeparator,          cmd::kAppAbout,     kSeparator,
                                   kSeparator};

const char* const kLockNames[] = {QT_TRANSLATE_NOOP("CMainFrame", "CAP"), QT_TRANSLATE_NOOP("CMainFrame", "NUM"),
                                   QT_TRANSLATE_NOOP("CMainFrame", "SCRL")};

}  // namespace

CMainFrame::CMainFrame(CTessalyDoc& doc, HelpService& help, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_help(help) {
    setWindowIcon(programIcon());
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createTray();
    connectFrameCommands();

    connect(&m_doc, &CTessalyDoc::stateChanged, this, &CMainFrame::updateCommandStates);
    connect(&m_doc, &CTessalyDoc::stateChanged, this, &CMainFrame::updateTray);
    connect(&m_doc, &CTessalyDoc::ticked, this, &CMainFrame::updateTray);
    connect(&m_doc, &CTessalyDoc::titleChanged, this,
            [this](const QString& title) { setWindowTitle(frameTitle(title)); });
    setWindowTitle(frameTitle(m_doc.title()));
    updateCommandStates();
    updateLockPanes();
    qApp->installEventFilter(this);
}

QAction* CMainFrame::action(int commandId) const {
    return m_actions.value(commandId, nullptr);
}

QString CMainFrame::frameTitle(const QString& documentTitle) {
    if (documentTitle.isEmpty()) return QStringLiteral("Quillory");
    // Qt reads "[*]" in a title as the modified mark; a path may hold it literally.
    QString title = documentTitle;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title + tr(" - Quillory");
}

void CMainFrame::createActions() {
    for (const CommandText& command : kCommands) {
        auto* action = new QAction(tr(command.text), this);
        // The menu shows the key from the shortcut itself; the text keeps the name alone, which
        // is what a screen reader reads for the item.
        if (const qsizetype tab = action->text().indexOf(QLatin1Char('\t')); tab >= 0)
            action->setText(action->text().left(tab));
        action->setData(command.id);
        if (!command.shortcut.isEmpty()) action->setShortcut(command.shortcut);
        if (command.prompt) {
            const QString prompt = tr(command.prompt);
            const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
            action->setStatusTip(prompt.left(newline));
            action->setWhatsThis(prompt.left(newline));
            if (newline >= 0) action->setToolTip(prompt.mid(newline + 1));
        }
        const QIcon icon = commandIcon(command.id);
        if (!icon.isNull()) action->setIcon(icon);
        m_actions.insert(command.id, action);
        m_commandOrder.append(command.id);
        // Accelerators work wherever the window has focus, also for commands without a menu item.
        addAction(action);
    }
    for (const auto& [id, key] : kStandardKeys)
        if (action(id)->shortcut().isEmpty()) action(id)->setShortcuts(key);
    // Platforms without a desktop of their own (offscreen, minimal) follow Windows' bindings,
    // which quit with Alt+F4 alone.
    if (action(cmd::kAppExit)->shortcut().isEmpty()) action(cmd::kAppExit)->setShortcut(Qt::CTRL | Qt::Key_Q);
    // Icons belong to the toolbar; the menus keep their plain texts.
    for (QAction* action : std::as_const(m_actions)) action->setIconVisibleInMenu(false);
    action(cmd::kViewToolbar)->setCheckable(true);
    action(cmd::kViewToolbar)->setChecked(true);
    action(cmd::kViewStatusBar)->setCheckable(true);
    action(cmd::kViewStatusBar)->setChecked(true);
}

void CMainFrame::createMenus() {
    for (const MenuSpec& menuDef : kMenus) {
        QMenu* menu = menuBar()->addMenu(tr(menuDef.title));
        for (const int id : menuDef.items) {
            if (id == kSeparator) menu->addSeparator();
            else menu->addAction(action(id));
        }
    }
}

void CMainFrame::createToolBar() {
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(22, 22));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    for (const int id : kToolBarButtons) {
        if (id == kSeparator) m_toolBar->addSeparator();
        else m_toolBar->addAction(action(id));
    }
    // A button's name would otherwise be its menu text, read out with its "\tCtrl+N"; the
    // tool tip is the button's visible label.
    for (QAction* button : m_toolBar->actions()) {
        if (button->isSeparator()) continue;
        QString name = button->toolTip();
        if (const qsizetype tab = name.indexOf(QLatin1Char('\t')); tab >= 0) name.truncate(tab);
        m_toolBar->widgetForAction(button)->setAccessibleName(name);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // Also follows the toolbar being closed while floating.
    connect(m_toolBar, &QToolBar::visibilityChanged, action(cmd::kViewToolbar), &QAction::setChecked);
    connect(action(cmd::kViewToolbar), &QAction::toggled, m_toolBar, &QToolBar::setVisible);
}

void CMainFrame::createStatusBar() {
    m_idleLabel = new QLabel(tr(kIdlePrompt), this);
    m_idleLabel->setObjectName(QStringLiteral("idlePrompt"));
    // A normal (not permanent) widget: a prompt shown with showMessage covers it and
    // uncovers it again when cleared, which is the idle text's whole behaviour.
    statusBar()->addWidget(m_idleLabel, 1);
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(tr(kLockNames[i]), this);
        pane->setObjectName(QLatin1String(kLockNames[i]));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(tr(kLockNames[2])) + 12);
        statusBar()->addPermanentWidget(pane);
        m_lockPanes[i] = pane;
    }
    connect(action(cmd::kViewStatusBar), &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::createTray() {
    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(action(cmd::kCheckIn));
    m_trayMenu->addAction(action(cmd::kCheckOut));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(action(cmd::kPause));
    m_trayIcon = new QSystemTrayIcon(programIcon(), this);
    m_trayIcon->setToolTip(QStringLiteral("Quillory"));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger) return;
        if (isMinimized()) showNormal();
        raise();
        activateWindow();
    });
    updateTray();
}

void CMainFrame::updateTray() {
    const ql::RunningProjects& running = m_doc.running();
    m_trayIcon->setIcon(::trayIcon(trayState(running)));
    const auto rows = ql::loadRunningPanelRows(m_doc.fileSystem(), m_doc.fileSet(), running.entries(),
                                               m_doc.clock().now());
    m_trayIcon->setToolTip(trayToolTip(running, rows.rows));
    // A panel started after the program gets the icon at the next tick.
    if (!m_trayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) m_trayIcon->show();
}

void CMainFrame::connectFrameCommands() {
    connect(action(cmd::kAppExit), &QAction::triggered, this, &QWidget::close);
    connect(action(cmd::kHelpIndex), &QAction::triggered, this, [this] { m_help.showTopic(100); });
    connect(action(cmd::kHelpUsing), &QAction::triggered, this, [this] { m_help.showUsingHelp(); });
    connect(action(cmd::kContextHelp), &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });
    // The idle prompt promises help on F1: the same topic as Help > Index.
    connect(action(cmd::kHelp), &QAction::triggered, this, [this] { m_help.showTopic(100); });
}

void CMainFrame::updateCommandStates() {
    for (const int id : cmd::kDataCommands) action(id)->setEnabled(m_doc.fileSetOpen());
    const bool running = m_doc.runningCount() > 0;
    action(cmd::kCheckOut)->setEnabled(running);
    action(cmd::kPause)->setEnabled(running);
}

void CMainFrame::updateLockPanes() {
    const auto state = queryLockState();
    const bool on[] = {state && state->capsLock, state && state->numLock, state && state->scrollLock};
    for (int i = 0; i < 3; ++i) m_lockPanes[i]->setEnabled(on[i]);
}

void CMainFrame::applyPlacement(QRect placement) {
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(placement)) visible = true;
    }
    // A window placed on a screen that is no longer attached could not be reached.
    if (!placement.isValid() || !visible) placement = Profile::kDefaultPlacement;
    move(placement.topLeft());
    resize(placement.size());
}

QRect CMainFrame::placementToSave() const {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        const QRect normal = normalGeometry();
        if (normal.isValid()) {
            // normalGeometry() excludes the window frame, which move() includes.
            const QPoint frameOffset = geometry().topLeft() - pos();
            return {normal.topLeft() - frameOffset, normal.size()};
        }
    }
    return {pos(), size()};
}

void CMainFrame::restorePlacement() {
    applyPlacement(Profile::placement());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc.canClose()) {
        event->ignore();
        return;
    }
    Profile::setPlacement(placementToSave());
    m_trayIcon->hide();
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) updateLockPanes();
    } else if (event->type() == QEvent::ApplicationActivate) {
        updateLockPanes();
    }
    return QMainWindow::eventFilter(watched, event);
}
