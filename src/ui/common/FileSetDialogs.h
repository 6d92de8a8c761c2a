#pragma once

#include <QString>

#include <optional>

class QWidget;

// The file dialogs of File > New and File > Open, behind a seam so tests answer them.
class FileSetDialogs {
public:
    virtual ~FileSetDialogs() = default;
    // Asks where to create a file set; the full path, or nullopt when cancelled.
    // startFolder may be empty.
    virtual std::optional<QString> chooseNewFileSet(QWidget* parent, const QString& startFolder) = 0;
    // Asks for the settings file of an existing file set; the full path, or nullopt.
    virtual std::optional<QString> chooseExistingFileSet(QWidget* parent, const QString& startFolder) = 0;
};

// The production dialogs: QFileDialog with the filter "Quillory files (*.qlr)" and the
// default suffix "qlr". New proposes "MyProjects" and confirms overwriting; Open only
// accepts an existing file.
class QtFileSetDialogs final : public FileSetDialogs {
public:
    std::optional<QString> chooseNewFileSet(QWidget* parent, const QString& startFolder) override;
    std::optional<QString> chooseExistingFileSet(QWidget* parent, const QString& startFolder) override;
};
