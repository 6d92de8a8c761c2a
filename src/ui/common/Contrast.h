#pragma once

#include <QColor>

// Text colours that stay readable on the background they are drawn on, measured as the web's
// accessibility guidelines measure it (relative luminance of sRGB, ratio 1 to 21).

inline constexpr double kReadableContrast = 4.5;

// (lighter + 0.05) / (darker + 0.05) of the two colours' relative luminances; alpha is ignored.
double contrastRatio(const QColor& a, const QColor& b);

// wanted when it stands out from background by at least kReadableContrast : 1; else wanted
// moved towards black or white (whichever lies further from background) just far enough, so a
// dimmed text stays dimmed but readable. Black or white when no step of it is enough.
QColor readableOn(const QColor& background, const QColor& wanted);
