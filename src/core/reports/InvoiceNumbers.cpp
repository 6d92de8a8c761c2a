#include "core/reports/InvoiceNumbers.h"

#include "core/reports/Invoice.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"

#include <optional>

namespace ql {

namespace {

// Stores the number after `typed` and says what was there before; the caller holds the lock.
// A number that reg holds is refused, after the check for a moved number: a dialog whose
// number was issued meanwhile asks about the number now stored instead.
Result<IssuedInvoiceNumber> storeNumberAfter(FileSystem& fs, const FileSet& set, std::string_view typed,
                                             std::string_view expected, bool* moved,
                                             const InvoiceRegister* reg = nullptr) {
    IssuedInvoiceNumber issued;
    if (moved) *moved = false;
    const Status st = updateSettings(fs, set, [&](SettingsRecord& settings) {
        issued.previousNext = settings.nextInvoiceNumber;
        if (moved && settings.nextInvoiceNumber != expected) {
            *moved = true;
            // Refusing the change writes nothing; the caller tells the user instead.
            return Status::invalidArgument("moved");
        }
        if (reg && reg->find(typed)) return Status::invalidArgument(numberInRegisterMessage(typed));
        settings.nextInvoiceNumber = nextInvoiceNumberAfter(typed);
        issued.storedNext = settings.nextInvoiceNumber;
        return Status::ok();
    });
    if (moved && *moved) return issued;
    if (!st) return st;
    return issued;
}

// Adds record to the register after its number was stored; gives the number back when the
// register cannot be written. The caller holds the lock.
Status recordAfterStoring(FileSystem& fs, const FileSet& set, const InvoiceRegister& current,
                          const InvoiceRecord& record, IssuedInvoiceNumber& issued) {
    // Whoever asked, an invoice that bills billed frames is recorded as billing them again.
    const bool rebills = record.rebills || billedOverlap(record.invoice, current).frames > 0;
    if (const Status written =
            recordIssuedInvoice(fs, set, current, record.invoice, record.parties, record.issuedAt, rebills);
        !written) {
        (void)giveBackInvoiceNumber(fs, set, issued);
        return written;
    }
    issued.recorded = record.invoice.request.invoiceNumber;
    return Status::ok();
}

}  // namespace

std::string numberInRegisterMessage(std::string_view number) {
    return "The invoice number " + std::string(number) +
           " was issued already: it is in the invoice register. Give another number.";
}

Result<InvoiceNumberClaim> claimInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view shown,
                                              std::string_view typed, const InvoiceRecord* record) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    std::optional<InvoiceRegister> current;
    if (record) {
        auto read = readInvoiceRegister(fs, set);
        if (!read) return read.status();
        current = std::move(read).value();
    }
    InvoiceNumberClaim claim;
    auto issued = storeNumberAfter(fs, set, typed, shown, &claim.moved, current ? &*current : nullptr);
    if (!issued) return issued.status();
    if (claim.moved) {
        claim.current = issued->previousNext;
        return claim;
    }
    claim.issued = std::move(issued).value();
    if (record) {
        if (const Status recorded = recordAfterStoring(fs, set, *current, *record, claim.issued); !recorded)
            return recorded;
    }
    return claim;
}

Status giveBackInvoiceNumber(FileSystem& fs, const FileSet& set, const IssuedInvoiceNumber& issued) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    if (!issued.recorded.empty()) {
        auto reg = readInvoiceRegister(fs, set);
        if (!reg) return reg.status();
        const auto& invoices = reg->invoices();
        for (std::size_t i = 0; i < invoices.size(); ++i) {
            if (invoices[i].number != issued.recorded) continue;
            if (const Status removed = writeInvoiceRegister(fs, set, registerWithout(*reg, i)); !removed)
                return removed;
            break;
        }
    }
    bool taken = false;
    const Status st = updateSettings(fs, set, [&](SettingsRecord& settings) {
        if (settings.nextInvoiceNumber != issued.storedNext) {
            taken = true;
            return Status::invalidArgument("taken");
        }
        settings.nextInvoiceNumber = issued.previousNext;
        return Status::ok();
    });
    return taken ? Status::ok() : st;
}

Status issueInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view number,
                          const std::function<Status()>& publish) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    auto issued = storeNumberAfter(fs, set, number, {}, nullptr);
    if (!issued) return issued.status();
    const Status published = publish();
    if (published) return Status::ok();
    // The invoice is not there: its number may be used again. Failing to give it back leaves
    // a gap in the numbers, which is safe; the user hears of the write that failed.
    (void)giveBackInvoiceNumber(fs, set, *issued);
    return published;
}

}  // namespace ql

namespace ql {

Status issueInvoice(FileSystem& fs, const FileSet& set, const InvoiceRegister& current, const InvoiceRecord& record,
                    const std::function<Status()>& publish) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    const std::string& number = record.invoice.request.invoiceNumber;
    if (current.find(number)) return Status::invalidArgument(numberInRegisterMessage(number));
    auto issued = storeNumberAfter(fs, set, number, {}, nullptr);
    if (!issued) return issued.status();
    if (const Status recorded = recordAfterStoring(fs, set, current, record, *issued); !recorded) return recorded;
    const Status published = publish();
    if (published) return Status::ok();
    // The invoice is not there: its entry goes, then its number may be used again. A register
    // that cannot be put back keeps the number used, which is safe: it names the invoice to
    // reprint.
    if (writeInvoiceRegister(fs, set, current.bytes())) {
        issued->recorded.clear();
        (void)giveBackInvoiceNumber(fs, set, *issued);
    }
    return published;
}

}  // namespace ql
