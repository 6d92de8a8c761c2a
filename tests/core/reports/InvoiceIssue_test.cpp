#include "core/reports/InvoiceIssue.h"

#include "core/store/Customers.h"
#include "core/store/Projects.h"
#include "core/tracking/TrackingFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace ql::testing {
namespace {

using Op = test::FaultyFileSystem::Op;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Customer 7 "Acme Corp" with project 0 "Design" (45/h): two frames in December 1996.
class InvoiceIssueTest : public TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), {{0, "Design", 7, 45.0, "", -1}}));
        ASSERT_TRUE(appendCustomer(m_fs, acmeCustomer(), m_set));
        writeFrames({{0, at(1996, 12, 2, 9), at(1996, 12, 2, 10)}, {0, at(1996, 12, 20, 9), at(1996, 12, 20, 11)}});
        store("9600001");
    }
    std::string stored() { return readSettings(m_fs, m_set)->nextInvoiceNumber; }
    void store(const std::string& next) {
        ASSERT_TRUE(updateSettings(m_fs, m_set, [&](SettingsRecord& s) {
            s.nextInvoiceNumber = next;
            return Status::ok();
        }));
    }
    InvoiceRequest request(const std::string& number, int fromDay = 1, int toDay = 31) const {
        return {7, at(1996, 12, fromDay), at(1996, 12, toDay, 23, 59, 59), number, at(1997, 1, 2, 10)};
    }
    InvoicePlan plan(const std::string& number, int fromDay = 1, int toDay = 31) {
        auto made = prepareInvoice(m_fs, m_set, request(number, fromDay, toDay));
        EXPECT_TRUE(made.isOk()) << made.status().message();
        return made ? std::move(made).value() : InvoicePlan{};
    }
    std::vector<std::string> registered() {
        auto reg = readInvoiceRegister(m_fs, m_set);
        EXPECT_TRUE(reg.isOk());
        std::vector<std::string> numbers;
        if (reg)
            for (const IssuedInvoice& i : reg->invoices()) numbers.push_back(i.number);
        return numbers;
    }
    static Status ok() { return Status::ok(); }
};

// Each refusal comes before anything is read further or written, naming the input at fault.
TEST_F(InvoiceIssueTest, PreparingRefusesWhatCannotBeIssuedAndSaysWhichInput) {
    CustomerRecord idle;
    idle.id = 9;
    idle.name = "Idle";
    ASSERT_TRUE(appendCustomer(m_fs, idle, m_set));
    constexpr EmptyInvoices kRefused = EmptyInvoices::Refused;
    const struct {
        const char* name;
        InvoiceRequest request;
        EmptyInvoices empties;
        InvoiceInput input;
        const char* message;  // nullptr: prepared unless an input is at fault
        std::size_t lines;
    } cases[] = {
        {"sound", request("9600001"), kRefused, InvoiceInput::None, nullptr, 2},
        {"a number of 32 bytes", request(std::string(32, '7')), kRefused, InvoiceInput::Number,
         "The invoice number is too long: it may have at most 31 characters.", 0},
        {"a number that is not UTF-8", request("96\xff"), kRefused, InvoiceInput::Number,
         "the invoice number is not UTF-8 text", 0},
        {"no customer", {-1, at(1996, 12, 1), at(1996, 12, 31), "1", 1}, kRefused, InvoiceInput::Customer, nullptr, 0},
        {"a customer no longer there", {8, at(1996, 12, 1), at(1996, 12, 31), "1", 1}, EmptyInvoices::Allowed,
         InvoiceInput::Customer, nullptr, 0},
        {"nothing worked", {9, at(1996, 12, 1), at(1996, 12, 31), "1", 1}, kRefused, InvoiceInput::None,
         englishForm(kNothingToInvoice).data(), 0},
        {"no frame in the period", request("1", 3, 19), kRefused, InvoiceInput::None, englishForm(kNothingToInvoice).data(), 0},
        {"no frame, for a script", request("1", 3, 19), EmptyInvoices::Allowed, InvoiceInput::None, nullptr, 0},
    };
    const std::string settingsBefore = fileBytes(m_set.settings());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InvoiceInput refused = InvoiceInput::Number;
        auto made = prepareInvoice(m_fs, m_set, c.request, c.empties, &refused);
        EXPECT_EQ(refused, c.input);
        const bool prepared = c.input == InvoiceInput::None && !c.message;
        ASSERT_EQ(made.isOk(), prepared) << made.status().message();
        if (c.message) {
            EXPECT_EQ(made.status().message(), c.message);
        }
        if (prepared) {
            EXPECT_EQ(made->invoice.lines.size(), c.lines);
            EXPECT_EQ(made->parties.customer.name, "Acme Corp");
            EXPECT_EQ(made->shownNumber, "9600001");
            EXPECT_EQ(made->overlap.frames, 0u);
        }
    }
    EXPECT_EQ(fileBytes(m_set.settings()), settingsBefore);
    EXPECT_FALSE(std::filesystem::exists(m_set.invoiceRegister()));
}

// What a window's Print or To File... finds when it issues under the number it showed.
TEST_F(InvoiceIssueTest, IssuingStoresOnlyWhileTheShownNumberIsStillTheStoredOne) {
    const struct {
        const char* stored;
        const char* shown;
        const char* typed;
        bool moved;
        const char* after;  // the stored next number afterwards
    } cases[] = {
        {"9600001", "9600001", "9600001", false, "9600002"},
        {"9600001", "9600001", "96-15", false, "96-16"},     // the typed number is the base
        {"9600001", "9600001", "500", false, "501"},         // even an older one, deliberately
        {"9600004", "9600001", "9600001", true, "9600004"},  // another program issued 3 since
        {"9600004", "9600001", "77", true, "9600004"},       // told even when the user typed one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::filesystem::remove(m_set.invoiceRegister());
        store(c.stored);
        InvoicePlan p = plan(c.typed);
        p.shownNumber = c.shown;
        bool published = false;
        auto issued = issueInvoice(m_fs, m_set, p, [&] {
            published = true;
            return ok();
        });
        ASSERT_TRUE(issued) << issued.status().message();
        EXPECT_EQ(issued->moved, c.moved);
        EXPECT_EQ(issued->storedNext, c.moved ? c.stored : c.after);
        EXPECT_EQ(stored(), c.after);
        EXPECT_EQ(published, !c.moved);
        EXPECT_EQ(registered(), c.moved ? std::vector<std::string>{} : std::vector<std::string>{c.typed});
    }
}

// An invoice shows under its name only after its number is stored and it is recorded; a
// failure on either side leaves no number used by an invoice that does not exist, and a number
// another invoice took meanwhile is never given back.
TEST_F(InvoiceIssueTest, IssuingStoresTheNumberBeforePublishingAndGivesItBackOnFailure) {
    const struct {
        const char* name;
        bool settingsFail;
        bool publishFails;
        const char* takenMeanwhile;  // stored by someone while publishing; nullptr: none
        bool published;
        const char* after;
    } cases[] = {
        {"sound", false, false, nullptr, true, "9600002"},
        {"the next number cannot be stored", true, false, nullptr, false, "9600001"},
        {"the invoice cannot be shown", false, true, nullptr, false, "9600001"},
        {"it cannot be shown, and another took a number", false, true, "9600003", false, "9600003"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_set.invoiceRegister());
        store("9600001");
        InvoicePlan p = plan("9600001");
        if (c.settingsFail) m_fs.failOn(Op::Create, m_set.temporary());
        std::string storedWhilePublishing;
        std::vector<std::string> registeredWhilePublishing;
        bool ran = false;
        auto issued = issueInvoice(m_fs, m_set, p, [&] {
            ran = true;
            storedWhilePublishing = stored();
            registeredWhilePublishing = registered();
            if (c.takenMeanwhile) store(c.takenMeanwhile);
            return c.publishFails ? Status::ioError("Cannot write invoice file : x") : ok();
        });
        m_fs.stopFailingOn();
        EXPECT_EQ(issued.isOk(), c.published);
        EXPECT_EQ(ran, !c.settingsFail);
        if (ran) {
            EXPECT_EQ(storedWhilePublishing, "9600002");
            EXPECT_EQ(registeredWhilePublishing, std::vector<std::string>{"9600001"});
        }
        EXPECT_EQ(stored(), c.after);
        EXPECT_EQ(registered(), c.published ? std::vector<std::string>{"9600001"} : std::vector<std::string>{});
        if (c.publishFails) {
            EXPECT_EQ(issued.status().message(), "Cannot write invoice file : x");
        }
    }
}

// The number in the register is refused once the check for a moved number passed; a plan read
// before another program billed the same frames is recorded as billing them again.
TEST_F(InvoiceIssueTest, IssuingReadsTheRegisterAgainUnderItsLock) {
    InvoicePlan early = plan("9600001");
    InvoicePlan late = plan("9600001");
    ASSERT_TRUE(issueInvoice(m_fs, m_set, early, {}));
    late.shownNumber = "9600002";  // the window was told and the user kept the taken number
    auto refused = issueInvoice(m_fs, m_set, late, {});
    ASSERT_FALSE(refused.isOk());
    EXPECT_EQ(refused.status().message(), numberInRegisterMessage("9600001"));
    EXPECT_EQ(stored(), "9600002");

    late.invoice.request.invoiceNumber = "9600002";
    ASSERT_TRUE(issueInvoice(m_fs, m_set, late, {}));
    const auto reg = readInvoiceRegister(m_fs, m_set);
    ASSERT_TRUE(reg.isOk());
    ASSERT_EQ(reg->invoices().size(), 2u);
    EXPECT_FALSE(reg->invoices()[0].rebills);
    EXPECT_TRUE(reg->invoices()[1].rebills);
    // Prepared from an empty register, read again with the earlier invoice in it.
    EXPECT_EQ(late.billedBy.invoices().size(), 1u);
}

// Billed time: left out (refused when nothing is left) or billed again, recorded as such.
TEST_F(InvoiceIssueTest, TheBilledQuestionsAnswersShapeWhatIsIssued) {
    const struct {
        const char* name;
        int toDay;
        BilledAnswer answer;
        const char* refusal;  // nullptr: issued
        std::size_t lines;
        bool rebills;
    } cases[] = {
        {"left out", 31, BilledAnswer::LeaveOut, nullptr, 1, false},
        {"every frame left out", 2, BilledAnswer::LeaveOut, englishForm(kEveryFrameBilled).data(), 0, false},
        {"billed again", 31, BilledAnswer::BillAgain, nullptr, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(m_set.invoiceRegister());
        std::filesystem::remove(m_set.invoiceTexts());
        store("A-1");
        InvoicePlan first = plan("A-1", 1, 10);
        ASSERT_TRUE(issueInvoice(m_fs, m_set, first, {}));
        InvoicePlan p = plan("A-2", 1, c.toDay);
        ASSERT_EQ(p.overlap.frames, 1u);
        EXPECT_EQ(p.overlap.numbers, std::vector<std::string>{"A-1"});
        const Status answered = answerBilled(p, c.answer);
        EXPECT_EQ(answered.isOk(), c.refusal == nullptr);
        if (c.refusal) {
            EXPECT_EQ(answered.message(), c.refusal);
            continue;
        }
        EXPECT_EQ(p.invoice.lines.size(), c.lines);
        ASSERT_TRUE(issueInvoice(m_fs, m_set, p, {}));
        const auto reg = readInvoiceRegister(m_fs, m_set);
        ASSERT_TRUE(reg.isOk());
        const IssuedInvoice* entry = reg->find("A-2");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->frames.size(), c.lines);
        EXPECT_EQ(entry->rebills, c.rebills);
        EXPECT_EQ(entry->frames.back().start, at(1996, 12, 20, 9));
    }
}

// The reprint of a number finds its invoice as issued; a missing one is refused, a void one
// unless paper copies of it are asked for.
TEST_F(InvoiceIssueTest, AReprintFindsTheIssuedInvoiceByNumber) {
    InvoicePlan p = plan("9600001");
    ASSERT_TRUE(issueInvoice(m_fs, m_set, p, {}));
    InvoicePlan q = plan("9600002", 20, 31);
    q.rebills = true;
    ASSERT_TRUE(issueInvoice(m_fs, m_set, q, {}));
    ASSERT_TRUE(voidInvoice(m_fs, m_set, "9600002"));
    auto reg = readInvoiceRegister(m_fs, m_set);
    ASSERT_TRUE(reg.isOk());
    const struct {
        const char* number;
        VoidInvoices voids;
        const char* refusal;
        std::size_t lines;
    } cases[] = {
        {"9600001", VoidInvoices::Refused, nullptr, 2},
        {"9600002", VoidInvoices::Refused, "invoice 9600002 is void", 0},
        {"9600002", VoidInvoices::Given, nullptr, 1},
        {"9600003", VoidInvoices::Given, "no invoice has the number 9600003 in the invoice register", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        InvoiceInput refused = InvoiceInput::None;
        auto content = findIssuedContent(m_fs, m_set, *reg, c.number, c.voids, &refused);
        EXPECT_EQ(content.isOk(), c.refusal == nullptr);
        EXPECT_EQ(refused, c.refusal ? InvoiceInput::Number : InvoiceInput::None);
        if (c.refusal) {
            EXPECT_EQ(content.status().message(), c.refusal);
            continue;
        }
        EXPECT_EQ(content->invoice.request.invoiceNumber, c.number);
        EXPECT_EQ(content->invoice.lines.size(), c.lines);
        EXPECT_TRUE(content->invoice.asIssued);
    }
}

}  // namespace
}  // namespace ql::testing
