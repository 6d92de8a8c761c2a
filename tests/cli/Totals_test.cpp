#include "CliFixture.h"

#include "cli/CliApp.h"
#include "support/FaultyFileSystem.h"

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/PeriodTotals.h"

#include <cstdio>
#include <sstream>

namespace ql::test {
namespace {

// Wednesday 11 December 1996, 10:00, with frames in each period and around its edges.
class Totals : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
        ok({"add-project", path, "--name", "Sixty", "--rate", "60"});
        ok({"add-project", path, "--name", "Thirty", "--rate", "30"});
        frame("0", "1996-12-11 08:00", "90");   // today
        frame("0", "1996-12-11 23:30", "45");   // today, though it ends tomorrow
        frame("1", "1996-12-09 00:00", "60");   // Monday: this week
        frame("0", "1996-12-08 23:59:59", "30");  // Sunday before: this month only
        frame("1", "1996-07-04 10:00", "120");  // this year
        frame("0", "1995-12-31 23:30", "60");   // last year: nowhere
        frame("1", "1996-12-11 09:00", "0");    // nothing to add
        // A frame whose project was deleted still counts its minutes, at no charge.
        ASSERT_TRUE(appendTimeFrame(defaultFileSystem(), FileSet(path), {9, local(1996, 12, 11, 7, 0), local(1996, 12, 11, 7, 10, 59)}));
    }
    void frame(const std::string& project, const std::string& start, const std::string& minutes) {
        ok({"add-frame", path, "--project", project, "--start", start, "--minutes", minutes});
    }
    static constexpr const char* kAt = "1996-12-11 10:00";
};

TEST_F(Totals, JsonRowsAreThePanelsComputationForTheGivenTime) {
    const nlohmann::json rows = nlohmann::json::parse(ok({"totals", path, "--at", kAt, "--json"}));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0]["label"], "Today (12/11/1996)");
    EXPECT_EQ(rows[1]["label"], "This week (12/09/1996 - 12/15/1996)");
    EXPECT_EQ(rows[2]["label"], "This month (12/01/1996 - 12/31/1996)");
    EXPECT_EQ(rows[3]["label"], "This year (01/01/1996 - 12/31/1996)");
    EXPECT_EQ(rows[0]["minutes"], 90 + 45 + 10);
    EXPECT_EQ(rows[1]["minutes"], 145 + 60);
    EXPECT_EQ(rows[2]["minutes"], 205 + 30);
    EXPECT_EQ(rows[3]["minutes"], 235 + 120);
    EXPECT_NEAR(rows[0]["charge"].get<double>(), 135.0, 1e-9);
    EXPECT_NEAR(rows[3]["charge"].get<double>(), 135.0 + 30.0 + 30.0 + 60.0, 1e-9);
    EXPECT_EQ(rows[1]["start"], "1996-12-09T00:00:00-05:00");
    EXPECT_EQ(rows[1]["end"], "1996-12-15T23:59:59-05:00");
    EXPECT_EQ(rows[1]["startEpoch"], local(1996, 12, 9, 0, 0));

    // The same function the main view calls gives the same numbers, to the last bit.
    const PeriodTotals inProcess = computeTotals(defaultFileSystem(), FileSet(path), local(1996, 12, 11, 10, 0));
    for (std::size_t i = 0; i < kPeriodCount; ++i) {
        EXPECT_EQ(rows[i]["label"], inProcess.periods[i].label);
        EXPECT_EQ(rows[i]["minutes"], inProcess.periods[i].minutes);
        EXPECT_EQ(rows[i]["charge"].get<double>(), inProcess.periods[i].charges);
    }
}

// The settings checked for the set are the ones the totals take: each file is read once.
TEST_F(Totals, EachFileOfTheSetIsReadOnce) {
    FaultyFileSystem fs;
    const FixedClock clock(local(1996, 12, 11, 10, 0));
    const std::vector<std::string> args{"quillory-cli", "totals", path, "--at", kAt};
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    ASSERT_EQ(cli::runCli(static_cast<int>(argv.size()), argv.data(), out, err, fs, clock), 0) << err.str();
    const FileSet set(path);
    for (const std::string& file : {set.settings(), set.projects(), set.timeFrames()}) EXPECT_EQ(fs.reads(file), 1) << file;
}

TEST_F(Totals, TextLooksLikeThePanel) {
    EXPECT_EQ(ok({"totals", path, "--at", kAt}),
              "Total charges for...                   Time  Charges\n"
              "Today (12/11/1996)                    02:25  $135.00\n"
              "This week (12/09/1996 - 12/15/1996)   03:25  $165.00\n"
              "This month (12/01/1996 - 12/31/1996)  03:55  $195.00\n"
              "This year (01/01/1996 - 12/31/1996)   05:55  $255.00\n");
}

TEST_F(Totals, AnUnreadableFileIsAFailureNotAZeroOrUnpricedTotal) {
    const std::string prj = fileSetPath(path, FileKind::Projects);
    std::remove(prj.c_str());
    const CliRun noProjects = runCli({"totals", path, "--at", kAt});
    EXPECT_EQ(noProjects.exitCode, 1);
    EXPECT_EQ(noProjects.out, "");
    EXPECT_EQ(noProjects.err, "quillory-cli: Cannot open project file : " + prj + " (No such file or directory)\n");

    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    std::remove(tfr.c_str());
    const CliRun noFrames = runCli({"totals", path, "--at", kAt, "--json"});
    EXPECT_EQ(noFrames.exitCode, 1);
    EXPECT_EQ(noFrames.out, "");
    EXPECT_EQ(noFrames.err, "quillory-cli: Cannot open time frames file : " + tfr + " (No such file or directory)\n");
}

TEST_F(Totals, ABadTimeOrPathIsMisuse) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"totals", path, "--at", "1996-12-32 10:00"}, {"totals", path, "--at", "2039-01-01 00:00"},
          {"totals", path, "--at"}, {"totals", dir.path("None.qlr")}}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace ql::test
