#include "core/store/FileSystem.h"
#include "core/time/Clock.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyApp.h"
#include "ui/common/FileSetDialogs.h"
#include "ui/common/HelpWindowService.h"
#include "ui/common/Modal.h"
#include "ui/app/ProgramOptions.h"
#include "ui/common/Profile.h"
#include "ui/common/Prompter.h"
#include "ui/common/Translations.h"
#include "ui/tracking/DesktopPresenceMonitor.h"
#include "ui/tracking/SessionEndWatcher.h"

#include <QApplication>
#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <string>
#include <sys/stat.h>

int main(int argc, char* argv[]) {
    // Answered before QApplication, which needs a display.
    std::string arguments;
    for (int i = 1; i < argc; ++i) arguments += (i > 1 ? " " : "") + std::string(argv[i]);
    const EarlyAnswer early = earlyAnswer(arguments, [](const std::string& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0;
    });
    if (early != EarlyAnswer::None) {
        std::fputs((early == EarlyAnswer::Help ? helpText() : versionText()).c_str(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Qt set the C library's locale from LANG. Every specified number and time text is
    // written without it, and this keeps any C library call from writing "427,50" either;
    // what is meant to be local comes from QLocale.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    // Before anything can run: a termination from here on is handled, not fatal.
    SessionEndWatcher sessionEnd;
    QCoreApplication::setOrganizationName(QLatin1String(Profile::kOrganization));
    QCoreApplication::setApplicationName(QLatin1String(Profile::kApplication));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestra.Quillory"));
    // The window speaks the user's language; the outputs keep their fixed English texts.
    Translations translations;
    translations.install(QLocale::system(), Translations::defaultFolders());

    ql::SystemClock clock;
    MessageBoxPrompter prompter;
    HelpWindowService help(HelpWindowService::defaultFolders());
    QtFileSetDialogs fileDialogs;
    QtModal modal;
    DesktopPresenceMonitor presence;
    CTessalyApp shell({prompter, clock, ql::defaultFileSystem(), help, fileDialogs, modal, &presence});
    QObject::connect(&sessionEnd, &SessionEndWatcher::sessionEnding, &shell, [&shell] { shell.endSession(); });
    shell.start(CTessalyApp::commandLineText(QCoreApplication::arguments()), [&](CMainFrame& frame) {
        prompter.setParent(&frame);
        help.setOwner(&frame);
        frame.show();
    });
    // Ended during a start-up question: exec() would start a fresh loop and never return.
    if (shell.sessionEnded()) return 0;
    return app.exec();
}
