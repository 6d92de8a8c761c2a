#include "print/ReportPainter.h"

#include "print/CellTextCache.h"

#include <QPainter>
#include <QPen>

namespace {

// Lines half a unit wide: thin on paper at any resolution, yet never below one device pixel
// as a cosmetic pen would be on a 1200 dpi printer.
QPen linePen() { return QPen(QBrush(Qt::black), 0.5); }

QRectF toQRect(const ql::ReportRect& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top); }

void writeCell(QPainter& painter, CellTextCache& cells, const ql::ReportRect& rect, const QString& text,
               ql::CellAlign align) {
    cells.draw(painter, toQRect(rect), text, align == ql::CellAlign::Right);
}

void writeCell(QPainter& painter, CellTextCache& cells, const ql::ReportCell& cell) {
    writeCell(painter, cells, cell.rect, QString::fromStdString(cell.text), cell.align);
}

}  // namespace

QFont reportFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

void paintReportPage(QPainter& painter, const ql::ReportLayout& layout, int page, const QString& title,
                     CellTextCache& cells) {
    painter.save();
    painter.setFont(reportFont());
    painter.setBrush(Qt::NoBrush);
    for (const ql::ReportHeaderBox& box : layout.header) {
        painter.setPen(linePen());
        painter.drawRect(toQRect(box.box));
        writeCell(painter, cells, box.title);
    }

    if (page >= 1 && static_cast<std::size_t>(page) <= layout.pages.size()) {
        const QColor blue(0, 0, 255);
        for (const ql::ReportLine& line : layout.pages[static_cast<std::size_t>(page - 1)]) {
            const bool total = line.kind != ql::ReportLineKind::Row;
            painter.setPen(linePen());
            for (const ql::ReportRule& rule : line.rules) painter.drawLine(QPointF(rule.left, rule.y), QPointF(rule.right, rule.y));
            painter.setPen(total ? blue : QColor(Qt::black));
            for (const ql::ReportCell& cell : line.cells) writeCell(painter, cells, cell);
        }
    }

    painter.setPen(Qt::black);
    writeCell(painter, cells, ql::kReportFooterArea, QString::fromStdString(ql::reportPageText(page)), ql::CellAlign::Right);
    writeCell(painter, cells, ql::kReportFooterArea, title, ql::CellAlign::Left);
    painter.restore();
}
