#pragma once

#include "core/Status.h"
#include "core/store/BillingDetails.h"
#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/SettingsRecord.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The files of the register of issued invoices, beside the file set: the register (base path +
// "ivr"), what every invoice billed, and its texts (base path + "ivt"), what each printed. A
// set without them has issued no invoice since it was made.
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

// The cents an invoice prints: its net, tax and total.
struct InvoiceSums {
    std::int64_t net = 0;
    std::int64_t tax = 0;
    std::int64_t total = 0;
    bool operator==(const InvoiceSums&) const = default;
};

// One invoice of the register, as listed; what it printed is in its texts.
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

// Where the texts of one invoice are: in the texts file, or (version 1) inside the register.
struct IssuedTextsAt {
    bool inRegister = false;
    std::uint64_t offset = 0;  // in the texts file, or in the register's bytes
    std::uint32_t size = 0;
    std::uint32_t crc = 0;  // of the texts file's bytes; a version-1 entry's checksum covers its own
};

// One printed line of an issued invoice: its project and rate, cents and cells as printed.
struct IssuedLineTexts {
    std::string projectName;
    double rate = 0.0;
    std::int64_t cents = 0;
    std::string date, time, duration, rateText, amount;
};

// What an issued invoice printed, as its texts keep it. Of settings and customer only the
// fields the texts layout names are kept; the others stay as a default record has them.
struct IssuedTexts {
    SettingsRecord settings;
    CustomerRecord customer;
    std::vector<IssuedLineTexts> lines;
    BillingDetails billing;
    CustomerDetails customerDetails;
    std::vector<std::string> dates;
};

// The bytes of texts as the texts layout above has them.
std::vector<unsigned char> encodeIssuedTexts(const IssuedTexts& texts);
// The texts of an invoice of lineCount lines from exactly size bytes; false when they do not
// decode (torn, damaged, a line or date count no texts could hold).
bool decodeIssuedTexts(const unsigned char* bytes, std::size_t size, std::size_t lineCount, IssuedTexts& out);

// The register entry of invoice (length, body, checksum), its texts at `texts` of the texts file.
std::vector<unsigned char> encodeRegisterEntry(const IssuedInvoice& invoice, const IssuedTextsAt& texts);
// The header of a register with no entry yet, and of a texts file with no texts yet.
std::vector<unsigned char> emptyInvoiceRegister();
std::vector<unsigned char> emptyInvoiceTexts();
// The checksum of an entry's body, as the register's version has it.
std::uint32_t registerEntryChecksum(int version, const unsigned char* body, std::size_t n);

inline constexpr std::size_t kInvoiceRegisterHeaderSize = 8;
inline constexpr std::size_t kInvoiceTextsHeaderSize = 8;
inline constexpr int kInvoiceRegisterVersion = 2;

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
    int m_version = kInvoiceRegisterVersion;
};

// "Cannot read invoice register : " + path, and its counterpart for writing.
Message invoiceRegisterReadMessage(const std::string& path);
Message invoiceRegisterWriteMessage(const std::string& path);

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

// The texts file that belongs to the register of set: beside the register's target when the
// register is a link to one elsewhere, so the two travel together.
std::string invoiceTextsPath(FileSystem& fs, const FileSet& set);

// The texts of entry at of the texts file at path, read once and no further than they go.
// Fails with invoiceRegisterReadMessage(path) when they are missing, torn, of another file or
// fail their checksum.
Result<std::vector<unsigned char>> readInvoiceTexts(FileSystem& fs, const std::string& path, const IssuedTextsAt& at);
// The texts of reg's entry i, from the texts file of set (or from inside a version-1
// register); failures as readInvoiceTexts says, with the register's path for the latter.
Result<IssuedTexts> readIssuedTexts(FileSystem& fs, const InvoiceRegister& reg, std::size_t i, const FileSet& set);

// Appends texts at the end of the texts file at path (created when missing, synced) and says
// where they went. Nothing is cut that an entry may point at: keep is where the texts the
// register points at end. On failure the file is cut back to where it was.
Result<IssuedTextsAt> appendInvoiceTexts(FileSystem& fs, const FileSet& set, const std::string& path,
                                         std::uint64_t keep, const std::vector<unsigned char>& texts);

// Rewrites the register of version 1 current as version 2 with entry `added` appended: every
// entry's texts moved into a texts file of their own (written whole, crash-safely, first),
// then the register replaced. On failure the register is as it was.
Status rewriteRegisterWithTexts(FileSystem& fs, const FileSet& set, const InvoiceRegister& current,
                                const IssuedInvoice& added, const std::vector<unsigned char>& addedTexts);

// Replaces the register of set by bytes crash-safely (a temporary file of the set, synced and
// renamed over it); the caller holds the set's lock. A link is written at its target when that
// is a register. Bytes of no invoice remove the file and its texts (a link stays). On failure
// the old register is as it was.
// With entry, its bytes follow those of bytes (an invoice added without copying the register).
Status writeInvoiceRegister(FileSystem& fs, const FileSet& set, const std::vector<unsigned char>& bytes,
                            const std::vector<unsigned char>* entry = nullptr);
// The bytes of reg without its entry i.
std::vector<unsigned char> registerWithout(const InvoiceRegister& reg, std::size_t i);
// The bytes of reg with its entry i marked void (its checksum made anew).
std::vector<unsigned char> registerWithVoid(const InvoiceRegister& reg, std::size_t i);

}  // namespace ql
