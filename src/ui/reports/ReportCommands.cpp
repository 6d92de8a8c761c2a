#include "ui/reports/ReportCommands.h"
#include "ui/common/CoreText.h"

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceIssue.h"
#include "ui/common/CommandIds.h"
#include "ui/common/ExistingFolder.h"
#include "ui/common/FailureText.h"
#include "ui/common/Modal.h"
#include "ui/common/OpenDocument.h"
#include "ui/common/Prompter.h"
#include "ui/projects/ProjectCommands.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/reports/CInvoicesDlg.h"
#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/common/InvoiceRequestStore.h"
#include "ui/reports/EInvoiceFiles.h"
#include "ui/reports/InvoiceTextFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <functional>
#include <memory>

void history(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) return;
    CHistoryDlg dialog(context.fileSystem, context.prompter, context.modal, context.clock, document.fileSet(),
                       [&context] { return chooseProject(context); }, context.parent);
    if (context.modal.runDialog(dialog) == QDialog::Accepted) document.notifyViews(hint::kPrintHistory);
    document.notifyViews(hint::kTotals);
    document.notifyViews(hint::kWeekChart);
}

namespace {

// What the New invoice dialog's result writes, asked once its questions are answered: the
// save dialog of the output, then the step that writes it while the invoice is issued. An
// empty step for a print, and for a save dialog that was cancelled: the number is used all
// the same, as a cancelled print preview uses it.
std::function<ql::Status()> invoiceOutput(const CommandContext& context, int result, const ql::InvoicePlan& plan,
                                          QWidget* parent) {
    OpenDocument& document = context.document;
    const QString folder = QFileInfo(document.settingsPath()).absolutePath();
    if (result == CNewInvoiceDlg::kToFile) {
        const auto path = chooseSavePathInExistingFolder(context.modal, context.prompter, parent,
                                                         invoiceTextFileRequest(folder));
        if (!path) return {};
        return [&context, &plan, path = *path] {
            return writeInvoiceTextFile(context.fileSystem, plan.invoice, plan.parties, path,
                                        &context.document.fileSet());
        };
    }
    if (result != CNewInvoiceDlg::kEInvoiceXml && result != CNewInvoiceDlg::kFacturX) return {};
    const EInvoiceForm form = result == CNewInvoiceDlg::kEInvoiceXml ? EInvoiceForm::Xml : EInvoiceForm::FacturXPdf;
    const auto path = chooseSavePathInExistingFolder(context.modal, context.prompter, parent,
                                                     eInvoiceFileRequest(form, folder, plan.invoice.request.invoiceNumber));
    if (!path) return {};
    return [&context, &plan, form, parent, path = *path] {
        const std::unique_ptr<ql::Progress> progress =
            form == EInvoiceForm::FacturXPdf
                ? context.modal.progress(parent, QCoreApplication::translate("ReportCommands", "Writing the PDF file..."))
                : nullptr;
        const ql::Status written = writeEInvoiceFile(context.fileSystem, form, plan.invoice, plan.parties, path,
                                                     &context.document.fileSet(), progress.get());
        // Stopped by the user: like a cancelled file dialog, the number stays used.
        return written.isCancelled() ? ql::Status::ok() : written;
    };
}

}  // namespace

void invoice(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) return;
    CNewInvoiceDlg dialog(context.fileSystem, context.prompter, context.clock, document.fileSet(), context.parent,
                          [&context](int result, const ql::InvoicePlan& plan, QWidget* parent) {
                              return invoiceOutput(context, result, plan, parent);
                          });
    const int result = context.modal.runDialog(dialog);
    if (result != CNewInvoiceDlg::kPrint && result != CNewInvoiceDlg::kToFile &&
        result != CNewInvoiceDlg::kEInvoiceXml && result != CNewInvoiceDlg::kFacturX)
        return;
    // Issued, and written where a file was asked for: the preview prints the invoice issued,
    // with the parties it was recorded with.
    context.invoiceRequests.keep(dialog.request(), ql::IssuedContent{dialog.plan().invoice, dialog.plan().parties});
    if (result == CNewInvoiceDlg::kPrint) document.notifyViews(hint::kPrintInvoice);
}

void issuedInvoices(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) return;
    auto reg = ql::readInvoiceRegister(context.fileSystem, document.fileSet());
    if (!reg) {
        context.prompter.inform(QStringLiteral("Quillory"), coreText(reg.status()),
                                Prompter::Icon::Warning);
        return;
    }
    CInvoicesDlg dialog(context.fileSystem, context.prompter, context.modal, document.fileSet(), std::move(reg).value(),
                        context.parent);
    if (context.modal.runDialog(dialog) != CInvoicesDlg::kReprint || !dialog.reprintContent()) return;
    context.invoiceRequests.keepIssued(*dialog.reprintContent());
    document.notifyViews(hint::kPrintInvoice);
}
