#include "ui/reports/EInvoiceFiles.h"
#include "ui/common/CoreText.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/store/OutputFile.h"
#include "einvoicepdf/FacturXInvoicePdf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

// %1 is the code the standard's list lacks.
const char* detailSource(ql::EInvoiceDetail detail) {
    using D = ql::EInvoiceDetail;
    switch (detail) {
    case D::InvoiceNumber: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the invoice number");
    case D::SellerName: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's name");
    case D::SellerCountry: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's country code");
    case D::SellerCountryNotListed:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's country code (%1 is not in the standard's list)");
    case D::SellerVatOrRegistration: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's VAT ID or registration number");
    case D::SellerVatPrefixNotListed:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's VAT ID (its prefix %1 is not in the standard's list)");
    case D::SalesTaxRate: return QT_TRANSLATE_NOOP("EInvoiceFiles", "a sales tax rate above zero");
    case D::SellerVatOrTaxNumber:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "the seller's VAT ID or tax number, as sales tax is applied");
    case D::ExemptionReason: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the reason for the VAT exemption");
    case D::ExemptionCodeNotListed:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "an exemption code of the VATEX list, or none (%1 is not in it)");
    case D::CustomerName: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the customer's name");
    case D::CustomerCountry: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the customer's country code");
    case D::CustomerCountryNotListed:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "the customer's country code (%1 is not in the standard's list)");
    case D::CustomerVatPrefixNotListed:
        return QT_TRANSLATE_NOOP("EInvoiceFiles", "the customer's VAT ID (its prefix %1 is not in the standard's list)");
    case D::Currency: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the currency code");
    case D::CurrencyNotListed: return QT_TRANSLATE_NOOP("EInvoiceFiles", "the currency code (%1 is not in the standard's list)");
    case D::Lines: return QT_TRANSLATE_NOOP("EInvoiceFiles", "at least one time frame to bill");
    case D::ProjectNames: return QT_TRANSLATE_NOOP("EInvoiceFiles", "a name for every project billed");
    }
    return "";
}

// The menu path to the place, in the words of the window's menus and pages.
const char* placeSource(ql::EInvoicePlace place) {
    using P = ql::EInvoicePlace;
    switch (place) {
    case P::InvoiceRequest: return QT_TRANSLATE_NOOP("EInvoiceFiles", "Reports > Invoice...");
    case P::CompanyProperties: return QT_TRANSLATE_NOOP("EInvoiceFiles", "File > Properties > Company");
    case P::InvoiceTax: return QT_TRANSLATE_NOOP("EInvoiceFiles", "File > Properties > Invoice");
    case P::SellerBilling: return QT_TRANSLATE_NOOP("EInvoiceFiles", "File > Properties > Billing");
    case P::CustomerBilling: return QT_TRANSLATE_NOOP("EInvoiceFiles", "Customers > Edit Customers...");
    case P::Projects: return QT_TRANSLATE_NOOP("EInvoiceFiles", "Projects > Edit Projects...");
    }
    return "";
}

}  // namespace

std::optional<QString> missingEInvoiceText(const std::vector<ql::EInvoiceGap>& gaps) {
    if (gaps.empty()) return std::nullopt;
    QString lines;
    for (const ql::EInvoiceGap& gap : gaps) {
        QString detail = QCoreApplication::translate("EInvoiceFiles", detailSource(gap.detail));
        if (!gap.code.empty()) detail = detail.arg(QString::fromStdString(gap.code));
        lines += QLatin1Char('\n') + detail + QStringLiteral(" (") +
                 QCoreApplication::translate("EInvoiceFiles", placeSource(gap.place)) + QLatin1Char(')');
    }
    return QCoreApplication::translate("CoreText", "The e-invoice lacks details the standard requires:%1").arg(lines);
}

ql::Status writeEInvoiceFile(ql::FileSystem& fs, EInvoiceForm form, const ql::Invoice& invoice,
                             const ql::InvoiceParties& parties, const QString& path, const ql::FileSet* reading,
                             ql::Progress* progress) {
    const std::string encodedPath = QFile::encodeName(path).toStdString();
    const ql::Message failure(form == EInvoiceForm::Xml ? ql::MessageId::CannotWriteEInvoiceFile
                                                        : ql::MessageId::CannotWritePdfFile,
                              {QDir::toNativeSeparators(path).toStdString()});
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
