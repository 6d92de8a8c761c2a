#include "CliFixture.h"

#include "core/store/FileSet.h"

#include <algorithm>

namespace ql::test {
namespace {

// A file set with customer 0 "Acme", billed through project 0, one frame in December 1996.
class BillingCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const CliRun r = runCli({"init", path, "--currency", "$", "--date-order", "mdy"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ok({"add-customer", path, "--name", "Acme"});
        ok({"add-project", path, "--name", "Design", "--customer", "0", "--rate", "40"});
        ok({"add-frame", path, "--project", "0", "--start", "1996-12-11 09:00", "--minutes", "90"});
    }
    nlohmann::json json(const std::vector<std::string>& args) {
        const nlohmann::json parsed = nlohmann::json::parse(ok(args));
        EXPECT_TRUE(parsed.is_array() && parsed.size() == 1) << parsed.dump();
        return parsed.is_array() && !parsed.empty() ? parsed[0] : nlohmann::json();
    }
};

// Every refusal is misuse (exit 2), names the field and leaves every file of the folder as it was.
TEST_F(BillingCli, RefusedValuesNameTheFieldAndWriteNothing) {
    ok({"billing", path, "--set", "vatId=DE123456789"});
    struct Case {
        std::vector<std::string> args;
        std::string errPart;
    };
    const Case cases[] = {
        {{"billing", path, "--set", "iban=GB82 WEST 1234 5698 7654 33"}, "IBAN: the check digits"},
        {{"billing", path, "--set", "iban=GB82WEST12345698765432", "--set", "vatId=XX1"}, "VAT number: "},
        {{"billing", path, "--set", "country=UK"}, "Country code: "},
        {{"billing", path, "--set", "currency=eur"}, "Currency code: "},
        {{"billing", path, "--set", "currency=EURO"}, "Currency code: "},
        {{"billing", path, "--set", "paymentTerms=400"}, "Payment terms: "},
        {{"billing", path, "--set", "bic=DEUTDEF"}, "BIC: "},
        {{"billing", path, "--set", "colour=red"}, "known key"},
        {{"customer", path, "--id", "9", "--set", "email=a@b.example"}, "no customer with id 9"},
        {{"customer", path, "--id", "0", "--set", "email=not-an-address"}, "E-mail: "},
        {{"customer", path, "--id", "0", "--set", "country=ZZ"}, "Country code: "},
        {{"add-customer", path, "--name", "Bolt", "--vat-id", "DE1"}, "--vat-id: VAT number: "},
        {{"add-customer", path, "--name", "Bolt", "--country-code", "XY"}, "--country-code: Country code: "},
        {{"add-customer", path, "--name", "Bolt", "--email", "bolt@"}, "--email: E-mail: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const auto before = folderSnapshot(dir.root());
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        EXPECT_EQ(folderSnapshot(dir.root()), before);
    }
}

TEST_F(BillingCli, DetailsAreStoredInTheirCheckedFormAndPrinted) {
    EXPECT_EQ(json({"billing", path, "--json"})["iban"], "");
    ok({"billing", path, "--set", "iban=gb82 west 1234 5698 7654 32", "--set", "vatId=de 123456789", "--set",
        "paymentTerms=014", "--set", "currency=EUR", "--set", "bic=deutdeff500"});
    const nlohmann::json seller = json({"billing", path, "--json"});
    EXPECT_EQ(seller["iban"], "GB82WEST12345698765432");
    EXPECT_EQ(seller["vatId"], "DE123456789");
    EXPECT_EQ(seller["paymentTerms"], "14");
    EXPECT_EQ(seller["currency"], "EUR");
    EXPECT_EQ(seller["bic"], "DEUTDEFF500");
    // An empty value clears one field and keeps the rest.
    ok({"billing", path, "--set", "bic="});
    EXPECT_EQ(json({"billing", path, "--json"})["bic"], "");
    EXPECT_EQ(json({"billing", path, "--json"})["iban"], "GB82WEST12345698765432");
    EXPECT_NE(ok({"billing", path}).find("iban: GB82WEST12345698765432\n"), std::string::npos);

    const std::string id = ok({"add-customer", path, "--name", "Bolt", "--country-code", "at", "--vat-id",
                               "ATU12345678", "--email", "ap@bolt.example", "--buyer-reference", "PO-7"});
    EXPECT_EQ(id, "1\n");
    const nlohmann::json bolt = json({"customer", path, "--id", "1", "--json"});
    EXPECT_EQ(bolt, (nlohmann::json{{"country", "AT"}, {"vatId", "ATU12345678"}, {"email", "ap@bolt.example"},
                                    {"buyerReference", "PO-7"}}));
    ok({"customer", path, "--id", "0", "--set", "vatId=FR12345678901", "--set", "country=FR"});
    EXPECT_EQ(json({"customer", path, "--id", "0", "--json"})["vatId"], "FR12345678901");
    EXPECT_EQ(json({"customer", path, "--id", "1", "--json"})["vatId"], "ATU12345678");
}

TEST_F(BillingCli, TheInvoiceTextCarriesTheDetails) {
    const std::vector<std::string> invoice = {"invoice", path, "--customer", "0", "--text", "-", "--no-advance",
                                              "--at", "1996-12-20 10:00"};
    const std::string plain = ok(invoice);
    EXPECT_NE(plain.find("\nInvoice date: 12/20/1996\nPeriod: 12/01/1996 - 12/31/1996\n\n"), std::string::npos)
        << plain;
    EXPECT_EQ(plain.find("IBAN"), std::string::npos);

    ok({"billing", path, "--set", "iban=DE89370400440532013000", "--set", "vatId=DE123456789", "--set",
        "paymentTerms=30"});
    ok({"customer", path, "--id", "0", "--set", "vatId=ATU12345678"});
    const std::string detailed = ok(invoice);
    for (const char* line : {"\nVAT ID: ATU12345678\n", "\nDue date: 01/19/1997\n", "\nVAT ID: DE123456789\n",
                             "\nIBAN: DE89 3704 0044 0532 0130 00\n"})
        EXPECT_NE(detailed.find(line), std::string::npos) << line << detailed;
}

// A damaged details file stops the invoice: it is never issued without the details it should carry.
TEST_F(BillingCli, ADamagedDetailsFileStopsTheInvoice) {
    const FileSet set(path);
    writeBytes(set.billing(), {'Q', 'L', 'B', 'D', 1});
    const CliRun r = runCli({"invoice", path, "--customer", "0", "--text", "-", "--at", "1996-12-20 10:00"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Cannot read billing details file : " + set.billing()), std::string::npos) << r.err;
    const CliRun shown = runCli({"billing", path});
    EXPECT_EQ(shown.exitCode, 1);
}

TEST_F(BillingCli, EachCommandHasHelp) {
    for (const char* command : {"billing", "customer", "add-customer"}) {
        const CliRun r = runCli({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_NE(r.out.find(command == std::string("add-customer") ? "--vat-id" : "--set"), std::string::npos)
            << r.out;
    }
}

}  // namespace
}  // namespace ql::test
