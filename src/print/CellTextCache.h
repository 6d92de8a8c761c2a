#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

class QPaintDevice;
class QTextLayout;
class QPainter;

// The cell texts of a print job, each laid out once: a report of 1,000 pages writes about
// 250,000 cells, and their texts (dates, times, names, amounts) repeat heavily, while laying a
// text out costs far more than drawing it. One cache serves one painter at a time; it starts
// afresh when the painter's device or font is another than the one its texts were laid out for.
class CellTextCache {
public:
    struct CellText {
        QRectF cell;
        QString text;
        bool alignRight = false;
    };

    // Draws text in cell with the painter's font and pen exactly as
    //   drawText(cell, (alignRight ? AlignRight : AlignLeft) | AlignVCenter | TextSingleLine,
    //            fittedCellText(painter, text, cell.width(), alignRight))
    // does: the same glyphs at the same places, clipped to the cell only when the text does not
    // fit it. A PDF or an image gets the laid-out glyphs; any other device (the preview's
    // recording, which keeps texts rather than glyphs) gets the kept layout's line, as drawText
    // gives it. An empty text or cell draws nothing.
    void draw(QPainter& painter, const QRectF& cell, const QString& text, bool alignRight);
    // Draws each of cells as draw() does, in their order, with the same pen. A PDF gets the
    // glyphs of the cells that need no clip in as few runs as their fonts allow: it writes
    // each run it is given as a text object of its own, at a cost far above its glyphs'.
    void drawCells(QPainter& painter, const std::vector<CellText>& cells);

    // Distinct texts laid out for the current device and font.
    qsizetype size() const { return m_laidOut.size(); }

private:
    struct Key {
        QString text;
        double width;
        double height;
        bool alignRight;
        friend bool operator==(const Key&, const Key&) = default;
        friend size_t qHash(const Key& key, size_t seed) {
            return qHashMulti(seed, key.text, key.width, key.height, key.alignRight);
        }
    };
    // A text as it is drawn in a cell whose top-left corner is the origin.
    struct LaidOut {
        QList<QGlyphRun> glyphs;               // drawn as glyphs: positioned from the line's corner
        std::shared_ptr<QTextLayout> layout;   // drawn as text: its one line
        QPointF origin;                        // the line's corner from the cell's
        bool clipped = false;                  // the text runs out of its cell
    };

    // The text of key laid out on the painter's font, kept as glyphs or as its layout.
    const LaidOut& laidOut(const QPainter& painter, const Key& key, bool asGlyphs);

    QHash<Key, LaidOut> m_laidOut;
    const QPaintDevice* m_device = nullptr;
    QFont m_font;
};
