#include "core/store/InvoiceRegisterFile.h"

#include "core/store/Checksum.h"
#include "core/store/FieldCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace ql {
namespace {

using Bytes = std::vector<unsigned char>;

IssuedInvoice sampleInvoice() {
    IssuedInvoice invoice;
    invoice.number = "INV-0042";
    invoice.customerId = 7;
    invoice.customerName = "Ölwerk";
    invoice.monetarySymbol = "€";
    invoice.periodStart = 1000;
    invoice.periodEnd = 2000;
    invoice.issuedAt = 3000;
    invoice.sums = {12345, 2346, 14691};
    invoice.rebills = true;
    invoice.frames = {{3, 1100, 1200}, {4, 1300, 1400}};
    return invoice;
}

IssuedTexts sampleTexts() {
    IssuedTexts texts;
    texts.settings.companyName = "Kestra";
    texts.settings.footer = "Thank you\r\nfor paying";
    texts.settings.monetarySymbol = "€";
    texts.settings.applySalesTax = 1;
    texts.settings.salesTaxRate = 19.0;
    texts.settings.dateFormat = 0;
    texts.customer.id = 7;
    texts.customer.name = "Ölwerk";
    texts.customer.country = "DE";
    texts.lines = {{"Design", 37.5, 5625, "02/01/2010", "09:00 AM", "1:30", "37.50", "56.25"},
                   {"Review", 52.25, 2874, "02/01/2010", "02:00 PM", "0:33", "52.25", "28.74"}};
    texts.billing.countryCode = "DE";
    texts.billing.iban = "DE89370400440532013000";
    texts.customerDetails.email = "billing@example.com";
    texts.dates = {"Date: 02/01/2010", "Period: 02/01/2010 - 02/01/2010"};
    return texts;
}

Bytes registerOf(const std::vector<Bytes>& entries) {
    Bytes bytes = emptyInvoiceRegister();
    for (const Bytes& e : entries) bytes.insert(bytes.end(), e.begin(), e.end());
    return bytes;
}

void resealEntry(Bytes& reg, std::size_t at) {
    const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(reg.data() + at);
    codec::storeLittleEndian(reg.data() + at + 4 + n, crc32c(reg.data() + at + 4, n));
}

TEST(InvoiceRegisterFile, AnEntryHasItsFieldsAtTheirOffsets) {
    const IssuedTextsAt at{false, 0x0102030405ull, 321, 0xCAFEF00Du};
    const Bytes entry = encodeRegisterEntry(sampleInvoice(), at);
    const unsigned char* body = entry.data() + 4;
    const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry.data());
    ASSERT_EQ(entry.size(), n + 8u);
    struct Field {
        std::size_t offset;
        std::int64_t expected;
        int width;
    };
    const std::vector<Field> fields = {
        {0, 0, 4},      {4, 1, 4},       {8, 7, 4},       {12, 1000, 4}, {16, 2000, 4}, {20, 3000, 4},
        {24, 12345, 8}, {32, 2346, 8},   {40, 14691, 8},  {48, 2, 4},    {52, 3, 4},    {56, 1100, 4},
        {60, 1200, 4},  {64, 4, 4},      {68, 1300, 4},   {72, 1400, 4}, {76, 8, 4},
    };
    for (const Field& f : fields) {
        const std::int64_t got = f.width == 8 ? codec::loadLittleEndian<std::int64_t>(body + f.offset)
                                              : codec::getInt32(body, f.offset);
        EXPECT_EQ(got, f.expected) << "at " << f.offset;
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(body + 80), 8), "INV-0042");
    // Then the customer's name and symbol as texts, and where the texts are.
    std::size_t tail = 88 + 4 + std::strlen("Ölwerk") + 4 + std::strlen("€");
    EXPECT_EQ(codec::loadLittleEndian<std::uint64_t>(body + tail), 0x0102030405ull);
    EXPECT_EQ(codec::loadLittleEndian<std::uint32_t>(body + tail + 8), 321u);
    EXPECT_EQ(codec::loadLittleEndian<std::uint32_t>(body + tail + 12), 0xCAFEF00Du);
    EXPECT_EQ(tail + 16, n);
    EXPECT_EQ(codec::loadLittleEndian<std::uint32_t>(body + n), crc32c(body, n));
}

TEST(InvoiceRegisterFile, EntriesDecodeAsEncoded) {
    IssuedInvoice second = sampleInvoice();
    second.number = "INV-0043";
    second.rebills = false;
    second.state = IssuedState::Void;
    second.frames.clear();
    const Bytes bytes = registerOf({encodeRegisterEntry(sampleInvoice(), {false, 8, 10, 99}),
                                    encodeRegisterEntry(second, {false, 18, 20, 77})});
    auto reg = InvoiceRegister::decode(bytes);
    ASSERT_TRUE(reg) << reg.status().reason();
    ASSERT_EQ(reg->invoices().size(), 2u);
    const IssuedInvoice& a = reg->invoices()[0];
    const IssuedInvoice expected = sampleInvoice();
    EXPECT_EQ(std::tie(a.number, a.customerId, a.customerName, a.monetarySymbol, a.periodStart, a.periodEnd,
                       a.issuedAt, a.sums, a.state, a.rebills, a.frames),
              std::tie(expected.number, expected.customerId, expected.customerName, expected.monetarySymbol,
                       expected.periodStart, expected.periodEnd, expected.issuedAt, expected.sums, expected.state,
                       expected.rebills, expected.frames));
    EXPECT_EQ(reg->invoices()[1].state, IssuedState::Void);
    EXPECT_EQ(reg->textsAt(1).offset, 18u);
    EXPECT_EQ(reg->textsAt(1).crc, 77u);
    EXPECT_EQ(reg->textsEnd(), 38u);
    EXPECT_EQ(reg->bytes(), bytes);
}

TEST(InvoiceRegisterFile, VoidingRewritesTheStateAndTheChecksumOnly) {
    const Bytes bytes = registerOf({encodeRegisterEntry(sampleInvoice(), {false, 8, 10, 99}),
                                    encodeRegisterEntry(sampleInvoice(), {false, 18, 10, 98})});
    auto reg = InvoiceRegister::decode(bytes);
    ASSERT_TRUE(reg);
    const Bytes voided = registerWithVoid(*reg, 1);
    auto again = InvoiceRegister::decode(voided);
    ASSERT_TRUE(again) << again.status().reason();
    EXPECT_EQ(again->invoices()[0].state, IssuedState::Issued);
    EXPECT_EQ(again->invoices()[1].state, IssuedState::Void);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) differing += bytes[i] != voided[i];
    EXPECT_GE(differing, 1u);
    EXPECT_LE(differing, 5u);  // the state's low byte and the four of the checksum
}

// A register that is not whole is refused, never read as fewer invoices.
TEST(InvoiceRegisterFile, ARegisterThatIsNotWholeIsRefused) {
    const Bytes whole = registerOf({encodeRegisterEntry(sampleInvoice(), {false, 8, 10, 99})});
    const std::size_t body = kInvoiceRegisterHeaderSize + 4;
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"another magic", [](Bytes& b) { b[0] = 'X'; }, "not an invoice register"},
        {"header cut short", [](Bytes& b) { b.resize(6); }, "not an invoice register"},
        {"version 3", [](Bytes& b) { codec::putInt32(b.data(), 4, 3); }, "an invoice register of another version"},
        {"entry cut short", [](Bytes& b) { b.pop_back(); }, "torn or damaged at byte 8"},
        {"a byte too many", [](Bytes& b) { b.push_back(0); }, "torn or damaged at byte"},
        {"a changed byte", [&](Bytes& b) { b[body + 9] ^= 1; }, "torn or damaged at byte 8"},
        {"state 2", [&](Bytes& b) { codec::putInt32(b.data(), body, 2); resealEntry(b, 8); }, "torn or damaged at byte 8"},
        {"unknown flag", [&](Bytes& b) { codec::putInt32(b.data(), body + 4, 3); resealEntry(b, 8); },
         "torn or damaged at byte 8"},
        {"more frames than the body holds", [&](Bytes& b) { codec::putInt32(b.data(), body + 48, 1000); resealEntry(b, 8); },
         "torn or damaged at byte 8"},
        {"texts inside the header", [&](Bytes& b) {
             const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(b.data() + 8);
             codec::storeLittleEndian<std::uint64_t>(b.data() + body + n - 16, 4);
             resealEntry(b, 8);
         }, "torn or damaged at byte 8"},
    };
    for (const Case& c : cases) {
        Bytes bytes = whole;
        c.damage(bytes);
        auto reg = InvoiceRegister::decode(bytes);
        ASSERT_FALSE(reg) << c.name;
        EXPECT_NE(reg.status().reason().find(c.reason), std::string::npos) << c.name << ": " << reg.status().reason();
    }
    EXPECT_TRUE(InvoiceRegister::decode(whole));
}

TEST(InvoiceRegisterFile, TextsDecodeAsEncoded) {
    const IssuedTexts texts = sampleTexts();
    const Bytes bytes = encodeIssuedTexts(texts);
    IssuedTexts back;
    ASSERT_TRUE(decodeIssuedTexts(bytes.data(), bytes.size(), 2, back));
    EXPECT_EQ(back.settings.companyName, "Kestra");
    EXPECT_EQ(back.settings.footer, texts.settings.footer);
    EXPECT_EQ(back.settings.monetarySymbol, "€");
    EXPECT_EQ(back.settings.salesTaxRate, 19.0);
    EXPECT_EQ(back.settings.dateFormat, 0);
    EXPECT_EQ(back.customer.id, 7);
    EXPECT_EQ(back.customer.name, "Ölwerk");
    EXPECT_EQ(back.customer.country, "DE");
    ASSERT_EQ(back.lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const IssuedLineTexts& a = back.lines[i];
        const IssuedLineTexts& b = texts.lines[i];
        EXPECT_EQ(std::tie(a.projectName, a.rate, a.cents, a.date, a.time, a.duration, a.rateText, a.amount),
                  std::tie(b.projectName, b.rate, b.cents, b.date, b.time, b.duration, b.rateText, b.amount));
    }
    EXPECT_EQ(back.billing, texts.billing);
    EXPECT_EQ(back.customerDetails, texts.customerDetails);
    EXPECT_EQ(back.dates, texts.dates);
    // The fields the texts do not keep stay as a default record has them.
    EXPECT_EQ(back.settings.nextInvoiceNumber, SettingsRecord{}.nextInvoiceNumber);
    EXPECT_EQ(back.customer.notes, "");
}

TEST(InvoiceRegisterFile, TextsThatAreNotWholeDoNotDecode) {
    const Bytes whole = encodeIssuedTexts(sampleTexts());
    IssuedTexts out;
    // Cut anywhere, or a byte more, they do not decode.
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(decodeIssuedTexts(whole.data(), size, 2, out)) << "cut at " << size;
    Bytes longer = whole;
    longer.push_back(0);
    EXPECT_FALSE(decodeIssuedTexts(longer.data(), longer.size(), 2, out));
    // Asked for more lines than they hold, or fewer.
    EXPECT_FALSE(decodeIssuedTexts(whole.data(), whole.size(), 3, out));
    EXPECT_FALSE(decodeIssuedTexts(whole.data(), whole.size(), 1, out));
    EXPECT_FALSE(decodeIssuedTexts(whole.data(), whole.size(), 1u << 30, out));
    // A count of date lines no invoice prints is damage.
    IssuedTexts many = sampleTexts();
    many.dates.assign(9, "d");
    const Bytes nine = encodeIssuedTexts(many);
    EXPECT_FALSE(decodeIssuedTexts(nine.data(), nine.size(), 2, out));
    many.dates.assign(8, "d");
    const Bytes eight = encodeIssuedTexts(many);
    EXPECT_TRUE(decodeIssuedTexts(eight.data(), eight.size(), 2, out));
}

TEST(InvoiceRegisterFile, EmptyFilesAreTheirHeaders) {
    EXPECT_EQ(emptyInvoiceRegister(), (Bytes{'Q', 'L', 'I', 'V', 2, 0, 0, 0}));
    EXPECT_EQ(emptyInvoiceTexts(), (Bytes{'Q', 'L', 'I', 'T', 1, 0, 0, 0}));
    auto none = InvoiceRegister::decode({});
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->invoices().empty());
    EXPECT_EQ(none->bytes(), emptyInvoiceRegister());
}

}  // namespace
}  // namespace ql
