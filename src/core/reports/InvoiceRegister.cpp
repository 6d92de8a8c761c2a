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
#include <utility>

namespace ql {
namespace {

constexpr std::array<unsigned char, 4> kMagic{'Q', 'L', 'I', 'V'};
constexpr std::int32_t kVersion = 2;
constexpr std::int32_t kTextsInsideVersion = 1;
constexpr std::array<unsigned char, 4> kTextsMagic{'Q', 'L', 'I', 'T'};
constexpr std::int32_t kTextsVersion = 1;
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
    const unsigned char* position() const { return m_p; }
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

// The second layout checks with the processor's CRC-32C: the register is read whole whenever
// billed time is shown, and the first layout's CRC-32 cost more than reading it.
std::uint32_t entryChecksum(int version, const unsigned char* body, std::size_t n) {
    return version == kTextsInsideVersion ? crc32(body, n) : crc32c(body, n);
}

std::vector<unsigned char> emptyRegister() {
    std::vector<unsigned char> bytes(kMagic.begin(), kMagic.end());
    Writer(bytes).i32(kVersion);
    return bytes;
}

Status damaged(std::size_t at) {
    return Status::ioError("damaged").withReason("torn or damaged at byte " + std::to_string(at));
}

// The summary of one body; false when it does not decode. A version-1 body holds its texts:
// texts says where they are in body, and the name and symbol listed are read from them.
bool decodeSummary(const unsigned char* body, std::size_t size, int version, IssuedInvoice& out,
                   IssuedTextsAt& texts) {
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
    if (version == kTextsInsideVersion) {
        texts.inRegister = true;
        texts.offset = static_cast<std::uint64_t>(r.position() - body);
        texts.size = static_cast<std::uint32_t>(size - texts.offset);
        // The company's texts end with the symbol; the customer's name follows its id.
        for (int t = 0; t < 11; ++t) out.monetarySymbol = r.text();
        r.take(4 + 8 + 4 + 4);
        out.customerName = r.text();
        return r.ok();
    }
    out.customerName = r.text();
    out.monetarySymbol = r.text();
    texts.offset = static_cast<std::uint64_t>(r.i64());
    texts.size = r.u32();
    texts.crc = r.u32();
    return r.ok() && r.atEnd();
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
    setIssuedDateLines(out.invoice, std::move(dates), s.monthFirst());
    return r.ok() && r.atEnd();
}

// At most three quarters full: probes stay short, and the table (which every first look at a
// changed register builds anew) stays half the size a half-full one would be.
std::size_t registerSlotCount(std::size_t frames) {
    std::size_t n = 16;
    while (n - n / 4 < frames) n *= 2;
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

std::uint64_t InvoiceRegister::textsEnd() const {
    std::uint64_t end = 0;
    for (const IssuedTextsAt& t : m_texts)
        if (!t.inRegister) end = std::max(end, t.offset + t.size);
    return end;
}

Result<InvoiceRegister> InvoiceRegister::decode(std::vector<unsigned char> bytes) {
    InvoiceRegister reg;
    if (bytes.empty()) {
        reg.m_bytes = emptyRegister();
        return reg;
    }
    if (bytes.size() < kHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return Status::ioError("garbage").withReason("not an invoice register");
    reg.m_version = codec::getInt32(bytes.data(), 4);
    if (reg.m_version != kVersion && reg.m_version != kTextsInsideVersion)
        return Status::ioError("version").withReason("an invoice register of another version");
    reg.m_bytes = std::move(bytes);
    if (const Status decoded = reg.decodeEntriesFrom(kHeaderSize, nullptr); !decoded) return decoded;
    return reg;
}

Status InvoiceRegister::decodeEntriesFrom(std::size_t at, InvoiceRegister* earlier) {
    const std::vector<unsigned char>& bytes = m_bytes;
    // Counted first so that thousands of entries are placed once, never moved as the lists grow.
    std::size_t entries = m_invoices.size();
    for (std::size_t next = at; next < bytes.size() && bytes.size() - next >= 8; ++entries)
        next += std::size_t{codec::loadLittleEndian<std::uint32_t>(bytes.data() + next)} + 8;
    m_invoices.reserve(entries);
    m_offsets.reserve(entries);
    m_texts.reserve(entries);
    std::size_t kept = 0;  // the entry of earlier at or after at
    // Entries of earlier to take over, as (index here, index there): moved only once every
    // entry has decoded, so that a failure leaves earlier whole.
    std::vector<std::pair<std::size_t, std::size_t>> taken;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) return damaged(at);
        const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(bytes.data() + at);
        if (n < kSummarySize + 4 || bytes.size() - at - 8 < n) return damaged(at);
        const unsigned char* body = bytes.data() + at + 4;
        // An entry the same, in the same place, as one of earlier is taken as earlier read it.
        while (earlier && kept < earlier->m_offsets.size() && earlier->m_offsets[kept] < at) ++kept;
        if (earlier && kept < earlier->m_offsets.size() && earlier->m_offsets[kept] == at &&
            earlier->m_bytes.size() - at >= std::size_t{n} + 8 &&
            std::memcmp(earlier->m_bytes.data() + at, bytes.data() + at, std::size_t{n} + 8) == 0) {
            taken.emplace_back(m_invoices.size(), kept);
            m_offsets.push_back(at);
            m_invoices.emplace_back();
            m_texts.push_back(earlier->m_texts[kept]);
            at += std::size_t{n} + 8;
            continue;
        }
        if (codec::loadLittleEndian<std::uint32_t>(body + n) != entryChecksum(m_version, body, n)) return damaged(at);
        IssuedInvoice invoice;
        IssuedTextsAt texts;
        if (!decodeSummary(body, n, m_version, invoice, texts)) return damaged(at);
        if (texts.inRegister) texts.offset += at + 4;
        else if (texts.offset < kHeaderSize) return damaged(at);
        m_offsets.push_back(at);
        m_invoices.push_back(std::move(invoice));
        m_texts.push_back(texts);
        at += std::size_t{n} + 8;
    }
    for (const auto& [here, there] : taken) m_invoices[here] = std::move(earlier->m_invoices[there]);
    return Status::ok();
}

Result<bool> InvoiceRegister::takeRead(std::vector<unsigned char> bytes) {
    const bool grown = m_bytes.size() >= kHeaderSize && bytes.size() >= m_bytes.size() &&
                       std::equal(m_bytes.begin(), m_bytes.end(), bytes.begin());
    if (!grown) {
        const bool sameHeader = m_bytes.size() >= kHeaderSize && bytes.size() >= kHeaderSize &&
                                std::equal(m_bytes.begin(), m_bytes.begin() + kHeaderSize, bytes.begin());
        if (!sameHeader) {
            auto whole = decode(std::move(bytes));
            if (!whole) return whole.status();
            *this = std::move(whole).value();
            return false;
        }
        // A void or another rewrite: what is unchanged in place is taken over, the rest decoded.
        InvoiceRegister next;
        next.m_version = m_version;
        next.m_bytes = std::move(bytes);
        if (const Status decoded = next.decodeEntriesFrom(kHeaderSize, this); !decoded) return decoded;
        *this = std::move(next);
        return false;
    }
    const std::size_t before = m_invoices.size();
    const std::size_t from = m_bytes.size();
    m_bytes.swap(bytes);
    if (const Status decoded = decodeEntriesFrom(from, nullptr); !decoded) {
        // As it was: the earlier bytes back, the entries decoded from the new ones dropped.
        m_bytes.swap(bytes);
        m_invoices.resize(before);
        m_offsets.resize(before);
        m_texts.resize(before);
        return decoded;
    }
    return true;
}

std::string invoiceRegisterReadMessage(const std::string& path) { return "Cannot read invoice register : " + path; }
std::string invoiceRegisterWriteMessage(const std::string& path) { return "Cannot write invoice register : " + path; }

namespace {

// The bytes of the register of set as readInvoiceRegister takes them: none when there is no
// file; a failure with message when one is there and cannot be read or is empty.
Result<std::vector<unsigned char>> readRegisterBytes(FileSystem& fs, const FileSet& set, const std::string& message) {
    const std::string& path = set.invoiceRegister();
    // A link is followed only to another register (a synced folder, say), never to a file of
    // another kind that would then be read, and later replaced, as one.
    if (const Status linked = checkLinkedRecordFile(fs, path, 1, message); !linked) return linked;
    auto opened = fs.openRead(path);
    if (!opened) {
        if (opened.status().code() == StatusCode::NotFound) return std::vector<unsigned char>{};
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
    return bytes;
}

}  // namespace

Result<InvoiceRegister> readInvoiceRegister(FileSystem& fs, const FileSet& set) {
    const std::string message = invoiceRegisterReadMessage(set.invoiceRegister());
    auto bytes = readRegisterBytes(fs, set, message);
    if (!bytes) return bytes.status();
    auto decoded = InvoiceRegister::decode(std::move(bytes).value());
    if (!decoded) return Status::ioError(message).withReason(decoded.status().reason());
    return decoded;
}

Result<std::size_t> rereadInvoiceRegister(FileSystem& fs, const FileSet& set, InvoiceRegister& reg) {
    const std::string message = invoiceRegisterReadMessage(set.invoiceRegister());
    auto bytes = readRegisterBytes(fs, set, message);
    if (!bytes) return bytes.status();
    const std::size_t before = reg.invoices().size();
    auto grown = reg.takeRead(std::move(bytes).value());
    if (!grown) return Status::ioError(message).withReason(grown.status().reason());
    return *grown ? before : std::size_t{0};
}

namespace {

// The entry of summary, its texts at `texts` of the texts file.
std::vector<unsigned char> encodeEntry(const IssuedInvoice& summary, const IssuedTextsAt& texts) {
    std::vector<unsigned char> entry;
    entry.reserve(kSummarySize + 64 + summary.frames.size() * kSignatureSize);
    Writer w(entry);
    w.u32(0);  // the body's size, known at the end
    w.i32(static_cast<std::int32_t>(summary.state));
    w.i32(summary.rebills ? 1 : 0);
    w.i32(summary.customerId);
    w.i32(summary.periodStart);
    w.i32(summary.periodEnd);
    w.i32(summary.issuedAt);
    w.i64(summary.sums.net);
    w.i64(summary.sums.tax);
    w.i64(summary.sums.total);
    w.u32(static_cast<std::uint32_t>(summary.frames.size()));
    for (const FrameSignature& f : summary.frames) {
        w.i32(f.projectId);
        w.i32(f.start);
        w.i32(f.end);
    }
    w.text(summary.number);
    w.text(summary.customerName);
    w.text(summary.monetarySymbol);
    w.i64(static_cast<std::int64_t>(texts.offset));
    w.u32(texts.size);
    w.u32(texts.crc);
    const std::size_t bodySize = entry.size() - 4;
    codec::storeLittleEndian(entry.data(), static_cast<std::uint32_t>(bodySize));
    w.u32(crc32c(entry.data() + 4, bodySize));
    return entry;
}

std::vector<unsigned char> encodeTexts(const Invoice& invoice, const InvoiceParties& parties) {
    const SettingsRecord& s = parties.settings;
    const CustomerRecord& c = parties.customer;
    std::vector<unsigned char> texts;
    texts.reserve(512 + invoice.lines.size() * 96);
    Writer w(texts);
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
    return texts;
}

IssuedInvoice summaryOf(const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt, bool rebills) {
    IssuedInvoice summary;
    summary.number = invoice.request.invoiceNumber;
    summary.customerId = invoice.request.customerId;
    summary.customerName = parties.customer.name;
    summary.monetarySymbol = parties.settings.monetarySymbol;
    summary.periodStart = invoice.request.periodStart;
    summary.periodEnd = invoice.request.periodEnd;
    summary.issuedAt = issuedAt;
    summary.sums = invoiceSums(invoice, parties.settings);
    summary.rebills = rebills;
    summary.frames.reserve(invoice.lines.size());
    for (const InvoiceLine& line : invoice.lines) summary.frames.push_back({line.projectId, line.start, line.end});
    return summary;
}

Status textsDamaged(const std::string& path, std::uint64_t at) {
    return Status::ioError(invoiceRegisterReadMessage(path)).withReason("torn or damaged at byte " + std::to_string(at));
}

// The texts of reg's entry i, from the texts file at path: read no further than they go.
Result<std::vector<unsigned char>> readTexts(FileSystem& fs, const std::string& path, const IssuedTextsAt& at) {
    const std::string message = invoiceRegisterReadMessage(path);
    if (const Status linked = checkLinkedRecordFile(fs, path, 1, message); !linked) return linked;
    auto opened = fs.openRead(path);
    if (!opened) return failedWith(message, opened.status());
    File& file = **opened;
    auto size = file.size();
    if (!size) return failedWith(message, size.status());
    if (*size < at.offset || *size - at.offset < at.size) return textsDamaged(path, *size);
    std::vector<unsigned char> header(kHeaderSize);
    std::vector<unsigned char> bytes(at.size);
    Status st = Status::ok();
    for (auto* part : {&header, &bytes}) {
        std::size_t filled = 0;
        while (st && filled < part->size()) {
            auto got = file.read(part->data() + filled, part->size() - filled);
            if (!got) st = got.status();
            else if (*got == 0) break;
            else filled += *got;
        }
        if (!st) return failedWith(message, st);
        if (filled < part->size()) return textsDamaged(path, at.offset);
        if (part == &header) {
            if (!std::equal(kTextsMagic.begin(), kTextsMagic.end(), header.begin()) ||
                codec::getInt32(header.data(), 4) != kTextsVersion)
                return Status::ioError(message).withReason("not the texts of an invoice register");
            if (const Status skipped = file.skip(at.offset - kHeaderSize); !skipped) return failedWith(message, skipped);
        }
    }
    if (crc32c(bytes.data(), bytes.size()) != at.crc) return textsDamaged(path, at.offset);
    return bytes;
}

// Whether the file at path starts with the texts file's header.
bool startsAsTexts(FileSystem& fs, const std::string& path) {
    auto opened = fs.openRead(path);
    if (!opened) return false;
    unsigned char header[kHeaderSize];
    std::size_t filled = 0;
    while (filled < kHeaderSize) {
        auto got = (*opened)->read(header + filled, kHeaderSize - filled);
        if (!got || *got == 0) return false;
        filled += *got;
    }
    return std::equal(kTextsMagic.begin(), kTextsMagic.end(), header) && codec::getInt32(header, 4) == kTextsVersion;
}

// Appends texts at the end of the texts file at path and says where they went. Nothing is cut
// that an entry may point at, in this register or in a copy of it (a synced folder, a backup):
// bytes no entry points at after a failed issue cost only their room. keep is where the texts
// the register points at end.
Result<IssuedTextsAt> appendTexts(FileSystem& fs, const FileSet& set, const std::string& path, std::uint64_t keep,
                                  const std::vector<unsigned char>& texts) {
    const std::string message = invoiceRegisterWriteMessage(path);
    if (const Status linked = checkLinkedRecordFile(fs, path, 1, message); !linked) return linked;
    if (const auto identity = fs.identify(path); !identity) {
        return failedWith(message, identity.status());
    } else if (identity->type == FileType::Missing) {
        if (keep > 0) return textsDamaged(path, 0);
        if (const Status created = fs.createEmpty(path, permissionSourceFor(fs, set.invoiceRegister(), set)); !created)
            return failedWith(message, created);
    } else if (identity->type != FileType::Regular) {
        return Status::ioError(message).withReason("not a regular file");
    }
    const bool ours = startsAsTexts(fs, path);
    // Texts the register points into are never written after a file of another kind.
    if (keep > 0 && !ours) return Status::ioError(message).withReason("not the texts of an invoice register");
    auto opened = fs.openAppend(path);
    if (!opened) return failedWith(message, opened.status());
    File& file = **opened;
    auto size = file.size();
    if (!size) return failedWith(message, size.status());
    if (*size < keep) return textsDamaged(path, *size);
    std::uint64_t from = *size;
    std::vector<unsigned char> header;
    if (!ours) {
        // Nothing points into it: it starts afresh with its header.
        if (*size > 0 && fs.resolveLink(path) != path)
            return Status::ioError(message).withReason(path + " is a link to a file that holds no invoice texts");
        if (Status st = file.truncate(0); !st) return failedWith(message, st);
        from = 0;
        header = emptyInvoiceTexts();
    }
    IssuedTextsAt at;
    at.offset = from + header.size();
    at.size = static_cast<std::uint32_t>(texts.size());
    at.crc = crc32c(texts.data(), texts.size());
    Status st = file.write(header.data(), header.size());
    if (st) st = file.write(texts.data(), texts.size());
    if (st) st = file.sync();
    if (!st) {
        (void)file.truncate(from);
        (void)file.sync();
        return failedWith(message, st);
    }
    return at;
}

}  // namespace

std::vector<unsigned char> emptyInvoiceTexts() {
    std::vector<unsigned char> bytes(kTextsMagic.begin(), kTextsMagic.end());
    Writer(bytes).i32(kTextsVersion);
    return bytes;
}

EncodedInvoice encodeIssuedInvoice(const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                                   bool rebills, std::uint64_t textsOffset) {
    EncodedInvoice encoded;
    encoded.texts = encodeTexts(invoice, parties);
    IssuedTextsAt at;
    at.offset = textsOffset;
    at.size = static_cast<std::uint32_t>(encoded.texts.size());
    at.crc = crc32c(encoded.texts.data(), encoded.texts.size());
    encoded.entry = encodeEntry(summaryOf(invoice, parties, issuedAt, rebills), at);
    return encoded;
}

std::string invoiceTextsPath(FileSystem& fs, const FileSet& set) {
    const std::string target = fs.resolveLink(set.invoiceRegister());
    if (target == set.invoiceRegister()) return set.invoiceTexts();
    return fileSetPath(target, FileKind::InvoiceTexts);
}

Result<IssuedContent> issuedContent(FileSystem& fs, const InvoiceRegister& reg, std::size_t i, const FileSet& set) {
    const IssuedInvoice& summary = reg.invoices()[i];
    const IssuedTextsAt& at = reg.textsAt(i);
    std::vector<unsigned char> read;
    const unsigned char* texts = nullptr;
    std::string path = set.invoiceRegister();
    if (at.inRegister) {
        texts = reg.bytes().data() + at.offset;
    } else {
        path = invoiceTextsPath(fs, set);
        auto bytes = readTexts(fs, path, at);
        if (!bytes) return bytes.status();
        read = std::move(bytes).value();
        texts = read.data();
    }
    Reader r(texts, texts + at.size);
    IssuedContent content;
    if (!decodeContent(r, summary, content))
        return textsDamaged(path, at.inRegister ? reg.entryOffset(i) : at.offset);
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

Status recordIssuedInvoice(FileSystem& fs, const FileSet& set, const InvoiceRegister& current,
                           const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                           bool rebills) {
    const std::string textsPath = invoiceTextsPath(fs, set);
    const std::vector<unsigned char> texts = encodeTexts(invoice, parties);
    const IssuedInvoice summary = summaryOf(invoice, parties, issuedAt, rebills);
    if (current.version() == kVersion) {
        auto at = appendTexts(fs, set, textsPath, current.textsEnd(), texts);
        if (!at) return at.status();
        const std::vector<unsigned char> entry = encodeEntry(summary, *at);
        return writeInvoiceRegister(fs, set, current.bytes(), &entry);
    }
    // A register that holds its texts moves them into a texts file of their own, written whole
    // before the register that points into it replaces the old one.
    std::vector<unsigned char> allTexts = emptyInvoiceTexts();
    std::vector<unsigned char> bytes = emptyRegister();
    const auto add = [&](const IssuedInvoice& issued, const unsigned char* p, std::size_t n) {
        IssuedTextsAt at;
        at.offset = allTexts.size();
        at.size = static_cast<std::uint32_t>(n);
        at.crc = crc32c(p, n);
        allTexts.insert(allTexts.end(), p, p + n);
        const std::vector<unsigned char> entry = encodeEntry(issued, at);
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    };
    for (std::size_t i = 0; i < current.invoices().size(); ++i)
        add(current.invoices()[i], current.bytes().data() + current.textsAt(i).offset, current.textsAt(i).size);
    add(summary, texts.data(), texts.size());
    const std::string message = invoiceRegisterWriteMessage(textsPath);
    if (const Status linked = checkLinkedRecordFile(fs, textsPath, 1, message); !linked) return linked;
    if (const Status written =
            writeThroughTemporary(fs, fs.resolveLink(textsPath), temporaryPathFor(fs.resolveLink(textsPath)), message,
                                  [&](File& out) { return out.write(allTexts.data(), allTexts.size()); },
                                  permissionSourceFor(fs, set.invoiceRegister(), set));
        !written)
        return written;
    return writeInvoiceRegister(fs, set, bytes);
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
        if (fs.exists(path)) {
            if (const Status removed = fs.remove(path); !removed) return failedWith(message, removed);
        }
        // Texts no entry points at are nothing to keep; left behind they would do no harm.
        if (fs.exists(set.invoiceTexts()) && fs.resolveLink(set.invoiceTexts()) == set.invoiceTexts())
            (void)fs.remove(set.invoiceTexts());
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
        codec::storeLittleEndian(entry + 4 + n, entryChecksum(reg->version(), entry + 4, n));
        return writeInvoiceRegister(fs, set, bytes);
    }
    return Status::notFound("No invoice has the number " + std::string(number) + " in the invoice register : " +
                            set.invoiceRegister());
}

namespace {

std::size_t issuedFrameCount(const std::vector<IssuedInvoice>& invoices, std::size_t first) {
    std::size_t frames = 0;
    for (std::size_t i = first; i < invoices.size(); ++i)
        if (invoices[i].state == IssuedState::Issued) frames += invoices[i].frames.size();
    return frames;
}

}  // namespace

BilledFrames::BilledFrames(const InvoiceRegister& reg) : m_register(reg) {
    m_frames = issuedFrameCount(reg.invoices(), 0);
    m_slots.resize(registerSlotCount(m_frames));
    placeFrom(0);
}

void BilledFrames::rebuild() {
    m_frames = issuedFrameCount(m_register.invoices(), 0);
    m_slots.assign(registerSlotCount(m_frames), Slot{});
    placeFrom(0);
}

void BilledFrames::add(std::size_t firstNew) {
    m_frames += issuedFrameCount(m_register.invoices(), firstNew);
    if (registerSlotCount(m_frames) == m_slots.size()) return placeFrom(firstNew);
    // Too full: laid out anew, as large as the register now needs.
    m_slots.assign(registerSlotCount(m_frames), Slot{});
    placeFrom(0);
}

void BilledFrames::placeFrom(std::size_t first) {
    const std::size_t mask = m_slots.size() - 1;
    // The table outgrows the caches: each placing waits for memory unless the slot was asked
    // for a few frames earlier, so the frames pass through a short queue of fetched slots.
    struct Pending {
        const FrameSignature* frame;
        std::uint32_t invoice;
        std::size_t slot;
    };
    constexpr std::size_t kAhead = 16;
    std::array<Pending, kAhead> queue{};
    std::size_t queued = 0;
    const auto place = [&](const Pending& p) {
        std::size_t s = p.slot;
        while (m_slots[s].invoice != 0 && m_slots[s].frame != *p.frame) s = (s + 1) & mask;
        // Placed in the order issued: a later invoice that bills the frame again wins.
        m_slots[s] = {*p.frame, p.invoice};
    };
    const auto& invoices = m_register.invoices();
    for (std::size_t i = first; i < invoices.size(); ++i) {
        if (invoices[i].state != IssuedState::Issued) continue;
        for (const FrameSignature& f : invoices[i].frames) {
            const Pending next{&f, static_cast<std::uint32_t>(i + 1), slotOf(f, mask)};
            __builtin_prefetch(&m_slots[next.slot], 1);
            if (queued >= kAhead) place(queue[queued % kAhead]);
            queue[queued % kAhead] = next;
            ++queued;
        }
    }
    for (std::size_t k = queued > kAhead ? queued - kAhead : 0; k < queued; ++k) place(queue[k % kAhead]);
}

const std::string* BilledFrames::invoiceOf(const FrameSignature& frame) const {
    const std::ptrdiff_t i = indexOf(frame);
    return i < 0 ? nullptr : &m_register.invoices()[static_cast<std::size_t>(i)].number;
}

std::ptrdiff_t BilledFrames::indexOf(const FrameSignature& frame) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t s = slotOf(frame, mask);; s = (s + 1) & mask) {
        const Slot& slot = m_slots[s];
        if (slot.invoice == 0) return -1;
        if (slot.frame == frame) return static_cast<std::ptrdiff_t>(slot.invoice) - 1;
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
