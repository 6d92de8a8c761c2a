#pragma once

#include <QString>

class QPainter;
class QRectF;

// The overflow mark of a right-aligned cell: an amount or a duration cut to its cell would read
// as another, valid-looking number ("1000000000000.00" as "0000000000000.00").
inline constexpr const char* kCellOverflowMark = "###";

// The text to draw in a cell of width `width` with the painter's font: right-aligned texts
// that do not fit become kCellOverflowMark; left-aligned ones (names) are left to be clipped.
QString fittedCellText(const QPainter& painter, const QString& text, double width, bool alignRight);
