#include "core/store/Settings.h"

#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"

namespace ql {

Status createFileSet(FileSystem& fs, const std::string& chosenPath, const std::string& currencySymbol, bool monthFirst) {
    const Status failed = Status::ioError(kCannotCreateFileSet);
    if (!fs.create(chosenPath)) return failed;
    for (FileKind kind : {FileKind::Customers, FileKind::Projects, FileKind::TimeFrames, FileKind::Settings}) {
        if (!fs.create(fileSetPath(chosenPath, kind))) return failed;
    }
    if (!writeSettings(fs, defaultSettings(currencySymbol, monthFirst), chosenPath)) return failed;
    return Status::ok();
}

Result<SettingsRecord> readSettings(FileSystem& fs, const std::string& settingsPath) {
    const std::string path = fileSetPath(settingsPath, FileKind::Settings);
    auto bytes = readRecords(fs, path, SettingsRecord::kSize, "Cannot open settings file : " + path);
    if (!bytes) return bytes.status();
    if (bytes->empty()) return Status::notFound("Cannot open settings file : " + path);
    return decodeSettings(bytes->data());
}

SettingsRecord readSettingsOrDefaults(FileSystem& fs, const std::string& settingsPath,
                                      const std::string& currencySymbol, bool monthFirst) {
    auto settings = readSettings(fs, settingsPath);
    return settings ? std::move(settings).value() : defaultSettings(currencySymbol, monthFirst);
}

Status writeSettings(FileSystem& fs, const SettingsRecord& record, const std::string& settingsPath) {
    const std::string path = fileSetPath(settingsPath, FileKind::Settings);
    const auto bytes = encodeSettings(record);
    return rewriteRecords(fs, path, bytes.data(), bytes.size(), "Cannot write settings file : " + path);
}

}  // namespace ql
