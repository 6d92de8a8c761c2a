#pragma once

#include "core/Status.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ql {

// An open file. Failures return a Status whose message is for diagnostics only;
// the store replaces it with the user-facing text of the operation.
class File {
public:
    virtual ~File() = default;
    // Reads up to n bytes; 0 means end of file.
    virtual Result<std::size_t> read(void* buffer, std::size_t n) = 0;
    // Writes all n bytes or fails (a short write is a failure).
    virtual Status write(const void* data, std::size_t n) = 0;
    // Flushes the file's data to the disk.
    virtual Status sync() = 0;
    // Cuts the file to size bytes.
    virtual Status truncate(std::uint64_t size) = 0;
    virtual Result<std::uint64_t> size() = 0;
};

// The few file calls the store needs. PosixFileSystem in production; tests wrap it
// to fail a chosen call and prove that no failure loses stored data.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens an existing file for reading; NotFound when it does not exist.
    virtual Result<std::unique_ptr<File>> openRead(const std::string& path) = 0;
    // Opens an existing file for writing at its end; NotFound when it does not exist.
    virtual Result<std::unique_ptr<File>> openAppend(const std::string& path) = 0;
    // Creates the file, or empties an existing one, for writing.
    virtual Result<std::unique_ptr<File>> create(const std::string& path) = 0;
    // Replaces `to` by `from` atomically, then makes the rename durable.
    virtual Status renameOver(const std::string& from, const std::string& to) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
};

class PosixFileSystem final : public FileSystem {
public:
    Result<std::unique_ptr<File>> openRead(const std::string& path) override;
    Result<std::unique_ptr<File>> openAppend(const std::string& path) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    Status renameOver(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    bool exists(const std::string& path) override;
};

// The process-wide production file system.
FileSystem& defaultFileSystem();

}  // namespace ql
