#include "core/store/FileSet.h"
#include "core/store/ProjectRecord.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The set's time frames file is a link; what it leads to decides whether a write may go on.
struct LinkCase {
    const char* name;
    const char* target;  // relative to the test's folder
    std::vector<unsigned char> bytes;
    bool made;           // false: the link dangles
    bool followed;       // the write goes on at the target
};

struct WriteCase {
    const char* name;
    std::function<Status(FileSystem&, const FileSet&)> write;
    std::function<std::string(const FileSet&)> failure;
    // The target's bytes after a write that went on, given what it held.
    std::function<std::size_t(std::size_t)> sizeAfter;
};

std::vector<unsigned char> bytesOf(std::size_t n, unsigned char fill) { return std::vector<unsigned char>(n, fill); }

const LinkCase kLinks[] = {
    {"unrelated text file of whole records", "notes.txt", bytesOf(24, 'n'), true, false},
    {"time frames extension, torn size", "other/Work.tfr", bytesOf(13, 'w'), true, false},
    {"time frames extension, one byte", "other/Old.tfr", bytesOf(1, 'w'), true, false},
    {"dangling link", "other/Missing.tfr", {}, false, false},
    {"a folder", "other/Folder.tfr", {}, true, false},
    {"sound time frames file of another folder", "synced/Work.tfr", bytesOf(24, 0), true, true},
};

const WriteCase kWrites[] = {
    {"append", [](FileSystem& fs, const FileSet& set) { return appendTimeFrame(fs, set, {0, 10, 20}); },
     [](const FileSet& set) { return englishText(timeFramesFileMessage(set.timeFrames())); },
     [](std::size_t before) { return before + TimeFrameRecord::kSize; }},
    {"rewrite", [](FileSystem& fs, const FileSet& set) { return removeTimeFrame(fs, set.timeFrames(), {7, 1, 2}); },
     [](const FileSet& set) { return englishText(timeFramesFileMessage(set.timeFrames())); },
     [](std::size_t before) { return before; }},
    {"new file set over it", [](FileSystem& fs, const FileSet& set) { return createFileSet(fs, set, "$", true); },
     [](const FileSet&) { return std::string(englishForm(MessageId::CannotCreateNewProject)); }, [](std::size_t) { return std::size_t{0}; }},
};

TEST(LinkedRecordFiles, AWriteFollowsALinkOnlyToAFileThatCanBeARecordFileOfItsKind) {
    setenv("TZ", "America/New_York", 1);
    tzset();
    for (const WriteCase& write : kWrites) {
        for (const LinkCase& link : kLinks) {
            SCOPED_TRACE(std::string(write.name) + " through a link to a " + link.name);
            TempDir dir;
            const FileSet set(dir.path("Work.qlr"));
            FileSystem& fs = defaultFileSystem();
            ASSERT_TRUE(createFileSet(fs, set, "$", true));
            const std::vector<unsigned char> projects = bytesOf(ProjectRecord::kSize, 'p');
            writeBytes(set.projects(), projects);
            std::filesystem::create_directory(dir.path("other"));
            std::filesystem::create_directory(dir.path("synced"));
            const std::string target = dir.path(link.target);
            if (link.made && link.bytes.empty()) std::filesystem::create_directory(target);
            else if (link.made) writeBytes(target, link.bytes);
            std::filesystem::remove(set.timeFrames());
            std::filesystem::create_symlink(target, set.timeFrames());

            const Status st = write.write(fs, set);

            EXPECT_TRUE(std::filesystem::is_symlink(set.timeFrames()));
            if (link.followed) {
                EXPECT_TRUE(st) << st.messageWithReason();
                EXPECT_EQ(readBytes(target).size(), write.sizeAfter(link.bytes.size()));
                continue;
            }
            EXPECT_FALSE(st);
            EXPECT_EQ(st.message(), write.failure(set));
            EXPECT_NE(st.reason().find(set.timeFrames()), std::string::npos) << st.reason();
            // Nothing out of the set was made, cut or emptied, and the set itself is as it was.
            if (!link.made) {
                EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(target)));
            } else if (!link.bytes.empty()) {
                EXPECT_EQ(readBytes(target), link.bytes);
            }
            EXPECT_EQ(readBytes(set.projects()), projects);
            EXPECT_FALSE(test::anyFileStartingWith(dir.path("other/Work.tmp")));
        }
    }
}

}  // namespace
}  // namespace ql
