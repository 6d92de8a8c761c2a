#pragma once

#include "ui/common/CommandContext.h"

#include <cstdint>
#include <optional>

// The commands that open the project tree on the open file set. New projects never take the
// id of a project running now.

// Projects > Edit Projects (Ctrl+J): the tree in edit mode, which writes the projects file
// itself on OK and nothing on Cancel; then the totals and the week chart are refreshed (hints
// 3, 4), as names and rates may have changed. Nothing without an open set.
void editProjects(const CommandContext& context);

// The tree in choosing mode, the picker of Check In and of the history: the id of the project
// the user confirmed, nullopt after Cancel.
std::optional<std::int32_t> chooseProject(const CommandContext& context);
