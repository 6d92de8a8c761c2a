#pragma once

#include "core/Status.h"
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
};

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
// written.
Result<InvoiceNumberClaim> claimInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view shown,
                                              std::string_view typed);

// Gives back the number of an invoice that could not be written: the stored next number
// returns to issued.previousNext, unless another invoice has taken a number since (the stored
// number is no longer issued.storedNext), in which case the number stays unused rather than
// being issued twice.
Status giveBackInvoiceNumber(FileSystem& fs, const FileSet& set, const IssuedInvoiceNumber& issued);

// Issues invoice `number` and makes it visible with publish, all under the set's lock: the
// next number (nextInvoiceNumberAfter(number)) is stored first, so that no one else can take
// the number while the invoice appears, and given back when publish fails. publish is not run
// when the number cannot be stored. An interruption between the two leaves the number unused,
// never issued twice.
Status issueInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view number,
                          const std::function<Status()>& publish);

}  // namespace ql
