#include "core/reports/Invoice.h"
#include "core/reports/InvoicePage.h"
#include "core/reports/InvoiceText.h"
#include "core/text/NumberText.h"
#include "core/tracking/TrackingFixture.h"

#include <optional>
#include <random>
#include <sstream>

namespace ql::testing {
namespace {

// What a reader of a printed invoice sees, read back from the page texts or the text file:
// every line's amount and the rows below them, in cents.
struct PrintedSums {
    std::vector<std::int64_t> lines;
    std::optional<std::int64_t> net, tax, total;
};

// "$-12.05" -> -1205; nullopt for anything that is not the symbol and a two-place decimal.
std::optional<std::int64_t> parseMoney(const std::string& text, const std::string& symbol) {
    if (text.rfind(symbol, 0) != 0) return std::nullopt;
    std::string rest = text.substr(symbol.size());
    const bool negative = !rest.empty() && rest[0] == '-';
    if (negative) rest.erase(0, 1);
    const std::size_t dot = rest.find('.');
    if (dot == std::string::npos || dot == 0 || rest.size() != dot + 3) return std::nullopt;
    std::int64_t cents = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i == dot) continue;
        if (rest[i] < '0' || rest[i] > '9') return std::nullopt;
        cents = cents * 10 + (rest[i] - '0');
    }
    return negative ? -cents : cents;
}

// The amount cells (the sixth column) and the three total rows of every page; the rows are
// the same on every page, so one page's differing from another's is a fault too.
PrintedSums readPages(const Invoice& invoice, const InvoiceParties& parties) {
    PrintedSums sums;
    for (int page = 1; page <= std::max(1, invoice.pageCount()); ++page) {
        const InvoicePage p = invoicePage(invoice, parties, page);
        for (const InvoicePageText& t : p.texts) {
            if (t.rect.left != 485) continue;
            const auto cents = parseMoney(t.text, parties.settings.monetarySymbol);
            if (t.rect.top >= 200 && t.rect.bottom <= 660) {
                EXPECT_TRUE(cents) << t.text;
                sums.lines.push_back(cents.value_or(0));
                continue;
            }
            std::optional<std::int64_t>* row = t.rect.top == 660 ? &sums.net
                                               : t.rect.top == 680 ? &sums.tax
                                               : t.rect.top == 700 ? &sums.total
                                                                   : nullptr;
            if (!row) continue;
            EXPECT_TRUE(cents) << t.text;
            if (page > 1) {
                EXPECT_EQ(*row, cents) << "page " << page;
            }
            *row = cents;
        }
    }
    return sums;
}

PrintedSums readTextFile(const std::string& file, const std::string& symbol) {
    PrintedSums sums;
    std::istringstream in(file);
    std::string line;
    bool inLines = false;
    while (std::getline(in, line)) {
        if (line.rfind("Project\t", 0) == 0) {
            inLines = true;
            continue;
        }
        if (inLines && !line.empty()) {
            // Six fields, each followed by a TAB: the amount is the last.
            const std::size_t end = line.rfind('\t');
            const std::size_t start = line.rfind('\t', end - 1) + 1;
            const auto cents = parseMoney(line.substr(start, end - start), symbol);
            EXPECT_TRUE(cents) << line;
            sums.lines.push_back(cents.value_or(0));
            continue;
        }
        inLines = false;
        const std::size_t colon = line.rfind(": ");
        if (colon == std::string::npos) continue;
        const auto cents = parseMoney(line.substr(colon + 2), symbol);
        if (line.rfind("TOTAL: ", 0) == 0) sums.net = cents;
        else if (line.rfind("TOTAL + ", 0) == 0) sums.total = cents;
        else if (cents) sums.tax = cents;
    }
    return sums;
}

std::int64_t sum(const std::vector<std::int64_t>& cents) {
    std::int64_t total = 0;
    for (const std::int64_t c : cents) total += c;
    return total;
}

class InvoiceBilling : public TrackingFixture {
protected:
    InvoiceParties parties() {
        InvoiceParties who;
        who.settings = *readSettings(m_fs, m_set);
        who.customer.id = 7;
        who.customer.name = "Acme Corp";
        return who;
    }
    // One line per (rate, seconds), all on one day of December 1996.
    static Invoice invoiceOf(const std::vector<std::pair<double, std::int32_t>>& lines) {
        Invoice invoice;
        invoice.request = {7, 0, 0, "42"};
        std::int32_t start = at(1996, 12, 2, 8);
        for (const auto& [rate, seconds] : lines) {
            invoice.lines.push_back({"P", rate, start, start + seconds});
            start += 60;
        }
        return invoice;
    }
    // The invoice of customer 7 over the local days first..last (inclusive).
    Invoice billed(const calendar::Date& first, const calendar::Date& last) {
        const InvoiceRequest request{7, at(first.year, first.month, first.day),
                                     at(last.year, last.month, last.day, 23, 59, 59), "1"};
        auto invoice = LoadInvoice(m_fs, request, m_set);
        EXPECT_TRUE(invoice) << invoice.status().message();
        return invoice ? std::move(invoice).value() : Invoice{};
    }
};

TEST_F(InvoiceBilling, PrintedLinesAlwaysAddUpToThePrintedNetAndNetPlusTaxIsTheTotal) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> lineCount(1, 45);  // one page or two
    std::uniform_int_distribution<int> rateCents(1, 25000);
    std::uniform_real_distribution<double> oddRate(0.0, 400.0);
    std::uniform_int_distribution<std::int32_t> seconds(0, 12 * 3600);
    std::uniform_int_distribution<int> coin(0, 3);
    const double taxRates[] = {6.0, 19.0, 7.25, 20.0, 8.875, 0.0};
    std::uniform_int_distribution<std::size_t> taxPick(0, std::size(taxRates) - 1);
    std::uniform_real_distribution<double> oddTax(0.0, 30.0);

    InvoiceParties who = parties();
    int mismatches = 0;
    for (int n = 0; n < 1000 && mismatches < 5; ++n) {
        std::vector<std::pair<double, std::int32_t>> lines;
        const int count = lineCount(random);
        for (int i = 0; i < count; ++i)
            lines.emplace_back(coin(random) == 0 ? oddRate(random) : rateCents(random) / 100.0, seconds(random));
        const Invoice invoice = invoiceOf(lines);
        who.settings.applySalesTax = coin(random) == 0 ? 0 : 1;
        who.settings.salesTaxRate = coin(random) == 0 ? oddTax(random) : taxRates[taxPick(random)];

        const PrintedSums paper = readPages(invoice, who);
        const PrintedSums file = readTextFile(invoiceFileText(invoice, who), who.settings.monetarySymbol);
        for (const auto& [what, printed] : {std::pair{"pages", paper}, std::pair{"text file", file}}) {
            const std::string label = std::string(what) + " of invoice " + std::to_string(n);
            ASSERT_EQ(printed.lines.size(), lines.size()) << label;
            ASSERT_TRUE(printed.net) << label;
            if (sum(printed.lines) != *printed.net) ++mismatches;
            EXPECT_EQ(sum(printed.lines), *printed.net) << label;
            if (who.settings.applySalesTax == 0) {
                EXPECT_FALSE(printed.tax || printed.total) << label;
                continue;
            }
            ASSERT_TRUE(printed.tax && printed.total) << label;
            EXPECT_EQ(*printed.net + *printed.tax, *printed.total) << label;
        }
        // Paper and file are one invoice.
        EXPECT_EQ(paper.lines, file.lines) << n;
        EXPECT_EQ(paper.net, file.net) << n;
        EXPECT_EQ(paper.tax, file.tax) << n;
        EXPECT_EQ(paper.total, file.total) << n;
    }
}

TEST_F(InvoiceBilling, HalfCentsRoundAwayFromZeroOnceAndTheTaxIsOfThePrintedNet) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, std::int32_t>> lines;  // rate, seconds
        double taxRate;
        const char* firstLine;
        const char* net;
        const char* tax;
        const char* total;
    };
    std::vector<std::pair<double, std::int32_t>> issue(35, {70.0, 60});  // 35 x 1.1666... = 35 x $1.17
    issue.emplace_back(100.0, 60);                                       // $1.67
    const Case cases[] = {
        {"0.125 rounds up", {{0.25, 30 * 60}}, 6.0, "$0.13", "$0.13", "$0.01", "$0.14"},
        {"0.075 rounds up", {{0.15, 30 * 60}}, 6.0, "$0.08", "$0.08", "$0.00", "$0.08"},
        {"0.045 rounds up", {{0.03, 90 * 60}}, 6.0, "$0.05", "$0.05", "$0.00", "$0.05"},
        {"-0.125 rounds away from zero", {{-0.25, 30 * 60}}, 6.0, "$-0.13", "$-0.13", "$-0.01", "$-0.14"},
        {"a tax of 730.5 cents rounds up", {{121.75, 3600}}, 6.0, "$121.75", "$121.75", "$7.31", "$129.06"},
        {"a tax of 1.5 cents rounds up", {{0.25, 60 * 60}}, 6.0, "$0.25", "$0.25", "$0.02", "$0.27"},
        {"lines of thirds", issue, 6.0, "$1.17", "$42.62", "$2.56", "$45.18"},
        {"seconds are not billed", {{45.0, 90 * 60 + 50}}, 19.0, "$67.50", "$67.50", "$12.83", "$80.33"},
    };
    InvoiceParties who = parties();
    for (const Case& c : cases) {
        who.settings.salesTaxRate = c.taxRate;
        const Invoice invoice = invoiceOf(c.lines);
        const InvoicePage page = invoicePage(invoice, who, 1);
        std::vector<std::string> column;
        for (const InvoicePageText& t : page.texts)
            if (t.rect.left == 485 && t.rect.top >= 200) column.push_back(t.text);
        ASSERT_GE(column.size(), 4u) << c.name;
        EXPECT_EQ(column.front(), c.firstLine) << c.name;
        EXPECT_EQ(column[column.size() - 3], c.net) << c.name;
        EXPECT_EQ(column[column.size() - 2], c.tax) << c.name;
        EXPECT_EQ(column.back(), c.total) << c.name;

        const std::string file = invoiceFileText(invoice, who);
        EXPECT_NE(file.find("\nTOTAL: " + std::string(c.net) + "\n"), std::string::npos) << c.name << file;
        EXPECT_NE(file.find("(" + fixed2Text(c.taxRate) + "%): " + c.tax + "\n"), std::string::npos) << c.name;
        EXPECT_NE(file.find("TOTAL + Sales Tax : : " + std::string(c.total) + "\n"), std::string::npos) << c.name;
    }
}

TEST_F(InvoiceBilling, EveryHourOfAFrameIsShownOnPaperAndInTheTextFile) {
    const struct {
        std::int32_t seconds;
        const char* shown;
    } cases[] = {
        {0, "00:00"},
        {90 * 60 + 50, "01:30"},
        {23 * 3600 + 59 * 60 + 59, "23:59"},
        {24 * 3600, "24:00"},
        {25 * 3600 + 30 * 60 + 59, "25:30"},
        {100 * 3600 + 5 * 60, "100:05"},
    };
    const InvoiceParties who = parties();
    for (const auto& c : cases) {
        const Invoice invoice = invoiceOf({{60.0, c.seconds}});
        EXPECT_EQ(invoiceLineCells(invoice.lines[0], who.settings).duration, c.shown) << c.seconds;
        bool onPaper = false;
        for (const InvoicePageText& t : invoicePage(invoice, who, 1).texts)
            onPaper = onPaper || (t.rect.left == 345 && t.rect.top == 200 && t.text == c.shown);
        EXPECT_TRUE(onPaper) << c.shown;
        const std::string file = invoiceFileText(invoice, who);
        EXPECT_NE(file.find("\t08:00\t" + std::string(c.shown) + "\t"), std::string::npos) << c.shown << "\n" << file;
    }
}

TEST_F(InvoiceBilling, AFrameAcrossAMonthEndIsBilledOnceInTheMonthWhereItStarts) {
    ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), {{0, "Design", 7, 60.0, "", -1}}));
    const struct {
        const char* name;
        std::int32_t start, end;
        int november, december;  // lines on each month's invoice
    } cases[] = {
        {"23:00 on the 30th to 01:00 on the 1st", at(1996, 11, 30, 23), at(1996, 12, 1, 1), 1, 0},
        {"the last second of the month to past midnight", at(1996, 11, 30, 23, 59, 59), at(1996, 12, 1, 0, 0, 30), 1, 0},
        {"ends on the last second", at(1996, 11, 30, 22), at(1996, 11, 30, 23, 59, 59), 1, 0},
        {"starts at the first second", at(1996, 12, 1), at(1996, 12, 1, 2), 0, 1},
        {"across the end of December", at(1996, 12, 31, 23), at(1997, 1, 1, 1), 0, 1},
        {"from October into November", at(1996, 10, 31, 23, 30), at(1996, 11, 1, 0, 15), 0, 0},
        {"longer than a month", at(1996, 11, 15), at(1996, 12, 20), 1, 0},
    };
    for (const auto& c : cases) {
        writeFrames({{0, c.start, c.end}});
        const Invoice november = billed({1996, 11, 1}, {1996, 11, 30});
        const Invoice december = billed({1996, 12, 1}, {1996, 12, 31});
        EXPECT_EQ(static_cast<int>(november.lines.size()), c.november) << c.name;
        EXPECT_EQ(static_cast<int>(december.lines.size()), c.december) << c.name;
        // Whole, with all of its time.
        for (const Invoice* invoice : {&november, &december})
            for (const InvoiceLine& line : invoice->lines) {
                EXPECT_EQ(line.start, c.start) << c.name;
                EXPECT_EQ(line.end, c.end) << c.name;
            }
    }
}

}  // namespace
}  // namespace ql::testing
