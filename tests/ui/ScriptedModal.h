#pragma once

#include "core/Progress.h"
#include "ui/common/Modal.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A Modal for tests: dialogs and menus are answered by functions (dialogs run for real with
// exec() when none is set, so whenModalOpens can drive them), save dialogs from a queue
// (Cancel when empty); every save request is recorded.
class ScriptedModal final : public Modal {
    class Steps final : public ql::Progress {
    public:
        explicit Steps(ScriptedModal& modal) : m_modal(modal) {}

    protected:
        bool onAdvance(std::uint64_t, std::uint64_t) override {
            ++m_modal.progressSteps;
            return m_modal.stopProgressAt == 0 || m_modal.progressSteps < m_modal.stopProgressAt;
        }

    private:
        ScriptedModal& m_modal;
    };

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

    // Long work gets a progress that counts its steps and stops at the step numbered
    // stopProgressAt (from 1, over all work since the last reset); never when 0.
    std::unique_ptr<ql::Progress> progress(QWidget*, const QString& label) override {
        progressLabels.push_back(label);
        return std::make_unique<Steps>(*this);
    }

    std::function<int(QDialog&)> answerDialog;
    std::vector<QString> progressLabels;
    int progressSteps = 0;
    int stopProgressAt = 0;
    std::function<QAction*(QMenu&, const QPoint&)> answerMenu;
    std::deque<std::optional<QString>> savePaths;
    std::vector<QString> dialogsRun;
    std::vector<SaveRequest> saveRequests;
};
