#include "core/store/CustomerRecord.h"
#include "core/store/FieldCodec.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/ProjectRecord.h"
#include "core/store/SettingsRecord.h"
#include "core/store/TimeFrameRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace ql {
namespace {

std::string textAt(const unsigned char* bytes, std::size_t offset) {
    return reinterpret_cast<const char*>(bytes + offset);
}

bool zeros(const unsigned char* bytes, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (bytes[i] != 0) return false;
    return true;
}

TEST(RecordCodecs, RecordSizesMatchTheFileFormat) {
    static_assert(SettingsRecord::kSize == 1602);
    static_assert(ProjectRecord::kSize == 1082);
    static_assert(TimeFrameRecord::kSize == 12);
    static_assert(CustomerRecord::kSize == 1282);
    static_assert(HistoryFilterRecord::kSize == 16);
    EXPECT_EQ(encodeSettings({}).size(), 1602u);
}

TEST(RecordCodecs, DefaultSettingsRecordByteForByte) {
    const auto b = encodeSettings(defaultSettings("$", true));
    EXPECT_EQ(textAt(b.data(), 0), "<Your Company Name>");
    EXPECT_EQ(textAt(b.data(), 61), "<Your Company's Address>");
    for (std::size_t off : {122u, 183u, 244u, 305u, 366u}) EXPECT_EQ(b[off], 0) << off;
    EXPECT_EQ(textAt(b.data(), 427), "INVOICE#");
    EXPECT_EQ(textAt(b.data(), 468), "9600001");
    EXPECT_EQ(textAt(b.data(), 509),
              "This invoice has been compiled using Quillory.\r\nThank you for your prompt payment.");
    EXPECT_EQ(codec::getInt32(b.data(), 1510), 1);
    EXPECT_EQ(textAt(b.data(), 1514), "Sales Tax : ");
    const unsigned char six[8] = {0, 0, 0, 0, 0, 0, 0x18, 0x40};  // 6.0 as a little-endian double
    EXPECT_EQ(std::memcmp(b.data() + 1555, six, 8), 0);
    EXPECT_EQ(codec::getInt32(b.data(), 1563), 1);
    EXPECT_EQ(codec::getInt32(b.data(), 1567), 1);
    EXPECT_EQ(textAt(b.data(), 1571), "$");
    // Everything after each text's NUL is zero, never leftover memory.
    EXPECT_TRUE(zeros(b.data(), 19, 61));
    EXPECT_TRUE(zeros(b.data(), 1572, 1602));

    const auto dayFirst = encodeSettings(defaultSettings("€", false));
    EXPECT_EQ(codec::getInt32(dayFirst.data(), 1567), 0);
    EXPECT_EQ(textAt(dayFirst.data(), 1571), "€");
}

TEST(RecordCodecs, EveryRecordRoundTripsAtItsOffsets) {
    ProjectRecord p{7, "Web site", 3, 42.5, "line one\r\nline two", 2};
    const auto pb = encodeProject(p);
    EXPECT_EQ(codec::getInt32(pb.data(), 0), 7);
    EXPECT_EQ(textAt(pb.data(), 4), "Web site");
    EXPECT_EQ(codec::getInt32(pb.data(), 65), 3);
    EXPECT_EQ(codec::getDouble(pb.data(), 69), 42.5);
    EXPECT_EQ(textAt(pb.data(), 77), "line one\r\nline two");
    EXPECT_EQ(codec::getInt32(pb.data(), 1078), 2);
    EXPECT_EQ(decodeProject(pb.data()), p);

    CustomerRecord c{5, "Acme", "1 Road", "Springfield", "12345", "OR", "US", "555-0100", "notes"};
    const auto cb = encodeCustomer(c);
    EXPECT_EQ(textAt(cb.data(), 4), "Acme");
    EXPECT_EQ(textAt(cb.data(), 65), "1 Road");
    EXPECT_EQ(textAt(cb.data(), 126), "Springfield");
    EXPECT_EQ(textAt(cb.data(), 157), "12345");
    EXPECT_EQ(textAt(cb.data(), 188), "OR");
    EXPECT_EQ(textAt(cb.data(), 219), "US");
    EXPECT_EQ(textAt(cb.data(), 250), "555-0100");
    EXPECT_EQ(textAt(cb.data(), 281), "notes");
    EXPECT_EQ(decodeCustomer(cb.data()), c);

    const TimeFrameRecord f{-1, 850000000, 850003600};
    const auto fb = encodeTimeFrame(f);
    const unsigned char expected[12] = {0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0xF8, 0xA9, 0x32, 0x90, 0x06, 0xAA, 0x32};
    EXPECT_EQ(std::memcmp(fb.data(), expected, 12), 0);
    EXPECT_EQ(decodeTimeFrame(fb.data()), f);

    const HistoryFilterRecord h{4, 2, 100, 200};
    const auto hb = encodeHistoryFilter(h);
    EXPECT_EQ(codec::getInt32(hb.data(), 12), 200);
    EXPECT_EQ(decodeHistoryFilter(hb.data()), h);

    SettingsRecord s = defaultSettings("kr", false);
    s.city = "Århus";
    s.salesTaxRate = 19.6;
    EXPECT_EQ(decodeSettings(encodeSettings(s).data()), s);
}

TEST(RecordCodecs, LongTextIsCutAtACharacterBoundaryWithinTheField) {
    ProjectRecord p;
    p.name = std::string(60, 'a');
    EXPECT_EQ(decodeProject(encodeProject(p).data()).name, p.name);  // exactly 60 fits whole
    p.name = std::string(59, 'a') + "é";  // 61 bytes of UTF-8, 60 of Windows-1252: stored whole, 8-bit
    auto b = encodeProject(p);
    EXPECT_EQ(decodeProject(b.data()).name, p.name);
    EXPECT_EQ(b[4 + 59], 0xE9);
    EXPECT_EQ(b[4 + 60], 0);
    p.name = std::string(59, 'a') + "ω";  // no 8-bit form: cut at the character boundary
    b = encodeProject(p);
    EXPECT_EQ(decodeProject(b.data()).name, std::string(59, 'a'));
    EXPECT_EQ(b[4 + 59], 0);
    EXPECT_EQ(b[4 + 60], 0);  // the NUL always fits
    EXPECT_FALSE(checkProjectTexts(p));
    CustomerRecord c;
    c.zip = std::string(40, '9');
    EXPECT_EQ(decodeCustomer(encodeCustomer(c).data()).zip, std::string(30, '9'));
}

TEST(RecordCodecs, TextWithoutNulIsReadToTheFieldEndAndNeverBeyond) {
    auto b = encodeProject({});
    std::memset(b.data() + 4, 'x', 61);  // no NUL in the name field
    b[65] = 'Z';                         // the next field starts right after
    EXPECT_EQ(decodeProject(b.data()).name, std::string(61, 'x'));
}

TEST(RecordCodecs, EightBitTextFromOlderFilesReadsAsWindows1252) {
    auto b = encodeProject({});
    const char legacy[] = "Caf\xE9 \x80 \x93ok\x94";
    std::memcpy(b.data() + 4, legacy, sizeof legacy);
    EXPECT_EQ(decodeProject(b.data()).name, "Café € “ok”");
    EXPECT_EQ(codec::windows1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_FALSE(codec::isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(codec::isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(codec::isValidUtf8("日本"));
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

TEST(RecordCodecs, StoredTextSizeTakesUtf8ThenWindows1252ThenRefuses) {
    const std::string e60 = [] { std::string s; for (int i = 0; i < 60; ++i) s += "\xC3\xA9"; return s; }();
    struct Case { std::string text; std::size_t maxBytes; std::optional<std::size_t> size; };
    const Case cases[] = {
        {"plain", 59, 5},
        {e60.substr(0, 58), 59, 58},          // 29 "é" fit as UTF-8
        {e60.substr(0, 118), 59, 59},         // 59 "é" only as 8-bit
        {e60, 59, std::nullopt},              // 60 "é" fit in neither form
        {"\xE2\x82\xAC" "5", 1, std::nullopt},  // "€5": two 8-bit bytes
        {"\xE2\x82\xAC" "5", 2, 2},
        {"\xE4\xB8\xAD\xE4\xB8\xAD", 2, std::nullopt},  // no 8-bit form for CJK
        {"\xC3\x83\xC2\xA9", 2, std::nullopt},  // its 8-bit form C3 A9 would read back as "é"
    };
    for (const Case& c : cases) EXPECT_EQ(codec::storedTextSize(c.text, c.maxBytes), c.size) << c.text;
    EXPECT_EQ(codec::utf8ToWindows1252("\xE2\x82\xAC\xC3\xA9"), std::string("\x80\xE9"));
    EXPECT_FALSE(codec::textFitsField(e60, 60));
}

}  // namespace
}  // namespace ql
