#include "ui/reports/ReportCommands.h"
#include "ui/common/CoreText.h"

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceNumbers.h"
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

void invoice(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) return;
    CNewInvoiceDlg dialog(context.fileSystem, context.prompter, context.clock, document.fileSet(),
                          context.parent);
    const int result = context.modal.runDialog(dialog);
    if (result != CNewInvoiceDlg::kPrint && result != CNewInvoiceDlg::kToFile &&
        result != CNewInvoiceDlg::kEInvoiceXml && result != CNewInvoiceDlg::kFacturX)
        return;
    // The dialog built the invoice when it checked for lines: the preview prints that one.
    context.invoiceRequests.keep(dialog.request(), dialog.invoice());
    if (result == CNewInvoiceDlg::kPrint) {
        document.notifyViews(hint::kPrintInvoice);
        return;
    }
    // An invoice that is not written does not use up its number; one whose file dialog was
    // cancelled does, as a cancelled print preview does.
    auto fail = [&](const ql::Status& st) {
        (void)ql::giveBackInvoiceNumber(context.fileSystem, document.fileSet(), dialog.issuedNumber());
        context.prompter.inform(QStringLiteral("Quillory"), failureText(st), Prompter::Icon::Warning);
    };
    const ql::Invoice& loaded = dialog.invoice();
    auto parties = ql::loadInvoiceParties(context.fileSystem, loaded);
    if (!parties) return fail(parties.status());
    const QString folder = QFileInfo(document.settingsPath()).absolutePath();
    if (result == CNewInvoiceDlg::kToFile) {
        const auto path = chooseSavePathInExistingFolder(context.modal, context.prompter, context.parent,
                                                         invoiceTextFileRequest(folder));
        if (!path) return;
        if (const ql::Status written =
                writeInvoiceTextFile(context.fileSystem, loaded, *parties, *path, &document.fileSet());
            !written)
            fail(written);
        return;
    }
    const EInvoiceForm form = result == CNewInvoiceDlg::kEInvoiceXml ? EInvoiceForm::Xml : EInvoiceForm::FacturXPdf;
    const auto path = chooseSavePathInExistingFolder(context.modal, context.prompter, context.parent,
                                                     eInvoiceFileRequest(form, folder, loaded.request.invoiceNumber));
    if (!path) return;
    const std::unique_ptr<ql::Progress> progress =
        form == EInvoiceForm::FacturXPdf
            ? context.modal.progress(context.parent,
                                     QCoreApplication::translate("ReportCommands", "Writing the PDF file..."))
            : nullptr;
    const ql::Status written =
        writeEInvoiceFile(context.fileSystem, form, loaded, *parties, *path, &document.fileSet(), progress.get());
    // Stopped by the user: like a cancelled file dialog, the number stays used.
    if (!written && !written.isCancelled()) fail(written);
}

void issuedInvoices(const CommandContext& context) {
    OpenDocument& document = context.document;
    if (!document.fileSetOpen()) return;
    auto reg = ql::readInvoiceRegister(context.fileSystem, document.fileSet());
    if (!reg) {
        context.prompter.inform(QStringLiteral("Quillory"), coreText(reg.status().message()),
                                Prompter::Icon::Warning);
        return;
    }
    CInvoicesDlg dialog(context.fileSystem, context.prompter, context.modal, document.fileSet(), std::move(reg).value(),
                        context.parent);
    if (context.modal.runDialog(dialog) != CInvoicesDlg::kReprint || !dialog.reprintContent()) return;
    context.invoiceRequests.keepIssued(*dialog.reprintContent());
    document.notifyViews(hint::kPrintInvoice);
}
