#include "ui/common/ExistingFolder.h"

#include "ui/common/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString missingFolderText(const QString& path) {
    return QCoreApplication::translate("ExistingFolder",
                                       "The folder %1 does not exist. Please choose a file in an existing folder.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

bool folderExistsOrTell(Prompter& prompter, const QString& caption, const QString& path) {
    if (QFileInfo(path).absoluteDir().exists()) return true;
    prompter.inform(caption, missingFolderText(path), Prompter::Icon::Information);
    return false;
}

std::optional<QString> chooseSavePathInExistingFolder(Modal& modal, Prompter& prompter, QWidget* parent,
                                                      const Modal::SaveRequest& request) {
    for (;;) {
        std::optional<QString> chosen = modal.chooseSavePath(parent, request);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        if (folderExistsOrTell(prompter, QCoreApplication::translate("ExistingFolder", "Warning"), *chosen))
            return chosen;
    }
}
