#include "CliFixture.h"

#include "cli/CliApp.h"
#include "core/store/FileSet.h"
#include "support/FaultyFileSystem.h"

#include <filesystem>
#include <sstream>

namespace ql::test {
namespace {

class LinksAndWarnings : public CliTest {};

// A record file of the set linked to a file of the user's that is no record file: neither a
// write nor a new set over it may touch that file.
TEST_F(LinksAndWarnings, AWriteOrANewSetThroughALinkLeavesAFileOutOfTheSetByteForByte) {
    const struct {
        const char* name;
        std::vector<std::string> args;  // the set's path goes after the command
        const char* phrase;
    } cases[] = {
        {"add-frame", {"add-frame", "--project", "0", "--start", "1996-12-11 09:00", "--minutes", "30"},
         "Cannot open time frames file : "},
        {"init --force", {"init", "--force"}, "Cannot create new project"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        path = folder.path("Work.qlr");
        init();
        ok({"add-project", path, "--name", "A"});
        const FileSet set(path);
        // 30 bytes: a "torn tail" of 6 bytes to a reader of 12-byte records.
        const std::string notes = folder.path("notes.txt");
        const std::string line = "keep me as I am\nline two of 2\n";
        const std::vector<unsigned char> text(line.begin(), line.end());
        writeBytes(notes, text);
        std::filesystem::remove(set.timeFrames());
        std::filesystem::create_symlink(notes, set.timeFrames());
        const auto projects = readBytes(set.projects());

        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, path);
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(c.phrase), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(set.timeFrames() + " is a link to " + notes), std::string::npos) << r.err;
        EXPECT_EQ(readBytes(notes), text);
        EXPECT_TRUE(std::filesystem::is_symlink(set.timeFrames()));
        EXPECT_EQ(readBytes(set.projects()), projects);
    }
}

TEST_F(LinksAndWarnings, AProjectAddedWhoseFolderCannotBeSyncedIsReportedAddedWithAWarning) {
    init();
    FaultyFileSystem fs;
    fs.failOn(FaultyFileSystem::Op::SyncFolder, dir.root());
    const FixedClock clock(local(1996, 12, 11, 10, 0));
    const std::vector<std::string> args{"quillory-cli", "add-project", path, "--name", "Client work"};
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;

    const int code = cli::runCli(static_cast<int>(argv.size()), argv.data(), out, err, fs, clock);

    EXPECT_EQ(code, 0) << err.str();
    EXPECT_EQ(out.str(), "0\n");
    EXPECT_EQ(err.str(), "quillory-cli: warning: " + FileSet(path).projects() +
                             " is saved but may not yet be on disk (Input/output error)\n");
    const auto projects = showJson("projects");
    ASSERT_EQ(projects.size(), 1u);
    EXPECT_EQ(projects[0]["name"], "Client work");
}

}  // namespace
}  // namespace ql::test
