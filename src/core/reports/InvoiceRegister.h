#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/InvoiceRegisterFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The meaning of the register of issued invoices (its files and their layout are in
// core/store/InvoiceRegisterFile.h): what an issued invoice showed, recording one, voiding one,
// and which frames issued invoices billed.
namespace ql {

// What an issued invoice showed: reprinting it renders invoice with parties. The lines carry
// their printed texts and cents; invoice.settingsPath names the set read from.
struct IssuedContent {
    Invoice invoice;
    InvoiceParties parties;
};

// An invoice as issued at issuedAt with parties: its register entry (length, body, checksum,
// pointing at textsOffset of the texts file) and its texts. rebills records that it bills
// frames another invoice billed.
struct EncodedInvoice {
    std::vector<unsigned char> entry;
    std::vector<unsigned char> texts;
};
EncodedInvoice encodeIssuedInvoice(const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                                   bool rebills, std::uint64_t textsOffset);
// What the entry of register.invoices()[i] printed, its texts read once from the texts file
// (no further than they go); settingsPath is set as the invoice's. Fails with
// invoiceRegisterReadMessage(path) should they be missing, torn or not decode.
Result<IssuedContent> issuedContent(FileSystem& fs, const InvoiceRegister& reg, std::size_t i, const FileSet& set);

// Under the set's lock (the caller holds it): adds invoice to the register read as current,
// its texts appended at the end of the texts file (synced) before the register is replaced, so
// a failure or crash at any step leaves current in place. A version-1 register is rewritten as
// version 2 on the way. On failure the register is as it was.
Status recordIssuedInvoice(FileSystem& fs, const FileSet& set, const InvoiceRegister& current,
                           const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                           bool rebills);

// Under the set's lock: marks invoice number void. It stays listed, its number is never
// issued again and its frames count as unbilled. NotFound (with a message naming the number)
// when the register has no such invoice, InvalidArgument when it is void already.
Status voidInvoice(FileSystem& fs, const FileSet& set, std::string_view number);

// For each frame signature, the invoice that billed it (void invoices do not count; of two
// that billed it, the later). Built once, then asked per frame.
class BilledFrames {
public:
    explicit BilledFrames(const InvoiceRegister& reg);
    // Places the frames of the register's invoices from firstNew on, added to it since the
    // index was made or last added to (the table laid out anew when it would be too full).
    void add(std::size_t firstNew);
    // Lays the table out anew for the register as it now is (read again whole, say), in the
    // memory it has.
    void rebuild();
    // The number of the invoice that billed frame; nullptr when none did.
    const std::string* invoiceOf(const FrameSignature& frame) const;
    // The same as an index into the register's invoices(); -1 when none did.
    std::ptrdiff_t indexOf(const FrameSignature& frame) const;

private:
    struct Slot {
        FrameSignature frame;
        std::uint32_t invoice = 0;  // index + 1; 0 for an empty slot
    };
    void placeFrom(std::size_t firstInvoice);

    const InvoiceRegister& m_register;
    std::vector<Slot> m_slots;  // open addressing, a power of two long
    std::size_t m_frames = 0;   // placed, rebilled ones counted each time
};

// The lines of invoice that issued invoices already bill: how many, and the numbers of those
// invoices in the order issued (each once). Void invoices do not count.
struct BilledOverlap {
    std::size_t frames = 0;
    std::vector<std::string> numbers;
};
BilledOverlap billedOverlap(const Invoice& invoice, const InvoiceRegister& reg);

// Drops the lines of invoice that issued invoices already bill.
void leaveOutBilled(Invoice& invoice, const InvoiceRegister& reg);

}  // namespace ql
