#pragma once

#include "ui/app/ShellOnly.h"

#include <QHash>
#include <QMainWindow>
#include <QRect>

class CTessalyDoc;
class HelpService;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QToolBar;

// The main window: the seven menus, the toolbar, the status bar with its lock-key panes, the
// tray icon that carries the Control commands while the window is minimized, the help
// commands, and the window placement kept in the profile. Every command is a QAction whose
// data() is its command id; action(id) finds it so that the code handling a command
// connects to its triggered() signal.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kIdlePrompt = QT_TRANSLATE_NOOP("CMainFrame", "For Help, press F1");

    // Builds menus, toolbar, status bar and tray menu and follows the document's state and
    // title. The document and help service outlive the frame.
    CMainFrame(CTessalyDoc& doc, HelpService& help, QWidget* parent = nullptr);

    // The action of a command id; null for an id the frame does not know.
    QAction* action(int commandId) const;
    // Every command id the frame knows, in menu order.
    QList<int> commandIds() const { return m_commandOrder; }

    QToolBar* toolBar() const { return m_toolBar; }
    // The tray icon's menu: Check In, Check Out, separator, Pause.
    QMenu* trayMenu() const { return m_trayMenu; }
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }
    // The status bar's message label shown while no prompt is displayed.
    QLabel* idleLabel() const { return m_idleLabel; }
    // The CAP, NUM and SCRL panes; each is enabled while its lock is on.
    QLabel* lockPane(int index) const { return m_lockPanes[index]; }

    // Moves and sizes the window to a saved placement (position of the window frame, size
    // of the window); a rectangle that is empty or lies off every screen gives the default.
    void applyPlacement(QRect placement);
    // The rectangle to save: the normal (restored) one when minimized or maximized.
    QRect placementToSave() const;
    // Applies the profile's placement ("x", "y", "cx", "cy"; 30, 30, 600 x 400 by default).
    void restorePlacement();

    // The window title for a document title: "<title> - Quillory", or "Quillory".
    static QString frameTitle(const QString& documentTitle);

public slots:
    // Enables each command by its rule: data commands while a file set is open, Check Out and
    // Pause while a project runs, the rest always.
    void updateCommandStates();
    // Reads the lock keys into the CAP, NUM and SCRL panes.
    void updateLockPanes();
    // The tray icon and tip follow the running projects (trayIcon, trayToolTip); a tray that
    // became available since start-up gets the icon. Run on every state change and tick.
    void updateTray();

protected:
    // Asks the document whether it may close; on yes saves the placement and closes.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createTray();
    void connectFrameCommands();

    CTessalyDoc& m_doc;
    HelpService& m_help;
    QHash<int, QAction*> m_actions;
    QList<int> m_commandOrder;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idleLabel = nullptr;
    QLabel* m_lockPanes[3] = {};
    QMenu* m_trayMenu = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
};
