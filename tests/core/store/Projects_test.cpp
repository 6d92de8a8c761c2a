#include "core/store/Projects.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

using test::TempDir;

ProjectRecord project(std::int32_t id, std::string name, std::int32_t parent = -1, double rate = 0.0) {
    ProjectRecord p;
    p.id = id;
    p.name = std::move(name);
    p.parentId = parent;
    p.chargesPerHour = rate;
    return p;
}

class ProjectsTest : public ::testing::Test {
protected:
    TempDir dir;
    FileSystem& fs = defaultFileSystem();
    std::string prj = dir.path("Work.prj");
};

TEST_F(ProjectsTest, WholeFileWriteAndLoadKeepOrderAndFields) {
    const std::vector<ProjectRecord> records{project(0, "Client work"), project(1, "Web site", 0, 55.0),
                                             project(2, "Design", 1)};
    ASSERT_TRUE(writeProjects(fs, prj, records));
    EXPECT_EQ(test::readBytes(prj).size(), 3 * 1082u);
    EXPECT_EQ(*loadProjects(fs, prj), records);
    ASSERT_TRUE(writeProjects(fs, prj, {}));
    EXPECT_TRUE(loadProjects(fs, prj)->empty());
}

TEST_F(ProjectsTest, MissingFileIsReportedWithItsPath) {
    EXPECT_EQ(loadProjects(fs, prj).status().message(), "Cannot open project file : " + prj);
    EXPECT_EQ(findProjectById(fs, prj, 0).status().message(), "Cannot open project file : " + prj);
    EXPECT_FALSE(findProjectIdByName(fs, prj, "x"));
}

TEST_F(ProjectsTest, LookupsFindFirstByIdLastByNameAndReportNotFound) {
    ASSERT_TRUE(writeProjects(fs, prj, {project(0, "Same"), project(1, "Other"), project(2, "Same"), project(0, "Dup")}));
    EXPECT_EQ((*findProjectById(fs, prj, 0))->name, "Same");
    EXPECT_FALSE(findProjectById(fs, prj, 99)->has_value());  // not the last record of the file
    EXPECT_EQ(*findProjectIdByName(fs, prj, "Same"), 2);
    EXPECT_EQ(*findProjectIdByName(fs, prj, "same"), -1);  // exact bytes
    ASSERT_TRUE(writeProjects(fs, prj, {}));
    EXPECT_EQ(*findProjectIdByName(fs, prj, "Same"), -1);
}

TEST_F(ProjectsTest, FullNameJoinsTheChainInBothOrders) {
    ASSERT_TRUE(writeProjects(fs, prj, {project(0, "Client work"), project(1, "Web site", 0), project(2, "Design", 1)}));
    EXPECT_EQ(*projectFullName(fs, prj, 2, true), "Client work - Web site - Design");
    EXPECT_EQ(*projectFullName(fs, prj, 2, false), "Design - Web site - Client work");
    EXPECT_EQ(*projectFullName(fs, prj, 0, true), "Client work");
    EXPECT_EQ(*projectFullName(fs, prj, 7, true), "");
}

TEST_F(ProjectsTest, FullNameEndsAtAMissingParentAndAtACycle) {
    ProjectIndex index({project(0, "Orphan", 42), project(1, "A", 2), project(2, "B", 1), project(3, "Self", 3)});
    EXPECT_EQ(index.fullName(0, true), "Orphan");
    EXPECT_EQ(index.fullName(1, true), "B - A");
    EXPECT_EQ(index.fullName(3, false), "Self");
}

TEST_F(ProjectsTest, IndexFindsSparseAndNegativeIdsAndPrefersTheFirstRecord) {
    ProjectIndex index({project(5, "five", -1, 10.0), project(2000000000, "big"), project(-7, "negative"),
                        project(5, "later five")});
    EXPECT_EQ(index.name(5), "five");
    EXPECT_EQ(index.chargesPerHour(5), 10.0);
    EXPECT_EQ(index.name(2000000000), "big");
    EXPECT_EQ(index.name(-7), "negative");
    EXPECT_EQ(index.find(4), nullptr);
    EXPECT_EQ(index.name(4), "");
    EXPECT_EQ(index.chargesPerHour(4), 0.0);
    EXPECT_EQ(index.idByName("later five"), 5);
}

}  // namespace
}  // namespace ql
