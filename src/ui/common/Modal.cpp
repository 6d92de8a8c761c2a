#include "ui/common/Modal.h"

#include "ui/common/ProgressWindow.h"

#include <QDialog>
#include <QFileDialog>
#include <QMenu>

int QtModal::runDialog(QDialog& dialog) { return dialog.exec(); }

QAction* QtModal::runMenu(QMenu& menu, const QPoint& globalPosition) { return menu.exec(globalPosition); }

std::optional<QString> QtModal::chooseSavePath(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent, request.caption, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

std::unique_ptr<ql::Progress> Modal::progress(QWidget* parent, const QString& label) {
    return std::make_unique<ProgressWindow>(parent, label);
}
