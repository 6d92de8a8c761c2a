#include "CliFixture.h"

#include "support/SpecialFiles.h"

#include <fstream>

namespace ql::test {
namespace {

// One customer billed by one project with one frame, so every output has lines.
class OutputTargets : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
        ok({"add-customer", path, "--name", "Harbour Lights Ltd"});
        ok({"add-project", path, "--name", "Harbour", "--customer", "0", "--rate", "45"});
        ok({"add-frame", path, "--project", "0", "--start", "1996-11-05 14:15", "--minutes", "150"});
    }

    std::vector<std::string> exportTo(const std::string& out) const {
        return {"export", path, "--user", "Ada", "--from", "1996-11-01", "--to", "1996-11-30", "--out", out};
    }
};

TEST_F(OutputTargets, ExportIntoAFifoStreamsItAndKeepsTheFifo) {
    const std::string expected = ok(exportTo("-"));
    FifoReader fifo(dir.path("pipe"));
    ASSERT_TRUE(fifo.made());
    EXPECT_EQ(ok(exportTo(fifo.path())), "");
    EXPECT_EQ(fifo.received(), expected);
    EXPECT_TRUE(isFifo(fifo.path()));
}

TEST_F(OutputTargets, ExportIntoStdoutThatIsAPipeReachesTheReader) {
    const std::string expected = ok(exportTo("-"));
    const std::string status = dir.path("status");
    // The command's stdout is a pipe into cat; its exit code goes to a file of its own.
    std::vector<std::string> args{"-c", "{ \"$0\" \"$@\"; echo $? > " + status + "; } | cat", QUILLORY_CLI_PATH};
    const auto command = exportTo("/dev/stdout");
    args.insert(args.end(), command.begin(), command.end());
    const CliRun r = runProgram("/bin/sh", args);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, expected);
    const auto code = readBytes(status);
    EXPECT_EQ(std::string(code.begin(), code.end()), "0\n");
}

TEST_F(OutputTargets, ExportIntoAFullDeviceFailsWithItsReasonAndKeepsTheDevice) {
    const std::string full = memoryDevice(dir.path("full"), 7, "/dev/full");
    const CliRun r = runCli(exportTo(full));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "quillory-cli: Cannot write the export file : " + full + " (No space left on device)\n");
    EXPECT_TRUE(isCharacterDevice(full));
}

// The PDF commands fail on a full device as the text outputs do: the phrase and the reason.
TEST_F(OutputTargets, PdfOutputsIntoAFullDeviceFailWithTheirReasonAndKeepTheDevice) {
    const std::string full = memoryDevice(dir.path("full"), 7, "/dev/full");
    const std::vector<std::vector<std::string>> commands{
        {"report", path, "history", "--pdf", full},
        {"report", path, "customers", "--pdf", full},
        {"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--pdf", full},
    };
    for (const auto& command : commands) {
        const CliRun r = runCli(command);
        EXPECT_EQ(r.exitCode, 1) << command[2];
        EXPECT_EQ(r.err, "quillory-cli: Cannot write PDF file : " + full + " (No space left on device)\n") << command[2];
        EXPECT_TRUE(isCharacterDevice(full));
    }
}

// An output named as a file of the set it is made from would overwrite the records.
TEST_F(OutputTargets, AnOutputOverAFileOfTheSetIsRefusedAndTheSetKeepsItsBytes) {
    std::filesystem::create_symlink(dir.path("Work.tfr"), dir.path("frames.tsv"));
    const std::vector<std::vector<std::string>> commands{
        exportTo(dir.path("Work.tfr")),
        exportTo(dir.path("frames.tsv")),
        {"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--text", path},
        {"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--text", dir.path("Work.prj")},
        {"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--pdf", dir.path("Work.cus")},
        {"report", path, "history", "--pdf", dir.path("Work.tfr")},
    };
    const auto before = folderSnapshot(dir.path(""));
    for (const auto& command : commands) {
        const CliRun r = runCli(command);
        const std::string& target = command.back();
        EXPECT_EQ(r.exitCode, 2) << target;
        EXPECT_EQ(r.err, "quillory-cli: '" + target + "' is a file of the set being read\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << target;
    }
}

// A producer that cannot read the set says so in its own words, whatever the output is, and
// leaves no output file: neither a new one nor a temporary beside an older one.
TEST_F(OutputTargets, AnExportWithoutItsFramesFileSaysSoAndLeavesNoFile) {
    const std::string frames = dir.path("Work.tfr");
    std::filesystem::remove(frames);
    const std::string older = dir.path("older.tsv");
    std::ofstream(older) << "older export\n";
    const std::vector<std::string> targets{dir.path("new.tsv"), older, "-"};
    const auto before = folderSnapshot(dir.path(""));
    for (const std::string& target : targets) {
        const CliRun r = runCli(exportTo(target));
        EXPECT_EQ(r.exitCode, 1) << target;
        EXPECT_EQ(r.err.rfind("quillory-cli: Cannot open time frames file : " + frames, 0), 0u) << target << ": " << r.err;
        EXPECT_EQ(r.err.find("export file"), std::string::npos) << r.err;
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << target;
    }
}

}  // namespace
}  // namespace ql::test
