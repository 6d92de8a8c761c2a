#include "core/store/FileSystem.h"
#include "core/support/TempDir.h"
#include "support/FaultyFileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

using test::FaultyFileSystem;
using test::readBytes;
using test::TempDir;

Status writeAll(FileSystem& fs, const std::string& path, const std::string& bytes) {
    auto file = fs.create(path);
    if (!file) return file.status();
    return (*file)->write(bytes.data(), bytes.size());
}

// The disk budget of the fault-injecting file system behaves as a full disk: the write that
// passes it keeps what fitted and fails with the system's reason, and space comes back only
// where a real disk would give it back.
TEST(DiskBudget, AWriteBeyondTheBudgetKeepsWhatFittedAndSaysNoSpace) {
    TempDir dir;
    struct Case {
        std::uint64_t budget;
        std::size_t kept;
        bool ok;
    };
    const std::string bytes(100, 'x');
    for (const Case c : {Case{0, 0, false}, Case{40, 40, false}, Case{99, 99, false}, Case{100, 100, true},
                         Case{4096, 100, true}}) {
        FaultyFileSystem fs;
        fs.limitBytes(c.budget);
        const std::string path = dir.path("out" + std::to_string(c.budget));
        const Status st = writeAll(fs, path, bytes);
        EXPECT_EQ(st.isOk(), c.ok) << c.budget;
        if (!c.ok) {
            EXPECT_EQ(st.reason(), "No space left on device") << c.budget;
        }
        EXPECT_EQ(readBytes(path).size(), c.kept) << c.budget;
        EXPECT_EQ(fs.bytesUsed(), c.kept) << c.budget;
    }
}

TEST(DiskBudget, RemovingOrReplacingACountedFileGivesItsBytesBack) {
    TempDir dir;
    FaultyFileSystem fs;
    fs.limitBytes(150);
    const std::string a = dir.path("a"), b = dir.path("b");
    ASSERT_TRUE(writeAll(fs, a, std::string(100, 'a')));
    EXPECT_FALSE(writeAll(fs, b, std::string(100, 'b')));  // 50 fitted
    EXPECT_EQ(fs.bytesUsed(), 150u);
    ASSERT_TRUE(fs.renameOver(b, a));  // a's 100 bytes are gone, b's 50 live on as a
    EXPECT_EQ(fs.bytesUsed(), 50u);
    ASSERT_TRUE(fs.remove(a));
    EXPECT_EQ(fs.bytesUsed(), 0u);
    // Bytes written before the budget are not counted: replacing them frees nothing.
    const std::string old = dir.path("old");
    test::writeBytes(old, std::vector<unsigned char>(500, 'o'));
    ASSERT_TRUE(writeAll(fs, b, std::string(10, 'b')));
    ASSERT_TRUE(fs.renameOver(b, old));
    EXPECT_EQ(fs.bytesUsed(), 10u);
}

}  // namespace
}  // namespace ql
