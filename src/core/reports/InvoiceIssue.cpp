#include "core/reports/InvoiceIssue.h"

#include "core/store/FieldCodec.h"
#include "core/store/RecordFile.h"

#include <memory>

namespace ql {

namespace {

Status refusedFor(InvoiceInput input, InvoiceInput* refused, Status st) {
    if (refused) *refused = input;
    return st;
}

// The number of an invoice that is not there may be used again; the caller holds the lock.
// When another invoice took a number since, giving it back would issue that one twice: the
// number stays unused instead. Failing leaves a gap in the numbers, which is safe.
void giveBackNumber(FileSystem& fs, const FileSet& set, const std::string& previous, const std::string& stored) {
    (void)updateSettings(fs, set, [&](SettingsRecord& settings) {
        if (settings.nextInvoiceNumber != stored) return Status::invalidArgument("taken");
        settings.nextInvoiceNumber = previous;
        return Status::ok();
    });
}

}  // namespace

Message numberInRegisterMessage(std::string_view number) {
    return Message(MessageId::InvoiceNumberIssuedAlready, {std::string(number)});
}

Result<InvoicePlan> prepareInvoice(FileSystem& fs, const FileSet& set, const InvoiceRequest& request,
                                   SettingsRecord settings, EmptyInvoices empties, InvoiceInput* refused) {
    if (refused) *refused = InvoiceInput::None;
    if (const Status st = checkInvoiceNumber(request.invoiceNumber); !st)
        return refusedFor(InvoiceInput::Number, refused, st);
    if (!codec::isValidUtf8(request.invoiceNumber))
        return refusedFor(InvoiceInput::Number, refused,
                          Status::invalidArgument(Message(MessageId::InvoiceNumberNotUtf8)));
    if (const Status st = checkInvoiceCustomer(fs, set.customers(), request.customerId); !st)
        return refusedFor(InvoiceInput::Customer, refused, st);
    InvoicePlan plan;
    plan.shownNumber = settings.nextInvoiceNumber;
    plan.empties = empties;
    auto invoice = LoadInvoice(fs, request, set);
    if (!invoice) return invoice.status();
    // An invoice of no lines would take a number for nothing.
    if (invoice->lines.empty() && empties == EmptyInvoices::Refused) return Status::invalidArgument(Message(kNothingToInvoice));
    plan.invoice = std::move(invoice).value();
    // Read once: the register records, and the output shows, these very parties.
    auto parties = loadInvoiceParties(fs, plan.invoice, std::move(settings));
    if (!parties) {
        const InvoiceInput input =
            parties.status().code() == StatusCode::NotFound ? InvoiceInput::Customer : InvoiceInput::None;
        return refusedFor(input, refused, parties.status());
    }
    plan.parties = std::move(parties).value();
    auto reg = readInvoiceRegister(fs, set);
    if (!reg) return reg.status();
    plan.billedBy = std::move(reg).value();
    plan.overlap = billedOverlap(plan.invoice, plan.billedBy);
    plan.gaps = missingEInvoiceDetails(plan.invoice, plan.parties);
    return plan;
}

Result<InvoicePlan> prepareInvoice(FileSystem& fs, const FileSet& set, const InvoiceRequest& request,
                                   EmptyInvoices empties, InvoiceInput* refused) {
    if (refused) *refused = InvoiceInput::None;
    auto settings = readSettings(fs, set);
    if (!settings) return settings.status();
    return prepareInvoice(fs, set, request, std::move(settings).value(), empties, refused);
}

Status answerBilled(InvoicePlan& plan, BilledAnswer answer) {
    if (plan.overlap.frames == 0) return Status::ok();
    if (answer == BilledAnswer::BillAgain) {
        plan.rebills = true;
        return Status::ok();
    }
    leaveOutBilled(plan.invoice, plan.billedBy);
    plan.rebills = false;
    plan.overlap = {};
    if (plan.invoice.lines.empty() && plan.empties == EmptyInvoices::Refused)
        return Status::invalidArgument(Message(kEveryFrameBilled));
    plan.gaps = missingEInvoiceDetails(plan.invoice, plan.parties);
    return Status::ok();
}

Result<IssueOutcome> issueInvoice(FileSystem& fs, const FileSet& set, InvoicePlan& plan,
                                  const std::function<Status()>& publish, const FileLock* held) {
    std::unique_ptr<FileLock> ours;
    if (!held) {
        auto lock = lockFileSet(fs, set);
        if (!lock) return lock.status();
        ours = std::move(lock).value();
        // Another window or program may have issued since the plan was read: what it billed
        // and which numbers it took count from here on.
        auto reread = rereadInvoiceRegister(fs, set, plan.billedBy);
        if (!reread) return reread.status();
    }
    const std::string& number = plan.invoice.request.invoiceNumber;
    IssueOutcome outcome;
    std::string previous;
    const Status stored = updateSettings(fs, set, [&](SettingsRecord& settings) {
        previous = settings.nextInvoiceNumber;
        if (settings.nextInvoiceNumber != plan.shownNumber) {
            outcome.moved = true;
            outcome.storedNext = settings.nextInvoiceNumber;
            // Refusing the change writes nothing; the front end asks the user instead.
            return Status::invalidArgument("moved");
        }
        // After the check for a moved number: a window whose number was issued meanwhile
        // asks about the number now stored instead.
        if (plan.billedBy.find(number)) return Status::invalidArgument(numberInRegisterMessage(number));
        settings.nextInvoiceNumber = nextInvoiceNumberAfter(number);
        outcome.storedNext = settings.nextInvoiceNumber;
        return Status::ok();
    });
    if (outcome.moved) return outcome;
    if (!stored) return stored;

    // Whoever asked, an invoice that bills billed frames is recorded as billing them again.
    const bool rebills = plan.rebills || billedOverlap(plan.invoice, plan.billedBy).frames > 0;
    if (const Status recorded = recordIssuedInvoice(fs, set, plan.billedBy, plan.invoice, plan.parties,
                                                    plan.invoice.request.issueDate, rebills);
        !recorded) {
        giveBackNumber(fs, set, previous, outcome.storedNext);
        return recorded;
    }
    const Status published = publish ? publish() : Status::ok();
    if (published) return outcome;
    // The invoice is not there: its entry goes, then its number may be used again. A register
    // that cannot be put back keeps the number used, which is safe: it names the invoice to
    // reprint.
    if (writeInvoiceRegister(fs, set, plan.billedBy.bytes())) giveBackNumber(fs, set, previous, outcome.storedNext);
    return published;
}

Result<IssuedContent> findIssuedContent(FileSystem& fs, const FileSet& set, const InvoiceRegister& reg,
                                        std::string_view number, VoidInvoices voids, InvoiceInput* refused) {
    if (refused) *refused = InvoiceInput::None;
    const auto& invoices = reg.invoices();
    std::size_t i = 0;
    while (i < invoices.size() && invoices[i].number != number) ++i;
    if (i == invoices.size())
        return refusedFor(InvoiceInput::Number, refused,
                          Status::notFound(Message(MessageId::InvoiceNotInRegister, {std::string(number)})));
    if (invoices[i].state == IssuedState::Void && voids == VoidInvoices::Refused)
        return refusedFor(InvoiceInput::Number, refused,
                          Status::invalidArgument(Message(MessageId::InvoiceIsVoid, {std::string(number)})));
    return issuedContent(fs, reg, i, set);
}

}  // namespace ql
