#include "CliFixture.h"

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"

#include <filesystem>
#include <fstream>
#include <regex>

namespace ql::test {
namespace {

const std::vector<std::string> kGerman{"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"};
const std::vector<std::string> kPlain{"LC_ALL=C", "LANG=C"};

std::string fileText(const std::string& path) {
    const auto bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Harbour (45/h) bills customer 0, Catalogue (30/h) customer 1; frames of November 1996.
class IssuedInvoices : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "$", "--date-order", "mdy"});
        ok({"add-customer", path, "--name", "Harbour Lights Ltd", "--city", "Bristol"});
        ok({"add-customer", path, "--name", "Quay Books"});
        ok({"add-project", path, "--name", "Harbour", "--customer", "0", "--rate", "45"});
        ok({"add-project", path, "--name", "Catalogue", "--customer", "1", "--rate", "30"});
        addFrame(0, "1996-11-04 09:00", 90);
        addFrame(0, "1996-11-05 14:15", 150);
        addFrame(0, "1996-11-20 10:00", 60);
        addFrame(1, "1996-11-06 08:00", 75);
    }
    void addFrame(int project, const std::string& start, int minutes) {
        ok({"add-frame", path, "--project", std::to_string(project), "--start", start, "--minutes", std::to_string(minutes)});
    }
    std::vector<std::string> invoice(const std::string& from, const std::string& to, const std::string& output,
                                     const std::vector<std::string>& more = {}) {
        std::vector<std::string> args{"invoice", path, "--customer", "0", "--from", from, "--to", to,
                                      "--at", "1996-12-02 09:00", "--text", output};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    // The invoice numbers of the history's rows in file order; "" for unbilled.
    std::vector<std::string> billedBy() {
        std::vector<std::string> numbers;
        for (const auto& row : nlohmann::json::parse(
                 ok({"history", path, "--from", "1996-11-01", "--to", "1996-11-30", "--sort", "date", "--json"})))
            numbers.push_back(row["invoice"].is_null() ? "" : row["invoice"].get<std::string>());
        return numbers;
    }
    std::vector<std::string> pdfPages(const std::string& pdf) {
        const CliRun text = runProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"});
        EXPECT_EQ(text.exitCode, 0) << text.err;
        std::vector<std::string> pages;
        std::size_t from = 0;
        for (std::size_t ff; (ff = text.out.find('\f', from)) != std::string::npos; from = ff + 1)
            pages.push_back(text.out.substr(from, ff - from));
        return pages;
    }
    std::string registerPath() const { return FileSet(path).invoiceRegister(); }
};

// Two overlapping invoices: the second is refused, then leaves the shared frames out, then a
// third bills them again on purpose and says so; voiding makes frames unbilled again.
TEST_F(IssuedInvoices, FramesBilledOnceAreRefusedLeftOutOrBilledAgainOnPurpose) {
    const std::string historyBefore =
        ok({"history", path, "--from", "1996-11-01", "--to", "1996-11-30", "--sort", "date", "--json"});
    EXPECT_EQ(billedBy(), (std::vector<std::string>{"", "", "", ""}));
    ok(invoice("1996-11-01", "1996-11-10", dir.path("a.txt")));

    const auto before = folderSnapshot(dir.path(""));
    const CliRun refused = runCli(invoice("1996-11-01", "1996-11-30", dir.path("b.txt")));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "quillory-cli: 2 frames of this invoice were billed already, on invoice 9600001: give "
                           "--unbilled to leave them out or --rebill to bill them again\n");
    EXPECT_EQ(folderSnapshot(dir.path("")), before);

    ok(invoice("1996-11-01", "1996-11-30", dir.path("b.txt"), {"--unbilled"}));
    const std::string b = fileText(dir.path("b.txt"));
    EXPECT_NE(b.find("Harbour\t11/20/1996\t10:00\t01:00\t$45.00\t$45.00\t\n"), std::string::npos) << b;
    EXPECT_EQ(b.find("11/04/1996"), std::string::npos) << b;

    const CliRun again = runCli(invoice("1996-11-01", "1996-11-30", dir.path("c.txt")));
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_NE(again.err.find("3 frames of this invoice were billed already, on invoices 9600001, 9600002:"),
              std::string::npos)
        << again.err;
    ok(invoice("1996-11-01", "1996-11-30", dir.path("c.txt"), {"--rebill"}));

    const auto listed = nlohmann::json::parse(ok({"invoices", path, "--json"}));
    ASSERT_EQ(listed.size(), 3u);
    const struct {
        const char* number;
        int frames;
        bool rebills;
        long long totalCents;
    } expected[] = {{"9600001", 2, false, 19080}, {"9600002", 1, false, 4770}, {"9600003", 3, true, 23850}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(listed[i]["number"], expected[i].number);
        EXPECT_EQ(listed[i]["frames"], expected[i].frames);
        EXPECT_EQ(listed[i]["rebills"], expected[i].rebills);
        EXPECT_EQ(listed[i]["totalCents"], expected[i].totalCents);
        EXPECT_EQ(listed[i]["customer"], "Harbour Lights Ltd");
        EXPECT_EQ(listed[i]["state"], "issued");
        EXPECT_EQ(listed[i]["date"], "1996-12-02T09:00:00-05:00");
    }
    EXPECT_EQ(listed[0]["netCents"], 18000);  // 6% sales tax on top
    // Rows by date: 4 Nov, 5 Nov, 6 Nov (the other customer's), 20 Nov.
    EXPECT_EQ(billedBy(), (std::vector<std::string>{"9600003", "9600003", "", "9600003"}));
    ok({"void-invoice", path, "--number", "9600003"});
    EXPECT_EQ(billedBy(), (std::vector<std::string>{"9600001", "9600001", "", "9600002"}));
    ok({"void-invoice", path, "--number", "9600001"});
    EXPECT_EQ(billedBy(), (std::vector<std::string>{"", "", "", "9600002"}));
    EXPECT_EQ(nlohmann::json::parse(ok({"invoices", path, "--json"}))[2]["state"], "void");

    // Every other byte of the history is as it was before anything was billed.
    const std::string history =
        ok({"history", path, "--from", "1996-11-01", "--to", "1996-11-30", "--sort", "date", "--json"});
    EXPECT_EQ(std::regex_replace(history, std::regex(R"("invoice":"[0-9]+")"), R"("invoice":null)"), historyBefore);
}

// A reprint is the same text file, byte for byte, and the same pages, whatever changed since.
TEST_F(IssuedInvoices, AReprintIsTheFirstInvoiceAfterRateCustomerAndSettingsChanges) {
    ok({"billing", path, "--set", "vatId=DE123456789", "--set", "iban=DE89 3704 0044 0532 0130 00", "--set",
        "paymentTerms=14"});
    ok({"customer", path, "--id", "0", "--set", "vatId=ATU12345678"});
    const std::string text = dir.path("first.txt");
    ok(invoice("1996-11-01", "1996-11-30", text));
    const std::string pdf = dir.path("first.pdf");
    ok({"invoice", path, "--customer", "1", "--from", "1996-11-01", "--to", "1996-11-30", "--pdf", pdf});
    const std::string firstText = fileText(text);
    // The billing details are part of what was issued.
    EXPECT_NE(firstText.find("DE123456789"), std::string::npos) << firstText;
    EXPECT_NE(firstText.find("ATU12345678"), std::string::npos) << firstText;
    const std::vector<std::string> firstPages = pdfPages(pdf);
    ASSERT_EQ(firstPages.size(), 1u);
    EXPECT_NE(firstPages[0].find("Quay Books"), std::string::npos);

    FileSystem& fs = defaultFileSystem();
    const FileSet set(path);
    auto projects = loadProjects(fs, set.projects());
    ASSERT_TRUE(projects.isOk());
    for (ProjectRecord& p : *projects) p.chargesPerHour *= 2;
    (*projects)[0].name = "Renamed";
    ASSERT_TRUE(writeProjects(fs, set.projects(), *projects));
    CustomerRecord quay = *findCustomerById(fs, set.customers(), 1).value();
    quay.name = "Quay Books & Maps";
    ASSERT_TRUE(updateCustomer(fs, quay, set.customers()));
    ok({"billing", path, "--set", "vatId=DE999999999", "--set", "iban=", "--set", "paymentTerms=30"});
    ok({"customer", path, "--id", "0", "--set", "vatId=ATU99999999"});
    ok({"settings", path, "--set", "monetarySymbol=EUR", "--set", "dateFormat=dmy", "--set", "applySalesTax=0",
        "--set", "salesTaxRate=19", "--set", "companyName=Someone Else", "--set", "invoiceText=RECHNUNG"});
    const std::string next = nlohmann::json::parse(ok({"show", path, "settings", "--json"}))[0]["nextInvoiceNumber"];
    const auto registerBytes = readBytes(registerPath());

    for (const auto& env : {kPlain, kGerman}) {
        SCOPED_TRACE(env[0]);
        const CliRun reprinted = runCli({"invoice", path, "--reprint", "9600001", "--text", "-"}, env);
        EXPECT_EQ(reprinted.exitCode, 0) << reprinted.err;
        EXPECT_EQ(reprinted.out, firstText);
        const std::string again = dir.path("again.pdf");
        const CliRun pages = runCli({"invoice", path, "--reprint", "9600002", "--pdf", again}, env);
        EXPECT_EQ(pages.exitCode, 0) << pages.err;
        EXPECT_EQ(pdfPages(again), firstPages);
    }
    // A fresh invoice shows the changes; reprinting changed nothing.
    EXPECT_NE(ok(invoice("1996-11-01", "1996-11-30", "-", {"--rebill", "--no-advance"})), firstText);
    EXPECT_EQ(nlohmann::json::parse(ok({"show", path, "settings", "--json"}))[0]["nextInvoiceNumber"], next);
    EXPECT_EQ(readBytes(registerPath()), registerBytes);
}

TEST_F(IssuedInvoices, TheRegisterIsListedAlikeInEveryLocale) {
    ok(invoice("1996-11-01", "1996-11-10", dir.path("a.txt")));
    ok(invoice("1996-11-11", "1996-11-30", dir.path("b.txt")));
    ok({"void-invoice", path, "--number", "9600002"});
    const std::string expected = "Number\tDate\tCustomer\tPeriod\tTotal\tState\n"
                                 "9600001\t12/02/1996\tHarbour Lights Ltd\t11/01/1996 - 11/10/1996\t$190.80\tissued\n"
                                 "9600002\t12/02/1996\tHarbour Lights Ltd\t11/11/1996 - 11/30/1996\t$47.70\tvoid\n";
    for (const auto& env : {kPlain, kGerman}) {
        const CliRun listed = runCli({"invoices", path}, env);
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_EQ(listed.out, expected) << env[0];
        const CliRun json = runCli({"invoices", path, "--json"}, env);
        EXPECT_EQ(json.out, ok({"invoices", path, "--json"})) << env[0];
    }
    // A set that never issued an invoice lists none and writes no register.
    TempDir other;
    const std::string fresh = other.path("Fresh.qlr");
    ok({"init", fresh});
    EXPECT_EQ(ok({"invoices", fresh}), "Number\tDate\tCustomer\tPeriod\tTotal\tState\n");
    EXPECT_EQ(ok({"invoices", fresh, "--json"}), "[]\n");
    EXPECT_FALSE(std::filesystem::exists(FileSet(fresh).invoiceRegister()));
}

TEST_F(IssuedInvoices, MisuseOfTheRegisterCommandsWritesNothing) {
    ok(invoice("1996-11-01", "1996-11-10", dir.path("a.txt")));
    ok(invoice("1996-11-11", "1996-11-30", dir.path("b.txt")));
    ok({"void-invoice", path, "--number", "9600002"});
    const std::string out = dir.path("out.txt");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"void-invoice", path, "--number", "9600009"},
             {"void-invoice", path, "--number", "9600002"},  // void already
             {"void-invoice", path},
             {"void-invoice", dir.path("None.qlr"), "--number", "9600001"},
             {"invoices", dir.path("None.qlr")},
             {"invoice", path, "--reprint", "9600009", "--text", out},
             {"invoice", path, "--reprint", "9600002", "--text", out},  // void
             {"invoice", path, "--reprint", "9600001", "--customer", "0", "--text", out},
             {"invoice", path, "--reprint", "9600001", "--rebill", "--text", out},
             {"invoice", path, "--text", out},  // no customer
             {"invoice", path, "--customer", "0", "--unbilled", "--rebill", "--text", out},
             {"invoice", path, "--customer", "0", "--number", "9600002", "--rebill", "--text", out},  // void number
             {"invoice", path, "--customer", "0", "--number", "9600001", "--rebill", "--text", out},
             {"invoice", path, "--customer", "0", "--from", "1996-11-01", "--to", "1996-11-30", "--number", "9600001",
              "--no-advance", "--text", out},  // billed frames
         }) {
        const auto before = folderSnapshot(dir.path(""));
        const CliRun r = runCli(args);
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(r.exitCode, 2) << shown << r.err;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << shown;
    }
    for (const char* command : {"invoices", "void-invoice", "invoice"}) {
        const CliRun help = runCli({command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_NE(help.out.find("FILE"), std::string::npos) << command;
    }
    EXPECT_NE(runCli({"invoice", "--help"}).out.find("--reprint"), std::string::npos);
}

// A register that cannot be read is named, and nothing is billed or said to be unbilled.
TEST_F(IssuedInvoices, ADamagedRegisterIsNamedAndRefusesToBill) {
    ok(invoice("1996-11-01", "1996-11-10", dir.path("a.txt")));
    {
        std::ofstream scribble(registerPath(), std::ios::binary | std::ios::in | std::ios::out);
        scribble.seekp(30);
        scribble << "\x7f\x7f";
    }
    const auto before = folderSnapshot(dir.path(""));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             invoice("1996-11-11", "1996-11-30", dir.path("b.txt")),
             {"invoices", path},
             {"history", path, "--from", "1996-11-01", "--to", "1996-11-30", "--json"},
             {"void-invoice", path, "--number", "9600001"},
             {"invoice", path, "--reprint", "9600001", "--text", dir.path("b.txt")},
         }) {
        const CliRun r = runCli(args);
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(r.exitCode, 1) << shown << r.err;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(r.err.rfind("quillory-cli: Cannot read invoice register : " + registerPath() + " (", 0), 0u)
            << shown << r.err;
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << shown;
    }
}

}  // namespace
}  // namespace ql::test
