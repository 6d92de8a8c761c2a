#pragma once

#include "core/Progress.h"

#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// Long work (hundreds of pages, years of frames) shown as a window-modal progress dialog with
// Cancel over parent. It appears only when the work runs longer than about half a second, so
// quick work shows nothing; while it runs the window keeps answering.
class ProgressWindow final : public ql::Progress {
public:
    static constexpr int kShowAfterMs = 500;

    ProgressWindow(QWidget* parent, const QString& label);
    ~ProgressWindow() override;

    QProgressDialog& dialog() { return *m_dialog; }

protected:
    bool onAdvance(std::uint64_t done, std::uint64_t total) override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

// Makes the progress of one piece of work: Modal::progress in the window, tests their own.
using ProgressFactory = std::function<std::unique_ptr<ql::Progress>(QWidget* parent, const QString& label)>;
