#include "ui/reports/InvoiceTextFile.h"

#include "core/reports/InvoiceText.h"
#include "core/store/OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

ql::Status writeInvoiceTextFile(ql::FileSystem& fs, const ql::Invoice& invoice, const ql::InvoiceParties& parties,
                                const QString& path, const ql::FileSet* reading) {
    const std::string bytes = ql::invoiceFileText(invoice, parties);
    // The one writer of output files, as quillory-cli invoice --text writes them.
    return ql::writeOutputFile(fs, QFile::encodeName(path).toStdString(),
                               ql::Message(ql::MessageId::CannotWriteInvoiceFile,
                                           {QDir::toNativeSeparators(path).toStdString()}),
                               [&](ql::File& out) { return out.write(bytes.data(), bytes.size()); }, reading);
}

Modal::SaveRequest invoiceTextFileRequest(const QString& folder) {
    return {QString(), folder, QStringLiteral("Export"),
            QCoreApplication::translate("InvoiceTextFile", "Text Files (*.txt)"), QStringLiteral("txt")};
}
