#include "print/CellText.h"

#include <QFontMetricsF>
#include <QPainter>

QString fittedCellText(const QPainter& painter, const QString& text, double width, bool alignRight) {
    if (!alignRight) return text;
    const QFontMetricsF metrics(painter.font(), painter.device());
    // Half a unit of slack: a text that fits exactly must not turn into the mark by rounding.
    if (metrics.horizontalAdvance(text) <= width + 0.5) return text;
    return QString::fromLatin1(kCellOverflowMark);
}
