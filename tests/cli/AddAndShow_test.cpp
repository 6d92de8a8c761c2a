#include "CliFixture.h"

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"

namespace ql::test {
namespace {

class AddAndShow : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "€"});
    }
    FileSystem& fs = defaultFileSystem();
};

TEST_F(AddAndShow, CustomersRoundTripEveryFieldIncludingNonAsciiText) {
    EXPECT_EQ(ok({"add-customer", path, "--name", "Ørsted & Zoë GmbH", "--address", "Königstraße 12", "--city", "München",
                  "--zip", "80331", "--state", "Bayern", "--country", "Deutschland", "--phone", "+49 89 1234-0",
                  "--notes", "Rechnung per E-Mail\nZahlbar in 14 Tagen — danke"}),
              "0\n");
    EXPECT_EQ(ok({"add-customer", path, "--name", "日本の顧客"}), "1\n");

    const nlohmann::json customers = showJson("customers");
    ASSERT_EQ(customers.size(), 2u);
    const nlohmann::json& c = customers[0];
    EXPECT_EQ(c["id"], 0);
    EXPECT_EQ(c["name"], "Ørsted & Zoë GmbH");
    EXPECT_EQ(c["address"], "Königstraße 12");
    EXPECT_EQ(c["city"], "München");
    EXPECT_EQ(c["zip"], "80331");
    EXPECT_EQ(c["state"], "Bayern");
    EXPECT_EQ(c["country"], "Deutschland");
    EXPECT_EQ(c["phone"], "+49 89 1234-0");
    EXPECT_EQ(c["notes"], "Rechnung per E-Mail\nZahlbar in 14 Tagen — danke");
    EXPECT_EQ(customers[1]["name"], "日本の顧客");
    EXPECT_EQ(customers[1]["city"], "");

    // On disk, line breaks are CR LF, as in every multi-line field of the files.
    const auto stored = *findCustomerById(fs, fileSetPath(path, FileKind::Customers), 0);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->notes, "Rechnung per E-Mail\r\nZahlbar in 14 Tagen — danke");

    const std::string text = ok({"show", path, "customers"});
    EXPECT_NE(text.find("Customer 0\n  Name:    Ørsted & Zoë GmbH\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Notes:   Rechnung per E-Mail\n           Zahlbar in 14 Tagen — danke\n"), std::string::npos)
        << text;
}

TEST_F(AddAndShow, ProjectsRoundTripWithParentCustomerRateAndMemo) {
    ok({"add-customer", path, "--name", "Acme"});
    EXPECT_EQ(ok({"add-project", path, "--name", "Client work", "--customer", "0", "--rate", "40"}), "0\n");
    EXPECT_EQ(ok({"add-project", path, "--name", "Web site", "--parent", "0", "--rate", "37.5", "--memo",
                  "Relaunch — phase 1\nsee brief"}),
              "1\n");
    EXPECT_EQ(ok({"add-project", path, "--name", "Design", "--parent", "1", "--customer", "-1"}), "2\n");

    const nlohmann::json projects = showJson("projects");
    ASSERT_EQ(projects.size(), 3u);
    EXPECT_EQ(projects[0]["name"], "Client work");
    EXPECT_EQ(projects[0]["parentId"], nullptr);
    EXPECT_EQ(projects[0]["customerId"], 0);
    EXPECT_EQ(projects[0]["chargesPerHour"], 40.0);
    EXPECT_EQ(projects[1]["parentId"], 0);
    EXPECT_EQ(projects[1]["customerId"], nullptr);
    EXPECT_EQ(projects[1]["chargesPerHour"], 37.5);
    EXPECT_EQ(projects[1]["memo"], "Relaunch — phase 1\nsee brief");
    EXPECT_EQ(projects[2]["id"], 2);
    EXPECT_EQ(projects[2]["fullName"], "Client work - Web site - Design");
    EXPECT_EQ(projects[2]["chargesPerHour"], 0.0);

    const std::string text = ok({"show", path, "projects"});
    EXPECT_NE(text.find(" 1       0         -  €37.50  Client work - Web site\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Memo: Relaunch — phase 1\n          see brief\n"), std::string::npos) << text;
}

TEST_F(AddAndShow, TheNextProjectIdFollowsTheHighestNotTheCount) {
    writeProjects(fs, fileSetPath(path, FileKind::Projects), {ProjectRecord{7, "Seven", -1, 1.0, "", -1}});
    EXPECT_EQ(ok({"add-project", path, "--name", "Next"}), "8\n");
}

TEST_F(AddAndShow, TextsThatFillTheirFieldExactlyAreStoredWhole) {
    const std::string name60 = std::string(58, 'n') + "é";  // 60 bytes, 59 characters
    const std::string notes1000 = std::string(499, 'a') + "\n" + std::string(499, 'b');  // 1000 bytes with CR LF
    ok({"add-customer", path, "--name", name60, "--zip", std::string(30, '9'), "--notes", notes1000});
    const nlohmann::json c = showJson("customers")[0];
    EXPECT_EQ(c["name"], name60);
    EXPECT_EQ(c["zip"], std::string(30, '9'));
    EXPECT_EQ(c["notes"], notes1000);
}

TEST_F(AddAndShow, FramesShowTheirProjectLocalTimesMinutesAndCharge) {
    ok({"add-project", path, "--name", "Client work", "--rate", "60"});
    ok({"add-project", path, "--name", "Web site", "--parent", "0", "--rate", "37.5"});
    EXPECT_EQ(ok({"add-frame", path, "--project", "1", "--start", "1996-12-11 09:00:30", "--end", "1996-12-11 10:01:29"}),
              "");
    ok({"add-frame", path, "--project", "0", "--start", "1996-07-04 23:30", "--minutes", "90"});

    const auto frames = *loadTimeFrames(fs, fileSetPath(path, FileKind::TimeFrames));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], (TimeFrameRecord{1, local(1996, 12, 11, 9, 0, 30), local(1996, 12, 11, 10, 1, 29)}));
    EXPECT_EQ(frames[1], (TimeFrameRecord{0, local(1996, 7, 4, 23, 30), local(1996, 7, 5, 1, 0)}));

    const nlohmann::json shown = showJson("frames");
    ASSERT_EQ(shown.size(), 2u);
    const nlohmann::json& f = shown[0];
    EXPECT_EQ(f["projectId"], 1);
    EXPECT_EQ(f["projectName"], "Web site");
    EXPECT_EQ(f["projectFullName"], "Client work - Web site");
    EXPECT_EQ(f["start"], "1996-12-11T09:00:30-05:00");
    EXPECT_EQ(f["startEpoch"], frames[0].start);
    EXPECT_EQ(f["end"], "1996-12-11T10:01:29-05:00");
    EXPECT_EQ(f["endEpoch"], frames[0].end);
    EXPECT_EQ(f["minutes"], 60);  // 60 min 59 s: whole minutes only
    EXPECT_DOUBLE_EQ(f["charge"].get<double>(), 37.5 * 0.016666666666666666 * 60);
    EXPECT_EQ(shown[1]["start"], "1996-07-04T23:30:00-04:00");  // summer time
    EXPECT_EQ(shown[1]["minutes"], 90);

    const std::string text = ok({"show", path, "frames"});
    EXPECT_NE(text.find("      1  1996-12-11 09:00:30  1996-12-11 10:01:29   01:00      €37.50  Client work - Web site\n"),
              std::string::npos)
        << text;
}

// The JSON times of the years around the century's turn and the 32-bit ends, in the frames
// list and in the history, both of which write their ISO texts for themselves.
TEST_F(AddAndShow, JsonTimesAroundTheCenturyAndThe32BitEnds) {
    ok({"add-project", path, "--name", "Client work", "--rate", "60"});
    struct Case {
        const char* start;
        const char* minutes;
        const char* startIso;
        const char* endIso;
    };
    const Case cases[] = {
        {"1969-12-31 19:00", "1", "1969-12-31T19:00:00-05:00", "1969-12-31T19:01:00-05:00"},
        {"1970-01-01 00:00", "60", "1970-01-01T00:00:00-05:00", "1970-01-01T01:00:00-05:00"},
        {"1999-01-01 09:09:09", "99", "1999-01-01T09:09:09-05:00", "1999-01-01T10:48:09-05:00"},
        {"1999-07-04 12:00", "30", "1999-07-04T12:00:00-04:00", "1999-07-04T12:30:00-04:00"},
        {"1999-12-31 23:30", "60", "1999-12-31T23:30:00-05:00", "2000-01-01T00:30:00-05:00"},
        {"2000-01-01 00:00", "1", "2000-01-01T00:00:00-05:00", "2000-01-01T00:01:00-05:00"},
        {"2038-01-18 12:00", "180", "2038-01-18T12:00:00-05:00", "2038-01-18T15:00:00-05:00"},
    };
    for (const Case& c : cases) ok({"add-frame", path, "--project", "0", "--start", c.start, "--minutes", c.minutes});

    const nlohmann::json shown = showJson("frames");
    const nlohmann::json history = nlohmann::json::parse(
        ok({"history", path, "--project", "0", "--from", "1969-12-31", "--to", "@2147483647", "--sort", "date", "--json"}));
    ASSERT_EQ(shown.size(), std::size(cases));
    ASSERT_EQ(history.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(shown[i]["start"], cases[i].startIso) << cases[i].start;
        EXPECT_EQ(shown[i]["end"], cases[i].endIso) << cases[i].start;
        EXPECT_EQ(history[i]["start"], cases[i].startIso) << cases[i].start;
        EXPECT_EQ(history[i]["end"], cases[i].endIso) << cases[i].start;
    }
}

TEST_F(AddAndShow, FramesOfADeletedProjectAreListedAndRemovable) {
    ok({"add-project", path, "--name", "Gone", "--rate", "10"});
    ok({"add-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--minutes", "30"});
    writeProjects(fs, fileSetPath(path, FileKind::Projects), {});

    const nlohmann::json f = showJson("frames")[0];
    EXPECT_EQ(f["projectName"], nullptr);
    EXPECT_EQ(f["charge"], 0.0);
    EXPECT_NE(ok({"show", path, "frames"}).find("(no such project)"), std::string::npos);
    EXPECT_EQ(ok({"remove-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--end", "1996-12-11 09:30"}), "1\n");
}

TEST_F(AddAndShow, RemoveFrameRemovesEveryIdenticalCopyAndNothingElse) {
    ok({"add-project", path, "--name", "P"});
    for (const char* end : {"1996-12-11 10:00", "1996-12-11 10:00:01", "1996-12-11 10:00"})
        ok({"add-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--end", end});
    EXPECT_EQ(ok({"remove-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--end", "1996-12-11 10:00"}),
              "2\n");
    const auto left = *loadTimeFrames(fs, fileSetPath(path, FileKind::TimeFrames));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].end, local(1996, 12, 11, 10, 0, 1));

    const auto before = folderSnapshot(dir.root());
    const CliRun again = runCli({"remove-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--end", "1996-12-11 10:00"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err,
              "quillory-cli: No time frame of project 0 runs from 1996-12-11 09:00:00 to 1996-12-11 10:00:00\n");
    EXPECT_EQ(folderSnapshot(dir.root()), before);
}

TEST_F(AddAndShow, EmptyFilesShowHeadingsOrEmptyArrays) {
    EXPECT_EQ(ok({"show", path, "frames", "--json"}), "[]\n");
    EXPECT_EQ(ok({"show", path, "projects", "--json"}), "[]\n");
    EXPECT_EQ(ok({"show", path, "customers"}), "");
    EXPECT_EQ(ok({"show", path, "projects"}), "ID  Parent  Customer  Rate  Full name\n");
}

TEST_F(AddAndShow, HelpAndVersion) {
    EXPECT_EQ(ok({"--version"}), "quillory-cli 1.01\n");
    const std::string help = ok({"--help"});
    for (const char* command : {"init", "show", "add-project", "add-customer", "add-frame", "remove-frame", "totals",
                                "history", "settings", "export", "pie", "invoice", "report"})
        EXPECT_NE(help.find(command), std::string::npos) << command;
    // The PDF commands answer --help themselves, without their renderer.
    EXPECT_NE(ok({"report", "--help"}).find("history|customers|week"), std::string::npos);
    EXPECT_NE(ok({"invoice", "--help"}).find("--no-advance"), std::string::npos);
    const std::string frameHelp = ok({"add-frame", "--help"});
    EXPECT_NE(frameHelp.find("--minutes"), std::string::npos) << frameHelp;
    EXPECT_NE(frameHelp.find("YYYY-MM-DD HH:MM[:SS]"), std::string::npos) << frameHelp;
}

}  // namespace
}  // namespace ql::test
