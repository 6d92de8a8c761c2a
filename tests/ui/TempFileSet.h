#pragma once

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Settings.h"
#include "support/FaultyFileSystem.h"

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
        EXPECT_TRUE(ql::createFileSet(ql::defaultFileSystem(), ql::FileSet(m_settings), "$", true));
    }
    const std::string& settingsPath() const { return m_settings; }
    // The set as the document names it, for dialogs and set operations.
    ql::FileSet fileSet() const { return ql::FileSet(m_settings); }
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
