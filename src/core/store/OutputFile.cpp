#include "core/store/OutputFile.h"

#include "core/store/RecordFile.h"

namespace ql {

Status writeOutputFile(FileSystem& fs, const std::string& path, const std::string& failureMessage,
                       const OutputProducer& produce) {
    const std::string target = fs.resolveLink(path);
    return writeThroughTemporary(fs, target, target + ".part", failureMessage, produce);
}

Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const std::string& failureMessage, const OutputProducer& produce) {
    auto created = fs.createTemporary(temporaryPrefix, target);
    if (!created) return failedWith(failureMessage, created.status());
    const std::string tmp = created->path;
    Status st;
    {
        std::unique_ptr<File> out = std::move(created->file);
        st = produce(*out);
        if (st) st = out->sync();
    }
    if (st) st = fs.renameOver(tmp, target);
    if (!st) {
        (void)fs.remove(tmp);
        return failedWith(failureMessage, st);
    }
    return Status::ok();
}

}  // namespace ql
