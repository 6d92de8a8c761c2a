#include "print/InvoicePages.h"

#include "print/CellText.h"

#include "print/ReportPainter.h"

#include <QPainter>

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
            painter.drawText(rect, align | Qt::AlignTop | Qt::TextSingleLine, text);
            break;
        case ql::InvoiceTextStyle::Line:
            painter.setFont(font);
            // drawText clips to rect itself; an amount that does not fit shows the mark instead.
            painter.drawText(rect, align | Qt::AlignVCenter | Qt::TextSingleLine,
                             fittedCellText(painter, text, rect.width(), t.alignRight));
            break;
        case ql::InvoiceTextStyle::Wrapped:
            painter.setFont(font);
            painter.drawText(rect, align | Qt::AlignTop | Qt::TextWordWrap, text);
            break;
        }
    }
    painter.restore();
}

InvoicePages::InvoicePages(ql::Invoice invoice, ql::InvoiceParties parties, ql::FileSystem& fileSystem)
    : m_invoice(std::move(invoice)), m_parties(std::move(parties)), m_fs(fileSystem) {}

void InvoicePages::beginJob() {
    if (auto parties = ql::loadInvoiceParties(m_fs, m_invoice)) m_parties = std::move(parties).value();
}

void InvoicePages::paintPage(QPainter& painter, int page) {
    paintInvoicePage(painter, ql::invoicePage(m_invoice, m_parties, page));
}
