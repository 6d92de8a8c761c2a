#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <functional>
#include <string>

namespace ql {

// Writes the bytes of one output (an export, an invoice text) into a file of its own.
using OutputProducer = std::function<Status(File& out)>;

// Writes path whole or not at all: produce fills a new file beside path (beside its target
// when path is a symbolic link), which is synced and renamed over path only when complete,
// so a failure leaves an older file as it was and no partial file behind. An existing file's
// permission bits are kept. Fails with failureMessage and the system's reason.
// A FIFO or character device at path is written into as a stream, never replaced; any other
// file that is not a regular one (a folder, a socket, a block device) is refused untouched.
// When reading names the set the output is made from, a path that is one of its files (by
// name, or by identity through a link or another spelling) is refused as InvalidArgument
// with nothing written.
Status writeOutputFile(FileSystem& fs, const std::string& path, const std::string& failureMessage,
                       const OutputProducer& produce, const FileSet* reading = nullptr);

// InvalidArgument when path is one of the files of set (by name or identity), else ok.
Status refuseFileOfSet(FileSystem& fs, const std::string& path, const FileSet& set);

// The same with the new file named temporaryPrefix + a unique suffix, which must lie in the
// folder of path's target for the rename to stay atomic.
Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const std::string& failureMessage, const OutputProducer& produce);
// The same with the new file taking the permission bits of modeOf (when that exists).
Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const std::string& failureMessage, const OutputProducer& produce,
                             const std::string& modeOf);

}  // namespace ql
