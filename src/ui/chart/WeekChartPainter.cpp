#include "ui/chart/WeekChartPainter.h"

#include "core/chart/ChartLegend.h"
#include "core/time/Calendar.h"
#include "ui/common/CellFont.h"
#include "ui/common/LongDateFormat.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>

#include <algorithm>

namespace {

QFont chartFont() { return arialBoldCell(12); }

QRect toQRect(const ql::ChartRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

QColor toQColor(const ql::Rgb& c) { return QColor(c.r, c.g, c.b); }

// A box whose outline lies on the rectangle's edge pixels.
void box(QPainter& painter, const ql::ChartRect& r, const QBrush& fill = QBrush(Qt::white)) {
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(QRect(r.left, r.top, std::max(0, r.width() - 1), std::max(0, r.height() - 1)));
}

void singleLine(QPainter& painter, const ql::ChartRect& r, const QString& text, Qt::Alignment horizontal) {
    painter.drawText(toQRect(r), static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

}  // namespace

QString dayLabel(std::int32_t dayStart) {
    const ql::calendar::LocalTime t = ql::calendar::toLocal(dayStart);
    return longDateWithoutYear(QDate(t.year, t.month, t.day));
}

int labelColumnWidthFor(const ql::WeekChart& chart) {
    const QFontMetrics metrics(chartFont());
    int widest = 0;
    for (const ql::ChartDay& day : chart.days()) widest = std::max(widest, metrics.horizontalAdvance(dayLabel(day.start)));
    return ql::labelColumnWidthFor(widest);
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
        singleLine(painter, layout.dayLabels[d], dayLabel(days[d].start), Qt::AlignLeft);
    }

    QPen dotted(QColor(192, 192, 192));
    dotted.setStyle(Qt::DotLine);
    dotted.setWidth(1);
    for (const ql::HourLine& line : layout.hourLines) {
        painter.setPen(dotted);
        painter.drawLine(line.x, layout.rows.top, line.x, layout.rows.bottom - 1);
        painter.setPen(Qt::black);
        singleLine(painter, line.labelRect, QString::fromStdString(line.label), Qt::AlignHCenter);
    }

    for (const ql::ChartBar& bar : ql::layoutBars(layout, chart))
        box(painter, bar.rect, QBrush(toQColor(chart.items()[bar.item].colour)));
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
    paintWeekChart(painter, chart, ql::layoutWeekChart(chart, ql::kPrintedChartArea, labelColumnWidthFor(chart)));
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
