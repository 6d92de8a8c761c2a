#pragma once

#include "core/store/FileSystem.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class HelpService;
class Prompter;
class QWidget;

// The commands that open the project tree on the file set of settingsPath. help may be null.

// runningIds: the projects running now, whose ids new projects must not take.

// Edit Projects: the tree in edit mode; it writes the projects file itself when the user
// confirms it, and nothing when the user cancels.
void editProjects(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, HelpService* help,
                  const QString& settingsPath, const std::vector<std::int32_t>& runningIds = {});

// The tree in choosing mode: the id of the project the user chose, nullopt after Cancel.
std::optional<std::int32_t> chooseProject(QWidget* parent, ql::FileSystem& fs, Prompter& prompter,
                                          HelpService* help, const QString& settingsPath,
                                          const std::vector<std::int32_t>& runningIds = {});
