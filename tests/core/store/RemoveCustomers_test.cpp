#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace ql {
namespace {

class RemoveCustomers : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/quillory-customers-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        m_path = m_folder + "/Set.cus";
        ASSERT_TRUE(fs().create(m_path));
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    FileSystem& fs() { return defaultFileSystem(); }
    void add(std::int32_t id) {
        CustomerRecord c;
        c.id = id;
        c.name = "C" + std::to_string(id);
        ASSERT_TRUE(appendCustomer(fs(), c, FileSet(m_path)));
    }
    std::vector<std::int32_t> ids() {
        std::vector<std::int32_t> out;
        const auto loaded = loadCustomers(fs(), m_path);
        EXPECT_TRUE(loaded.isOk());
        if (!loaded) return out;
        for (const auto& c : loaded.value()) out.push_back(c.id);
        return out;
    }

    std::string m_folder;
    std::string m_path;
};

TEST_F(RemoveCustomers, RemovesEveryListedIdAndKeepsTheOrderOfTheRest) {
    for (std::int32_t id : {4, 1, 7, 1, 3}) add(id);
    ASSERT_TRUE(removeCustomers(fs(), {1, 3, 99}, m_path));
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{4, 7}));
    EXPECT_EQ(std::filesystem::file_size(m_path), 2 * CustomerRecord::kSize);
    EXPECT_FALSE(ql::test::anyFileStartingWith(fileSetPath(m_path, FileKind::Temporary)));
}

TEST_F(RemoveCustomers, NoIdsRewritesTheSameContent) {
    for (std::int32_t id : {2, 0}) add(id);
    ASSERT_TRUE(removeCustomers(fs(), {}, m_path));
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{2, 0}));
}

}  // namespace
}  // namespace ql
