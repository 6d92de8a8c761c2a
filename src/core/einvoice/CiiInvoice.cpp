#include "core/einvoice/CiiInvoice.h"

#include "core/store/BillingFields.h"
#include "core/time/Calendar.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace ql {
namespace {

constexpr const char* kCompanyPage = "File > Properties > Company";
constexpr const char* kInvoicePage = "File > Properties > Invoice";
constexpr const char* kBillingPage = "File > Properties > Billing";
constexpr const char* kCustomersDialog = "Customers > Edit Customers...";
constexpr const char* kProjectsDialog = "Projects > Edit Projects...";
constexpr const char* kInvoiceDialog = "Reports > Invoice...";

constexpr const char* kRsm = "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";
constexpr const char* kRam = "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100";
constexpr const char* kUdt = "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100";
constexpr const char* kQdt = "urn:un:unece:uncefact:data:standard:QualifiedDataType:100";
constexpr const char* kGuideline = "urn:cen.eu:en16931:2017";

// The code lists the standard's rules check lag the ISO tables the billing fields accept: a
// code only the newer table knows would make the file invalid, so it is named as a gap.
bool onCountryList(std::string_view code) { return isCountryCode(code) && code != "SS"; }
bool onCurrencyList(std::string_view code) {
    constexpr std::array<std::string_view, 6> kNotListed{"ANG", "BGN", "CUC", "SLL", "STN", "ZWL"};
    return isCurrencyCode(code) && std::find(kNotListed.begin(), kNotListed.end(), code) == kNotListed.end();
}
bool vatPrefixListed(std::string_view vatId) {
    const std::string_view prefix = vatId.substr(0, 2);
    return prefix == "EL" || onCountryList(prefix);
}

// The VATEX codes the rules accept; the billing field takes any well-formed code.
constexpr std::array<std::string_view, 88> kVatexCodes{
    "VATEX-EU-79-C",     "VATEX-EU-132",       "VATEX-EU-132-1A",       "VATEX-EU-132-1B",   "VATEX-EU-132-1C",
    "VATEX-EU-132-1D",   "VATEX-EU-132-1E",    "VATEX-EU-132-1F",       "VATEX-EU-132-1G",   "VATEX-EU-132-1H",
    "VATEX-EU-132-1I",   "VATEX-EU-132-1J",    "VATEX-EU-132-1K",       "VATEX-EU-132-1L",   "VATEX-EU-132-1M",
    "VATEX-EU-132-1N",   "VATEX-EU-132-1O",    "VATEX-EU-132-1P",       "VATEX-EU-132-1Q",   "VATEX-EU-135-1",
    "VATEX-EU-143",      "VATEX-EU-143-1A",    "VATEX-EU-143-1B",       "VATEX-EU-143-1C",   "VATEX-EU-143-1D",
    "VATEX-EU-143-1E",   "VATEX-EU-143-1F",    "VATEX-EU-143-1FA",      "VATEX-EU-143-1G",   "VATEX-EU-143-1H",
    "VATEX-EU-143-1I",   "VATEX-EU-143-1J",    "VATEX-EU-143-1K",       "VATEX-EU-143-1L",   "VATEX-EU-144",
    "VATEX-EU-146-1E",   "VATEX-EU-159",       "VATEX-EU-309",          "VATEX-EU-148",      "VATEX-EU-148-A",
    "VATEX-EU-148-B",    "VATEX-EU-148-C",     "VATEX-EU-148-D",        "VATEX-EU-148-E",    "VATEX-EU-148-F",
    "VATEX-EU-148-G",    "VATEX-EU-151",       "VATEX-EU-151-1A",       "VATEX-EU-151-1AA",  "VATEX-EU-151-1B",
    "VATEX-EU-151-1C",   "VATEX-EU-151-1D",    "VATEX-EU-151-1E",       "VATEX-EU-G",        "VATEX-EU-O",
    "VATEX-EU-IC",       "VATEX-EU-AE",        "VATEX-EU-D",            "VATEX-EU-F",        "VATEX-EU-I",
    "VATEX-EU-J",        "VATEX-FR-FRANCHISE", "VATEX-FR-CNWVAT",       "VATEX-EU-153",      "VATEX-FR-CGI261-1",
    "VATEX-FR-CGI261-2", "VATEX-FR-CGI261-3",  "VATEX-FR-CGI261-4",     "VATEX-FR-CGI261-5", "VATEX-FR-CGI261-7",
    "VATEX-FR-CGI261-8", "VATEX-FR-CGI261A",   "VATEX-FR-CGI261B",      "VATEX-FR-CGI261C-1", "VATEX-FR-CGI261C-2",
    "VATEX-FR-CGI261C-3", "VATEX-FR-CGI261D-1", "VATEX-FR-CGI261D-1BIS", "VATEX-FR-CGI261D-2", "VATEX-FR-CGI261D-3",
    "VATEX-FR-CGI261D-4", "VATEX-FR-CGI261E-1", "VATEX-FR-CGI261E-2",   "VATEX-FR-CGI277A",  "VATEX-FR-CGI275",
    "VATEX-FR-298SEXDECIESA", "VATEX-FR-CGI295", "VATEX-FR-AE"};
bool onVatexList(std::string_view code) {
    return std::find(kVatexCodes.begin(), kVatexCodes.end(), code) != kVatexCodes.end();
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// text as XML 1.0 may hold it: a byte that starts no valid UTF-8 character and a character XML
// forbids become U+FFFD, other control characters a space, CR LF and a lone CR a line feed.
// Records hold what older programs typed, so nothing here may make the file unreadable.
std::string xmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = byte(i);
        if (c < 0x80) {
            if (c == '\r') {
                out += '\n';
                i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
                continue;
            }
            out += (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F ? ' ' : static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        std::uint32_t cp = length == 4 ? c & 0x07u : length == 3 ? c & 0x0Fu : c & 0x1Fu;
        bool valid = length > 0 && c <= 0xF4 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            cp = (cp << 6) | (byte(i + k) & 0x3Fu);
        }
        const std::uint32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        valid = valid && cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) && cp != 0xFFFE &&
                cp != 0xFFFF;
        appendUtf8(out, valid ? cp : 0xFFFD);
        i += valid ? length : 1;
    }
    return out;
}

// True when text holds nothing but white space once written: the rules read names through
// normalize-space, so such a name is no name.
bool blank(std::string_view text) {
    const std::string written = xmlText(text);
    return std::all_of(written.begin(), written.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
}

enum class TaxCategory { Standard, Exempt, NotSubject };

// With sales tax, standard rated; without it, exempt when the seller has a VAT ID, else not
// subject to VAT (and then no VAT ID of either side may appear).
TaxCategory taxCategory(const InvoiceParties& parties) {
    if (parties.settings.applySalesTax != 0) return TaxCategory::Standard;
    return parties.billing.vatId.empty() ? TaxCategory::NotSubject : TaxCategory::Exempt;
}

// A double in plain decimal notation, the shortest that reads back as the same value, the
// same bytes in every locale; "0" for what is no number.
std::string decimalText(double value) {
    if (!std::isfinite(value) || value == 0.0) return "0";
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buffer.data(), end);
}

std::string amountText(std::int64_t cents) { return invoiceCentsText("", cents); }

// Whole minutes in hours with four places (1 minute is 0.0167 hours), halves away from zero.
std::string hoursText(std::int64_t minutes) {
    const std::uint64_t magnitude = minutes < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(minutes)
                                                : static_cast<std::uint64_t>(minutes);
    const std::uint64_t tenThousandths = (magnitude * 10000 + 30) / 60;
    std::string fraction = std::to_string(tenThousandths % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (minutes < 0 && tenThousandths != 0 ? "-" : "") + std::to_string(tenThousandths / 10000) + "." + fraction;
}

std::string twoDigits(int n) { return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)}; }

// Format 102 of the rules: YYYYMMDD.
std::string date102(const calendar::Date& date) {
    std::string year = std::to_string(date.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + twoDigits(date.month) + twoDigits(date.day);
}

// A date as the invoice prints it ("12/31/1996" month first, else "31/12/1996").
std::optional<calendar::Date> printedDate(std::string_view text, bool monthFirst) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    int fields[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 3, 6}, lengths[3] = {2, 2, 4};
    for (int f = 0; f < 3; ++f) {
        const char* first = text.data() + starts[f];
        const auto [end, ec] = std::from_chars(first, first + lengths[f], fields[f]);
        if (ec != std::errc() || end != first + lengths[f]) return std::nullopt;
    }
    calendar::Date date{fields[2], monthFirst ? fields[0] : fields[1], monthFirst ? fields[1] : fields[0]};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > calendar::daysInMonth(date.month, date.year))
        return std::nullopt;
    return date;
}

struct EInvoiceDates {
    calendar::Date issue, periodStart, periodEnd, due;
};

// The dates the invoice shows. A reprint takes those it printed, so the file stays the same
// whatever the time zone is now; a due date is the issue date plus the payment terms' days
// (none: the issue date itself).
EInvoiceDates eInvoiceDates(const Invoice& invoice, const InvoiceParties& parties) {
    const InvoiceRequest& request = invoice.request;
    const auto days = paymentTermsDays(parties.billing.paymentTerms);
    EInvoiceDates dates{calendar::localDate(request.issueDate), calendar::localDate(request.periodStart),
                        calendar::localDate(request.periodEnd), {}};
    dates.due = calendar::addDays(dates.issue, days.value_or(0));
    if (!invoice.issuedDates) return dates;
    const bool monthFirst = parties.settings.monthFirst();
    bool dueGiven = false;
    for (const std::string& line : *invoice.issuedDates) {
        const std::string_view text(line);
        const auto after = [&](std::string_view label) {
            return text.starts_with(label) ? text.substr(label.size()) : std::string_view();
        };
        if (const auto issue = printedDate(after("Invoice date: "), monthFirst)) dates.issue = *issue;
        if (const std::string_view period = after("Period: "); period.size() == 23 && period.substr(10, 3) == " - ") {
            const auto first = printedDate(period.substr(0, 10), monthFirst);
            const auto last = printedDate(period.substr(13), monthFirst);
            if (first && last) {
                dates.periodStart = *first;
                dates.periodEnd = *last;
            }
        }
        if (const auto due = printedDate(after("Due date: "), monthFirst)) {
            dates.due = *due;
            dueGiven = true;
        }
    }
    if (!dueGiven) dates.due = calendar::addDays(dates.issue, days.value_or(0));
    return dates;
}

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
        add(name).add("udt:DateTimeString", date102(date)).attribute("format", "102");
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

void addVatId(XmlBuilder party, const std::string& id, const char* scheme) {
    if (!id.empty()) party.add("ram:SpecifiedTaxRegistration").add("ram:ID", id).attribute("schemeID", scheme);
}

void addTaxCategory(XmlBuilder tax, TaxCategory category, const std::string& rate) {
    tax.add("ram:TypeCode", "VAT");
    tax.add("ram:CategoryCode", category == TaxCategory::Standard ? "S" : category == TaxCategory::Exempt ? "E" : "O");
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
        .add("ram:ChargeAmount", decimalText(std::fabs(line.rate)));
    const std::int64_t minutes = line.minutes();
    item.add("ram:SpecifiedLineTradeDelivery")
        .add("ram:BilledQuantity", hoursText(negative ? -minutes : minutes))
        .attribute("unitCode", "HUR");
    XmlBuilder settlement = item.add("ram:SpecifiedLineTradeSettlement");
    addTaxCategory(settlement.add("ram:ApplicableTradeTax"), category, rate);
    settlement.add("ram:SpecifiedTradeSettlementLineMonetarySummation").add("ram:LineTotalAmount", amountText(line.cents()));
}

}  // namespace

std::vector<EInvoiceGap> missingEInvoiceDetails(const Invoice& invoice, const InvoiceParties& parties) {
    const SettingsRecord& settings = parties.settings;
    const BillingDetails& billing = parties.billing;
    const CustomerDetails& customer = parties.customerDetails;
    const TaxCategory category = taxCategory(parties);
    std::vector<EInvoiceGap> gaps;
    const auto gap = [&gaps](std::string detail, const char* where) { gaps.push_back({std::move(detail), where}); };

    if (blank(invoice.request.invoiceNumber)) gap("the invoice number", kInvoiceDialog);
    if (blank(settings.companyName)) gap("the seller's name", kCompanyPage);
    if (billing.countryCode.empty()) gap("the seller's country code", kBillingPage);
    else if (!onCountryList(billing.countryCode))
        gap("the seller's country code (" + billing.countryCode + " is not in the standard's list)", kBillingPage);
    if (billing.vatId.empty() && blank(billing.registration))
        gap("the seller's VAT ID or registration number", kBillingPage);
    if (!billing.vatId.empty() && !vatPrefixListed(billing.vatId))
        gap("the seller's VAT ID (its prefix " + billing.vatId.substr(0, 2) + " is not in the standard's list)",
            kBillingPage);
    if (category == TaxCategory::Standard) {
        if (!std::isfinite(settings.salesTaxRate) || settings.salesTaxRate <= 0.0)
            gap("a sales tax rate above zero", kInvoicePage);
        if (billing.vatId.empty() && blank(billing.taxNumber))
            gap("the seller's VAT ID or tax number, as sales tax is applied", kBillingPage);
    }
    if (category == TaxCategory::Exempt) {
        if (blank(billing.exemptionReason)) gap("the reason for the VAT exemption", kBillingPage);
        if (!billing.exemptionCode.empty() && !onVatexList(billing.exemptionCode))
            gap("an exemption code of the VATEX list, or none (" + billing.exemptionCode + " is not in it)",
                kBillingPage);
    }
    if (blank(parties.customer.name)) gap("the customer's name", kCustomersDialog);
    if (customer.countryCode.empty()) gap("the customer's country code", kCustomersDialog);
    else if (!onCountryList(customer.countryCode))
        gap("the customer's country code (" + customer.countryCode + " is not in the standard's list)",
            kCustomersDialog);
    if (category != TaxCategory::NotSubject && !customer.vatId.empty() && !vatPrefixListed(customer.vatId))
        gap("the customer's VAT ID (its prefix " + customer.vatId.substr(0, 2) + " is not in the standard's list)",
            kCustomersDialog);
    if (billing.currencyCode.empty()) gap("the currency code", kBillingPage);
    else if (!onCurrencyList(billing.currencyCode))
        gap("the currency code (" + billing.currencyCode + " is not in the standard's list)", kBillingPage);
    if (invoice.lines.empty()) gap("at least one time frame to bill", kInvoiceDialog);
    const bool unnamed = std::any_of(invoice.lines.begin(), invoice.lines.end(), [&](const InvoiceLine& line) {
        return blank(invoiceLineCells(line, settings).project);
    });
    if (unnamed) gap("a name for every project billed", kProjectsDialog);
    return gaps;
}

std::string eInvoiceGapsMessage(const std::vector<EInvoiceGap>& gaps) {
    std::string message = "The e-invoice lacks details the standard requires:";
    for (const EInvoiceGap& g : gaps) message += "\n" + g.detail + " (" + g.where + ")";
    return message;
}

Result<std::string> ciiInvoiceXml(const Invoice& invoice, const InvoiceParties& parties) {
    if (invoice.request.issueDate == 0)
        return Status::invalidArgument("An e-invoice is written only for an issued invoice.");
    if (const auto gaps = missingEInvoiceDetails(invoice, parties); !gaps.empty())
        return Status::invalidArgument(eInvoiceGapsMessage(gaps));

    const SettingsRecord& settings = parties.settings;
    const BillingDetails& billing = parties.billing;
    const CustomerDetails& customerDetails = parties.customerDetails;
    const CustomerRecord& customer = parties.customer;
    const TaxCategory category = taxCategory(parties);
    const std::string rate = category == TaxCategory::Standard ? decimalText(settings.salesTaxRate) : "0";
    const InvoiceSums sums = invoiceSums(invoice, settings);
    const EInvoiceDates dates = eInvoiceDates(invoice, parties);

    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    XmlBuilder root(doc.append_child("rsm:CrossIndustryInvoice"));
    root.attribute("xmlns:rsm", kRsm).attribute("xmlns:ram", kRam).attribute("xmlns:udt", kUdt).attribute("xmlns:qdt", kQdt);

    root.add("rsm:ExchangedDocumentContext").add("ram:GuidelineSpecifiedDocumentContextParameter").add("ram:ID", kGuideline);
    XmlBuilder document = root.add("rsm:ExchangedDocument");
    document.add("ram:ID", invoice.request.invoiceNumber);
    document.add("ram:TypeCode", "380");  // commercial invoice
    document.date("ram:IssueDateTime", dates.issue);
    if (!blank(settings.footer)) document.add("ram:IncludedNote").add("ram:Content", settings.footer);

    XmlBuilder transaction = root.add("rsm:SupplyChainTradeTransaction");
    for (std::size_t i = 0; i < invoice.lines.size(); ++i)
        addLine(transaction, i, invoice.lines[i], settings, category, rate);

    XmlBuilder agreement = transaction.add("ram:ApplicableHeaderTradeAgreement");
    agreement.addIfGiven("ram:BuyerReference", customerDetails.buyerReference);
    XmlBuilder seller = agreement.add("ram:SellerTradeParty");
    seller.add("ram:Name", settings.companyName);
    if (!blank(billing.registration)) seller.add("ram:SpecifiedLegalOrganization").add("ram:ID", billing.registration);
    if (!blank(settings.phone))
        seller.add("ram:DefinedTradeContact").add("ram:TelephoneUniversalCommunication").add("ram:CompleteNumber", settings.phone);
    addAddress(seller, settings.companyAddress, settings.zip, settings.city, billing.countryCode, settings.state);
    if (category != TaxCategory::NotSubject) addVatId(seller, billing.vatId, "VA");
    if (!blank(billing.taxNumber)) addVatId(seller, billing.taxNumber, "FC");

    XmlBuilder buyer = agreement.add("ram:BuyerTradeParty");
    buyer.add("ram:Name", customer.name);
    addAddress(buyer, customer.address, customer.zip, customer.city, customerDetails.countryCode, customer.state);
    if (!customerDetails.email.empty())
        buyer.add("ram:URIUniversalCommunication").add("ram:URIID", customerDetails.email).attribute("schemeID", "EM");
    if (category != TaxCategory::NotSubject) addVatId(buyer, customerDetails.vatId, "VA");

    transaction.add("ram:ApplicableHeaderTradeDelivery");

    XmlBuilder settlement = transaction.add("ram:ApplicableHeaderTradeSettlement");
    settlement.add("ram:PaymentReference", invoice.request.invoiceNumber);
    settlement.add("ram:InvoiceCurrencyCode", billing.currencyCode);
    if (!billing.iban.empty()) {
        XmlBuilder means = settlement.add("ram:SpecifiedTradeSettlementPaymentMeans");
        // SEPA credit transfer within the euro area, a credit transfer otherwise.
        means.add("ram:TypeCode", billing.currencyCode == "EUR" ? "58" : "30");
        means.add("ram:PayeePartyCreditorFinancialAccount").add("ram:IBANID", billing.iban);
        if (!billing.bic.empty()) means.add("ram:PayeeSpecifiedCreditorFinancialInstitution").add("ram:BICID", billing.bic);
    }
    XmlBuilder tax = settlement.add("ram:ApplicableTradeTax");
    tax.add("ram:CalculatedAmount", amountText(sums.tax));
    tax.add("ram:TypeCode", "VAT");
    if (category == TaxCategory::Exempt) tax.add("ram:ExemptionReason", billing.exemptionReason);
    if (category == TaxCategory::NotSubject)
        tax.add("ram:ExemptionReason", blank(billing.exemptionReason) ? "Not subject to VAT" : billing.exemptionReason);
    tax.add("ram:BasisAmount", amountText(sums.net));
    tax.add("ram:CategoryCode", category == TaxCategory::Standard ? "S" : category == TaxCategory::Exempt ? "E" : "O");
    if (category == TaxCategory::Exempt) tax.addIfGiven("ram:ExemptionReasonCode", billing.exemptionCode);
    if (category == TaxCategory::NotSubject) tax.add("ram:ExemptionReasonCode", "VATEX-EU-O");
    if (category != TaxCategory::NotSubject) tax.add("ram:RateApplicablePercent", rate);
    XmlBuilder period = settlement.add("ram:BillingSpecifiedPeriod");
    period.date("ram:StartDateTime", dates.periodStart);
    period.date("ram:EndDateTime", dates.periodEnd);
    settlement.add("ram:SpecifiedTradePaymentTerms").date("ram:DueDateDateTime", dates.due);
    XmlBuilder totals = settlement.add("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
    totals.add("ram:LineTotalAmount", amountText(sums.net));
    totals.add("ram:TaxBasisTotalAmount", amountText(sums.net));
    totals.add("ram:TaxTotalAmount", amountText(sums.tax)).attribute("currencyID", billing.currencyCode);
    totals.add("ram:GrandTotalAmount", amountText(sums.total));
    totals.add("ram:DuePayableAmount", amountText(sums.total));

    StringWriter writer;
    doc.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(writer.bytes);
}

namespace {

// Elements are found by local name, whatever prefix the writing program chose.
std::string_view localName(const char* name) {
    const std::string_view text(name);
    const auto colon = text.find(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c.name()) == name) return c;
    return {};
}

pugi::xml_node path(pugi::xml_node node, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) node = child(node, name);
    return node;
}

std::string textOf(pugi::xml_node node) { return node.child_value(); }

// A date of format 102 as "YYYY-MM-DD"; any other as written.
std::string dateOf(pugi::xml_node dateTime) {
    const pugi::xml_node string = child(dateTime, "DateTimeString");
    std::string text = textOf(string);
    const bool digits = text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (std::string_view(string.attribute("format").value()) == "102" && digits)
        return text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2);
    return text;
}

std::string vatIdOf(pugi::xml_node party) {
    for (pugi::xml_node c = party.first_child(); c; c = c.next_sibling()) {
        if (localName(c.name()) != "SpecifiedTaxRegistration") continue;
        const pugi::xml_node id = child(c, "ID");
        if (std::string_view(id.attribute("schemeID").value()) == "VA") return textOf(id);
    }
    return {};
}

}  // namespace

Result<EInvoiceSummary> readCiiSummary(std::string_view xml) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        return Status::invalidArgument("The file is not XML").withReason(std::string(parsed.description()) + " at byte " +
                                                                         std::to_string(parsed.offset));
    const pugi::xml_node root = doc.document_element();
    if (localName(root.name()) != "CrossIndustryInvoice")
        return Status::invalidArgument("The file is not a Cross Industry Invoice")
            .withReason("its root element is " + std::string(root.name()));
    EInvoiceSummary summary;
    const pugi::xml_node document = child(root, "ExchangedDocument");
    summary.number = textOf(child(document, "ID"));
    summary.issueDate = dateOf(child(document, "IssueDateTime"));
    const pugi::xml_node transaction = child(root, "SupplyChainTradeTransaction");
    const pugi::xml_node agreement = child(transaction, "ApplicableHeaderTradeAgreement");
    const pugi::xml_node seller = child(agreement, "SellerTradeParty");
    const pugi::xml_node buyer = child(agreement, "BuyerTradeParty");
    summary.sellerName = textOf(child(seller, "Name"));
    summary.sellerVatId = vatIdOf(seller);
    summary.buyerName = textOf(child(buyer, "Name"));
    summary.buyerVatId = vatIdOf(buyer);
    const pugi::xml_node settlement = child(transaction, "ApplicableHeaderTradeSettlement");
    summary.currency = textOf(child(settlement, "InvoiceCurrencyCode"));
    summary.dueDate = dateOf(path(settlement, {"SpecifiedTradePaymentTerms", "DueDateDateTime"}));
    const pugi::xml_node totals = child(settlement, "SpecifiedTradeSettlementHeaderMonetarySummation");
    summary.net = textOf(child(totals, "LineTotalAmount"));
    // The tax total in the invoice's currency; a second one may give it in the currency of VAT accounting.
    for (pugi::xml_node c = totals.first_child(); c; c = c.next_sibling()) {
        if (localName(c.name()) != "TaxTotalAmount") continue;
        const std::string_view currency = c.attribute("currencyID").value();
        if (summary.tax.empty() || currency == summary.currency) summary.tax = textOf(c);
        if (currency == summary.currency) break;
    }
    summary.total = textOf(child(totals, "GrandTotalAmount"));
    summary.due = textOf(child(totals, "DuePayableAmount"));
    for (pugi::xml_node c = transaction.first_child(); c; c = c.next_sibling())
        if (localName(c.name()) == "IncludedSupplyChainTradeLineItem") ++summary.lineCount;
    return summary;
}

}  // namespace ql
