#include "cli/ArgumentValues.h"
#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"

#include "core/store/BillingDetails.h"
#include "core/store/BillingFields.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"

#include <array>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

template <typename Details>
struct DetailKey {
    const char* key;
    BillingField field;
    std::string Details::* member;
};

const std::array<DetailKey<BillingDetails>, 10>& billingTable() {
    using D = BillingDetails;
    static const std::array<DetailKey<D>, 10> keys = {{
        {"country", BillingField::CountryCode, &D::countryCode},
        {"vatId", BillingField::VatId, &D::vatId},
        {"taxNumber", BillingField::TaxNumber, &D::taxNumber},
        {"registration", BillingField::Registration, &D::registration},
        {"iban", BillingField::Iban, &D::iban},
        {"bic", BillingField::Bic, &D::bic},
        {"paymentTerms", BillingField::PaymentTerms, &D::paymentTerms},
        {"currency", BillingField::CurrencyCode, &D::currencyCode},
        {"exemptionReason", BillingField::ExemptionReason, &D::exemptionReason},
        {"exemptionCode", BillingField::ExemptionCode, &D::exemptionCode},
    }};
    return keys;
}

const std::array<DetailKey<CustomerDetails>, 4>& customerTable() {
    using D = CustomerDetails;
    static const std::array<DetailKey<D>, 4> keys = {{
        {"country", BillingField::CountryCode, &D::countryCode},
        {"vatId", BillingField::VatId, &D::vatId},
        {"email", BillingField::Email, &D::email},
        {"buyerReference", BillingField::BuyerReference, &D::buyerReference},
    }};
    return keys;
}

template <typename Table>
std::string keysOf(const Table& table) {
    std::string out;
    for (const auto& k : table) out += (out.empty() ? "" : ", ") + std::string(k.key);
    return out;
}

// Applies every KEY=VALUE to details in order; the first that is refused is returned.
template <typename Details, typename Table>
Status assign(Details& details, const Table& table, const std::vector<std::string>& assignments) {
    for (const std::string& assignment : assignments) {
        const std::size_t eq = assignment.find('=');
        const std::string key = assignment.substr(0, eq);
        const auto* entry = eq == std::string::npos ? nullptr : [&]() -> decltype(&table[0]) {
            for (const auto& k : table)
                if (key == k.key) return &k;
            return nullptr;
        }();
        if (!entry) return Status::invalidArgument("--set: '" + assignment + "' is not KEY=VALUE with a known key");
        auto stored = checkBillingField(entry->field, assignment.substr(eq + 1));
        if (!stored) return Status::invalidArgument("--set " + key + ": " + stored.status().message());
        details.*(entry->member) = std::move(stored).value();
    }
    return Status::ok();
}

template <typename Details, typename Table>
void print(std::ostream& out, const Details& details, const Table& table, bool json) {
    if (json) {
        Json object = Json::object();
        for (const auto& k : table) object[k.key] = details.*(k.member);
        JsonArrayWriter writer(out);
        writer.add(object);
        writer.finish();
        return;
    }
    for (const auto& k : table) out << k.key << ": " << details.*(k.member) << '\n';
}

}  // namespace

std::string billingKeys() { return keysOf(billingTable()); }
std::string customerDetailsKeys() { return keysOf(customerTable()); }

Status runBilling(FileSystem& fs, const BillingRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();
    if (request.assignments.empty()) {
        auto details = readBillingDetails(fs, set);
        if (!details) return details.status();
        print(out, *details, billingTable(), request.json);
        return Status::ok();
    }
    // Every value is checked before the lock is taken, so a typing mistake waits for nobody.
    BillingDetails probe;
    if (Status st = assign(probe, billingTable(), request.assignments); !st) return st;
    return updateBillingDetails(fs, set, [&](BillingDetails& details) {
        return assign(details, billingTable(), request.assignments);
    });
}

Status runCustomerDetails(FileSystem& fs, const CustomerDetailsRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    const auto id = recordId("--id", request.id, "customer");
    if (!id) return id.status();
    CustomerDetails probe;
    if (Status st = assign(probe, customerTable(), request.assignments); !st) return st;
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();
    // Held from the lookup to the rewrite, so the customer cannot be removed in between.
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    auto customer = findCustomerById(fs, set.customers(), *id);
    if (!customer) return customer.status();
    if (!*customer) return Status::invalidArgument("--id: there is no customer with id " + request.id);
    if (request.assignments.empty()) {
        auto details = readCustomerDetails(fs, set, *id);
        if (!details) return details.status();
        print(out, *details, customerTable(), request.json);
        return Status::ok();
    }
    return updateCustomerDetails(fs, set, *id, [&](CustomerDetails& details) {
        return assign(details, customerTable(), request.assignments);
    });
}

void addBillingCommand(CLI::App& app, CommandSetup& setup) {
    BillingRequest& request = setup.keep<BillingRequest>();
    CLI::App* c = app.add_subcommand("billing", "Print the seller's billing details, or change named fields in one rewrite");
    addFilePath(*c, request.path);
    c->add_option("--set", request.assignments,
                  "Change a field; KEY is one of " + billingKeys() + "; an empty VALUE clears it; repeat for more")
        ->type_name("KEY=VALUE")
        ->allow_extra_args(false);
    c->add_flag("--json", request.json, "Print one JSON array of objects");
    c->footer("Values are checked before anything is written: an IBAN with wrong check digits, a VAT number "
              "without a country prefix, a country code or a currency code that is not known is refused, "
              "naming the field, with exit status 2. paymentTerms is days (0: due on the issue date).");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runBilling(setup.fs, request, setup.out); });
    });
}

void addCustomerCommand(CLI::App& app, CommandSetup& setup) {
    CustomerDetailsRequest& request = setup.keep<CustomerDetailsRequest>();
    CLI::App* c = app.add_subcommand("customer", "Print a customer's billing details, or change named fields");
    addFilePath(*c, request.path);
    c->add_option("--id", request.id, "Customer id")->required()->type_name("ID");
    c->add_option("--set", request.assignments,
                  "Change a field; KEY is one of " + customerDetailsKeys() +
                      "; an empty VALUE clears it; repeat for more")
        ->type_name("KEY=VALUE")
        ->allow_extra_args(false);
    c->add_flag("--json", request.json, "Print one JSON array of objects");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runCustomerDetails(setup.fs, request, setup.out); });
    });
}

}  // namespace ql::cli
