#include "ui/common/FileSetDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace {

const char* const kFilter = QT_TRANSLATE_NOOP("QtFileSetDialogs", "Quillory files (*.qlr)");

std::optional<QString> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString folderOrHome(const QString& startFolder) {
    return startFolder.isEmpty() || !QDir(startFolder).exists() ? QDir::homePath() : startFolder;
}

}  // namespace

std::optional<QString> QtFileSetDialogs::chooseNewFileSet(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent, QString(), folderOrHome(startFolder),
                       QCoreApplication::translate("QtFileSetDialogs", kFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("qlr"));
    dialog.selectFile(QStringLiteral("MyProjects"));
    return run(dialog);
}

std::optional<QString> QtFileSetDialogs::chooseExistingFileSet(QWidget* parent, const QString& startFolder) {
    QFileDialog dialog(parent, QString(), folderOrHome(startFolder),
                       QCoreApplication::translate("QtFileSetDialogs", kFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("qlr"));
    return run(dialog);
}
