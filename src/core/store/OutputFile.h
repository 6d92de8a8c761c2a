#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <functional>
#include <string>

namespace ql {

// Writes the bytes of one output (an export, an invoice text) into a file of its own.
using OutputProducer = std::function<Status(File& out)>;

// An output made whole but not yet visible under its name: commit makes it so (renames the
// complete temporary over the target, or writes a stream); destroying it uncommitted removes
// the temporary, so the user's name never shows a part. A caller that must do something
// first (store the invoice number an invoice uses) does it between prepare and commit.
class PendingOutput {
public:
    PendingOutput() = default;
    PendingOutput(std::function<Status()> commit, std::function<void()> discard)
        : m_commit(std::move(commit)), m_discard(std::move(discard)) {}
    PendingOutput(PendingOutput&& other) noexcept { *this = std::move(other); }
    PendingOutput& operator=(PendingOutput&& other) noexcept;
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;
    ~PendingOutput() { discard(); }

    // Makes the output visible, once; a failure leaves nothing under the name.
    Status commit();
    // Removes what was prepared; nothing when committed.
    void discard();

private:
    std::function<Status()> m_commit;
    std::function<void()> m_discard;
};

// Writes path whole or not at all: produce fills a new file beside path (beside its target
// when path is a symbolic link), which is synced and renamed over path only when complete,
// so a failure leaves an older file as it was and no partial file behind. An existing file's
// permission bits are kept. Fails with failureMessage and the system's reason.
// A FIFO or character device at path is written into as a stream, never replaced; any other
// file that is not a regular one (a folder, a socket, a block device) is refused untouched.
// When reading names the set the output is made from, a path that is one of its files (by
// name, or by identity through a link or another spelling) is refused as InvalidArgument
// with nothing written.
Status writeOutputFile(FileSystem& fs, const std::string& path, const Message& failureMessage,
                       const OutputProducer& produce, const FileSet* reading = nullptr);

// writeOutputFile in two steps: every refusal and every failure of producing and syncing the
// bytes come from here; the returned output is visible only once committed. For a FIFO or a
// character device nothing is written before commit (produce is kept and run then, so what it
// refers to must outlive the commit).
Result<PendingOutput> prepareOutputFile(FileSystem& fs, const std::string& path, const Message& failureMessage,
                                        const OutputProducer& produce, const FileSet* reading = nullptr);

// InvalidArgument when path is one of the files of set (by name or identity), else ok.
Status refuseFileOfSet(FileSystem& fs, const std::string& path, const FileSet& set);

// The same with the new file named temporaryPrefix + a unique suffix, which must lie in the
// folder of path's target for the rename to stay atomic.
Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const Message& failureMessage, const OutputProducer& produce);
// The same with the new file taking the permission bits of modeOf (when that exists).
Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const Message& failureMessage, const OutputProducer& produce,
                             const std::string& modeOf);

}  // namespace ql
