#pragma once

#include <string>

namespace ql {

// The files of one file set share a base path: the chosen settings-file path less its
// last three characters, whatever they are. Each file is that base plus an extension.
enum class FileKind { Settings, Projects, TimeFrames, Customers, HistoryFilter, Temporary };

// "qlr", "prj", "tfr", "cus", "his" or "tmp".
const char* fileExtension(FileKind kind);

// The chosen path less its last three characters ("" for a shorter path).
std::string basePath(const std::string& chosenPath);

// basePath(anyPathOfTheSet) + the extension of kind.
std::string fileSetPath(const std::string& anyPathOfTheSet, FileKind kind);

// basePath(anyPathOfTheSet) + "lck": the file whose advisory lock every writer of the set
// holds. It is never renamed over, so the lock stays on the file that others open.
std::string lockFilePath(const std::string& anyPathOfTheSet);

}  // namespace ql
