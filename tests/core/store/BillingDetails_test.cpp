#include "core/store/BillingDetails.h"

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/support/TempDir.h"
#include "support/FaultyFileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace ql {
namespace {

using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;

BillingDetails fullDetails() {
    BillingDetails d;
    d.countryCode = "DE";
    d.vatId = "DE123456789";
    d.taxNumber = "12/345/67890";
    d.registration = "HRB 12345";
    d.iban = "DE89370400440532013000";
    d.bic = "COBADEFFXXX";
    d.paymentTerms = "14";
    d.currencyCode = "EUR";
    d.exemptionReason = "Steuerfrei nach \xC2\xA7 19 UStG";
    d.exemptionCode = "VATEX-EU-O";
    return d;
}

class BillingFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(createFileSet(defaultFileSystem(), m_set, "$", true));
    }
    test::TempDir m_dir;
    FileSet m_set{m_dir.path("Set.qlr")};
    FaultyFileSystem m_fs;
};

TEST_F(BillingFiles, ASetWithoutDetailsReadsEmptyAndGainsNoFile) {
    auto read = readBillingDetails(m_fs, m_set);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->empty());
    auto customers = readCustomerDetails(m_fs, m_set);
    ASSERT_TRUE(customers);
    EXPECT_TRUE(customers->empty());
    // Clearing what is not there writes nothing.
    ASSERT_TRUE(writeCustomerDetails(m_fs, m_set, 3, {}));
    ASSERT_TRUE(removeCustomerDetails(m_fs, m_set, {3}));
    EXPECT_FALSE(test::fileExists(m_set.billing()));
    EXPECT_FALSE(test::fileExists(m_set.customerBilling()));
}

TEST_F(BillingFiles, DetailsRoundTripThroughTheFileReadOnce) {
    ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d = fullDetails();
        return Status::ok();
    }));
    m_fs.resetCounts();
    auto read = readBillingDetails(m_fs, m_set);
    ASSERT_TRUE(read) << read.status().messageWithReason();
    EXPECT_EQ(*read, fullDetails());
    EXPECT_EQ(m_fs.reads(m_set.billing()), 1);

    const CustomerDetails acme{"AT", "ATU12345678", "ap@acme.example", "PO-7"};
    const CustomerDetails bolt{"FR", "", "", ""};
    ASSERT_TRUE(writeCustomerDetails(m_fs, m_set, 7, acme));
    ASSERT_TRUE(writeCustomerDetails(m_fs, m_set, 2, bolt));
    auto map = readCustomerDetails(m_fs, m_set);
    ASSERT_TRUE(map);
    EXPECT_EQ(*map, (CustomerDetailsMap{{2, bolt}, {7, acme}}));
    ASSERT_TRUE(removeCustomerDetails(m_fs, m_set, {7, 99}));
    auto one = readCustomerDetails(m_fs, m_set, 7);
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->empty());
    EXPECT_EQ(*readCustomerDetails(m_fs, m_set, 2), bolt);
}

TEST_F(BillingFiles, ARefusedValueWritesNothing) {
    ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d = fullDetails();
        return Status::ok();
    }));
    const auto before = readBytes(m_set.billing());
    const Status st = updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d.iban = "DE88370400440532013000";  // a wrong check digit
        return Status::ok();
    });
    ASSERT_FALSE(st);
    EXPECT_EQ(st.code(), StatusCode::InvalidArgument);
    EXPECT_EQ(st.message().rfind("IBAN: ", 0), 0u) << st.message();
    EXPECT_EQ(readBytes(m_set.billing()), before);

    const Status bad = writeCustomerDetails(m_fs, m_set, 1, {"DE", "not a vat", "", ""});
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.message().rfind("VAT number: ", 0), 0u) << bad.message();
    EXPECT_FALSE(test::fileExists(m_set.customerBilling()));
}

// Whatever is damaged is reported, never read as "no details", and never written over unseen.
TEST_F(BillingFiles, TornGarbageAndWrongChecksumsAreReported) {
    const auto whole = encodeBillingDetails(fullDetails());
    auto flipped = whole;
    flipped[20] ^= 0x01;
    auto otherVersion = whole;
    otherVersion[4] = 2;
    auto padded = whole;
    padded.push_back(0);
    const std::pair<const char*, std::vector<unsigned char>> cases[] = {
        {"torn", std::vector<unsigned char>(whole.begin(), whole.end() - 3)},
        {"empty", {}},
        {"garbage", std::vector<unsigned char>(200, 0x5A)},
        {"bit flipped", flipped},
        {"other version", otherVersion},
        {"padded", padded},
        {"huge", std::vector<unsigned char>(100000, 0)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeBytes(m_set.billing(), bytes);
        auto read = readBillingDetails(m_fs, m_set);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.status().message(), billingReadMessage(m_set.billing()));
        EXPECT_FALSE(updateBillingDetails(m_fs, m_set, [](BillingDetails&) { return Status::ok(); }));
        EXPECT_EQ(readBytes(m_set.billing()), bytes);

        auto customerBytes = bytes;
        if (!customerBytes.empty()) std::copy_n("QLBC", 4, customerBytes.begin());
        writeBytes(m_set.customerBilling(), customerBytes);
        EXPECT_FALSE(readCustomerDetails(m_fs, m_set));
        EXPECT_FALSE(writeCustomerDetails(m_fs, m_set, 1, {"DE", "", "", ""}));
        EXPECT_EQ(readBytes(m_set.customerBilling()), customerBytes);
    }
    EXPECT_EQ(decodeBillingDetails(whole.data(), whole.size()), fullDetails());
}

TEST_F(BillingFiles, AFifoOrALinkOutOfTheSetIsReported) {
    ASSERT_EQ(::mkfifo(m_set.billing().c_str(), 0600), 0);
    EXPECT_FALSE(readBillingDetails(m_fs, m_set));
    EXPECT_FALSE(updateBillingDetails(m_fs, m_set, [](BillingDetails&) { return Status::ok(); }));
    std::filesystem::remove(m_set.billing());

    const std::string elsewhere = m_dir.path("notes.txt");
    writeBytes(elsewhere, encodeBillingDetails(fullDetails()));
    std::filesystem::create_symlink(elsewhere, m_set.billing());
    EXPECT_FALSE(readBillingDetails(m_fs, m_set));
    EXPECT_FALSE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d.taxNumber = "1";
        return Status::ok();
    }));
    EXPECT_EQ(readBytes(elsewhere), encodeBillingDetails(fullDetails()));
}

TEST_F(BillingFiles, AFailedRewriteKeepsTheOldDetails) {
    ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d = fullDetails();
        return Status::ok();
    }));
    const auto before = readBytes(m_set.billing());
    for (auto op : {FaultyFileSystem::Op::Create, FaultyFileSystem::Op::Write, FaultyFileSystem::Op::Sync,
                    FaultyFileSystem::Op::Rename}) {
        FaultyFileSystem faulty;
        faulty.failEvery(op);
        EXPECT_FALSE(updateBillingDetails(faulty, m_set, [](BillingDetails& d) {
            d.taxNumber = "99";
            return Status::ok();
        }));
        EXPECT_EQ(readBytes(m_set.billing()), before);
        EXPECT_FALSE(test::anyFileStartingWith(m_set.temporary()));
    }
}

TEST_F(BillingFiles, AWindowsChangeIsRefusedWhenAnotherProgramChangedTheDetails) {
    const BillingDetails loaded = fullDetails();
    ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [&](BillingDetails& d) {
        d = loaded;
        return Status::ok();
    }));
    ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [](BillingDetails& d) {
        d.paymentTerms = "30";
        return Status::ok();
    }));
    const Status st = updateBillingDetails(
        m_fs, m_set,
        [](BillingDetails& d) {
            d.bic = "DEUTDEFF";
            return Status::ok();
        },
        &loaded);
    EXPECT_FALSE(st);
    EXPECT_EQ(readBillingDetails(m_fs, m_set)->paymentTerms, "30");
}

// A removed customer's id may come back (the highest id removed): its details must not.
TEST_F(BillingFiles, CustomersAddedAndRemovedTakeTheirDetailsWithThem) {
    CustomerRecord acme;
    acme.name = "Acme";
    const CustomerDetails billed{"DE", "DE123456789", "", ""};
    auto first = addCustomerWithDetails(m_fs, acme, billed, m_set);
    ASSERT_TRUE(first);
    EXPECT_EQ(*readCustomerDetails(m_fs, m_set, *first), billed);

    // Removed records keep their details when the records cannot be rewritten ...
    {
        FaultyFileSystem faulty;
        faulty.failEvery(FaultyFileSystem::Op::Rename);
        EXPECT_FALSE(removeCustomersWithDetails(faulty, {*first}, m_set));
        EXPECT_EQ(*readCustomerDetails(m_fs, m_set, *first), billed);
    }
    ASSERT_TRUE(removeCustomersWithDetails(m_fs, {*first}, m_set));
    EXPECT_TRUE(readCustomerDetails(m_fs, m_set, *first)->empty());

    // ... and details left behind under an id (a crash between the two writes) are replaced.
    ASSERT_TRUE(writeCustomerDetails(m_fs, m_set, *first, billed));
    auto again = addCustomerWithDetails(m_fs, acme, {}, m_set);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *first);
    EXPECT_TRUE(readCustomerDetails(m_fs, m_set, *again)->empty());

    // A details file that cannot be read refuses the customer too.
    writeBytes(m_set.customerBilling(), {'Q', 'L', 'B', 'C'});
    const auto customersBefore = readBytes(m_set.customers());
    EXPECT_FALSE(addCustomerWithDetails(m_fs, acme, billed, m_set));
    EXPECT_EQ(readBytes(m_set.customers()), customersBefore);
}

}  // namespace
}  // namespace ql
