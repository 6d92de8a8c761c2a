#include "cli/FileSetArgument.h"

#include "core/store/Settings.h"

namespace ql::cli {

Result<SettingsRecord> openFileSet(FileSystem& fs, const FileSet& set) {
    const std::string& settingsPath = set.settings();
    const std::string notASet = set.chosen() + " is not a file set: ";
    if (set.base().empty()) return Status::invalidArgument(notASet + "the name is too short");
    if (!fs.exists(settingsPath))
        return Status::invalidArgument(notASet + "there is no settings file " + settingsPath);
    auto settings = readSettings(fs, set);
    if (!settings && settings.status().code() == StatusCode::NotFound)
        return Status::invalidArgument(notASet + "the settings file " + settingsPath + " holds no settings record");
    return settings;
}

}  // namespace ql::cli
