#include "core/store/RecordFile.h"
#include "core/support/TempDir.h"
#include "support/FaultyFileSystem.h"
#include "support/ForwardingFile.h"

#include <gtest/gtest.h>

#include <limits>

namespace ql {
namespace {

using test::TempDir;
using test::writeBytes;

// Counts the bytes the files it opens for reading hand out through mappings.
class MapCountingFile final : public test::ForwardingFile {
public:
    MapCountingFile(std::unique_ptr<File> real, std::uint64_t& mapped)
        : ForwardingFile(std::move(real)), m_mapped(mapped) {}
    Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t unit, std::uint64_t leave) override {
        auto mapped = ForwardingFile::mapNext(unit, leave);
        if (mapped && *mapped) m_mapped += (*mapped)->size();
        return mapped;
    }

private:
    std::uint64_t& m_mapped;
};

class MapCountingFileSystem final : public FileSystemWrapper {
public:
    using FileSystemWrapper::FileSystemWrapper;
    Result<std::unique_ptr<File>> openRead(const std::string& path) override {
        auto real = target().openRead(path);
        if (!real) return real;
        return std::unique_ptr<File>(std::make_unique<MapCountingFile>(std::move(real).value(), mapped));
    }
    std::uint64_t mapped = 0;
};

// Bytes that differ from record to record and from chunk to chunk.
std::vector<unsigned char> patterned(std::size_t n) {
    std::vector<unsigned char> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(i * 131 + i / 7);
    return bytes;
}

using Chunks = std::vector<std::vector<unsigned char>>;

// The chunks a scan hands on, from record `from` on (scanRecords for 0, else scanRecordsFrom).
Chunks scanChunks(FileSystem& fs, const std::string& path, std::size_t recordSize, std::uint64_t from) {
    Chunks chunks;
    const RecordChunkFn keep = [&](const unsigned char* records, std::size_t count) {
        chunks.emplace_back(records, records + count * recordSize);
    };
    const Status st = from == 0 ? scanRecords(fs, path, recordSize, Message::freeText("Cannot read"), keep)
                                : scanRecordsFrom(fs, path, recordSize, from, Message::freeText("Cannot read"), keep);
    EXPECT_TRUE(st) << st.messageWithReason();
    return chunks;
}

TEST(MappedScanTest, MappedAndReadScansHandOnTheSameChunks) {
    // A chunk is 131,064 bytes of 12-byte records (130,922 of 1082-byte ones); the last 64 KiB
    // are always read. Sizes on both sides of the first mapped chunk, files that end on a page
    // boundary, torn tails, reads that start on and off a page boundary or past the end, and
    // the smallest file the production threshold maps.
    struct Case {
        std::uint64_t mapFrom;
        std::size_t recordSize;
        std::size_t records;
        std::size_t tornBytes;
        std::uint64_t from;  // the first record scanned
        std::uint64_t mappedChunks;
    };
    const Case cases[] = {
        {0, 12, 0, 0, 0, 0},          {0, 12, 1, 5, 0, 0},
        {0, 12, 16383, 0, 0, 0},      {0, 12, 16384, 0, 0, 1},      // 16,384 records: 48 whole pages
        {0, 12, 16383, 11, 0, 1},     {0, 12, 300001, 7, 0, 26},
        {0, 12, 300001, 7, 1, 26},    {0, 12, 300001, 7, 1024, 26},  // 1,024 records: 3 whole pages
        {0, 12, 16384, 0, 1, 0},      {0, 12, 100, 0, 200, 0},
        {0, 1082, 181, 0, 0, 0},      {0, 1082, 182, 0, 0, 1},
        {0, 1082, 400, 1081, 3, 2},
        {kMapReadsFrom, 12, 60071, 0, 0, 0},                           // 4 chunks: under 512 KiB
        {kMapReadsFrom, 12, 60072, 0, 0, 5},
    };
    TempDir dir;
    const std::string path = dir.path("Work.tfr");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.recordSize) + " x " + std::to_string(c.records) + " + " +
                     std::to_string(c.tornBytes) + " from " + std::to_string(c.from));
        writeBytes(path, patterned(c.recordSize * c.records + c.tornBytes));
        PosixFileSystem reading;
        PosixFileSystem mapping(c.mapFrom);
        MapCountingFileSystem counting(mapping);
        const Chunks read = scanChunks(reading, path, c.recordSize, c.from);
        EXPECT_EQ(scanChunks(counting, path, c.recordSize, c.from), read);
        const std::size_t chunkBytes = 131072 / c.recordSize * c.recordSize;
        EXPECT_EQ(counting.mapped, c.mappedChunks * chunkBytes);
        std::size_t scanned = 0;
        for (const auto& chunk : read) scanned += chunk.size();
        EXPECT_EQ(scanned, c.records > c.from ? (c.records - c.from) * c.recordSize : 0);
    }
}

TEST(MappedScanTest, TheDefaultFileSystemNeverMaps) {
    // The window reads through it while other programs may cut a file short under it.
    TempDir dir;
    const std::string path = dir.path("Work.tfr");
    writeBytes(path, patterned(12 * 1000000));
    MapCountingFileSystem counting(defaultFileSystem());
    EXPECT_EQ(scanChunks(counting, path, 12, 0).size(), 92u);
    EXPECT_EQ(counting.mapped, 0u);
}

TEST(MappedScanTest, TheFaultInjectingFileSystemReadsEveryByteAndFailsItsReads) {
    TempDir dir;
    const std::string path = dir.path("Work.tfr");
    writeBytes(path, patterned(12 * 100000));
    PosixFileSystem mapping(0);
    test::FaultyFileSystem faulty(mapping);
    EXPECT_EQ(scanChunks(faulty, path, 12, 0).size(), 10u);
    EXPECT_EQ(faulty.bytesRead(), 12u * 100000);

    faulty.failEvery(test::FaultyFileSystem::Op::Read);
    const Status st = scanRecords(faulty, path, 12, Message::freeText("Cannot open time frames file : " + path),
                                  [](const unsigned char*, std::size_t) {});
    EXPECT_EQ(st.message(), "Cannot open time frames file : " + path);
}

}  // namespace
}  // namespace ql
