#include "core/reports/InvoiceNumbers.h"

#include "core/tracking/TrackingFixture.h"

namespace ql::testing {
namespace {

using Op = test::FaultyFileSystem::Op;

class InvoiceNumbersTest : public TrackingFixture {
protected:
    std::string stored() { return readSettings(m_fs, m_set)->nextInvoiceNumber; }
    void store(const std::string& next) {
        ASSERT_TRUE(updateSettings(m_fs, m_set, [&](SettingsRecord& s) {
            s.nextInvoiceNumber = next;
            return Status::ok();
        }));
    }
};

// What a window's Print or To File... finds when it claims the number it showed.
TEST_F(InvoiceNumbersTest, AClaimStoresOnlyWhileTheShownNumberIsStillTheStoredOne) {
    const struct {
        const char* stored;
        const char* shown;
        const char* typed;
        bool moved;
        const char* after;  // the stored next number afterwards
    } cases[] = {
        {"9600001", "9600001", "9600001", false, "9600002"},
        {"9600001", "9600001", "96-15", false, "96-16"},    // the typed number is the base
        {"9600001", "9600001", "500", false, "501"},        // even an older one, deliberately
        {"9600004", "9600001", "9600001", true, "9600004"},  // another program issued 3 since
        {"9600004", "9600001", "77", true, "9600004"},       // told even when the user typed one
    };
    for (const auto& c : cases) {
        store(c.stored);
        auto claim = claimInvoiceNumber(m_fs, m_set, c.shown, c.typed);
        ASSERT_TRUE(claim) << claim.status().message();
        EXPECT_EQ(claim->moved, c.moved) << c.typed;
        EXPECT_EQ(stored(), c.after) << c.typed;
        if (c.moved) {
            EXPECT_EQ(claim->current, c.stored);
        } else {
            EXPECT_EQ(claim->issued.previousNext, c.stored);
            EXPECT_EQ(claim->issued.storedNext, c.after);
        }
    }
}

TEST_F(InvoiceNumbersTest, ANumberIsGivenBackOnlyWhileNoOneTookTheNextOne) {
    auto claim = claimInvoiceNumber(m_fs, m_set, "9600001", "9600001");
    ASSERT_TRUE(claim);
    ASSERT_TRUE(giveBackInvoiceNumber(m_fs, m_set, claim->issued));
    EXPECT_EQ(stored(), "9600001");

    // Another invoice took 9600002 meanwhile: giving 9600001 back would issue 9600002 twice.
    claim = claimInvoiceNumber(m_fs, m_set, "9600001", "9600001");
    ASSERT_TRUE(claim);
    store("9600003");
    EXPECT_TRUE(giveBackInvoiceNumber(m_fs, m_set, claim->issued));
    EXPECT_EQ(stored(), "9600003");
}

// An invoice shows under its name only after its number is stored, and a failure on either
// side leaves no number used by an invoice that does not exist.
TEST_F(InvoiceNumbersTest, IssuingStoresTheNumberBeforePublishingAndGivesItBackOnFailure) {
    const struct {
        const char* name;
        bool settingsFail;
        bool publishFails;
        bool published;
        const char* after;
    } cases[] = {
        {"sound", false, false, true, "9600002"},
        {"the next number cannot be stored", true, false, false, "9600001"},
        {"the invoice cannot be shown", false, true, false, "9600001"},
    };
    for (const auto& c : cases) {
        store("9600001");
        m_fs.stopFailingOn();
        if (c.settingsFail) m_fs.failOn(Op::Create, m_set.temporary());
        std::string storedWhilePublishing;
        bool ran = false;
        const Status st = issueInvoiceNumber(m_fs, m_set, "9600001", [&] {
            ran = true;
            storedWhilePublishing = readSettings(m_fs, m_set)->nextInvoiceNumber;
            return c.publishFails ? Status::ioError("Cannot write invoice file : x") : Status::ok();
        });
        m_fs.stopFailingOn();
        EXPECT_EQ(st.isOk(), c.published) << c.name;
        EXPECT_EQ(ran, !c.settingsFail) << c.name;
        if (ran) {
            EXPECT_EQ(storedWhilePublishing, "9600002") << c.name;
        }
        EXPECT_EQ(stored(), c.after) << c.name;
        if (c.publishFails) {
            EXPECT_EQ(st.message(), "Cannot write invoice file : x");
        }
    }
}

}  // namespace
}  // namespace ql::testing
