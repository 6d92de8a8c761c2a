#pragma once

#include "ui/projects/CProjectsTreeDlg.h"
#include "ui/projects/ProjectTreeWidget.h"

#include <QTreeWidgetItemIterator>

#include <cstdint>
#include <optional>

// Answers the project tree in choosing mode as a user would: selects the project of id and
// presses OK, or cancels for nullopt (and for an id the tree does not show). The dialog's result.
inline int answerProjectTree(CProjectsTreeDlg& tree, std::optional<std::int32_t> id) {
    if (id) {
        for (QTreeWidgetItemIterator it(tree.tree()); *it; ++it) {
            const auto handle = tree.handleOf(*it);
            if (!handle || tree.projects().record(*handle).id != *id) continue;
            tree.tree()->setCurrentItem(*it);
            tree.accept();
            return tree.result();
        }
    }
    tree.reject();
    return tree.result();
}
