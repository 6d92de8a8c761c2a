#include "cli/Commands.h"

namespace ql::cli {

Status PdfRenderer::takeOver() { return Status::ioError("this program cannot write PDF files"); }
Status PdfRenderer::writeInvoice(FileSystem&, const Invoice&, const InvoiceParties&, const std::string&) {
    return PdfRenderer::takeOver();
}
Status PdfRenderer::writeTable(FileSystem&, const ReportTable&, const char*, const Clock&, const std::string&) {
    return PdfRenderer::takeOver();
}
Status PdfRenderer::writeWeekChart(FileSystem&, const WeekChart&, const std::string&) {
    return PdfRenderer::takeOver();
}

}  // namespace ql::cli
