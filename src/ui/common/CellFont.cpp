#include "ui/common/CellFont.h"

#include <QFontMetricsF>
#include <QHash>

#include <cmath>

namespace {

QFont arialBold(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}

}  // namespace

QFont arialBoldCell(int cellHeight) {
    // Measured once on a large size, where hinting does not round the ratio away.
    static QHash<int, int> emSizes;
    auto found = emSizes.constFind(cellHeight);
    if (found == emSizes.constEnd()) {
        constexpr int kProbe = 1000;
        const QFontMetricsF metrics(arialBold(kProbe));
        const double lineRatio = (metrics.ascent() + metrics.descent()) / kProbe;
        const int em = lineRatio > 0 ? static_cast<int>(std::lround(cellHeight / lineRatio)) : cellHeight;
        found = emSizes.insert(cellHeight, std::max(1, em));
    }
    return arialBold(*found);
}
