#include "cli/ArgumentValues.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/LocaleDefaults.h"

#include "core/store/FileSet.h"
#include "core/store/Settings.h"

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

// True when path names anything but a missing or empty regular file.
bool holdsData(FileSystem& fs, const std::string& path) {
    auto file = fs.openRead(path);
    if (!file) return file.status().code() != StatusCode::NotFound;
    auto size = (*file)->size();
    return !size || *size > 0;
}

}  // namespace

Status runInit(FileSystem& fs, const InitRequest& request, std::ostream&) {
    const std::string& path = request.path;
    const FileSet set(path);
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // The set's files are named by cutting three characters off the chosen name.
    if (name.size() <= 3)
        return Status::invalidArgument(path + ": the file name must be longer than its three-letter extension");

    std::optional<std::string> currency;
    if (request.currency) {
        auto text = fieldText("--currency", *request.currency, SettingsRecord::kMonetarySymbolWidth, TextKind::SingleLine);
        if (!text) return text.status();
        currency = std::move(text).value();
    }
    std::optional<bool> monthFirst;
    if (request.dateOrder) {
        if (*request.dateOrder != "mdy" && *request.dateOrder != "dmy")
            return Status::invalidArgument("--date-order: '" + *request.dateOrder + "' is neither mdy nor dmy");
        monthFirst = *request.dateOrder == "mdy";
    }

    if (!request.force) {
        for (const std::string& existing : {set.chosen(), set.settings(), set.projects(), set.timeFrames(), set.customers()}) {
            // The empty files of an init that failed half-way hold nothing to protect.
            if (holdsData(fs, existing))
                return Status::invalidArgument(existing + " already exists (--force replaces the file set and its data)");
        }
    }

    if (!currency || !monthFirst) {
        const LocaleDefaults locale = userLocaleDefaults();
        if (!currency) currency = locale.currencySymbol;
        if (!monthFirst) monthFirst = locale.monthFirst;
    }
    return createFileSet(fs, set, *currency, *monthFirst);
}

void addInitCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        InitRequest request;
        OptionalText currency, dateOrder;
    };
    Options& o = setup.keep<Options>();
    CLI::App* c = app.add_subcommand("init", "Create a file set, as File > New does (empties nothing without --force)");
    addFilePath(*c, o.request.path);
    addOptional(*c, o.currency, "--currency", "Monetary symbol (default: the locale's currency symbol)", "SYMBOL");
    addOptional(*c, o.dateOrder, "--date-order", "Order of dates (default: the locale's)", "mdy|dmy");
    c->add_flag("--force", o.request.force, "Replace an existing file set, emptying its files");
    c->callback([&setup, &o] {
        setup.choose([&setup, &o] {
            o.request.currency = o.currency.get();
            o.request.dateOrder = o.dateOrder.get();
            return runInit(setup.fs, o.request, setup.out);
        });
    });
}

}  // namespace ql::cli
