#include "ui/common/CoreText.h"

#include <QCoreApplication>

#include <array>
#include <cstddef>

using ql::MessageId;

namespace {

struct Source {
    MessageId id;
    const char* text;
};

// The source texts the translations are made from, one per id and in its order: the core's
// English forms, so that a window in English shows what the command line prints.
constexpr std::array<Source, ql::kMessageIdCount> kSources = {{
    {MessageId::FreeText, nullptr},
    {MessageId::Cancelled, QT_TRANSLATE_NOOP("CoreText", "Cancelled")},
    {MessageId::CannotOpenProjectFile, QT_TRANSLATE_NOOP("CoreText", "Cannot open project file : %1")},
    {MessageId::CannotOpenCustomersAppend, QT_TRANSLATE_NOOP("CoreText", "Cannot open CUSTOMERS file : %1")},
    {MessageId::CannotOpenCustomersFile, QT_TRANSLATE_NOOP("CoreText", "Cannot open Customers file : %1")},
    {MessageId::CannotOpenTimeFramesFileForChart, QT_TRANSLATE_NOOP("CoreText", "Cannot open Time Frames file : %1")},
    {MessageId::CannotOpenTimeFramesFile, QT_TRANSLATE_NOOP("CoreText", "Cannot open time frames file : %1")},
    {MessageId::CannotOpenSettingsFile, QT_TRANSLATE_NOOP("CoreText", "Cannot open settings file : %1")},
    {MessageId::CannotLockFileSet, QT_TRANSLATE_NOOP("CoreText", "Cannot lock file set : %1")},
    {MessageId::CannotReadBillingDetails, QT_TRANSLATE_NOOP("CoreText", "Cannot read billing details file : %1")},
    {MessageId::CannotReadCustomerBilling, QT_TRANSLATE_NOOP("CoreText", "Cannot read customer billing details file : %1")},
    {MessageId::CannotReadInvoiceRegister, QT_TRANSLATE_NOOP("CoreText", "Cannot read invoice register : %1")},
    {MessageId::CannotReadRunningProjects, QT_TRANSLATE_NOOP("CoreText", "Cannot read running projects file : %1")},
    {MessageId::CannotWriteBillingDetails, QT_TRANSLATE_NOOP("CoreText", "Cannot write billing details file : %1")},
    {MessageId::CannotWriteCustomerBilling, QT_TRANSLATE_NOOP("CoreText", "Cannot write customer billing details file : %1")},
    {MessageId::CannotWriteHistoryFilter, QT_TRANSLATE_NOOP("CoreText", "Cannot write history filter file : %1")},
    {MessageId::CannotWriteInvoiceRegister, QT_TRANSLATE_NOOP("CoreText", "Cannot write invoice register : %1")},
    {MessageId::CannotWriteRunningProjects, QT_TRANSLATE_NOOP("CoreText", "Cannot write running projects file : %1")},
    {MessageId::CannotWriteSettingsFile, QT_TRANSLATE_NOOP("CoreText", "Cannot write settings file : %1")},
    {MessageId::CannotWriteInvoiceFile, QT_TRANSLATE_NOOP("CoreText", "Cannot write invoice file : %1")},
    {MessageId::CannotWriteEInvoiceFile, QT_TRANSLATE_NOOP("CoreText", "Cannot write e-invoice file : %1")},
    {MessageId::CannotWritePdfFile, QT_TRANSLATE_NOOP("CoreText", "Cannot write PDF file : %1")},
    {MessageId::CannotWriteExportFile, QT_TRANSLATE_NOOP("CoreText", "Cannot write the export file : %1")},
    {MessageId::CannotCreateNewProject, QT_TRANSLATE_NOOP("CoreText", "Cannot create new project. Check your disk-drive for write-protection")},
    {MessageId::FileSetBusy, QT_TRANSLATE_NOOP("CoreText", "The file set is busy in another program, try again : %1")},
    {MessageId::NoCustomerIdLeft, QT_TRANSLATE_NOOP("CoreText", "No customer id is left in %1")},
    {MessageId::NoProjectIdLeft, QT_TRANSLATE_NOOP("CoreText", "No project id is left in %1")},
    {MessageId::BillingChanged, QT_TRANSLATE_NOOP("CoreText", "The billing details were changed by another program since this window opened. " "Cancel, then open it again : %1")},
    {MessageId::ProjectsChanged, QT_TRANSLATE_NOOP("CoreText", "The project file was changed by another program since this window opened. " "Cancel, then open it again : %1")},
    {MessageId::SettingsChanged, QT_TRANSLATE_NOOP("CoreText", "The settings were changed by another program since this window opened. " "Cancel, then open it again : %1")},
    {MessageId::SystemCallFailed, QT_TRANSLATE_NOOP("CoreText", "%1 %2: %3")},
    {MessageId::OutputIsFileOfSet, QT_TRANSLATE_NOOP("CoreText", "'%1' is a file of the set being read")},
    {MessageId::OutputDoneAlready, QT_TRANSLATE_NOOP("CoreText", "the output was committed or discarded already")},
    {MessageId::ExportNotWritten, QT_TRANSLATE_NOOP("CoreText", "The export file could not be written.")},
    {MessageId::SavedNotYetOnDisk, QT_TRANSLATE_NOOP("CoreText", "%1 is saved but may not yet be on disk (%2)")},
    {MessageId::ProjectNameTooLong, QT_TRANSLATE_NOOP("CoreText", "The project name is too long to be stored (at most 60 bytes) : %1")},
    {MessageId::ProjectMemoTooLong, QT_TRANSLATE_NOOP("CoreText", "The memo of project %1 is too long to be stored (at most 1000 bytes)")},
    {MessageId::SettingsTextTooLong, QT_TRANSLATE_NOOP("CoreText", "The %1 is too long to be stored (at most %2 bytes)")},
    {MessageId::CustomerTextTooLong, QT_TRANSLATE_NOOP("CoreText", "The customer's %1 is too long to be stored (at most %2 bytes) : %3")},
    {MessageId::NoInvoiceNumbered, QT_TRANSLATE_NOOP("CoreText", "No invoice has the number %1")},
    {MessageId::NoInvoiceNumberedInRegister, QT_TRANSLATE_NOOP("CoreText", "No invoice has the number %1 in the invoice register : %2")},
    {MessageId::InvoiceVoidAlready, QT_TRANSLATE_NOOP("CoreText", "Invoice %1 is void already.")},
    {MessageId::InvoiceIsVoid, QT_TRANSLATE_NOOP("CoreText", "invoice %1 is void")},
    {MessageId::InvoiceNotInRegister, QT_TRANSLATE_NOOP("CoreText", "no invoice has the number %1 in the invoice register")},
    {MessageId::InvoiceNumberNotUtf8, QT_TRANSLATE_NOOP("CoreText", "the invoice number is not UTF-8 text")},
    {MessageId::InvoiceNumberIssuedAlready, QT_TRANSLATE_NOOP("CoreText", "The invoice number %1 was issued already: it is in the invoice register. Give another number.")},
    {MessageId::InvoiceNumberTooLong, QT_TRANSLATE_NOOP("CoreText", "The invoice number is too long: it may have at most %1 characters.")},
    {MessageId::CustomerGone, QT_TRANSLATE_NOOP("CoreText", "This customer is no longer in the customers file : %1")},
    {MessageId::SelectInvoiceCustomer, QT_TRANSLATE_NOOP("CoreText", "Select a customer for the invoice. Create one with %1 first.")},
    {MessageId::NothingToInvoiceNoFrames, QT_TRANSLATE_NOOP("CoreText", "This customer has no time frame in the period: there is nothing to invoice.")},
    {MessageId::NothingToInvoiceAllBilled, QT_TRANSLATE_NOOP("CoreText", "Every time frame of this period was billed already: there is nothing to invoice.")},
    {MessageId::EInvoiceNeedsIssue, QT_TRANSLATE_NOOP("CoreText", "An e-invoice is written only for an issued invoice.")},
    {MessageId::EInvoiceLacksDetails, QT_TRANSLATE_NOOP("CoreText", "The e-invoice lacks details the standard requires:%1")},
    {MessageId::NotXml, QT_TRANSLATE_NOOP("CoreText", "The file is not XML")},
    {MessageId::NotCii, QT_TRANSLATE_NOOP("CoreText", "The file is not a Cross Industry Invoice")},
    {MessageId::EditedFrameKeepsProject, QT_TRANSLATE_NOOP("CoreText", "An edited time frame keeps its project.")},
    {MessageId::ProjectNotRunning, QT_TRANSLATE_NOOP("CoreText", "The project is not running.")},
    {MessageId::FrameEndsBeforeStart, QT_TRANSLATE_NOOP("CoreText", "The time frame cannot end before it starts.")},
    {MessageId::FrameEndsBeforeStartDuration, QT_TRANSLATE_NOOP("CoreText", "The time frame cannot end before it starts: please enter a duration of 00:00 or more.")},
    {MessageId::FrameEndsAfter2038, QT_TRANSLATE_NOOP("CoreText", "With this duration the time frame would end after January 2038, which cannot be stored.")},
    {MessageId::NoSuchDate, QT_TRANSLATE_NOOP("CoreText", "There is no such date: %1.")},
    {MessageId::DateNotStorable, QT_TRANSLATE_NOOP("CoreText", "Please enter a date from 1902 to 2037: other dates cannot be stored.")},
    {MessageId::DateFormatDayFirst, QT_TRANSLATE_NOOP("CoreText", "Please enter the date as three numbers, day/month/year, for example 15/03/1996.")},
    {MessageId::DateFormatMonthFirst, QT_TRANSLATE_NOOP("CoreText", "Please enter the date as three numbers, month/day/year, for example 03/15/1996.")},
    {MessageId::DurationFormat, QT_TRANSLATE_NOOP("CoreText", "Please enter the duration as hours:minutes, for example 01:30, with minutes below 60.")},
    {MessageId::TimeFormat, QT_TRANSLATE_NOOP("CoreText", "Please enter the time as hours:minutes, for example 09:30, with hours below 24 and minutes below 60.")},
    {MessageId::PeriodDateNotADateMonthFirst, QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 (month/day/year).")},
    {MessageId::PeriodDateNotADateDayFirst, QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 is not a date. Type three numbers separated by \"/\", such as %3 (day/month/year).")},
    {MessageId::PeriodDateOutsideMonthFirst, QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, " "such as %3 (month/day/year).")},
    {MessageId::PeriodDateOutsideDayFirst, QT_TRANSLATE_NOOP("CoreText", "The %1 date %2 lies outside the dates this program can store. Type a four-digit year from 1902 to 2037, " "such as %3 (day/month/year).")},
    {MessageId::PeriodThisYear, QT_TRANSLATE_NOOP("CoreText", "This Year")},
    {MessageId::PeriodThisMonth, QT_TRANSLATE_NOOP("CoreText", "This Month")},
    {MessageId::PeriodThisWeek, QT_TRANSLATE_NOOP("CoreText", "This Week")},
    {MessageId::PeriodToday, QT_TRANSLATE_NOOP("CoreText", "Today")},
    {MessageId::PeriodCustom, QT_TRANSLATE_NOOP("CoreText", "Custom")},
    {MessageId::TotalsToday, QT_TRANSLATE_NOOP("CoreText", "Today (%1)")},
    {MessageId::TotalsThisWeek, QT_TRANSLATE_NOOP("CoreText", "This week (%1)")},
    {MessageId::TotalsThisMonth, QT_TRANSLATE_NOOP("CoreText", "This month (%1)")},
    {MessageId::TotalsThisYear, QT_TRANSLATE_NOOP("CoreText", "This year (%1)")},
    {MessageId::FieldFrom, QT_TRANSLATE_NOOP("CoreText", "From")},
    {MessageId::FieldTo, QT_TRANSLATE_NOOP("CoreText", "To")},
    {MessageId::SettingsCompanyName, QT_TRANSLATE_NOOP("CoreText", "company name")},
    {MessageId::SettingsCompanyAddress, QT_TRANSLATE_NOOP("CoreText", "company address")},
    {MessageId::SettingsCity, QT_TRANSLATE_NOOP("CoreText", "city")},
    {MessageId::SettingsZip, QT_TRANSLATE_NOOP("CoreText", "ZIP")},
    {MessageId::SettingsState, QT_TRANSLATE_NOOP("CoreText", "state")},
    {MessageId::SettingsCountry, QT_TRANSLATE_NOOP("CoreText", "country")},
    {MessageId::SettingsPhone, QT_TRANSLATE_NOOP("CoreText", "phone")},
    {MessageId::SettingsInvoiceText, QT_TRANSLATE_NOOP("CoreText", "invoice text")},
    {MessageId::SettingsNextInvoiceNumber, QT_TRANSLATE_NOOP("CoreText", "next invoice number")},
    {MessageId::SettingsInvoiceFooter, QT_TRANSLATE_NOOP("CoreText", "invoice footer")},
    {MessageId::SettingsSalesTaxLabel, QT_TRANSLATE_NOOP("CoreText", "sales tax label")},
    {MessageId::SettingsMonetarySymbol, QT_TRANSLATE_NOOP("CoreText", "monetary symbol")},
    {MessageId::CustomerName, QT_TRANSLATE_NOOP("CoreText", "name")},
    {MessageId::CustomerAddress, QT_TRANSLATE_NOOP("CoreText", "address")},
    {MessageId::CustomerCity, QT_TRANSLATE_NOOP("CoreText", "city")},
    {MessageId::CustomerZip, QT_TRANSLATE_NOOP("CoreText", "ZIP")},
    {MessageId::CustomerState, QT_TRANSLATE_NOOP("CoreText", "state")},
    {MessageId::CustomerCountry, QT_TRANSLATE_NOOP("CoreText", "country")},
    {MessageId::CustomerPhone, QT_TRANSLATE_NOOP("CoreText", "phone")},
    {MessageId::CustomerNotes, QT_TRANSLATE_NOOP("CoreText", "notes")},
}};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kSources.size(); ++i)
        if (static_cast<std::size_t>(kSources[i].id) != i) return false;
    return true;
}
static_assert(inIdOrder(), "kSources must list every MessageId in its order");

// The menu command the place is, as the menu names it.
const char* const kPlaceSources[] = {QT_TRANSLATE_NOOP("CoreText", "Edit Customers")};

QString translated(MessageId id) {
    const char* source = coreTextSource(id);
    return source ? QCoreApplication::translate("CoreText", source) : QString();
}

QString partText(const ql::MessagePart& part) {
    if (const auto* text = std::get_if<std::string>(&part)) return QString::fromStdString(*text);
    if (const auto* word = std::get_if<MessageId>(&part)) return translated(*word);
    return placeText(std::get<ql::Place>(part));
}

}  // namespace

const char* coreTextSource(MessageId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kSources.size() ? kSources[index].text : nullptr;
}

QString placeText(ql::Place place) {
    const auto index = static_cast<std::size_t>(place);
    return index < std::size(kPlaceSources) ? QCoreApplication::translate("CoreText", kPlaceSources[index]) : QString();
}

QString coreText(const ql::Message& message) {
    const auto& parts = message.parts();
    if (message.id() == MessageId::FreeText) return parts.empty() ? QString() : partText(parts.front());
    const QString form = translated(message.id());
    // Replaced in one pass, so a path that holds "%2" stays as it is.
    QString result;
    result.reserve(form.size() + 32);
    for (qsizetype at = 0; at < form.size(); ++at) {
        const QChar c = form.at(at);
        if (c == QLatin1Char('%') && at + 1 < form.size() && form.at(at + 1) >= QLatin1Char('1') &&
            form.at(at + 1) <= QLatin1Char('9')) {
            const auto index = static_cast<std::size_t>(form.at(at + 1).unicode() - '1');
            if (index < parts.size()) {
                result += partText(parts[index]);
                ++at;
                continue;
            }
        }
        result += c;
    }
    return result;
}

QString coreTextWithReason(const ql::Status& failed) {
    const QString message = coreText(failed);
    if (failed.reason().empty()) return message;
    return message + QStringLiteral(" (") + QString::fromStdString(failed.reason()) + QLatin1Char(')');
}
