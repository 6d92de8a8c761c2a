#pragma once

#include "core/store/FileSystem.h"

#include <memory>
#include <string>

namespace ql::test {

// The real file system with one chosen call made to fail: the nth call of any file-system
// or file operation (counted from 1) fails, or, for a write, writes half and then fails.
// Proves that every failure path of the store leaves stored bytes intact.
class FaultyFileSystem final : public FileSystem {
public:
    enum class Op { OpenRead, OpenAppend, Create, Read, Write, Sync, Truncate, Size, Rename, Remove };

    // Fails the nth call (1-based) counted over every operation; 0 disables.
    void failCall(int nth, bool shortWrite = false) {
        m_failAt = nth;
        m_shortWrite = shortWrite;
        m_calls = 0;
    }
    // Fails every call of kind op.
    void failEvery(Op op) { m_failOp = op; m_failOpSet = true; }
    int calls() const { return m_calls; }
    bool failed() const { return m_didFail; }
    Op failedOp() const { return m_lastFailedOp; }

    // True when this call must fail; counts it.
    bool shouldFail(Op op) {
        ++m_calls;
        if ((m_failAt > 0 && m_calls == m_failAt) || (m_failOpSet && op == m_failOp)) {
            m_didFail = true;
            m_lastFailedOp = op;
            return true;
        }
        return false;
    }
    bool shortWrite() const { return m_shortWrite; }

    Result<std::unique_ptr<File>> openRead(const std::string& path) override;
    Result<std::unique_ptr<File>> openAppend(const std::string& path) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    // Counted as a Create: the temporary file of a rewrite.
    Result<TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) override;
    Status renameOver(const std::string& from, const std::string& to) override {
        if (shouldFail(Op::Rename)) return Status::ioError("injected rename failure");
        return m_real.renameOver(from, to);
    }
    Status remove(const std::string& path) override {
        if (shouldFail(Op::Remove)) return Status::ioError("injected remove failure");
        return m_real.remove(path);
    }
    bool exists(const std::string& path) override { return m_real.exists(path); }

private:
    PosixFileSystem m_real;
    int m_failAt = 0;
    int m_calls = 0;
    bool m_shortWrite = false;
    bool m_failOpSet = false;
    Op m_failOp = Op::OpenRead;
    bool m_didFail = false;
    Op m_lastFailedOp = Op::OpenRead;
};

class FaultyFile final : public File {
public:
    FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& fs) : m_real(std::move(real)), m_fs(fs) {}
    Result<std::size_t> read(void* buffer, std::size_t n) override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Read)) return Status::ioError("injected read failure");
        return m_real->read(buffer, n);
    }
    Status write(const void* data, std::size_t n) override {
        if (m_fs.shouldFail(FaultyFileSystem::Op::Write)) {
            if (m_fs.shortWrite() && n > 1) (void)m_real->write(data, n / 2);
            return Status::ioError("injected write failure");
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
};

inline Result<std::unique_ptr<File>> wrap(Result<std::unique_ptr<File>> real, FaultyFileSystem& fs) {
    if (!real) return real.status();
    return std::unique_ptr<File>(std::make_unique<FaultyFile>(std::move(real).value(), fs));
}

inline Result<std::unique_ptr<File>> FaultyFileSystem::openRead(const std::string& path) {
    if (shouldFail(Op::OpenRead)) return Status::ioError("injected open failure");
    return wrap(m_real.openRead(path), *this);
}
inline Result<std::unique_ptr<File>> FaultyFileSystem::openAppend(const std::string& path) {
    if (shouldFail(Op::OpenAppend)) return Status::ioError("injected open failure");
    return wrap(m_real.openAppend(path), *this);
}
inline Result<std::unique_ptr<File>> FaultyFileSystem::create(const std::string& path) {
    if (shouldFail(Op::Create)) return Status::ioError("injected create failure");
    return wrap(m_real.create(path), *this);
}
inline Result<TemporaryFile> FaultyFileSystem::createTemporary(const std::string& prefix, const std::string& like) {
    if (shouldFail(Op::Create)) return Status::ioError("injected create failure");
    auto real = m_real.createTemporary(prefix, like);
    if (!real) return real.status();
    return TemporaryFile{real->path, std::make_unique<FaultyFile>(std::move(real->file), *this)};
}

}  // namespace ql::test
