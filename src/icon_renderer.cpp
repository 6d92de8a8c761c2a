#include "ui/app/Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

// Build step: writes the program icon as hicolor PNG files, OUTDIR/SIZExSIZE/apps/NAME.png,
// from the same drawing the window uses, so the installed icons never drift from it.
int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: quillory-icon-renderer OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !programIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
