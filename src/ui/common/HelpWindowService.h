#pragma once

#include "ui/common/HelpFile.h"
#include "ui/common/HelpService.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPushButton;
class QTextBrowser;

// The small window that shows one help topic at a time, with Contents, Back and Close.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kUsingHelp = -1;  // the window's own topic, not one of the file

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a topic of help and remembers it for Back.
    void showTopic(const HelpFile& help, int context);
    void showUsingHelp();
    int currentContext() const { return m_history.empty() ? 0 : m_history.back(); }
    QString currentHtml() const;

private:
    void display(int context);
    void goBack();

    HelpFile m_help;
    std::vector<int> m_history;
    QTextBrowser* m_browser;
    QPushButton* m_back;
};

// The production HelpService: finds "QL.hlp" in the given folders (the first that has it),
// reads it at every request and shows the topic in a HelpWindow. A missing file or topic
// shows nothing and is not reported.
class HelpWindowService final : public HelpService {
public:
    explicit HelpWindowService(QStringList folders, QWidget* owner = nullptr);
    ~HelpWindowService() override;
    HelpWindowService(const HelpWindowService&) = delete;
    HelpWindowService& operator=(const HelpWindowService&) = delete;
    // The folder of the executable, the data folder of the prefix it is installed in, then
    // the data folder of the configured prefix.
    static QStringList defaultFolders();
    // The same for an executable in the folder bin.
    static QStringList foldersFor(const QString& bin);

    // The window that owns the help window when no modal dialog is open.
    void setOwner(QWidget* owner) { m_owner = owner; }
    void showTopic(int context) override;
    void showUsingHelp() override;

    // The help file that requests read; empty when no folder has one.
    QString helpFilePath() const;
    // The help window once a topic was shown, else null.
    HelpWindow* window() const { return m_window; }

private:
    HelpWindow* windowForRequest();

    QStringList m_folders;
    QPointer<QWidget> m_owner;
    QPointer<HelpWindow> m_window;
};
