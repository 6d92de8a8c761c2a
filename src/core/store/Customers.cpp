#include "core/store/Customers.h"

#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace ql {

Message customersFileMessage(const std::string& customersPath) {
    return Message(MessageId::CannotOpenCustomersFile, {customersPath});
}

Message customersAppendMessage(const std::string& customersPath) {
    return Message(MessageId::CannotOpenCustomersAppend, {customersPath});
}

Result<std::vector<CustomerRecord>> loadCustomers(FileSystem& fs, const std::string& customersPath) {
    std::vector<CustomerRecord> records;
    const Status st = scanRecords(fs, customersPath, CustomerRecord::kSize, customersFileMessage(customersPath),
                                  [&](const unsigned char* bytes, std::size_t count) {
                                      for (std::size_t i = 0; i < count; ++i)
                                          records.push_back(decodeCustomer(bytes + i * CustomerRecord::kSize));
                                  });
    if (!st) return st;
    return records;
}

Result<std::int32_t> nextCustomerId(FileSystem& fs, const FileSet& set) {
    const std::string& customersPath = set.customers();
    auto held = lockFileSet(fs, set, customersFileMessage(customersPath));
    if (!held) return held.status();
    std::int32_t highest = -1;
    Status st = scanRecords(fs, customersPath, CustomerRecord::kSize, customersFileMessage(customersPath),
                            [&](const unsigned char* bytes, std::size_t count) {
                                for (std::size_t i = 0; i < count; ++i)
                                    highest = std::max(highest, decodeCustomerId(bytes + i * CustomerRecord::kSize));
                            });
    if (!st) return st;
    const std::string& projectsPath = set.projects();
    if (fs.exists(projectsPath)) {
        st = scanRecords(fs, projectsPath, ProjectRecord::kSize, projectFileMessage(projectsPath),
                         [&](const unsigned char* bytes, std::size_t count) {
                             for (std::size_t i = 0; i < count; ++i)
                                 highest = std::max(highest, decodeProjectCustomerId(bytes + i * ProjectRecord::kSize));
                         });
        if (!st) return st;
    }
    // highest + 1 would overflow; a foreign file could hold the largest id.
    if (highest == std::numeric_limits<std::int32_t>::max())
        return Status::ioError(Message(MessageId::NoCustomerIdLeft, {customersPath}));
    return highest + 1;
}

Status appendCustomer(FileSystem& fs, const CustomerRecord& record, const FileSet& set) {
    const std::string& customersPath = set.customers();
    if (Status st = checkCustomerTexts(record); !st) return st;
    const auto bytes = encodeCustomer(record);
    return appendRecord(fs, customersPath, bytes.data(), bytes.size(), customersAppendMessage(customersPath));
}

Result<std::int32_t> addCustomer(FileSystem& fs, CustomerRecord record, const FileSet& set) {
    if (Status st = checkCustomerTexts(record); !st) return st;
    auto held = lockFileSet(fs, set, customersAppendMessage(set.customers()));
    if (!held) return held.status();
    auto id = nextCustomerId(fs, set);
    if (!id) return id.status();
    record.id = *id;
    if (Status st = appendCustomer(fs, record, set); !st) return st;
    return record.id;
}

namespace {

KeepRecordFn keepOtherIds(std::int32_t id) {
    return [id](const unsigned char* record) { return decodeCustomerId(record) != id; };
}

}  // namespace

Status removeCustomer(FileSystem& fs, std::int32_t id, const std::string& customersPath) {
    return removeRecords(fs, customersPath, CustomerRecord::kSize, keepOtherIds(id), customersFileMessage(customersPath));
}

Status removeCustomers(FileSystem& fs, const std::vector<std::int32_t>& ids, const std::string& customersPath) {
    const std::unordered_set<std::int32_t> gone(ids.begin(), ids.end());
    return removeRecords(
        fs, customersPath, CustomerRecord::kSize,
        [&gone](const unsigned char* record) { return gone.count(decodeCustomerId(record)) == 0; },
        customersFileMessage(customersPath));
}

Status updateCustomer(FileSystem& fs, const CustomerRecord& record, const std::string& customersPath) {
    if (Status st = checkCustomerTexts(record); !st) return st;
    return replaceRecords(
        fs, customersPath, CustomerRecord::kSize, keepOtherIds(record.id),
        [&](const std::vector<unsigned char>& dropped) -> Result<std::vector<unsigned char>> {
            const auto bytes = dropped.empty() ? encodeCustomer(record) : encodeCustomer(record, dropped.data());
            return std::vector<unsigned char>(bytes.begin(), bytes.end());
        },
        true, customersAppendMessage(customersPath));
}

Result<std::optional<CustomerRecord>> findCustomerById(FileSystem& fs, const std::string& customersPath,
                                                       std::int32_t id) {
    auto records = loadCustomers(fs, customersPath);
    if (!records) return records.status();
    for (auto& r : *records)
        if (r.id == id) return std::optional<CustomerRecord>(std::move(r));
    return std::optional<CustomerRecord>();
}

}  // namespace ql
