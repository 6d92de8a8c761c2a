#include "ui/reports/PrintDispatch.h"
#include "ui/common/CoreText.h"

#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"
#include "core/time/Clock.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"
#include "print/InvoicePages.h"
#include "ui/common/FailureText.h"
#include "ui/common/ExistingFolder.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/common/Prompter.h"
#include "ui/common/InvoiceRequestStore.h"
#include "ui/reports/PreviewWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Progress of painting on a printer: a stop aborts the job while it is still open, so that
// half a report never comes out of the printer or stays in a file.
class PrinterProgress final : public ql::Progress {
public:
    PrinterProgress(std::unique_ptr<ql::Progress> shown, QPrinter& printer)
        : m_shown(std::move(shown)), m_printer(printer) {}

protected:
    bool onAdvance(std::uint64_t done, std::uint64_t total) override {
        if (m_shown->advance(done, total)) return true;
        m_printer.abort();
        return false;
    }

private:
    std::unique_ptr<ql::Progress> m_shown;
    QPrinter& m_printer;
};

}  // namespace

PrintDispatch::PrintDispatch(const CommandContext& context, const ql::WeekChart& chart)
    : m_context(context),
      m_chart(chart),
      m_chartPages(std::make_unique<WeekChartPages>(chart)) {
    m_runPreview = [this](QPrinter& printer, PageSource& source) { previewInDialog(printer, source); };
    m_runPrintDialog = [this](QPrinter& printer, int pageCount) { return printDialog(printer, pageCount); };
}

PrintDispatch::~PrintDispatch() = default;

QPrinter& PrintDispatch::printer() {
    if (m_printer) return *m_printer;
    if (!m_ownPrinter) m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_ownPrinter;
}

void PrintDispatch::report(const ql::Message& message) {
    m_context.prompter.inform(QStringLiteral("Quillory"), coreText(message), Prompter::Icon::Warning);
}

void PrintDispatch::setKind(std::int32_t kind) {
    const bool first = m_printKind == kNone;
    m_printKind = kind;
    if (first) emit reportAvailable();
}

void PrintDispatch::printHistory() {
    if (!m_context.document.fileSetOpen()) return;
    previewTable(ql::buildHistoryReport(m_context.fileSystem, m_context.document.fileSet(),
                                        m_context.clock.now()),
                 ql::kHistoryTitle, kHistory);
}

void PrintDispatch::printCustomers() {
    if (!m_context.document.fileSetOpen()) return;
    previewTable(ql::buildCustomerReport(m_context.fileSystem, m_context.document.fileSet()),
                 ql::kCustomersTitle, kCustomers);
}

void PrintDispatch::previewTable(ql::Result<ql::ReportTable> table, const char* title, std::int32_t kind) {
    if (!table) return report(table.status().userMessage());
    m_table = std::make_unique<ql::ReportTable>(std::move(table).value());
    m_reportPages = std::make_unique<ReportPages>(*m_table, title, m_context.fileSystem, m_context.clock);
    setKind(kind);
    runJob(*m_reportPages, false);
}

void PrintDispatch::printWeekChart() {
    setKind(kWeekChart);
    runJob(*m_chartPages, false);
}

void PrintDispatch::printInvoice() {
    // A reprint from the register: the pages as issued, whatever the files say now.
    if (std::optional<ql::IssuedContent> issued = m_context.invoiceRequests.takeIssued())
        return printInvoice(std::make_unique<InvoicePages>(std::move(issued->invoice), std::move(issued->parties),
                                                           m_context.fileSystem));
    const std::optional<ql::InvoiceRequest>& request = m_context.invoiceRequests.last();
    if (!request || !m_context.document.fileSetOpen()) return;
    // Just issued: printed with the parties the register recorded, as the files said then.
    if (std::optional<ql::IssuedContent> kept = m_context.invoiceRequests.takeLoaded())
        return printInvoice(std::make_unique<InvoicePages>(std::move(kept->invoice), std::move(kept->parties),
                                                           m_context.fileSystem, InvoicePages::Parties::Kept));
    auto invoice = ql::LoadInvoice(m_context.fileSystem, *request, m_context.document.fileSet());
    if (!invoice) return report(invoice.status().userMessage());
    auto parties = ql::loadInvoiceParties(m_context.fileSystem, *invoice);
    if (!parties) return report(parties.status().userMessage());
    printInvoice(std::make_unique<InvoicePages>(std::move(invoice).value(), std::move(parties).value(),
                                                m_context.fileSystem));
}

void PrintDispatch::printInvoice(std::unique_ptr<PageSource> pages) {
    if (!pages) return;
    m_invoice = std::move(pages);
    setKind(kInvoice);
    runJob(*m_invoice, false);
}

PageSource* PrintDispatch::currentPages() {
    switch (m_printKind) {
    case kHistory:
    case kCustomers: return m_reportPages.get();
    case kWeekChart: return m_chartPages.get();
    case kInvoice: return m_invoice.get();
    default: return nullptr;
    }
}

void PrintDispatch::printAgain() {
    if (PageSource* pages = currentPages()) runJob(*pages, true);
}

void PrintDispatch::SetPrinterOrientation(int orientation) {
    printer().setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PrintDispatch::runJob(PageSource& source, bool throughPrintDialog) {
    // A preview of no pages showed the previous job's pages still held by the printer, and
    // its Export PDF wrote a blank page: nothing is shown instead, and the user is told.
    if (source.pageCount() == 0) {
        m_context.prompter.inform(QStringLiteral("Quillory"), tr(kNothingToPrint),
                                  Prompter::Icon::Information);
        return;
    }
    QPrinter& p = printer();
    if (source.orientation() == QPageLayout::Landscape) SetPrinterOrientation(2);
    if (throughPrintDialog) {
        source.beginJob();
        if (m_runPrintDialog(p, source.pageCount())) printOn(p, source);
    } else {
        m_runPreview(p, source);
    }
    // A page range chosen for one job must not cut the next one's preview.
    p.setPrintRange(QPrinter::AllPages);
    p.setFromTo(0, 0);
    SetPrinterOrientation(1);
}

bool PrintDispatch::printDialog(QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, m_context.parent);
    if (pageCount > 0) dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDispatch::previewInDialog(QPrinter& printer, PageSource& source) {
    PreviewWindow dialog(&printer, m_context.parent);
    bool painted = true;
    bool stopped = false;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        PrinterProgress progress(m_context.modal.progress(m_context.parent, tr("Preparing the pages...")),
                                 *target);
        painted = paintPages(*target, source, target->fromPage(), target->toPage(), &progress);
        stopped = progress.stopped();
        // A preview stopped while it was being made has nothing to show.
        if (stopped) QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
    });
    // Most desktops have no printer: the preview writes the same pages to a PDF file too.
    if (QAction* exportAction = dialog.addToolAction(tr("Export PDF..."))) {
        exportAction->setObjectName(QStringLiteral("exportPdfAction"));
        connect(exportAction, &QAction::triggered, &dialog, [this, &source] { exportPdf(source); });
    }
    // The dialog closes with Accepted only after its Print painted the pages.
    if (dialog.exec() == QDialog::Accepted && !stopped) tellPrinted(printer, painted);
}

void PrintDispatch::printOn(QPrinter& printer, PageSource& source) {
    PrinterProgress progress(m_context.modal.progress(m_context.parent, tr("Printing...")), printer);
    const bool painted = paintPages(printer, source, printer.fromPage(), printer.toPage(), &progress);
    if (!progress.stopped()) return tellPrinted(printer, painted);
    // Stopped by the user: nothing to report, and no cut file left under the chosen name.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

void PrintDispatch::tellPrinted(const QPrinter& printer, bool painted) {
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    if (!painted) {
        m_context.prompter.inform(
            QStringLiteral("Quillory"),
            tr("The report could not be printed on %1.").arg(toFile ? printer.outputFileName() : printer.printerName()),
            Prompter::Icon::Warning);
        return;
    }
    // A print to a file leaves no trace on the screen: the user is told where it went.
    if (toFile)
        m_context.prompter.inform(QStringLiteral("Quillory"),
                                  tr("The report was printed to the file %1.").arg(printer.outputFileName()),
                                  Prompter::Icon::Information);
}

std::optional<QString> PrintDispatch::choosePdfPath(const PageSource& source) {
    // Beside the file set, under the document's own name, rather than in whatever folder the
    // process happens to start in.
    const QString folder =
        m_context.document.fileSetOpen() ? QFileInfo(m_context.document.settingsPath()).absolutePath() : QString();
    const QString name = source.documentName().isEmpty() ? QString() : source.documentName() + QStringLiteral(".pdf");
    const Modal::SaveRequest request{tr("Export PDF"), folder, name, tr("PDF files (*.pdf)"),
                                     QString()};
    std::optional<QString> chosen =
        chooseSavePathInExistingFolder(m_context.modal, m_context.prompter, m_context.parent, request);
    if (!chosen) return std::nullopt;
    QString path = *std::move(chosen);
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    return path;
}

bool PrintDispatch::exportPdf(PageSource& source) {
    const std::optional<QString> path = choosePdfPath(source);
    if (!path) return false;
    const OpenDocument& document = m_context.document;
    const std::unique_ptr<ql::Progress> progress =
        m_context.modal.progress(m_context.parent, tr("Writing the PDF file..."));
    const ql::Status written = writePdf(m_context.fileSystem, *path, source,
                                        document.fileSetOpen() ? &document.fileSet() : nullptr, progress.get());
    // Stopped by the user: nothing was written and there is nothing to say.
    if (written.isCancelled()) return false;
    if (!written)
        m_context.prompter.inform(QStringLiteral("Quillory"), failureText(written), Prompter::Icon::Warning);
    return written.isOk();
}
