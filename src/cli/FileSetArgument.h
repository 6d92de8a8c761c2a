#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/SettingsRecord.h"

#include <string>

namespace ql::cli {

// The settings of set, made from the command's file argument (any file of the set will do).
// InvalidArgument when the argument names no file set: its settings file is missing or holds
// no whole record. IoError, with the store's message, when the settings file exists but
// cannot be read.
Result<SettingsRecord> openFileSet(FileSystem& fs, const FileSet& set);

}  // namespace ql::cli
