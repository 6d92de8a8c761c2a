#include "cli/Commands.h"

namespace ql::cli {

Status PdfRenderer::takeOver() { return Status::ioError("this program cannot write PDF files"); }
Result<std::string> PdfRenderer::invoicePdf(FileSystem&, const Invoice&, const InvoiceParties&) {
    return PdfRenderer::takeOver();
}
Result<std::string> PdfRenderer::facturXPdf(FileSystem&, const Invoice&, const InvoiceParties&, const std::string&) {
    return PdfRenderer::takeOver();
}
Result<std::string> PdfRenderer::facturXAttachment(const std::string&) { return PdfRenderer::takeOver(); }
Status PdfRenderer::writeTable(FileSystem&, const ReportTable&, const char*, const Clock&, const std::string&) {
    return PdfRenderer::takeOver();
}
Status PdfRenderer::writeWeekChart(FileSystem&, const WeekChart&, const std::string&) {
    return PdfRenderer::takeOver();
}

NameCompare PdfRenderer::projectNameOrder() const { return {}; }

}  // namespace ql::cli
