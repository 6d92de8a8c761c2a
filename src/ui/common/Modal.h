#pragma once

#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

namespace ql {
class Progress;
}

class QAction;
class QDialog;
class QMenu;
class QWidget;

// Everything that runs modally besides message boxes (which go through Prompter): dialogs,
// popup menus and save dialogs. Production runs them; GUI tests answer them so nothing blocks.
class Modal {
public:
    // What a save dialog asks for.
    struct SaveRequest {
        QString caption;        // the dialog's title; empty for the platform's default
        QString folder;         // where the dialog starts; empty for the current folder
        QString fileName;       // the name proposed; may be empty
        QString filter;         // e.g. "Text Files (*.txt)"
        QString defaultSuffix;  // added to a chosen name without one, e.g. "txt"
    };

    virtual ~Modal() = default;
    // Runs the dialog modally; its result code (QDialog::Accepted, Rejected or its own).
    virtual int runDialog(QDialog& dialog) = 0;
    // Pops the menu up at a global position; the action chosen, null when dismissed.
    virtual QAction* runMenu(QMenu& menu, const QPoint& globalPosition) = 0;
    // The save dialog over parent, confirming an overwrite; the full path, nullopt on Cancel.
    virtual std::optional<QString> chooseSavePath(QWidget* parent, const SaveRequest& request) = 0;
    // The progress of one piece of long work over parent (a ProgressWindow); tests script it.
    virtual std::unique_ptr<ql::Progress> progress(QWidget* parent, const QString& label);
};

// The production Modal: QDialog::exec, QMenu::exec and QFileDialog.
class QtModal final : public Modal {
public:
    int runDialog(QDialog& dialog) override;
    QAction* runMenu(QMenu& menu, const QPoint& globalPosition) override;
    std::optional<QString> chooseSavePath(QWidget* parent, const SaveRequest& request) override;
};
