#include "core/store/FileSystem.h"
#include "core/time/Clock.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CTessalyApp.h"
#include "ui/app/FileSetDialogs.h"
#include "ui/app/HelpWindowService.h"
#include "ui/app/Profile.h"
#include "ui/app/Prompter.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(Profile::kOrganization));
    QCoreApplication::setApplicationName(QLatin1String(Profile::kApplication));

    ql::SystemClock clock;
    MessageBoxPrompter prompter;
    HelpWindowService help(HelpWindowService::defaultFolders());
    QtFileSetDialogs fileDialogs;
    CTessalyApp shell({prompter, clock, ql::defaultFileSystem(), help, fileDialogs});
    shell.start(CTessalyApp::commandLineText(QCoreApplication::arguments()));

    prompter.setParent(&shell.frame());
    help.setOwner(&shell.frame());
    shell.frame().show();
    return app.exec();
}
