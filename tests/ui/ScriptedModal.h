#pragma once

#include "ui/common/Modal.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// A Modal for tests: dialogs and menus are answered by functions (dialogs run for real with
// exec() when none is set, so whenModalOpens can drive them), save dialogs from a queue
// (Cancel when empty); every save request is recorded.
class ScriptedModal final : public Modal {
public:
    int runDialog(QDialog& dialog) override {
        dialogsRun.push_back(dialog.objectName());
        return answerDialog ? answerDialog(dialog) : dialog.exec();
    }
    QAction* runMenu(QMenu& menu, const QPoint& globalPosition) override {
        return answerMenu ? answerMenu(menu, globalPosition) : nullptr;
    }
    std::optional<QString> chooseSavePath(QWidget*, const SaveRequest& request) override {
        saveRequests.push_back(request);
        if (savePaths.empty()) return std::nullopt;
        // Taken apart rather than copied: GCC sees a copied optional<QString> as maybe uninitialised.
        const bool chosen = savePaths.front().has_value();
        const QString path = savePaths.front().value_or(QString());
        savePaths.pop_front();
        if (!chosen) return std::nullopt;
        return path;
    }

    std::function<int(QDialog&)> answerDialog;
    std::function<QAction*(QMenu&, const QPoint&)> answerMenu;
    std::deque<std::optional<QString>> savePaths;
    std::vector<QString> dialogsRun;
    std::vector<SaveRequest> saveRequests;
};
