#pragma once

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh file set ("$", month first) in a temporary folder that goes with the object.
class TempFileSet {
public:
    TempFileSet() {
        EXPECT_TRUE(m_dir.isValid());
        m_settings = m_dir.filePath(QStringLiteral("Work.qlr")).toStdString();
        EXPECT_TRUE(ql::createFileSet(ql::defaultFileSystem(), m_settings, "$", true));
    }
    const std::string& settingsPath() const { return m_settings; }
    std::string path(ql::FileKind kind) const { return ql::fileSetPath(m_settings, kind); }
    QString qpath(ql::FileKind kind) const { return QString::fromStdString(path(kind)); }

    static std::vector<char> bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    QTemporaryDir m_dir;
    std::string m_settings;
};

// The production file system with chosen calls failing for one path, as a full disk, a lock
// or a vanished folder would make them fail.
class PathFaultFileSystem final : public ql::FileSystem {
public:
    std::string failPath;
    bool failRead = false;
    bool failAppend = false;
    bool failCreate = false;

    ql::Result<std::unique_ptr<ql::File>> openRead(const std::string& path) override {
        if (failRead && path == failPath) return ql::Status::ioError("injected read failure");
        return m_real.openRead(path);
    }
    ql::Result<std::unique_ptr<ql::File>> openAppend(const std::string& path) override {
        if (failAppend && path == failPath) return ql::Status::ioError("injected append failure");
        return m_real.openAppend(path);
    }
    ql::Result<std::unique_ptr<ql::File>> create(const std::string& path) override {
        if (failCreate && path == failPath) return ql::Status::ioError("injected create failure");
        return m_real.create(path);
    }
    // failPath names the temporary files of a rewrite by their common start (base path + "tmp").
    ql::Result<ql::TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) override {
        if (failCreate && prefix == failPath) return ql::Status::ioError("injected create failure");
        return m_real.createTemporary(prefix, like);
    }
    ql::Status renameOver(const std::string& from, const std::string& to) override { return m_real.renameOver(from, to); }
    ql::Status remove(const std::string& path) override { return m_real.remove(path); }
    bool exists(const std::string& path) override { return m_real.exists(path); }

private:
    ql::PosixFileSystem m_real;
};
