#include "core/reports/InvoiceRegister.h"

#include "core/reports/InvoiceDetails.h"
#include "core/store/Checksum.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace ql {
namespace {

IssuedTexts textsOf(const Invoice& invoice, const InvoiceParties& parties) {
    IssuedTexts texts;
    texts.settings = parties.settings;
    texts.customer = parties.customer;
    texts.lines.reserve(invoice.lines.size());
    for (const InvoiceLine& line : invoice.lines) {
        InvoiceLineCells cells = invoiceLineCells(line, parties.settings);
        texts.lines.push_back({line.projectName, line.rate, line.cents(), std::move(cells.date), std::move(cells.time),
                               std::move(cells.duration), std::move(cells.rate), std::move(cells.amount)});
    }
    texts.billing = parties.billing;
    texts.customerDetails = parties.customerDetails;
    texts.dates = invoiceDetails(invoice, parties).dates;
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

EncodedInvoice encodeIssuedInvoice(const Invoice& invoice, const InvoiceParties& parties, std::int32_t issuedAt,
                                   bool rebills, std::uint64_t textsOffset) {
    EncodedInvoice encoded;
    encoded.texts = encodeIssuedTexts(textsOf(invoice, parties));
    IssuedTextsAt at;
    at.offset = textsOffset;
    at.size = static_cast<std::uint32_t>(encoded.texts.size());
    at.crc = crc32c(encoded.texts.data(), encoded.texts.size());
    encoded.entry = encodeRegisterEntry(summaryOf(invoice, parties, issuedAt, rebills), at);
    return encoded;
}

Result<IssuedContent> issuedContent(FileSystem& fs, const InvoiceRegister& reg, std::size_t i, const FileSet& set) {
    auto texts = readIssuedTexts(fs, reg, i, set);
    if (!texts) return texts.status();
    const IssuedInvoice& summary = reg.invoices()[i];
    IssuedContent content;
    content.parties.settings = std::move(texts->settings);
    content.parties.customer = std::move(texts->customer);
    content.parties.billing = std::move(texts->billing);
    content.parties.customerDetails = std::move(texts->customerDetails);
    content.invoice.lines.resize(summary.frames.size());
    for (std::size_t k = 0; k < summary.frames.size(); ++k) {
        IssuedLineTexts& printed = texts->lines[k];
        InvoiceLine& line = content.invoice.lines[k];
        line.projectId = summary.frames[k].projectId;
        line.start = summary.frames[k].start;
        line.end = summary.frames[k].end;
        line.projectName = std::move(printed.projectName);
        line.rate = printed.rate;
        IssuedLineText issued;
        issued.cents = printed.cents;
        issued.cells.date = std::move(printed.date);
        issued.cells.time = std::move(printed.time);
        issued.cells.duration = std::move(printed.duration);
        issued.cells.rate = std::move(printed.rateText);
        issued.cells.amount = std::move(printed.amount);
        issued.cells.project = line.projectName;
        line.issued = std::move(issued);
    }
    setIssuedDateLines(content.invoice, std::move(texts->dates), content.parties.settings.monthFirst());
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
    const std::vector<unsigned char> texts = encodeIssuedTexts(textsOf(invoice, parties));
    const IssuedInvoice summary = summaryOf(invoice, parties, issuedAt, rebills);
    // A register that holds its texts moves them into a texts file of their own on the way.
    if (current.version() != kInvoiceRegisterVersion) return rewriteRegisterWithTexts(fs, set, current, summary, texts);
    auto at = appendInvoiceTexts(fs, set, invoiceTextsPath(fs, set), current.textsEnd(), texts);
    if (!at) return at.status();
    const std::vector<unsigned char> entry = encodeRegisterEntry(summary, *at);
    return writeInvoiceRegister(fs, set, current.bytes(), &entry);
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
            return Status::invalidArgument(Message(MessageId::InvoiceVoidAlready, {std::string(number)}));
        return writeInvoiceRegister(fs, set, registerWithVoid(*reg, i));
    }
    return Status::notFound(
        Message(MessageId::NoInvoiceNumberedInRegister, {std::string(number), set.invoiceRegister()}));
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
