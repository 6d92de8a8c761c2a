#pragma once

#include "core/Status.h"
#include "core/chart/WeekChart.h"
#include "core/reports/HistoryItems.h"
#include "core/reports/Invoice.h"
#include "core/reports/ReportTable.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The commands of quillory-cli, one free function each. A request holds the option texts as
// typed; each command checks all of them, and every id they name, before it writes anything.
// Misuse (a malformed or unknown value, a path that is no file set) fails with
// InvalidArgument; a store operation that fails returns the store's Status and message.
namespace ql::cli {

enum class ShowWhat { Settings, Projects, Customers, Frames };

struct InitRequest {
    std::string path;
    std::optional<std::string> currency;   // overrides the locale's currency symbol
    std::optional<std::string> dateOrder;  // "mdy" or "dmy"; overrides the locale's order
    bool force = false;                    // replace an existing file set
};

struct ShowRequest {
    std::string path;
    ShowWhat what = ShowWhat::Settings;
    bool json = false;
};

struct AddProjectRequest {
    std::string path;
    std::string name;
    std::optional<std::string> parent;
    std::optional<std::string> customer;
    std::optional<std::string> rate;
    std::optional<std::string> memo;
};

struct AddCustomerRequest {
    std::string path;
    std::string name;
    std::optional<std::string> address, city, zip, state, country, phone, notes;
    // The customer's billing details, checked as the customer dialog checks them.
    std::optional<std::string> countryCode, vatId, email, buyerReference;
};

struct AddFrameRequest {
    std::string path;
    std::string project;
    std::string start;
    std::optional<std::string> end;      // exactly one of end and minutes
    std::optional<std::string> minutes;
};

struct RemoveFrameRequest {
    std::string path;
    std::string project;
    std::string start;
    std::string end;
};

struct TotalsRequest {
    std::string path;
    std::optional<std::string> at;  // the clock's time when absent
    bool json = false;
};

enum class HistorySort { Project = 0, Date = 1, Time = 2, Duration = 3, Charges = 4 };

struct HistoryRequest {
    std::string path;
    std::optional<std::string> project;  // overrides the saved filter's project
    std::optional<std::string> period;   // this-year|this-month|this-week|today|saved
    std::optional<std::string> from;     // DATE, with to instead of period
    std::optional<std::string> to;
    std::optional<std::string> at;       // the clock's time when absent
    HistorySort sort = HistorySort::Project;
    bool json = false;
};

struct ExportCommandRequest {
    std::string path;
    std::string out = "-";               // a file, or "-" for the standard output
    std::optional<std::string> from;     // DATE; the dialog's 01/01/1980 when absent
    std::optional<std::string> to;       // DATE; the dialog's 12/31/1999 when absent
    std::optional<std::string> project;  // all projects when absent
    bool minutes = false;
    bool hours24 = false;
    bool oneField = false;
    std::optional<std::string> user;     // the account's name when absent
};

struct PieRequest {
    std::string path;
    std::optional<std::string> period;  // this-year (default)|this-month|this-week|today
    std::optional<std::string> from;    // DATE, with to instead of period
    std::optional<std::string> to;
    std::optional<std::string> at;      // the clock's time when absent
    bool json = false;
};

struct InvoiceCommandRequest {
    std::string path;
    std::string customer;
    std::optional<std::string> from;    // DATE; the first day of the month of at when absent
    std::optional<std::string> to;      // DATE; the last day of that month when absent
    std::optional<std::string> number;  // the settings' next invoice number when absent
    std::optional<std::string> text;    // the invoice text file, or "-"; exactly one of text, pdf and xml
    std::optional<std::string> pdf;     // the printed pages as PDF
    bool facturx = false;               // with pdf: PDF/A-3 with the e-invoice XML attached
    std::optional<std::string> xml;     // the e-invoice (CII XML), or "-"
    std::optional<std::string> at;      // the clock's time when absent; the issue date
    bool noAdvance = false;
    bool unbilled = false;              // leave out frames that issued invoices billed
    bool rebill = false;                // bill them again, recorded as such
    std::optional<std::string> reprint; // the number of an issued invoice to write again
};

struct InvoicesRequest {
    std::string path;
    bool json = false;
};

struct VoidInvoiceRequest {
    std::string path;
    std::string number;
};

struct EInvoiceCheckRequest {
    std::string file;  // an e-invoice's XML, or a PDF with one inside (factur-x.xml)
};

enum class PrintedReport { History, Customers, WeekChart };

struct ReportRequest {
    std::string path;
    PrintedReport report = PrintedReport::History;
    std::string pdf;
    std::optional<std::string> at;  // the time the report is taken and printed at; now when absent
    std::optional<std::string> hours;  // "START-END" hours of the week chart; 8-20 when absent
};

// The printed pages come from the page painters of the user interface, which need Qt. The
// plain quillory-cli has none: it hands a PDF command over, whole, to the program that
// has them, before it reads any file; that program renders the pages itself. This base
// renders nothing: every call fails with "this program cannot write PDF files".
class PdfRenderer {
public:
    virtual ~PdfRenderer() = default;
    // Called by runCli, once, before the body of a parsed run that writes PDF, reads one or
    // orders names as the window does (HandOver, in CommandLine.h). Returns ok where that is
    // done in this process; the program that hands over does not return on success.
    virtual Status takeOver();
    // The bytes of the invoice's printed pages as a PDF document: the invoice command writes
    // them itself, since its number must be stored before the file shows under its name.
    virtual Result<std::string> invoicePdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties);
    // The same pages as PDF/A-3 with xml (the invoice's e-invoice) attached as factur-x.xml.
    virtual Result<std::string> facturXPdf(FileSystem& fs, const Invoice& invoice, const InvoiceParties& parties,
                                           const std::string& xml);
    // The file attached to the PDF document pdf as factur-x.xml; NotFound when there is none,
    // InvalidArgument when pdf is no readable PDF.
    virtual Result<std::string> facturXAttachment(const std::string& pdf);
    // Each writes a whole PDF file at path or leaves what was there.
    // table is a printed history or customer list; title kHistoryTitle or kCustomersTitle;
    // printedAt the time its page footers name.
    virtual Status writeTable(FileSystem& fs, const ReportTable& table, const char* title, const Clock& printedAt,
                              const std::string& path);
    virtual Status writeWeekChart(FileSystem& fs, const WeekChart& chart, const std::string& path);
    // The order of project names the window lists them in (the user's locale collation,
    // which needs Qt as the pages do), for a command that has taken over; empty here.
    virtual NameCompare projectNameOrder() const;
};

struct BillingRequest {
    std::string path;
    std::vector<std::string> assignments;  // KEY=VALUE, applied in order
    bool json = false;
};

struct CustomerDetailsRequest {
    std::string path;
    std::string id;
    std::vector<std::string> assignments;  // KEY=VALUE, applied in order
    bool json = false;
};

struct SettingsRequest {
    std::string path;
    std::vector<std::string> assignments;  // KEY=VALUE, applied in order
    bool json = false;
};

// Creates a file set as File > New does, with the locale's currency symbol and date order
// unless the request overrides them. Refuses to replace an existing file without force.
Status runInit(FileSystem& fs, const InitRequest& request, std::ostream& out);

// Prints the records of one file of the set, as text or as one JSON array.
Status runShow(FileSystem& fs, const ShowRequest& request, std::ostream& out);

// Appends a project with the next id (highest + 1, 0 for the first) and prints that id.
Status runAddProject(FileSystem& fs, const AddProjectRequest& request, std::ostream& out);

// Appends a customer with the next id and prints that id.
Status runAddCustomer(FileSystem& fs, const AddCustomerRequest& request, std::ostream& out);

// Appends one time frame of an existing project; prints nothing.
Status runAddFrame(FileSystem& fs, const AddFrameRequest& request, std::ostream& out);

// Removes every copy of the time frame and prints how many there were; NotFound, with
// nothing written, when there is none.
Status runRemoveFrame(FileSystem& fs, const RemoveFrameRequest& request, std::ostream& out);

// Prints the four rows of the totals panel (today, this week, this month, this year) at
// the requested time or the clock's.
Status runTotals(FileSystem& fs, const Clock& clock, const TotalsRequest& request, std::ostream& out);

// Prints the rows of the history of charges chosen as the dialog chooses them: the saved
// filter unless a period, dates or a project are given; sorted ascending by one column,
// equal keys in file order. Text is one tab-separated row per frame with the dialog's
// column texts; JSON one object per row. Project names sort as the dialog sorts them
// (pdf.projectNameOrder()), where the run was handed over to the program that has that order
// (historyHandOver, in CommandLine.h); else by compareNamesIgnoringCase.
Status runHistory(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const HistoryRequest& request,
                  std::ostream& out);

// Without assignments prints the settings record; otherwise checks every KEY=VALUE against
// its field (nothing is written when one is refused) and rewrites the settings file once.
Status runSettings(FileSystem& fs, const SettingsRequest& request, std::ostream& out);

// Without assignments prints the seller's billing details; otherwise checks every KEY=VALUE
// (a value refused names its field, InvalidArgument, nothing written) and rewrites the billing
// details file once, under the set's lock.
Status runBilling(FileSystem& fs, const BillingRequest& request, std::ostream& out);

// The same for the billing details of the customer with the request's id, which must exist.
Status runCustomerDetails(FileSystem& fs, const CustomerDetailsRequest& request, std::ostream& out);

// The KEYs of runBilling and runCustomerDetails, comma-separated, for the help.
std::string billingKeys();
std::string customerDetailsKeys();

// Writes the export the Export dialog writes for the same choices, byte for byte, to a file
// (whole or not at all) or to out.
Status runExport(FileSystem& fs, const ExportCommandRequest& request, std::ostream& out);

// Prints the pie chart's slices in its order: name, time, minutes and share of the total.
Status runPie(FileSystem& fs, const Clock& clock, const PieRequest& request, std::ostream& out);

// Writes the invoice of one customer as the New Invoice dialog does, as its text file,
// (through pdf) its printed pages or its e-invoice XML; unless noAdvance, in one locked operation advances the
// next invoice number, records the invoice in the register and shows the file. Nothing is
// advanced or recorded when the output could not be written. Refuses (InvalidArgument,
// nothing written) a number the register holds (unless noAdvance: nothing is issued), and
// frames that issued invoices billed unless unbilled or rebill, and an e-invoice (xml, or pdf
// with facturx: PDF/A-3 with the XML attached) that lacks a detail the standard requires
// (naming each; no number is used). With reprint, writes that
// issued invoice again as it was first written (its e-invoice byte for byte), changing nothing.
Status runInvoice(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const InvoiceCommandRequest& request,
                  std::ostream& out);

// Prints the register of issued invoices: number, issue date, customer, period, total and
// state per invoice in the order issued, as tab-separated text or one JSON array.
Status runInvoices(FileSystem& fs, const InvoicesRequest& request, std::ostream& out);

// Marks an issued invoice void; prints nothing. An unknown number is misuse.
Status runVoidInvoice(FileSystem& fs, const VoidInvoiceRequest& request, std::ostream& out);

// Prints what an e-invoice's XML says, one "Label: value" line each: number, issue and due
// date, seller and buyer (with their VAT IDs), currency, line count, net, tax, total and the
// amount due. A file that is no Cross Industry Invoice is misuse (InvalidArgument). A PDF
// (by its first bytes) is read through pdf, the run having been handed over for it
// (eInvoiceCheckHandOver): the XML attached to it as factur-x.xml is printed; a PDF without
// one is misuse.
Status runEInvoiceCheck(FileSystem& fs, PdfRenderer& pdf, const EInvoiceCheckRequest& request, std::ostream& out);

// Writes the printed history (the saved filter), customer list or week chart (the week of
// at) as PDF, the pages the preview shows.
Status runReport(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const ReportRequest& request);

}  // namespace ql::cli
