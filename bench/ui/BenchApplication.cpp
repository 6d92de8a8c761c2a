#include "ui/BenchApplication.h"

#include <QApplication>

namespace ql::bench {

void ensureBenchApplication() {
    static int argc = 1;
    static char name[] = "quillory_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns on every shown window; the figures are what matters here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication app(argc, argv);
}

}  // namespace ql::bench
