#include "core/text/Messages.h"

#include <array>
#include <utility>

namespace ql {
namespace {

struct Form {
    MessageId id;
    const char* english;
};

// In the order of MessageId, so the table is indexed by it (checked below at compile time).
constexpr std::array<Form, kMessageIdCount> kForms = {{
    {MessageId::FreeText, "%1"},
    {MessageId::Cancelled, "Cancelled"},
    {MessageId::CannotOpenProjectFile, "Cannot open project file : %1"},
    {MessageId::CannotOpenCustomersAppend, "Cannot open CUSTOMERS file : %1"},
    {MessageId::CannotOpenCustomersFile, "Cannot open Customers file : %1"},
    {MessageId::CannotOpenTimeFramesFileForChart, "Cannot open Time Frames file : %1"},
    {MessageId::CannotOpenTimeFramesFile, "Cannot open time frames file : %1"},
    {MessageId::CannotOpenSettingsFile, "Cannot open settings file : %1"},
    {MessageId::CannotLockFileSet, "Cannot lock file set : %1"},
    {MessageId::CannotReadBillingDetails, "Cannot read billing details file : %1"},
    {MessageId::CannotReadCustomerBilling, "Cannot read customer billing details file : %1"},
    {MessageId::CannotReadInvoiceRegister, "Cannot read invoice register : %1"},
    {MessageId::CannotReadRunningProjects, "Cannot read running projects file : %1"},
    {MessageId::CannotWriteBillingDetails, "Cannot write billing details file : %1"},
    {MessageId::CannotWriteCustomerBilling, "Cannot write customer billing details file : %1"},
    {MessageId::CannotWriteHistoryFilter, "Cannot write history filter file : %1"},
    {MessageId::CannotWriteInvoiceRegister, "Cannot write invoice register : %1"},
    {MessageId::CannotWriteRunningProjects, "Cannot write running projects file : %1"},
    {MessageId::CannotWriteSettingsFile, "Cannot write settings file : %1"},
    {MessageId::CannotWriteInvoiceFile, "Cannot write invoice file : %1"},
    {MessageId::CannotWriteEInvoiceFile, "Cannot write e-invoice file : %1"},
    {MessageId::CannotWritePdfFile, "Cannot write PDF file : %1"},
    {MessageId::CannotWriteExportFile, "Cannot write the export file : %1"},
    {MessageId::CannotCreateNewProject, "Cannot create new project. Check your disk-drive for write-protection"},
    {MessageId::FileSetBusy, "The file set is busy in another program, try again : %1"},
    {MessageId::NoCustomerIdLeft, "No customer id is left in %1"},
    {MessageId::NoProjectIdLeft, "No project id is left in %1"},
    {MessageId::BillingChanged, "The billing details were changed by another program since this window opened. "
                                "Cancel, then open it again : %1"},
    {MessageId::ProjectsChanged, "The project file was changed by another program since this window opened. "
                                 "Cancel, then open it again : %1"},
    {MessageId::SettingsChanged, "The settings were changed by another program since this window opened. "
                                 "Cancel, then open it again : %1"},
    {MessageId::SystemCallFailed, "%1 %2: %3"},
    {MessageId::OutputIsFileOfSet, "'%1' is a file of the set being read"},
    {MessageId::OutputDoneAlready, "the output was committed or discarded already"},
    {MessageId::ExportNotWritten, "The export file could not be written."},
    {MessageId::SavedNotYetOnDisk, "%1 is saved but may not yet be on disk (%2)"},
    {MessageId::ProjectNameTooLong, "The project name is too long to be stored (at most 60 bytes) : %1"},
    {MessageId::ProjectMemoTooLong, "The memo of project %1 is too long to be stored (at most 1000 bytes)"},
    {MessageId::SettingsTextTooLong, "The %1 is too long to be stored (at most %2 bytes)"},
    {MessageId::CustomerTextTooLong, "The customer's %1 is too long to be stored (at most %2 bytes) : %3"},
    {MessageId::NoInvoiceNumbered, "No invoice has the number %1"},
    {MessageId::NoInvoiceNumberedInRegister, "No invoice has the number %1 in the invoice register : %2"},
    {MessageId::InvoiceVoidAlready, "Invoice %1 is void already."},
    {MessageId::InvoiceIsVoid, "invoice %1 is void"},
    {MessageId::InvoiceNotInRegister, "no invoice has the number %1 in the invoice register"},
    {MessageId::InvoiceNumberNotUtf8, "the invoice number is not UTF-8 text"},
    {MessageId::InvoiceNumberIssuedAlready,
     "The invoice number %1 was issued already: it is in the invoice register. Give another number."},
    {MessageId::InvoiceNumberTooLong, "The invoice number is too long: it may have at most %1 characters."},
    {MessageId::CustomerGone, "This customer is no longer in the customers file : %1"},
    {MessageId::SelectInvoiceCustomer, "Select a customer for the invoice. Create one with %1 first."},
    {MessageId::NothingToInvoiceNoFrames,
     "This customer has no time frame in the period: there is nothing to invoice."},
    {MessageId::NothingToInvoiceAllBilled,
     "Every time frame of this period was billed already: there is nothing to invoice."},
    {MessageId::EInvoiceNeedsIssue, "An e-invoice is written only for an issued invoice."},
    {MessageId::EInvoiceLacksDetails, "The e-invoice lacks details the standard requires:%1"},
    {MessageId::NotXml, "The file is not XML"},
    {MessageId::NotCii, "The file is not a Cross Industry Invoice"},
    {MessageId::EditedFrameKeepsProject, "An edited time frame keeps its project."},
    {MessageId::ProjectNotRunning, "The project is not running."},
    {MessageId::FrameEndsBeforeStart, "The time frame cannot end before it starts."},
    {MessageId::FrameEndsBeforeStartDuration,
     "The time frame cannot end before it starts: please enter a duration of 00:00 or more."},
    {MessageId::FrameEndsAfter2038,
     "With this duration the time frame would end after January 2038, which cannot be stored."},
    {MessageId::NoSuchDate, "There is no such date: %1."},
    {MessageId::DateNotStorable, "Please enter a date from 1902 to 2037: other dates cannot be stored."},
    {MessageId::DateFormatDayFirst,
     "Please enter the date as three numbers, day/month/year, for example 15/03/1996."},
    {MessageId::DateFormatMonthFirst,
     "Please enter the date as three numbers, month/day/year, for example 03/15/1996."},
    {MessageId::DurationFormat,
     "Please enter the duration as hours:minutes, for example 01:30, with minutes below 60."},
    {MessageId::TimeFormat,
     "Please enter the time as hours:minutes, for example 09:30, with hours below 24 and minutes below 60."},
    {MessageId::PeriodDateNotADateMonthFirst,
     "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 (month/day/year)."},
    {MessageId::PeriodDateNotADateDayFirst,
     "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 (day/month/year)."},
    {MessageId::PeriodDateOutsideMonthFirst,
     "The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, "
     "such as %3 (month/day/year)."},
    {MessageId::PeriodDateOutsideDayFirst,
     "The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, "
     "such as %3 (day/month/year)."},
    {MessageId::PeriodThisYear, "This Year"},
    {MessageId::PeriodThisMonth, "This Month"},
    {MessageId::PeriodThisWeek, "This Week"},
    {MessageId::PeriodToday, "Today"},
    {MessageId::PeriodCustom, "Custom"},
    {MessageId::TotalsToday, "Today (%1)"},
    {MessageId::TotalsThisWeek, "This week (%1)"},
    {MessageId::TotalsThisMonth, "This month (%1)"},
    {MessageId::TotalsThisYear, "This year (%1)"},
    {MessageId::FieldFrom, "From"},
    {MessageId::FieldTo, "To"},
    {MessageId::SettingsCompanyName, "company name"},
    {MessageId::SettingsCompanyAddress, "company address"},
    {MessageId::SettingsCity, "city"},
    {MessageId::SettingsZip, "ZIP"},
    {MessageId::SettingsState, "state"},
    {MessageId::SettingsCountry, "country"},
    {MessageId::SettingsPhone, "phone"},
    {MessageId::SettingsInvoiceText, "invoice text"},
    {MessageId::SettingsNextInvoiceNumber, "next invoice number"},
    {MessageId::SettingsInvoiceFooter, "invoice footer"},
    {MessageId::SettingsSalesTaxLabel, "sales tax label"},
    {MessageId::SettingsMonetarySymbol, "monetary symbol"},
    {MessageId::CustomerName, "name"},
    {MessageId::CustomerAddress, "address"},
    {MessageId::CustomerCity, "city"},
    {MessageId::CustomerZip, "ZIP"},
    {MessageId::CustomerState, "state"},
    {MessageId::CustomerCountry, "country"},
    {MessageId::CustomerPhone, "phone"},
    {MessageId::CustomerNotes, "notes"},
}};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kForms.size(); ++i)
        if (static_cast<std::size_t>(kForms[i].id) != i) return false;
    return true;
}
static_assert(inIdOrder(), "kForms must list every MessageId in its order");

std::string partText(const MessagePart& part) {
    if (const auto* text = std::get_if<std::string>(&part)) return *text;
    if (const auto* word = std::get_if<MessageId>(&part)) return std::string(englishForm(*word));
    return std::string(englishPlace(std::get<Place>(part)));
}

}  // namespace

std::string_view englishForm(MessageId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kForms.size() ? kForms[index].english : "";
}

std::string_view englishPlace(Place place) {
    switch (place) {
    case Place::EditCustomers: return "Edit Customers";
    }
    return "";
}

std::string englishText(const Message& message) {
    // A free text without its text is no text (a default Message).
    if (message.id() == MessageId::FreeText && message.parts().empty()) return {};
    const std::string_view form = englishForm(message.id());
    const auto& parts = message.parts();
    std::string text;
    text.reserve(form.size() + 32);
    for (std::size_t at = 0; at < form.size(); ++at) {
        const char c = form[at];
        if (c == '%' && at + 1 < form.size() && form[at + 1] >= '1' && form[at + 1] <= '9') {
            const auto index = static_cast<std::size_t>(form[at + 1] - '1');
            if (index < parts.size()) {
                text += partText(parts[index]);
                ++at;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace ql
