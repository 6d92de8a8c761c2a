#include "einvoicepdf/FacturXInvoicePdf.h"

#include "einvoicepdf/FacturX.h"
#include "print/InvoicePages.h"
#include "print/PageSource.h"

namespace ql {

Result<std::string> facturXInvoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties,
                                      std::string_view xml, Progress* progress) {
    // The pages show the parties the XML inside them shows, not a later read of the files.
    InvoicePages pages(invoice, parties, fs, InvoicePages::Parties::Kept);
    // PDF/A-1b already embeds the fonts and the output intent that PDF/A-3 asks for; what
    // the later step adds is the attachment and the metadata that declares it.
    const Result<QByteArray> archival = renderPdf(pages, progress, PdfStandard::Archival);
    if (!archival) return archival.status();
    const FacturXDocument document{pages.documentName().toStdString(), parties.settings.companyName,
                                   invoice.request.issueDate};
    return attachFacturX(std::string_view(archival->constData(), static_cast<std::size_t>(archival->size())), xml,
                         document);
}

}  // namespace ql
