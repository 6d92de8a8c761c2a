#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The register of issued invoices, beside the file set (base path + "ivr"): what every invoice
// billed, so that billed time is known, and where to find what it showed (base path + "ivt"),
// so that a reprint gives the same invoice whatever changed since. A set without them has
// issued no invoice since it was made.
//
// The register is small (a summary and the frames of each invoice) and is replaced whole by
// each change; the texts only grow, and are read for a reprint alone, so issuing costs what
// the summaries weigh, not what every invoice ever printed weighs.
//
// Register layout (little-endian): an 8-byte header, then one entry per invoice in the order
// issued.
//   header   0    4  magic "QLIV"
//            4    4  int32  version, 2 (1: the texts inside each entry; read, rewritten as 2)
//   entry    0    4  uint32 n, the byte count of the body
//            4    n  body
//          4+n    4  uint32 CRC-32C of the body (version 1: CRC-32)
//   body     0    4  int32  state: 0 issued, 1 void
//            4    4  int32  flags: bit 0 set when it bills frames other invoices billed
//            8    4  int32  customer id
//           12    4  int32  first instant of the period
//           16    4  int32  last instant of the period
//           20    4  int32  issue date (seconds)
//           24    8  int64  net cents
//           32    8  int64  tax cents
//           40    8  int64  total cents
//           48    4  uint32 f, the count of frames billed
//           52  12f  int32 project id, int32 start, int32 end per frame, in printed order
//       52+12f     T number (a text: uint32 byte count, then that many bytes of UTF-8)
//                  version 2: T customer name, T monetary symbol (as listed), then where its
//                  texts are: uint64 offset in the texts file, uint32 byte count, uint32 CRC-32C;
//                  version 1: the texts themselves, to the end of the body.
// Texts layout: an 8-byte header, magic "QLIT" and int32 version 1, then the texts of each
// invoice where its entry says, as texts T, int32 I and float64 D:
//   company: T name, address, city, ZIP, state, country, phone; T invoice text, footer, tax
//   label, monetary symbol; I apply tax; D tax rate; I date format; customer: I id, T name,
//   address, city, ZIP, state, country; per frame: T project name, D rate, int64 cents, T date,
//   time, duration, rate, amount (the line's cells as printed); the seller's billing details:
//   T country code, VAT ID, tax number, registration, IBAN, BIC, payment terms, currency code,
//   exemption reason, exemption code; the customer's: T country code, VAT ID, e-mail, buyer
//   reference; uint32 d, then d texts T: the date lines as printed (issue date, period, due date).
// Bytes of the texts file that no entry points at (an invoice whose issuing failed, a crash)
// are left where they are: a copy of the register elsewhere may point at them.
namespace ql {

enum class IssuedState { Issued = 0, Void = 1 };

// A time frame as billed: editing or removing the frame later does not change what was billed.
struct FrameSignature {
    std::int32_t projectId = 0;
    std::int32_t start = 0;
    std::int32_t end = 0;
    auto operator<=>(const FrameSignature&) const = default;
};

// One invoice of the register, as listed; what it printed is read with issuedContent.
struct IssuedInvoice {
    std::string number;
    std::int32_t customerId = -1;
    std::string customerName;    // as the invoice showed it
    std::string monetarySymbol;  // as the invoice showed it
    std::int32_t periodStart = 0;
    std::int32_t periodEnd = 0;
    std::int32_t issuedAt = 0;
    InvoiceSums sums;
    IssuedState state = IssuedState::Issued;
    bool rebills = false;
    std::vector<FrameSignature> frames;
};

// What an issued invoice showed: reprinting it renders invoice with parties. The lines carry
// their printed texts and cents; invoice.settingsPath names the set read from.
struct IssuedContent {
    Invoice invoice;
    InvoiceParties parties;
};

// Where the texts of one invoice are: in the texts file, or (version 1) inside the register.
struct IssuedTextsAt {
    bool inRegister = false;
    std::uint64_t offset = 0;  // in the texts file, or in the register's bytes
    std::uint32_t size = 0;
    std::uint32_t crc = 0;  // of the texts file's bytes; a version-1 entry's checksum covers its own
};

// The register as read: the invoices in the order issued, and the bytes they came from.
class InvoiceRegister {
public:
    const std::vector<IssuedInvoice>& invoices() const { return m_invoices; }
    int version() const { return m_version; }
    // The invoice of number (issued or void), nullptr when there is none.
    const IssuedInvoice* find(std::string_view number) const;

    // The bytes of the whole register: those read (or only the header, for none), unchanged.
    const std::vector<unsigned char>& bytes() const { return m_bytes; }
    // Where the entry of invoices()[i] starts in bytes().
    std::size_t entryOffset(std::size_t i) const { return m_offsets[i]; }
    const IssuedTextsAt& textsAt(std::size_t i) const { return m_texts[i]; }
    // The end of the last texts an entry points at in the texts file (0 when none does).
    std::uint64_t textsEnd() const;

    // Decodes bytes (the whole file). Fails, with a reason saying where, when they are not one
    // whole register: torn, garbage, another version, a bad checksum.
    static Result<InvoiceRegister> decode(std::vector<unsigned char> bytes);
    // Takes bytes, the whole register read again, in place of those read before. When they
    // only add entries after this register's (invoices issued since, none voided), just those
    // are decoded and appended: true, the earlier invoices left as they are. Otherwise false:
    // the entries that changed (a void) or moved are decoded, the others taken over. Fails as
    // decode does, leaving this register as it was.
    Result<bool> takeRead(std::vector<unsigned char> bytes);

private:
    // Decodes the entries of m_bytes from offset on, appending them; with earlier, an entry
    // that has the same bytes at the same offset there is moved from it rather than decoded.
    // On failure earlier is as it was.
    Status decodeEntriesFrom(std::size_t offset, InvoiceRegister* earlier);

    std::vector<unsigned char> m_bytes;
    std::vector<IssuedInvoice> m_invoices;
    std::vector<std::size_t> m_offsets;
    std::vector<IssuedTextsAt> m_texts;
    int m_version = 2;
};

// "Cannot read invoice register : " + path, and its counterpart for writing.
std::string invoiceRegisterReadMessage(const std::string& path);
std::string invoiceRegisterWriteMessage(const std::string& path);

// The register of set, read once and no further than its size at opening; an empty register
// when the file does not exist. Fails with invoiceRegisterReadMessage (and a reason) when it
// is torn, garbage, of an unknown version, not a regular file (a FIFO) or a link to a file that
// is no register (another extension): never taken as "nothing billed".
Result<InvoiceRegister> readInvoiceRegister(FileSystem& fs, const FileSet& set);
// Reads the register of set again into reg, which was read from it before, as
// readInvoiceRegister reads it; only invoices added since are decoded when nothing else
// changed. Gives how many of reg's invoices were kept as they were: all of them when invoices
// were only added, 0 when the register was decoded whole. On failure reg is as it was.
Result<std::size_t> rereadInvoiceRegister(FileSystem& fs, const FileSet& set, InvoiceRegister& reg);

// An invoice as issued at issuedAt with parties: its register entry (length, body, checksum,
// pointing at textsOffset of the texts file) and its texts. rebills records that it bills
// frames another invoice billed.
struct EncodedInvoice {
    std::vector<unsigned char> entry;
    std::vector<unsigned char> texts;
};
EncodedInvoice encodeIssuedInvoice(const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                                   bool rebills, std::uint64_t textsOffset);
// The header of a texts file with no texts yet.
std::vector<unsigned char> emptyInvoiceTexts();

// The texts file that belongs to the register of set: beside the register's target when the
// register is a link to one elsewhere, so the two travel together.
std::string invoiceTextsPath(FileSystem& fs, const FileSet& set);

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

// Replaces the register of set by bytes crash-safely (a temporary file of the set, synced and
// renamed over it); the caller holds the set's lock. A link is written at its target when that
// is a register. Bytes of no invoice remove the file and its texts (a link stays). On failure
// the old register is as it was.
// With entry, its bytes follow those of bytes (an invoice added without copying the register).
Status writeInvoiceRegister(FileSystem& fs, const FileSet& set, const std::vector<unsigned char>& bytes,
                            const std::vector<unsigned char>* entry = nullptr);
// The bytes of reg without its entry i.
std::vector<unsigned char> registerWithout(const InvoiceRegister& reg, std::size_t i);

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
