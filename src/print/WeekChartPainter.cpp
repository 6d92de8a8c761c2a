#include "print/WeekChartPainter.h"

#include "core/chart/ChartLegend.h"
#include "core/time/Calendar.h"
#include "print/CellFont.h"
#include "print/LongDateFormat.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPoint>

#include <algorithm>

namespace {

QFont chartFont() { return arialBoldCell(12); }

// Hour labels shrink to fit their columns, but not below this size (about 7 points on paper).
constexpr int kSmallestHourLabel = 6;

QRect toQRect(const ql::ChartRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

QColor toQColor(const ql::Rgb& c) { return QColor(c.r, c.g, c.b); }

// A box whose outline lies on the rectangle's edge pixels.
void box(QPainter& painter, const ql::ChartRect& r, const QBrush& fill = QBrush(Qt::white)) {
    QPen pen(QBrush(Qt::black), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(false);
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawRect(QRect(r.left, r.top, std::max(0, r.width() - 1), std::max(0, r.height() - 1)));
}

void singleLine(QPainter& painter, const ql::ChartRect& r, const QString& text, Qt::Alignment horizontal) {
    painter.drawText(toQRect(r), static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

}  // namespace

int hourLabelStep(double spacing, double labelWidth) {
    // Two units between neighbours keep them apart to the eye.
    for (const int step : {1, 2, 3, 4, 6, 12})
        if (spacing * step - 2 >= labelWidth) return step;
    return 24;
}

QString dayLabel(std::int32_t dayStart) {
    const ql::calendar::LocalTime t = ql::calendar::toLocal(dayStart);
    return longDateWithoutYear(QDate(t.year, t.month, t.day));
}

QString fittedDayLabel(std::int32_t dayStart, int width) {
    return QFontMetrics(chartFont()).elidedText(dayLabel(dayStart), Qt::ElideRight, width);
}

void paintWeekChart(QPainter& painter, const ql::WeekChart& chart, const ql::ChartLayout& layout) {
    painter.save();
    painter.setFont(chartFont());
    box(painter, layout.header);
    box(painter, layout.rows);

    const auto days = chart.days();
    for (std::size_t d = 0; d < days.size(); ++d) {
        box(painter, layout.dayCells[d]);
        painter.setPen(Qt::black);
        const ql::ChartRect& label = layout.dayLabels[d];
        singleLine(painter, label, fittedDayLabel(days[d].start, label.width()), Qt::AlignLeft);
    }

    QPen dotted(QColor(192, 192, 192));
    dotted.setStyle(Qt::DotLine);
    dotted.setWidth(1);
    // On the printed page an hour is about 30 units wide, narrower than "00:00" in the chart
    // font: the labels shrink, down to a size still read on paper, and when they still run into
    // each other (many hours) only every second, third, ... hour is labelled.
    int step = 1;
    if (layout.hourLines.size() >= 2) {
        const double spacing = layout.hourLines[1].x - layout.hourLines[0].x;
        const QString sample = QStringLiteral("00:00");
        double width = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(sample);
        if (width > spacing - 2 && spacing > 2) {
            QFont labelFont = painter.font();
            labelFont.setPixelSize(std::max(kSmallestHourLabel,
                                            static_cast<int>(labelFont.pixelSize() * (spacing - 2) / width)));
            painter.setFont(labelFont);
            width = QFontMetricsF(labelFont, painter.device()).horizontalAdvance(sample);
        }
        step = hourLabelStep(spacing, width);
    }
    for (std::size_t i = 0; i < layout.hourLines.size(); ++i) {
        const ql::HourLine& line = layout.hourLines[i];
        painter.setPen(dotted);
        painter.drawLine(line.x, layout.rows.top, line.x, layout.rows.bottom - 1);
        const int hour = layout.firstMinute / 60 + static_cast<int>(i) + 1;
        if (hour % step != 0) continue;
        painter.setPen(Qt::black);
        singleLine(painter, line.labelRect, QString::fromStdString(line.label), Qt::AlignHCenter);
    }

    for (const ql::ChartBar& bar : ql::layoutBars(layout, chart))
        box(painter, bar.rect, QBrush(toQColor(chart.items()[bar.item].colour)));
    painter.restore();
}

void paintBarFocus(QPainter& painter, const ql::ChartLayout& layout, const ql::ChartRect& bar) {
    painter.save();
    painter.setClipRect(toQRect(layout.rows));
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(bar.left - 2, bar.top - 2, bar.width() + 3, bar.height() + 3));
    painter.restore();
}

void paintChartTip(QPainter& painter, const ql::ChartLayout& layout, const QPoint& cursor, const QString& name) {
    painter.save();
    QFont font = chartFont();
    painter.setFont(font);
    const ql::ChartRect tip = ql::tipRect(cursor.x(), cursor.y(), QFontMetrics(font).horizontalAdvance(name));
    painter.setClipRect(toQRect(layout.area()));
    box(painter, tip, QBrush(QColor(255, 255, 128)));
    painter.setPen(Qt::black);
    singleLine(painter, tip, name, Qt::AlignHCenter);
    painter.restore();
}

void paintPrintedWeekChart(QPainter& painter, const ql::WeekChart& chart) {
    paintWeekChart(painter, chart, ql::layoutWeekChart(chart, ql::kPrintedChartArea));
    const ql::ChartLegend legend = ql::layoutLegend(chart.items(), ql::kPrintedLegendArea);
    painter.save();
    box(painter, legend.frame);
    for (const ql::LegendEntry& entry : legend.entries) {
        box(painter, entry.swatch, QBrush(toQColor(entry.colour)));
        painter.setPen(Qt::black);
        singleLine(painter, entry.text, QString::fromStdString(entry.name), Qt::AlignLeft);
    }
    painter.restore();
}
