#include "core/einvoice/EInvoiceGaps.h"

#include "core/einvoice/EInvoiceCodes.h"
#include "core/text/XmlText.h"

#include <algorithm>
#include <cmath>

namespace ql {

EInvoicePlace placeOf(EInvoiceDetail detail) {
    switch (detail) {
    case EInvoiceDetail::InvoiceNumber:
    case EInvoiceDetail::Lines: return EInvoicePlace::InvoiceRequest;
    case EInvoiceDetail::SellerName: return EInvoicePlace::CompanyProperties;
    case EInvoiceDetail::SalesTaxRate: return EInvoicePlace::InvoiceTax;
    case EInvoiceDetail::CustomerName:
    case EInvoiceDetail::CustomerCountry:
    case EInvoiceDetail::CustomerCountryNotListed:
    case EInvoiceDetail::CustomerVatPrefixNotListed: return EInvoicePlace::CustomerBilling;
    case EInvoiceDetail::ProjectNames: return EInvoicePlace::Projects;
    case EInvoiceDetail::SellerCountry:
    case EInvoiceDetail::SellerCountryNotListed:
    case EInvoiceDetail::SellerVatOrRegistration:
    case EInvoiceDetail::SellerVatPrefixNotListed:
    case EInvoiceDetail::SellerVatOrTaxNumber:
    case EInvoiceDetail::ExemptionReason:
    case EInvoiceDetail::ExemptionCodeNotListed:
    case EInvoiceDetail::Currency:
    case EInvoiceDetail::CurrencyNotListed: break;
    }
    return EInvoicePlace::SellerBilling;
}

std::vector<EInvoiceGap> missingEInvoiceDetails(const Invoice& invoice, const InvoiceParties& parties) {
    const SettingsRecord& settings = parties.settings;
    const BillingDetails& billing = parties.billing;
    const CustomerDetails& customer = parties.customerDetails;
    const TaxCategory category = taxCategoryFor(settings.applySalesTax != 0, !billing.vatId.empty());
    std::vector<EInvoiceGap> gaps;
    const auto gap = [&gaps](EInvoiceDetail detail, std::string code = {}) {
        gaps.push_back({detail, placeOf(detail), std::move(code)});
    };
    using D = EInvoiceDetail;

    if (isBlankXmlText(invoice.request.invoiceNumber)) gap(D::InvoiceNumber);
    if (isBlankXmlText(settings.companyName)) gap(D::SellerName);
    if (billing.countryCode.empty()) gap(D::SellerCountry);
    else if (!onCountryList(billing.countryCode)) gap(D::SellerCountryNotListed, billing.countryCode);
    if (billing.vatId.empty() && isBlankXmlText(billing.registration)) gap(D::SellerVatOrRegistration);
    if (!billing.vatId.empty() && !onVatPrefixList(billing.vatId)) gap(D::SellerVatPrefixNotListed, billing.vatId.substr(0, 2));
    if (category == TaxCategory::Standard) {
        if (!std::isfinite(settings.salesTaxRate) || settings.salesTaxRate <= 0.0) gap(D::SalesTaxRate);
        if (billing.vatId.empty() && isBlankXmlText(billing.taxNumber)) gap(D::SellerVatOrTaxNumber);
    }
    if (category == TaxCategory::Exempt) {
        if (isBlankXmlText(billing.exemptionReason)) gap(D::ExemptionReason);
        if (!billing.exemptionCode.empty() && !onVatexList(billing.exemptionCode))
            gap(D::ExemptionCodeNotListed, billing.exemptionCode);
    }
    if (isBlankXmlText(parties.customer.name)) gap(D::CustomerName);
    if (customer.countryCode.empty()) gap(D::CustomerCountry);
    else if (!onCountryList(customer.countryCode)) gap(D::CustomerCountryNotListed, customer.countryCode);
    if (category != TaxCategory::NotSubject && !customer.vatId.empty() && !onVatPrefixList(customer.vatId))
        gap(D::CustomerVatPrefixNotListed, customer.vatId.substr(0, 2));
    if (billing.currencyCode.empty()) gap(D::Currency);
    else if (!onCurrencyList(billing.currencyCode)) gap(D::CurrencyNotListed, billing.currencyCode);
    if (invoice.lines.empty()) gap(D::Lines);
    const bool unnamed = std::any_of(invoice.lines.begin(), invoice.lines.end(), [&](const InvoiceLine& line) {
        return isBlankXmlText(invoiceLineCells(line, settings).project);
    });
    if (unnamed) gap(D::ProjectNames);
    return gaps;
}

std::string eInvoiceDetailText(const EInvoiceGap& gap) {
    const std::string& code = gap.code;
    switch (gap.detail) {
    case EInvoiceDetail::InvoiceNumber: return "the invoice number";
    case EInvoiceDetail::SellerName: return "the seller's name";
    case EInvoiceDetail::SellerCountry: return "the seller's country code";
    case EInvoiceDetail::SellerCountryNotListed: return "the seller's country code (" + code + " is not in the standard's list)";
    case EInvoiceDetail::SellerVatOrRegistration: return "the seller's VAT ID or registration number";
    case EInvoiceDetail::SellerVatPrefixNotListed:
        return "the seller's VAT ID (its prefix " + code + " is not in the standard's list)";
    case EInvoiceDetail::SalesTaxRate: return "a sales tax rate above zero";
    case EInvoiceDetail::SellerVatOrTaxNumber: return "the seller's VAT ID or tax number, as sales tax is applied";
    case EInvoiceDetail::ExemptionReason: return "the reason for the VAT exemption";
    case EInvoiceDetail::ExemptionCodeNotListed:
        return "an exemption code of the VATEX list, or none (" + code + " is not in it)";
    case EInvoiceDetail::CustomerName: return "the customer's name";
    case EInvoiceDetail::CustomerCountry: return "the customer's country code";
    case EInvoiceDetail::CustomerCountryNotListed:
        return "the customer's country code (" + code + " is not in the standard's list)";
    case EInvoiceDetail::CustomerVatPrefixNotListed:
        return "the customer's VAT ID (its prefix " + code + " is not in the standard's list)";
    case EInvoiceDetail::Currency: return "the currency code";
    case EInvoiceDetail::CurrencyNotListed: return "the currency code (" + code + " is not in the standard's list)";
    case EInvoiceDetail::Lines: return "at least one time frame to bill";
    case EInvoiceDetail::ProjectNames: return "a name for every project billed";
    }
    return {};
}

Message eInvoiceGapsMessage(const std::vector<EInvoiceGap>& gaps) {
    std::string list;
    for (const EInvoiceGap& gap : gaps) list += "\n" + eInvoiceDetailText(gap);
    return Message(MessageId::EInvoiceLacksDetails, {list});
}

}  // namespace ql
