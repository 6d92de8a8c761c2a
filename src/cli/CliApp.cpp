#include "cli/CliApp.h"

#include "cli/Commands.h"

#include "core/chart/ChartHours.h"
#include "core/text/NumberText.h"
#include "core/time/TimeText.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
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

// An option whose value is kept only when it was given.
struct OptionalText {
    std::string value;
    CLI::Option* option = nullptr;
    std::optional<std::string> get() const {
        return option->count() ? std::optional<std::string>(value) : std::nullopt;
    }
};

CLI::Option* addFilePath(CLI::App& command, std::string& path) {
    return command.add_option("FILE", path, "Settings file (.qlr) of the file set")->required()->type_name("");
}

// Binds the option to text, which must outlive the parse.
void addOptional(CLI::App& command, OptionalText& text, const std::string& name, const std::string& help,
                 const char* type) {
    text.option = command.add_option(name, text.value, help)->type_name(type);
}

constexpr const char* kDateType = "YYYY-MM-DD|@EPOCH";
constexpr const char* kTimeType = "\"YYYY-MM-DD HH:MM\"|@EPOCH";

// --from and --to, each given with the other; both instead of period when there is one.
void addDayRange(CLI::App& command, OptionalText& from, OptionalText& to, const std::string& fromHelp,
                 const std::string& toHelp, OptionalText* period = nullptr) {
    addOptional(command, from, "--from", fromHelp, kDateType);
    addOptional(command, to, "--to", toHelp, kDateType);
    from.option->needs(to.option);
    to.option->needs(from.option);
    if (period) period->option->excludes(from.option)->excludes(to.option);
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

    // Every subcommand stores its request here; the one that was chosen runs after parsing.
    std::function<Status()> run;

    // A run names its command first: only that one is set up, which halves the start-up of a
    // short command. Anything else (--help, --version, a misspelt name) meets all of them.
    static constexpr const char* kCommands[] = {"init", "show", "add-project", "add-customer", "add-frame", "remove-frame", "totals", "history", "settings", "billing", "customer", "export", "pie", "invoice", "invoices", "void-invoice", "einvoice-check", "report"};
    const bool named = argc > 1 && std::any_of(std::begin(kCommands), std::end(kCommands), [&](const char* name) {
        return std::strcmp(argv[1], name) == 0;
    });
    auto offered = [&](const char* name) { return !named || std::strcmp(argv[1], name) == 0; };

    InitRequest init;
    OptionalText currency, dateOrder;
    if (offered("init")) {
        CLI::App* c = app.add_subcommand("init", "Create a file set, as File > New does (empties nothing without --force)");
        addFilePath(*c, init.path);
        addOptional(*c, currency, "--currency", "Monetary symbol (default: the locale's currency symbol)", "SYMBOL");
        addOptional(*c, dateOrder, "--date-order", "Order of dates (default: the locale's)", "mdy|dmy");
        c->add_flag("--force", init.force, "Replace an existing file set, emptying its files");
        c->callback([&] {
            run = [&] {
                init.currency = currency.get();
                init.dateOrder = dateOrder.get();
                return runInit(fs, init, out);
            };
        });
    }

    ShowRequest show;
    std::string showWhat;
    if (offered("show")) {
        CLI::App* c = app.add_subcommand("show", "Print the settings, projects, customers or time frames of a file set");
        addFilePath(*c, show.path);
        c->add_option("WHAT", showWhat, "What to print")
            ->required()
            ->check(CLI::IsMember({"settings", "projects", "customers", "frames"}))
            ->type_name("");
        c->add_flag("--json", show.json, "Print one JSON array of objects");
        c->callback([&] {
            run = [&] {
                show.what = showWhat == "settings"    ? ShowWhat::Settings
                            : showWhat == "projects"  ? ShowWhat::Projects
                            : showWhat == "customers" ? ShowWhat::Customers
                                                      : ShowWhat::Frames;
                return runShow(fs, show, out);
            };
        });
    }

    AddProjectRequest project;
    OptionalText parent, customerId, rate, memo;
    if (offered("add-project")) {
        CLI::App* c = app.add_subcommand("add-project", "Add a project and print its id");
        addFilePath(*c, project.path);
        c->add_option("--name", project.name, "Name, at most 60 bytes")->required()->type_name("NAME");
        addOptional(*c, parent, "--parent", "Id of the parent project (default: a top-level project)", "ID");
        addOptional(*c, customerId, "--customer", "Id of the customer billed (default: none)", "ID");
        addOptional(*c, rate, "--rate", "Charges per hour, such as 37.50 (default: 0)", "AMOUNT");
        addOptional(*c, memo, "--memo", "Memo, at most 1000 bytes (line breaks count two)", "TEXT");
        c->callback([&] {
            run = [&] {
                project.parent = parent.get();
                project.customer = customerId.get();
                project.rate = rate.get();
                project.memo = memo.get();
                return runAddProject(fs, project, out);
            };
        });
    }

    AddCustomerRequest customer;
    OptionalText address, city, zip, state, country, phone, notes;
    OptionalText countryCode, vatId, email, buyerReference;
    if (offered("add-customer")) {
        CLI::App* c = app.add_subcommand("add-customer", "Add a customer and print its id");
        addFilePath(*c, customer.path);
        c->add_option("--name", customer.name, "Name, at most 60 bytes")->required()->type_name("NAME");
        addOptional(*c, address, "--address", "Address, at most 60 bytes", "TEXT");
        addOptional(*c, city, "--city", "City, at most 30 bytes", "TEXT");
        addOptional(*c, zip, "--zip", "ZIP, at most 30 bytes", "TEXT");
        addOptional(*c, state, "--state", "State, at most 30 bytes", "TEXT");
        addOptional(*c, country, "--country", "Country, at most 30 bytes", "TEXT");
        addOptional(*c, phone, "--phone", "Phone, at most 30 bytes", "TEXT");
        addOptional(*c, notes, "--notes", "Notes, at most 1000 bytes (line breaks count two)", "TEXT");
        addOptional(*c, countryCode, "--country-code", "Billing: ISO 3166 two-letter country code, such as DE", "CC");
        addOptional(*c, vatId, "--vat-id", "Billing: VAT identification number, such as ATU12345678", "TEXT");
        addOptional(*c, email, "--email", "Billing: e-mail address invoices go to", "ADDRESS");
        addOptional(*c, buyerReference, "--buyer-reference", "Billing: the customer's own reference (order number)",
                    "TEXT");
        c->callback([&] {
            run = [&] {
                customer.countryCode = countryCode.get();
                customer.vatId = vatId.get();
                customer.email = email.get();
                customer.buyerReference = buyerReference.get();
                customer.address = address.get();
                customer.city = city.get();
                customer.zip = zip.get();
                customer.state = state.get();
                customer.country = country.get();
                customer.phone = phone.get();
                customer.notes = notes.get();
                return runAddCustomer(fs, customer, out);
            };
        });
    }

    AddFrameRequest addFrame;
    OptionalText end, minutes;
    if (offered("add-frame")) {
        CLI::App* c = app.add_subcommand("add-frame", "Add a time frame worked on a project");
        addFilePath(*c, addFrame.path);
        c->add_option("--project", addFrame.project, "Project id")->required()->type_name("ID");
        c->add_option("--start", addFrame.start, "Local start time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
        addOptional(*c, end, "--end", "Local end time, not before the start", "\"YYYY-MM-DD HH:MM[:SS]\"");
        addOptional(*c, minutes, "--minutes", "Length in whole minutes, instead of --end", "N");
        end.option->excludes(minutes.option);
        minutes.option->excludes(end.option);
        c->callback([&] {
            run = [&] {
                addFrame.end = end.get();
                addFrame.minutes = minutes.get();
                return runAddFrame(fs, addFrame, out);
            };
        });
    }

    RemoveFrameRequest removeFrame;
    if (offered("remove-frame")) {
        CLI::App* c = app.add_subcommand("remove-frame", "Remove every copy of a time frame and print how many there were");
        addFilePath(*c, removeFrame.path);
        c->add_option("--project", removeFrame.project, "Project id")->required()->type_name("ID");
        c->add_option("--start", removeFrame.start, "Local start time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
        c->add_option("--end", removeFrame.end, "Local end time")->required()->type_name("\"YYYY-MM-DD HH:MM[:SS]\"");
        c->callback([&] { run = [&] { return runRemoveFrame(fs, removeFrame, out); }; });
    }

    TotalsRequest totals;
    OptionalText at;
    if (offered("totals")) {
        CLI::App* c = app.add_subcommand("totals", "Print the totals of today, this week, this month and this year");
        addFilePath(*c, totals.path);
        addOptional(*c, at, "--at", "Local time the periods are taken around (default: now)", "\"YYYY-MM-DD HH:MM\"");
        c->add_flag("--json", totals.json, "Print one JSON array of objects");
        c->callback([&] {
            run = [&] {
                totals.at = at.get();
                return runTotals(fs, clock, totals, out);
            };
        });
    }

    HistoryRequest history;
    OptionalText historyProject, historyPeriod, historyFrom, historyTo, historyAt;
    std::string historySort = "project";
    if (offered("history")) {
        CLI::App* c = app.add_subcommand("history", "Print the rows of the history of charges, as the History dialog lists them");
        addFilePath(*c, history.path);
        addOptional(*c, historyProject, "--project", "Only the frames of this project id (default: the saved filter's)", "ID");
        addOptional(*c, historyPeriod, "--period",
                    "Period of the frames' starts (default: saved, the filter the dialog opens with)",
                    "this-year|this-month|this-week|today|saved");
        addDayRange(*c, historyFrom, historyTo, "First day, instead of --period", "Last day, instead of --period",
                    &historyPeriod);
        addOptional(*c, historyAt, "--at", "Local time the periods are taken around (default: now)",
                    kTimeType);
        c->add_option("--sort", historySort, "Column sorted ascending, equal keys in file order (default: project)")
            ->check(CLI::IsMember({"project", "date", "time", "duration", "charges"}))
            ->type_name("project|date|time|duration|charges");
        c->add_flag("--json", history.json, "Print one JSON array of objects");
        c->callback([&] {
            run = [&] {
                history.project = historyProject.get();
                history.period = historyPeriod.get();
                history.from = historyFrom.get();
                history.to = historyTo.get();
                history.at = historyAt.get();
                history.sort = historySort == "date"       ? HistorySort::Date
                               : historySort == "time"     ? HistorySort::Time
                               : historySort == "duration" ? HistorySort::Duration
                               : historySort == "charges"  ? HistorySort::Charges
                                                           : HistorySort::Project;
                return runHistory(fs, clock, pdf, history, out);
            };
        });
    }

    SettingsRequest settingsRequest;
    if (offered("settings")) {
        CLI::App* c = app.add_subcommand("settings", "Print the settings, or change named fields in one rewrite");
        addFilePath(*c, settingsRequest.path);
        c->add_option("--set", settingsRequest.assignments,
                      "Change a field; KEY is a name that --json prints (companyName, companyAddress, city, zip, "
                      "state, country, phone, invoiceText, nextInvoiceNumber, footer, applySalesTax, salesTaxLabel, "
                      "salesTaxRate, showTips, dateFormat, monetarySymbol); repeat for more")
            ->type_name("KEY=VALUE")
            ->allow_extra_args(false);
        c->add_flag("--json", settingsRequest.json, "Print one JSON array of objects");
        c->callback([&] { run = [&] { return runSettings(fs, settingsRequest, out); }; });
    }

    BillingRequest billing;
    if (offered("billing")) {
        CLI::App* c = app.add_subcommand("billing", "Print the seller's billing details, or change named fields in one rewrite");
        addFilePath(*c, billing.path);
        c->add_option("--set", billing.assignments,
                      "Change a field; KEY is one of " + billingKeys() +
                          "; an empty VALUE clears it; repeat for more")
            ->type_name("KEY=VALUE")
            ->allow_extra_args(false);
        c->add_flag("--json", billing.json, "Print one JSON array of objects");
        c->footer("Values are checked before anything is written: an IBAN with wrong check digits, a VAT number "
                  "without a country prefix, a country code or a currency code that is not known is refused, "
                  "naming the field, with exit status 2. paymentTerms is days (0: due on the issue date).");
        c->callback([&] { run = [&] { return runBilling(fs, billing, out); }; });
    }

    CustomerDetailsRequest customerDetails;
    if (offered("customer")) {
        CLI::App* c = app.add_subcommand("customer", "Print a customer's billing details, or change named fields");
        addFilePath(*c, customerDetails.path);
        c->add_option("--id", customerDetails.id, "Customer id")->required()->type_name("ID");
        c->add_option("--set", customerDetails.assignments,
                      "Change a field; KEY is one of " + customerDetailsKeys() +
                          "; an empty VALUE clears it; repeat for more")
            ->type_name("KEY=VALUE")
            ->allow_extra_args(false);
        c->add_flag("--json", customerDetails.json, "Print one JSON array of objects");
        c->callback([&] { run = [&] { return runCustomerDetails(fs, customerDetails, out); }; });
    }

    ExportCommandRequest exportRequest;
    OptionalText exportFrom, exportTo, exportProject, exportUser;
    if (offered("export")) {
        CLI::App* c = app.add_subcommand("export", "Write the export file of the Export dialog (tab-separated, CR LF)");
        addFilePath(*c, exportRequest.path);
        c->add_option("--out", exportRequest.out, "File written whole or not at all, or - for the standard output (default: -)")
            ->type_name("PATH|-");
        addDayRange(*c, exportFrom, exportTo, "First day (default: 1980-01-01, as the dialog)",
                    "Last day (default: 1999-12-31, as the dialog)");
        addOptional(*c, exportProject, "--project", "Only the frames of this project id (default: all projects)", "ID");
        c->add_flag("--minutes", exportRequest.minutes, "Durations in whole minutes (180) instead of 03:00");
        c->add_flag("--24-hour", exportRequest.hours24,
                    "Times as " + clockText(16, 0) + " instead of " + clock12Text(16, 0));
        c->add_flag("--one-field", exportRequest.oneField, "Date and time in one field");
        addOptional(*c, exportUser, "--user", "The User field (default: the account's full name, else its login)", "NAME");
        c->callback([&] {
            run = [&] {
                exportRequest.from = exportFrom.get();
                exportRequest.to = exportTo.get();
                exportRequest.project = exportProject.get();
                exportRequest.user = exportUser.get();
                return runExport(fs, exportRequest, out);
            };
        });
    }

    PieRequest pie;
    OptionalText pieFrom, pieTo, piePeriod, pieAt;
    if (offered("pie")) {
        CLI::App* c = app.add_subcommand("pie", "Print the pie chart's time per project name, in its order, with each share");
        addFilePath(*c, pie.path);
        addOptional(*c, piePeriod, "--period", "Period of the frames' starts (default: this-year, as the chart opens)",
                    "this-year|this-month|this-week|today");
        addDayRange(*c, pieFrom, pieTo, "First day, instead of --period", "Last day, instead of --period", &piePeriod);
        addOptional(*c, pieAt, "--at", "Local time the periods are taken around (default: now)", kTimeType);
        c->add_flag("--json", pie.json, "Print one JSON array of objects");
        c->callback([&] {
            run = [&] {
                pie.period = piePeriod.get();
                pie.from = pieFrom.get();
                pie.to = pieTo.get();
                pie.at = pieAt.get();
                return runPie(fs, clock, pie, out);
            };
        });
    }

    InvoiceCommandRequest invoice;
    OptionalText invoiceFrom, invoiceTo, invoiceNumber, invoiceText, invoicePdf, invoiceXml, invoiceAt, invoiceReprint;
    if (offered("invoice")) {
        CLI::App* c = app.add_subcommand(
            "invoice", "Write one customer's invoice as the New Invoice dialog does: its text file, its printed pages as "
                       "PDF or its e-invoice (EN 16931 XML)");
        addFilePath(*c, invoice.path);
        CLI::Option* customerOption =
            c->add_option("--customer", invoice.customer, "Customer id (required unless --reprint)")->type_name("ID");
        addDayRange(*c, invoiceFrom, invoiceTo, "First day (default: the first day of the month of --at)",
                    "Last day (default: the last day of that month)");
        addOptional(*c, invoiceNumber, "--number", "Invoice number, at most 31 bytes (default: the next invoice number)",
                    "TEXT");
        addOptional(*c, invoiceText, "--text", "Write the invoice text file, whole or not at all (- for the standard output)",
                    "PATH|-");
        addOptional(*c, invoicePdf, "--pdf", "Write the printed invoice pages as PDF", "PATH");
        addOptional(*c, invoiceXml, "--xml",
                    "Write the e-invoice: the European standard EN 16931 as Cross Industry Invoice XML, whole or not "
                    "at all (- for the standard output)",
                    "PATH|-");
        for (OptionalText* one : {&invoiceText, &invoicePdf, &invoiceXml})
            for (OptionalText* other : {&invoiceText, &invoicePdf, &invoiceXml})
                if (one != other) one->option->excludes(other->option);
        c->add_flag("--facturx", invoice.facturx,
                    "With --pdf: the pages as PDF/A-3 with the e-invoice XML inside (factur-x.xml); refused, naming "
                    "them, when billing details the e-invoice needs are missing")
            ->needs(invoicePdf.option);
        CLI::Option* noAdvance = c->add_flag("--no-advance", invoice.noAdvance,
                                             "Leave the next invoice number and the invoice register as they are");
        addOptional(*c, invoiceAt, "--at",
                    "Local time the invoice is issued at, whose month is the default period (default: now)", kTimeType);
        CLI::Option* unbilled =
            c->add_flag("--unbilled", invoice.unbilled, "Leave out the frames that issued invoices billed already");
        CLI::Option* rebill = c->add_flag("--rebill", invoice.rebill,
                                          "Bill the frames that issued invoices billed already again (recorded as such)");
        unbilled->excludes(rebill);
        addOptional(*c, invoiceReprint, "--reprint",
                    "Write the issued invoice of this number again as it was first written, changing nothing", "NUMBER");
        for (CLI::Option* other : {customerOption, invoiceFrom.option, invoiceTo.option, invoiceNumber.option, noAdvance,
                                   unbilled, rebill, invoiceAt.option})
            invoiceReprint.option->excludes(other);
        c->footer("Unless --no-advance, the next invoice number becomes the number used with its last group of digits "
                  "counted up by one (INV-099 -> INV-100) once the invoice is written, as in the dialog, and the "
                  "invoice is recorded in the invoice register. A number the register holds is never issued again. "
                  "Frames that issued invoices billed are refused unless --unbilled or --rebill. --xml first checks "
                  "that the invoice has every detail the standard requires (the seller's name, country code and VAT "
                  "ID or registration number, the customer's name and country code, the currency code, an exemption "
                  "reason when no sales tax is applied and the seller has a VAT ID) and refuses with exit status 2, "
                  "naming each missing one and where to fill it in, writing nothing and using no number.");
        c->callback([&] {
            run = [&] {
                invoice.from = invoiceFrom.get();
                invoice.to = invoiceTo.get();
                invoice.number = invoiceNumber.get();
                invoice.text = invoiceText.get();
                invoice.pdf = invoicePdf.get();
                invoice.xml = invoiceXml.get();
                invoice.at = invoiceAt.get();
                invoice.reprint = invoiceReprint.get();
                return runInvoice(fs, clock, pdf, invoice, out);
            };
        });
    }

    InvoicesRequest invoices;
    if (offered("invoices")) {
        CLI::App* c = app.add_subcommand(
            "invoices", "Print the register of issued invoices: number, date, customer, period, total and state");
        addFilePath(*c, invoices.path);
        c->add_flag("--json", invoices.json, "Print one JSON array of objects");
        c->callback([&] { run = [&] { return runInvoices(fs, invoices, out); }; });
    }

    VoidInvoiceRequest voidRequest;
    if (offered("void-invoice")) {
        CLI::App* c = app.add_subcommand(
            "void-invoice", "Mark an issued invoice void: it stays listed, its number is never issued again and its "
                            "frames count as unbilled");
        addFilePath(*c, voidRequest.path);
        c->add_option("--number", voidRequest.number, "The invoice's number")->required()->type_name("NUMBER");
        c->callback([&] { run = [&] { return runVoidInvoice(fs, voidRequest, out); }; });
    }

    EInvoiceCheckRequest einvoiceCheck;
    if (offered("einvoice-check")) {
        CLI::App* c = app.add_subcommand(
            "einvoice-check", "Print what an e-invoice says: number, dates, seller, buyer, currency and totals, as the "
                              "customer's software reads them");
        c->add_option("FILE", einvoiceCheck.file,
                      "The e-invoice's XML (Cross Industry Invoice), or a PDF with it inside as factur-x.xml")
            ->required()
            ->type_name("");
        c->callback([&] { run = [&] { return runEInvoiceCheck(fs, pdf, einvoiceCheck, out); }; });
    }

    ReportRequest report;
    std::string reportWhat;
    OptionalText reportAt, reportHours;
    if (offered("report")) {
        CLI::App* c = app.add_subcommand(
            "report", "Write a printed report as PDF: the history (saved filter), the customer list or the week chart");
        addFilePath(*c, report.path);
        c->add_option("REPORT", reportWhat, "Which report")
            ->required()
            ->check(CLI::IsMember({"history", "customers", "week"}))
            ->type_name("history|customers|week");
        c->add_option("--pdf", report.pdf, "PDF file, written whole or not at all")->required()->type_name("PATH");
        addOptional(*c, reportAt, "--at",
                    "Local time the report is taken at (the week of the chart) and printed at (default: now)", kTimeType);
        addOptional(*c, reportHours, "--hours",
                    "Hours the week chart shows, as its Change Hours... sets them (default: " +
                        integerText(ChartHours::kDefaultStart) + "-" + integerText(ChartHours::kDefaultEnd) + ")",
                    "START-END");
        c->callback([&] {
            run = [&] {
                report.report = reportWhat == "history"     ? PrintedReport::History
                                : reportWhat == "customers" ? PrintedReport::Customers
                                                            : PrintedReport::WeekChart;
                report.at = reportAt.get();
                report.hours = reportHours.get();
                return runReport(fs, clock, pdf, report);
            };
        });
    }

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

    const Status status = run();
    out.flush();
    // A change that landed is reported as made (a retry would make it twice), with a warning
    // when it may not be on disk yet.
    for (const std::string& warning : fs.takeWarnings())
        err << "quillory-cli: warning: " << oneLine(warning) << std::endl;
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
