#include "core/einvoice/CiiInvoice.h"

#include "core/einvoice/EInvoiceSample.h"
#include "core/reports/InvoiceText.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <vector>

// A seeded random corpus of invoices, every one written as XML and checked in one run of the
// standard's validation artefacts (schema and business rules), and its totals against those of
// the printed invoice and the text file.
namespace ql::testing {
namespace {

// The validator script: $QUILLORY_EINVOICE_VALIDATE, else the one CMake was told of.
std::string validatorPath() {
    const char* fromEnvironment = std::getenv("QUILLORY_EINVOICE_VALIDATE");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : QUILLORY_EINVOICE_VALIDATE;
}

struct ValidatorRun {
    int exitCode = -1;
    std::string output;
};

ValidatorRun runValidator(const std::string& folder) {
    ValidatorRun run;
    const std::string command = "'" + validatorPath() + "' '" + folder + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct Country {
    const char* code;
    const char* vatPrefix;
};

class Corpus {
public:
    explicit Corpus(unsigned seed) : m_rng(seed) {}

    // Invoice n of the corpus: every few a border case (one line, 200 lines, an amount near 1e9).
    std::pair<Invoice, InvoiceParties> make(int n) {
        InvoiceParties p = completeParties();
        const Country seller = pick(kCountries), buyer = pick(kCountries);
        p.settings.companyName = pick(kNames);
        p.settings.companyAddress = pick(kStreets);
        p.settings.city = pick(kCities);
        p.settings.zip = std::to_string(uniform(1000, 99999));
        p.settings.state = chance(0.2) ? "Région Île-de-France" : "";
        p.settings.phone = chance(0.5) ? "+44 20 7946 0958" : "";
        p.settings.footer = chance(0.5) ? "Zahlbar ohne Abzug.\r\nMerci — ¡gracias!" : "";
        p.settings.dateFormat = chance(0.5) ? 1 : 0;
        p.settings.monetarySymbol = pick(std::vector<std::string>{"€", "£", "$", "CHF ", "zł"});
        p.settings.applySalesTax = chance(0.6) ? 1 : 0;
        p.settings.salesTaxLabel = "VAT";
        p.settings.salesTaxRate = pick(std::vector<double>{19.0, 7.0, 20.0, 7.7, 8.1, 23.0, 25.0, 5.5, 21.0});
        p.customer.name = pick(kNames);
        p.customer.address = pick(kStreets);
        p.customer.city = pick(kCities);
        p.customer.zip = chance(0.9) ? std::to_string(uniform(100, 99999)) : "";
        p.customer.state = chance(0.2) ? "NY" : "";

        p.billing = {};
        p.billing.countryCode = seller.code;
        const bool sellerVat = chance(0.7);
        if (sellerVat) p.billing.vatId = std::string(seller.vatPrefix) + std::to_string(uniform(100000000, 999999999));
        if (!sellerVat || chance(0.5)) p.billing.registration = "HRB " + std::to_string(uniform(1000, 99999)) + " Köln";
        if (p.settings.applySalesTax != 0 || chance(0.5)) p.billing.taxNumber = "12/345/" + std::to_string(uniform(10000, 99999));
        if (chance(0.7)) p.billing.iban = chance(0.5) ? "DE89370400440532013000" : "GB29NWBK60161331926819";
        if (!p.billing.iban.empty() && chance(0.5)) p.billing.bic = "COBADEFFXXX";
        p.billing.paymentTerms = pick(std::vector<std::string>{"", "0", "14", "30"});
        p.billing.currencyCode = pick(std::vector<std::string>{"EUR", "GBP", "USD", "CHF", "PLN", "SEK", "CZK", "JPY"});
        if (p.settings.applySalesTax == 0 && (sellerVat || chance(0.5)))
            p.billing.exemptionReason = pick(std::vector<std::string>{
                "Steuerfreie Leistung nach § 4 UStG", "Exonération de TVA, article 261 du CGI", "Exempt"});
        if (p.settings.applySalesTax == 0 && sellerVat && chance(0.6))
            p.billing.exemptionCode = pick(std::vector<std::string>{"VATEX-EU-132", "VATEX-EU-132-1F", "VATEX-FR-FRANCHISE"});

        p.customerDetails = {};
        p.customerDetails.countryCode = buyer.code;
        if (chance(0.6))
            p.customerDetails.vatId = std::string(buyer.vatPrefix) + std::to_string(uniform(10000000, 99999999));
        if (chance(0.5)) p.customerDetails.email = "invoices@example.org";
        if (chance(0.5)) p.customerDetails.buyerReference = "PO-" + std::to_string(n);

        const int month = uniform(1, 11);
        Invoice invoice = sampleInvoice(lines(n, month));
        invoice.request.invoiceNumber = "Q-" + std::to_string(2026000 + n);
        invoice.request.periodStart = localTime(2026, month, 1);
        invoice.request.periodEnd = localTime(2026, month + 1, 1) - 1;
        invoice.request.issueDate = localTime(2026, month + 1, uniform(1, 28), uniform(0, 23), uniform(0, 59));
        return {std::move(invoice), std::move(p)};
    }

private:
    std::vector<InvoiceLine> lines(int n, int month) {
        const int count = n % 40 == 0 ? 200 : n % 40 == 1 ? 1 : uniform(1, 40);
        // Near a billion: a single 30-hour frame at 33,333,333.33 an hour.
        if (n % 40 == 2) return {{"Großprojekt Ω", 33333333.33, localTime(2026, month, 2, 0), localTime(2026, month, 3, 6), 9}};
        std::vector<InvoiceLine> out;
        for (int i = 0; i < count; ++i) {
            const int kind = uniform(0, 9);
            const std::int32_t minutes = kind == 0 ? 1 : kind == 1 ? 1800 : uniform(2, 600);
            double rate = std::round(std::exp(std::uniform_real_distribution<double>(0.0, 9.0)(m_rng)) * 100.0) / 100.0;
            if (kind == 2) rate = 0.0;
            if (kind == 3 && chance(0.3)) rate = -25.0;  // a credit line
            if (kind == 4) rate = std::uniform_real_distribution<double>(0.01, 500.0)(m_rng);  // any double
            const std::int32_t start = localTime(2026, month, uniform(1, 28), uniform(0, 23), uniform(0, 59));
            out.push_back({pick(kProjects), rate, start, start + minutes * 60, uniform(0, 50)});
        }
        return out;
    }

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <typename T>
    T pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(uniform(0, static_cast<int>(from.size()) - 1))];
    }

    std::mt19937 m_rng;
    const std::vector<Country> kCountries{{"DE", "DE"}, {"FR", "FR"}, {"AT", "ATU"}, {"IT", "IT"}, {"ES", "ES"},
                                          {"PL", "PL"}, {"GB", "GB"}, {"CH", "CHE"}, {"US", "US"}, {"NL", "NL"},
                                          {"GR", "EL"}, {"SE", "SE"}, {"CZ", "CZ"}, {"JP", "JP"}};
    const std::vector<std::string> kNames{"Müller & Söhne GmbH", "Zażółć Gęślą Jaźń Sp. z o.o.", "Ελληνική Εταιρεία ΑΕ",
                                          "東京デザイン株式会社", "Åsa Öberg AB", "Crème & Brûlée <SARL>",
                                          "O'Brien \"Quotes\" Ltd", "Harbour Lights Ltd", "Čeština s.r.o.", "Café 🎨 Studio"};
    const std::vector<std::string> kStreets{"Hauptstraße 5", "ul. Świętokrzyska 12", "Οδός Ερμού 22", "1 Quay Street",
                                            "12 rue de l'Église", "Storgatan 1"};
    const std::vector<std::string> kCities{"Köln", "Łódź", "Αθήνα", "Zürich", "Malmö", "Bristol", "大阪"};
    const std::vector<std::string> kProjects{"Website: Relaunch", "Beratung & Konzept", "Übersetzung FR→DE",
                                             "Δοκιμές", "Support", "Design <Phase 2>", "日本語サイト"};
};

TEST(CiiCorpusTest, EveryInvoiceOfASeededCorpusPassesTheStandardsValidationAndAddsUpLikeItsTextFile) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    test::TempDir folder;
    Corpus corpus(20261209);
    constexpr int kInvoices = 240;
    int lineCount = 0, withTax = 0, withoutSellerVat = 0;
    for (int n = 0; n < kInvoices; ++n) {
        SCOPED_TRACE("invoice " + std::to_string(n));
        const auto [invoice, parties] = corpus.make(n);
        ASSERT_EQ(missingEInvoiceDetails(invoice, parties), std::vector<EInvoiceGap>{});
        const auto xml = ciiInvoiceXml(invoice, parties);
        ASSERT_TRUE(xml) << xml.status().message();
        std::ofstream(folder.path("invoice-" + std::to_string(1000 + n) + ".xml"), std::ios::binary) << *xml;

        // The file's totals are the printed invoice's and the text file's, to the cent.
        const InvoiceSums sums = invoiceSums(invoice, parties.settings);
        const auto summary = readCiiSummary(*xml);
        ASSERT_TRUE(summary);
        EXPECT_EQ(summary->net, invoiceCentsText("", sums.net));
        EXPECT_EQ(summary->tax, invoiceCentsText("", sums.tax));
        EXPECT_EQ(summary->total, invoiceCentsText("", sums.total));
        EXPECT_EQ(summary->due, summary->total);
        EXPECT_EQ(summary->lineCount, invoice.lines.size());
        const std::string text = invoiceFileText(invoice, parties);
        const std::string& symbol = parties.settings.monetarySymbol;
        EXPECT_NE(text.find("\nTOTAL: " + symbol + summary->net + "\n"), std::string::npos);
        if (parties.settings.applySalesTax != 0) {
            const InvoiceTax tax = invoiceTax(parties.settings, sums.net);
            EXPECT_NE(text.find(tax.rateLabel + ": " + symbol + summary->tax + "\n"), std::string::npos);
            EXPECT_NE(text.find(tax.totalLabel + ": " + symbol + summary->total + "\n"), std::string::npos);
        }
        lineCount += static_cast<int>(invoice.lines.size());
        withTax += parties.settings.applySalesTax != 0;
        withoutSellerVat += parties.billing.vatId.empty();
    }
    // The corpus covers what it claims to.
    EXPECT_GT(withTax, kInvoices / 3);
    EXPECT_LT(withTax, kInvoices * 2 / 3 + 20);
    EXPECT_GT(withoutSellerVat, kInvoices / 8);
    EXPECT_GT(lineCount, kInvoices * 10);

    const ValidatorRun run = runValidator(folder.root());
    EXPECT_EQ(run.exitCode, 0) << "validator " << validatorPath() << ":\n" << run.output;
    EXPECT_TRUE(run.output.ends_with("0 fatal, 0 warning\n")) << run.output;
}

}  // namespace
}  // namespace ql::testing
