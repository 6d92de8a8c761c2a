#include "ui/app/ShellFixture.h"

#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "ui/Palettes.h"
#include "ui/app/CTessalyView.h"
#include "ui/app/Icons.h"
#include "ui/common/CommandIds.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Themes : public ShellTest {};

// The panels and the chart are painted in their own light grey with fixed colours, whatever the
// theme: the same pixels under a dark or high-contrast palette as under the standard one.
TEST_F(Themes, TheViewKeepsItsLookUnderEveryPalette) {
    QImage standard;
    int n = 0;
    for (const auto& [theme, palette] : ql::test::themePalettes()) {
        // A set of its own each time: the last window checks its running project out on closing.
        const std::string settings = makeDesignSet(QStringLiteral("Work%1.qlr").arg(++n));
        const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 11, 8, 0);
        ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), ql::FileSet(settings), {0, start, start + 90 * 60}));

        ql::test::PaletteScope scope(palette);
        auto app = startApp(QString::fromStdString(settings));
        app->document().checkIn(0);
        app->view().resize(700, 420);
        const QImage image = app->view().grab().toImage();
        if (standard.isNull()) {
            standard = image;
        } else {
            EXPECT_EQ(image, standard) << theme;
        }
    }
}

// New and Open take the icon theme's standard images, ours where the theme lacks one.
TEST_F(Themes, StandardActionsTakeTheThemesIconsWithOursAsFallback) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir themes(dir.path());
    ASSERT_TRUE(themes.mkpath(QStringLiteral("probe/22x22/actions")));
    QFile index(themes.filePath(QStringLiteral("probe/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=22x22/actions\n\n[22x22/actions]\nSize=22\nType=Fixed\n");
    index.close();
    QImage red(22, 22, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(themes.filePath(QStringLiteral("probe/22x22/actions/document-new.png"))));

    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName(QStringLiteral("probe"));
    const QImage themedNew = commandIcon(cmd::kFileNew).pixmap(22, 22).toImage();
    const QIcon paintedOpen = commandIcon(cmd::kFileOpen);
    const QIcon noPrint = commandIcon(cmd::kFilePrint);
    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);

    ASSERT_FALSE(themedNew.isNull());
    EXPECT_EQ(themedNew.convertToFormat(QImage::Format_ARGB32).pixel(11, 11), qRgb(255, 0, 0));
    // Open falls back to the drawing the toolbar always had.
    QIcon::setThemeName(QStringLiteral("no-such-theme"));
    const QImage ours = commandIcon(cmd::kFileOpen).pixmap(22, 22).toImage();
    QIcon::setThemeName(oldTheme);
    EXPECT_FALSE(paintedOpen.isNull());
    EXPECT_EQ(paintedOpen.pixmap(22, 22).toImage(), ours);
    EXPECT_TRUE(noPrint.isNull());
}

}  // namespace
