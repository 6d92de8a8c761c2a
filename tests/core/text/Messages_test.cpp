#include "core/text/Messages.h"

#include "core/Status.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ql {
namespace {

// The texts the core gave before its messages had ids, each with sample parts: every id is
// here once, so a changed English form (which the command line prints and the window's
// translations are keyed on) fails here.
struct Pinned {
    Message message;
    std::string english;
};

const std::string kPath = "/home/ann/100% Work.prj";

std::vector<Pinned> pinnedTexts() {
    using Id = MessageId;
    return {
        {Message::freeText("--number: bad"), "--number: bad"},
        {Message(Id::Cancelled), "Cancelled"},
        {Message(Id::CannotOpenProjectFile, {kPath}), "Cannot open project file : " + kPath},
        {Message(Id::CannotOpenCustomersAppend, {"/s.cus"}), "Cannot open CUSTOMERS file : /s.cus"},
        {Message(Id::CannotOpenCustomersFile, {"/s.cus"}), "Cannot open Customers file : /s.cus"},
        {Message(Id::CannotOpenTimeFramesFileForChart, {"/s.tfr"}), "Cannot open Time Frames file : /s.tfr"},
        {Message(Id::CannotOpenTimeFramesFile, {"/s.tfr"}), "Cannot open time frames file : /s.tfr"},
        {Message(Id::CannotOpenSettingsFile, {"/s.qlr"}), "Cannot open settings file : /s.qlr"},
        {Message(Id::CannotLockFileSet, {"/s.lck"}), "Cannot lock file set : /s.lck"},
        {Message(Id::CannotReadBillingDetails, {"/s.bil"}), "Cannot read billing details file : /s.bil"},
        {Message(Id::CannotReadCustomerBilling, {"/s.bcu"}), "Cannot read customer billing details file : /s.bcu"},
        {Message(Id::CannotReadInvoiceRegister, {"/s.ivr"}), "Cannot read invoice register : /s.ivr"},
        {Message(Id::CannotReadRunningProjects, {"/s.run"}), "Cannot read running projects file : /s.run"},
        {Message(Id::CannotWriteBillingDetails, {"/s.bil"}), "Cannot write billing details file : /s.bil"},
        {Message(Id::CannotWriteCustomerBilling, {"/s.bcu"}), "Cannot write customer billing details file : /s.bcu"},
        {Message(Id::CannotWriteHistoryFilter, {"/s.his"}), "Cannot write history filter file : /s.his"},
        {Message(Id::CannotWriteInvoiceRegister, {"/s.ivr"}), "Cannot write invoice register : /s.ivr"},
        {Message(Id::CannotWriteRunningProjects, {"/s.run"}), "Cannot write running projects file : /s.run"},
        {Message(Id::CannotWriteSettingsFile, {"/s.qlr"}), "Cannot write settings file : /s.qlr"},
        {Message(Id::CannotWriteInvoiceFile, {"/i.txt"}), "Cannot write invoice file : /i.txt"},
        {Message(Id::CannotWriteEInvoiceFile, {"/i.xml"}), "Cannot write e-invoice file : /i.xml"},
        {Message(Id::CannotWritePdfFile, {"/i.pdf"}), "Cannot write PDF file : /i.pdf"},
        {Message(Id::CannotWriteExportFile, {"/e.txt"}), "Cannot write the export file : /e.txt"},
        {Message(Id::CannotCreateNewProject), "Cannot create new project. Check your disk-drive for write-protection"},
        {Message(Id::FileSetBusy, {"/s.lck"}), "The file set is busy in another program, try again : /s.lck"},
        {Message(Id::NoCustomerIdLeft, {"/s.cus"}), "No customer id is left in /s.cus"},
        {Message(Id::NoProjectIdLeft, {"/s.prj"}), "No project id is left in /s.prj"},
        {Message(Id::BillingChanged, {"/s.bil"}),
         "The billing details were changed by another program since this window opened. Cancel, then open it "
         "again : /s.bil"},
        {Message(Id::ProjectsChanged, {"/s.prj"}),
         "The project file was changed by another program since this window opened. Cancel, then open it "
         "again : /s.prj"},
        {Message(Id::SettingsChanged, {"/s.qlr"}),
         "The settings were changed by another program since this window opened. Cancel, then open it "
         "again : /s.qlr"},
        {Message(Id::SystemCallFailed, {"open", "/s.prj", "No such file or directory"}),
         "open /s.prj: No such file or directory"},
        {Message(Id::OutputIsFileOfSet, {"/s.prj"}), "'/s.prj' is a file of the set being read"},
        {Message(Id::OutputDoneAlready), "the output was committed or discarded already"},
        {Message(Id::ExportNotWritten), "The export file could not be written."},
        {Message(Id::SavedNotYetOnDisk, {"/s.prj", "Input/output error"}),
         "/s.prj is saved but may not yet be on disk (Input/output error)"},
        {Message(Id::ProjectNameTooLong, {"Design"}),
         "The project name is too long to be stored (at most 60 bytes) : Design"},
        {Message(Id::ProjectMemoTooLong, {"Design"}),
         "The memo of project Design is too long to be stored (at most 1000 bytes)"},
        {Message(Id::SettingsTextTooLong, {Id::SettingsSalesTaxLabel, "40"}),
         "The sales tax label is too long to be stored (at most 40 bytes)"},
        {Message(Id::CustomerTextTooLong, {Id::CustomerNotes, "1000", "Acme"}),
         "The customer's notes is too long to be stored (at most 1000 bytes) : Acme"},
        {Message(Id::NoInvoiceNumbered, {"96-1"}), "No invoice has the number 96-1"},
        {Message(Id::NoInvoiceNumberedInRegister, {"96-1", "/s.ivr"}),
         "No invoice has the number 96-1 in the invoice register : /s.ivr"},
        {Message(Id::InvoiceVoidAlready, {"96-1"}), "Invoice 96-1 is void already."},
        {Message(Id::InvoiceIsVoid, {"96-1"}), "invoice 96-1 is void"},
        {Message(Id::InvoiceNotInRegister, {"96-1"}), "no invoice has the number 96-1 in the invoice register"},
        {Message(Id::InvoiceNumberNotUtf8), "the invoice number is not UTF-8 text"},
        {Message(Id::InvoiceNumberIssuedAlready, {"96-1"}),
         "The invoice number 96-1 was issued already: it is in the invoice register. Give another number."},
        {Message(Id::InvoiceNumberTooLong, {"31"}), "The invoice number is too long: it may have at most 31 characters."},
        {Message(Id::CustomerGone, {"/s.cus"}), "This customer is no longer in the customers file : /s.cus"},
        {Message(Id::SelectInvoiceCustomer, {Place::EditCustomers}),
         "Select a customer for the invoice. Create one with Edit Customers first."},
        {Message(Id::NothingToInvoiceNoFrames),
         "This customer has no time frame in the period: there is nothing to invoice."},
        {Message(Id::NothingToInvoiceAllBilled),
         "Every time frame of this period was billed already: there is nothing to invoice."},
        {Message(Id::EInvoiceNeedsIssue), "An e-invoice is written only for an issued invoice."},
        {Message(Id::EInvoiceLacksDetails, {"\nthe seller's VAT id (File > Properties > Billing)"}),
         "The e-invoice lacks details the standard requires:\nthe seller's VAT id (File > Properties > Billing)"},
        {Message(Id::NotXml), "The file is not XML"},
        {Message(Id::NotCii), "The file is not a Cross Industry Invoice"},
        {Message(Id::EditedFrameKeepsProject), "An edited time frame keeps its project."},
        {Message(Id::ProjectNotRunning), "The project is not running."},
        {Message(Id::FrameEndsBeforeStart), "The time frame cannot end before it starts."},
        {Message(Id::FrameEndsBeforeStartDuration),
         "The time frame cannot end before it starts: please enter a duration of 00:00 or more."},
        {Message(Id::FrameEndsAfter2038),
         "With this duration the time frame would end after January 2038, which cannot be stored."},
        {Message(Id::NoSuchDate, {"2/30/1996"}), "There is no such date: 2/30/1996."},
        {Message(Id::DateNotStorable), "Please enter a date from 1902 to 2037: other dates cannot be stored."},
        {Message(Id::DateFormatDayFirst),
         "Please enter the date as three numbers, day/month/year, for example 15/03/1996."},
        {Message(Id::DateFormatMonthFirst),
         "Please enter the date as three numbers, month/day/year, for example 03/15/1996."},
        {Message(Id::DurationFormat),
         "Please enter the duration as hours:minutes, for example 01:30, with minutes below 60."},
        {Message(Id::TimeFormat),
         "Please enter the time as hours:minutes, for example 09:30, with hours below 24 and minutes below 60."},
        {Message(Id::PeriodDateNotADateMonthFirst, {Id::FieldFrom, "\"1/2\"", "12/31/1996"}),
         "The From date \"1/2\" is not a date. Type three numbers separated by \"/\", such as 12/31/1996 "
         "(month/day/year)."},
        {Message(Id::PeriodDateNotADateDayFirst, {Id::FieldTo, "\"x\"", "31/12/1996"}),
         "The To date \"x\" is not a date. Type three numbers separated by \"/\", such as 31/12/1996 "
         "(day/month/year)."},
        {Message(Id::PeriodDateOutsideMonthFirst, {Id::FieldFrom, "\"1/2/99999\"", "12/31/1996"}),
         "The From date \"1/2/99999\" lies outside the dates this program can store. Type a four-digit year from "
         "1902 to 2037, such as 12/31/1996 (month/day/year)."},
        {Message(Id::PeriodDateOutsideDayFirst, {Id::FieldTo, "\"1/2/99999\"", "31/12/1996"}),
         "The To date \"1/2/99999\" lies outside the dates this program can store. Type a four-digit year from "
         "1902 to 2037, such as 31/12/1996 (day/month/year)."},
        {Message(Id::PeriodThisYear), "This Year"},
        {Message(Id::PeriodThisMonth), "This Month"},
        {Message(Id::PeriodThisWeek), "This Week"},
        {Message(Id::PeriodToday), "Today"},
        {Message(Id::PeriodCustom), "Custom"},
        {Message(Id::TotalsToday, {"12/11/1996"}), "Today (12/11/1996)"},
        {Message(Id::TotalsThisWeek, {"12/09/1996 - 12/15/1996"}), "This week (12/09/1996 - 12/15/1996)"},
        {Message(Id::TotalsThisMonth, {"12/01/1996 - 12/31/1996"}), "This month (12/01/1996 - 12/31/1996)"},
        {Message(Id::TotalsThisYear, {"01/01/1996 - 12/31/1996"}), "This year (01/01/1996 - 12/31/1996)"},
        {Message(Id::FieldFrom), "From"},
        {Message(Id::FieldTo), "To"},
        {Message(Id::SettingsCompanyName), "company name"},
        {Message(Id::SettingsCompanyAddress), "company address"},
        {Message(Id::SettingsCity), "city"},
        {Message(Id::SettingsZip), "ZIP"},
        {Message(Id::SettingsState), "state"},
        {Message(Id::SettingsCountry), "country"},
        {Message(Id::SettingsPhone), "phone"},
        {Message(Id::SettingsInvoiceText), "invoice text"},
        {Message(Id::SettingsNextInvoiceNumber), "next invoice number"},
        {Message(Id::SettingsInvoiceFooter), "invoice footer"},
        {Message(Id::SettingsSalesTaxLabel), "sales tax label"},
        {Message(Id::SettingsMonetarySymbol), "monetary symbol"},
        {Message(Id::CustomerName), "name"},
        {Message(Id::CustomerAddress), "address"},
        {Message(Id::CustomerCity), "city"},
        {Message(Id::CustomerZip), "ZIP"},
        {Message(Id::CustomerState), "state"},
        {Message(Id::CustomerCountry), "country"},
        {Message(Id::CustomerPhone), "phone"},
        {Message(Id::CustomerNotes), "notes"},
    };
}

TEST(Messages, EveryIdRendersAsTheTextPinnedForIt) {
    std::set<MessageId> seen;
    for (const Pinned& p : pinnedTexts()) {
        SCOPED_TRACE(p.english);
        EXPECT_TRUE(seen.insert(p.message.id()).second) << "pinned twice";
        EXPECT_EQ(englishText(p.message), p.english);
        EXPECT_EQ(Status::ioError(p.message).message(), p.english);
    }
    EXPECT_EQ(seen.size(), kMessageIdCount) << "an id without its pinned text";
}

// Parts are put in one pass: a part that looks like a placeholder stays as it is, a %n
// without its part stays as written, and so does a lone "%".
TEST(Messages, PartsAreSubstitutedOnceAndKeptAsTyped) {
    struct Case {
        Message message;
        std::string english;
    };
    const Case cases[] = {
        {Message(MessageId::NoInvoiceNumberedInRegister, {"%2", "/s%1.ivr"}),
         "No invoice has the number %2 in the invoice register : /s%1.ivr"},
        {Message(MessageId::NoInvoiceNumberedInRegister, {"96-1"}), "No invoice has the number 96-1 in the invoice register : %2"},
        {Message(MessageId::CannotOpenProjectFile), "Cannot open project file : %1"},
        {Message::freeText("100% sure %1"), "100% sure %1"},
        {Message(), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(englishText(c.message), c.english);
}

TEST(Messages, AStatusKeepsItsMessageAndAddsTheReason) {
    const Status failed = Status::ioError(Message(MessageId::CannotOpenProjectFile, {"/s.prj"})).withReason("gone");
    EXPECT_EQ(failed.userMessage(), Message(MessageId::CannotOpenProjectFile, {"/s.prj"}));
    EXPECT_EQ(failed.messageWithReason(), "Cannot open project file : /s.prj (gone)");
    EXPECT_EQ(Status::cancelled().userMessage().id(), MessageId::Cancelled);
    EXPECT_EQ(Status::invalidArgument("typed").userMessage(), Message::freeText("typed"));
}

}  // namespace
}  // namespace ql
