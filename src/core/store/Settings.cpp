#include "core/store/Settings.h"

#include "core/store/FileSet.h"
#include "core/store/CustomerRecord.h"
#include "core/store/ProjectRecord.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrameRecord.h"

#include <algorithm>
#include <utility>

namespace ql {

Status createFileSet(FileSystem& fs, const FileSet& set, const std::string& currencySymbol, bool monthFirst) {
    const Message failed(MessageId::CannotCreateNewProject);
    auto held = lockFileSet(fs, set, failed);
    if (!held) return held.status();
    const std::pair<const std::string&, std::size_t> files[] = {{set.chosen(), SettingsRecord::kSize},
                                                                {set.customers(), CustomerRecord::kSize},
                                                                {set.projects(), ProjectRecord::kSize},
                                                                {set.timeFrames(), TimeFrameRecord::kSize},
                                                                {set.settings(), SettingsRecord::kSize}};
    // Every link is checked before anything is emptied, so a refusal leaves the set whole.
    for (const auto& [path, recordSize] : files)
        if (Status st = checkLinkedRecordFile(fs, path, recordSize, failed); !st) return st;
    for (const auto& [path, recordSize] : files) {
        if (auto created = fs.create(path); !created) return failedWith(failed, created.status());
    }
    if (Status st = writeSettings(fs, defaultSettings(currencySymbol, monthFirst), set); !st)
        return failedWith(failed, st);
    return Status::ok();
}

Result<SettingsRecord> readSettings(FileSystem& fs, const FileSet& set) {
    const std::string& path = set.settings();
    auto bytes = readFirstRecord(fs, path, SettingsRecord::kSize, Message(MessageId::CannotOpenSettingsFile, {path}));
    if (!bytes) return bytes.status();
    if (bytes->empty()) return Status::notFound(Message(MessageId::CannotOpenSettingsFile, {path}));
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
    return changeRecords(
        fs, path, SettingsRecord::kSize,
        [&](const RecordFileContent& current) -> Result<std::vector<unsigned char>> {
            const unsigned char* held = current.records.empty() ? nullptr : current.records.data();
            // Compared as bytes, not as records, so a NaN rate still counts as unchanged.
            if (loaded && (!held || !std::equal(current.records.begin(), current.records.begin() + SettingsRecord::kSize,
                                                encodeSettings(*loaded, held).begin())))
                return Status::invalidArgument(settingsChangedMessage(set));
            if (Status st = checkSettingsTexts(record, held); !st) return st;
            // Fields the change left alone keep the bytes the file held (an 8-bit company name).
            const auto bytes = held ? encodeSettings(record, held) : encodeSettings(record);
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        Message(MessageId::CannotWriteSettingsFile, {path}), 1);
}

}  // namespace

Status writeSettings(FileSystem& fs, const SettingsRecord& record, const FileSet& set) {
    return writeSettingsIf(fs, record, set, nullptr);
}

Message settingsChangedMessage(const FileSet& set) {
    return Message(MessageId::SettingsChanged, {set.settings()});
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
            if (current.records.empty()) return Status::notFound(Message(MessageId::CannotOpenSettingsFile, {path}));
            SettingsRecord record = decodeSettings(current.records.data());
            if (Status st = change(record); !st) return st;
            if (Status st = checkSettingsTexts(record, current.records.data()); !st) return st;
            const auto bytes = encodeSettings(record, current.records.data());
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        Message(MessageId::CannotWriteSettingsFile, {path}), 1);
}

}  // namespace ql
