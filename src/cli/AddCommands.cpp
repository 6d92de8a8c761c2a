#include "cli/ArgumentValues.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/store/BillingDetails.h"
#include "core/store/BillingFields.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <tuple>
#include <limits>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

// Checks one optional text option and stores it into field; returns the failure, if any.
Status takeText(std::string& field, const char* option, const std::optional<std::string>& text, std::size_t width,
                TextKind kind) {
    if (!text) return Status::ok();
    auto stored = fieldText(option, *text, width, kind);
    if (!stored) return stored.status();
    field = std::move(stored).value();
    return Status::ok();
}

Status takeName(std::string& field, const std::string& text, std::size_t width) {
    if (text.empty()) return Status::invalidArgument("--name: a name cannot be empty");
    return takeText(field, "--name", text, width, TextKind::SingleLine);
}

// A reference option: -1 stands for none, any other id must name an existing record.
template <typename Exists>
Result<std::int32_t> takeReference(const char* option, const std::optional<std::string>& text, const char* what,
                                   Exists&& exists) {
    if (!text) return -1;
    auto id = parseInt32(option, *text);
    if (!id) return id.status();
    if (*id == -1) return -1;
    auto found = exists(*id);
    if (!found) return found.status();
    if (!*found) return Status::invalidArgument(std::string(option) + ": there is no " + what + " with id " + *text);
    return *id;
}

Result<bool> customerExists(FileSystem& fs, const FileSet& set, std::int32_t id) {
    auto customer = findCustomerById(fs, set.customers(), id);
    if (!customer) return customer.status();
    return customer->has_value();
}

}  // namespace

Status runAddProject(FileSystem& fs, const AddProjectRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    ProjectRecord project;
    Status st = takeName(project.name, request.name, ProjectRecord::kNameWidth);
    if (st) st = takeText(project.memo, "--memo", request.memo, ProjectRecord::kMemoWidth, TextKind::MultiLine);
    if (!st) return st;
    if (request.rate) {
        auto rate = parseAmount("--rate", *request.rate);
        if (!rate) return rate.status();
        project.chargesPerHour = *rate;
    }
    // The values are sound; now check what they refer to, under the set's lock, so that
    // nobody removes the parent or takes the id in between.
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();
    auto held = lockFileSet(fs, set, projectFileMessage(set.projects()));
    if (!held) return held.status();
    auto customer = takeReference("--customer", request.customer, "customer",
                                  [&](std::int32_t id) { return customerExists(fs, set, id); });
    if (!customer) return customer.status();
    project.customerId = *customer;

    auto id = addProject(fs, set, project, [&](const ProjectIndex& index, ProjectRecord& added) -> Status {
        auto parent = takeReference("--parent", request.parent, "project",
                                    [&](std::int32_t pid) -> Result<bool> { return index.find(pid) != nullptr; });
        if (!parent) return parent.status();
        added.parentId = *parent;
        return Status::ok();
    });
    if (!id) return id.status();
    out << *id << '\n';
    return Status::ok();
}

Status runAddCustomer(FileSystem& fs, const AddCustomerRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    CustomerRecord customer;
    customer.name.clear();
    const std::size_t shortWidth = CustomerRecord::kShortTextWidth;
    Status st = takeName(customer.name, request.name, CustomerRecord::kNameWidth);
    if (st) st = takeText(customer.address, "--address", request.address, CustomerRecord::kAddressWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.city, "--city", request.city, shortWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.zip, "--zip", request.zip, shortWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.state, "--state", request.state, shortWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.country, "--country", request.country, shortWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.phone, "--phone", request.phone, shortWidth, TextKind::SingleLine);
    if (st) st = takeText(customer.notes, "--notes", request.notes, CustomerRecord::kNotesWidth, TextKind::MultiLine);
    CustomerDetails details;
    const std::tuple<const char*, BillingField, const std::optional<std::string>*, std::string*> billing[] = {
        {"--country-code", BillingField::CountryCode, &request.countryCode, &details.countryCode},
        {"--vat-id", BillingField::VatId, &request.vatId, &details.vatId},
        {"--email", BillingField::Email, &request.email, &details.email},
        {"--buyer-reference", BillingField::BuyerReference, &request.buyerReference, &details.buyerReference},
    };
    for (const auto& [option, field, typed, stored] : billing) {
        if (!st || !*typed) continue;
        auto checked = checkBillingField(field, **typed);
        if (checked) *stored = std::move(checked).value();
        else st = Status::invalidArgument(std::string(option) + ": " + checked.status().message());
    }
    if (!st) return st;
    if (auto settings = openFileSet(fs, set); !settings) return settings.status();

    auto id = addCustomerWithDetails(fs, customer, details, set);
    if (!id) return id.status();
    out << *id << '\n';
    return Status::ok();
}

void addAddProjectCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        AddProjectRequest request;
        OptionalText parent, customer, rate, memo;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("add-project", "Add a project and print its id");
    addFilePath(*c, o.request.path);
    c->add_option("--name", o.request.name, "Name, at most 60 bytes")->required()->type_name("NAME");
    addOptional(*c, o.parent, "--parent", "Id of the parent project (default: a top-level project)", "ID");
    addOptional(*c, o.customer, "--customer", "Id of the customer billed (default: none)", "ID");
    addOptional(*c, o.rate, "--rate", "Charges per hour, such as 37.50 (default: 0)", "AMOUNT");
    addOptional(*c, o.memo, "--memo", "Memo, at most 1000 bytes (line breaks count two)", "TEXT");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.parent = o.parent.get();
            o.request.customer = o.customer.get();
            o.request.rate = o.rate.get();
            o.request.memo = o.memo.get();
            return runAddProject(setup.fs, o.request, setup.out);
        });
    });
}

void addAddCustomerCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        AddCustomerRequest request;
        OptionalText address, city, zip, state, country, phone, notes;
        OptionalText countryCode, vatId, email, buyerReference;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("add-customer", "Add a customer and print its id");
    addFilePath(*c, o.request.path);
    c->add_option("--name", o.request.name, "Name, at most 60 bytes")->required()->type_name("NAME");
    addOptional(*c, o.address, "--address", "Address, at most 60 bytes", "TEXT");
    addOptional(*c, o.city, "--city", "City, at most 30 bytes", "TEXT");
    addOptional(*c, o.zip, "--zip", "ZIP, at most 30 bytes", "TEXT");
    addOptional(*c, o.state, "--state", "State, at most 30 bytes", "TEXT");
    addOptional(*c, o.country, "--country", "Country, at most 30 bytes", "TEXT");
    addOptional(*c, o.phone, "--phone", "Phone, at most 30 bytes", "TEXT");
    addOptional(*c, o.notes, "--notes", "Notes, at most 1000 bytes (line breaks count two)", "TEXT");
    addOptional(*c, o.countryCode, "--country-code", "Billing: ISO 3166 two-letter country code, such as DE", "CC");
    addOptional(*c, o.vatId, "--vat-id", "Billing: VAT identification number, such as ATU12345678", "TEXT");
    addOptional(*c, o.email, "--email", "Billing: e-mail address invoices go to", "ADDRESS");
    addOptional(*c, o.buyerReference, "--buyer-reference", "Billing: the customer's own reference (order number)",
                "TEXT");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            AddCustomerRequest& request = o.request;
            request.countryCode = o.countryCode.get();
            request.vatId = o.vatId.get();
            request.email = o.email.get();
            request.buyerReference = o.buyerReference.get();
            request.address = o.address.get();
            request.city = o.city.get();
            request.zip = o.zip.get();
            request.state = o.state.get();
            request.country = o.country.get();
            request.phone = o.phone.get();
            request.notes = o.notes.get();
            return runAddCustomer(setup.fs, request, setup.out);
        });
    });
}

}  // namespace ql::cli
