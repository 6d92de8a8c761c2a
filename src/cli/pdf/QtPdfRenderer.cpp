#include "cli/pdf/QtPdfRenderer.h"

#include "collation/NameOrder.h"
#include "einvoicepdf/FacturX.h"
#include "einvoicepdf/FacturXInvoicePdf.h"
#include "print/InvoicePages.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>

#include <clocale>
#include <memory>

namespace ql::cli {
namespace {

// Paths are the bytes the shell gave, not necessarily UTF-8.
QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

QtPdfRenderer::QtPdfRenderer() = default;
QtPdfRenderer::~QtPdfRenderer() = default;

void QtPdfRenderer::startPainting() {
    if (m_app) return;
    // Qt would take options such as -platform out of the command's own arguments; it keeps
    // references to these for the application's life.
    static int qtArgc = 1;
    static char name[] = "quillory-cli";
    static char* qtArgv[] = {name, nullptr};
    m_app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    // Qt sets the C library's locale from the environment; the texts of the pages are the
    // same in every locale, as in the window.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    // Scripts get the same pages under any LANG: the week chart's day names in English.
    QLocale::setDefault(QLocale::c());
}

Result<std::string> QtPdfRenderer::invoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties) {
    startPainting();
    // The parties the invoice is recorded with, as its text file and XML show them.
    InvoicePages pages(invoice, parties, fs, InvoicePages::Parties::Kept);
    auto bytes = renderPdf(pages);
    if (!bytes) return bytes.status();
    return bytes->toStdString();
}

Result<std::string> QtPdfRenderer::facturXPdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties,
                                              const std::string& xml) {
    startPainting();
    return facturXInvoicePdf(fs, invoice, parties, xml);
}

Result<std::string> QtPdfRenderer::facturXAttachment(const std::string& pdf) { return ql::facturXAttachment(pdf); }

Status QtPdfRenderer::writeTable(FileSystem& fs, const ReportTable& table, const char* title, const Clock& printedAt,
                                 const std::string& path) {
    startPainting();
    ReportPages pages(table, title, fs, printedAt);
    return writePdf(fs, pathText(path), pages);
}

Status QtPdfRenderer::writeWeekChart(FileSystem& fs, const WeekChart& chart, const std::string& path) {
    startPainting();
    WeekChartPages pages(chart);
    return writePdf(fs, pathText(path), pages);
}

NameCompare QtPdfRenderer::projectNameOrder() const {
    auto order = std::make_shared<const NameOrder>();
    return [order](const std::string& a, const std::string& b) { return order->compareUtf8(a, b); };
}

}  // namespace ql::cli
