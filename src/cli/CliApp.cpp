#include "cli/CliApp.h"

#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

namespace ql::cli {
namespace {

constexpr const char* kFooter =
    "Exit status: 0 on success; 1 when an operation failed (a file that cannot be read or\n"
    "written); 2 for misuse (an unknown command or option, a bad value, an unknown id, a path\n"
    "that is no file set), in which case nothing is written.";

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err, FileSystem& fs, const Clock& clock,
           PdfRenderer* pdfRenderer) {
    PdfRenderer none;
    PdfRenderer& pdf = pdfRenderer ? *pdfRenderer : none;
    CLI::App app("Quillory from the command line: create a file set, list its records, add projects, customers "
                 "and time frames, print the totals of today, this week, this month and this year, the history of "
                 "charges, the pie chart's shares and the settings; write the export, invoices as text, PDF or "
                 "e-invoice XML, and the printed reports as PDF.",
                 "quillory-cli");
    app.set_version_flag("--version", std::string("quillory-cli ") + QUILLORY_VERSION);
    app.require_subcommand(1);
    app.footer(kFooter);

    CommandSetup setup(fs, clock, pdf, out);
    // A run names its command first: only that one is set up, which halves the start-up of a
    // short command. Anything else (--help, --version, a misspelt name) meets all of them.
    const std::span<const Command> commands = cliCommands();
    const bool named = argc > 1 && std::any_of(commands.begin(), commands.end(), [&](const Command& command) {
        return std::strcmp(argv[1], command.name) == 0;
    });
    for (const Command& command : commands)
        if (!named || std::strcmp(argv[1], command.name) == 0) command.add(app, setup);

    try {
        // The parser would only say that a command is required; name the word it did not know.
        if (argc > 1 && argv[1][0] != '-' &&
            app.get_subcommands([&](CLI::App* c) { return c->check_name(argv[1]); }).empty())
            throw CLI::ParseError("unknown command '" + std::string(argv[1]) + "'", 0);
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e, out, err);  // --help or --version
    } catch (const CLI::ParseError& e) {
        err << "quillory-cli: " << oneLine(e.what()) << std::endl;
        return static_cast<int>(ExitStatus::Misuse);
    }

    const Status status = setup.runChosen();
    out.flush();
    // A change that landed is reported as made (a retry would make it twice), with a warning
    // when it may not be on disk yet.
    for (const Message& warning : fs.takeWarnings())
        err << "quillory-cli: warning: " << oneLine(englishText(warning)) << std::endl;
    if (!status) {
        err << "quillory-cli: " << oneLine(status.messageWithReason()) << std::endl;
        return static_cast<int>(status.code() == StatusCode::InvalidArgument ? ExitStatus::Misuse : ExitStatus::Failure);
    }
    if (!out) {
        err << "quillory-cli: cannot write the output" << std::endl;
        return static_cast<int>(ExitStatus::Failure);
    }
    return static_cast<int>(ExitStatus::Success);
}

}  // namespace ql::cli
