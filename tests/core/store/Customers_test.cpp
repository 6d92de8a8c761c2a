#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

namespace ql {
namespace {

using test::TempDir;

class CustomersTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeBytes(cus, {}); }

    std::int32_t add(const std::string& name) {
        CustomerRecord c;
        c.name = name;
        c.id = *nextCustomerId(fs, FileSet(settings));
        EXPECT_TRUE(appendCustomer(fs, c, FileSet(settings)));
        return c.id;
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const auto& c : *loadCustomers(fs, cus)) out.push_back(c.name);
        return out;
    }

    TempDir dir;
    FileSystem& fs = defaultFileSystem();
    std::string settings = dir.path("Work.qlr");
    std::string cus = dir.path("Work.cus");
};

TEST_F(CustomersTest, IdsStartAtZeroAndTheHighestRemovedIdIsReused) {
    EXPECT_EQ(add("First"), 0);
    EXPECT_EQ(add("Second"), 1);
    EXPECT_EQ(add("Third"), 2);
    ASSERT_TRUE(removeCustomer(fs, 2, cus));
    EXPECT_EQ(add("Fourth"), 2);
    ASSERT_TRUE(removeCustomer(fs, 0, cus));
    EXPECT_EQ(add("Fifth"), 3);  // a lower removed id is not reused
}

TEST_F(CustomersTest, NoNextIdAfterTheLargestIdInsteadOfOverflowing) {
    CustomerRecord last;
    last.id = std::numeric_limits<std::int32_t>::max();
    ASSERT_TRUE(appendCustomer(fs, last, FileSet(settings)));
    const auto next = nextCustomerId(fs, FileSet(settings));
    ASSERT_FALSE(next);
    EXPECT_EQ(next.status().message(), "No customer id is left in " + cus);
}

TEST_F(CustomersTest, UpdateKeepsTheIdAndMovesTheRecordToTheEnd) {
    add("A");
    add("B");
    add("C");
    CustomerRecord changed = **findCustomerById(fs, cus, 0);
    changed.name = "A renamed";
    changed.city = "Zürich";
    ASSERT_TRUE(updateCustomer(fs, changed, cus));
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "C", "A renamed"}));
    EXPECT_EQ(**findCustomerById(fs, cus, 0), changed);
}

TEST_F(CustomersTest, LookupOfARemovedCustomerFindsNothing) {
    add("A");
    add("B");
    ASSERT_TRUE(removeCustomer(fs, 0, cus));
    EXPECT_FALSE(findCustomerById(fs, cus, 0)->has_value());  // not the last record of the file
    EXPECT_TRUE(findCustomerById(fs, cus, 1)->has_value());
}

TEST_F(CustomersTest, FailuresCarryTheirOwnMessages) {
    std::remove(cus.c_str());
    EXPECT_EQ(nextCustomerId(fs, FileSet(settings)).status().message(), "Cannot open Customers file : " + cus);
    EXPECT_EQ(findCustomerById(fs, cus, 0).status().message(), "Cannot open Customers file : " + cus);
    EXPECT_EQ(appendCustomer(fs, CustomerRecord{}, FileSet(settings)).message(), "Cannot open CUSTOMERS file : " + cus);
    EXPECT_EQ(updateCustomer(fs, CustomerRecord{}, cus).message(), "Cannot open CUSTOMERS file : " + cus);
    EXPECT_FALSE(test::fileExists(cus));
}

}  // namespace
}  // namespace ql
