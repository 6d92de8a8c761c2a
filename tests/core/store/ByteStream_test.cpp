#include "core/store/ByteStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace ql {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(ByteStream, WritesEachWidthLittleEndian) {
    struct Case {
        const char* name;
        std::function<void(ByteWriter&)> write;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {"u16", [](ByteWriter& w) { w.u16(0x1234); }, {0x34, 0x12}},
        {"i32", [](ByteWriter& w) { w.i32(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"u32", [](ByteWriter& w) { w.u32(0x01020304); }, {0x04, 0x03, 0x02, 0x01}},
        {"i64", [](ByteWriter& w) { w.i64(-0x0102030405060708); }, {0xF8, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}},
        {"u64", [](ByteWriter& w) { w.u64(0x0102030405060708); }, {8, 7, 6, 5, 4, 3, 2, 1}},
        {"f64", [](ByteWriter& w) { w.f64(6.0); }, {0, 0, 0, 0, 0, 0, 0x18, 0x40}},
        {"negative zero", [](ByteWriter& w) { w.f64(-0.0); }, {0, 0, 0, 0, 0, 0, 0, 0x80}},
        {"text32", [](ByteWriter& w) { w.text32("ab"); }, {2, 0, 0, 0, 'a', 'b'}},
        {"empty text32", [](ByteWriter& w) { w.text32(""); }, {0, 0, 0, 0}},
        {"text16", [](ByteWriter& w) { w.text16("xyz"); }, {3, 0, 'x', 'y', 'z'}},
        {"raw", [](ByteWriter& w) { w.bytes("QL"); }, {'Q', 'L'}},
        {"count placed after", [](ByteWriter& w) { w.u32(0); w.i32(7); w.u32At(0, 4); }, {4, 0, 0, 0, 7, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ByteWriter w;
        c.write(w);
        EXPECT_EQ(w.data(), c.expected) << c.name;
        EXPECT_EQ(w.position(), c.expected.size()) << c.name;
    }
}

TEST(ByteStream, WritesOnAfterGivenBytes) {
    ByteWriter w(Bytes{'Q', 'L'});
    w.u16(1);
    EXPECT_EQ(w.take(), (Bytes{'Q', 'L', 1, 0}));
}

TEST(ByteStream, LongText16IsCutAtItsCountRatherThanWrapped) {
    const std::string huge(70000, 'x');
    ByteWriter w;
    w.text16(huge);
    const Bytes b = w.take();
    ASSERT_EQ(b.size(), 2u + 65535u);
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xFF);
}

TEST(ByteStream, ReadsBackWhatWasWritten) {
    ByteWriter w;
    w.u16(65535);
    w.i32(std::numeric_limits<std::int32_t>::min());
    w.u32(4000000000u);
    w.i64(std::numeric_limits<std::int64_t>::max());
    w.u64(0xFEDCBA9876543210ull);
    w.f64(0.016666666666666666);
    w.text32("Grüße");
    w.text16("");
    w.text16("VAT");
    const Bytes b = w.take();

    ByteReader r(b.data(), b.size());
    EXPECT_EQ(r.u16(), 65535);
    EXPECT_EQ(r.i32(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(r.u32(), 4000000000u);
    EXPECT_EQ(r.i64(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(r.u64(), 0xFEDCBA9876543210ull);
    EXPECT_EQ(r.f64(), 0.016666666666666666);
    EXPECT_EQ(r.text32(), "Grüße");
    EXPECT_EQ(r.text16(), "");
    EXPECT_EQ(r.position(), b.size() - 5);
    EXPECT_EQ(r.text16(3), "VAT");
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteStream, NanKeepsItsBits) {
    const double nan = std::bit_cast<double>(0x7FF8000000000123ull);
    ByteWriter w;
    w.f64(nan);
    const Bytes b = w.take();
    ByteReader r(b.data(), b.size());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(r.f64()), 0x7FF8000000000123ull);
}

// Every way a read can run past the end, or past what the caller allows, sticks: that read and
// every later one yields zero or empty, and ok() stays false.
TEST(ByteStream, AFailedReadSticks) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::function<void(ByteReader&)> failing;
    };
    const std::vector<Case> cases = {
        {"i32 of three bytes", {1, 2, 3}, [](ByteReader& r) { EXPECT_EQ(r.i32(), 0); }},
        {"u16 of one byte", {1}, [](ByteReader& r) { EXPECT_EQ(r.u16(), 0); }},
        {"f64 of seven bytes", {1, 2, 3, 4, 5, 6, 7}, [](ByteReader& r) { EXPECT_EQ(r.f64(), 0.0); }},
        {"text32 count beyond the end", {5, 0, 0, 0, 'a', 'b'}, [](ByteReader& r) { EXPECT_EQ(r.text32(), ""); }},
        {"text32 count of 4 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, [](ByteReader& r) { EXPECT_EQ(r.text32(), ""); }},
        {"text16 longer than allowed", {3, 0, 'a', 'b', 'c', 0, 0, 0, 0},
         [](ByteReader& r) { EXPECT_EQ(r.text16(2), ""); }},
        {"raw bytes beyond the end", {1, 2}, [](ByteReader& r) { EXPECT_EQ(r.bytes(3), nullptr); }},
        {"skip beyond the end", {1, 2}, [](ByteReader& r) { EXPECT_FALSE(r.skip(3)); }},
        {"refused by the caller", {1, 0, 0, 0, 2, 0, 0, 0}, [](ByteReader& r) { r.fail(); }},
    };
    for (const Case& c : cases) {
        Bytes padded = c.bytes;
        ByteReader r(padded.data(), padded.size());
        c.failing(r);
        EXPECT_FALSE(r.ok()) << c.name;
        // Whatever bytes are left, nothing more is read from them.
        const std::size_t at = r.position();
        EXPECT_EQ(r.i32(), 0) << c.name;
        EXPECT_EQ(r.u16(), 0) << c.name;
        EXPECT_EQ(r.text32(), "") << c.name;
        EXPECT_EQ(r.bytes(0), nullptr) << c.name;
        EXPECT_EQ(r.position(), at) << c.name;
        EXPECT_FALSE(r.ok()) << c.name;
    }
}

TEST(ByteStream, ReadsUpToTheLastByteAndNoFurther) {
    const Bytes b = {1, 0, 0, 0, 2, 0};
    ByteReader r(b.data(), b.size());
    EXPECT_EQ(r.i32(), 1);
    EXPECT_EQ(r.remaining(), 2u);
    EXPECT_EQ(r.u16(), 2);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(r.skip(0));
    EXPECT_EQ(r.u16(), 0);
    EXPECT_FALSE(r.ok());
}

TEST(ByteStream, EmptyInputReadsNothing) {
    ByteReader r(nullptr, 0);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.text16(), "");
    EXPECT_FALSE(r.ok());
}

}  // namespace
}  // namespace ql
