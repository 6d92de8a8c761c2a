#include "CliFixture.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/FileSet.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace ql::test {
namespace {

std::string fileText(const std::string& path) {
    const auto bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

// A seller and a customer with every detail an e-invoice needs; two frames of 1 December 1996.
class FacturX : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ok({"init", path, "--currency", "€", "--date-order", "dmy"});
        ok({"settings", path, "--set", "companyName=Müller Design", "--set", "applySalesTax=1", "--set",
            "salesTaxRate=19"});
        ok({"billing", path, "--set", "country=DE", "--set", "vatId=DE123456788", "--set", "currency=EUR", "--set",
            "paymentTerms=14"});
        ok({"add-customer", path, "--name", "Café Zoë", "--city", "Lyon", "--country-code", "FR", "--vat-id",
            "FR12345678901"});
        ok({"add-project", path, "--name", "Web shop", "--customer", "0", "--rate", "80"});
        ok({"add-frame", path, "--project", "0", "--start", "1996-12-01 08:00", "--minutes", "95"});
        ok({"add-frame", path, "--project", "0", "--start", "1996-12-01 13:00", "--minutes", "61"});
    }
    // The invoice of December 1996 issued on the 2nd, written as output says.
    std::vector<std::string> invoice(const std::vector<std::string>& output) {
        std::vector<std::string> args{"invoice", path, "--customer", "0", "--at", "1996-12-02 09:00"};
        args.insert(args.end(), output.begin(), output.end());
        return args;
    }
    std::string tool(const std::string& program, const std::vector<std::string>& args) {
        const CliRun r = runProgram(program, args);
        EXPECT_EQ(r.exitCode, 0) << program << ": " << r.err;
        return r.out;
    }
    std::string attached(const std::string& pdf) {
        const std::string xml = dir.path("attached.xml");
        tool("/usr/bin/pdfdetach", {"-save", "1", "-o", xml, pdf});
        return fileText(xml);
    }
    // The e-invoice of issued invoice i as the core writes it.
    std::string issuedXml(std::size_t i) {
        const FileSet set(path);
        auto reg = readInvoiceRegister(defaultFileSystem(), set);
        EXPECT_TRUE(reg.isOk());
        auto content = issuedContent(defaultFileSystem(), *reg, i, set);
        EXPECT_TRUE(content.isOk());
        auto xml = ciiInvoiceXml(content->invoice, content->parties);
        EXPECT_TRUE(xml.isOk()) << xml.status().message();
        return xml ? *xml : std::string();
    }
};

// The Factur-X PDF is the plain invoice's pages with the issued invoice's XML inside, declared
// as PDF/A-3 of the EN 16931 level; it is recorded as issuing records, and a reprint is the
// same file.
TEST_F(FacturX, ThePrintedPagesCarryTheIssuedInvoiceAsXml) {
    const std::string plain = dir.path("plain.pdf"), facturx = dir.path("facturx.pdf"), again = dir.path("again.pdf");
    ok(invoice({"--pdf", plain, "--no-advance"}));
    ok(invoice({"--pdf", facturx, "--facturx"}));
    const auto listed = nlohmann::json::parse(ok({"invoices", path, "--json"}));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0]["number"], "9600001");

    EXPECT_EQ(tool("/usr/bin/pdfdetach", {"-list", facturx}), "1 embedded files\n1: factur-x.xml\n");
    // The XML inside is --xml's, whether written again from the register or made afresh.
    const std::string xmlFile = dir.path("9600001.xml");
    ok({"invoice", path, "--reprint", "9600001", "--xml", xmlFile});
    EXPECT_EQ(attached(facturx), fileText(xmlFile));
    EXPECT_EQ(attached(facturx), ok(invoice({"--xml", "-", "--no-advance", "--number", "9600001", "--rebill"})));
    EXPECT_EQ(attached(facturx), issuedXml(0));
    // einvoice-check reads the same invoice out of the PDF as out of the XML; a PDF without
    // one is refused.
    EXPECT_EQ(ok({"einvoice-check", facturx}), ok({"einvoice-check", xmlFile}));
    const CliRun none = runCli({"einvoice-check", plain});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, "quillory-cli: " + plain + ": no file named factur-x.xml is attached\n");
    const std::string damaged = dir.path("damaged.pdf");
    std::ofstream(damaged) << "%PDF-1.4\nno objects\n";
    const CliRun unreadable = runCli({"einvoice-check", damaged});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_TRUE(unreadable.err.starts_with("quillory-cli: " + damaged + ": not a readable PDF document (")) << unreadable.err;
    EXPECT_EQ(tool("/usr/bin/pdftotext", {"-layout", facturx, "-"}), tool("/usr/bin/pdftotext", {"-layout", plain, "-"}));

    const std::string xmp = tool("/usr/bin/pdfinfo", {"-meta", facturx});
    for (const char* declared :
         {"<pdfaid:part>3</pdfaid:part>", "<pdfaid:conformance>B</pdfaid:conformance>",
          "<fx:DocumentType>INVOICE</fx:DocumentType>", "<fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>",
          "<fx:Version>1.0</fx:Version>", "<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>",
          "<pdfaSchema:prefix>fx</pdfaSchema:prefix>", "<pdfaProperty:name>ConformanceLevel</pdfaProperty:name>",
          "<xmp:CreateDate>1996-12-02T09:00:00-05:00</xmp:CreateDate>", "<rdf:li>Müller Design</rdf:li>"})
        EXPECT_NE(xmp.find(declared), std::string::npos) << declared << "\n" << xmp;
    // What PDF/A-3 and the receivers look for in the file's own objects.
    const std::string bytes = fileText(facturx);
    for (const char* part : {"%PDF-1.7\n", "/AFRelationship /Alternative", "/Subtype /text#2fxml", "/Type /EmbeddedFile",
                             "/ModDate (D:19961202090000-05'00')", "/OutputIntents", "/S /GTS_PDFA1", "/AF [ "})
        EXPECT_NE(bytes.find(part), std::string::npos) << part;
    // Every font embedded: pdffonts' "emb" column, fifth from the end of each font's row.
    std::istringstream fonts(tool("/usr/bin/pdffonts", {facturx}));
    std::string row;
    int fontRows = 0;
    for (int n = 0; std::getline(fonts, row); ++n) {
        if (n < 2) continue;  // the heading and its rule
        std::istringstream cells(row);
        const std::vector<std::string> cell{std::istream_iterator<std::string>(cells), {}};
        ASSERT_GE(cell.size(), 5u) << row;
        EXPECT_EQ(cell[cell.size() - 5], "yes") << row;
        ++fontRows;
    }
    EXPECT_GT(fontRows, 0);

    // Each run of the renderer once drew its own object order (a hash's random seed): several
    // reprints, so that such a difference cannot pass by chance.
    for (int run = 0; run < 4; ++run) {
        ok({"invoice", path, "--reprint", "9600001", "--pdf", again, "--facturx"});
        EXPECT_EQ(readBytes(again), readBytes(facturx)) << "reprint " << run;
    }
    EXPECT_EQ(nlohmann::json::parse(ok({"invoices", path, "--json"})).size(), 1u);
}

// An e-invoice its receiver would reject is refused, naming what is missing: nothing written,
// no number used, nothing recorded.
TEST_F(FacturX, AnInvoiceMissingADetailIsRefusedByName) {
    const struct {
        std::vector<std::string> breaks, mends;
        const char* named;
    } cases[] = {
        {{"settings", path, "--set", "companyName="}, {"settings", path, "--set", "companyName=Müller Design"},
         "the seller's name (File > Properties > Company)"},
        {{"billing", path, "--set", "country="}, {"billing", path, "--set", "country=DE"},
         "the seller's country code (File > Properties > Billing)"},
        {{"billing", path, "--set", "vatId="}, {"billing", path, "--set", "vatId=DE123456788"},
         "the seller's VAT ID or registration number (File > Properties > Billing)"},
        {{"billing", path, "--set", "currency="}, {"billing", path, "--set", "currency=EUR"},
         "the currency code (File > Properties > Billing)"},
        {{"customer", path, "--id", "0", "--set", "country="}, {"customer", path, "--id", "0", "--set", "country=FR"},
         "the customer's country code (Customers > Edit Customers...)"},
    };
    const std::string target = dir.path("facturx.pdf");
    for (const auto& c : cases) {
        ok(c.breaks);
        const auto before = folderSnapshot(dir.path(""));
        const CliRun refused = runCli(invoice({"--pdf", target, "--facturx"}));
        EXPECT_EQ(refused.exitCode, 2) << c.named;
        EXPECT_TRUE(refused.err.starts_with("quillory-cli: --facturx: the e-invoice lacks details the standard requires: "))
            << refused.err;
        EXPECT_NE(refused.err.find(c.named), std::string::npos) << refused.err;
        EXPECT_EQ(folderSnapshot(dir.path("")), before) << c.named;
        ok(c.mends);
    }
    // Mended, the same command issues the number the refusals left.
    ok(invoice({"--pdf", target, "--facturx"}));
    EXPECT_EQ(nlohmann::json::parse(ok({"invoices", path, "--json"}))[0]["number"], "9600001");
    // --facturx is a form of --pdf only.
    EXPECT_EQ(runCli({"invoice", path, "--customer", "0", "--text", dir.path("a.txt"), "--facturx"}).exitCode, 2);
}

}  // namespace
}  // namespace ql::test
