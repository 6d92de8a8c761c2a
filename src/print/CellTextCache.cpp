#include "print/CellTextCache.h"

#include "print/CellText.h"

#include <QPaintEngine>
#include <QRawFont>
#include <QPainter>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <memory>

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

// Glyphs of several cells gathered into one run per font at their places: the PDF writer
// spends more on each run it is given (a text object, the pen and brush set again) than on
// writing its glyphs.
class GlyphBatch {
public:
    // Adds runs drawn at origin; false, adding nothing, for runs with decorations or a
    // direction of their own, which are drawn as they are.
    bool add(const QList<QGlyphRun>& runs, const QPointF& origin) {
        for (const QGlyphRun& run : runs)
            if (run.flags() != QGlyphRun::GlyphRunFlags()) return false;
        for (const QGlyphRun& run : runs) {
            const QRawFont font = run.rawFont();
            auto pending = std::find_if(m_pending.begin(), m_pending.end(), [&](const Pending& p) { return p.font == font; });
            if (pending == m_pending.end()) {
                pending = m_pending.insert(m_pending.end(), Pending{font, {}, {}});
                // A report line's worth, so that it rarely grows.
                pending->indexes.reserve(kLineGlyphs);
                pending->positions.reserve(kLineGlyphs);
            }
            pending->indexes.append(run.glyphIndexes());
            // As drawGlyphRun places them: the origin plus each glyph's position.
            for (const QPointF& at : run.positions()) pending->positions.append(origin + at);
        }
        return true;
    }

    void flush(QPainter& painter) {
        for (const Pending& pending : m_pending) {
            QGlyphRun run;
            run.setRawFont(pending.font);
            run.setGlyphIndexes(pending.indexes);
            run.setPositions(pending.positions);
            painter.drawGlyphRun(QPointF(0, 0), run);
        }
        m_pending.clear();
    }

private:
    static constexpr qsizetype kLineGlyphs = 64;
    struct Pending {
        QRawFont font;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    std::vector<Pending> m_pending;
};

}  // namespace

void CellTextCache::draw(QPainter& painter, const QRectF& cell, const QString& text, bool alignRight) {
    drawCells(painter, {{cell, text, alignRight}});
}

void CellTextCache::drawCells(QPainter& painter, const std::vector<CellText>& cells) {
    const bool asGlyphs = drawsGlyphRunsAsText(painter);
    GlyphBatch batch;
    for (const CellText& c : cells) {
        if (c.cell.width() <= 0 || c.cell.height() <= 0 || c.text.isEmpty()) continue;
        // drawText's own way for what the layout below does not cover: a painter told to write
        // right to left (which turns the alignments round), and texts holding drawText's
        // separator of length variants.
        if (painter.layoutDirection() == Qt::RightToLeft || c.text.contains(QChar(0x9c))) {
            batch.flush(painter);
            const int flags = (c.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
            painter.drawText(c.cell, flags, fittedCellText(painter, c.text, c.cell.width(), c.alignRight));
            continue;
        }
        if (painter.device() != m_device || painter.font() != m_font) {
            m_laidOut.clear();
            m_device = painter.device();
            m_font = painter.font();
        }
        const LaidOut& text = laidOut(painter, Key{c.text, c.cell.width(), c.cell.height(), c.alignRight}, asGlyphs);
        const QPointF origin(c.cell.x() + text.origin.x(), c.cell.y() + text.origin.y());
        if (asGlyphs && !text.clipped && batch.add(text.glyphs, origin)) continue;
        // A clip ends the gathered glyphs, which must not fall under it.
        batch.flush(painter);
        if (text.clipped) {
            painter.save();
            painter.setClipRect(c.cell, Qt::IntersectClip);
        }
        if (asGlyphs) {
            for (const QGlyphRun& run : text.glyphs) painter.drawGlyphRun(origin, run);
        } else {
            // As drawText draws its line, from the kept layout, whose shaping is done.
            text.layout->lineAt(0).draw(&painter, origin);
        }
        if (text.clipped) painter.restore();
    }
    batch.flush(painter);
}

const CellTextCache::LaidOut& CellTextCache::laidOut(const QPainter& painter, const Key& key, bool asGlyphs) {
    if (auto found = m_laidOut.constFind(key); found != m_laidOut.constEnd()) return *found;
    LaidOut out;
    // The layout drawText makes of one line: in the painter's direction (by default each text's
    // own), left-aligned, unwrapped, on the painter's font (already resolved for its device);
    // then placed in the cell by its natural width and the height of its line.
    auto layout = std::make_shared<QTextLayout>(singleLine(fittedCellText(painter, key.text, key.width, key.alignRight)),
                                                painter.font());
    QTextOption option = layout->textOption();
    option.setTextDirection(painter.layoutDirection());
    option.setAlignment(Qt::AlignLeft);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout->endLayout();

    const double width = line.naturalTextWidth();
    const double height = line.ascent() + line.descent();
    const double top = (key.height - height) / 2;
    const QRectF cell(0, 0, key.width, key.height);
    out.clipped = !cell.contains(QRectF(key.alignRight ? key.width - width : 0, top, width, height));
    const double left = key.alignRight ? key.width - line.horizontalAdvance() : 0;
    out.origin = QPointF(left, top);
    if (asGlyphs)
        out.glyphs = layout->glyphRuns();
    else
        out.layout = std::move(layout);
    return *m_laidOut.insert(key, std::move(out));
}
