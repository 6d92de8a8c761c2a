#include "ui/common/HelpWindowService.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kHelpFileName = QStringLiteral("QL.hlp");
constexpr int kContents = 100;

const char* const kUsingHelpTitle = QT_TRANSLATE_NOOP("HelpWindow", "Using Help");
const char* const kUsingHelpHtml = QT_TRANSLATE_NOOP(
    "HelpWindow",
    "<h2>Using Help</h2>"
    "<p>This window shows one help topic at a time. Underlined words lead to related topics: "
    "click one to read it.</p>"
    "<ul>"
    "<li><b>Contents</b> shows the overview of Quillory, the starting point of every topic.</li>"
    "<li><b>Back</b> returns to the topic you read before.</li>"
    "<li><b>Close</b> (or Escape) hides the window; the next request for help opens it again.</li>"
    "</ul>"
    "<p>Help > Index opens the overview at any time. In the week chart and the project tree, "
    "the <b>What's This?</b> item of the right-click menu opens the topic about that place; "
    "in the Properties sheet, press its Help button.</p>"
    "<p>To learn what a menu item or toolbar button does, press Shift+F1 and then click it.</p>");

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("helpWindow"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpText"));
    m_browser->setOpenLinks(false);
    auto* contents = new QPushButton(tr("&Contents"), this);
    m_back = new QPushButton(tr("&Back"), this);
    auto* close = new QPushButton(tr("C&lose"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(440, 380);

    connect(contents, &QPushButton::clicked, this, [this] { showTopic(m_help, kContents); });
    connect(m_back, &QPushButton::clicked, this, &HelpWindow::goBack);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        bool ok = false;
        const int context = url.path().toInt(&ok);
        if (url.scheme() == QLatin1String("help") && ok && m_help.topic(context)) showTopic(m_help, context);
    });
}

void HelpWindow::showTopic(const HelpFile& help, int context) {
    m_help = help;
    if (context != kUsingHelp && !m_help.topic(context)) return;
    m_history.push_back(context);
    display(context);
}

void HelpWindow::showUsingHelp() {
    m_history.push_back(kUsingHelp);
    display(kUsingHelp);
}

QString HelpWindow::currentHtml() const {
    return m_browser->toHtml();
}

void HelpWindow::display(int context) {
    if (context == kUsingHelp) {
        setWindowTitle(tr("Quillory Help - ") + tr(kUsingHelpTitle));
        m_browser->setHtml(tr(kUsingHelpHtml));
    } else if (const auto topic = m_help.topic(context)) {
        setWindowTitle(tr("Quillory Help - ") + topic->title);
        m_browser->setHtml(topic->html);
    }
    m_back->setEnabled(m_history.size() > 1);
}

void HelpWindow::goBack() {
    if (m_history.size() < 2) return;
    m_history.pop_back();
    display(m_history.back());
}

HelpWindowService::HelpWindowService(QStringList folders, QWidget* owner)
    : m_folders(std::move(folders)), m_owner(owner) {}

HelpWindowService::~HelpWindowService() {
    // A window with an owner goes with its owner; one without is ours.
    if (m_window && !m_window->parent()) delete m_window;
}

QStringList HelpWindowService::defaultFolders() { return foldersFor(QCoreApplication::applicationDirPath()); }

QStringList HelpWindowService::foldersFor(const QString& bin) {
    return {bin, QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(QUILLORY_HELP_FROM_BIN)),
            QStringLiteral(QUILLORY_HELP_DIR)};
}

QString HelpWindowService::helpFilePath() const {
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(kHelpFileName);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

void HelpWindowService::showTopic(int context) {
    const QString path = helpFilePath();
    if (path.isEmpty()) return;
    const auto help = HelpFile::load(path);
    if (!help || !help->topic(context)) return;
    HelpWindow* window = windowForRequest();
    window->showTopic(*help, context);
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindowService::showUsingHelp() {
    HelpWindow* window = windowForRequest();
    window->showUsingHelp();
    window->show();
    window->raise();
    window->activateWindow();
}

HelpWindow* HelpWindowService::windowForRequest() {
    // A window blocked by an open modal dialog could not be scrolled or closed, so while a
    // dialog asks for help, the dialog owns the help window.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = m_owner;
    if (!m_window) {
        m_window = new HelpWindow(owner);
    } else if (m_window->parentWidget() != owner) {
        const bool visible = m_window->isVisible();
        m_window->setParent(owner, Qt::Window);
        if (visible) m_window->show();
    }
    return m_window;
}
