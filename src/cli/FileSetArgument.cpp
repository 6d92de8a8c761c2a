#include "cli/FileSetArgument.h"

#include "core/store/FileSet.h"
#include "core/store/Settings.h"

namespace ql::cli {

Result<SettingsRecord> openFileSet(FileSystem& fs, const std::string& path) {
    const std::string settingsPath = fileSetPath(path, FileKind::Settings);
    const std::string notASet = path + " is not a file set: ";
    if (basePath(path).empty()) return Status::invalidArgument(notASet + "the name is too short");
    if (!fs.exists(settingsPath))
        return Status::invalidArgument(notASet + "there is no settings file " + settingsPath);
    auto settings = readSettings(fs, settingsPath);
    if (!settings && settings.status().code() == StatusCode::NotFound)
        return Status::invalidArgument(notASet + "the settings file " + settingsPath + " holds no settings record");
    return settings;
}

}  // namespace ql::cli
