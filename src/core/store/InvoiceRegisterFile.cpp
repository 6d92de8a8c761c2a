#include "core/store/InvoiceRegisterFile.h"

#include "core/store/ByteStream.h"
#include "core/store/Checksum.h"
#include "core/store/FieldCodec.h"
#include "core/store/OutputFile.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace ql {
namespace {

constexpr std::array<unsigned char, 4> kMagic{'Q', 'L', 'I', 'V'};
constexpr std::int32_t kVersion = kInvoiceRegisterVersion;
constexpr std::int32_t kTextsInsideVersion = 1;
constexpr std::array<unsigned char, 4> kTextsMagic{'Q', 'L', 'I', 'T'};
constexpr std::int32_t kTextsVersion = 1;
constexpr std::size_t kHeaderSize = kInvoiceRegisterHeaderSize;
constexpr std::size_t kSummarySize = 52;
constexpr std::size_t kSignatureSize = 12;
// More date lines than any invoice prints is damage, not a reason to allocate.
constexpr std::uint32_t kMaxDateLines = 8;

Status damaged(std::size_t at) {
    return Status::ioError("damaged").withReason("torn or damaged at byte " + std::to_string(at));
}

Status textsDamaged(const std::string& path, std::uint64_t at) {
    return Status::ioError(invoiceRegisterReadMessage(path)).withReason("torn or damaged at byte " + std::to_string(at));
}

std::array<std::string*, 11> companyTexts(SettingsRecord& s) {
    return {&s.companyName, &s.companyAddress, &s.city,   &s.zip,           &s.state,         &s.country,
            &s.phone,       &s.invoiceText,    &s.footer, &s.salesTaxLabel, &s.monetarySymbol};
}
std::array<const std::string*, 11> companyTexts(const SettingsRecord& s) {
    return {&s.companyName, &s.companyAddress, &s.city,   &s.zip,           &s.state,         &s.country,
            &s.phone,       &s.invoiceText,    &s.footer, &s.salesTaxLabel, &s.monetarySymbol};
}
std::array<std::string*, 6> customerTexts(CustomerRecord& c) {
    return {&c.name, &c.address, &c.city, &c.zip, &c.state, &c.country};
}
std::array<const std::string*, 6> customerTexts(const CustomerRecord& c) {
    return {&c.name, &c.address, &c.city, &c.zip, &c.state, &c.country};
}

// The summary of one body; false when it does not decode. A version-1 body holds its texts:
// texts says where they are in body, and the name and symbol listed are read from them.
bool decodeSummary(const unsigned char* body, std::size_t size, int version, IssuedInvoice& out,
                   IssuedTextsAt& texts) {
    ByteReader r(body, size);
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
    out.number = r.text32();
    if (version == kTextsInsideVersion) {
        texts.inRegister = true;
        texts.offset = r.position();
        texts.size = static_cast<std::uint32_t>(size - texts.offset);
        // The company's texts end with the symbol; the customer's name follows its id.
        for (std::size_t t = 0; t < companyTexts(SettingsRecord{}).size(); ++t) out.monetarySymbol = r.text32();
        r.skip(4 + 8 + 4 + 4);
        out.customerName = r.text32();
        return r.ok();
    }
    out.customerName = r.text32();
    out.monetarySymbol = r.text32();
    texts.offset = static_cast<std::uint64_t>(r.i64());
    texts.size = r.u32();
    texts.crc = r.u32();
    return r.ok() && r.atEnd();
}

}  // namespace

std::vector<unsigned char> encodeIssuedTexts(const IssuedTexts& texts) {
    ByteWriter w;
    w.reserve(512 + texts.lines.size() * 96);
    const SettingsRecord& s = texts.settings;
    for (const std::string* t : companyTexts(s)) w.text32(*t);
    w.i32(s.applySalesTax);
    w.f64(s.salesTaxRate);
    w.i32(s.dateFormat);
    w.i32(texts.customer.id);
    for (const std::string* t : customerTexts(texts.customer)) w.text32(*t);
    for (const IssuedLineTexts& line : texts.lines) {
        w.text32(line.projectName);
        w.f64(line.rate);
        w.i64(line.cents);
        for (const std::string* t : {&line.date, &line.time, &line.duration, &line.rateText, &line.amount}) w.text32(*t);
    }
    for (const std::string* t : fieldsOf(texts.billing)) w.text32(*t);
    for (const std::string* t : fieldsOf(texts.customerDetails)) w.text32(*t);
    w.u32(static_cast<std::uint32_t>(texts.dates.size()));
    for (const std::string& t : texts.dates) w.text32(t);
    return w.take();
}

bool decodeIssuedTexts(const unsigned char* bytes, std::size_t size, std::size_t lineCount, IssuedTexts& out) {
    ByteReader r(bytes, size);
    SettingsRecord& s = out.settings;
    for (std::string* t : companyTexts(s)) *t = r.text32();
    s.applySalesTax = r.i32();
    s.salesTaxRate = r.f64();
    s.dateFormat = r.i32();
    out.customer.id = r.i32();
    for (std::string* t : customerTexts(out.customer)) *t = r.text32();
    // Each line takes at least its fixed part: a count beyond what is left is damage.
    if (!r.ok() || lineCount > r.remaining() / (6 * 4 + 8 + 8)) return false;
    out.lines.resize(lineCount);
    for (IssuedLineTexts& line : out.lines) {
        line.projectName = r.text32();
        line.rate = r.f64();
        line.cents = r.i64();
        for (std::string* t : {&line.date, &line.time, &line.duration, &line.rateText, &line.amount}) *t = r.text32();
        if (!r.ok()) return false;
    }
    for (std::string* t : fieldsOf(out.billing)) *t = r.text32();
    for (std::string* t : fieldsOf(out.customerDetails)) *t = r.text32();
    const std::uint32_t dateLines = r.u32();
    if (!r.ok() || dateLines > kMaxDateLines) return false;
    out.dates.assign(dateLines, std::string());
    for (std::string& t : out.dates) t = r.text32();
    return r.ok() && r.atEnd();
}

std::vector<unsigned char> encodeRegisterEntry(const IssuedInvoice& summary, const IssuedTextsAt& texts) {
    ByteWriter w;
    w.reserve(kSummarySize + 64 + summary.frames.size() * kSignatureSize);
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
    w.text32(summary.number);
    w.text32(summary.customerName);
    w.text32(summary.monetarySymbol);
    w.i64(static_cast<std::int64_t>(texts.offset));
    w.u32(texts.size);
    w.u32(texts.crc);
    const std::size_t bodySize = w.position() - 4;
    w.u32At(0, static_cast<std::uint32_t>(bodySize));
    w.u32(crc32c(w.data().data() + 4, bodySize));
    return w.take();
}

std::vector<unsigned char> emptyInvoiceRegister() {
    ByteWriter w(std::vector<unsigned char>(kMagic.begin(), kMagic.end()));
    w.i32(kVersion);
    return w.take();
}

std::vector<unsigned char> emptyInvoiceTexts() {
    ByteWriter w(std::vector<unsigned char>(kTextsMagic.begin(), kTextsMagic.end()));
    w.i32(kTextsVersion);
    return w.take();
}

// The second layout checks with the processor's CRC-32C: the register is read whole whenever
// billed time is shown, and the first layout's CRC-32 cost more than reading it.
std::uint32_t registerEntryChecksum(int version, const unsigned char* body, std::size_t n) {
    return version == kTextsInsideVersion ? crc32(body, n) : crc32c(body, n);
}

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
        reg.m_bytes = emptyInvoiceRegister();
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
        if (codec::loadLittleEndian<std::uint32_t>(body + n) != registerEntryChecksum(m_version, body, n)) return damaged(at);
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

Message invoiceRegisterReadMessage(const std::string& path) { return Message(MessageId::CannotReadInvoiceRegister, {path}); }
Message invoiceRegisterWriteMessage(const std::string& path) { return Message(MessageId::CannotWriteInvoiceRegister, {path}); }

namespace {

// The bytes of the register of set as readInvoiceRegister takes them: none when there is no
// file; a failure with message when one is there and cannot be read or is empty.
Result<std::vector<unsigned char>> readRegisterBytes(FileSystem& fs, const FileSet& set, const Message& message) {
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
    const Message message = invoiceRegisterReadMessage(set.invoiceRegister());
    auto bytes = readRegisterBytes(fs, set, message);
    if (!bytes) return bytes.status();
    auto decoded = InvoiceRegister::decode(std::move(bytes).value());
    if (!decoded) return Status::ioError(message).withReason(decoded.status().reason());
    return decoded;
}

Result<std::size_t> rereadInvoiceRegister(FileSystem& fs, const FileSet& set, InvoiceRegister& reg) {
    const Message message = invoiceRegisterReadMessage(set.invoiceRegister());
    auto bytes = readRegisterBytes(fs, set, message);
    if (!bytes) return bytes.status();
    const std::size_t before = reg.invoices().size();
    auto grown = reg.takeRead(std::move(bytes).value());
    if (!grown) return Status::ioError(message).withReason(grown.status().reason());
    return *grown ? before : std::size_t{0};
}

namespace {

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

}  // namespace

Result<std::vector<unsigned char>> readInvoiceTexts(FileSystem& fs, const std::string& path, const IssuedTextsAt& at) {
    const Message message = invoiceRegisterReadMessage(path);
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

// Nothing is cut that an entry may point at, in this register or in a copy of it (a synced
// folder, a backup): bytes no entry points at after a failed issue cost only their room.
Result<IssuedTextsAt> appendInvoiceTexts(FileSystem& fs, const FileSet& set, const std::string& path,
                                         std::uint64_t keep, const std::vector<unsigned char>& texts) {
    const Message message = invoiceRegisterWriteMessage(path);
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

std::string invoiceTextsPath(FileSystem& fs, const FileSet& set) {
    const std::string target = fs.resolveLink(set.invoiceRegister());
    if (target == set.invoiceRegister()) return set.invoiceTexts();
    return fileSetPath(target, FileKind::InvoiceTexts);
}

Status writeInvoiceRegister(FileSystem& fs, const FileSet& set, const std::vector<unsigned char>& bytes,
                            const std::vector<unsigned char>* entry) {
    const std::string& path = set.invoiceRegister();
    const Message message = invoiceRegisterWriteMessage(path);
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


std::vector<unsigned char> registerWithVoid(const InvoiceRegister& reg, std::size_t i) {
    std::vector<unsigned char> bytes = reg.bytes();
    unsigned char* entry = bytes.data() + reg.entryOffset(i);
    const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry);
    codec::putInt32(entry, 4, static_cast<std::int32_t>(IssuedState::Void));
    codec::storeLittleEndian(entry + 4 + n, registerEntryChecksum(reg.version(), entry + 4, n));
    return bytes;
}

Result<IssuedTexts> readIssuedTexts(FileSystem& fs, const InvoiceRegister& reg, std::size_t i, const FileSet& set) {
    const IssuedTextsAt& at = reg.textsAt(i);
    std::vector<unsigned char> read;
    const unsigned char* texts = nullptr;
    std::string path = set.invoiceRegister();
    if (at.inRegister) {
        texts = reg.bytes().data() + at.offset;
    } else {
        path = invoiceTextsPath(fs, set);
        auto bytes = readInvoiceTexts(fs, path, at);
        if (!bytes) return bytes.status();
        read = std::move(bytes).value();
        texts = read.data();
    }
    IssuedTexts decoded;
    if (!decodeIssuedTexts(texts, at.size, reg.invoices()[i].frames.size(), decoded))
        return textsDamaged(path, at.inRegister ? reg.entryOffset(i) : at.offset);
    return decoded;
}

Status rewriteRegisterWithTexts(FileSystem& fs, const FileSet& set, const InvoiceRegister& current,
                                const IssuedInvoice& added, const std::vector<unsigned char>& addedTexts) {
    const std::string textsPath = invoiceTextsPath(fs, set);
    std::vector<unsigned char> allTexts = emptyInvoiceTexts();
    std::vector<unsigned char> bytes = emptyInvoiceRegister();
    const auto add = [&](const IssuedInvoice& issued, const unsigned char* p, std::size_t n) {
        IssuedTextsAt at;
        at.offset = allTexts.size();
        at.size = static_cast<std::uint32_t>(n);
        at.crc = crc32c(p, n);
        allTexts.insert(allTexts.end(), p, p + n);
        const std::vector<unsigned char> entry = encodeRegisterEntry(issued, at);
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    };
    for (std::size_t i = 0; i < current.invoices().size(); ++i)
        add(current.invoices()[i], current.bytes().data() + current.textsAt(i).offset, current.textsAt(i).size);
    add(added, addedTexts.data(), addedTexts.size());
    const Message message = invoiceRegisterWriteMessage(textsPath);
    if (const Status linked = checkLinkedRecordFile(fs, textsPath, 1, message); !linked) return linked;
    if (const Status written =
            writeThroughTemporary(fs, fs.resolveLink(textsPath), temporaryPathFor(fs.resolveLink(textsPath)), message,
                                  [&](File& out) { return out.write(allTexts.data(), allTexts.size()); },
                                  permissionSourceFor(fs, set.invoiceRegister(), set));
        !written)
        return written;
    return writeInvoiceRegister(fs, set, bytes);
}

}  // namespace ql
