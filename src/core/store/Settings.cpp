#include "core/store/Settings.h"

#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"

namespace ql {

Status createFileSet(FileSystem& fs, const std::string& chosenPath, const std::string& currencySymbol, bool monthFirst) {
    const std::string failed = kCannotCreateFileSet;
    auto held = lockFileSet(fs, chosenPath);
    if (!held) return failedWith(failed, held.status());
    for (const std::string& path : {chosenPath, fileSetPath(chosenPath, FileKind::Customers),
                                    fileSetPath(chosenPath, FileKind::Projects), fileSetPath(chosenPath, FileKind::TimeFrames),
                                    fileSetPath(chosenPath, FileKind::Settings)}) {
        if (auto created = fs.create(path); !created) return failedWith(failed, created.status());
    }
    if (Status st = writeSettings(fs, defaultSettings(currencySymbol, monthFirst), chosenPath); !st)
        return failedWith(failed, st);
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
    if (Status st = checkSettingsTexts(record); !st) return st;
    return changeRecords(
        fs, path, SettingsRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            // Fields the change left alone keep the bytes the file held (an 8-bit company name).
            const auto bytes = current.records.empty() ? encodeSettings(record)
                                                       : encodeSettings(record, current.records.data());
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        "Cannot write settings file : " + path);
}

}  // namespace ql
