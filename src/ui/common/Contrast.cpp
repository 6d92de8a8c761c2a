#include "ui/common/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    const QColor rgb = c.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

QColor mix(const QColor& from, const QColor& to, double t) {
    auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const QColor f = from.toRgb(), g = to.toRgb();
    return QColor(channel(f.red(), g.red()), channel(f.green(), g.green()), channel(f.blue(), g.blue()));
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, const QColor& wanted) {
    if (contrastRatio(background, wanted) >= kReadableContrast) return wanted;
    const QColor black(0, 0, 0), white(255, 255, 255);
    const QColor end = contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
    // The first step far enough along the way to the far end.
    for (int step = 1; step <= 64; ++step) {
        const QColor candidate = mix(wanted, end, step / 64.0);
        if (contrastRatio(background, candidate) >= kReadableContrast) return candidate;
    }
    return end;
}
