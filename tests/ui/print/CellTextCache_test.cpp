#include "ui/print/PdfText.h"

#include "print/CellText.h"
#include "print/CellTextCache.h"
#include "print/PageSource.h"
#include "print/ReportPainter.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QRectF>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct CellCase {
    const char* what;
    QString text;
    QRectF cell;
    bool alignRight;
};

// Cells as the reports write them, and the edges of drawText's single-line layout.
const std::vector<CellCase>& cellCases() {
    static const std::vector<CellCase> cases = {
        {"a date that fits", QStringLiteral("01/09/1996"), QRectF(310, 45, 78, 15), false},
        {"an amount at the right", QStringLiteral("734.67"), QRectF(520, 60, 70, 15), true},
        {"an amount too wide: the mark", QStringLiteral("1000000000000.00"), QRectF(520, 75, 40, 15), true},
        {"a name cut by its cell", QStringLiteral("A project name far longer than its column"), QRectF(30, 90, 120, 15), false},
        {"a text taller than its cell", QStringLiteral("Sub-Total"), QRectF(30, 105, 120, 8), false},
        {"leading spaces", QStringLiteral("   Sub-Total"), QRectF(30, 120, 200, 15), false},
        {"a trailing space at the right", QStringLiteral("12.00 "), QRectF(520, 135, 70, 15), true},
        {"line breaks and a tab", QStringLiteral("Line\nbreak\r\ttab"), QRectF(30, 150, 300, 15), false},
        {"fractional corners", QStringLiteral("16:22"), QRectF(401.3, 165.7, 60.25, 14.6), true},
        {"accents and another script", QStringLiteral("Café Ωμέγα Жук"), QRectF(30, 180, 300, 15), false},
        {"a right-to-left name", QStringLiteral("פרויקט 7"), QRectF(30, 195, 300, 15), false},
        {"nothing to write", QString(), QRectF(30, 210, 100, 15), false},
        {"a cell of no width", QStringLiteral("x"), QRectF(30, 225, 0, 15), false},
    };
    return cases;
}

// What the report painter drew before texts were kept: each cell laid out by drawText.
void drawTextCell(QPainter& painter, const CellCase& c) {
    if (c.cell.width() <= 0 || c.cell.height() <= 0 || c.text.isEmpty()) return;
    const int flags = (c.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(c.cell, flags, fittedCellText(painter, c.text, c.cell.width(), c.alignRight));
}

// The cell written twice, as a later page writes a text an earlier one laid out, in black and
// then in the blue of the totals.
void paintTwice(QPainter& painter, const std::function<void()>& drawCell) {
    painter.setFont(reportFont());
    painter.setPen(Qt::black);
    drawCell();
    painter.translate(0, 300);
    painter.setPen(QColor(0, 0, 255));
    drawCell();
}

// The upper part of the logical page, where the cells are written twice, at four pixels to the
// unit: a glyph a quarter of a unit out of place shows.
QImage pageImage(const std::function<void()>& paint, QPainter& painter) {
    QImage image(4 * kLogicalPageWidth, 4 * 560, QImage::Format_RGB32);
    image.fill(Qt::white);
    painter.begin(&image);
    painter.scale(4, 4);
    paint();
    painter.end();
    return image;
}

const QImage& blankPage() {
    static const QImage blank = [] {
        QPainter painter;
        return pageImage([] {}, painter);
    }();
    return blank;
}

// On an image, as the tests and thumbnails draw pages, the kept glyphs give the very pixels.
TEST(CellTextCache, DrawsTheImageDrawTextDraws) {
    for (const CellCase& c : cellCases()) {
        SCOPED_TRACE(c.what);
        QPainter painter;
        CellTextCache cache;
        const QImage expected = pageImage([&] { paintTwice(painter, [&] { drawTextCell(painter, c); }); }, painter);
        const QImage drawn =
            pageImage([&] { paintTwice(painter, [&] { cache.draw(painter, c.cell, c.text, c.alignRight); }); }, painter);
        EXPECT_TRUE(drawn == expected);
        if (c.cell.width() > 0 && !c.text.isEmpty()) {
            EXPECT_TRUE(drawn != blankPage()) << "nothing was drawn";
        }
    }
}

// The preview records its pages as pictures that keep texts and lay them out again when shown:
// shown, the recording holds the same texts at the same places, with the same clips.
TEST(CellTextCache, RecordsThePreviewsPictureDrawTextRecords) {
    const auto shown = [](const std::function<void(QPainter&)>& drawCell) {
        QPicture picture;
        {
            QPainter painter(&picture);
            paintTwice(painter, [&] { drawCell(painter); });
        }
        QPainter painter;
        return pageImage([&] { picture.play(&painter); }, painter);
    };
    for (const CellCase& c : cellCases()) {
        SCOPED_TRACE(c.what);
        CellTextCache cache;
        const QImage expected = shown([&](QPainter& painter) { drawTextCell(painter, c); });
        const QImage recorded = shown([&](QPainter& painter) { cache.draw(painter, c.cell, c.text, c.alignRight); });
        EXPECT_TRUE(recorded == expected);
        if (c.cell.width() > 0 && !c.text.isEmpty()) {
            EXPECT_TRUE(recorded != blankPage()) << "nothing was shown";
        }
    }
}

std::vector<CellTextCache::CellText> allCells() {
    std::vector<CellTextCache::CellText> cells;
    for (const CellCase& c : cellCases()) cells.push_back({c.cell, c.text, c.alignRight});
    return cells;
}

// Cells written together, as a report line's are, with their glyphs gathered into few runs:
// the same image as each cell by drawText, and the same text in a PDF.
TEST(CellTextCache, DrawsCellsTogetherAsEachOnItsOwn) {
    QPainter painter;
    const auto eachByDrawText = [&] {
        paintTwice(painter, [&] {
            for (const CellCase& c : cellCases()) drawTextCell(painter, c);
        });
    };
    CellTextCache cache;
    const auto together = [&] { paintTwice(painter, [&] { cache.drawCells(painter, allCells()); }); };
    EXPECT_TRUE(pageImage(together, painter) == pageImage(eachByDrawText, painter));

    QTemporaryDir dir;
    const auto pdf = [&](const QString& name, const std::function<void()>& paint) {
        const QString path = dir.filePath(name);
        QPdfWriter writer(path);
        painter.begin(&writer);
        mapLogicalPage(painter);
        paint();
        painter.end();
        return pdfText(path, {QStringLiteral("-layout")});
    };
    const QString expected = pdf(QStringLiteral("each.pdf"), eachByDrawText);
    EXPECT_TRUE(expected.contains(QStringLiteral("01/09/1996")));
    EXPECT_EQ(pdf(QStringLiteral("together.pdf"), together), expected);
}

// A text is laid out once per cell size and alignment; another font, or another device, lays
// it out afresh rather than drawing glyphs of the old one.
TEST(CellTextCache, LaysEachTextOutOncePerFontAndDevice) {
    CellTextCache cache;
    QImage image(620, 830, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(reportFont());
    const QRectF cell(10, 10, 80, 15);
    cache.draw(painter, cell, QStringLiteral("01/09/1996"), false);
    cache.draw(painter, cell.translated(0, 15), QStringLiteral("01/09/1996"), false);
    EXPECT_EQ(cache.size(), 1);
    cache.draw(painter, cell, QStringLiteral("01/09/1996"), true);
    cache.draw(painter, cell.adjusted(0, 0, 10, 0), QStringLiteral("01/09/1996"), false);
    EXPECT_EQ(cache.size(), 3);

    QFont bigger = reportFont();
    bigger.setPixelSize(20);
    painter.setFont(bigger);
    cache.draw(painter, cell, QStringLiteral("01/09/1996"), false);
    EXPECT_EQ(cache.size(), 1);
    painter.end();

    QImage other(620, 830, QImage::Format_RGB32);
    QPainter onOther(&other);
    onOther.setFont(bigger);
    cache.draw(onOther, cell, QStringLiteral("Beta"), false);
    EXPECT_EQ(cache.size(), 1);
}

}  // namespace
