#pragma once

#include "core/store/FileSystem.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace ql::test {

// Forwards every call to a real file, mapNext included, so a test double overrides only the
// calls it watches.
class ForwardingFile : public File {
public:
    explicit ForwardingFile(std::unique_ptr<File> real) : m_real(std::move(real)) {}
    Result<std::size_t> read(void* buffer, std::size_t n) override { return m_real->read(buffer, n); }
    Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t unit, std::uint64_t leave) override {
        return m_real->mapNext(unit, leave);
    }
    Status skip(std::uint64_t n) override { return m_real->skip(n); }
    Status write(const void* data, std::size_t n) override { return m_real->write(data, n); }
    Status sync() override { return m_real->sync(); }
    Status truncate(std::uint64_t size) override { return m_real->truncate(size); }
    Result<std::uint64_t> size() override { return m_real->size(); }

private:
    std::unique_ptr<File> m_real;
};

}  // namespace ql::test
