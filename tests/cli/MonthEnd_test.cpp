#include "CliFixture.h"

#include "core/store/TimeFrames.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace ql::test {
namespace {

const std::vector<std::string> kGerman{"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"};

std::string fileText(const std::string& path) {
    const auto bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Two customers; Harbour and its sub-project Website bill the first, Catalogue the second.
// The frames lie around November 1996, in New York time, and are written out of order.
class MonthEnd : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
        ok({"add-customer", path, "--name", "Harbour Lights Ltd", "--city", "Bristol"});
        ok({"add-customer", path, "--name", "Quay Books"});
        ok({"add-project", path, "--name", "Harbour", "--customer", "0", "--rate", "45"});
        ok({"add-project", path, "--name", "Website", "--parent", "0", "--customer", "0", "--rate", "60"});
        ok({"add-project", path, "--name", "Catalogue", "--customer", "1", "--rate", "30"});
        addFrame(1, "1996-11-04 09:00", 90);
        addFrame(0, "1996-11-05 14:15", 150);
        addFrame(2, "1996-11-05 08:00", 60);
        addFrame(0, "1996-12-02 10:00", 30);
        addFrame(0, "1996-10-31 23:30", 45);
    }

    void addFrame(int project, const std::string& start, int minutes) {
        ok({"add-frame", path, "--project", std::to_string(project), "--start", start, "--minutes", std::to_string(minutes)});
    }

    // Runs a command that writes a PDF and returns its text, one string per page.
    std::vector<std::string> pdfPages(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        const CliRun r = runCli(args, env);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const CliRun text = runProgram("/usr/bin/pdftotext", {"-layout", args.back(), "-"});
        EXPECT_EQ(text.exitCode, 0) << text.err;
        std::vector<std::string> pages;
        std::size_t from = 0;
        for (std::size_t ff; (ff = text.out.find('\f', from)) != std::string::npos; from = ff + 1)
            pages.push_back(text.out.substr(from, ff - from));
        return pages;
    }

    std::string nextInvoiceNumber() { return showJson("settings")[0]["nextInvoiceNumber"]; }
};

TEST_F(MonthEnd, ExportWritesTheDialogsLinesForEachChoice) {
    const std::string header = "User\tProject\tDate\tTime\tDuration\r\n";
    struct Case {
        std::vector<std::string> options;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{
             {{},  // the dialog's 1980 to 1999, every project, in file order
              header + "Ada\tWebsite\t11/04/96\t09:00 AM\t01:30\r\nAda\tHarbour\t11/05/96\t02:15 PM\t02:30\r\n"
                       "Ada\tCatalogue\t11/05/96\t08:00 AM\t01:00\r\nAda\tHarbour\t12/02/96\t10:00 AM\t00:30\r\n"
                       "Ada\tHarbour\t10/31/96\t11:30 PM\t00:45\r\n"},
             {{"--from", "1996-11-01", "--to", "1996-11-30"},
              header + "Ada\tWebsite\t11/04/96\t09:00 AM\t01:30\r\nAda\tHarbour\t11/05/96\t02:15 PM\t02:30\r\n"
                       "Ada\tCatalogue\t11/05/96\t08:00 AM\t01:00\r\n"},
             {{"--project", "0", "--minutes"},  // one project, without its sub-project
              header + "Ada\tHarbour\t11/05/96\t02:15 PM\t150\r\nAda\tHarbour\t12/02/96\t10:00 AM\t30\r\n"
                       "Ada\tHarbour\t10/31/96\t11:30 PM\t45\r\n"},
             {{"--24-hour", "--one-field", "--from", "1996-11-05", "--to", "1996-11-05"},
              "User\tProject\tDate Time\tDuration\r\nAda\tHarbour\t11/05/96 14:15\t02:30\r\n"
              "Ada\tCatalogue\t11/05/96 08:00\t01:00\r\n"},
         }) {
        std::vector<std::string> args{"export", path, "--user", "Ada"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(ok(args), c.expected) << ::testing::PrintToString(c.options);
        const CliRun german = runCli(args, kGerman);
        EXPECT_EQ(german.out, c.expected) << "under de_DE";
    }
}

TEST_F(MonthEnd, ExportToAFileReplacesItWholeOrLeavesItAsItWas) {
    const std::string out = dir.path("march.tsv");
    std::ofstream(out) << "an older export";
    ASSERT_EQ(::chmod(out.c_str(), 0640), 0);
    const std::string printed = ok({"export", path, "--user", "Ada"});
    EXPECT_EQ(ok({"export", path, "--user", "Ada", "--out", out}), "");
    EXPECT_EQ(fileText(out), printed);
    struct stat st {};
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    const auto before = folderSnapshot(dir.path(""));
    const CliRun missingFolder = runCli({"export", path, "--out", dir.path("no/such/folder.tsv")});
    EXPECT_EQ(missingFolder.exitCode, 1);
    EXPECT_NE(missingFolder.err.find("Cannot write the export file : "), std::string::npos) << missingFolder.err;
    EXPECT_EQ(folderSnapshot(dir.path("")), before);
}

TEST_F(MonthEnd, PieGivesMinutesPerNameInFirstMetOrderWithShares) {
    const std::string expected = "Project\tTime\tMinutes\tShare\nWebsite\t1:30\t90\t30.00%\n"
                                 "Harbour\t2:30\t150\t50.00%\nCatalogue\t1:00\t60\t20.00%\n";
    const std::vector<std::string> november{"pie", path, "--from", "1996-11-01", "--to", "1996-11-30"};
    EXPECT_EQ(ok(november), expected);
    EXPECT_EQ(runCli(november, kGerman).out, expected);

    std::vector<std::string> asJson = november;
    asJson.push_back("--json");
    const nlohmann::json slices = nlohmann::json::parse(ok(asJson));
    ASSERT_EQ(slices.size(), 3u);
    const std::pair<const char*, int> names[] = {{"Website", 90}, {"Harbour", 150}, {"Catalogue", 60}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(slices[i]["name"], names[i].first);
        EXPECT_EQ(slices[i]["minutes"], names[i].second);
        EXPECT_DOUBLE_EQ(slices[i]["share"].get<double>(), names[i].second / 300.0);
    }
    EXPECT_EQ(slices[0]["colour"], "#ff0000");  // the palette starts at red

    const nlohmann::json december =
        nlohmann::json::parse(ok({"pie", path, "--period", "this-month", "--at", "1996-12-11 10:00", "--json"}));
    ASSERT_EQ(december.size(), 1u);
    EXPECT_EQ(december[0]["minutes"], 30);
}

TEST_F(MonthEnd, InvoiceTextHoldsOneCustomersMonthAndAdvancesTheNumber) {
    ASSERT_EQ(nextInvoiceNumber(), "9600001");
    const std::string text = dir.path("invoice.txt");
    ok({"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--text", text});
    const std::string written = fileText(text);
    // By project name, then start: Harbour before Website; Catalogue bills the other customer.
    const std::string lines = "Harbour\t11/05/1996\t14:15\t02:30\t$45.00\t$112.50\t\n"
                              "Website\t11/04/1996\t09:00\t01:30\t$60.00\t$90.00\t\n";
    EXPECT_NE(written.find("9600001"), std::string::npos) << written;
    EXPECT_NE(written.find(lines), std::string::npos) << written;
    EXPECT_NE(written.find("$202.50"), std::string::npos) << written;
    EXPECT_EQ(written.find("Catalogue"), std::string::npos);
    EXPECT_EQ(nextInvoiceNumber(), "9600002");

    // A number of one's own counts on from its last digits; --no-advance leaves it.
    // Issued on the same day, since the invoice shows its issue date.
    EXPECT_EQ(ok({"invoice", path, "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30", "--number", "96-15",
                  "--at", "1996-11-20 12:00", "--text", "-", "--rebill"}),
              [&] {
                  std::string same = written;
                  same.replace(same.find("9600001"), 7, "96-15");
                  return same;
              }());
    EXPECT_EQ(nextInvoiceNumber(), "96-16");
    ok({"invoice", path, "--customer", "0", "--text", "-", "--no-advance", "--rebill"});
    EXPECT_EQ(nextInvoiceNumber(), "96-16");
    const CliRun german =
        runCli({"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00", "--number", "1", "--text", "-", "--rebill"}, kGerman);
    EXPECT_NE(german.out.find(lines), std::string::npos) << german.out;

    // Every byte, the cents of the totals and the tax included, is the same in every locale.
    const std::vector<std::string> again{"invoice", path, "--customer", "0", "--at", "1996-11-20 12:00",
                                         "--text", "-", "--no-advance", "--rebill"};
    const std::string plain = ok(again);
    EXPECT_NE(plain.find("\nTOTAL: $202.50\nSales Tax :  (6.00%): $12.15\nTOTAL + Sales Tax : : $214.65\n"),
              std::string::npos)
        << plain;
    EXPECT_EQ(runCli(again, kGerman).out, plain);
}

// Scripts that invoice at once never take the same number.
TEST_F(MonthEnd, InvoicesWrittenAtOnceTakeDifferentNumbers) {
    constexpr int kWriters = 6;
    std::vector<pid_t> writers;
    for (int i = 0; i < kWriters; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const CliRun r = runCli({"invoice", path, "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30",
                                     "--rebill", "--text", dir.path("invoice" + std::to_string(i) + ".txt")});
            _exit(r.exitCode);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::string> numbers;
    for (int i = 0; i < kWriters; ++i) {
        const std::string text = fileText(dir.path("invoice" + std::to_string(i) + ".txt"));
        numbers.insert(text.substr(0, text.find('\n')));
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kWriters));
    EXPECT_EQ(nextInvoiceNumber(), std::to_string(9600001 + kWriters));
}

TEST_F(MonthEnd, InvoicePdfHasThirtyLinesAPage) {
    for (int i = 0; i < 31; ++i) addFrame(2, "1996-11-" + std::string(i < 9 ? "0" : "") + std::to_string(i / 2 + 1) +
                                                 (i % 2 ? " 13:00" : " 09:00"), 60);
    const std::vector<std::string> pages = pdfPages({"invoice", path, "--customer", "1", "--from", "1996-11-01", "--to",
                                                     "1996-11-30", "--pdf", dir.path("quay.pdf")});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("Quay Books"), std::string::npos);
    EXPECT_NE(pages[0].find("9600001"), std::string::npos);
    EXPECT_NE(pages[1].find("Page 2"), std::string::npos);
    EXPECT_NE(pages[1].find("$960.00"), std::string::npos) << pages[1];  // 32 hours at $30
    EXPECT_EQ(nextInvoiceNumber(), "9600002");
}

TEST_F(MonthEnd, ReportsArePrintedAsTheirPreviewInEveryLocale) {
    struct Case {
        const char* report;
        const char* at;
        std::vector<std::string> texts;
        std::vector<std::string> options = {};
    };
    for (const Case& c : std::vector<Case>{
             {"history", "1996-11-20 12:00", {"History of charges", "Harbour", "Website", "Catalogue", "112.50"}},
             {"customers", "1996-11-20 12:00", {"List of Customers", "Harbour Lights Ltd", "Quay Books", "Bristol"}},
             {"week", "1996-11-06 12:00", {"Monday, 4 November", "Sunday, 10 November", "Website", "Catalogue", "19:00"}},
             {"week", "1996-11-06 12:00", {"07:00", "09:00"}, {"--hours", "6-10"}},  // labels between the hours
         }) {
        const std::string pdf = dir.path(std::string(c.report) + ".pdf");
        std::vector<std::string> args{"report", path, c.report, "--at", c.at};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"--pdf", pdf});
        const std::vector<std::string> pages = pdfPages(args);
        ASSERT_EQ(pages.size(), 1u) << c.report;
        for (const std::string& t : c.texts) EXPECT_NE(pages[0].find(t), std::string::npos) << c.report << ": " << t;
        EXPECT_EQ(pdfPages(args, kGerman), pages) << c.report << " under de_DE";
    }
}

TEST_F(MonthEnd, BadInputIsRefusedInOneLineAndWritesNothing) {
    const std::string out = dir.path("out");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", path, "--project", "9"},
             {"export", path, "--project", "-1"},
             {"export", path, "--from", "1996-11-01"},
             {"export", path, "--from", "1996-02-30", "--to", "1996-03-01"},
             {"export", path, "--from", "1996-12-01", "--to", "1996-11-01"},
             {"export", dir.path("None.qlr"), "--out", out},
             {"pie", path, "--period", "saved"},
             {"pie", path, "--period", "today", "--from", "1996-11-01", "--to", "1996-11-02"},
             {"invoice", path, "--customer", "7", "--text", out},
             {"invoice", path, "--customer", "x", "--text", out},
             {"invoice", path, "--customer", "0"},
             {"invoice", path, "--customer", "0", "--text", out, "--pdf", out + ".pdf"},
             {"invoice", path, "--customer", "0", "--number", std::string(32, '7'), "--text", out},
             {"invoice", path, "--customer", "0", "--number", "\xff", "--text", out},
             {"invoice", path, "--customer", "7", "--pdf", out + ".pdf"},
             {"report", path, "monthly", "--pdf", out + ".pdf"},
             {"report", path, "history"},
             {"report", path, "week", "--at", "1996-13-01 10:00", "--pdf", out + ".pdf"},
             {"report", dir.path("None.qlr"), "customers", "--pdf", out + ".pdf"},
             {"report", path, "week", "--hours", "20-8", "--pdf", out + ".pdf"},
             {"report", path, "history", "--hours", "8-20", "--pdf", out + ".pdf"},
         }) {
        const auto before = folderSnapshot(dir.path(""));
        const CliRun r = runCli(args);
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(r.exitCode, 2) << shown << r.err;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << shown;
    }
}

TEST_F(MonthEnd, AFailedPdfLeavesTheNumberAndWithoutTheRendererSaysSo) {
    const CliRun noFolder = runCli({"invoice", path, "--customer", "0", "--pdf", dir.path("no/such/invoice.pdf")});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err.find("Cannot write PDF file : "), std::string::npos) << noFolder.err;
    EXPECT_EQ(nextInvoiceNumber(), "9600001");

    // A quillory-cli copied alone still runs its other commands, and names what it misses.
    TempDir lone;
    const std::string copy = lone.path("quillory-cli");
    std::filesystem::copy_file(QUILLORY_CLI_PATH, copy);
    EXPECT_EQ(runProgram(copy, {"pie", path, "--from", "1996-11-01", "--to", "1996-11-30"}).exitCode, 0);
    const CliRun lonely = runProgram(copy, {"report", path, "customers", "--pdf", dir.path("c.pdf")});
    EXPECT_EQ(lonely.exitCode, 1);
    EXPECT_NE(lonely.err.find("cannot start the PDF renderer"), std::string::npos) << lonely.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("c.pdf")));
}

}  // namespace
}  // namespace ql::test
