#include "core/reports/InvoiceRegister.h"

#include "core/reports/InvoiceDetails.h"
#include "core/store/BillingDetails.h"
#include "core/store/Checksum.h"
#include "core/store/FieldCodec.h"
#include "core/store/OutputFile.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace ql {
namespace {

constexpr std::array<unsigned char, 4> kMagic{'Q', 'L', 'I', 'V'};
constexpr std::int32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kSummarySize = 52;
constexpr std::size_t kSignatureSize = 12;

class Writer {
public:
    explicit Writer(std::vector<unsigned char>& out) : m_out(out) {}
    void i32(std::int32_t v) { put(v); }
    void u32(std::uint32_t v) { put(v); }
    void i64(std::int64_t v) { put(v); }
    void f64(double v) { put(std::bit_cast<std::uint64_t>(v)); }
    void text(std::string_view s) {
        u32(static_cast<std::uint32_t>(s.size()));
        m_out.insert(m_out.end(), s.begin(), s.end());
    }

private:
    template <typename T>
    void put(T v) {
        const std::size_t at = m_out.size();
        m_out.resize(at + sizeof v);
        codec::storeLittleEndian(m_out.data() + at, v);
    }
    std::vector<unsigned char>& m_out;
};

// Reads within [p, end); once anything would run past the end, every later read gives zero
// and ok() turns false, so a damaged body is refused rather than read beyond.
class Reader {
public:
    Reader(const unsigned char* p, const unsigned char* end) : m_p(p), m_end(end) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_p == m_end; }
    std::int32_t i32() { return get<std::int32_t>(); }
    std::uint32_t u32() { return get<std::uint32_t>(); }
    std::int64_t i64() { return get<std::int64_t>(); }
    double f64() { return std::bit_cast<double>(get<std::uint64_t>()); }
    std::string text() {
        const std::uint32_t n = u32();
        if (!take(n)) return {};
        return std::string(reinterpret_cast<const char*>(m_p - n), n);
    }
    bool take(std::size_t n) {
        if (!m_ok || static_cast<std::size_t>(m_end - m_p) < n) {
            m_ok = false;
            return false;
        }
        m_p += n;
        return true;
    }

private:
    template <typename T>
    T get() {
        if (!take(sizeof(T))) return T{};
        return codec::loadLittleEndian<T>(m_p - sizeof(T));
    }
    const unsigned char* m_p;
    const unsigned char* m_end;
    bool m_ok = true;
};

std::vector<unsigned char> emptyRegister() {
    std::vector<unsigned char> bytes(kMagic.begin(), kMagic.end());
    Writer(bytes).i32(kVersion);
    return bytes;
}

Status damaged(std::size_t at) {
    return Status::ioError("damaged").withReason("torn or damaged at byte " + std::to_string(at));
}

// The summary of one body; false when it does not decode.
bool decodeSummary(const unsigned char* body, std::size_t size, IssuedInvoice& out) {
    Reader r(body, body + size);
    const std::int32_t state = r.i32();
    const std::int32_t flags = r.i32();
    out.customerId = r.i32();
    out.periodStart = r.i32();
    out.periodEnd = r.i32();
    out.issuedAt = r.i32();
    out.sums.net = r.i64();
    out.sums.tax = r.i64();
    out.sums.total = r.i64();
    const std::uint32_t frames = r.u32();
    if (!r.ok() || (state != 0 && state != 1) || (flags & ~1) != 0) return false;
    if (frames > (size - kSummarySize) / kSignatureSize) return false;
    out.state = static_cast<IssuedState>(state);
    out.rebills = (flags & 1) != 0;
    out.frames.resize(frames);
    for (FrameSignature& f : out.frames) {
        f.projectId = r.i32();
        f.start = r.i32();
        f.end = r.i32();
    }
    out.number = r.text();
    return r.ok();
}

// The content after the number; fills what the invoice showed.
bool decodeContent(Reader& r, const IssuedInvoice& summary, IssuedContent& out) {
    SettingsRecord& s = out.parties.settings;
    for (std::string* t : {&s.companyName, &s.companyAddress, &s.city, &s.zip, &s.state, &s.country, &s.phone,
                           &s.invoiceText, &s.footer, &s.salesTaxLabel, &s.monetarySymbol})
        *t = r.text();
    s.applySalesTax = r.i32();
    s.salesTaxRate = r.f64();
    s.dateFormat = r.i32();
    CustomerRecord& c = out.parties.customer;
    c.id = r.i32();
    for (std::string* t : {&c.name, &c.address, &c.city, &c.zip, &c.state, &c.country}) *t = r.text();
    out.invoice.lines.resize(summary.frames.size());
    for (std::size_t i = 0; i < summary.frames.size() && r.ok(); ++i) {
        InvoiceLine& line = out.invoice.lines[i];
        line.projectId = summary.frames[i].projectId;
        line.start = summary.frames[i].start;
        line.end = summary.frames[i].end;
        line.projectName = r.text();
        line.rate = r.f64();
        IssuedLineText issued;
        issued.cents = r.i64();
        for (std::string* t : {&issued.cells.date, &issued.cells.time, &issued.cells.duration, &issued.cells.rate,
                               &issued.cells.amount})
            *t = r.text();
        issued.cells.project = line.projectName;
        line.issued = std::move(issued);
    }
    for (std::string* t : fieldsOf(out.parties.billing)) *t = r.text();
    for (std::string* t : fieldsOf(out.parties.customerDetails)) *t = r.text();
    const std::uint32_t dateLines = r.u32();
    // A count no body could hold is damage, not a reason to allocate.
    if (!r.ok() || dateLines > 8) return false;
    std::vector<std::string> dates(dateLines);
    for (std::string& t : dates) t = r.text();
    out.invoice.issuedDates = std::move(dates);
    return r.ok() && r.atEnd();
}

std::size_t registerSlotCount(std::size_t frames) {
    std::size_t n = 16;
    while (n < frames * 2) n *= 2;
    return n;
}

std::size_t slotOf(const FrameSignature& f, std::size_t mask) {
    std::uint64_t h = static_cast<std::uint32_t>(f.projectId);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(f.start);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(f.end);
    h *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & mask;
}

}  // namespace

const IssuedInvoice* InvoiceRegister::find(std::string_view number) const {
    for (const IssuedInvoice& invoice : m_invoices)
        if (invoice.number == number) return &invoice;
    return nullptr;
}

Result<InvoiceRegister> InvoiceRegister::decode(std::vector<unsigned char> bytes) {
    InvoiceRegister reg;
    if (bytes.empty()) {
        reg.m_bytes = emptyRegister();
        return reg;
    }
    if (bytes.size() < kHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return Status::ioError("garbage").withReason("not an invoice register");
    if (codec::getInt32(bytes.data(), 4) != kVersion)
        return Status::ioError("version").withReason("an invoice register of another version");
    std::size_t at = kHeaderSize;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) return damaged(at);
        const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(bytes.data() + at);
        if (n < kSummarySize + 4 || bytes.size() - at - 8 < n) return damaged(at);
        const unsigned char* body = bytes.data() + at + 4;
        if (codec::loadLittleEndian<std::uint32_t>(body + n) != crc32(body, n)) return damaged(at);
        IssuedInvoice invoice;
        if (!decodeSummary(body, n, invoice)) return damaged(at);
        reg.m_offsets.push_back(at);
        reg.m_invoices.push_back(std::move(invoice));
        at += std::size_t{n} + 8;
    }
    reg.m_bytes = std::move(bytes);
    return reg;
}

std::string invoiceRegisterReadMessage(const std::string& path) { return "Cannot read invoice register : " + path; }
std::string invoiceRegisterWriteMessage(const std::string& path) { return "Cannot write invoice register : " + path; }

Result<InvoiceRegister> readInvoiceRegister(FileSystem& fs, const FileSet& set) {
    const std::string& path = set.invoiceRegister();
    const std::string message = invoiceRegisterReadMessage(path);
    // A link is followed only to another register (a synced folder, say), never to a file of
    // another kind that would then be read, and later replaced, as one.
    if (const Status linked = checkLinkedRecordFile(fs, path, 1, message); !linked) return linked;
    auto opened = fs.openRead(path);
    if (!opened) {
        if (opened.status().code() == StatusCode::NotFound) return InvoiceRegister::decode({});
        return failedWith(message, opened.status());
    }
    auto size = (*opened)->size();
    if (!size) return failedWith(message, size.status());
    std::vector<unsigned char> bytes(static_cast<std::size_t>(*size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        auto got = (*opened)->read(bytes.data() + filled, bytes.size() - filled);
        if (!got) return failedWith(message, got.status());
        if (*got == 0) break;
        filled += *got;
    }
    bytes.resize(filled);
    // A file that is there but empty was never written by us: it is no register with nothing in it.
    if (bytes.empty()) return Status::ioError(message).withReason("torn or damaged at byte 0");
    auto decoded = InvoiceRegister::decode(std::move(bytes));
    if (!decoded) return Status::ioError(message).withReason(decoded.status().reason());
    return decoded;
}

std::vector<unsigned char> encodeIssuedInvoice(const Invoice& invoice, const InvoiceParties& parties,
                                               std::int32_t issuedAt, bool rebills) {
    const SettingsRecord& s = parties.settings;
    const CustomerRecord& c = parties.customer;
    const InvoiceSums sums = invoiceSums(invoice, s);
    std::vector<unsigned char> entry;
    entry.reserve(512 + invoice.lines.size() * 96);
    Writer w(entry);
    w.u32(0);  // the body's size, known at the end
    w.i32(static_cast<std::int32_t>(IssuedState::Issued));
    w.i32(rebills ? 1 : 0);
    w.i32(invoice.request.customerId);
    w.i32(invoice.request.periodStart);
    w.i32(invoice.request.periodEnd);
    w.i32(issuedAt);
    w.i64(sums.net);
    w.i64(sums.tax);
    w.i64(sums.total);
    w.u32(static_cast<std::uint32_t>(invoice.lines.size()));
    for (const InvoiceLine& line : invoice.lines) {
        w.i32(line.projectId);
        w.i32(line.start);
        w.i32(line.end);
    }
    w.text(invoice.request.invoiceNumber);
    for (const std::string* t : {&s.companyName, &s.companyAddress, &s.city, &s.zip, &s.state, &s.country, &s.phone,
                                 &s.invoiceText, &s.footer, &s.salesTaxLabel, &s.monetarySymbol})
        w.text(*t);
    w.i32(s.applySalesTax);
    w.f64(s.salesTaxRate);
    w.i32(s.dateFormat);
    w.i32(c.id);
    for (const std::string* t : {&c.name, &c.address, &c.city, &c.zip, &c.state, &c.country}) w.text(*t);
    for (const InvoiceLine& line : invoice.lines) {
        const InvoiceLineCells cells = invoiceLineCells(line, s);
        w.text(line.projectName);
        w.f64(line.rate);
        w.i64(line.cents());
        for (const std::string* t : {&cells.date, &cells.time, &cells.duration, &cells.rate, &cells.amount}) w.text(*t);
    }
    for (const std::string* t : fieldsOf(parties.billing)) w.text(*t);
    for (const std::string* t : fieldsOf(parties.customerDetails)) w.text(*t);
    const std::vector<std::string> dates = invoiceDetails(invoice, parties).dates;
    w.u32(static_cast<std::uint32_t>(dates.size()));
    for (const std::string& t : dates) w.text(t);
    const std::size_t bodySize = entry.size() - 4;
    codec::storeLittleEndian(entry.data(), static_cast<std::uint32_t>(bodySize));
    w.u32(crc32(entry.data() + 4, bodySize));
    return entry;
}

Result<IssuedContent> issuedContent(const InvoiceRegister& reg, std::size_t i, const FileSet& set) {
    const IssuedInvoice& summary = reg.invoices()[i];
    const unsigned char* entry = reg.bytes().data() + reg.entryOffset(i);
    const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry);
    Reader r(entry + 4, entry + 4 + n);
    // The summary was decoded and checked when the register was read; skip it.
    r.take(kSummarySize + summary.frames.size() * kSignatureSize);
    (void)r.text();
    IssuedContent content;
    if (!decodeContent(r, summary, content))
        return Status::ioError(invoiceRegisterReadMessage(set.invoiceRegister()))
            .withReason("torn or damaged at byte " + std::to_string(reg.entryOffset(i)));
    InvoiceRequest& request = content.invoice.request;
    request.customerId = summary.customerId;
    request.periodStart = summary.periodStart;
    request.periodEnd = summary.periodEnd;
    request.invoiceNumber = summary.number;
    request.issueDate = summary.issuedAt;
    content.invoice.settingsPath = set.settings();
    content.invoice.asIssued = true;
    return content;
}

Status writeInvoiceRegister(FileSystem& fs, const FileSet& set, const std::vector<unsigned char>& bytes,
                            const std::vector<unsigned char>* entry) {
    const std::string& path = set.invoiceRegister();
    const std::string message = invoiceRegisterWriteMessage(path);
    if (const Status linked = checkLinkedRecordFile(fs, path, 1, message); !linked) return linked;
    if (const auto identity = fs.identify(path); identity && identity->type != FileType::Missing &&
                                                 identity->type != FileType::Regular)
        return Status::ioError(message).withReason("not a regular file");
    const std::string target = fs.resolveLink(path);
    // A register of no invoices is no register: the set is left as a set that never issued one.
    if (bytes.size() <= kHeaderSize && (!entry || entry->empty()) && target == path) {
        if (!fs.exists(path)) return Status::ok();
        if (const Status removed = fs.remove(path); !removed) return failedWith(message, removed);
        return Status::ok();
    }
    return writeThroughTemporary(fs, target, temporaryPathFor(target), message,
                                 [&](File& out) {
                                     Status st = out.write(bytes.data(), bytes.size());
                                     if (st && entry) st = out.write(entry->data(), entry->size());
                                     return st;
                                 },
                                 permissionSourceFor(fs, target, set));
}

std::vector<unsigned char> registerWithout(const InvoiceRegister& reg, std::size_t i) {
    const std::size_t from = reg.entryOffset(i);
    const std::size_t to = i + 1 < reg.invoices().size() ? reg.entryOffset(i + 1) : reg.bytes().size();
    std::vector<unsigned char> bytes(reg.bytes().begin(), reg.bytes().begin() + static_cast<std::ptrdiff_t>(from));
    bytes.insert(bytes.end(), reg.bytes().begin() + static_cast<std::ptrdiff_t>(to), reg.bytes().end());
    return bytes;
}

Status voidInvoice(FileSystem& fs, const FileSet& set, std::string_view number) {
    auto held = lockFileSet(fs, set, invoiceRegisterWriteMessage(set.invoiceRegister()));
    if (!held) return held.status();
    auto reg = readInvoiceRegister(fs, set);
    if (!reg) return reg.status();
    const auto& invoices = reg->invoices();
    for (std::size_t i = 0; i < invoices.size(); ++i) {
        if (invoices[i].number != number) continue;
        if (invoices[i].state == IssuedState::Void)
            return Status::invalidArgument("Invoice " + std::string(number) + " is void already.");
        std::vector<unsigned char> bytes = reg->bytes();
        unsigned char* entry = bytes.data() + reg->entryOffset(i);
        const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry);
        codec::putInt32(entry, 4, static_cast<std::int32_t>(IssuedState::Void));
        codec::storeLittleEndian(entry + 4 + n, crc32(entry + 4, n));
        return writeInvoiceRegister(fs, set, bytes);
    }
    return Status::notFound("No invoice has the number " + std::string(number) + " in the invoice register : " +
                            set.invoiceRegister());
}

BilledFrames::BilledFrames(const InvoiceRegister& reg) : m_register(reg) {
    std::size_t frames = 0;
    for (const IssuedInvoice& invoice : reg.invoices())
        if (invoice.state == IssuedState::Issued) frames += invoice.frames.size();
    m_slots.resize(registerSlotCount(frames));
    const std::size_t mask = m_slots.size() - 1;
    const auto& invoices = reg.invoices();
    for (std::size_t i = 0; i < invoices.size(); ++i) {
        if (invoices[i].state != IssuedState::Issued) continue;
        for (const FrameSignature& f : invoices[i].frames) {
            std::size_t s = slotOf(f, mask);
            while (m_slots[s].invoice != 0 && m_slots[s].frame != f) s = (s + 1) & mask;
            // Invoices are in the order issued: a later one that bills the frame again wins.
            m_slots[s] = {f, static_cast<std::uint32_t>(i + 1)};
        }
    }
}

const std::string* BilledFrames::invoiceOf(const FrameSignature& frame) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t s = slotOf(frame, mask);; s = (s + 1) & mask) {
        const Slot& slot = m_slots[s];
        if (slot.invoice == 0) return nullptr;
        if (slot.frame == frame) return &m_register.invoices()[slot.invoice - 1].number;
    }
}

BilledOverlap billedOverlap(const Invoice& invoice, const InvoiceRegister& reg) {
    // The invoice has far fewer lines than the register has frames: each frame of the
    // register is looked up among the sorted lines.
    std::vector<FrameSignature> lines;
    for (const InvoiceLine& line : invoice.lines) lines.push_back({line.projectId, line.start, line.end});
    std::sort(lines.begin(), lines.end());
    std::vector<bool> billed(lines.size(), false);
    if (lines.empty()) return {};
    // Most of the register's frames start outside the invoice's lines: one comparison each.
    const auto [earliest, latest] = std::minmax_element(
        lines.begin(), lines.end(), [](const FrameSignature& a, const FrameSignature& b) { return a.start < b.start; });
    const std::int32_t first = earliest->start, last = latest->start;
    BilledOverlap overlap;
    for (const IssuedInvoice& issued : reg.invoices()) {
        if (issued.state != IssuedState::Issued) continue;
        bool named = false;
        for (const FrameSignature& f : issued.frames) {
            if (f.start < first || f.start > last) continue;
            const auto it = std::lower_bound(lines.begin(), lines.end(), f);
            if (it == lines.end() || *it != f) continue;
            // Every copy of the frame among the lines is billed.
            for (auto same = it; same != lines.end() && *same == f; ++same)
                billed[static_cast<std::size_t>(same - lines.begin())] = true;
            if (!named) {
                named = true;
                if (std::find(overlap.numbers.begin(), overlap.numbers.end(), issued.number) == overlap.numbers.end())
                    overlap.numbers.push_back(issued.number);
            }
        }
    }
    overlap.frames = static_cast<std::size_t>(std::count(billed.begin(), billed.end(), true));
    return overlap;
}

void leaveOutBilled(Invoice& invoice, const InvoiceRegister& reg) {
    const BilledFrames billed(reg);
    std::erase_if(invoice.lines, [&](const InvoiceLine& line) {
        return billed.invoiceOf({line.projectId, line.start, line.end}) != nullptr;
    });
}

}  // namespace ql
