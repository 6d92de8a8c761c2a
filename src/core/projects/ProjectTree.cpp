#include "core/projects/ProjectTree.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <unordered_set>

namespace ql {

ProjectTree::ProjectTree(std::vector<ProjectRecord> records) {
    std::unordered_map<std::int32_t, Handle> lastWithId;
    m_order.reserve(records.size());
    for (auto& r : records) {
        const Handle h = m_nextHandle++;
        std::optional<Handle> parent;
        if (r.parentId != -1) {
            const auto it = lastWithId.find(r.parentId);
            if (it != lastWithId.end()) parent = it->second;
        }
        const std::int32_t id = r.id;
        m_nodes.emplace(h, Node{std::move(r), parent, {}});
        childrenOf(parent).push_back(h);
        m_order.push_back(h);
        lastWithId[id] = h;
    }
}

ProjectTree::Node& ProjectTree::node(Handle h) {
    const auto it = m_nodes.find(h);
    assert(it != m_nodes.end());
    return it->second;
}

const ProjectTree::Node& ProjectTree::node(Handle h) const {
    const auto it = m_nodes.find(h);
    assert(it != m_nodes.end());
    return it->second;
}

std::vector<ProjectTree::Handle>& ProjectTree::childrenOf(std::optional<Handle> parent) {
    return parent ? node(*parent).children : m_roots;
}

const std::vector<ProjectTree::Handle>& ProjectTree::children(std::optional<Handle> parent) const {
    return parent ? node(*parent).children : m_roots;
}

std::optional<ProjectTree::Handle> ProjectTree::parent(Handle h) const {
    return node(h).parent;
}

bool ProjectTree::isWithin(Handle h, Handle root) const {
    for (std::optional<Handle> at = h; at; at = node(*at).parent)
        if (*at == root) return true;
    return false;
}

const ProjectRecord& ProjectTree::record(Handle h) const {
    return node(h).record;
}

std::int32_t ProjectTree::nextId() const {
    std::int64_t greatest = m_highestReserved;
    for (const auto& [h, n] : m_nodes) greatest = std::max<std::int64_t>(greatest, n.record.id);
    if (greatest < std::numeric_limits<std::int32_t>::max()) return static_cast<std::int32_t>(greatest + 1);
    // Only a hand-edited file gets here; any free id keeps ids unique.
    std::unordered_set<std::int32_t> used;
    for (const auto& [h, n] : m_nodes) used.insert(n.record.id);
    std::int32_t id = 0;
    while (used.count(id)) ++id;
    return id;
}

ProjectTree::Handle ProjectTree::create(std::optional<Handle> parent, const std::string& name) {
    ProjectRecord r;
    r.id = nextId();
    r.name = name;
    r.customerId = -1;
    r.chargesPerHour = 0.0;
    r.parentId = parent ? node(*parent).record.id : -1;
    const Handle h = m_nextHandle++;
    m_nodes.emplace(h, Node{std::move(r), parent, {}});
    childrenOf(parent).push_back(h);
    m_order.push_back(h);
    return h;
}

void ProjectTree::updateUserFields(Handle h, const ProjectRecord& edited) {
    ProjectRecord& r = node(h).record;
    r.name = edited.name;
    r.customerId = edited.customerId;
    r.chargesPerHour = edited.chargesPerHour;
    r.memo = edited.memo;
}

void ProjectTree::rename(Handle h, const std::string& name) {
    node(h).record.name = name;
}

std::vector<ProjectTree::Handle> ProjectTree::subtree(Handle root) const {
    std::vector<Handle> all{root};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& kids = node(all[i]).children;
        all.insert(all.end(), kids.begin(), kids.end());
    }
    return all;
}

std::vector<ProjectTree::Handle> ProjectTree::remove(Handle h) {
    const std::vector<Handle> gone = subtree(h);
    auto& siblings = childrenOf(node(h).parent);
    siblings.erase(std::find(siblings.begin(), siblings.end(), h));
    const std::unordered_set<Handle> goneSet(gone.begin(), gone.end());
    std::erase_if(m_order, [&](Handle x) { return goneSet.count(x) != 0; });
    for (Handle x : gone) m_nodes.erase(x);
    return gone;
}

bool ProjectTree::move(Handle dragged, Handle target) {
    if (!contains(dragged) || !contains(target) || isWithin(target, dragged)) return false;

    auto& oldSiblings = childrenOf(node(dragged).parent);
    oldSiblings.erase(std::find(oldSiblings.begin(), oldSiblings.end(), dragged));
    const std::optional<Handle> newParent = node(target).parent;
    auto& siblings = childrenOf(newParent);
    const auto at = siblings.insert(std::find(siblings.begin(), siblings.end(), target) + 1, dragged);
    const bool hasNextSibling = at + 1 != siblings.end();
    const Handle nextSibling = hasNextSibling ? *(at + 1) : dragged;
    Node& moved = node(dragged);
    moved.parent = newParent;
    moved.record.parentId = newParent ? node(*newParent).record.id : -1;

    // The moved projects go, in their own order, just ahead of the next sibling (or to the
    // end): behind the new parent and the earlier siblings, so a reload rebuilds this tree.
    const std::vector<Handle> block = subtree(dragged);
    const std::unordered_set<Handle> blockSet(block.begin(), block.end());
    std::vector<Handle> blockInOrder;
    blockInOrder.reserve(block.size());
    std::vector<Handle> rest;
    rest.reserve(m_order.size());
    for (Handle h : m_order) (blockSet.count(h) ? blockInOrder : rest).push_back(h);
    const auto insertAt = hasNextSibling ? std::find(rest.begin(), rest.end(), nextSibling) : rest.end();
    rest.insert(insertAt, blockInOrder.begin(), blockInOrder.end());
    m_order = std::move(rest);

    detachTopLevelOrphans();
    return true;
}

// A top-level project whose parent id names no earlier record keeps that id while it stays
// shown at the top level; once a move puts a record with that id ahead of it, a reload
// would hang it there, so it becomes a plain top-level project.
void ProjectTree::detachTopLevelOrphans() {
    std::unordered_set<std::int32_t> seen;
    for (Handle h : m_order) {
        Node& n = node(h);
        if (!n.parent && n.record.parentId != -1 && seen.count(n.record.parentId)) n.record.parentId = -1;
        seen.insert(n.record.id);
    }
}

std::vector<ProjectRecord> ProjectTree::records() const {
    std::vector<ProjectRecord> all;
    all.reserve(m_order.size());
    for (Handle h : m_order) all.push_back(node(h).record);
    return all;
}

}  // namespace ql
