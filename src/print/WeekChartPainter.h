#pragma once

#include "core/chart/ChartLayout.h"
#include "core/chart/WeekChart.h"

#include <QString>

#include <optional>

class QPainter;
class QPoint;

// Drawing of the week chart over the geometry the core computes; the same code serves the
// screen and the printed page.

// The day label of a day: weekday, month name and day in the user's language, no year.
QString dayLabel(std::int32_t dayStart);

// The day label of a day as drawn in a label of width pixels in the chart's font: elided
// with "…" when it does not fit whole.
QString fittedDayLabel(std::int32_t dayStart, int width);

// Every how many hours an hour line is labelled when lines lie spacing apart and a label is
// labelWidth wide: 1 when labels fit between neighbours, else 2, 3, 4, 6, 12 or 24.
int hourLabelStep(double spacing, double labelWidth);

// Draws the header band, day rows, hour lines and bars of chart laid out in layout, every box
// with one pen. A day label wider than its cell is elided; hour labels too wide for their
// columns are given to every hourLabelStep-th hour only.
void paintWeekChart(QPainter& painter, const ql::WeekChart& chart, const ql::ChartLayout& layout);

// Marks bar as the one with the keyboard focus: a dotted frame just outside it, clipped to
// the chart.
void paintBarFocus(QPainter& painter, const ql::ChartLayout& layout, const ql::ChartRect& bar);

// Draws the tip with name at the cursor, clipped to the chart.
void paintChartTip(QPainter& painter, const ql::ChartLayout& layout, const QPoint& cursor, const QString& name);

// The printed variant on a 620 x 830 logical page: the chart at (20, 20, 400, 350), no tip,
// and its legend at (420, 20, 580, 350).
void paintPrintedWeekChart(QPainter& painter, const ql::WeekChart& chart);
