#include "core/reports/InvoiceNumbers.h"

#include "core/reports/Invoice.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"

namespace ql {

namespace {

// Stores the number after `typed` and says what was there before; the caller holds the lock.
Result<IssuedInvoiceNumber> storeNumberAfter(FileSystem& fs, const FileSet& set, std::string_view typed,
                                             std::string_view expected, bool* moved) {
    IssuedInvoiceNumber issued;
    if (moved) *moved = false;
    const Status st = updateSettings(fs, set, [&](SettingsRecord& settings) {
        issued.previousNext = settings.nextInvoiceNumber;
        if (moved && settings.nextInvoiceNumber != expected) {
            *moved = true;
            // Refusing the change writes nothing; the caller tells the user instead.
            return Status::invalidArgument("moved");
        }
        settings.nextInvoiceNumber = nextInvoiceNumberAfter(typed);
        issued.storedNext = settings.nextInvoiceNumber;
        return Status::ok();
    });
    if (moved && *moved) return issued;
    if (!st) return st;
    return issued;
}

}  // namespace

Result<InvoiceNumberClaim> claimInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view shown,
                                              std::string_view typed) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
    InvoiceNumberClaim claim;
    auto issued = storeNumberAfter(fs, set, typed, shown, &claim.moved);
    if (!issued) return issued.status();
    if (claim.moved) {
        claim.current = issued->previousNext;
        return claim;
    }
    claim.issued = std::move(issued).value();
    return claim;
}

Status giveBackInvoiceNumber(FileSystem& fs, const FileSet& set, const IssuedInvoiceNumber& issued) {
    auto held = lockFileSet(fs, set);
    if (!held) return held.status();
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
