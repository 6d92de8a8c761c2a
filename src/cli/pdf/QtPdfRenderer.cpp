#include "cli/pdf/QtPdfRenderer.h"

#include "collation/NameOrder.h"
#include "print/InvoicePages.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"

#include <QFile>

#include <memory>

namespace ql::cli {
namespace {

// Paths are the bytes the shell gave, not necessarily UTF-8.
QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

Result<std::string> QtPdfRenderer::invoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties) {
    InvoicePages pages(invoice, parties, fs);
    auto bytes = renderPdf(pages);
    if (!bytes) return bytes.status();
    return bytes->toStdString();
}

Status QtPdfRenderer::writeTable(FileSystem& fs, const ReportTable& table, const char* title, const Clock& printedAt,
                                 const std::string& path) {
    ReportPages pages(table, title, fs, printedAt);
    return writePdf(fs, pathText(path), pages);
}

Status QtPdfRenderer::writeWeekChart(FileSystem& fs, const WeekChart& chart, const std::string& path) {
    WeekChartPages pages(chart);
    return writePdf(fs, pathText(path), pages);
}

NameCompare QtPdfRenderer::projectNameOrder() const {
    auto order = std::make_shared<const NameOrder>();
    return [order](const std::string& a, const std::string& b) { return order->compareUtf8(a, b); };
}

}  // namespace ql::cli
