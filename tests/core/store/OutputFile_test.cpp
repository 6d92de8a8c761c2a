#include "core/store/OutputFile.h"

#include "core/store/FileSet.h"
#include "core/support/TempDir.h"
#include "support/FaultyFileSystem.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;

const Message kFailure(MessageId::CannotWriteExportFile, {"out"});
constexpr std::string_view kBytes = "Date\tProject\n11/05/1996\tHarbour\n";

Status writeOutput(FileSystem& fs, const std::string& path, const FileSet* reading = nullptr) {
    return writeOutputFile(
        fs, path, kFailure, [](File& out) { return out.write(kBytes.data(), kBytes.size()); }, reading);
}

std::size_t filesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

// A file of many megabytes, written in pieces of every size while the disk is asked to write
// each finished megabyte early, holds every byte in order.
TEST(OutputFileLarge, ManyMegabytesInUnevenPiecesArriveWhole) {
    TempDir dir;
    std::string bytes;
    for (std::int64_t i = 0; bytes.size() < 5u << 20; ++i) bytes += std::to_string(i * 7919) + (i % 3 ? "\t" : "\r\n");
    const Status written = writeOutputFile(defaultFileSystem(), dir.path("big"), kFailure, [&](File& out) {
        for (std::size_t at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece * 3 % 700001 + 1)
            if (Status st = out.write(bytes.data() + at, std::min(piece, bytes.size() - at)); !st) return st;
        return Status::ok();
    });
    ASSERT_TRUE(written) << written.messageWithReason();
    const std::vector<unsigned char> read = readBytes(dir.path("big"));
    EXPECT_TRUE(std::equal(read.begin(), read.end(), bytes.begin(), bytes.end()));
}

TEST(OutputFileStreams, AFifoIsWrittenIntoAndStaysAFifo) {
    TempDir dir;
    test::FifoReader fifo(dir.path("pipe"));
    ASSERT_TRUE(fifo.made());
    const Status written = writeOutput(defaultFileSystem(), fifo.path());
    EXPECT_TRUE(written) << written.messageWithReason();
    EXPECT_EQ(fifo.received(), kBytes);
    EXPECT_TRUE(test::isFifo(fifo.path()));
    EXPECT_EQ(filesIn(dir.root()), 1u) << "no temporary file beside the FIFO";
}

TEST(OutputFileStreams, ACharacterDeviceIsWrittenIntoWithItsOwnFailure) {
    TempDir dir;
    const std::string null = test::memoryDevice(dir.path("null"), 3, "/dev/null");
    const std::string full = test::memoryDevice(dir.path("full"), 7, "/dev/full");

    EXPECT_TRUE(writeOutput(defaultFileSystem(), null));
    EXPECT_TRUE(test::isCharacterDevice(null));

    const Status failed = writeOutput(defaultFileSystem(), full);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.code(), StatusCode::IoError);
    EXPECT_EQ(failed.message(), kFailure);
    EXPECT_EQ(failed.reason(), "No space left on device");
    EXPECT_TRUE(test::isCharacterDevice(full));
}

TEST(OutputFileStreams, AStreamThatCannotBeOpenedIsReportedAndNotReplaced) {
    TempDir dir;
    test::FifoReader fifo(dir.path("pipe"));
    ASSERT_TRUE(fifo.made());
    test::FaultyFileSystem fs;
    fs.failOn(test::FaultyFileSystem::Op::OpenStream, fifo.path());
    const Status failed = writeOutput(fs, fifo.path());
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.message(), kFailure);
    EXPECT_EQ(fifo.received(), "");
    EXPECT_TRUE(test::isFifo(fifo.path()));
}

TEST(OutputFileStreams, OtherFilesThatAreNotRegularAreRefusedUntouched) {
    TempDir dir;
    const std::string folder = dir.path("folder");
    std::filesystem::create_directory(folder);
    const std::string socketPath = dir.path("socket");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    for (const std::string& path : {folder, socketPath}) {
        const auto before = std::filesystem::symlink_status(path).type();
        const Status refused = writeOutput(defaultFileSystem(), path);
        ASSERT_FALSE(refused) << path;
        EXPECT_EQ(refused.message(), kFailure) << path;
        EXPECT_EQ(refused.reason(), "not a regular file") << path;
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), before) << path;
    }
    EXPECT_EQ(filesIn(dir.root()), 2u) << "no temporary file left";
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    ::close(sock);
}

// Every file of the set read, named as it is or through a link, a hard link or another
// spelling of its folder, is refused before anything is written.
TEST(OutputFileSet, AFileOfTheSetBeingReadIsRefusedUnderAnyName) {
    TempDir dir;
    const FileSet set(dir.path("Work.qlr"));
    for (const std::string& file : {set.settings(), set.projects(), set.timeFrames(), set.customers()})
        test::writeBytes(file, {'o', 'l', 'd'});
    std::filesystem::create_symlink(set.timeFrames(), dir.path("frames-link"));
    std::filesystem::create_hard_link(set.customers(), dir.path("customers-again"));
    std::filesystem::create_directory(dir.path("sub"));

    const std::string names[] = {set.settings(),           set.projects(),
                                 set.timeFrames(),         set.customers(),
                                 set.historyFilter(),      set.journal(),
                                 dir.path("frames-link"),  dir.path("customers-again"),
                                 dir.path("sub/../Work.prj"), dir.root() + "//Work.qlr"};
    for (const std::string& name : names) {
        const Status refused = writeOutput(defaultFileSystem(), name, &set);
        ASSERT_FALSE(refused) << name;
        EXPECT_EQ(refused.code(), StatusCode::InvalidArgument) << name;
        EXPECT_EQ(refused.message(), "'" + name + "' is a file of the set being read");
    }
    for (const std::string& file : {set.settings(), set.projects(), set.timeFrames(), set.customers()})
        EXPECT_EQ(readBytes(file), (std::vector<unsigned char>{'o', 'l', 'd'})) << file;
    EXPECT_FALSE(test::fileExists(set.historyFilter()));
    EXPECT_FALSE(test::fileExists(set.journal()));
    EXPECT_EQ(filesIn(dir.root()), 7u) << "no temporary file left";

    // Beside the set, the output is written as any other.
    const std::string beside = dir.path("Work.tsv");
    EXPECT_TRUE(writeOutput(defaultFileSystem(), beside, &set));
    EXPECT_EQ(readBytes(beside).size(), kBytes.size());
}

}  // namespace
}  // namespace ql
