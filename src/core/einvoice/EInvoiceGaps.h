#pragma once

#include "core/reports/Invoice.h"

#include <string>
#include <vector>

// What an invoice lacks for the e-invoice standard, shared by every syntax written: each gap
// names the missing detail and the place where the user fills it in, as values, so that each
// front end words them in its own language and with its own names for the places.
namespace ql {

enum class EInvoiceDetail {
    InvoiceNumber,
    SellerName,
    SellerCountry,
    SellerCountryNotListed,    // code: the seller's country code
    SellerVatOrRegistration,
    SellerVatPrefixNotListed,  // code: the prefix of the seller's VAT ID
    SalesTaxRate,
    SellerVatOrTaxNumber,      // as sales tax is applied
    ExemptionReason,
    ExemptionCodeNotListed,    // code: the exemption code
    CustomerName,
    CustomerCountry,
    CustomerCountryNotListed,    // code: the customer's country code
    CustomerVatPrefixNotListed,  // code: the prefix of the customer's VAT ID
    Currency,
    CurrencyNotListed,  // code: the currency code
    Lines,
    ProjectNames,
};

// Where a detail is filled in: the New Invoice request, the Company, Invoice (its sales tax)
// and Billing pages of the set's properties, a customer's details, the projects.
enum class EInvoicePlace { InvoiceRequest, CompanyProperties, InvoiceTax, SellerBilling, CustomerBilling, Projects };

struct EInvoiceGap {
    EInvoiceDetail detail;
    EInvoicePlace place;
    std::string code;  // the code the standard's list lacks, for the *NotListed details; else empty
    bool operator==(const EInvoiceGap&) const = default;
};

// The place where detail is filled in.
EInvoicePlace placeOf(EInvoiceDetail detail);

// Every detail the e-invoice needs that invoice and parties lack, in a fixed order: the number;
// the seller's name, country code, VAT ID or registration number; with sales tax a rate above
// zero and a VAT ID or tax number; without it and with a seller VAT ID an exemption reason
// (and a VATEX code of the standard's list, when one is given); the customer's name and
// country code; the currency code; at least one line, every project named. A code the billing
// fields accept but the standard's code lists lack is a gap too. Empty when the XML can be written.
std::vector<EInvoiceGap> missingEInvoiceDetails(const Invoice& invoice, const InvoiceParties& parties);

// The detail in English, as the command line names it: "the seller's country code", "the
// currency code (BGN is not in the standard's list)".
std::string eInvoiceDetailText(const EInvoiceGap& gap);

// "The e-invoice lacks details the standard requires:" and each gap's detail on a line of its
// own, the refusal of a writer called without asking first.
Message eInvoiceGapsMessage(const std::vector<EInvoiceGap>& gaps);

}  // namespace ql
