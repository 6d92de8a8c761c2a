#include "cli/ArgumentValues.h"
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

}  // namespace ql::cli
