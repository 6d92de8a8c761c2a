#include "CliFixture.h"

#include "cli/CliApp.h"
#include "cli/CutShortFiles.h"
#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrameRecord.h"
#include "support/ForwardingFile.h"

#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace ql::test {
namespace {

// The line and the status of a process whose mapped file was cut short, and nothing else.
const char* const kCutShortLine = "^quillory-cli: a file of the set was cut short while it was read\n$";

// Cuts its file to nothing as soon as it is mapped, as a backup copied over the set would.
class CutOnMapping final : public ForwardingFile {
public:
    CutOnMapping(std::unique_ptr<File> real, std::string path) : ForwardingFile(std::move(real)), m_path(std::move(path)) {}
    Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t unit, std::uint64_t leave) override {
        auto mapped = ForwardingFile::mapNext(unit, leave);
        if (mapped && *mapped && ::truncate(m_path.c_str(), 0) != 0) std::abort();
        return mapped;
    }

private:
    std::string m_path;
};

class CuttingFileSystem final : public FileSystemWrapper {
public:
    CuttingFileSystem(FileSystem& target, std::string victim) : FileSystemWrapper(target), m_victim(std::move(victim)) {}
    Result<std::unique_ptr<File>> openRead(const std::string& path) override {
        auto real = target().openRead(path);
        if (!real || path != m_victim) return real;
        return std::unique_ptr<File>(std::make_unique<CutOnMapping>(std::move(real).value(), path));
    }

private:
    std::string m_victim;
};

using CutShortFiles = CliTest;

TEST_F(CutShortFiles, AFileCutShortUnderTheScanEndsTheProcessWithOneLineAndStatusOne) {
    const std::string tfr = dir.path("Work.tfr");
    writeBytes(tfr, std::vector<unsigned char>(12 * 100000, 1));
    PosixFileSystem mapping(0);
    EXPECT_EXIT(
        {
            cli::exitOnCutShortFile();
            bool cut = false;
            unsigned sum = 0;
            (void)scanRecords(mapping, tfr, 12, Message::freeText("Cannot read"), [&](const unsigned char* records, std::size_t count) {
                if (!cut) cut = ::truncate(tfr.c_str(), 0) == 0;
                for (std::size_t i = 0; i < count * 12; ++i) sum += records[i];
            });
            std::exit(sum == 0 ? 3 : 0);
        },
        ::testing::ExitedWithCode(1), kCutShortLine);
}

TEST_F(CutShortFiles, AnExportWhoseFramesAreCutShortLeavesNoFileUnderItsName) {
    init();
    ok({"add-project", path, "--name", "Work", "--rate", "60"});
    std::vector<unsigned char> frames;
    for (int i = 0; i < 200000; ++i) {
        const std::int32_t start = local(1996, 3, 1, 9, 0) + i * 120;
        const auto bytes = encodeTimeFrame({0, start, start + 60});
        frames.insert(frames.end(), bytes.begin(), bytes.end());
    }
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    writeBytes(tfr, frames);
    const std::string out = dir.path("export.tsv");
    PosixFileSystem mapping(0);
    CuttingFileSystem cutting(mapping, tfr);
    const SystemClock clock;
    const char* const argv[] = {"quillory-cli", "export", path.c_str(), "--from", "1996-01-01",
                                "--to", "1996-12-31", "--out", out.c_str()};
    const auto run = [&] {
        cli::exitOnCutShortFile();
        std::ostringstream printed;
        std::ostringstream failed;
        std::exit(cli::runCli(static_cast<int>(std::size(argv)), argv, printed, failed, cutting, clock) + 10);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(1), kCutShortLine);
    EXPECT_FALSE(fileExists(out));
}

}  // namespace
}  // namespace ql::test
