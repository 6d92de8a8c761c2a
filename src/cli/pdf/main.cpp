// quillory-cli's PDF commands: quillory-cli runs this program, with its own arguments, for
// the commands that print, so that only they pay for loading Qt.
#include "cli/CliApp.h"
#include "cli/pdf/QtPdfRenderer.h"

#include <QGuiApplication>
#include <QLocale>

#include <clocale>
#include <iostream>

namespace {

// Qt's notes about its own set-up (no XDG_RUNTIME_DIR, say) are no business of a script
// reading stderr: the command reports its own failures in one line.
void keepOnlyCriticalMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "quillory-cli: " << message.toStdString() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    qInstallMessageHandler(keepOnlyCriticalMessages);
    // Pages are painted off screen: no display is needed, and any set one is not used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt would take options such as -platform out of the command's own arguments.
    int qtArgc = 1;
    char name[] = "quillory-cli";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    // Qt sets the C library's locale from the environment; the texts of the pages are the
    // same in every locale, as in the window.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    // Scripts get the same pages under any LANG: the week chart's day names in English.
    QLocale::setDefault(QLocale::c());
    const ql::SystemClock clock;
    ql::cli::QtPdfRenderer pdf;
    return ql::cli::runCli(argc, argv, std::cout, std::cerr, ql::defaultFileSystem(), clock, &pdf);
}
