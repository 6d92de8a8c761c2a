#pragma once

#include "core/Status.h"
#include "core/einvoice/CiiInvoice.h"
#include "core/reports/Invoice.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Settings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Issuing an invoice, for the window and the command line alike: prepareInvoice reads what
// the invoice needs once, the front end asks the plan's questions (billed time, e-invoice
// gaps), and issueInvoice takes the number, records the invoice and publishes it in one
// locked operation.
namespace ql {

// The refusal of a request whose customer has no time frame in the period.
inline constexpr MessageId kNothingToInvoice = MessageId::NothingToInvoiceNoFrames;
// The refusal of an invoice left empty once the billed frames were left out.
inline constexpr MessageId kEveryFrameBilled = MessageId::NothingToInvoiceAllBilled;

// The refusal of a number the register holds already (issued or void): never issued twice.
Message numberInRegisterMessage(std::string_view number);

// Whether an invoice of no lines may be issued. The window refuses one (it would take a number
// for nothing); scripts of the command line issue one for a month without work.
enum class EmptyInvoices { Refused, Allowed };

// An invoice ready to issue: what it bills, whom it bills, and what the register says of it.
struct InvoicePlan {
    Invoice invoice;          // its request's number is the one to issue, its issue date the one shown
    InvoiceParties parties;   // recorded in the register and written, exactly these
    InvoiceRegister billedBy; // the register as read when the plan was made
    BilledOverlap overlap;    // the invoice's lines that issued invoices bill already
    std::vector<EInvoiceGap> gaps;  // what an e-invoice of it would lack
    // The next number the user was shown: issuing stores nothing while another number is
    // stored. prepareInvoice sets the stored one it read; a window that showed an earlier
    // read sets that instead.
    std::string shownNumber;
    bool rebills = false;     // the user chose to bill the overlap again
    EmptyInvoices empties = EmptyInvoices::Refused;
};

// Which input a refusal of prepareInvoice is about, so that a front end names its own field.
enum class InvoiceInput { None, Number, Customer };

// Reads, once each, what issuing request (with its number and issue date) over set needs:
// the lines (LoadInvoice), the parties, the register with the billed overlap, and the
// e-invoice gaps. settings is the settings record the caller read already. Refuses, with
// refused (when given) saying which input: a number over 31 bytes or not UTF-8 (Number); no
// customer, one no longer in the customers file (NotFound) or that file unreadable
// (Customer); unless empties allows it, an invoice of no lines (kNothingToInvoice). Any other
// file that cannot be read fails with its message (refused None). Nothing is written.
Result<InvoicePlan> prepareInvoice(FileSystem& fs, const FileSet& set, const InvoiceRequest& request,
                                   SettingsRecord settings, EmptyInvoices empties = EmptyInvoices::Refused,
                                   InvoiceInput* refused = nullptr);
// As above, the settings read from set.
Result<InvoicePlan> prepareInvoice(FileSystem& fs, const FileSet& set, const InvoiceRequest& request,
                                   EmptyInvoices empties = EmptyInvoices::Refused, InvoiceInput* refused = nullptr);

// The answer to "these frames were billed already": leave them out or bill them again.
enum class BilledAnswer { LeaveOut, BillAgain };

// Applies answer to plan (nothing to do without an overlap). LeaveOut drops the billed lines
// and finds the gaps again; an invoice left with no line is refused (kEveryFrameBilled)
// unless the plan allows empty invoices.
// BillAgain records the invoice as billing them again.
Status answerBilled(InvoicePlan& plan, BilledAnswer answer);

// What issuing found: issued, or another window or program stored another next number since
// plan.shownNumber was read, in which case nothing was stored.
struct IssueOutcome {
    bool moved = false;
    std::string storedNext;  // the next number now stored (when moved: the one found)
};

// Issues plan's invoice under the set's lock, in this order: when the stored next number is
// not plan.shownNumber, stores nothing and answers moved; refuses (InvalidArgument,
// numberInRegisterMessage) a number the register holds; stores the number after it; adds the
// register entry (plan's invoice and parties, issued at its request's issue date; billing
// again when the user said so or the register bills its frames by now); runs publish (write
// the output; an empty step for a print). When recording fails the number is given back;
// when publish fails the register is put back as it was, then the number is given back,
// unless another invoice took a number since. An interruption at any step leaves no entry
// whose number is not stored, and no number that can be issued twice.
// held: the set's lock, held by the caller since before plan was prepared, so that its
// register is current and is not read again; without it the lock is taken here and the
// register read again (only what was added since is decoded) into plan.billedBy.
Result<IssueOutcome> issueInvoice(FileSystem& fs, const FileSet& set, InvoicePlan& plan,
                                  const std::function<Status()>& publish, const FileLock* held = nullptr);

// Whether a void invoice may be written again (on paper it may; as an e-invoice it is not
// sent again).
enum class VoidInvoices { Refused, Given };

// What the invoice of number in reg showed, to write it again as issued. NotFound ("no
// invoice has the number " + number + " in the invoice register") when reg has none;
// InvalidArgument ("invoice " + number + " is void") for a void one unless voids is Given,
// both with refused (when given) Number; issuedContent's failure when its texts cannot be
// read (refused None).
Result<IssuedContent> findIssuedContent(FileSystem& fs, const FileSet& set, const InvoiceRegister& reg,
                                        std::string_view number, VoidInvoices voids,
                                        InvoiceInput* refused = nullptr);

}  // namespace ql
