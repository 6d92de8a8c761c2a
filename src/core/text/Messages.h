#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Every text the core shows the user, by name. The window translates a message by its id, the
// command line prints its English text; neither matches the words.
namespace ql {

enum class MessageId : std::uint16_t {
    // A text that is not the core's: the command line's own, or a library's. Shown as it is.
    FreeText,
    Cancelled,
    // Files of the set.
    CannotOpenProjectFile,
    CannotOpenCustomersAppend,
    CannotOpenCustomersFile,
    CannotOpenTimeFramesFileForChart,
    CannotOpenTimeFramesFile,
    CannotOpenSettingsFile,
    CannotLockFileSet,
    CannotReadBillingDetails,
    CannotReadCustomerBilling,
    CannotReadInvoiceRegister,
    CannotReadRunningProjects,
    CannotWriteBillingDetails,
    CannotWriteCustomerBilling,
    CannotWriteHistoryFilter,
    CannotWriteInvoiceRegister,
    CannotWriteRunningProjects,
    CannotWriteSettingsFile,
    CannotWriteInvoiceFile,
    CannotWriteEInvoiceFile,
    CannotWritePdfFile,
    CannotWriteExportFile,
    CannotCreateNewProject,
    FileSetBusy,
    NoCustomerIdLeft,
    NoProjectIdLeft,
    BillingChanged,
    ProjectsChanged,
    SettingsChanged,
    SystemCallFailed,
    OutputIsFileOfSet,
    OutputDoneAlready,
    ExportNotWritten,
    SavedNotYetOnDisk,
    // Texts that do not fit their fields.
    ProjectNameTooLong,
    ProjectMemoTooLong,
    SettingsTextTooLong,
    CustomerTextTooLong,
    // Invoices.
    NoInvoiceNumbered,
    NoInvoiceNumberedInRegister,
    InvoiceVoidAlready,
    InvoiceIsVoid,
    InvoiceNotInRegister,
    InvoiceNumberNotUtf8,
    InvoiceNumberIssuedAlready,
    InvoiceNumberTooLong,
    CustomerGone,
    SelectInvoiceCustomer,
    NothingToInvoiceNoFrames,
    NothingToInvoiceAllBilled,
    EInvoiceNeedsIssue,
    EInvoiceLacksDetails,
    NotXml,
    NotCii,
    // Time frames and running projects.
    EditedFrameKeepsProject,
    ProjectNotRunning,
    FrameEndsBeforeStart,
    FrameEndsBeforeStartDuration,
    FrameEndsAfter2038,
    NoSuchDate,
    DateNotStorable,
    DateFormatDayFirst,
    DateFormatMonthFirst,
    DurationFormat,
    TimeFormat,
    // A date typed into a period's field: the field's name, the quoted text, an example.
    PeriodDateNotADateMonthFirst,
    PeriodDateNotADateDayFirst,
    PeriodDateOutsideMonthFirst,
    PeriodDateOutsideDayFirst,
    // Periods: the report lists and the totals panel.
    PeriodThisYear,
    PeriodThisMonth,
    PeriodThisWeek,
    PeriodToday,
    PeriodCustom,
    TotalsToday,
    TotalsThisWeek,
    TotalsThisMonth,
    TotalsThisYear,
    // Words of the program that go into other messages.
    FieldFrom,
    FieldTo,
    SettingsCompanyName,
    SettingsCompanyAddress,
    SettingsCity,
    SettingsZip,
    SettingsState,
    SettingsCountry,
    SettingsPhone,
    SettingsInvoiceText,
    SettingsNextInvoiceNumber,
    SettingsInvoiceFooter,
    SettingsSalesTaxLabel,
    SettingsMonetarySymbol,
    CustomerName,
    CustomerAddress,
    CustomerCity,
    CustomerZip,
    CustomerState,
    CustomerCountry,
    CustomerPhone,
    CustomerNotes,
};
inline constexpr std::size_t kMessageIdCount = static_cast<std::size_t>(MessageId::CustomerNotes) + 1;

// A place of a front end where the user mends what a message is about. The core names it;
// each front end words it (the window with its translated menu path).
enum class Place : std::uint8_t { EditCustomers };

// One part of a message: the user's text (a path, a name, a number), kept as it is in every
// language; a word of the program (itself a message, translated with it); or a place.
using MessagePart = std::variant<std::string, MessageId, Place>;

class Message {
public:
    Message() = default;
    explicit Message(MessageId id, std::vector<MessagePart> parts = {}) : m_id(id), m_parts(std::move(parts)) {}
    Message(MessageId id, std::initializer_list<MessagePart> parts) : m_id(id), m_parts(parts) {}
    // A text that is not the core's own (the command line's messages, a library's words).
    static Message freeText(std::string text) { return Message(MessageId::FreeText, {std::move(text)}); }

    MessageId id() const { return m_id; }
    const std::vector<MessagePart>& parts() const { return m_parts; }
    bool operator==(const Message&) const = default;

private:
    MessageId m_id = MessageId::FreeText;
    std::vector<MessagePart> m_parts;
};

// The English form of id with its numbered parts ("Cannot open project file : %1").
std::string_view englishForm(MessageId id);

// The command line's English words for a place ("Edit Customers").
std::string_view englishPlace(Place place);

// The message in English: each %n of its form replaced by part n in one pass (a part holding
// "%2" stays as it is), a word by its English form, a place by englishPlace. A %n without its
// part stays as written.
std::string englishText(const Message& message);

// Whether message reads as english (its englishText), for the command line's checks and tests.
inline bool operator==(const Message& message, std::string_view english) { return englishText(message) == english; }

}  // namespace ql
