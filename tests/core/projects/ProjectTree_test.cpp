#include "core/projects/ProjectTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace ql {
namespace {

ProjectRecord project(std::int32_t id, std::int32_t parentId, std::string name = {}) {
    ProjectRecord r;
    r.id = id;
    r.parentId = parentId;
    r.name = name.empty() ? "P" + std::to_string(id) : std::move(name);
    r.customerId = id % 3;
    r.chargesPerHour = 10.0 + id;
    r.memo = "memo " + std::to_string(id);
    return r;
}

// The hierarchy by ids, e.g. "0(1,2(3)),4".
std::string shape(const ProjectTree& tree, std::optional<ProjectTree::Handle> parent = std::nullopt) {
    std::string out;
    for (ProjectTree::Handle h : tree.children(parent)) {
        if (!out.empty()) out += ",";
        out += std::to_string(tree.record(h).id);
        if (!tree.children(h).empty()) out += "(" + shape(tree, h) + ")";
    }
    return out;
}

ProjectTree::Handle handleOfId(const ProjectTree& tree, std::int32_t id) {
    for (ProjectTree::Handle h : tree.order())
        if (tree.record(h).id == id) return h;
    ADD_FAILURE() << "no project " << id;
    return 0;
}

TEST(ProjectTree, LoadsParentsBeforeChildrenAndPutsOrphansAtTheTop) {
    // 5 names a later record and 9 none at all: both show at the top level.
    const std::vector<ProjectRecord> file = {project(0, -1), project(1, 0), project(2, 5), project(3, 1),
                                             project(4, 9), project(5, -1), project(6, 0)};
    const ProjectTree tree(file);
    EXPECT_EQ(shape(tree), "0(1(3),6),2,4,5");
    EXPECT_EQ(tree.records(), file);  // written back unchanged, orphans included
}

TEST(ProjectTree, ARepeatedIdTakesTheLastEarlierRecordAsParent) {
    const ProjectTree tree({project(1, -1, "first"), project(1, -1, "second"), project(2, 1)});
    const auto second = tree.children(std::nullopt).at(1);
    EXPECT_EQ(tree.record(second).name, "second");
    ASSERT_EQ(tree.children(second).size(), 1u);
}

TEST(ProjectTree, NewIdsAreOneAboveTheGreatestAndReuseADeletedGreatest) {
    ProjectTree tree;
    const auto first = tree.create(std::nullopt, "New project");
    EXPECT_EQ(tree.record(first).id, 0);
    ProjectTree loaded({project(7, -1), project(3, -1)});
    const auto sub = loaded.create(handleOfId(loaded, 3), "New sub-project");
    const ProjectRecord& r = loaded.record(sub);
    EXPECT_EQ(r.id, 8);
    EXPECT_EQ(r.parentId, 3);
    EXPECT_EQ(r.customerId, -1);
    EXPECT_EQ(r.chargesPerHour, 0.0);
    EXPECT_TRUE(r.memo.empty());
    loaded.remove(sub);
    EXPECT_EQ(loaded.nextId(), 8);
    loaded.remove(handleOfId(loaded, 7));
    EXPECT_EQ(loaded.nextId(), 4);
}

TEST(ProjectTree, AnIdAtTheTopOfTheRangeDoesNotOverflow) {
    const ProjectTree tree({project(0, -1), project(std::numeric_limits<std::int32_t>::max(), -1), project(1, -1)});
    EXPECT_EQ(tree.nextId(), 2);
}

TEST(ProjectTree, RemovingAProjectTakesExactlyItsSubTree) {
    ProjectTree tree({project(0, -1), project(1, 0), project(2, 1), project(3, 2), project(4, 0), project(5, -1),
                      project(6, 5)});
    const auto gone = tree.remove(handleOfId(tree, 1));
    EXPECT_EQ(gone.size(), 3u);
    EXPECT_EQ(shape(tree), "0(4),5(6)");
    std::vector<std::int32_t> ids;
    for (const auto& r : tree.records()) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 4, 5, 6}));
}

TEST(ProjectTree, UpdatingUserFieldsKeepsIdAndParent) {
    ProjectTree tree({project(0, -1), project(1, 0)});
    ProjectRecord edited = project(42, 17, "Renamed");
    edited.memo = "line\r\nline";
    const auto h = handleOfId(tree, 1);
    tree.updateUserFields(h, edited);
    EXPECT_EQ(tree.record(h).id, 1);
    EXPECT_EQ(tree.record(h).parentId, 0);
    EXPECT_EQ(tree.record(h).name, "Renamed");
    EXPECT_EQ(tree.record(h).memo, "line\r\nline");
    EXPECT_EQ(tree.record(h).chargesPerHour, edited.chargesPerHour);
}

TEST(ProjectTree, AMoveTakesTheSubTreeAlongAndBecomesTheTargetsNextSibling) {
    ProjectTree tree({project(0, -1), project(1, 0), project(2, 1), project(3, -1), project(4, 3), project(5, 3)});
    ASSERT_TRUE(tree.move(handleOfId(tree, 1), handleOfId(tree, 4)));
    EXPECT_EQ(shape(tree), "0,3(4,1(2),5)");
    EXPECT_EQ(tree.record(handleOfId(tree, 1)).parentId, 3);
    EXPECT_EQ(tree.record(handleOfId(tree, 2)).parentId, 1);
    // Reading the written list back gives the tree as it was left.
    EXPECT_EQ(shape(ProjectTree(tree.records())), "0,3(4,1(2),5)");
    EXPECT_EQ(tree.records().size(), 6u);
}

TEST(ProjectTree, ADropOnItselfOrBelowItselfChangesNothing) {
    ProjectTree tree({project(0, -1), project(1, 0), project(2, 1), project(3, -1)});
    const auto before = tree.records();
    EXPECT_FALSE(tree.move(handleOfId(tree, 0), handleOfId(tree, 0)));
    EXPECT_FALSE(tree.move(handleOfId(tree, 0), handleOfId(tree, 2)));
    EXPECT_EQ(tree.records(), before);
    EXPECT_EQ(shape(tree), "0(1(2)),3");
}

TEST(ProjectTree, AMoveAheadOfAnOrphanDetachesItFromThatParent) {
    // 1 names 2, which comes later, so 1 shows at the top level.
    ProjectTree tree({project(0, -1), project(1, 2), project(2, -1)});
    ASSERT_EQ(shape(tree), "0,1,2");
    ASSERT_TRUE(tree.move(handleOfId(tree, 2), handleOfId(tree, 0)));
    EXPECT_EQ(shape(tree), "0,2,1");
    EXPECT_EQ(tree.record(handleOfId(tree, 1)).parentId, -1);
    EXPECT_EQ(shape(ProjectTree(tree.records())), "0,2,1");
}

TEST(ProjectTree, AnyRunOfMovesReloadsAsTheTreeShown) {
    std::mt19937 rng(1996);
    for (int round = 0; round < 40; ++round) {
        std::vector<ProjectRecord> file;
        for (int i = 0; i < 25; ++i) {
            std::uniform_int_distribution<int> pick(-3, i - 1);
            file.push_back(project(i, std::max(-1, pick(rng))));
        }
        ProjectTree tree(file);
        for (int step = 0; step < 30; ++step) {
            std::uniform_int_distribution<std::size_t> any(0, tree.order().size() - 1);
            const auto dragged = tree.order()[any(rng)];
            const auto target = tree.order()[any(rng)];
            const bool allowed = !tree.isWithin(target, dragged);
            EXPECT_EQ(tree.move(dragged, target), allowed);
            const ProjectTree reloaded(tree.records());
            ASSERT_EQ(shape(reloaded), shape(tree)) << "round " << round << " step " << step;
            for (ProjectTree::Handle h : tree.order()) {
                const auto parent = tree.parent(h);
                if (parent) {
                    EXPECT_EQ(tree.record(h).parentId, tree.record(*parent).id);
                }
            }
        }
        EXPECT_EQ(tree.size(), file.size());
    }
}

}  // namespace
}  // namespace ql
