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

// The label column width that keeps every day label of chart whole in the chart's font.
int labelColumnWidthFor(const ql::WeekChart& chart);

// Draws the header band, day rows, hour lines and bars of chart laid out in layout.
void paintWeekChart(QPainter& painter, const ql::WeekChart& chart, const ql::ChartLayout& layout);

// Draws the tip with name at the cursor, clipped to the chart.
void paintChartTip(QPainter& painter, const ql::ChartLayout& layout, const QPoint& cursor, const QString& name);

// The printed variant on a 620 x 830 logical page: the chart at (20, 20, 400, 350), no tip,
// and its legend at (420, 20, 580, 350).
void paintPrintedWeekChart(QPainter& painter, const ql::WeekChart& chart);
