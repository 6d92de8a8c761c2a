#include "ui/reports/InvoiceTextFile.h"

#include "core/reports/InvoiceText.h"
#include "core/store/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

ql::Status writeInvoiceTextFile(const ql::Invoice& invoice, const ql::InvoiceParties& parties, const QString& path) {
    const std::string bytes = ql::invoiceFileText(invoice, parties);
    // The one writer of output files, as quillory-cli invoice --text writes them.
    return ql::writeOutputFile(ql::defaultFileSystem(), QFile::encodeName(path).toStdString(),
                               "Cannot write invoice file : " + QDir::toNativeSeparators(path).toStdString(),
                               [&](ql::File& out) { return out.write(bytes.data(), bytes.size()); });
}

std::optional<QString> chooseInvoiceTextFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(folder);
    dialog.setNameFilter(QStringLiteral("Text Files (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("Export"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}
