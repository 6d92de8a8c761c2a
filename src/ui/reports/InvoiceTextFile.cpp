#include "ui/reports/InvoiceTextFile.h"

#include "core/reports/InvoiceText.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

ql::Status writeInvoiceTextFile(const ql::Invoice& invoice, const ql::InvoiceParties& parties, const QString& path) {
    const std::string bytes = ql::invoiceFileText(invoice, parties);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                         file.commit();
    if (!written) return ql::Status::ioError("Cannot write invoice file : " + QDir::toNativeSeparators(path).toStdString());
    return ql::Status::ok();
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
