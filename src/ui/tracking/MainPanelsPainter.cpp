#include "ui/tracking/MainPanelsPainter.h"

#include "print/CellFont.h"
#include "ui/common/CoreText.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include <algorithm>

namespace {

// A rectangle given by its corners, the right and bottom edges outside it.
QRect cell(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect cell(const ql::PanelCells& x, int top, int bottom) { return cell(x.left, top, x.right, bottom); }

void box(QPainter& painter, const QRect& rect) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void text(QPainter& painter, const QRect& rect, const QString& value, Qt::Alignment horizontal) {
    painter.drawText(rect, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), value);
}

// A header cell: a box whose text is inset 3 pixels, left-aligned.
void header(QPainter& painter, const QRect& rect, const QString& value) {
    box(painter, rect);
    text(painter, rect.adjusted(3, 0, -3, 0), value, Qt::AlignLeft);
}

// The panel's cells, widened where a time or charge text of its rows needs more room.
template <typename Rows>
ql::PanelColumns columnsFor(const Rows& rows, int left, int labelLeft, int right) {
    const QFontMetrics metrics(arialBoldCell(12));
    int timeWidth = 0, chargeWidth = 0;
    for (const ql::PanelRow& r : rows) {
        // One pixel more than the advance, for the antialiased edge of the last digit.
        timeWidth = std::max(timeWidth, metrics.horizontalAdvance(QString::fromStdString(r.timeText)) + 1);
        chargeWidth = std::max(chargeWidth, metrics.horizontalAdvance(QString::fromStdString(r.chargeText)) + 1);
    }
    return ql::panelColumns(left, labelLeft, right, timeWidth, chargeWidth);
}

void headers(QPainter& painter, const ql::PanelColumns& c, const QString& first) {
    painter.setFont(arialBoldCell(14));
    header(painter, cell(c.labelHeader, 10, 31), first);
    header(painter, cell(c.timeHeader, 10, 31), QCoreApplication::translate("MainPanelsPainter", "Time"));
    header(painter, cell(c.chargeHeader, 10, 31), QCoreApplication::translate("MainPanelsPainter", "Charges"));
}

void row(QPainter& painter, const ql::PanelRow& r, const ql::PanelColumns& c, int y) {
    text(painter, cell(c.label, y, y + 15), QString::fromStdString(r.label), Qt::AlignLeft);
    text(painter, cell(c.time, y, y + 15), QString::fromStdString(r.timeText), Qt::AlignRight);
    text(painter, cell(c.charge, y, y + 15), QString::fromStdString(r.chargeText), Qt::AlignRight);
}

}  // namespace

MainPanelsPainter::MainPanelsPainter(const std::array<ql::PanelRow, ql::kPeriodCount>& totals,
                                     const std::vector<ql::PanelRow>& running, State state)
    : m_totals(totals), m_running(running), m_state(state) {}

void MainPanelsPainter::paint(QPainter& painter, int width) const {
    paintRunningPanel(painter, width);
    paintTotalsPanel(painter, width);
}

void MainPanelsPainter::paintRunningPanel(QPainter& painter, int width) const {
    const int left = width / 2 + 5, right = width - 5;
    const QRect panel = cell(left, 30, right, 105);
    const ql::PanelColumns columns = runningColumns(width);
    box(painter, panel);
    headers(painter, columns, QCoreApplication::translate("MainPanelsPainter", "Project"));
    painter.setFont(arialBoldCell(12));
    if (m_running.empty()) {
        text(painter, cell(left + 5, 30, right - 5, 105),
             QCoreApplication::translate("MainPanelsPainter",
                                         "Press the 'Check In' button to start timing a project"), Qt::AlignHCenter);
    } else {
        int y = 30;
        for (const ql::PanelRow& r : m_running) {
            row(painter, r, columns, y);
            y += 15;
        }
    }
    if (m_state.paused) {
        painter.setFont(arialBoldCell(24));
        painter.setPen(QColor(0, 0, 255));
        text(painter, panel, QCoreApplication::translate("MainPanelsPainter", "PAUSE"), Qt::AlignHCenter);
        painter.setPen(Qt::black);
    }
}

void MainPanelsPainter::paintTotalsPanel(QPainter& painter, int width) const {
    const int h = width / 2 - 5;
    const ql::PanelColumns columns = totalsColumns(width);
    box(painter, cell(5, 30, h, 105));
    headers(painter, columns, QCoreApplication::translate("MainPanelsPainter", "Total charges for..."));
    painter.setFont(arialBoldCell(12));
    if (!m_state.fileSetOpen) {
        text(painter, cell(10, 30, h - 5, 105),
             QCoreApplication::translate("MainPanelsPainter", "Open or create a 'Quillory' file"), Qt::AlignHCenter);
        return;
    }
    for (std::size_t i = 0; i < ql::kPeriodCount; ++i) {
        ql::PanelRow shown = m_totals[i];
        shown.label = coreText(shown.name).toStdString();
        row(painter, shown, columns, 30 + 18 * static_cast<int>(i));
    }
}

ql::PanelColumns MainPanelsPainter::totalsColumns(int width) const {
    const int h = width / 2 - 5;
    if (!m_state.fileSetOpen) return ql::panelColumns(5, 8, h, 0, 0);
    return columnsFor(m_totals, 5, 8, h);
}

ql::PanelColumns MainPanelsPainter::runningColumns(int width) const {
    const int left = width / 2 + 5;
    return columnsFor(m_running, left, left + 3, width - 5);
}
