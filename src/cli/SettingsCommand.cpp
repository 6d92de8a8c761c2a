#include "cli/ArgumentValues.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"
#include "cli/TextRendering.h"

#include "core/store/FileSet.h"
#include "core/store/Settings.h"

#include <array>
#include <functional>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

using Setter = std::function<Status(SettingsRecord&, const std::string& option, const std::string& value)>;

struct SettingField {
    const char* key;  // the name `show settings --json` gives the field
    Setter set;
};

// A text as its field stores it, refused when it would not fit whole (UTF-8, or else
// Windows-1252, as the Properties sheet's edits allow).
Setter textSetter(std::string SettingsRecord::* field, std::size_t width, TextKind kind) {
    return [=](SettingsRecord& s, const std::string& option, const std::string& value) -> Status {
        auto stored = fieldText(option, value, width, kind);
        if (!stored) return stored.status();
        s.*field = *stored;
        return Status::ok();
    };
}

Setter flagSetter(std::int32_t SettingsRecord::* field) {
    return [=](SettingsRecord& s, const std::string& option, const std::string& value) -> Status {
        if (value == "1" || value == "yes") s.*field = 1;
        else if (value == "0" || value == "no") s.*field = 0;
        else return Status::invalidArgument(option + ": '" + value + "' is not yes, no, 1 or 0");
        return Status::ok();
    };
}

const std::array<SettingField, 16>& settingFields() {
    using R = SettingsRecord;
    static const std::array<SettingField, 16> fields = {{
        {"companyName", textSetter(&R::companyName, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"companyAddress", textSetter(&R::companyAddress, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"city", textSetter(&R::city, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"zip", textSetter(&R::zip, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"state", textSetter(&R::state, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"country", textSetter(&R::country, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"phone", textSetter(&R::phone, R::kCompanyTextWidth, TextKind::SingleLine)},
        {"invoiceText", textSetter(&R::invoiceText, R::kInvoiceTextWidth, TextKind::SingleLine)},
        // Any text, as the Properties sheet takes it: the next number counts on its last digits.
        {"nextInvoiceNumber", textSetter(&R::nextInvoiceNumber, R::kInvoiceNumberWidth, TextKind::SingleLine)},
        {"footer", textSetter(&R::footer, R::kFooterWidth, TextKind::MultiLine)},
        {"applySalesTax", flagSetter(&R::applySalesTax)},
        {"salesTaxLabel", textSetter(&R::salesTaxLabel, R::kSalesTaxLabelWidth, TextKind::SingleLine)},
        {"salesTaxRate",
         [](R& s, const std::string& option, const std::string& value) -> Status {
             auto rate = parseAmount(option, value);
             if (!rate) return rate.status();
             s.salesTaxRate = *rate;
             return Status::ok();
         }},
        {"showTips", flagSetter(&R::showTips)},
        {"dateFormat",
         [](R& s, const std::string& option, const std::string& value) -> Status {
             if (value == "mdy") s.dateFormat = 1;
             else if (value == "dmy") s.dateFormat = 0;
             else return Status::invalidArgument(option + ": '" + value + "' is not mdy or dmy");
             return Status::ok();
         }},
        {"monetarySymbol", textSetter(&R::monetarySymbol, R::kMonetarySymbolWidth, TextKind::SingleLine)},
    }};
    return fields;
}

}  // namespace

Status runSettings(FileSystem& fs, const SettingsRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    if (request.assignments.empty()) {
        if (request.json) {
            JsonArrayWriter writer(out);
            writer.add(settingsJson(*settings));
            writer.finish();
        } else {
            writeSettingsText(out, *settings);
        }
        return Status::ok();
    }

    // Applied to the record as it is under the set's lock, so a concurrent change (the
    // window advancing the invoice number) is kept.
    return updateSettings(fs, set, [&](SettingsRecord& changed) {
        for (const std::string& assignment : request.assignments) {
            const std::size_t eq = assignment.find('=');
            const std::string key = assignment.substr(0, eq);
            const SettingField* field = nullptr;
            for (const SettingField& f : settingFields())
                if (key == f.key) field = &f;
            if (eq == std::string::npos || !field)
                return Status::invalidArgument("--set: '" + assignment + "' is not KEY=VALUE with a known key");
            if (Status s = field->set(changed, "--set " + key, assignment.substr(eq + 1)); !s) return s;
        }
        return Status::ok();
    });
}

void addSettingsCommand(CLI::App& app, CommandSetup& setup) {
    SettingsRequest& request = setup.keep<SettingsRequest>();
    CLI::App* c = app.add_subcommand("settings", "Print the settings, or change named fields in one rewrite");
    addFilePath(*c, request.path);
    c->add_option("--set", request.assignments,
                  "Change a field; KEY is a name that --json prints (companyName, companyAddress, city, zip, "
                  "state, country, phone, invoiceText, nextInvoiceNumber, footer, applySalesTax, salesTaxLabel, "
                  "salesTaxRate, showTips, dateFormat, monetarySymbol); repeat for more")
        ->type_name("KEY=VALUE")
        ->allow_extra_args(false);
    c->add_flag("--json", request.json, "Print one JSON array of objects");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runSettings(setup.fs, request, setup.out); });
    });
}

}  // namespace ql::cli
