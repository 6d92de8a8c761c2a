#pragma once

#include "core/store/FileSystem.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ql::test {

// The real file system, counting calls and failing chosen ones: the nth call of any file-system
// or file operation (counted from 1), every call of one kind, or the calls of one kind on one
// path. Proves that every failure path of the store leaves stored bytes intact, and that each
// operation reads each file once. exists, identify, resolveLink and lock are neither counted
// nor failed. A disk budget makes writes fail as a full disk does, once the data written
// through this object would exceed it.
class FaultyFileSystem final : public FileSystemWrapper {
public:
    // SyncFolder (on the folder's path) fails only through failOn or failEvery, and is not
    // counted: it comes after the rename has landed, so it ends as a warning, not a failure.
    enum class Op { OpenRead, OpenAppend, Create, Read, Write, Sync, Truncate, Size, Rename, Remove, OpenStream, SyncFolder };

    explicit FaultyFileSystem(FileSystem& target = defaultFileSystem()) : FileSystemWrapper(target) {}

    // Fails the nth call (1-based) counted over every operation; 0 disables. A failed write
    // writes half its bytes first when shortWrite is set.
    void failCall(int nth, bool shortWrite = false) {
        m_failAt = nth;
        m_shortWrite = shortWrite;
        m_calls = 0;
    }
    // A crash at the nth call (1-based): it fails and so does every call after it, so that
    // nothing an operation would do to clean up after a failure happens. 0 disables.
    void crashAt(int nth) {
        m_crashAt = nth;
        m_calls = 0;
    }
    // Fails every call of kind op.
    void failEvery(Op op) {
        m_failOp = op;
        m_failOpSet = true;
    }
    // Fails the calls of kind op on path, as a full disk, a lock or a vanished folder would.
    // A Create rule on base path + "tmp" fails the temporary files of every rewrite of the set,
    // which are named by that start.
    void failOn(Op op, std::string path) { m_pathFaults.emplace_back(op, std::move(path)); }
    // The system's reason an injected failure of createEmpty carries ("Permission denied" for a
    // lock file in a read-only folder); none when empty.
    void giveReason(std::string reason) { m_reason = std::move(reason); }
    // Drops the failOn rules: the user retries.
    void stopFailingOn() { m_pathFaults.clear(); }

    // A full disk of budget bytes: the data of every write on a file this object opened or
    // created (temporary files included, streams into FIFOs and devices not) counts against
    // it, and the write that would pass it writes what still fits, then fails with ENOSPC's
    // "No space left on device". Removing such a file, emptying it by create, or renaming a
    // file over it gives its counted bytes back; a rename moves them to the new name and frees
    // nothing else. Bytes that were on disk before the budget was set are not counted, so
    // replacing such a file frees nothing. The written count starts again at 0. With folder,
    // only files under it count: the disk of that folder is the one that fills up.
    void limitBytes(std::uint64_t budget, std::string folder = {}) {
        m_budget = budget;
        m_budgeted = true;
        m_used = 0;
        m_usedBy.clear();
        m_budgetFolder = folder.empty() || folder.back() == '/' ? std::move(folder) : std::move(folder) + '/';
    }
    void unlimitBytes() { m_budgeted = false; }
    // Bytes counted against the budget now.
    std::uint64_t bytesUsed() const { return m_used; }

    // The bytes of n that still fit the budget, counted against it as written into path.
    std::size_t takeBytes(const std::string& path, std::size_t n) {
        if (!m_budgeted || !path.starts_with(m_budgetFolder)) return n;
        const std::uint64_t room = m_budget > m_used ? m_budget - m_used : 0;
        const std::size_t fits = static_cast<std::size_t>(std::min<std::uint64_t>(room, n));
        m_used += fits;
        m_usedBy[path] += fits;
        return fits;
    }

    int calls() const { return m_calls; }
    bool failed() const { return m_didFail; }
    Op failedOp() const { return m_lastFailedOp; }
    bool shortWrite() const { return m_shortWrite; }

    // The times path was opened for reading since the last resetCounts.
    int reads(const std::string& path) const {
        const auto it = m_reads.find(path);
        return it == m_reads.end() ? 0 : it->second;
    }
    int totalReads() const {
        int n = 0;
        for (const auto& [path, count] : m_reads) n += count;
        return n;
    }
    int renames() const { return m_renames; }
    // The bytes read from files opened for reading since the last resetCounts.
    std::uint64_t bytesRead() const { return m_bytesRead; }
    void countRead(std::size_t n) { m_bytesRead += n; }
    void resetCounts() {
        m_reads.clear();
        m_renames = 0;
        m_bytesRead = 0;
    }

    // True when this call must fail; counts it.
    bool shouldFail(Op op, const std::string& path = {}) {
        ++m_calls;
        const bool onPath = !path.empty() && isFailingOn(op, path);
        if ((m_failAt > 0 && m_calls == m_failAt) || (m_crashAt > 0 && m_calls >= m_crashAt) ||
            (m_failOpSet && op == m_failOp) || onPath) {
            m_didFail = true;
            m_lastFailedOp = op;
            return true;
        }
        return false;
    }

    Result<std::unique_ptr<File>> openRead(const std::string& path) override;
    Result<std::unique_ptr<File>> openAppend(const std::string& path) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    Result<std::unique_ptr<File>> openStream(const std::string& path) override;
    // Counted as a Create: the temporary file of a rewrite, matched by its prefix.
    Result<TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) override;
    Status rename(const std::string& from, const std::string& to) override {
        ++m_renames;
        if (shouldFail(Op::Rename, from)) return Status::ioError("injected rename failure");
        Status st = FileSystemWrapper::rename(from, to);
        if (st) {
            const std::uint64_t moved = m_usedBy.count(from) ? m_usedBy[from] : 0;
            freeBytesOf(to);
            m_usedBy.erase(from);
            if (moved > 0) m_usedBy[to] = moved;
        }
        return st;
    }
    Status syncFolder(const std::string& folder) override {
        if ((m_failOpSet && m_failOp == Op::SyncFolder) || isFailingOn(Op::SyncFolder, folder)) {
            m_didFail = true;
            m_lastFailedOp = Op::SyncFolder;
            return Status::ioError("injected folder sync failure").withReason("Input/output error");
        }
        return FileSystemWrapper::syncFolder(folder);
    }
    // Counted as a Create on path.
    Status createEmpty(const std::string& path, const std::string& like) override {
        if (shouldFail(Op::Create, path)) {
            const Status failed = Status::ioError("injected create failure");
            return m_reason.empty() ? failed : failed.withReason(m_reason);
        }
        return FileSystemWrapper::createEmpty(path, like);
    }

    Status remove(const std::string& path) override {
        if (shouldFail(Op::Remove, path)) return Status::ioError("injected remove failure");
        Status st = FileSystemWrapper::remove(path);
        if (st) freeBytesOf(path);
        return st;
    }

private:
    void freeBytesOf(const std::string& path) {
        const auto it = m_usedBy.find(path);
        if (it == m_usedBy.end()) return;
        m_used -= std::min(m_used, it->second);
        m_usedBy.erase(it);
    }

    bool isFailingOn(Op op, const std::string& path) const {
        for (const auto& [faultOp, faultPath] : m_pathFaults)
            if (faultOp == op && faultPath == path) return true;
        return false;
    }

    int m_failAt = 0;
    int m_crashAt = 0;
    int m_calls = 0;
    bool m_shortWrite = false;
    bool m_failOpSet = false;
    Op m_failOp = Op::OpenRead;
    bool m_didFail = false;
    Op m_lastFailedOp = Op::OpenRead;
    std::vector<std::pair<Op, std::string>> m_pathFaults;
    std::map<std::string, int> m_reads;
    int m_renames = 0;
    std::uint64_t m_bytesRead = 0;
    bool m_budgeted = false;
    std::uint64_t m_budget = 0;
    std::string m_budgetFolder;  // empty: every file counts
    std::uint64_t m_used = 0;
    std::map<std::string, std::uint64_t> m_usedBy;
    std::string m_reason;
};

class FaultyFile final : public File {
public:
    // path names the file for the disk budget; empty for a stream, which takes no disk space.
    FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& fs, std::string path = {})
        : m_real(std::move(real)), m_fs(fs), m_path(std::move(path)) {}
    Result<std::size_t> read(void* buffer, std::size_t n) override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Read)) return Status::ioError("injected read failure");
        auto got = m_real->read(buffer, n);
        if (got) m_fs.countRead(*got);
        return got;
    }
    // Never maps, whatever file system it wraps: every byte passes read(), where faults are made.
    Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t, std::uint64_t) override {
        return std::unique_ptr<MappedBytes>();
    }
    // Forwarded, so a reader that skips what it read before is seen to read only the rest.
    Status skip(std::uint64_t n) override { return m_real->skip(n); }
    Status write(const void* data, std::size_t n) override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Write)) {
            if (m_fs.shortWrite() && n > 1) (void)m_real->write(data, n / 2);
            return Status::ioError("injected write failure");
        }
        if (m_path.empty()) return m_real->write(data, n);
        const std::size_t fits = m_fs.takeBytes(m_path, n);
        if (fits < n) {
            if (fits > 0) (void)m_real->write(data, fits);
            return Status::ioError("write " + m_path + ": No space left on device").withReason("No space left on device");
        }
        return m_real->write(data, n);
    }
    Status sync() override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Sync)) return Status::ioError("injected sync failure");
        return m_real->sync();
    }
    Status truncate(std::uint64_t size) override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Truncate)) return Status::ioError("injected truncate failure");
        return m_real->truncate(size);
    }
    Result<std::uint64_t> size() override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Size)) return Status::ioError("injected size failure");
        return m_real->size();
    }

private:
    std::unique_ptr<File> m_real;
    FaultyFileSystem& m_fs;
    std::string m_path;
};

inline Result<std::unique_ptr<File>> wrap(Result<std::unique_ptr<File>> real, FaultyFileSystem& fs,
                                          std::string path = {}) {
    if (!real) return real.status();
    return std::unique_ptr<File>(std::make_unique<FaultyFile>(std::move(real).value(), fs, std::move(path)));
}

inline Result<std::unique_ptr<File>> FaultyFileSystem::openRead(const std::string& path) {
    ++m_reads[path];
    if (shouldFail(Op::OpenRead, path)) return Status::ioError("injected open failure");
    return wrap(FileSystemWrapper::openRead(path), *this);
}
inline Result<std::unique_ptr<File>> FaultyFileSystem::openAppend(const std::string& path) {
    if (shouldFail(Op::OpenAppend, path)) return Status::ioError("injected open failure");
    return wrap(FileSystemWrapper::openAppend(path), *this, path);
}
inline Result<std::unique_ptr<File>> FaultyFileSystem::create(const std::string& path) {
    if (shouldFail(Op::Create, path)) return Status::ioError("injected create failure");
    auto created = FileSystemWrapper::create(path);
    if (created) freeBytesOf(path);
    return wrap(std::move(created), *this, path);
}
inline Result<std::unique_ptr<File>> FaultyFileSystem::openStream(const std::string& path) {
    if (shouldFail(Op::OpenStream, path)) return Status::ioError("injected open failure");
    return wrap(FileSystemWrapper::openStream(path), *this);
}
inline Result<TemporaryFile> FaultyFileSystem::createTemporary(const std::string& prefix, const std::string& like) {
    if (shouldFail(Op::Create, prefix)) return Status::ioError("injected create failure");
    auto real = FileSystemWrapper::createTemporary(prefix, like);
    if (!real) return real.status();
    return TemporaryFile{real->path, std::make_unique<FaultyFile>(std::move(real->file), *this, real->path)};
}

}  // namespace ql::test
