#pragma once

#include "cli/Commands.h"
#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

// How each command of quillory-cli joins the parser: a function beside its body adds its
// subcommand, with options bound to a request that the parse fills, and, once the parser has
// chosen it, says what runs and whether that run needs the program's Qt half.
namespace ql::cli {

// What a parsed run needs of the Qt half (quillory-cli-pdf), which then runs it whole.
enum class HandOver {
    None,       // runs in this process
    Required,   // prints pages or reads a PDF: fails when the Qt half cannot take over
    Preferred,  // orders names as the window does: without the Qt half, in the plain order
};

// What the commands are set up with; owns what the parser's bindings point into.
class CommandSetup {
public:
    CommandSetup(FileSystem& fileSystem, const Clock& runClock, PdfRenderer& renderer, std::ostream& output)
        : fs(fileSystem), clock(runClock), pdf(renderer), out(output) {}
    CommandSetup(const CommandSetup&) = delete;
    CommandSetup& operator=(const CommandSetup&) = delete;

    FileSystem& fs;
    const Clock& clock;
    PdfRenderer& pdf;
    std::ostream& out;

    // A new T, kept until the run ends: a command's options are bound to one.
    template <class T>
    T& keep() {
        auto owned = std::make_shared<T>();
        T& kept = *owned;
        m_kept.push_back(std::move(owned));
        return kept;
    }

    // From a subcommand's callback: run is the command's body on the parsed request. handOver
    // (absent: HandOver::None) says whether it needs the Qt half, or refuses the request first
    // with what the user is to see before any hand-over.
    using HandOverCheck = std::function<Result<HandOver>()>;
    void choose(std::function<Status()> run, HandOverCheck handOver = {});

    // Hands the chosen run over when it needs that, once, then runs it here (the Qt half runs
    // the same, its renderer taking over in place).
    Status runChosen();

private:
    std::vector<std::shared_ptr<void>> m_kept;
    std::function<Status()> m_run;
    HandOverCheck m_handOver;
};

// One subcommand of quillory-cli: its name and what adds it to the parser.
struct Command {
    const char* name;
    void (*add)(CLI::App& app, CommandSetup& setup);
};

// Every command, in the order --help lists them.
std::span<const Command> cliCommands();

// An option whose value is kept only when it was given.
struct OptionalText {
    std::string value;
    CLI::Option* option = nullptr;
    std::optional<std::string> get() const;
};

inline constexpr const char* kDateType = "YYYY-MM-DD|@EPOCH";
inline constexpr const char* kTimeType = "\"YYYY-MM-DD HH:MM\"|@EPOCH";

// The FILE positional every command on a file set takes.
CLI::Option* addFilePath(CLI::App& command, std::string& path);
// Binds the option to text, which must outlive the parse.
void addOptional(CLI::App& command, OptionalText& text, const std::string& name, const std::string& help,
                 const char* type);
// --from and --to, each given with the other; both instead of period when there is one.
void addDayRange(CLI::App& command, OptionalText& from, OptionalText& to, const std::string& fromHelp,
                 const std::string& toHelp, OptionalText* period = nullptr);

// Each adds its subcommand beside its body.
void addInitCommand(CLI::App& app, CommandSetup& setup);
void addShowCommand(CLI::App& app, CommandSetup& setup);
void addAddProjectCommand(CLI::App& app, CommandSetup& setup);
void addAddCustomerCommand(CLI::App& app, CommandSetup& setup);
void addAddFrameCommand(CLI::App& app, CommandSetup& setup);
void addRemoveFrameCommand(CLI::App& app, CommandSetup& setup);
void addTotalsCommand(CLI::App& app, CommandSetup& setup);
void addHistoryCommand(CLI::App& app, CommandSetup& setup);
void addSettingsCommand(CLI::App& app, CommandSetup& setup);
void addBillingCommand(CLI::App& app, CommandSetup& setup);
void addCustomerCommand(CLI::App& app, CommandSetup& setup);
void addExportCommand(CLI::App& app, CommandSetup& setup);
void addPieCommand(CLI::App& app, CommandSetup& setup);
void addInvoiceCommand(CLI::App& app, CommandSetup& setup);
void addInvoicesCommand(CLI::App& app, CommandSetup& setup);
void addVoidInvoiceCommand(CLI::App& app, CommandSetup& setup);
void addEInvoiceCheckCommand(CLI::App& app, CommandSetup& setup);
void addReportCommand(CLI::App& app, CommandSetup& setup);

// What the history and e-invoice check commands need of the Qt half, for their requests.
HandOver historyHandOver(const HistoryRequest& request);
HandOver eInvoiceCheckHandOver(FileSystem& fs, const EInvoiceCheckRequest& request);
// The invoice and report commands refuse first what they refuse before reading anything.
Result<HandOver> invoiceHandOver(FileSystem& fs, const InvoiceCommandRequest& request);
Result<HandOver> reportHandOver(FileSystem& fs, const ReportRequest& request);

}  // namespace ql::cli
