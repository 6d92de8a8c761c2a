#include "CliFixture.h"

#include "core/store/FileSet.h"

#include <cstdio>

namespace ql::test {
namespace {

struct BadCase {
    std::vector<std::string> args;  // "SET" stands for the path of the file set
    int exitCode;
    std::string errPart;  // must appear in the one-line message
};

// A populated file set: customer 0, projects 0 and 1 (1 under 0), one frame.
class BadInput : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        init();
        ok({"add-customer", path, "--name", "Acme"});
        ok({"add-project", path, "--name", "Client", "--customer", "0", "--rate", "40"});
        ok({"add-project", path, "--name", "Task", "--parent", "0"});
        ok({"add-frame", path, "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "30"});
    }

    void expectRefused(const BadCase& c) {
        std::vector<std::string> args;
        for (const auto& a : c.args) args.push_back(a == "SET" ? path : a);
        std::string shown;
        for (const auto& a : c.args) shown += a + " ";
        const auto before = folderSnapshot(dir.root());
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << shown << "\n" << r.err;
        EXPECT_TRUE(r.err.starts_with("quillory-cli: ")) << shown << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << "\n" << r.err;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << shown << "\n" << r.err;
        EXPECT_EQ(folderSnapshot(dir.root()), before) << shown;
    }
};

TEST_F(BadInput, UnknownCommandsOptionsAndMissingValuesAreMisuse) {
    for (const BadCase& c : std::vector<BadCase>{
             {{}, 2, "subcommand is required"},
             {{"frobnicate", "SET"}, 2, "frobnicate"},
             {{"add-project", "SET", "--name", "X", "--colour", "red"}, 2, "--colour"},
             {{"add-project", "SET", "--name"}, 2, "--name"},
             {{"add-project", "SET"}, 2, "--name"},
             {{"add-project"}, 2, "FILE"},
             {{"show", "SET", "frame"}, 2, "frame"},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00"}, 2, "exactly one of --end and --minutes"},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--end", "1996-12-11 10:00",
               "--minutes", "5"},
              2, "excludes"},
             {{"remove-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00"}, 2, "--end"},
         })
        expectRefused(c);
}

TEST_F(BadInput, MalformedNumbersAreRefused) {
    for (const BadCase& c : std::vector<BadCase>{
             {{"add-frame", "SET", "--project", "abc", "--start", "1996-12-11 09:00", "--minutes", "5"}, 2, "not a whole number"},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "ten"}, 2, "not a whole number"},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "-5"}, 2, "negative"},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "1.5"}, 2, "not a whole number"},
             {{"add-project", "SET", "--name", "X", "--parent", "1x"}, 2, "not a whole number"},
             {{"add-project", "SET", "--name", "X", "--parent", "99999999999"}, 2, "out of range"},
             {{"add-project", "SET", "--name", "X", "--rate", "12,50"}, 2, "not an amount"},
             {{"add-project", "SET", "--name", "X", "--rate", "-3"}, 2, "negative"},
             {{"add-project", "SET", "--name", "X", "--rate", "1e3"}, 2, "not an amount"},
             {{"add-project", "SET", "--name", "X", "--rate", "nan"}, 2, "not an amount"},
         })
        expectRefused(c);
}

TEST_F(BadInput, DatesThatDoNotExistOrDoNotFit32BitsAreRefused) {
    auto frame = [](const std::string& start, const std::string& end) {
        return std::vector<std::string>{"add-frame", "SET", "--project", "1", "--start", start, "--end", end};
    };
    for (const BadCase& c : std::vector<BadCase>{
             {frame("1996-02-30 10:00", "1996-03-01 10:00"), 2, "not a date and time that exists"},
             {frame("1997-02-29 10:00", "1997-03-01 10:00"), 2, "not a date and time that exists"},
             {frame("1996-13-01 10:00", "1996-12-01 10:00"), 2, "not a date and time that exists"},
             {frame("1996-12-11 24:00", "1996-12-12 10:00"), 2, "not a date and time that exists"},
             {frame("1996-12-11 10:60", "1996-12-12 10:00"), 2, "not a date and time that exists"},
             {frame("1996-04-07 02:30", "1996-04-07 04:00"), 2, "does not exist in the local time zone"},  // clocks went forward
             {frame("11/12/1996 10:00", "1996-12-12 10:00"), 2, "YYYY-MM-DD HH:MM[:SS]"},
             {frame("1996-12-11", "1996-12-12 10:00"), 2, "YYYY-MM-DD HH:MM[:SS]"},
             {frame("1996-12-11 10:00 ", "1996-12-12 10:00"), 2, "YYYY-MM-DD HH:MM[:SS]"},
             {frame("1901-12-13 10:00", "1996-12-12 10:00"), 2, "32-bit"},
             {frame("2038-01-18 10:00", "2038-01-18 22:14:08"), 2, "32-bit"},  // one second past the last
             {frame("1996-12-11 10:00", "2040-01-01 00:00"), 2, "32-bit"},
             {{"add-frame", "SET", "--project", "1", "--start", "2038-01-18 10:00", "--minutes", "1000"}, 2, "32-bit"},
             {frame("1996-12-11 10:00", "1996-12-11 09:59:59"), 2, "before --start"},
             {{"remove-frame", "SET", "--project", "1", "--start", "1996-12-11 10:00", "--end", "1996-12-11 09:00"}, 2,
              "before --start"},
         })
        expectRefused(c);
}

TEST_F(BadInput, IdsThatNameNoRecordAreRefused) {
    for (const BadCase& c : std::vector<BadCase>{
             {{"add-frame", "SET", "--project", "7", "--start", "1996-12-11 09:00", "--minutes", "5"}, 2,
              "--project: there is no project with id 7"},
             {{"add-frame", "SET", "--project", "-1", "--start", "1996-12-11 09:00", "--minutes", "5"}, 2,
              "no project with id -1"},
             {{"add-project", "SET", "--name", "X", "--parent", "5"}, 2, "--parent: there is no project with id 5"},
             {{"add-project", "SET", "--name", "X", "--customer", "3"}, 2, "--customer: there is no customer with id 3"},
         })
        expectRefused(c);
}

TEST_F(BadInput, TextsLongerThanTheirFieldAreRefusedNotCut) {
    const std::string e61 = [] {
        std::string s;
        for (int i = 0; i < 61; ++i) s += "é";  // 122 bytes, and 61 in its 8-bit form
        return s;
    }();
    for (const BadCase& c : std::vector<BadCase>{
             {{"add-project", "SET", "--name", std::string(61, 'x')}, 2, "at most 60 bytes"},
             {{"add-project", "SET", "--name", e61}, 2, "the text is 122 bytes long"},
             {{"add-project", "SET", "--name", "X", "--memo", std::string(1001, 'm')}, 2, "at most 1000 bytes"},
             // 1000 characters, but the line break is stored as CR LF
             {{"add-project", "SET", "--name", "X", "--memo", std::string(500, 'm') + "\n" + std::string(499, 'm')}, 2,
              "1001 bytes long"},
             {{"add-customer", "SET", "--name", "X", "--city", std::string(31, 'c')}, 2, "--city"},
             {{"add-customer", "SET", "--name", "X", "--address", std::string(61, 'a')}, 2, "--address"},
             {{"add-customer", "SET", "--name", "X", "--zip", std::string(31, '1')}, 2, "--zip"},
             {{"add-customer", "SET", "--name", "X", "--state", std::string(31, 's')}, 2, "--state"},
             {{"add-customer", "SET", "--name", "X", "--country", std::string(31, 'c')}, 2, "--country"},
             {{"add-customer", "SET", "--name", "X", "--phone", std::string(31, '5')}, 2, "--phone"},
             {{"add-customer", "SET", "--name", "X", "--notes", std::string(1001, 'n')}, 2, "--notes"},
             {{"add-customer", "SET", "--name", ""}, 2, "cannot be empty"},
             {{"add-customer", "SET", "--name", "two\nlines"}, 2, "single line"},
             {{"add-customer", "SET", "--name", "bad \xff byte"}, 2, "not valid UTF-8"},
         })
        expectRefused(c);
}

TEST_F(BadInput, PathsThatAreNoFileSetAreRefused) {
    test::writeBytes(dir.path("Empty.qlr"), {});
    for (const BadCase& c : std::vector<BadCase>{
             {{"show", dir.path("Other.qlr"), "settings"}, 2, "is not a file set"},
             {{"add-customer", dir.path("Other.qlr"), "--name", "X"}, 2, "is not a file set"},
             {{"add-project", dir.path("Empty.qlr"), "--name", "X"}, 2, "holds no settings record"},
             {{"show", dir.root(), "projects"}, 2, "is not a file set"},
             {{"show", "ab", "projects"}, 2, "is not a file set"},
         })
        expectRefused(c);
}

TEST_F(BadInput, AMissingProjectsOrCustomersFileFailsWithTheStoresMessage) {
    const std::string prj = fileSetPath(path, FileKind::Projects);
    const std::string cus = fileSetPath(path, FileKind::Customers);
    std::remove(prj.c_str());
    std::remove(cus.c_str());
    for (const BadCase& c : std::vector<BadCase>{
             {{"show", "SET", "projects"}, 1, "Cannot open project file : " + prj},
             {{"show", "SET", "frames"}, 1, "Cannot open project file : " + prj},
             {{"add-project", "SET", "--name", "X"}, 1, "Cannot open project file : " + prj},
             {{"show", "SET", "customers"}, 1, "Cannot open Customers file : " + cus},
             {{"add-customer", "SET", "--name", "X"}, 1, "Cannot open Customers file : " + cus},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "5"}, 1,
              "Cannot open project file : " + prj},
         })
        expectRefused(c);
}

TEST_F(BadInput, AMissingTimeFramesFileFailsWithTheStoresMessage) {
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    std::remove(tfr.c_str());
    for (const BadCase& c : std::vector<BadCase>{
             {{"show", "SET", "frames"}, 1, "Cannot open time frames file : " + tfr},
             {{"add-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--minutes", "5"}, 1,
              "Cannot open time frames file : " + tfr},
             {{"remove-frame", "SET", "--project", "1", "--start", "1996-12-11 09:00", "--end", "1996-12-11 09:30"}, 1,
              "Cannot open time frames file : " + tfr},
         })
        expectRefused(c);
}

}  // namespace
}  // namespace ql::test
