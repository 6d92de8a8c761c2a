// quillory-cli's Qt half: quillory-cli runs this program, with its own arguments, for the
// commands that print or order names as the window does, so that only they pay for loading
// Qt; only those that print start its application.
#include "cli/CliApp.h"
#include "cli/pdf/QtPdfRenderer.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

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
    const ql::SystemClock clock;
    ql::cli::QtPdfRenderer pdf;
    return ql::cli::runCli(argc, argv, std::cout, std::cerr, ql::defaultFileSystem(), clock, &pdf);
}
