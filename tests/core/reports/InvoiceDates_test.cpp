#include "core/reports/InvoiceDetails.h"
#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/reports/DesignInvoiceFixture.h"

#include "core/einvoice/EInvoiceSample.h"

#include <cstdlib>
#include <ctime>

namespace ql::testing {
namespace {

using calendar::Date;

void useZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

TEST(InvoiceDateLines, ReadBackTheDaysTheyShowAndNothingElse) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        bool monthFirst;
        PrintedInvoiceDates days;
    } cases[] = {
        {"all three, day first",
         {"Invoice date: 02/04/2026", "Period: 01/03/2026 - 31/03/2026", "Due date: 16/04/2026"},
         false,
         {Date{2026, 4, 2}, Date{2026, 3, 1}, Date{2026, 3, 31}, Date{2026, 4, 16}}},
        {"all three, month first",
         {"Invoice date: 04/02/2026", "Period: 03/01/2026 - 03/31/2026", "Due date: 04/16/2026"},
         true,
         {Date{2026, 4, 2}, Date{2026, 3, 1}, Date{2026, 3, 31}, Date{2026, 4, 16}}},
        {"no due date printed", {"Invoice date: 02/04/2026", "Period: 01/03/2026 - 31/03/2026"}, false,
         {Date{2026, 4, 2}, Date{2026, 3, 1}, Date{2026, 3, 31}, std::nullopt}},
        {"read in the other order: no such month",
         {"Invoice date: 31/12/1996", "Due date: 14/01/1997"}, true, {}},
        {"a period with one unreadable end sets neither", {"Period: 01/03/2026 - 32/03/2026"}, false, {}},
        {"a period without its dash", {"Period: 01/03/2026 + 31/03/2026"}, false, {}},
        {"a period followed by more", {"Period: 01/03/2026 - 31/03/2026 "}, false, {}},
        {"labels in another case or spacing", {"invoice date: 02/04/2026", "Due date:16/04/2026"}, false, {}},
        {"other lines", {"VAT ID: DE123", "", "Invoice date: "}, false, {}},
        {"the last of a repeated line", {"Invoice date: 01/04/2026", "Invoice date: 02/04/2026"}, false,
         {Date{2026, 4, 2}, std::nullopt, std::nullopt, std::nullopt}},
    };
    for (const auto& c : cases) EXPECT_EQ(readInvoiceDateLines(c.lines, c.monthFirst), c.days) << c.name;
}

// The days of a new invoice come from its request and the terms; its printed lines, read back,
// give the same days in both date orders, with and without terms, so a reprint shows what the
// first print showed.
TEST(InvoiceDates, ANewInvoiceAndItsReprintShowTheSameDays) {
    useZone("America/New_York");
    for (const bool monthFirst : {false, true})
        for (const char* terms : {"14", "0", ""}) {
            SCOPED_TRACE(std::string(monthFirst ? "month first, terms " : "day first, terms ") + terms);
            InvoiceParties parties = completeParties();
            parties.settings.dateFormat = monthFirst ? 1 : 0;
            ASSERT_EQ(parties.settings.monthFirst(), monthFirst);
            parties.billing.paymentTerms = terms;
            Invoice fresh = sampleInvoice();
            // Late on the evening of the day clocks go forward.
            fresh.request.issueDate = localTime(2026, 3, 8, 23, 30);
            const InvoiceDates days = invoiceDates(fresh, parties);
            const int termDays = *terms ? std::atoi(terms) : 0;
            EXPECT_EQ(days, (InvoiceDates{{2026, 3, 8}, {2026, 3, 1}, {2026, 3, 31}, calendar::addDays({2026, 3, 8}, termDays)}));

            Invoice reprint = fresh;
            setIssuedDateLines(reprint, invoiceDetails(fresh, parties).dates, monthFirst);
            EXPECT_EQ(reprint.issuedDates, invoiceDetails(fresh, parties).dates);
            EXPECT_EQ(invoiceDates(reprint, parties), days);
            // Somewhere it is already the next day: a new invoice moves, the reprint does not.
            useZone("Pacific/Kiritimati");
            EXPECT_NE(invoiceDates(fresh, parties).issue, days.issue);
            EXPECT_EQ(invoiceDates(reprint, parties), days);
            EXPECT_EQ(invoiceDetails(reprint, parties).dates, *reprint.issuedDates);
            useZone("America/New_York");
        }
}

// A reprint whose lines lack a day takes that day from its request, and a due day it did not
// print follows the terms from the issue day it did print.
TEST(InvoiceDates, AReprintFillsWhatItsLinesLackFromTheRequestAndTheTerms) {
    useZone("Europe/Berlin");
    const InvoiceParties parties = completeParties();  // 14 days' terms, day first
    Invoice reprint = sampleInvoice();                 // issued 2 April 2026
    setIssuedDateLines(reprint, {"Invoice date: 10/04/2026"}, false);
    EXPECT_EQ(invoiceDates(reprint, parties), (InvoiceDates{{2026, 4, 10}, {2026, 3, 1}, {2026, 3, 31}, {2026, 4, 24}}));
    setIssuedDateLines(reprint, {"Period: 01/02/2026 - 28/02/2026", "Due date: 01/05/2026"}, false);
    EXPECT_EQ(invoiceDates(reprint, parties), (InvoiceDates{{2026, 4, 2}, {2026, 2, 1}, {2026, 2, 28}, {2026, 5, 1}}));
    setIssuedDateLines(reprint, {}, false);
    EXPECT_EQ(invoiceDates(reprint, parties), (InvoiceDates{{2026, 4, 2}, {2026, 3, 1}, {2026, 3, 31}, {2026, 4, 16}}));
}

class IssuedDatesTest : public DesignInvoiceFixture {
protected:
    void SetUp() override {
        DesignInvoiceFixture::SetUp();
        ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
            d.paymentTerms = "30";
            return Status::ok();
        }));
    }
};

// The register keeps the printed lines; reading it gives the days they show, once, whatever
// the time zone is when the reprint is made.
TEST_F(IssuedDatesTest, TheRegisterGivesAReprintTheDaysItsLinesShow) {
    const std::int32_t issuedAt = at(1996, 12, 31, 23, 30);
    auto plan = prepareInvoice(m_fs, m_set, {7, at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59), "9600001", issuedAt});
    ASSERT_TRUE(plan) << plan.status().message();
    const InvoiceDates days = invoiceDates(plan->invoice, plan->parties);
    EXPECT_EQ(days, (InvoiceDates{{1996, 12, 31}, {1996, 12, 1}, {1996, 12, 31}, {1997, 1, 30}}));
    auto issued = issueInvoice(m_fs, m_set, *plan, [] { return Status::ok(); });
    ASSERT_TRUE(issued) << issued.status().message();
    ASSERT_FALSE(issued->moved);
    useZone("Europe/Berlin");  // already 1 January 1997 there
    auto reg = readInvoiceRegister(m_fs, m_set);
    ASSERT_TRUE(reg);
    auto content = issuedContent(m_fs, *reg, 0, m_set);
    ASSERT_TRUE(content) << content.status().messageWithReason();
    ASSERT_TRUE(content->invoice.issuedDates.has_value());
    EXPECT_EQ(content->invoice.issuedDays, readInvoiceDateLines(*content->invoice.issuedDates, content->parties.settings.monthFirst()));
    EXPECT_EQ(content->invoice.issuedDays.due, days.due);
    EXPECT_EQ(invoiceDates(content->invoice, content->parties), days);
}

}  // namespace
}  // namespace ql::testing
