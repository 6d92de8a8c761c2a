#include "print/ReportPainter.h"

#include "print/CellTextCache.h"

#include <QPainter>
#include <QPen>

#include <vector>

namespace {

// Lines half a unit wide: thin on paper at any resolution, yet never below one device pixel
// as a cosmetic pen would be on a 1200 dpi printer.
QPen linePen() { return QPen(QBrush(Qt::black), 0.5); }

QRectF toQRect(const ql::ReportRect& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top); }

CellTextCache::CellText cellText(const ql::ReportRect& rect, const QString& text, ql::CellAlign align) {
    return {toQRect(rect), text, align == ql::CellAlign::Right};
}

CellTextCache::CellText cellText(const ql::ReportCell& cell) {
    return cellText(cell.rect, QString::fromStdString(cell.text), cell.align);
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
        cells.drawCells(painter, {cellText(box.title)});
    }

    if (page >= 1 && static_cast<std::size_t>(page) <= layout.pages.size()) {
        const QColor blue(0, 0, 255);
        for (const ql::ReportLine& line : layout.pages[static_cast<std::size_t>(page - 1)]) {
            const bool total = line.kind != ql::ReportLineKind::Row;
            // The line pen only for lines that have rules: each change of pen is written into a
            // PDF, and most lines have none.
            if (!line.rules.empty()) {
                painter.setPen(linePen());
                for (const ql::ReportRule& rule : line.rules) painter.drawLine(QPointF(rule.left, rule.y), QPointF(rule.right, rule.y));
            }
            painter.setPen(total ? blue : QColor(Qt::black));
            std::vector<CellTextCache::CellText> texts;
            texts.reserve(line.cells.size());
            for (const ql::ReportCell& cell : line.cells) texts.push_back(cellText(cell));
            cells.drawCells(painter, texts);
        }
    }

    painter.setPen(Qt::black);
    cells.drawCells(painter, {cellText(ql::kReportFooterArea, QString::fromStdString(ql::reportPageText(page)),
                                       ql::CellAlign::Right),
                              cellText(ql::kReportFooterArea, title, ql::CellAlign::Left)});
    painter.restore();
}
