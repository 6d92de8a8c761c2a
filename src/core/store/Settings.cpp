#include "core/store/Settings.h"

#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"

namespace ql {

Status createFileSet(FileSystem& fs, const FileSet& set, const std::string& currencySymbol, bool monthFirst) {
    const std::string failed = kCannotCreateFileSet;
    auto held = lockFileSet(fs, set);
    if (!held) return failedWith(failed, held.status());
    for (const std::string& path : {set.chosen(), set.customers(), set.projects(), set.timeFrames(), set.settings()}) {
        if (auto created = fs.create(path); !created) return failedWith(failed, created.status());
    }
    if (Status st = writeSettings(fs, defaultSettings(currencySymbol, monthFirst), set); !st)
        return failedWith(failed, st);
    return Status::ok();
}

Result<SettingsRecord> readSettings(FileSystem& fs, const FileSet& set) {
    const std::string& path = set.settings();
    auto bytes = readRecords(fs, path, SettingsRecord::kSize, "Cannot open settings file : " + path);
    if (!bytes) return bytes.status();
    if (bytes->empty()) return Status::notFound("Cannot open settings file : " + path);
    return decodeSettings(bytes->data());
}

SettingsRecord readSettingsOrDefaults(FileSystem& fs, const FileSet& set, const std::string& currencySymbol,
                                      bool monthFirst) {
    auto settings = readSettings(fs, set);
    return settings ? std::move(settings).value() : defaultSettings(currencySymbol, monthFirst);
}

namespace {

Status writeSettingsIf(FileSystem& fs, const SettingsRecord& record, const FileSet& set,
                       const SettingsRecord* loaded) {
    const std::string& path = set.settings();
    if (Status st = checkSettingsTexts(record); !st) return st;
    return changeRecords(
        fs, path, SettingsRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            if (loaded && (current.records.empty() || !(decodeSettings(current.records.data()) == *loaded)))
                return Status::invalidArgument(settingsChangedMessage(set));
            // Fields the change left alone keep the bytes the file held (an 8-bit company name).
            const auto bytes = current.records.empty() ? encodeSettings(record)
                                                       : encodeSettings(record, current.records.data());
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        "Cannot write settings file : " + path);
}

}  // namespace

Status writeSettings(FileSystem& fs, const SettingsRecord& record, const FileSet& set) {
    return writeSettingsIf(fs, record, set, nullptr);
}

std::string settingsChangedMessage(const FileSet& set) {
    return "The settings were changed by another program since this window opened. Cancel, then open it "
           "again : " +
           set.settings();
}

Status writeSettings(FileSystem& fs, const SettingsRecord& record, const FileSet& set, const SettingsRecord& loaded) {
    return writeSettingsIf(fs, record, set, &loaded);
}

Status updateSettings(FileSystem& fs, const FileSet& set, const std::function<Status(SettingsRecord&)>& change) {
    const std::string& path = set.settings();
    return changeRecords(
        fs, path, SettingsRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            // Writing defaults over an unreadable record would lose the company block.
            if (current.records.empty()) return Status::notFound("Cannot open settings file : " + path);
            SettingsRecord record = decodeSettings(current.records.data());
            if (Status st = change(record); !st) return st;
            if (Status st = checkSettingsTexts(record); !st) return st;
            const auto bytes = encodeSettings(record, current.records.data());
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        "Cannot write settings file : " + path);
}

}  // namespace ql
