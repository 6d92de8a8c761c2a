#pragma once

#include "core/store/ProjectRecord.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ql {

// The projects of the tree dialog held in memory: the records in list order (the order in
// which they are written) and the hierarchy shown. Nodes are named by handles that stay
// valid until the node is removed; ids cannot serve, as a file edited by hand may repeat them.
//
// Invariant kept by every operation: reading records() back with the constructor gives the
// same hierarchy, in the same sibling order, as the one held here (ids assumed unique).
class ProjectTree {
public:
    using Handle = std::uint32_t;

    ProjectTree() = default;
    // Builds the hierarchy the way a file is shown: each record hangs under the last earlier
    // record whose id is its parent id; a parent id of -1, or one that names no earlier
    // record, puts it at the top level. Sibling order is list order.
    explicit ProjectTree(std::vector<ProjectRecord> records);

    std::size_t size() const { return m_order.size(); }
    bool contains(Handle h) const { return m_nodes.count(h) != 0; }
    // Every handle, in list order.
    const std::vector<Handle>& order() const { return m_order; }
    // The children of parent in display order; the top-level projects for nullopt.
    const std::vector<Handle>& children(std::optional<Handle> parent) const;
    // The node shown above h; nullopt for a top-level project.
    std::optional<Handle> parent(Handle h) const;
    // True when h is root or lies below it.
    bool isWithin(Handle h, Handle root) const;
    // The record of a node that exists.
    const ProjectRecord& record(Handle h) const;

    // 1 + the greatest id of the records and of reserveIdsThrough, 0 when there is none (the
    // lowest unused id should that overflow).
    std::int32_t nextId() const;
    // Keeps new ids above highestInUse: ids that time frames or running projects still refer
    // to must not be given to a new project, which would inherit their time.
    void reserveIdsThrough(std::int32_t highestInUse) { m_highestReserved = std::max(m_highestReserved, highestInUse); }
    // Appends a new project as the last child of parent (top level for nullopt): id nextId(),
    // customer -1, charges 0.0, empty memo, parent id that of parent or -1.
    Handle create(std::optional<Handle> parent, const std::string& name);
    // Copies name, customer, charges and memo of edited into h; id and parent id stay.
    void updateUserFields(Handle h, const ProjectRecord& edited);
    void rename(Handle h, const std::string& name);
    // Removes h and every node below it; returns the removed handles, h first.
    std::vector<Handle> remove(Handle h);
    // Moves dragged, with everything below it, to become the next sibling of target under
    // target's parent; its parent id and list place change with it. Returns false and
    // changes nothing when target is dragged itself or lies below it.
    bool move(Handle dragged, Handle target);
    // The records in list order, as the projects file is written.
    std::vector<ProjectRecord> records() const;

private:
    struct Node {
        ProjectRecord record;
        std::optional<Handle> parent;
        std::vector<Handle> children;
    };

    Node& node(Handle h);
    const Node& node(Handle h) const;
    std::vector<Handle>& childrenOf(std::optional<Handle> parent);
    std::vector<Handle> subtree(Handle root) const;
    void detachTopLevelOrphans();

    std::unordered_map<Handle, Node> m_nodes;
    std::vector<Handle> m_order;
    std::vector<Handle> m_roots;
    Handle m_nextHandle = 0;
    std::int32_t m_highestReserved = -1;
};

}  // namespace ql
