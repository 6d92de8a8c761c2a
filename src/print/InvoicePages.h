#pragma once

#include "core/reports/Invoice.h"
#include "core/reports/InvoicePage.h"
#include "print/PageSource.h"

#include <QFont>

namespace ql {
class FileSystem;
}

// The invoice title's font: Arial (Liberation Sans, its metric twin) bold, 14 units high.
QFont invoiceTitleFont();

// Paints one laid-out invoice page on the logical page: the one-unit black frames, the texts
// on single clipped lines in the report font, the title in its own font and the footer note
// wrapped at words.
void paintInvoicePage(QPainter& painter, const ql::InvoicePage& page);

// The pages of an invoice. Unless the parties are kept, each job reads the settings record
// and the customer again (as printed invoices always have), keeping those it has when they
// cannot be read; the lines stay those of the invoice as built, so Ctrl+P prints it again
// unchanged.
class InvoicePages final : public PageSource {
public:
    // Kept: the parties given are those the invoice was issued with (recorded in the
    // register, written beside the pages), printed by every job without a read.
    enum class Parties { ReadEachJob, Kept };
    // fileSystem outlives the pages.
    InvoicePages(ql::Invoice invoice, ql::InvoiceParties parties, ql::FileSystem& fileSystem,
                 Parties source = Parties::ReadEachJob);

    void beginJob() override;
    int pageCount() const override { return m_invoice.pageCount(); }
    void paintPage(QPainter& painter, int page) override;
    // "Invoice " and the invoice number.
    QString documentName() const override {
        return QStringLiteral("Invoice ") + QString::fromStdString(m_invoice.request.invoiceNumber);
    }

    const ql::Invoice& invoice() const { return m_invoice; }

private:
    ql::Invoice m_invoice;
    ql::InvoiceParties m_parties;
    ql::FileSystem& m_fs;
    Parties m_source;
};
