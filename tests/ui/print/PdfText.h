#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// The text of a PDF as poppler's pdftotext reads it (installed by scripts/install-deps).
inline QString pdfText(const QString& path, const QStringList& options = {}) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), QStringList(options) << path << QStringLiteral("-"));
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext did not run";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// pdfinfo's "Pages:" and "Page size:" lines.
inline QString pdfInfo(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdfinfo did not run";
    return QString::fromUtf8(process.readAllStandardOutput());
}
