#pragma once

#include "ui/common/Modal.h"

#include <QString>

#include <optional>

class Prompter;
class QWidget;

// What the user is told when a chosen file lies in a folder that does not exist.
QString missingFolderText(const QString& path);

// True when path's folder exists; else tells the user so (caption, missingFolderText).
bool folderExistsOrTell(Prompter& prompter, const QString& caption, const QString& path);

// The save dialog of request, run again while the path chosen lies in a folder that does not
// exist (each time told): a save dialog lets such a path through, and writing there could
// only fail. nullopt on Cancel.
std::optional<QString> chooseSavePathInExistingFolder(Modal& modal, Prompter& prompter, QWidget* parent,
                                                      const Modal::SaveRequest& request);
