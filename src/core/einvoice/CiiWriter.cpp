#include "core/einvoice/CiiWriter.h"

#include "core/einvoice/EInvoiceCodes.h"
#include "core/einvoice/EInvoiceGaps.h"
#include "core/reports/InvoiceDetails.h"
#include "core/text/NumberText.h"
#include "core/text/XmlText.h"
#include "core/time/TimeText.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdint>
#include <string_view>

namespace ql {
namespace {

constexpr const char* kRsm = "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";
constexpr const char* kRam = "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100";
constexpr const char* kUdt = "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100";
constexpr const char* kQdt = "urn:un:unece:uncefact:data:standard:QualifiedDataType:100";
constexpr const char* kGuideline = "urn:cen.eu:en16931:2017";

class XmlBuilder {
public:
    explicit XmlBuilder(pugi::xml_node node) : m_node(node) {}
    XmlBuilder add(const char* name) { return XmlBuilder(m_node.append_child(name)); }
    XmlBuilder add(const char* name, std::string_view text) {
        pugi::xml_node child = m_node.append_child(name);
        const std::string written = xmlText(text);
        child.text().set(written.c_str(), written.size());
        return XmlBuilder(child);
    }
    // Adds the element only when text is given.
    void addIfGiven(const char* name, std::string_view text) {
        if (!text.empty()) add(name, text);
    }
    XmlBuilder& attribute(const char* name, std::string_view value) {
        m_node.append_attribute(name).set_value(std::string(value).c_str());
        return *this;
    }
    void date(const char* name, const calendar::Date& date) {
        add(name).add("udt:DateTimeString", compactDateText(date)).attribute("format", kDateFormat);
    }

private:
    pugi::xml_node m_node;
};

struct StringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

void addAddress(XmlBuilder party, const std::string& address, const std::string& zip, const std::string& city,
                const std::string& countryCode, const std::string& state) {
    XmlBuilder postal = party.add("ram:PostalTradeAddress");
    postal.addIfGiven("ram:PostcodeCode", zip);
    postal.addIfGiven("ram:LineOne", address);
    postal.addIfGiven("ram:CityName", city);
    postal.add("ram:CountryID", countryCode);
    postal.addIfGiven("ram:CountrySubDivisionName", state);
}

void addVatId(XmlBuilder party, const std::string& id, std::string_view scheme) {
    if (!id.empty()) party.add("ram:SpecifiedTaxRegistration").add("ram:ID", id).attribute("schemeID", scheme);
}

void addTaxCategory(XmlBuilder tax, TaxCategory category, const std::string& rate) {
    tax.add("ram:TypeCode", kVatTaxScheme);
    tax.add("ram:CategoryCode", taxCategoryCode(category));
    if (category != TaxCategory::NotSubject) tax.add("ram:RateApplicablePercent", rate);
}

void addLine(XmlBuilder transaction, std::size_t index, const InvoiceLine& line, const SettingsRecord& settings,
             TaxCategory category, const std::string& rate) {
    const InvoiceLineCells cells = invoiceLineCells(line, settings);
    XmlBuilder item = transaction.add("ram:IncludedSupplyChainTradeLineItem");
    item.add("ram:AssociatedDocumentLineDocument").add("ram:LineID", std::to_string(index + 1));
    XmlBuilder product = item.add("ram:SpecifiedTradeProduct");
    product.add("ram:Name", cells.project);
    product.add("ram:Description", cells.date + " " + cells.time + ", " + cells.duration + " h");
    // A price is never negative in the standard: a negative rate bills negative hours instead.
    const bool negative = std::isfinite(line.rate) && line.rate < 0.0;
    item.add("ram:SpecifiedLineTradeAgreement")
        .add("ram:NetPriceProductTradePrice")
        .add("ram:ChargeAmount", shortestDecimalText(std::fabs(line.rate)));
    const std::int64_t minutes = line.minutes();
    item.add("ram:SpecifiedLineTradeDelivery")
        .add("ram:BilledQuantity", decimalHoursText(negative ? -minutes : minutes))
        .attribute("unitCode", kHourUnit);
    XmlBuilder settlement = item.add("ram:SpecifiedLineTradeSettlement");
    addTaxCategory(settlement.add("ram:ApplicableTradeTax"), category, rate);
    settlement.add("ram:SpecifiedTradeSettlementLineMonetarySummation").add("ram:LineTotalAmount", centsText(line.cents()));
}

}  // namespace

Result<std::string> ciiInvoiceXml(const Invoice& invoice, const InvoiceParties& parties) {
    if (invoice.request.issueDate == 0)
        return Status::invalidArgument(Message(MessageId::EInvoiceNeedsIssue));
    if (const auto gaps = missingEInvoiceDetails(invoice, parties); !gaps.empty())
        return Status::invalidArgument(eInvoiceGapsMessage(gaps));

    const SettingsRecord& settings = parties.settings;
    const BillingDetails& billing = parties.billing;
    const CustomerDetails& customerDetails = parties.customerDetails;
    const CustomerRecord& customer = parties.customer;
    const TaxCategory category = taxCategoryFor(settings.applySalesTax != 0, !billing.vatId.empty());
    const std::string rate = category == TaxCategory::Standard ? shortestDecimalText(settings.salesTaxRate) : "0";
    const InvoiceSums sums = invoiceSums(invoice, settings);
    const InvoiceDates dates = invoiceDates(invoice, parties);

    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    XmlBuilder root(doc.append_child("rsm:CrossIndustryInvoice"));
    root.attribute("xmlns:rsm", kRsm).attribute("xmlns:ram", kRam).attribute("xmlns:udt", kUdt).attribute("xmlns:qdt", kQdt);

    root.add("rsm:ExchangedDocumentContext").add("ram:GuidelineSpecifiedDocumentContextParameter").add("ram:ID", kGuideline);
    XmlBuilder document = root.add("rsm:ExchangedDocument");
    document.add("ram:ID", invoice.request.invoiceNumber);
    document.add("ram:TypeCode", kCommercialInvoiceType);
    document.date("ram:IssueDateTime", dates.issue);
    if (!isBlankXmlText(settings.footer)) document.add("ram:IncludedNote").add("ram:Content", settings.footer);

    XmlBuilder transaction = root.add("rsm:SupplyChainTradeTransaction");
    for (std::size_t i = 0; i < invoice.lines.size(); ++i)
        addLine(transaction, i, invoice.lines[i], settings, category, rate);

    XmlBuilder agreement = transaction.add("ram:ApplicableHeaderTradeAgreement");
    agreement.addIfGiven("ram:BuyerReference", customerDetails.buyerReference);
    XmlBuilder seller = agreement.add("ram:SellerTradeParty");
    seller.add("ram:Name", settings.companyName);
    if (!isBlankXmlText(billing.registration)) seller.add("ram:SpecifiedLegalOrganization").add("ram:ID", billing.registration);
    if (!isBlankXmlText(settings.phone))
        seller.add("ram:DefinedTradeContact").add("ram:TelephoneUniversalCommunication").add("ram:CompleteNumber", settings.phone);
    addAddress(seller, settings.companyAddress, settings.zip, settings.city, billing.countryCode, settings.state);
    if (category != TaxCategory::NotSubject) addVatId(seller, billing.vatId, kVatIdScheme);
    if (!isBlankXmlText(billing.taxNumber)) addVatId(seller, billing.taxNumber, kTaxNumberScheme);

    XmlBuilder buyer = agreement.add("ram:BuyerTradeParty");
    buyer.add("ram:Name", customer.name);
    addAddress(buyer, customer.address, customer.zip, customer.city, customerDetails.countryCode, customer.state);
    if (!customerDetails.email.empty())
        buyer.add("ram:URIUniversalCommunication").add("ram:URIID", customerDetails.email).attribute("schemeID", kEmailScheme);
    if (category != TaxCategory::NotSubject) addVatId(buyer, customerDetails.vatId, kVatIdScheme);

    transaction.add("ram:ApplicableHeaderTradeDelivery");

    XmlBuilder settlement = transaction.add("ram:ApplicableHeaderTradeSettlement");
    settlement.add("ram:PaymentReference", invoice.request.invoiceNumber);
    settlement.add("ram:InvoiceCurrencyCode", billing.currencyCode);
    if (!billing.iban.empty()) {
        XmlBuilder means = settlement.add("ram:SpecifiedTradeSettlementPaymentMeans");
        means.add("ram:TypeCode", transferMeansCode(billing.currencyCode));
        means.add("ram:PayeePartyCreditorFinancialAccount").add("ram:IBANID", billing.iban);
        if (!billing.bic.empty()) means.add("ram:PayeeSpecifiedCreditorFinancialInstitution").add("ram:BICID", billing.bic);
    }
    XmlBuilder tax = settlement.add("ram:ApplicableTradeTax");
    tax.add("ram:CalculatedAmount", centsText(sums.tax));
    tax.add("ram:TypeCode", kVatTaxScheme);
    if (category == TaxCategory::Exempt) tax.add("ram:ExemptionReason", billing.exemptionReason);
    if (category == TaxCategory::NotSubject)
        tax.add("ram:ExemptionReason", isBlankXmlText(billing.exemptionReason) ? "Not subject to VAT" : billing.exemptionReason);
    tax.add("ram:BasisAmount", centsText(sums.net));
    tax.add("ram:CategoryCode", taxCategoryCode(category));
    if (category == TaxCategory::Exempt) tax.addIfGiven("ram:ExemptionReasonCode", billing.exemptionCode);
    if (category == TaxCategory::NotSubject) tax.add("ram:ExemptionReasonCode", kNotSubjectVatexCode);
    if (category != TaxCategory::NotSubject) tax.add("ram:RateApplicablePercent", rate);
    XmlBuilder period = settlement.add("ram:BillingSpecifiedPeriod");
    period.date("ram:StartDateTime", dates.periodStart);
    period.date("ram:EndDateTime", dates.periodEnd);
    settlement.add("ram:SpecifiedTradePaymentTerms").date("ram:DueDateDateTime", dates.due);
    XmlBuilder totals = settlement.add("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
    totals.add("ram:LineTotalAmount", centsText(sums.net));
    totals.add("ram:TaxBasisTotalAmount", centsText(sums.net));
    totals.add("ram:TaxTotalAmount", centsText(sums.tax)).attribute("currencyID", billing.currencyCode);
    totals.add("ram:GrandTotalAmount", centsText(sums.total));
    totals.add("ram:DuePayableAmount", centsText(sums.total));

    StringWriter writer;
    doc.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(writer.bytes);
}

}  // namespace ql
