#include "print/InvoicePages.h"

#include "print/CellText.h"
#include "print/ReportPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace {

QRectF toQRect(const ql::InvoiceRect& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

QFont invoiceTitleFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    return font;
}

namespace {

// The text of a one-line cell whose tail must stay readable: the head is elided to leave room
// for it, and a tail too wide on its own makes the painter's font smaller until it fits.
QString keepingTail(QPainter& painter, const ql::InvoicePageText& t, double width) {
    const QString whole = QString::fromStdString(t.text);
    QFontMetricsF metrics(painter.font(), painter.device());
    if (t.keepTail == 0 || t.keepTail > t.text.size() || metrics.horizontalAdvance(whole) <= width) return whole;
    const QString tail = QString::fromStdString(t.text.substr(t.text.size() - t.keepTail));
    const QString head = QString::fromStdString(t.text.substr(0, t.text.size() - t.keepTail));
    QFont font = painter.font();
    while (metrics.horizontalAdvance(tail) > width && font.pixelSize() > 6) {
        font.setPixelSize(font.pixelSize() - 1);
        painter.setFont(font);
        metrics = QFontMetricsF(font, painter.device());
    }
    // The blank between the head and the tail stays, so "INVOICE FOR…" and the number do not run together.
    const QString gap = head.endsWith(QLatin1Char(' ')) ? QStringLiteral(" ") : QString();
    const double room = width - metrics.horizontalAdvance(gap + tail);
    return metrics.elidedText(head.trimmed(), Qt::ElideRight, std::max(0.0, room)) + gap + tail;
}

// Wrapped text with its lines broken at words and at '\n', drawn down from the top of rect as
// far as whole lines fit: a line cut through its letters reads as neither.
void drawWholeLines(QPainter& painter, const QRectF& rect, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double lineHeight = metrics.lineSpacing();
    double y = rect.top();
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, painter.font(), painter.device());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(rect.width());
            if (y + lineHeight > rect.bottom()) {
                layout.endLayout();
                return;
            }
            painter.drawText(QRectF(rect.left(), y, rect.width(), lineHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                             paragraph.mid(line.textStart(), line.textLength()));
            y += lineHeight;
        }
        layout.endLayout();
    }
}

}  // namespace

void paintInvoicePage(QPainter& painter, const ql::InvoicePage& page) {
    painter.save();
    // A frame is a one-unit border inside its rectangle, filled rather than stroked so that
    // it keeps its width however the page is scaled.
    for (const ql::InvoiceRect& f : page.frames) {
        const QRectF r = toQRect(f);
        painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), Qt::black);
        painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), Qt::black);
        painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), Qt::black);
        painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), Qt::black);
    }
    painter.setPen(Qt::black);
    const QFont font = reportFont();
    for (const ql::InvoicePageText& t : page.texts) {
        if (t.text.empty()) continue;
        const QRectF rect = toQRect(t.rect);
        const QString text = QString::fromStdString(t.text);
        const int align = t.alignRight ? Qt::AlignRight : Qt::AlignLeft;
        switch (t.style) {
        case ql::InvoiceTextStyle::Title:
            painter.setFont(invoiceTitleFont());
            painter.drawText(rect, align | Qt::AlignTop | Qt::TextSingleLine, keepingTail(painter, t, rect.width()));
            break;
        case ql::InvoiceTextStyle::Line:
            painter.setFont(font);
            // drawText clips to rect itself; an amount that does not fit shows the mark instead.
            painter.drawText(rect, align | Qt::AlignVCenter | Qt::TextSingleLine,
                             fittedCellText(painter, text, rect.width(), t.alignRight));
            break;
        case ql::InvoiceTextStyle::Wrapped:
            painter.setFont(font);
            drawWholeLines(painter, rect, text);
            break;
        }
    }
    painter.restore();
}

InvoicePages::InvoicePages(ql::Invoice invoice, ql::InvoiceParties parties, ql::FileSystem& fileSystem,
                           Parties source)
    : m_invoice(std::move(invoice)), m_parties(std::move(parties)), m_fs(fileSystem), m_source(source) {}

void InvoicePages::beginJob() {
    // A reprint shows the company and customer as issued, whatever the files say now.
    if (m_invoice.asIssued || m_source == Parties::Kept) return;
    if (auto parties = ql::loadInvoiceParties(m_fs, m_invoice)) m_parties = std::move(parties).value();
}

void InvoicePages::paintPage(QPainter& painter, int page) {
    paintInvoicePage(painter, ql::invoicePage(m_invoice, m_parties, page));
}
