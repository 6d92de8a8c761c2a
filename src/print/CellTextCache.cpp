#include "print/CellTextCache.h"

#include "print/CellText.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Engines that draw a glyph run as text: the PDF writer (and the printers built on it) embeds
// the glyphs with their characters, the raster engine draws them from its glyph cache. Others,
// such as the preview's picture, would draw glyphs without characters as outlines.
bool drawsGlyphRunsAsText(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::Raster);
}

// What drawText would make of the text of a single line: line breaks and tabs are spaces.
QString singleLine(QString text) {
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
    return text;
}

}  // namespace

void CellTextCache::draw(QPainter& painter, const QRectF& cell, const QString& text, bool alignRight) {
    if (cell.width() <= 0 || cell.height() <= 0 || text.isEmpty()) return;
    // drawText's own way for what the layout below does not cover: a painter told to write
    // right to left (which turns the alignments round), and texts holding drawText's separator
    // of length variants.
    if (painter.layoutDirection() == Qt::RightToLeft || text.contains(QChar(0x9c))) {
        const int flags = (alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
        painter.drawText(cell, flags, fittedCellText(painter, text, cell.width(), alignRight));
        return;
    }
    if (painter.device() != m_device || painter.font() != m_font) {
        m_laidOut.clear();
        m_device = painter.device();
        m_font = painter.font();
    }
    const LaidOut& text_ = laidOut(painter, Key{text, cell.width(), cell.height(), alignRight});
    if (text_.clipped) {
        painter.save();
        painter.setClipRect(cell, Qt::IntersectClip);
    }
    if (drawsGlyphRunsAsText(painter)) {
        const QPointF origin(cell.x() + text_.origin.x(), cell.y() + text_.origin.y());
        for (const QGlyphRun& run : text_.glyphs) painter.drawGlyphRun(origin, run);
    } else {
        painter.drawText(QPointF(cell.x() + text_.origin.x(), cell.y() + text_.origin.y() + text_.ascent), text_.shown);
    }
    if (text_.clipped) painter.restore();
}

const CellTextCache::LaidOut& CellTextCache::laidOut(const QPainter& painter, const Key& key) {
    if (auto found = m_laidOut.constFind(key); found != m_laidOut.constEnd()) return *found;
    LaidOut out;
    out.shown = singleLine(fittedCellText(painter, key.text, key.width, key.alignRight));
    // The layout drawText makes of one line: in the painter's direction (by default each text's
    // own), left-aligned, unwrapped, on the painter's font (already resolved for its device);
    // then placed in the cell by its natural width and the height of its line.
    QTextLayout layout(out.shown, painter.font());
    QTextOption option = layout.textOption();
    option.setTextDirection(painter.layoutDirection());
    option.setAlignment(Qt::AlignLeft);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();

    const double width = line.naturalTextWidth();
    const double height = line.ascent() + line.descent();
    const double top = (key.height - height) / 2;
    const QRectF cell(0, 0, key.width, key.height);
    out.clipped = !cell.contains(QRectF(key.alignRight ? key.width - width : 0, top, width, height));
    const double left = key.alignRight ? key.width - line.horizontalAdvance() : 0;
    out.origin = QPointF(left, top);
    out.ascent = line.ascent();
    out.glyphs = layout.glyphRuns();
    return *m_laidOut.insert(key, std::move(out));
}
