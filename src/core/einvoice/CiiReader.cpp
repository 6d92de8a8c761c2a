#include "core/einvoice/CiiReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <initializer_list>

namespace ql {
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
        return Status::invalidArgument(Message(MessageId::NotXml)).withReason(std::string(parsed.description()) + " at byte " +
                                                                         std::to_string(parsed.offset));
    const pugi::xml_node root = doc.document_element();
    if (localName(root.name()) != "CrossIndustryInvoice")
        return Status::invalidArgument(Message(MessageId::NotCii))
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
