#pragma once

#include "core/Status.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <functional>
#include <string>
#include <string_view>

namespace ql {

// The next invoice number as it was before an invoice took its number and as it was stored
// after, so that an invoice that could not be written gives its number back.
struct IssuedInvoiceNumber {
    std::string previousNext;
    std::string storedNext;
    // The number recorded in the register with it; empty when none was.
    std::string recorded;
};

// An invoice to record in the register in the operation that stores its number.
struct InvoiceRecord {
    Invoice invoice;
    InvoiceParties parties;
    std::int32_t issuedAt = 0;  // the issue date, seconds
    bool rebills = false;       // it bills frames that other invoices billed (found anyway)
};

// The refusal of a number the register holds already (issued or void): never issued twice.
std::string numberInRegisterMessage(std::string_view number);

// What claiming a number found. When the stored next number is no longer the one the user was
// shown, nothing was stored and `current` is the number now stored.
struct InvoiceNumberClaim {
    bool moved = false;
    std::string current;
    IssuedInvoiceNumber issued;
};

// Under the set's lock: reads the stored next number; when it is still `shown`, stores
// nextInvoiceNumberAfter(typed) and returns what it stored; when another window or program
// issued invoices since (the stored number differs from `shown`), stores nothing and returns
// moved with the stored number. Fails, storing nothing, when the settings cannot be read or
// written. With record, in the same locked operation: refuses (InvalidArgument,
// numberInRegisterMessage) a number the register holds, and once the number is stored adds
// record to the register; when that fails the number is given back and the failure returned.
Result<InvoiceNumberClaim> claimInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view shown,
                                              std::string_view typed, const InvoiceRecord* record = nullptr);

// Gives back the number of an invoice that could not be written: the stored next number
// returns to issued.previousNext, unless another invoice has taken a number since (the stored
// number is no longer issued.storedNext), in which case the number stays unused rather than
// being issued twice. An invoice recorded with it is taken out of the register first; when
// that fails the number is not given back (an entry never outlives its stored number).
Status giveBackInvoiceNumber(FileSystem& fs, const FileSet& set, const IssuedInvoiceNumber& issued);

// Issues invoice `number` and makes it visible with publish, all under the set's lock: the
// next number (nextInvoiceNumberAfter(number)) is stored first, so that no one else can take
// the number while the invoice appears, and given back when publish fails. publish is not run
// when the number cannot be stored. An interruption between the two leaves the number unused,
// never issued twice.
Status issueInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view number,
                          const std::function<Status()>& publish);

// Issues record's invoice, under the set's lock, in this order: refuses (InvalidArgument) a
// number current holds; stores the next number; adds the entry to the register; runs publish.
// current is the register as read under the set's lock, which the caller still holds (so it
// is read once). When the register cannot be written the number is given back; when publish
// fails the register is put back as it was and then the number is given back. An
// interruption at any step leaves no entry whose number is not stored, and no number that
// can be issued twice.
Status issueInvoice(FileSystem& fs, const FileSet& set, const InvoiceRegister& current, const InvoiceRecord& record,
                    const std::function<Status()>& publish);

}  // namespace ql
