#pragma once

#include "cli/Commands.h"

#include <memory>

class QGuiApplication;

namespace ql::cli {

// Renders the printed pages with the user interface's page painters into PDF files, the
// pages the print preview shows and its Export PDF... writes.
// The Qt application the painters need is started by the first command that paints, so a
// command that only orders names does not pay for it.
class QtPdfRenderer final : public PdfRenderer {
public:
    QtPdfRenderer();
    ~QtPdfRenderer() override;
    Status takeOver() override { return Status::ok(); }
    Result<std::string> invoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties) override;
    Result<std::string> facturXPdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties,
                                   const std::string& xml) override;
    // Reads the PDF with libqpdf alone: no page is painted, no Qt application started.
    Result<std::string> facturXAttachment(const std::string& pdf) override;
    Status writeTable(FileSystem& fs, const ReportTable& table, const char* title, const Clock& printedAt,
                      const std::string& path) override;
    Status writeWeekChart(FileSystem& fs, const WeekChart& chart, const std::string& path) override;
    // NameOrder's, in the locale the environment selects for collation.
    NameCompare projectNameOrder() const override;

private:
    void startPainting();

    std::unique_ptr<QGuiApplication> m_app;
};

}  // namespace ql::cli
