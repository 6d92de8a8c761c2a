#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/store/SettingsRecord.h"

#include <string>

namespace ql::cli {

// The settings of the file set that path names (any file of the set will do, as the set is
// found by the path less its last three characters). InvalidArgument when path names no
// file set: its settings file is missing or holds no whole record. IoError, with the
// store's message, when the settings file exists but cannot be read.
Result<SettingsRecord> openFileSet(FileSystem& fs, const std::string& path);

}  // namespace ql::cli
