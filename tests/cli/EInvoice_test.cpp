#include "CliFixture.h"

#include "core/store/FileSet.h"

namespace ql::test {
namespace {

std::string fileText(const std::string& path) {
    const auto bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// A seller in Cologne charging 19 % to a customer in Lyon, with every detail an e-invoice
// needs; two frames of November 2026 on Design (85.50/h).
class EInvoiceCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "€", "--date-order", "dmy"});
        ok({"settings", path, "--set", "companyName=Müller & Söhne GmbH", "--set", "city=Köln", "--set",
            "applySalesTax=1", "--set", "salesTaxRate=19"});
        ok({"billing", path, "--set", "country=DE", "--set", "vatId=DE123456789", "--set", "currency=EUR", "--set",
            "paymentTerms=14", "--set", "iban=DE89370400440532013000"});
        ok({"add-customer", path, "--name", "Société Générale d'Études", "--city", "Lyon", "--zip", "69002",
            "--country-code", "FR", "--vat-id", "FR40303265045"});
        ok({"add-project", path, "--name", "Design", "--customer", "0", "--rate", "85.50"});
        ok({"add-frame", path, "--project", "0", "--start", "2026-11-03 09:00", "--minutes", "90"});
        ok({"add-frame", path, "--project", "0", "--start", "2026-11-17 14:00", "--minutes", "1"});
    }
    std::vector<std::string> xmlInvoice(const std::string& output, const std::string& month = "11") {
        return {"invoice", path, "--customer", "0", "--from", "2026-" + month + "-01", "--to", "2026-" + month + "-28",
                "--at", "2026-12-02 10:00", "--xml", output};
    }
};

struct RefusalCase {
    const char* name;
    std::vector<std::string> change;  // a command run on the set before the invoice ("" stands for it)
    std::string month;
    std::vector<std::string> gaps;
};

TEST_F(EInvoiceCli, AnInvoiceLackingARequiredDetailIsRefusedByNameWritingNothingAndUsingNoNumber) {
    const std::vector<RefusalCase> cases = {
        {"seller name", {"settings", "", "--set", "companyName="}, "11",
         {"the seller's name (File > Properties > Company)"}},
        {"seller country and currency", {"billing", "", "--set", "country=", "--set", "currency="}, "11",
         {"the seller's country code (File > Properties > Billing)", "the currency code (File > Properties > Billing)"}},
        {"no VAT ID while sales tax is applied", {"billing", "", "--set", "vatId="}, "11",
         {"the seller's VAT ID or registration number (File > Properties > Billing)",
          "the seller's VAT ID or tax number, as sales tax is applied (File > Properties > Billing)"}},
        {"exempt without a reason", {"settings", "", "--set", "applySalesTax=0"}, "11",
         {"the reason for the VAT exemption (File > Properties > Billing)"}},
        {"customer country code", {"customer", "", "--id", "0", "--set", "country="}, "11",
         {"the customer's country code (Customers > Edit Customers...)"}},
        {"no frame in the period", {}, "10", {"at least one time frame to bill (Reports > Invoice...)"}},
        {"sales tax at 0 %", {"settings", "", "--set", "salesTaxRate=0"}, "11",
         {"a sales tax rate above zero (File > Properties > Invoice)"}},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        path = folder.path("Work.qlr");
        SetUp();
        if (!c.change.empty()) {
            std::vector<std::string> change = c.change;
            change[1] = path;
            ok(change);
        }
        const std::string target = folder.path("invoice.xml");
        const auto before = folderSnapshot(folder.root());
        const CliRun r = runCli(xmlInvoice(target, c.month));
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        std::string expected = "quillory-cli: --xml: the e-invoice lacks details the standard requires: ";
        for (std::size_t i = 0; i < c.gaps.size(); ++i) expected += (i ? "; " : "") + c.gaps[i];
        EXPECT_EQ(r.err, expected + "\n");
        // No file, no register entry, the next number as it was.
        EXPECT_EQ(folderSnapshot(folder.root()), before);
        EXPECT_FALSE(fileExists(target));
    }
}

TEST_F(EInvoiceCli, WritesTheIssuedInvoiceAndAReprintGivesTheSameBytesInAnyLocaleAndZone) {
    const std::string issued = dir.path("9600001.xml");
    ok(xmlInvoice(issued));
    EXPECT_EQ(ok({"invoices", path}),
              "Number\tDate\tCustomer\tPeriod\tTotal\tState\n"
              "9600001\t02/12/2026\tSociété Générale d'Études\t01/11/2026 - 28/11/2026\t€154.32\tissued\n");
    EXPECT_EQ(nlohmann::json::parse(ok({"settings", path, "--json"}))[0]["nextInvoiceNumber"], "9600002");
    // 1 h 30 at 85.50 is 128.25, 1 minute is 1.43; 19 % of 129.68 is 24.64 (24.6392).
    EXPECT_EQ(ok({"einvoice-check", issued}), "Number: 9600001\n"
                                              "Issue date: 2026-12-02\n"
                                              "Due date: 2026-12-16\n"
                                              "Seller: Müller & Söhne GmbH (VAT ID DE123456789)\n"
                                              "Buyer: Société Générale d'Études (VAT ID FR40303265045)\n"
                                              "Currency: EUR\n"
                                              "Lines: 2\n"
                                              "Net: 129.68\n"
                                              "Tax: 24.64\n"
                                              "Total: 154.32\n"
                                              "Amount due: 154.32\n");

    // Nothing changes the reprint: not the settings since, the locale or the time zone.
    ok({"settings", path, "--set", "salesTaxRate=7"});
    const std::string again = dir.path("again.xml");
    const CliRun reprint = runCli({"invoice", path, "--reprint", "9600001", "--xml", again},
                                  {"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8", "TZ=Pacific/Kiritimati"});
    EXPECT_EQ(reprint.exitCode, 0) << reprint.err;
    EXPECT_EQ(fileText(again), fileText(issued));
    const CliRun toOutput = runCli({"invoice", path, "--reprint", "9600001", "--xml", "-"}, {"LC_ALL=C", "LANG=C"});
    EXPECT_EQ(toOutput.out, fileText(issued));

    // A file from outside cannot forge a line or drive the terminal through what it names.
    std::string forged = fileText(issued);
    const std::string seller = "Müller &amp; Söhne GmbH";
    ASSERT_NE(forged.find(seller), std::string::npos);
    forged.replace(forged.find(seller), seller.size(), "Forged&#10;Total: 0.00&#27;[2J");
    const std::string forgedPath = dir.path("forged.xml");
    std::ofstream(forgedPath, std::ios::binary) << forged;
    const std::string checked = ok({"einvoice-check", forgedPath});
    EXPECT_NE(checked.find("Seller: Forged Total: 0.00 [2J (VAT ID DE123456789)\n"), std::string::npos) << checked;
    EXPECT_EQ(checked.find("\nTotal: 0.00"), std::string::npos) << checked;
}

TEST_F(EInvoiceCli, MisuseIsRefusedWithExitStatus2) {
    const std::string garbage = dir.path("garbage.xml");
    std::ofstream(garbage) << "<Invoice><ID>1</ID></Invoice>";
    const std::vector<std::vector<std::string>> misuses = {
        {"invoice", path, "--customer", "0", "--xml", dir.path("a.xml"), "--text", dir.path("a.txt")},
        {"invoice", path, "--customer", "0"},
        {"einvoice-check"},
        {"einvoice-check", dir.path("missing.xml")},
        {"einvoice-check", path},
        {"einvoice-check", garbage},
    };
    for (const auto& args : misuses) {
        SCOPED_TRACE(args.back());
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("quillory-cli: ")) << r.err;
    }
    EXPECT_NE(ok({"invoice", "--help"}).find("--xml PATH|-"), std::string::npos);
    EXPECT_NE(ok({"einvoice-check", "--help"}).find("Cross Industry Invoice"), std::string::npos);
}

}  // namespace
}  // namespace ql::test
