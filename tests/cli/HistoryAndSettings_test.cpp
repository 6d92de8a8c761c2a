#include "CliFixture.h"

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/TimeFrameRecord.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/Charges.h"

#include <algorithm>

namespace ql::test {
namespace {

struct WrittenFrame {
    std::int32_t project;
    std::int32_t start;
    std::int32_t minutes;
};

// Two projects whose names sort differently by case, and frames written in an order that no
// column sorts them in. All in 1996, with "now" Wednesday 11 December 1996, 10:00.
class History : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
        ok({"add-project", path, "--name", "beta", "--rate", "60"});
        ok({"add-project", path, "--name", "Alpha", "--rate", "37.5"});
        frames = {{0, local(1996, 12, 11, 8, 0), 90},  {1, local(1996, 3, 1, 13, 5), 61},
                  {0, local(1996, 12, 9, 23, 59), 7},  {1, local(1996, 12, 11, 7, 30), 200},
                  {0, local(1995, 12, 31, 23, 0), 30}, {1, local(1996, 12, 1, 0, 0), 1}};
        for (const WrittenFrame& f : frames)
            ok({"add-frame", path, "--project", std::to_string(f.project), "--start", "@" + std::to_string(f.start),
                "--minutes", std::to_string(f.minutes)});
    }

    double rate(std::int32_t project) const { return project == 0 ? 60.0 : 37.5; }

    // The starts of the rows that --json lists, in its order.
    std::vector<std::int32_t> startsOf(const std::vector<std::string>& args) {
        const nlohmann::json rows = nlohmann::json::parse(ok(args));
        std::vector<std::int32_t> starts;
        for (const auto& row : rows) starts.push_back(row["startEpoch"].get<std::int32_t>());
        return starts;
    }

    std::int32_t startOf(std::size_t i) const { return frames[i].start; }

    std::vector<WrittenFrame> frames;
    static constexpr const char* kAt = "1996-12-11 10:00";
};

TEST_F(History, JsonRowsHoldTheFramesMinutesAndUnroundedCharges) {
    const nlohmann::json rows =
        nlohmann::json::parse(ok({"history", path, "--period", "this-year", "--at", kAt, "--sort", "date", "--json"}));
    std::vector<WrittenFrame> expected;
    std::copy_if(frames.begin(), frames.end(), std::back_inserter(expected),
                 [&](const WrittenFrame& f) { return f.start >= local(1996, 1, 1, 0, 0); });
    // By the local day only; frames of one day stay in file order.
    const auto day = [](std::int32_t t) {
        const auto l = calendar::toLocal(t);
        return l.year * 10000 + l.month * 100 + l.day;
    };
    std::stable_sort(expected.begin(), expected.end(),
                     [&](const auto& a, const auto& b) { return day(a.start) < day(b.start); });
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]["projectId"], expected[i].project);
        EXPECT_EQ(rows[i]["projectName"], expected[i].project == 0 ? "beta" : "Alpha");
        EXPECT_EQ(rows[i]["startEpoch"], expected[i].start);
        EXPECT_EQ(rows[i]["endEpoch"], expected[i].start + 60 * expected[i].minutes);
        EXPECT_EQ(rows[i]["minutes"], expected[i].minutes);
        EXPECT_DOUBLE_EQ(rows[i]["charge"].get<double>(), rate(expected[i].project) * expected[i].minutes / 60.0);
    }
    EXPECT_EQ(rows[0]["start"], "1996-03-01T13:05:00-05:00");
}

TEST_F(History, EachSortColumnOrdersAscendingWithFileOrderForTies) {
    struct Case {
        const char* sort;
        std::vector<std::size_t> order;  // indexes into frames, this year only
    };
    for (const Case& c : std::vector<Case>{
             {"project", {1, 3, 5, 0, 2}},   // "Alpha" before "beta", ignoring case
             {"date", {1, 5, 2, 0, 3}},      // 11 December's two frames keep file order
             {"time", {5, 3, 0, 1, 2}},      // 00:00, 07:30, 08:00, 13:05, 23:59
             {"duration", {5, 2, 1, 0, 3}},  // 1, 7, 61, 90, 200 minutes
             {"charges", {5, 2, 1, 0, 3}},   // 0.625, 7, 38.125, 90, 125
         }) {
        std::vector<std::int32_t> expected;
        for (std::size_t i : c.order) expected.push_back(startOf(i));
        EXPECT_EQ(startsOf({"history", path, "--period", "this-year", "--at", kAt, "--sort", c.sort, "--json"}), expected)
            << c.sort;
    }
}

TEST_F(History, PeriodsDatesAndProjectSelectByTheStart) {
    struct Case {
        std::vector<std::string> selection;
        std::vector<std::size_t> frames;  // sorted by day, then file order
    };
    for (const Case& c : std::vector<Case>{
             {{"--period", "today"}, {0, 3}},
             {{"--period", "this-week"}, {2, 0, 3}},
             {{"--period", "this-month"}, {5, 2, 0, 3}},
             {{"--period", "this-month", "--project", "0"}, {2, 0}},
             {{"--from", "1995-12-31", "--to", "1996-03-01"}, {4, 1}},
             {{"--from", "1996-12-09", "--to", "1996-12-09"}, {2}},
             {{"--from", "@" + std::to_string(local(1996, 12, 11, 7, 30)), "--to", "@" + std::to_string(local(1996, 12, 11, 7, 30))}, {3}},
             {{"--from", "1997-01-01", "--to", "1997-12-31"}, {}},
         }) {
        std::vector<std::string> args{"history", path, "--at", kAt, "--sort", "date", "--json"};
        args.insert(args.end(), c.selection.begin(), c.selection.end());
        std::vector<std::int32_t> expected;
        for (std::size_t i : c.frames) expected.push_back(startOf(i));
        EXPECT_EQ(startsOf(args), expected) << c.selection.front() << " " << c.selection[1];
    }
}

TEST_F(History, WithoutAPeriodTheSavedFilterChooses) {
    // Before a filter is saved, the dialog shows all projects of the year of now.
    EXPECT_EQ(startsOf({"history", path, "--at", kAt, "--sort", "date", "--json"}).size(), 5u);

    ASSERT_TRUE(writeHistoryFilter(defaultFileSystem(), fileSetPath(path, FileKind::HistoryFilter),
                                   {1, 4, local(1995, 12, 1, 0, 0), local(1996, 3, 31, 23, 59, 59)}));
    EXPECT_EQ(startsOf({"history", path, "--period", "saved", "--sort", "date", "--json"}),
              (std::vector<std::int32_t>{startOf(1)}));
    // --project overrides only the saved project.
    EXPECT_EQ(startsOf({"history", path, "--project", "0", "--sort", "date", "--json"}),
              (std::vector<std::int32_t>{startOf(4)}));
}

TEST_F(History, TextRowsAreTheDialogsColumnTextsInEveryLocale) {
    const std::vector<std::string> args{"history", path, "--period", "this-week", "--at", kAt, "--sort", "time"};
    const std::string expected =
        "Project\tDate\tTime\tTime charged\tCharges\n"
        "Alpha\t12/11/96\t07:30 AM\t03:20\t$125.00\n"
        "beta\t12/11/96\t08:00 AM\t01:30\t$90.00\n"
        "beta\t12/09/96\t11:59 PM\t00:07\t$7.00\n";
    EXPECT_EQ(ok(args), expected);
    for (const char* lang : {"LC_ALL=de_DE.UTF-8", "LC_ALL=en_GB.UTF-8"}) {
        const CliRun r = runCli(args, {lang, std::string("LANG=") + (lang + 7)});
        EXPECT_EQ(r.exitCode, 0) << lang << r.err;
        EXPECT_EQ(r.out, expected) << lang;
    }
}

TEST_F(History, ARepeatedDaylightSavingHourIsReachedByEpoch) {
    // 27 October 1996, 01:30 happens twice in New York; the second one is EST.
    const std::int32_t second = local(1996, 10, 27, 0, 30) + 2 * 3600;
    ok({"add-frame", path, "--project", "0", "--start", "@" + std::to_string(second), "--minutes", "10"});
    const nlohmann::json rows = nlohmann::json::parse(
        ok({"history", path, "--from", "@" + std::to_string(second), "--to", "@" + std::to_string(second + 59), "--json"}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["start"], "1996-10-27T01:30:00-05:00");
}

struct Refused {
    std::vector<std::string> args;  // "SET" stands for the path of the file set
    std::string errPart;
};

void expectRefused(const TempDir& dir, const std::string& path, const Refused& c) {
    std::vector<std::string> args;
    std::string shown;
    for (const auto& a : c.args) {
        args.push_back(a == "SET" ? path : a);
        shown += a + " ";
    }
    const auto before = folderSnapshot(dir.root());
    const CliRun r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << shown << "\n" << r.err;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_TRUE(r.err.starts_with("quillory-cli: ")) << shown << "\n" << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << "\n" << r.err;
    EXPECT_NE(r.err.find(c.errPart), std::string::npos) << shown << "\n" << r.err;
    EXPECT_EQ(folderSnapshot(dir.root()), before) << shown;
}

TEST_F(History, BadSelectionsAreMisuse) {
    for (const Refused& c : std::vector<Refused>{
             {{"history", "SET", "--period", "last-year"}, "not a period"},
             {{"history", "SET", "--from", "1996-01-01"}, "--to"},
             {{"history", "SET", "--from", "1996-01-01", "--to", "1996-12-31", "--period", "today"}, "excludes"},
             {{"history", "SET", "--from", "12/01/1996", "--to", "1996-12-31"}, "YYYY-MM-DD or @EPOCH"},
             {{"history", "SET", "--from", "1996-02-30", "--to", "1996-12-31"}, "not a date that exists"},
             {{"history", "SET", "--from", "1996-12-02", "--to", "1996-12-01"}, "is after --to"},
             {{"history", "SET", "--from", "@12x", "--to", "1996-12-31"}, "@EPOCH"},
             {{"history", "SET", "--from", "@99999999999", "--to", "1996-12-31"}, "@EPOCH"},
             {{"history", "SET", "--from", "2040-01-01", "--to", "2040-01-02"}, "32-bit"},
             {{"history", "SET", "--project", "-1"}, "not a project id"},
             {{"history", "SET", "--sort", "name"}, "--sort"},
             {{"history", "SET", "--at", "@noon"}, "@EPOCH"},
             {{"history", path + "x"}, ""},
         })
        expectRefused(dir, path, c);
}

class Settings : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
    }
};

TEST_F(Settings, SetChangesTheNamedFieldsAndKeepsTheRest) {
    const nlohmann::json before = showJson("settings")[0];
    ok({"settings", path, "--set", "companyName=Müller & Söhne", "--set", "footer=Thank you\nPay in 30 days",
        "--set", "nextInvoiceNumber=9700001", "--set", "applySalesTax=no", "--set", "salesTaxRate=19.5",
        "--set", "dateFormat=dmy", "--set", "monetarySymbol=€", "--set", "showTips=0"});
    nlohmann::json expected = before;
    expected["companyName"] = "Müller & Söhne";
    expected["footer"] = "Thank you\nPay in 30 days";
    expected["nextInvoiceNumber"] = "9700001";
    expected["applySalesTax"] = 0;
    expected["salesTaxRate"] = 19.5;
    expected["dateFormat"] = 0;
    expected["monetarySymbol"] = "€";
    expected["showTips"] = 0;
    EXPECT_EQ(showJson("settings")[0], expected);
    EXPECT_EQ(nlohmann::json::parse(ok({"settings", path, "--json"})), nlohmann::json::array({expected}));

    // The footer is stored with the record's CR LF line breaks.
    const auto bytes = readBytes(path);
    const std::string footer(bytes.begin() + 509, bytes.begin() + 509 + 25);
    EXPECT_EQ(footer, "Thank you\r\nPay in 30 days");

    // The text shown is the same bytes whatever the locale.
    const std::string shown = ok({"settings", path});
    EXPECT_NE(shown.find("Müller & Söhne"), std::string::npos);
    EXPECT_EQ(runCli({"settings", path}, {"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"}).out, shown);
}

TEST_F(Settings, AFieldLimitIsTheFieldsBytesAndNothingIsEverCut) {
    ok({"settings", path, "--set", "companyName=" + std::string(60, 'x')});
    EXPECT_EQ(showJson("settings")[0]["companyName"], std::string(60, 'x'));
    ok({"settings", path, "--set", "nextInvoiceNumber=" + std::string(40, '9')});

    // 40 "é" take 80 bytes as UTF-8 but 40 in the 8-bit form: stored whole, or refused.
    std::string accents;
    for (int i = 0; i < 40; ++i) accents += "é";
    const auto before = readBytes(path);
    const CliRun r = runCli({"settings", path, "--set", "companyName=" + accents});
    if (r.exitCode == 0) EXPECT_EQ(showJson("settings")[0]["companyName"], accents);
    else EXPECT_EQ(readBytes(path), before) << r.err;
}

// A file another installation wrote: a company name filling its field with no NUL and a NaN
// rate. Setting another field must work and leave both as they were.
TEST_F(Settings, SetOnARecordWithAFullTextAndANaNRateKeepsTheirBytes) {
    auto bytes = readBytes(path);
    std::fill_n(bytes.begin(), 61, 'N');
    std::fill_n(bytes.begin() + 1555, 8, 0xff);
    writeBytes(path, bytes);
    ok({"settings", path, "--set", "city=Springfield", "--set", "nextInvoiceNumber=9700001"});
    const nlohmann::json shown = showJson("settings")[0];
    EXPECT_EQ(shown["city"], "Springfield");
    EXPECT_EQ(shown["nextInvoiceNumber"], "9700001");
    const auto after = readBytes(path);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 61, bytes.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 1555, after.begin() + 1563, bytes.begin() + 1555));

    // A change of the full field itself is still held to the field's width.
    const Refused tooLong{{"settings", "SET", "--set", "companyName=" + std::string(61, 'x')}, "--set companyName"};
    expectRefused(dir, path, tooLong);
}

TEST_F(Settings, BadAssignmentsWriteNothing) {
    for (const Refused& c : std::vector<Refused>{
             {{"settings", "SET", "--set", "colour=red"}, "known key"},
             {{"settings", "SET", "--set", "companyName"}, "KEY=VALUE"},
             {{"settings", "SET", "--set", "companyName=" + std::string(61, 'x')}, "at most 60 bytes"},
             {{"settings", "SET", "--set", "city=two\nlines"}, "single line"},
             {{"settings", "SET", "--set", "footer=" + std::string(1001, 'f')}, "at most 1000 bytes"},
             // Any text the field holds is a number; one it cannot hold is refused.
             {{"settings", "SET", "--set", "nextInvoiceNumber=" + std::string(41, '1')}, "at most 40 bytes"},
             {{"settings", "SET", "--set", "nextInvoiceNumber=12\n13"}, "single line"},
             {{"settings", "SET", "--set", "salesTaxRate=6,5"}, "not an amount"},
             {{"settings", "SET", "--set", "applySalesTax=maybe"}, "yes, no"},
             {{"settings", "SET", "--set", "dateFormat=ymd"}, "mdy or dmy"},
             // One bad assignment stops the good ones before it too.
             {{"settings", "SET", "--set", "companyName=Fine", "--set", "showTips=2"}, "showTips"},
         })
        expectRefused(dir, path, c);
}

// A year of tens of thousands of rows is formatted in blocks by two threads: the array must
// still hold every row once, in order, whatever block it fell in.
TEST_F(CliTest, ManyRowsKeepTheirOrderAcrossFormattingBlocks) {
    ok({"init", path, "--currency", "$", "--date-order", "mdy"});
    ok({"add-project", path, "--name", "P", "--rate", "60"});
    constexpr int kRows = 40000;  // more than two blocks
    std::vector<unsigned char> bytes;
    // Written newest first, so the date sort must reverse the file.
    for (int i = kRows - 1; i >= 0; --i) {
        const std::int32_t start = local(1996, 1, 1, 0, 0) + i * 600;
        const auto record = encodeTimeFrame({0, start, start + 60 * (i % 7)});
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    writeBytes(fileSetPath(path, FileKind::TimeFrames), bytes);
    const nlohmann::json rows =
        nlohmann::json::parse(ok({"history", path, "--from", "1996-01-01", "--to", "1996-12-31", "--sort", "date", "--json"}));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRows));
    // Equal days keep file order: within a day the starts descend, and the days ascend.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::int32_t before = rows[i - 1]["startEpoch"], now = rows[i]["startEpoch"];
        const bool sameDay = calendar::dayStart(before) == calendar::dayStart(now);
        ASSERT_TRUE(sameDay ? now == before - 600 : now > before) << "row " << i;
    }
}

}  // namespace
}  // namespace ql::test
