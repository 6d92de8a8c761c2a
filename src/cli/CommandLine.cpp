#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

namespace ql::cli {

void CommandSetup::choose(std::function<Status()> run, HandOverCheck handOver) {
    m_run = std::move(run);
    m_handOver = std::move(handOver);
}

Status CommandSetup::runChosen() {
    if (m_handOver) {
        const Result<HandOver> need = m_handOver();
        if (!need) return need.status();
        if (*need != HandOver::None) {
            // The program that hands over does not return here on success.
            const Status taken = pdf.takeOver();
            if (!taken && *need == HandOver::Required) return taken;
        }
    }
    return m_run();
}

std::span<const Command> cliCommands() {
    static constexpr Command kCommands[] = {
        {"init", addInitCommand},
        {"show", addShowCommand},
        {"add-project", addAddProjectCommand},
        {"add-customer", addAddCustomerCommand},
        {"add-frame", addAddFrameCommand},
        {"remove-frame", addRemoveFrameCommand},
        {"totals", addTotalsCommand},
        {"history", addHistoryCommand},
        {"settings", addSettingsCommand},
        {"billing", addBillingCommand},
        {"customer", addCustomerCommand},
        {"export", addExportCommand},
        {"pie", addPieCommand},
        {"invoice", addInvoiceCommand},
        {"invoices", addInvoicesCommand},
        {"void-invoice", addVoidInvoiceCommand},
        {"einvoice-check", addEInvoiceCheckCommand},
        {"report", addReportCommand},
    };
    return kCommands;
}

std::optional<std::string> OptionalText::get() const {
    return option->count() ? std::optional<std::string>(value) : std::nullopt;
}

CLI::Option* addFilePath(CLI::App& command, std::string& path) {
    return command.add_option("FILE", path, "Settings file (.qlr) of the file set")->required()->type_name("");
}

void addOptional(CLI::App& command, OptionalText& text, const std::string& name, const std::string& help,
                 const char* type) {
    text.option = command.add_option(name, text.value, help)->type_name(type);
}

void addDayRange(CLI::App& command, OptionalText& from, OptionalText& to, const std::string& fromHelp,
                 const std::string& toHelp, OptionalText* period) {
    addOptional(command, from, "--from", fromHelp, kDateType);
    addOptional(command, to, "--to", toHelp, kDateType);
    from.option->needs(to.option);
    to.option->needs(from.option);
    if (period) period->option->excludes(from.option)->excludes(to.option);
}

}  // namespace ql::cli
