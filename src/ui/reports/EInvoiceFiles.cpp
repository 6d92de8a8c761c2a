#include "ui/reports/EInvoiceFiles.h"
#include "ui/common/CoreText.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/store/OutputFile.h"
#include "einvoicepdf/FacturXInvoicePdf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

std::optional<QString> missingEInvoiceText(const std::vector<ql::EInvoiceGap>& gaps) {
    if (gaps.empty()) return std::nullopt;
    return coreText(ql::eInvoiceGapsMessage(gaps));
}

ql::Status writeEInvoiceFile(ql::FileSystem& fs, EInvoiceForm form, const ql::Invoice& invoice,
                             const ql::InvoiceParties& parties, const QString& path, const ql::FileSet* reading,
                             ql::Progress* progress) {
    const std::string encodedPath = QFile::encodeName(path).toStdString();
    const std::string failure = (form == EInvoiceForm::Xml ? "Cannot write e-invoice file : " : "Cannot write PDF file : ") +
                                QDir::toNativeSeparators(path).toStdString();
    // Refused before the pages are painted, as every output of the set's own files is.
    if (reading)
        if (const ql::Status refused = ql::refuseFileOfSet(fs, encodedPath, *reading); !refused) return refused;
    auto xml = ql::ciiInvoiceXml(invoice, parties);
    if (!xml) return xml.status();
    std::string bytes;
    if (form == EInvoiceForm::Xml) {
        bytes = std::move(xml).value();
    } else {
        auto pdf = ql::facturXInvoicePdf(fs, invoice, parties, *xml, progress);
        if (!pdf && pdf.status().isCancelled()) return pdf.status();
        if (!pdf) return ql::Status::ioError(failure).withReason(pdf.status().reason());
        bytes = std::move(pdf).value();
    }
    return ql::writeOutputFile(fs, encodedPath, failure,
                               [&bytes](ql::File& out) { return out.write(bytes.data(), bytes.size()); });
}

Modal::SaveRequest eInvoiceFileRequest(EInvoiceForm form, const QString& folder, const std::string& number) {
    // A number may hold a slash ("2026/0042"), which a proposed name must not take for a folder.
    const QString name = QCoreApplication::translate("EInvoiceFiles", "Invoice ") +
                         QString::fromStdString(number).replace(QLatin1Char('/'), QLatin1Char('-'));
    if (form == EInvoiceForm::Xml)
        return {QCoreApplication::translate("EInvoiceFiles", "E-invoice (XML)"), folder, name + QStringLiteral(".xml"),
                QCoreApplication::translate("EInvoiceFiles", "XML files (*.xml)"), QStringLiteral("xml")};
    return {QCoreApplication::translate("EInvoiceFiles", "PDF with e-invoice"), folder, name + QStringLiteral(".pdf"),
            QCoreApplication::translate("EInvoiceFiles", "PDF files (*.pdf)"), QStringLiteral("pdf")};
}
