#include "ui/reports/InvoiceTextFile.h"

#include "core/reports/InvoiceText.h"

#include <QDir>
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

Modal::SaveRequest invoiceTextFileRequest(const QString& folder) {
    return {QString(), folder, QStringLiteral("Export"), QStringLiteral("Text Files (*.txt)"), QStringLiteral("txt")};
}
