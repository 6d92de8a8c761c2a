#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/reports/ReportTable.h"
#include "ui/common/CommandContext.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class PageSource;
class QPrinter;
class QWidget;

namespace ql {
class WeekChart;
}  // namespace ql

// The print jobs of the window: which report was asked for last (printKind), the data it was
// built from (the report table, the invoice pages), and the job steps around the preview: the
// week chart turns the printer landscape, every job ends with it portrait and printing all pages.
// Production opens QPrintPreviewDialog on the application's printer, with Export PDF...;
// tests replace the runners so nothing modal opens. The preview and the print dialog are this
// class's own seams rather than Modal's: both need the printer and the pages, and the preview
// carries this dispatch's Export PDF action.
class PrintDispatch : public QObject {
    Q_OBJECT
public:
    static constexpr std::int32_t kNone = 0;
    static constexpr std::int32_t kHistory = 1;
    static constexpr std::int32_t kCustomers = 2;
    static constexpr std::int32_t kInvoice = 5;
    static constexpr std::int32_t kWeekChart = 6;
    // Said instead of a preview or a print dialog when the job has no pages.
    static constexpr const char* kNothingToPrint =
        QT_TRANSLATE_NOOP("PrintDispatch", "There is nothing to print: the report has no lines.");

    // Shows the preview of source on printer; its Print paints the same source.
    using PreviewRunner = std::function<void(QPrinter& printer, PageSource& source)>;
    // The print dialog of Ctrl+P; true when the user chose to print.
    using PrintDialogRunner = std::function<bool(QPrinter& printer, int pageCount)>;

    // The context's services and document, and chart, outlive the dispatch; its dialogs open
    // over context.parent (not the QObject parent).
    PrintDispatch(const CommandContext& context, const ql::WeekChart& chart);
    ~PrintDispatch() override;

    // The printer every job uses (the application's one); without it the dispatch keeps its own.
    void setPrinter(QPrinter* printer) { m_printer = printer; }
    QPrinter& printer();

    std::int32_t printKind() const { return m_printKind; }
    // The table of the last history or customer report; null before one was built.
    const ql::ReportTable* reportTable() const { return m_table.get(); }

    // Hint 1: the history from the saved filter, then its preview. A file that cannot be read
    // is reported and no preview opens (printKind and the last report stay).
    void printHistory();
    // Hint 2: the customer list, then its preview; as printHistory on failure.
    void printCustomers();
    // Command 32797: the week chart as shown, in landscape.
    void printWeekChart();
    // Hint 5: previews the invoice kept with the last request (the context's invoiceRequests) with the
    // parties kept with it, or else builds the request's invoice; a file that cannot be read is reported
    // and no preview opens. Nothing without a request.
    void printInvoice();
    // Keeps pages as the last invoice and previews them.
    void printInvoice(std::unique_ptr<PageSource> pages);
    // Ctrl+P: the last report again through the print dialog, from the data it was built
    // with; nothing before any report was asked for.
    void printAgain();

    // Export PDF... of the preview: asks for a file (the Modal's save dialog; ".pdf" is added
    // to a name without a suffix) and writes source to it; a failure is reported. True when a
    // file was written.
    bool exportPdf(PageSource& source);

    // Sets the orientation of the printer's page layout.
    void SetPrinterOrientation(int orientation);

    void setPreviewRunner(PreviewRunner runner) { m_runPreview = std::move(runner); }
    void setPrintDialogRunner(PrintDialogRunner runner) { m_runPrintDialog = std::move(runner); }

signals:
    // printKind changed from none to a report: Ctrl+P has something to print.
    void reportAvailable();

private:
    // The pages of the last report, or null when there is none.
    PageSource* currentPages();
    void setKind(std::int32_t kind);
    // Keeps a built table and its pages as the last report and opens their preview; a table
    // that could not be built is reported instead.
    void previewTable(ql::Result<ql::ReportTable> table, const char* title, std::int32_t kind);
    // prepare (orientation), the preview or print dialog, end (portrait, all pages).
    void runJob(PageSource& source, bool throughPrintDialog);
    void previewInDialog(QPrinter& printer, PageSource& source);
    bool printDialog(QPrinter& printer, int pageCount);
    // Paints source on printer with progress; then tellPrinted, unless the user stopped it.
    void printOn(QPrinter& printer, PageSource& source);
    // After a print: a failure is reported; a print to a PDF file says which file.
    void tellPrinted(const QPrinter& printer, bool painted);
    std::optional<QString> choosePdfPath(const PageSource& source);
    void report(const ql::Message& message);

    CommandContext m_context;
    const ql::WeekChart& m_chart;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
    std::int32_t m_printKind = kNone;
    std::unique_ptr<ql::ReportTable> m_table;
    std::unique_ptr<PageSource> m_reportPages;  // over m_table
    std::unique_ptr<PageSource> m_chartPages;
    std::unique_ptr<PageSource> m_invoice;
    PreviewRunner m_runPreview;
    PrintDialogRunner m_runPrintDialog;
};
