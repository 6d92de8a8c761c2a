#include "core/store/FileSystem.h"
#include "core/time/Clock.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyApp.h"
#include "ui/app/FileSetDialogs.h"
#include "ui/app/HelpWindowService.h"
#include "ui/app/Profile.h"
#include "ui/app/Prompter.h"
#include "ui/tracking/SessionEndWatcher.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Before anything can run: a termination from here on is handled, not fatal.
    SessionEndWatcher sessionEnd;
    QCoreApplication::setOrganizationName(QLatin1String(Profile::kOrganization));
    QCoreApplication::setApplicationName(QLatin1String(Profile::kApplication));

    ql::SystemClock clock;
    MessageBoxPrompter prompter;
    HelpWindowService help(HelpWindowService::defaultFolders());
    QtFileSetDialogs fileDialogs;
    CTessalyApp shell({prompter, clock, ql::defaultFileSystem(), help, fileDialogs});
    QObject::connect(&sessionEnd, &SessionEndWatcher::sessionEnding, &shell, [&shell] { shell.endSession(); });
    shell.start(CTessalyApp::commandLineText(QCoreApplication::arguments()));
    // Ended during a start-up question: exec() would start a fresh loop and never return.
    if (shell.sessionEnded()) return 0;

    prompter.setParent(&shell.frame());
    help.setOwner(&shell.frame());
    shell.frame().show();
    return app.exec();
}
